#include "tools/tool_files.h"

#include <cerrno>
#include <cstring>
#include <filesystem>

#include "platform/atomic_file.h"
#include "platform/io.h"

namespace {

constexpr std::size_t PIECE = 1u << 20;

const char* open_failure()
{
    switch (errno) {
    case ENOENT: return "no such file";
    case EISDIR: return "a folder, not a file";
    case ENXIO: return "not a regular file (a FIFO, a device or a socket)";
    default: return std::strerror(errno);
    }
}

bool write_all(int descriptor, std::string_view bytes)
{
    while (!bytes.empty()) {
        const std::size_t piece = std::min(bytes.size(), PIECE);
        if (host::_write(descriptor, bytes.data(), static_cast<unsigned int>(piece)) != static_cast<int>(piece)) {
            return false;
        }
        bytes.remove_prefix(piece);
    }
    return true;
}

}  // namespace

bool read_file(const std::string& path, std::size_t limit, std::string& contents, std::string& reason)
{
    contents.clear();
    const int descriptor = host::_open(path.c_str(), host::OPEN_READ_ONLY | host::OPEN_BINARY);
    if (descriptor < 0) {
        reason = open_failure();
        return false;
    }
    int count = 0;
    do {
        const std::size_t piece = std::min(PIECE, limit + 1 - contents.size());
        const std::size_t had = contents.size();
        contents.resize(had + piece);
        count = host::_read(descriptor, contents.data() + had, static_cast<unsigned int>(piece));
        contents.resize(had + static_cast<std::size_t>(std::max(count, 0)));
    } while (count > 0 && contents.size() <= limit);
    const int failure = errno;
    host::_close(descriptor);
    if (count < 0) {
        reason = std::strerror(failure);
        return false;
    }
    return true;
}

std::string resolved_path(const std::string& path)
{
    std::error_code code;
    const std::filesystem::path resolved = std::filesystem::weakly_canonical(std::filesystem::absolute(path, code), code);
    return code ? path : resolved.string();
}

bool write_files_whole(const std::vector<OutputFile>& files, std::string& error)
{
    std::vector<Replacement> replacements(files.size());
    std::size_t begun = 0;
    const auto abandon = [&](std::size_t first) {
        for (std::size_t i = first; i < begun; ++i) {
            replacement_abandon(replacements[i]);
        }
    };
    for (; begun < files.size(); ++begun) {
        if (replacement_begin(files[begun].path.c_str(), replacements[begun]) != 0) {
            error = "cannot write " + files[begun].path + ": " + replacement_failure();
            abandon(0);
            return false;
        }
    }
    for (std::size_t i = 0; i < files.size(); ++i) {
        if (!write_all(replacements[i].descriptor, files[i].bytes)) {
            error = "cannot write " + files[i].path + ": " + std::strerror(errno);
            abandon(0);
            return false;
        }
    }
    for (std::size_t i = 0; i < files.size(); ++i) {
        if (replacement_finish(replacements[i]) != 0) {
            error = "cannot replace " + files[i].path + ": " + replacement_failure();
            for (std::size_t done = 0; done < i; ++done) {
                error += (done == 0 ? " (already replaced: " : ", ") + files[done].path;
            }
            error += i > 0 ? ")" : "";
            abandon(i + 1);
            return false;
        }
    }
    return true;
}

#include "hostile_paths.h"

#include <gtest/gtest.h>

#include <sys/stat.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <iterator>

namespace {

void write_bytes(const std::string& path, const Bytes& content)
{
    std::ofstream(path, std::ios::binary).write(reinterpret_cast<const char*>(content.data()),
                                                static_cast<std::streamsize>(content.size()));
}

}  // namespace

HostilePath::HostilePath(PathKind kind, const std::string& path, const Bytes& content)
{
    const char* at = path.c_str();
    const std::string name = std::filesystem::path(path).filename();
    switch (kind) {
    case PathKind::FILE:
        write_bytes(path, content);
        break;
    case PathKind::LINK_TO_FILE:
        write_bytes(path + ".real", content);
        EXPECT_EQ(symlink((name + ".real").c_str(), at), 0);
        break;
    case PathKind::FIFO:
        EXPECT_EQ(mkfifo(at, 0644), 0);
        break;
    case PathKind::DIRECTORY:
        EXPECT_EQ(mkdir(at, 0755), 0);
        break;
    case PathKind::SOCKET:  // a socket's entry, as a bound socket leaves it
        EXPECT_EQ(mknod(at, S_IFSOCK | 0644, 0), 0);
        break;
    case PathKind::DEVICE:
        EXPECT_EQ(symlink("/dev/full", at), 0);
        break;
    case PathKind::DANGLING_LINK:
        EXPECT_EQ(symlink("nowhere/at/all", at), 0);
        break;
    case PathKind::LINK_LOOP:
        EXPECT_EQ(symlink((name + ".loop").c_str(), at), 0);
        EXPECT_EQ(symlink(name.c_str(), (path + ".loop").c_str()), 0);
        break;
    case PathKind::READ_ONLY_FILE:
        write_bytes(path, content);
        EXPECT_EQ(chmod(at, 0444), 0);
        break;
    case PathKind::READ_ONLY_FOLDER:
        write_bytes(path, content);
        read_only_folder_ = std::filesystem::absolute(path).parent_path();
        EXPECT_EQ(chmod(read_only_folder_.c_str(), 0555), 0);
        break;
    }
}

HostilePath::~HostilePath()
{
    if (!read_only_folder_.empty()) {
        chmod(read_only_folder_.c_str(), 0755);
    }
}

Bytes read_bytes(const std::string& path)
{
    std::ifstream in(path, std::ios::binary);
    return Bytes(std::istreambuf_iterator<char>(in), {});
}

std::string fingerprint(const std::string& path)
{
    struct stat about{};
    if (lstat(path.c_str(), &about) != 0) {
        return "missing";
    }
    std::string print = std::to_string(about.st_mode);
    char target[4096] = {};
    if (S_ISLNK(about.st_mode) && readlink(path.c_str(), target, sizeof target - 1) > 0) {
        print += std::string(" -> ") + target;
    }
    if (stat(path.c_str(), &about) == 0 && S_ISREG(about.st_mode)) {
        const Bytes content = read_bytes(path);
        print += ' ';
        print.append(content.begin(), content.end());
    }
    return print;
}

std::vector<std::string> folder_entries(const std::string& folder)
{
    std::vector<std::string> names;
    for (const auto& entry : std::filesystem::directory_iterator(folder)) {
        names.push_back(entry.path().filename());
    }
    std::sort(names.begin(), names.end());
    return names;
}

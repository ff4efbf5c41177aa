#include "shell/output_files.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <array>
#include <cerrno>
#include <cstring>

#include "platform/io.h"

namespace {

constexpr std::size_t TRACE_BUFFER_SIZE = 1 << 20;

struct TraceFile {
    int descriptor = -1;
    std::string temporary;
    std::string final_name;
    int error_number = 0;  // the first failed write's errno, 0 while all went well
    std::size_t buffered = 0;
};

TraceFile trace;
std::array<char, TRACE_BUFFER_SIZE> trace_buffer;

// A new file beside `path`, named after it; -1 with errno set on failure.
int create_temporary(const std::string& path, std::string& temporary)
{
    temporary = path + ".XXXXXX";
    return ::mkostemp(temporary.data(), O_CLOEXEC);
}

std::string reason(int error_number)
{
    return std::strerror(error_number);
}

void flush_trace()
{
    std::size_t done = 0;
    while (done < trace.buffered && trace.error_number == 0) {
        const int written = host::_write(trace.descriptor, trace_buffer.data() + done,
                                         static_cast<unsigned int>(trace.buffered - done));
        if (written < 0 && errno == EINTR) {
            continue;
        }
        if (written <= 0) {
            trace.error_number = written < 0 ? errno : EIO;
        } else {
            done += static_cast<std::size_t>(written);
        }
    }
    trace.buffered = 0;
}

}  // namespace

bool output_path_writable(const std::string& path, std::string& error)
{
    struct stat about{};
    if (::stat(path.c_str(), &about) == 0) {
        if (S_ISDIR(about.st_mode)) {
            error = "is a folder";
            return false;
        }
        if (::access(path.c_str(), W_OK) != 0) {
            error = reason(errno);  // an existing file that may not be replaced
            return false;
        }
    }
    std::string temporary;
    const int descriptor = create_temporary(path, temporary);
    if (descriptor < 0) {
        error = reason(errno);
        return false;
    }
    ::close(descriptor);
    ::unlink(temporary.c_str());
    return true;
}

bool trace_file_open(const std::string& path, std::string& error)
{
    if (!output_path_writable(path, error)) {
        return false;
    }
    trace.descriptor = create_temporary(path, trace.temporary);
    if (trace.descriptor < 0) {
        error = reason(errno);
        return false;
    }
    trace.final_name = path;
    trace.error_number = 0;
    trace.buffered = 0;
    return true;
}

void trace_file_write(const char* text, std::size_t length)
{
    if (trace.buffered + length > trace_buffer.size()) {
        flush_trace();
    }
    std::memcpy(trace_buffer.data() + trace.buffered, text, length);
    trace.buffered += length;
}

bool trace_file_close(std::string& error)
{
    if (trace.descriptor < 0) {
        return true;
    }
    flush_trace();
    if (::close(trace.descriptor) != 0 && trace.error_number == 0) {
        trace.error_number = errno;
    }
    trace.descriptor = -1;
    if (trace.error_number == 0 && ::rename(trace.temporary.c_str(), trace.final_name.c_str()) != 0) {
        trace.error_number = errno;
    }
    if (trace.error_number != 0) {
        ::unlink(trace.temporary.c_str());
        error = reason(trace.error_number);
        return false;
    }
    return true;
}

#include "shell/output_files.h"

#include <array>
#include <cerrno>
#include <cstring>

#include "platform/atomic_file.h"
#include "platform/io.h"

namespace {

constexpr std::size_t TRACE_BUFFER_SIZE = 1 << 20;

struct TraceFile {
    Replacement file;
    int error_number = 0;  // the first failed write's errno, 0 while all went well
    std::size_t buffered = 0;
};

TraceFile trace;
std::array<char, TRACE_BUFFER_SIZE> trace_buffer;

void flush_trace()
{
    const auto count = static_cast<unsigned int>(trace.buffered);
    const bool whole = host::_write(trace.file.descriptor, trace_buffer.data(), count) == static_cast<int>(count);
    if (!whole && trace.error_number == 0) {
        trace.error_number = errno != 0 ? errno : EIO;
    }
    trace.buffered = 0;
}

}  // namespace

bool output_path_writable(const std::string& path, std::string& error)
{
    Replacement probe;
    if (replacement_begin(path.c_str(), probe) != 0) {
        error = replacement_failure();
        return false;
    }
    replacement_abandon(probe);
    return true;
}

bool trace_file_open(const std::string& path, std::string& error)
{
    if (replacement_begin(path.c_str(), trace.file) != 0) {
        error = replacement_failure();
        return false;
    }
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
    if (trace.file.descriptor < 0) {
        return true;
    }
    flush_trace();
    if (trace.error_number != 0) {
        errno = trace.error_number;
        replacement_abandon(trace.file);
    } else if (replacement_finish(trace.file) != 0) {
        trace.error_number = errno;
    }
    if (trace.error_number != 0) {
        error = std::strerror(trace.error_number);
        return false;
    }
    return true;
}

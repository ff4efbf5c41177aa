#include "platform/error_copy.h"

#include <cstdio>
#include <string>

#ifdef __GLIBC__
#include <sys/types.h>

namespace {

FILE* plain_stream = nullptr;   // the C library's own standard error
FILE* copying_stream = nullptr;
void (*line_sink)(const char*) = nullptr;
std::string unfinished;  // the line written so far

ssize_t write_both(void*, const char* bytes, std::size_t size)
{
    std::fwrite(bytes, 1, size, plain_stream);
    unfinished.append(bytes, size);
    for (std::size_t newline = unfinished.find('\n'); newline != std::string::npos;
         newline = unfinished.find('\n')) {
        const std::string line = unfinished.substr(0, newline + 1);
        unfinished.erase(0, newline + 1);
        line_sink(line.c_str());
    }
    return static_cast<ssize_t>(size);
}

}  // namespace

void copy_standard_error(void (*sink)(const char* line))
{
    if (copying_stream != nullptr) {
        std::fflush(copying_stream);
        stderr = plain_stream;  // the C library lets a program set it
        std::fclose(copying_stream);
        copying_stream = nullptr;
        if (!unfinished.empty()) {
            line_sink((unfinished + "\n").c_str());
            unfinished.clear();
        }
    }
    line_sink = sink;
    if (sink == nullptr) {
        return;
    }
    copying_stream = fopencookie(nullptr, "w", cookie_io_functions_t{nullptr, write_both, nullptr, nullptr});
    if (copying_stream != nullptr) {
        std::setvbuf(copying_stream, nullptr, _IONBF, 0);  // as unbuffered as standard error itself
        plain_stream = stderr;
        stderr = copying_stream;
    }
}
#else
void copy_standard_error(void (*)(const char*)) {}
#endif

#include "platform/debug_output.h"

#include <cerrno>
#include <cstring>

#ifdef _WIN32
#include <windows.h>
#else
#include <unistd.h>
#endif

void debug_output(const char* line)
{
#ifdef _WIN32
    OutputDebugStringA(line);
#else
    // One write per line, so that lines never interleave with other output;
    // only an interrupted or partial write needs another.
    const size_t length = std::strlen(line);
    size_t done = 0;
    while (done < length) {
        const ssize_t n = write(STDERR_FILENO, line + done, length - done);
        if (n < 0 && errno == EINTR) {
            continue;
        }
        if (n <= 0) {
            return;
        }
        done += static_cast<size_t>(n);
    }
#endif
}

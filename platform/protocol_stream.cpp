#include "platform/protocol_stream.h"

#ifndef _WIN32
#include <poll.h>
#include <unistd.h>

#include <cerrno>
#include <csignal>

namespace {

int protocol_output = -1;

}  // namespace

bool protocol_streams_open()
{
    std::signal(SIGPIPE, SIG_IGN);
    protocol_output = ::dup(STDOUT_FILENO);
    return protocol_output >= 0 && ::dup2(STDERR_FILENO, STDOUT_FILENO) >= 0;
}

bool protocol_write(const char* data, std::size_t size)
{
    std::size_t done = 0;
    while (done < size) {
        const ssize_t n = ::write(protocol_output, data + done, size - done);
        if (n < 0 && errno == EINTR) {
            continue;
        }
        if (n <= 0) {
            return false;
        }
        done += static_cast<std::size_t>(n);
    }
    return true;
}

long protocol_read(char* buffer, std::size_t size, int milliseconds)
{
    pollfd input{STDIN_FILENO, POLLIN, 0};
    const int ready = ::poll(&input, 1, milliseconds);
    if (ready < 0) {
        return errno == EINTR ? 0 : -1;
    }
    if (ready == 0) {
        return 0;
    }
    // Readable, or hung up with bytes perhaps still to read: a read that
    // returns none means the end.
    ssize_t n = -1;
    do {
        n = ::read(STDIN_FILENO, buffer, size);
    } while (n < 0 && errno == EINTR);
    return n > 0 ? static_cast<long>(n) : -1;
}
#else
bool protocol_streams_open()
{
    return false;
}

bool protocol_write(const char*, std::size_t)
{
    return false;
}

long protocol_read(char*, std::size_t, int)
{
    return -1;
}
#endif

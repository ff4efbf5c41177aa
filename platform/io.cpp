// The descriptor calls on POSIX hosts, with the results the Windows C
// library gives: only a regular file can be opened (a directory, FIFO,
// device or socket is refused at once, without waiting), reads and writes
// carry on until the whole count is done, and any error gives -1.
#ifndef _WIN32
#include "platform/io.h"

#include <cerrno>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace host {

const int OPEN_READ_ONLY = O_RDONLY;
const int OPEN_WRITE_ONLY = O_WRONLY;
const int OPEN_CREATE = O_CREAT;
const int OWNER_READ = S_IRUSR;
const int OWNER_WRITE = S_IWUSR;

int _open(const char* path, int flags, int mode)
{
    // Without O_NONBLOCK, opening a FIFO waits for its other end; with it the
    // open returns at once, and the check below refuses what is not a file.
    int descriptor;
    do {
        descriptor = ::open(path, flags | O_NONBLOCK | O_NOCTTY | O_CLOEXEC, static_cast<mode_t>(mode));
    } while (descriptor < 0 && errno == EINTR);
    if (descriptor < 0) {
        return -1;
    }
    struct stat about{};
    if (::fstat(descriptor, &about) != 0 || !S_ISREG(about.st_mode)) {
        const int refused = S_ISDIR(about.st_mode) ? EISDIR : ENXIO;
        ::close(descriptor);
        errno = refused;
        return -1;
    }
    // Reads and writes of a regular file then block as usual, so that no
    // filesystem that honours the flag can cut them short with EAGAIN.
    const int status = ::fcntl(descriptor, F_GETFL);
    if (status == -1 || ::fcntl(descriptor, F_SETFL, status & ~O_NONBLOCK) == -1) {
        ::close(descriptor);
        return -1;
    }
    return descriptor;
}

// Stops early only at the end of the file. Bytes read before an error stay
// in the buffer.
int _read(int descriptor, void* buffer, unsigned int count)
{
    auto* bytes = static_cast<unsigned char*>(buffer);
    unsigned int done = 0;
    while (done < count) {
        const ssize_t n = ::read(descriptor, bytes + done, count - done);
        if (n < 0 && errno == EINTR) {
            continue;
        }
        if (n < 0) {
            return -1;
        }
        if (n == 0) {
            break;
        }
        done += static_cast<unsigned int>(n);
    }
    return static_cast<int>(done);
}

int _write(int descriptor, const void* buffer, unsigned int count)
{
    const auto* bytes = static_cast<const unsigned char*>(buffer);
    unsigned int done = 0;
    while (done < count) {
        const ssize_t n = ::write(descriptor, bytes + done, count - done);
        if (n < 0 && errno == EINTR) {
            continue;
        }
        if (n <= 0) {
            return -1;
        }
        done += static_cast<unsigned int>(n);
    }
    return static_cast<int>(done);
}

int _close(int descriptor)
{
    return ::close(descriptor);
}

}  // namespace host
#endif

#include "platform/standard_descriptors.h"

#ifndef _WIN32
#include <fcntl.h>
#include <unistd.h>

#include <cerrno>

void open_standard_descriptors()
{
    for (int descriptor = STDIN_FILENO; descriptor <= STDERR_FILENO; ++descriptor) {
        if (::fcntl(descriptor, F_GETFD) == -1 && errno == EBADF) {
            // An open takes the lowest free number: this one, as the lower
            // ones are open by now.
            ::open("/dev/null", O_RDWR);
        }
    }
}
#else
void open_standard_descriptors() {}
#endif

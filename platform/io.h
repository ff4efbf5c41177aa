// Unbuffered descriptor calls under the names the Windows C library gives
// them, so that the ROM and state-file code reads the same on every host.
// They live in namespace host: names with a leading underscore belong to the
// C library in the global namespace.
#pragma once

#ifdef _WIN32
#include <io.h>
#include <fcntl.h>
#include <sys/stat.h>

namespace host {
using ::_close;
using ::_open;
using ::_read;
using ::_write;
constexpr int _O_RDONLY = ::_O_RDONLY;
constexpr int _O_WRONLY = ::_O_WRONLY;
constexpr int _O_CREAT = ::_O_CREAT;
constexpr int _O_BINARY = ::_O_BINARY;
constexpr int _S_IREAD = ::_S_IREAD;
constexpr int _S_IWRITE = ::_S_IWRITE;
}  // namespace host

#else
#include <cstddef>

namespace host {
// POSIX files have no text mode: binary mode is the only one.
constexpr int _O_BINARY = 0;
extern const int _O_RDONLY;
extern const int _O_WRONLY;
extern const int _O_CREAT;
extern const int _S_IREAD;
extern const int _S_IWRITE;

int _open(const char* path, int flags, int mode = 0);
int _read(int descriptor, void* buffer, unsigned int count);
int _write(int descriptor, const void* buffer, unsigned int count);
int _close(int descriptor);
}  // namespace host
#endif

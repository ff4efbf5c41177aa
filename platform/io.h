// Unbuffered descriptor calls under the names the Windows C library gives
// them, so that the ROM and state-file code reads the same on every host.
// They live in namespace host: names with a leading underscore belong to the
// C library in the global namespace. The flags get plain names, since the
// Windows ones are macros.
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
constexpr int OPEN_READ_ONLY = _O_RDONLY;
constexpr int OPEN_WRITE_ONLY = _O_WRONLY;
constexpr int OPEN_CREATE = _O_CREAT;
constexpr int OPEN_BINARY = _O_BINARY;
constexpr int OWNER_READ = _S_IREAD;
constexpr int OWNER_WRITE = _S_IWRITE;
}  // namespace host

#else
namespace host {
// POSIX files have no text mode: binary mode is the only one.
constexpr int OPEN_BINARY = 0;
extern const int OPEN_READ_ONLY;
extern const int OPEN_WRITE_ONLY;
extern const int OPEN_CREATE;
extern const int OWNER_READ;
extern const int OWNER_WRITE;

// Regular files only: anything else is refused at once, never waited on.
int _open(const char* path, int flags, int mode = 0);
int _read(int descriptor, void* buffer, unsigned int count);
int _write(int descriptor, const void* buffer, unsigned int count);
int _close(int descriptor);
}  // namespace host
#endif

#ifndef _WIN32
#include "platform/atomic_file.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <climits>
#include <cstdlib>
#include <cstring>
#include <string>
#include <string_view>

#include "platform/io.h"

namespace {

// A new file is made as any program makes one: readable and writable by
// all, less what the user's umask takes away; but always readable and
// writable by its owner, so that the next save can replace it (a umask may
// take everything away, as the browser's file system's does).
constexpr mode_t NEW_FILE_MODE = S_IRUSR | S_IWUSR | S_IRGRP | S_IWGRP | S_IROTH | S_IWOTH;
constexpr mode_t KEPT_MODE_BITS = 07777;

// The temporary file's name: the final one and a unique ending. A name too
// long to take the ending is cut short first, so that every name a file may
// have can be written.
constexpr std::size_t LONGEST_NAME = NAME_MAX;
constexpr std::string_view UNIQUE_ENDING = ".XXXXXX";

mode_t new_file_mode()
{
    const mode_t mask = ::umask(0);
    ::umask(mask);
    return (NEW_FILE_MODE & ~mask) | S_IRUSR | S_IWUSR;
}

// The name the new content goes under: a symbolic link's final target.
bool final_name(const char* path, std::string& target)
{
    struct stat about{};
    if (::lstat(path, &about) != 0) {
        if (errno != ENOENT) {
            return false;
        }
        target = path;  // a new file
        return true;
    }
    if (!S_ISLNK(about.st_mode)) {
        target = path;
        return true;
    }
    char resolved[PATH_MAX];
    if (::realpath(path, resolved) == nullptr) {
        return false;  // the link leads nowhere, or in a loop
    }
    target = resolved;
    return true;
}

// The folder of `target`, where the temporary file goes.
std::string folder_of(const std::string& target)
{
    const std::size_t slash = target.rfind('/');
    if (slash == std::string::npos) {
        return ".";
    }
    return slash == 0 ? "/" : target.substr(0, slash);
}

// Whether the user lets this program write `path`. The permission check
// alone lets the superuser write anything; a file or folder that nobody may
// write has been made read-only on purpose, and is left so.
bool may_write(const std::string& path, const struct stat& about)
{
    if ((about.st_mode & (S_IWUSR | S_IWGRP | S_IWOTH)) == 0) {
        errno = EACCES;
        return false;
    }
    return ::access(path.c_str(), W_OK) == 0;
}

// An existing file must be a regular one that may be written; its mode is
// kept. A missing one gets the mode any new file gets. Either way its folder
// must be one that may be written.
bool mode_for(const std::string& target, mode_t& mode)
{
    struct stat about{};
    if (::stat(target.c_str(), &about) != 0) {
        if (errno != ENOENT) {
            return false;
        }
        mode = new_file_mode();
    } else {
        if (!S_ISREG(about.st_mode) || !may_write(target, about)) {
            return false;
        }
        mode = about.st_mode & KEPT_MODE_BITS;
    }
    const std::string folder = folder_of(target);
    return ::stat(folder.c_str(), &about) == 0 && may_write(folder, about);
}

std::string temporary_name(const std::string& target)
{
    const std::size_t slash = target.rfind('/');
    const std::size_t name_start = slash == std::string::npos ? 0 : slash + 1;
    const std::size_t name_size = std::min(target.size() - name_start, LONGEST_NAME - UNIQUE_ENDING.size());
    return target.substr(0, name_start + name_size).append(UNIQUE_ENDING);
}

int write_all(int descriptor, const void* bytes, std::size_t count, FileWriter writer)
{
    const auto* at = static_cast<const unsigned char*>(bytes);
    while (count > 0) {
        const unsigned int piece = count > INT_MAX ? INT_MAX : static_cast<unsigned int>(count);
        const int written = writer(descriptor, at, piece);
        if (written <= 0) {
            return -1;
        }
        at += written;
        count -= static_cast<std::size_t>(written);
    }
    return 0;
}

void flush_folder(const std::string& folder)
{
    const int descriptor = ::open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (descriptor >= 0) {
        ::fsync(descriptor);
        ::close(descriptor);
    }
}

}  // namespace

int replacement_begin(const char* path, Replacement& replacement)
{
    errno = 0;  // stays 0 for a name taken by something else than a file
    mode_t mode = 0;
    if (!final_name(path, replacement.target) || !mode_for(replacement.target, mode)) {
        return -1;
    }
    replacement.mode = mode;
    replacement.temporary = temporary_name(replacement.target);
    replacement.descriptor = ::mkostemp(replacement.temporary.data(), O_CLOEXEC);
    return replacement.descriptor < 0 ? -1 : 0;
}

int replacement_finish(Replacement& replacement)
{
    const bool whole = ::fchmod(replacement.descriptor, static_cast<mode_t>(replacement.mode)) == 0 &&
                       ::fsync(replacement.descriptor) == 0;
    const bool closed = ::close(replacement.descriptor) == 0;
    replacement.descriptor = -1;
    if (!whole || !closed || ::rename(replacement.temporary.c_str(), replacement.target.c_str()) != 0) {
        const int reason = errno;
        ::unlink(replacement.temporary.c_str());
        errno = reason;
        return -1;
    }
    flush_folder(folder_of(replacement.target));
    return 0;
}

const char* replacement_failure()
{
    return errno != 0 ? std::strerror(errno) : "the name is taken by something that is not a writable file";
}

void replacement_abandon(Replacement& replacement)
{
    const int reason = errno;
    if (replacement.descriptor >= 0) {
        ::close(replacement.descriptor);
        replacement.descriptor = -1;
    }
    ::unlink(replacement.temporary.c_str());
    errno = reason;
}

int write_file_atomically(const char* path, const void* bytes, std::size_t count, FileWriter writer)
{
    Replacement replacement;
    if (replacement_begin(path, replacement) != 0) {
        return -1;
    }
    if (write_all(replacement.descriptor, bytes, count, writer != nullptr ? writer : host::_write) != 0) {
        replacement_abandon(replacement);
        return -1;
    }
    return replacement_finish(replacement);
}
#endif

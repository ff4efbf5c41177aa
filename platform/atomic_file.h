// Files that are replaced whole or not at all. The bytes go to a temporary
// file beside the final one, which is flushed to the disk and only then
// renamed over the final name; on any failure the temporary file is removed
// and the file under the final name, if there was one, is left as it was.
#pragma once

#include <cstddef>
#include <string>

// How the bytes reach the open temporary file: the platform's _write by
// default; tests give one that fails part-way.
using FileWriter = int (*)(int descriptor, const void* buffer, unsigned int count);

// Writes `count` bytes as the whole new content of `path`. A symbolic link
// at `path` keeps pointing where it did: the file it names is the one
// replaced, and a link that leads nowhere (or in a loop) is a failure. So is
// anything but a regular file at the final name, and a file or folder that
// may not be written (one that nobody may write counts as read-only even for
// the superuser). A replaced file keeps its mode; a new one gets 0666 less
// the umask, as any program's new file, and its owner may always read and
// write it. 0 on success, -1 on failure.
int write_file_atomically(const char* path, const void* bytes, std::size_t count, FileWriter writer = nullptr);

// The same for a file written in pieces: replacement_begin checks the final
// name as above and creates the temporary file, into which the caller writes
// through `descriptor`; replacement_finish puts it in place whole, and
// replacement_abandon removes it. Each failure gives -1 with errno saying
// why, and leaves no temporary file.
struct Replacement {
    int descriptor = -1;
    std::string temporary;
    std::string target;
    unsigned mode = 0;
};

int replacement_begin(const char* path, Replacement& replacement);
int replacement_finish(Replacement& replacement);
void replacement_abandon(Replacement& replacement);

// Why the last of these (or write_file_atomically) failed, in words.
const char* replacement_failure();

// Files that are replaced whole or not at all. The bytes go to a temporary
// file beside the final one, which is flushed to the disk and only then
// renamed over the final name; on any failure the temporary file is removed
// and the file under the final name, if there was one, is left as it was.
#pragma once

#include <cstddef>

// How the bytes reach the open temporary file: the platform's _write by
// default; tests give one that fails part-way.
using FileWriter = int (*)(int descriptor, const void* buffer, unsigned int count);

// Writes `count` bytes as the whole new content of `path`. A symbolic link
// at `path` keeps pointing where it did: the file it names is the one
// replaced, and a link that leads nowhere (or in a loop) is a failure. So is
// anything but a regular file at the final name, and a file or folder that
// may not be written (one that nobody may write counts as read-only even for
// the superuser). A replaced file keeps its permissions; a new one is
// readable and writable by its owner. 0 on success, -1 on failure.
int write_file_atomically(const char* path, const void* bytes, std::size_t count, FileWriter writer = nullptr);

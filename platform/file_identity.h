// Whether two paths lead to one file, once every symbolic link is followed,
// so that one file of a run is never both written and read, or written
// twice.
#pragma once

#include <string>

// The path with its links followed: an existing file's real path, or for a
// file that does not exist yet its folder's real path and its own name (as
// written, when not even the folder can be found).
std::string resolved_path(const std::string& path);

// Two existing files are one when they are one inode (a hard link too);
// otherwise when their resolved paths are equal.
bool same_file(const std::string& a, const std::string& b);

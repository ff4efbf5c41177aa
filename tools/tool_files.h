// Files as the tools read and write them: inputs read whole and only when
// they are regular files (a FIFO is refused, never waited on), outputs
// replaced whole and all together.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

// Reads the regular file at `path`, at most `limit` bytes and one more (so
// that the caller can tell a longer file). False, with the reason in words
// ("no such file", "a folder", ...), when it cannot be read.
bool read_file(const std::string& path, std::size_t limit, std::string& contents, std::string& reason);

// The absolute path of `path` with its links resolved; a name that does not
// exist yet as its folder's resolved path and the name. Two paths that give
// the same one name the same file.
std::string resolved_path(const std::string& path);

struct OutputFile {
    std::string path;
    std::string_view bytes;
};

// Writes every file whole or none: each name is checked and each temporary
// file written before any file is replaced, so a failure leaves every file
// as it was (only a failure in the last step, renaming, can leave some
// replaced; the message then names them). False, with the reason in
// `error`.
bool write_files_whole(const std::vector<OutputFile>& files, std::string& error);

// What may stand at a file's path instead of a plain regular file, put there
// as a user (or an accident) would, and the guard that turns a call that
// blocks into a failed test instead of a hung one.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

enum class PathKind {
    FILE,
    LINK_TO_FILE,  // the file lies beside it, under the path + ".real"
    FIFO,
    DIRECTORY,
    SOCKET,
    DEVICE,  // a link to /dev/full: reads zeros, refuses writes
    DANGLING_LINK,
    LINK_LOOP,
    READ_ONLY_FILE,
    READ_ONLY_FOLDER,  // a writable file in a folder nobody may write
};

using Bytes = std::vector<uint8_t>;

// Puts one kind at `path` (inside a test's own folder), with `content` where
// the kind holds a file; undoes what would keep the folder from being
// removed when it goes.
class HostilePath {
public:
    HostilePath(PathKind kind, std::string path, const Bytes& content);
    ~HostilePath();
    HostilePath(const HostilePath&) = delete;
    HostilePath& operator=(const HostilePath&) = delete;

private:
    std::string path_;
    std::string read_only_folder_;
};

// What lies at `path`: the kind of entry, where a link points, and the
// content of the regular file it leads to. Equal before and after a call
// that must leave the path alone.
std::string fingerprint(const std::string& path);

Bytes read_bytes(const std::string& path);

// The names in a folder, to see that nothing was left behind.
std::vector<std::string> folder_entries(const std::string& folder);

// Ends the test program (SIGALRM) if it is still in scope after a few
// seconds: a call that blocks fails instead of hanging the test run.
class NoBlock {
public:
    NoBlock();
    ~NoBlock();
    NoBlock(const NoBlock&) = delete;
    NoBlock& operator=(const NoBlock&) = delete;
};

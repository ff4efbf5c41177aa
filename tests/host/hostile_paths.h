// What may stand at a file's path instead of a plain regular file, put there
// as a user (or an accident) would.
#pragma once

#include <unistd.h>

#include <cstdint>
#include <string>
#include <vector>

enum class PathKind {
    FILE,
    LINK_TO_FILE,  // to the file beside it, named as the path + ".real"
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

// Puts one kind at `path`, with `content` where the kind holds a file; makes
// the folder writable again when it goes, so that it can be removed.
class HostilePath {
public:
    HostilePath(PathKind kind, const std::string& path, const Bytes& content);
    ~HostilePath();
    HostilePath(const HostilePath&) = delete;
    HostilePath& operator=(const HostilePath&) = delete;

private:
    std::string read_only_folder_;
};

// What lies at `path`: the kind of entry and its permissions, where a link
// points, and the content of the regular file it leads to.
std::string fingerprint(const std::string& path);

Bytes read_bytes(const std::string& path);

// The names in a folder, to see that nothing was left behind.
std::vector<std::string> folder_entries(const std::string& folder);

// A call that blocks ends the test program (SIGALRM) instead of hanging the run.
struct NoBlock {
    NoBlock() { alarm(10); }
    ~NoBlock() { alarm(0); }
};

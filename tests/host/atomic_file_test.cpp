// Files replaced whole or not at all: a write that fails part-way leaves the
// old file as it was and nothing beside it.
#include <gtest/gtest.h>

#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <string>

#include "hostile_paths.h"
#include "platform/atomic_file.h"
#include "shell/state_file.h"
#include "temp_folder.h"

namespace {

// A disk that fills up after g_room more bytes: it writes what fits, then fails.
std::size_t g_room = 0;

int filling_writer(int descriptor, const void* buffer, unsigned int count)
{
    const auto fits = static_cast<unsigned int>(std::min<std::size_t>(count, g_room));
    g_room -= fits;
    return fits == 0 ? -1 : static_cast<int>(write(descriptor, buffer, fits));
}

TEST(AtomicFile, WriteCutShortLeavesTheOldFile)
{
    const Bytes state(STATE_FILE_SIZE, 0x5A);
    for (const bool had_file : {true, false}) {
        for (const std::size_t room : {0ul, 1ul, 4096ul, 65536ul, STATE_FILE_SIZE - 1}) {
            SCOPED_TRACE((had_file ? "over a file, room " : "no file, room ") + std::to_string(room));
            TempFolder folder;
            const std::string path = folder.path() + "/pavon.pvn";
            if (had_file) {
                folder.file("pavon.pvn", 100);
            }
            const std::string before = fingerprint(path);
            const std::vector<std::string> entries = folder_entries(folder.path());
            g_room = room;
            EXPECT_EQ(write_file_atomically(path.c_str(), state.data(), state.size(), filling_writer), -1);
            EXPECT_EQ(fingerprint(path), before);
            EXPECT_EQ(folder_entries(folder.path()), entries);
        }
    }
}

// A shorter content leaves no tail; the permissions stay the old file's.
TEST(AtomicFile, ReplacesWholeAndKeepsPermissions)
{
    TempFolder folder;
    const std::string path = folder.file("picture", 1000);
    ASSERT_EQ(chmod(path.c_str(), 0640), 0);
    const std::string before = fingerprint(path);
    EXPECT_EQ(write_file_atomically(path.c_str(), "new", 3), 0);
    EXPECT_EQ(fingerprint(path), before.substr(0, before.find(' ')) + " new");
    EXPECT_EQ(folder_entries(folder.path()).size(), 1u);
}

// A new file gets 0666 less the umask (its owner may always read and write
// it), a replaced one keeps its mode; names up to the longest a folder takes
// are written, nothing left beside them.
TEST(AtomicFile, ModesAndLongNames)
{
    const struct {
        mode_t umask, old_mode, mode;  // old_mode 0: no file yet
        std::size_t name_length;
    } cases[] = {{022, 0, 0644, 9},     {077, 0, 0600, 9},     {002, 0, 0664, 9},   {0777, 0, 0600, 9},
                 {077, 0664, 0664, 9}, {022, 0, 0644, 249},   {022, 0, 0644, 255}, {022, 0640, 0640, 255}};
    for (const auto& c : cases) {
        SCOPED_TRACE("umask " + std::to_string(c.umask) + ", old mode " + std::to_string(c.old_mode));
        TempFolder folder;
        const std::string path = folder.path() + "/" + std::string(c.name_length, 'n');
        if (c.old_mode != 0) {
            ASSERT_EQ(write_file_atomically(path.c_str(), "old", 3), 0);
            ASSERT_EQ(chmod(path.c_str(), c.old_mode), 0);
        }
        const mode_t old_umask = umask(c.umask);
        EXPECT_EQ(write_file_atomically(path.c_str(), "new", 3), 0);
        umask(old_umask);
        struct stat about{};
        ASSERT_EQ(stat(path.c_str(), &about), 0);
        EXPECT_EQ(about.st_mode & 07777, c.mode);
        EXPECT_EQ(folder_entries(folder.path()).size(), 1u);
    }
}

}  // namespace

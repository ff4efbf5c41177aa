// Loading the two ROM images: every way a file can be missing, short,
// too long or not a file, with the exact message and what the buffers hold.
#include <gtest/gtest.h>

#include <sys/stat.h>
#include <unistd.h>

#include <climits>
#include <cstdlib>
#include <fstream>
#include <string>
#include <vector>

#include "hostile_paths.h"
#include "platform/paths.h"
#include "shell/rom.h"
#include "temp_folder.h"

namespace {

constexpr long MISSING = -1;
constexpr long DIRECTORY = -2;

uint8_t pattern(std::size_t i, uint8_t salt)
{
    return static_cast<uint8_t>(i * 31 + salt);
}

// A fresh temporary folder as the current directory, with a ROM folder in it.
class RomFolder {
public:
    RomFolder() { EXPECT_EQ(mkdir("ROM", 0755), 0); }

    // Puts a file of `size` bytes at `path`, or a directory, or nothing.
    static void place(const char* path, long size, uint8_t salt)
    {
        if (size == DIRECTORY) {
            EXPECT_EQ(mkdir(path, 0755), 0);
            return;
        }
        if (size == MISSING) {
            return;
        }
        std::ofstream file(path, std::ios::binary);
        for (long i = 0; i < size; ++i) {
            file.put(static_cast<char>(pattern(static_cast<std::size_t>(i), salt)));
        }
    }

private:
    TempFolder folder_{TempFolder::ENTER};
};

template <std::size_t N>
void expect_loaded(const std::array<uint8_t, N>& buffer, long count, uint8_t salt)
{
    for (std::size_t i = 0; i < N; ++i) {
        const uint8_t expected = static_cast<long>(i) < count ? pattern(i, salt) : 0;
        ASSERT_EQ(buffer[i], expected) << "byte " << i;
    }
}

struct RomCase {
    const char* name;
    long first;   // file size, MISSING or DIRECTORY
    long second;
    int result;
    std::string printed;
    long first_loaded;  // bytes of each buffer that come from the file
    long second_loaded;
};

TEST(LoadRoms, Cases)
{
    const std::string open1 = std::string("Error opening ROM ") + ROM1_PATH + ".\n";
    const std::string read1 = std::string("Error reading ROM ") + ROM1_PATH + ".\n";
    const std::string open2 = std::string("Error opening ROM ") + ROM2_PATH + ".\n";
    const RomCase cases[] = {
        {"both complete", 32768, 16384, 0, "", 32768, 16384},
        {"first too long: its first 32 KB", 40000, 16384, 0, "", 32768, 16384},
        {"second short", 32768, 100, 0, "", 32768, 100},
        {"second empty", 32768, 0, 0, "", 32768, 0},
        {"second too long: its first 16 KB", 32768, 20000, 0, "", 32768, 16384},
        {"first one byte short", 32767, 16384, -1, read1, 32767, 0},
        {"first empty", 0, 16384, -1, read1, 0, 0},
        {"first missing: second not opened", MISSING, 16384, -1, open1, 0, 0},
        {"first is a directory", DIRECTORY, 16384, -1, open1, 0, 0},
        {"second missing", 32768, MISSING, -2, open2, 32768, 0},
        {"second is a directory", 32768, DIRECTORY, -2, open2, 32768, 0},
    };
    for (const RomCase& c : cases) {
        SCOPED_TRACE(c.name);
        RomFolder folder;
        RomFolder::place(ROM1_PATH, c.first, 3);
        RomFolder::place(ROM2_PATH, c.second, 5);
        g_rom1.fill(0);
        g_rom2.fill(0);
        testing::internal::CaptureStdout();
        EXPECT_EQ(load_roms(ROM1_PATH, ROM2_PATH), c.result);
        EXPECT_EQ(testing::internal::GetCapturedStdout(), c.printed);
        expect_loaded(g_rom1, c.first_loaded, 3);
        expect_loaded(g_rom2, c.second_loaded, 5);
    }
}

// Whatever stands at either image's path is refused at once unless it leads
// to a regular file that can be read: no wait on a FIFO, no read from a
// device.
TEST(LoadRoms, HostilePaths)
{
    struct Case {
        const char* name;
        PathKind kind;
        bool opens;
    };
    const Case cases[] = {
        {"link to a file", PathKind::LINK_TO_FILE, true},
        {"read-only file", PathKind::READ_ONLY_FILE, true},
        {"file in a read-only folder", PathKind::READ_ONLY_FOLDER, true},
        {"FIFO", PathKind::FIFO, false},
        {"directory", PathKind::DIRECTORY, false},
        {"socket", PathKind::SOCKET, false},
        {"device", PathKind::DEVICE, false},
        {"dangling link", PathKind::DANGLING_LINK, false},
        {"link loop", PathKind::LINK_LOOP, false},
    };
    const Bytes image(ROM1_SIZE, 0x11);  // long enough for either
    for (const char* hostile_path : {ROM1_PATH, ROM2_PATH}) {
        for (const Case& c : cases) {
            SCOPED_TRACE(std::string(hostile_path) + ": " + c.name);
            RomFolder folder;
            RomFolder::place(hostile_path == ROM1_PATH ? ROM2_PATH : ROM1_PATH, ROM1_SIZE, 5);
            HostilePath hostile(c.kind, hostile_path, image);
            testing::internal::CaptureStdout();
            NoBlock guard;
            EXPECT_EQ(load_roms(ROM1_PATH, ROM2_PATH), c.opens ? 0 : hostile_path == ROM1_PATH ? -1 : -2);
            EXPECT_EQ(testing::internal::GetCapturedStdout(),
                      c.opens ? "" : std::string("Error opening ROM ") + hostile_path + ".\n");
        }
    }
}

// A read that fails outright (here: the process's own memory at address 0,
// which is never mapped) is an error for the second image too.
TEST(LoadRoms, SecondImageReadError)
{
    const char* unreadable = "/proc/self/mem";
    if (access(unreadable, R_OK) != 0) {
        GTEST_SKIP() << unreadable << " is not available";
    }
    RomFolder folder;
    RomFolder::place(ROM1_PATH, 32768, 3);
    g_rom1.fill(0);
    g_rom2.fill(0);
    testing::internal::CaptureStdout();
    EXPECT_EQ(load_roms(ROM1_PATH, unreadable), -2);
    EXPECT_EQ(testing::internal::GetCapturedStdout(), "Error reading ROM /proc/self/mem.\n");
    expect_loaded(g_rom2, 0, 5);
}

}  // namespace

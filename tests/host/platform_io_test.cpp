// The host layer: descriptor calls that behave as the machine's file code
// expects on every host, and the diagnostics channel.
#include <gtest/gtest.h>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cstdlib>
#include <fstream>
#include <string>
#include <vector>

#include "platform/debug_output.h"
#include "platform/io.h"
#include "temp_folder.h"

namespace {

TEST(PlatformRead, ReadsUpToTheCountOrTheEnd)
{
    struct Case {
        const char* name;
        std::size_t file_size;
        unsigned int request;
        int result;
    };
    const Case cases[] = {
        {"exact", 100, 100, 100},
        {"short file", 99, 100, 99},
        {"longer file", 101, 100, 100},
        {"empty file", 0, 100, 0},
        {"large read", 300000, 300000, 300000},
    };
    TempFolder folder;
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        const std::string path = folder.file("data", c.file_size);
        const int file = host::_open(path.c_str(), host::OPEN_READ_ONLY | host::OPEN_BINARY);
        ASSERT_GE(file, 0);
        std::vector<char> buffer(c.request + 1, '-');
        EXPECT_EQ(host::_read(file, buffer.data(), c.request), c.result);
        EXPECT_EQ(buffer[c.request], '-') << "nothing written past the count";
        EXPECT_EQ(host::_close(file), 0);
    }
}

TEST(PlatformOpen, RefusesWhatIsNotAFile)
{
    TempFolder folder;
    const std::string missing = folder.path() + "/missing";
    EXPECT_LT(host::_open(missing.c_str(), host::OPEN_READ_ONLY | host::OPEN_BINARY), 0);
    EXPECT_LT(host::_open(folder.path().c_str(), host::OPEN_READ_ONLY | host::OPEN_BINARY), 0);
    EXPECT_LT(host::_open(folder.path().c_str(), host::OPEN_WRITE_ONLY | host::OPEN_CREATE | host::OPEN_BINARY,
                          host::OWNER_READ | host::OWNER_WRITE),
              0);
}

// A new file is its owner's to read and write; an existing one is
// overwritten in place, not truncated.
TEST(PlatformWrite, CreatesAndOverwritesInPlace)
{
    TempFolder folder;
    const std::string path = folder.path() + "/state";
    const int flags = host::OPEN_WRITE_ONLY | host::OPEN_CREATE | host::OPEN_BINARY;
    const int mode = host::OWNER_READ | host::OWNER_WRITE;
    int file = host::_open(path.c_str(), flags, mode);
    ASSERT_GE(file, 0);
    EXPECT_EQ(host::_write(file, "abcdef", 6), 6);
    EXPECT_EQ(host::_close(file), 0);
    struct stat about{};
    ASSERT_EQ(stat(path.c_str(), &about), 0);
    EXPECT_EQ(about.st_mode & (S_IRUSR | S_IWUSR), static_cast<mode_t>(S_IRUSR | S_IWUSR));

    file = host::_open(path.c_str(), flags, mode);
    ASSERT_GE(file, 0);
    EXPECT_EQ(host::_write(file, "XY", 2), 2);
    EXPECT_EQ(host::_close(file), 0);
    std::ifstream in(path, std::ios::binary);
    EXPECT_EQ(std::string(std::istreambuf_iterator<char>(in), {}), "XYcdef");
}

TEST(PlatformWrite, FailureIsReported)
{
    // host::_open opens regular files only; the full device takes the system's own.
    const int file = open("/dev/full", O_WRONLY | O_CLOEXEC);
    if (file < 0) {
        GTEST_SKIP() << "/dev/full is not available";
    }
    EXPECT_EQ(host::_write(file, "abc", 3), -1);
    host::_close(file);
}

TEST(DebugOutput, WholeLinesOnStandardError)
{
    testing::internal::CaptureStderr();
    debug_output("Write to ROM address 0x100 at PC=0x0020.\n");
    debug_output("plain\n");
    EXPECT_EQ(testing::internal::GetCapturedStderr(), "Write to ROM address 0x100 at PC=0x0020.\nplain\n");
}

}  // namespace

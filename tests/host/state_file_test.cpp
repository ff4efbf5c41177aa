// The state file, written and read in a temporary directory.
#include <SDL.h>
#include <gtest/gtest.h>

#include <sys/resource.h>
#include <sys/stat.h>
#include <unistd.h>

#include <climits>
#include <cstdlib>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include "cpu/cpu.h"
#include "debugger/debugger.h"
#include "host_events.h"
#include "host_machine.h"
#include "hostile_paths.h"
#include "platform/paths.h"
#include "shell/events.h"
#include "shell/state_file.h"
#include "temp_folder.h"
#include "video/vdp.h"

namespace {

// Runs a test inside a fresh temporary directory and returns to the old
// current directory afterwards.
class StateFile : public testing::Test {
protected:
    void SetUp() override { reset_host_machine(); }

private:
    TempFolder folder_{TempFolder::ENTER};
};

void write_file(const char* path, const Bytes& bytes)
{
    std::ofstream out(path, std::ios::binary);
    out.write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
}

// A machine in which every saved field has a value of its own.
void make_distinct_state()
{
    for (std::size_t i = 0; i < g_memory.size(); ++i) {
        g_memory[i] = static_cast<uint8_t>(i * 7 + (i >> 8));
    }
    for (std::size_t i = 0; i < g_vdp.vram.size(); ++i) {
        g_vdp.vram[i] = static_cast<uint8_t>(i * 13 + (i >> 8));
    }
    g_cpu.WP = 0xF000;
    g_cpu.PC = 0x1234;
    g_cpu.ST = 0xABCD;
    g_vdp.address = 0x3FFF;
    g_vdp.status = 0x80;
    g_vdp.registers = {0x02, 0xE3, 0x0E, 0xFF, 0x03, 0x36, 0x07, 0xF4};
}

// Everything a state file holds, plus what a load must leave alone.
struct Snapshot {
    decltype(g_memory) memory;
    decltype(Vdp::vram) vram;
    uint16_t wp, pc, st, workspace, vdp_address;
    uint8_t status;
    decltype(Vdp::registers) registers;
    bool latch_pending;
    uint8_t latch_byte;
    int32_t cycles, stopped;

    static Snapshot take()
    {
        return {g_memory,       g_vdp.vram,   g_cpu.WP,           g_cpu.PC,         g_cpu.ST,
                g_cpu.workspace, g_vdp.address, g_vdp.status,     g_vdp.registers, g_vdp.latch_pending,
                g_vdp.latch_byte, g_cycles,     g_debugger.stopped};
    }

    bool operator==(const Snapshot&) const = default;
};

TEST_F(StateFile, Layout)
{
    make_distinct_state();
    ASSERT_EQ(save_state(), 0);
    const Bytes file = read_bytes(STATE_FILE_PATH);
    ASSERT_EQ(file.size(), STATE_FILE_SIZE);
    EXPECT_TRUE(std::equal(g_memory.begin(), g_memory.end(), file.begin()));
    EXPECT_TRUE(std::equal(g_vdp.vram.begin(), g_vdp.vram.end(), file.begin() + 0x10000));
    struct Field {
        const char* name;
        std::size_t offset;
        Bytes bytes;
    };
    const Field fields[] = {
        {"WP", 81920, {0x00, 0xF0}},
        {"PC", 81922, {0x34, 0x12}},
        {"ST", 81924, {0xCD, 0xAB}},
        {"VDP address", 81926, {0xFF, 0x3F}},
        {"VDP status and reserved byte", 81928, {0x80, 0x00}},
        {"VDP registers", 81930,
         {0x02, 0, 0xE3, 0, 0x0E, 0, 0xFF, 0, 0x03, 0, 0x36, 0, 0x07, 0, 0xF4, 0}},
    };
    for (const Field& f : fields) {
        EXPECT_EQ(Bytes(file.begin() + static_cast<std::ptrdiff_t>(f.offset),
                        file.begin() + static_cast<std::ptrdiff_t>(f.offset + f.bytes.size())),
                  f.bytes)
            << f.name;
    }
}

TEST_F(StateFile, RoundTripIsExact)
{
    make_distinct_state();
    g_vdp.latch_pending = true;
    g_vdp.latch_byte = 0x5A;
    g_cycles = 1234;
    const Snapshot saved = Snapshot::take();
    ASSERT_EQ(save_state(), 0);

    reset_host_machine();
    g_vdp.latch_pending = true;
    g_vdp.latch_byte = 0x5A;
    g_cycles = 1234;
    ASSERT_EQ(load_state(), 0);
    EXPECT_TRUE(Snapshot::take() == saved);

    ASSERT_EQ(save_state(), 0);
    const Bytes first = read_bytes(STATE_FILE_PATH);
    ASSERT_EQ(load_state(), 0);
    ASSERT_EQ(save_state(), 0);
    EXPECT_EQ(read_bytes(STATE_FILE_PATH), first);
}

TEST_F(StateFile, LoadedWorkspaceIsFollowed)
{
    struct Case {
        const char* name;
        uint16_t wp;
        int32_t stopped;
    };
    const Case cases[] = {{"even WP", 0xF020, 0}, {"odd WP stops the processor", 0xF021, 1}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        reset_host_machine();
        g_cpu.WP = c.wp;
        ASSERT_EQ(save_state(), 0);
        reset_host_machine();
        ASSERT_EQ(load_state(), 0);
        EXPECT_EQ(g_cpu.workspace, c.wp);
        EXPECT_EQ(g_debugger.stopped, c.stopped);
    }
}

TEST_F(StateFile, ReservedByteIsKeptFromTheLoadedFile)
{
    ASSERT_EQ(save_state(), 0);
    Bytes file = read_bytes(STATE_FILE_PATH);
    file[81929] = 0x5A;
    write_file(STATE_FILE_PATH, file);
    ASSERT_EQ(load_state(), 0);
    ASSERT_EQ(save_state(), 0);
    EXPECT_EQ(read_bytes(STATE_FILE_PATH)[81929], 0x5A);

    // The byte outlives the test; put the usual 0 back for the others.
    file[81929] = 0;
    write_file(STATE_FILE_PATH, file);
    ASSERT_EQ(load_state(), 0);
}

// A longer file loads from its start; a save replaces it with exactly the
// state.
TEST_F(StateFile, LongerFiles)
{
    make_distinct_state();
    ASSERT_EQ(save_state(), 0);
    Bytes longer = read_bytes(STATE_FILE_PATH);
    longer.resize(100000, 0xEE);
    write_file(STATE_FILE_PATH, longer);

    const Snapshot saved = Snapshot::take();
    reset_host_machine();
    ASSERT_EQ(load_state(), 0);
    EXPECT_TRUE(Snapshot::take() == saved) << "a longer file loads from its start";

    g_memory[0] = 0x99;
    ASSERT_EQ(save_state(), 0);
    const Bytes after = read_bytes(STATE_FILE_PATH);
    ASSERT_EQ(after.size(), STATE_FILE_SIZE) << "a save leaves no tail behind";
    EXPECT_EQ(after[0], 0x99);
}

// A load that cannot take a whole state changes nothing and says nothing.
TEST_F(StateFile, RejectedLoads)
{
    struct Case {
        const char* name;
        long size;  // of the file put in place; -1: none, -2: a directory
    };
    const Case cases[] = {
        {"no file", -1},        {"a directory", -2},     {"empty file", 0},
        {"one byte", 1},        {"memory only", 65536},  {"one byte short", 81945},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        std::remove(STATE_FILE_PATH);
        rmdir(STATE_FILE_PATH);
        if (c.size == -2) {
            ASSERT_EQ(mkdir(STATE_FILE_PATH, 0700), 0);
        } else if (c.size >= 0) {
            write_file(STATE_FILE_PATH, Bytes(static_cast<std::size_t>(c.size), 0x11));
        }
        make_distinct_state();
        const Snapshot before = Snapshot::take();
        testing::internal::CaptureStdout();
        testing::internal::CaptureStderr();
        const int result = load_state();
        const std::string out = testing::internal::GetCapturedStdout();
        const std::string err = testing::internal::GetCapturedStderr();
        EXPECT_LT(result, 0);
        EXPECT_TRUE(Snapshot::take() == before);
        EXPECT_EQ(out, "");
        EXPECT_EQ(err, "");
    }
}

// Whatever stands at the state file's path, a save either replaces a
// regular file whole or leaves the path as it was and gives -1; a load takes
// a regular file only. Neither waits (a FIFO has no other end here), nor
// prints anything, nor leaves a file behind.
TEST_F(StateFile, HostilePaths)
{
    const struct {
        const char* name;
        PathKind kind;
        bool no_room;  // under a file-size limit smaller than the state
        int saved;
        int loaded;
    } cases[] = {
        {"regular file", PathKind::FILE, false, 0, 0},
        {"link: the file it names is replaced", PathKind::LINK_TO_FILE, false, 0, 0},
        {"FIFO", PathKind::FIFO, false, -1, -1},
        {"directory", PathKind::DIRECTORY, false, -1, -1},
        {"socket", PathKind::SOCKET, false, -1, -1},
        {"device (disk full)", PathKind::DEVICE, false, -1, -1},
        {"dangling link", PathKind::DANGLING_LINK, false, -1, -1},
        {"link loop", PathKind::LINK_LOOP, false, -1, -1},
        {"read-only file", PathKind::READ_ONLY_FILE, false, -1, 0},
        {"file in a read-only folder", PathKind::READ_ONLY_FOLDER, false, -1, 0},
        {"no room", PathKind::FILE, true, -1, 0},
    };
    make_distinct_state();
    ASSERT_EQ(save_state(), 0);
    const Bytes old_file = read_bytes(STATE_FILE_PATH);
    const Snapshot old_state = Snapshot::take();
    rlimit usual{};
    getrlimit(RLIMIT_FSIZE, &usual);
    const rlimit no_room{4096, usual.rlim_max};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        TempFolder folder{TempFolder::ENTER};
        HostilePath hostile(c.kind, STATE_FILE_PATH, old_file);
        const std::string before = fingerprint(STATE_FILE_PATH);
        const std::vector<std::string> entries = folder_entries(".");
        reset_host_machine();
        g_memory[0x8000] = 0x42;
        const Snapshot new_state = Snapshot::take();
        setrlimit(RLIMIT_FSIZE, c.no_room ? &no_room : &usual);
        testing::internal::CaptureStdout();
        testing::internal::CaptureStderr();
        NoBlock guard;
        const int saved = save_state();
        reset_host_machine();
        const Snapshot cleared = Snapshot::take();
        const int loaded = load_state();
        setrlimit(RLIMIT_FSIZE, &usual);
        EXPECT_EQ(testing::internal::GetCapturedStdout() + testing::internal::GetCapturedStderr(), "");
        EXPECT_EQ(saved, c.saved);
        EXPECT_EQ(loaded, c.loaded);
        EXPECT_EQ(folder_entries("."), entries) << "no file left behind";
        const std::string after = fingerprint(STATE_FILE_PATH);
        if (c.saved == 0) {
            EXPECT_EQ(after.substr(0, after.find(' ')), before.substr(0, before.find(' '))) << "same kind and mode";
            EXPECT_EQ(read_bytes(STATE_FILE_PATH).size(), STATE_FILE_SIZE);
        } else {
            EXPECT_EQ(after, before);
        }
        const Snapshot& expected = c.loaded != 0 ? cleared : c.saved == 0 ? new_state : old_state;
        EXPECT_TRUE(Snapshot::take() == expected);
    }
}

TEST_F(StateFile, NewFileIsReadableAndWritableByItsOwner)
{
    ASSERT_EQ(save_state(), 0);
    struct stat info{};
    ASSERT_EQ(stat(STATE_FILE_PATH, &info), 0);
    EXPECT_EQ(info.st_mode & S_IRWXU, static_cast<mode_t>(S_IRUSR | S_IWUSR));
}

// F5 and F6 work whether or not the overlay is shown.
TEST_F(StateFile, KeysSaveAndLoad)
{
    for (int overlay : {0, 1}) {
        SCOPED_TRACE(overlay ? "overlay shown" : "overlay hidden");
        std::remove(STATE_FILE_PATH);
        make_distinct_state();
        g_debugger.overlay_visible = overlay;
        const Snapshot saved = Snapshot::take();
        push_key_event(true, SDLK_F5);
        poll_events();
        EXPECT_EQ(read_bytes(STATE_FILE_PATH).size(), STATE_FILE_SIZE);

        reset_host_machine();
        g_debugger.overlay_visible = overlay;
        push_key_event(true, SDLK_F6);
        poll_events();
        EXPECT_TRUE(Snapshot::take() == saved);
    }
}

}  // namespace

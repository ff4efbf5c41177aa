// The host's own keys, which no keyboard row reads: pause, fast-forward,
// full screen, reset and screenshot; and what F5 and F6 show in the title.
#include <SDL.h>
#include <gtest/gtest.h>

#include <cstring>
#include <filesystem>
#include <type_traits>
#include <vector>

#include "cpu/cpu.h"
#include "debugger/debugger.h"
#include "display/display.h"
#include "display/window.h"
#include "fake_clock.h"
#include "host_events.h"
#include "host_machine.h"
#include "hostile_paths.h"
#include "overlay_screen.h"
#include "shell/events.h"
#include "shell/start.h"
#include "shell/state_file.h"
#include "shell/title.h"
#include "temp_folder.h"
#include "video/vdp.h"

namespace {

namespace fs = std::filesystem;

// Each case starts windowed, with the window's own surface.
TEST(HostKeys, States)
{
    struct Key {
        bool down;
        unsigned symbol;
        unsigned modifiers = 0;
    };
    struct Case {
        const char* name;
        std::vector<Key> keys;
        int32_t paused;
        int32_t fast_forward;
        int32_t stopped;
        std::vector<unsigned> held;
        bool full_screen = false;
    };
    const Key ALT_RETURN{true, SDLK_RETURN, KMOD_LALT};
    const Case cases[] = {
        {"F3 pauses", {{true, SDLK_F3}, {false, SDLK_F3}}, 1, 0, 0, {}},
        {"F3 again resumes", {{true, SDLK_F3}, {true, SDLK_F3}}, 0, 0, 0, {}},
        {"F1 ends a pause: the debugger holds instead", {{true, SDLK_F3}, {true, SDLK_F1}}, 0, 0, 1, {}},
        {"Tab held fast-forwards and is still recorded", {{true, SDLK_TAB}}, 0, 1, 0, {SDLK_TAB}},
        {"Tab released", {{true, SDLK_TAB}, {false, SDLK_TAB}}, 0, 0, 0, {}},
        {"Alt+Return: full screen, and no keyboard row sees it", {ALT_RETURN}, 0, 0, 0, {}, true},
        {"Alt+Return again: a window", {ALT_RETURN, {true, SDLK_RETURN, KMOD_RALT}}, 0, 0, 0, {}},
        {"Return alone is the machine's", {{true, SDLK_RETURN}}, 0, 0, 0, {SDLK_RETURN}},
    };
    open_window();
    SDL_Surface* window = g_surface;
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        drain_events();
        reset_host_machine();
        for (const Key& key : c.keys) {
            push_key_event(key.down, key.symbol, key.modifiers);
        }
        poll_events();
        EXPECT_EQ(g_paused, c.paused);
        EXPECT_EQ(g_fast_forward, c.fast_forward);
        EXPECT_EQ(g_debugger.stopped, c.stopped);
        EXPECT_EQ(held_keys(), c.held);
        EXPECT_EQ((g_surface->flags & SDL_FULLSCREEN) != 0, c.full_screen);
        EXPECT_EQ(g_surface, window);
        if (c.full_screen) {
            display_toggle_fullscreen();
        }
    }
    events_reset();
}

// The title tells what F5, F6 and F12 did for a few seconds; standard output
// stays as it was.
TEST(HostKeys, TitleNotices)
{
    TempFolder folder(TempFolder::ENTER);
    open_window();
    reset_host_machine();
    FakeClock clock;
    const struct {
        SDLKey key;
        const char* title;
    } cases[] = {
        {SDLK_F6, "pavon - load failed"},  // no file yet
        {SDLK_F5, "pavon - saved"},
        {SDLK_F6, "pavon - loaded"},
        {SDLK_F12, "pavon - screenshot pavon-"},
    };
    testing::internal::CaptureStdout();
    for (const auto& c : cases) {
        press_key(c.key);
        EXPECT_TRUE(std::string(title_text()).starts_with(c.title)) << title_text();
    }
    g_paused = 1;
    EXPECT_TRUE(std::string(title_text()).starts_with("pavon - paused - screenshot pavon-")) << title_text();
    FakeClock::now += NOTICE_SECONDS * 1'000'000'000;
    EXPECT_STREQ(title_text(), "pavon - paused");
    g_paused = 0;
    EXPECT_EQ(testing::internal::GetCapturedStdout(), "");

    fs::remove("pavon.pvn");
    fs::create_directory("pavon.pvn");
    press_key(SDLK_F5);
    EXPECT_STREQ(title_text(), "pavon - save failed");
}

// F4 puts the machine where a fresh start puts it: the same state file, the
// same debugger, the same picture; and the ROM images are read again.
TEST(HostKeys, ResetIsAFreshStart)
{
    TempFolder folder(TempFolder::ENTER);
    fs::create_directory("ROM");
    folder.file("ROM/pavon1.bin", ROM1_SIZE);  // all 'x': WP and PC >7878
    folder.file("ROM/pavon2.bin", 2);
    drain_events();
    testing::internal::CaptureStdout();
    start_up(false);
    ASSERT_EQ(save_state_to("fresh.pvn"), 0);
    const Debugger fresh_debugger = g_debugger;
    const std::vector<uint16_t> fresh_picture = surface_pixels();

    // Memory, video chip, processor, decrementer, keys and debugger changed.
    g_memory[0xF100] = 0x55;
    g_vdp.vram[0x0123] = 0x77;
    g_vdp.registers[7] = 0x06;
    g_cpu.PC = 0x2000;
    g_cycles = 1000;
    g_decrementer_enabled = 1;
    push_key_event(true, SDLK_a);
    poll_events();
    debugger_show();
    for (SDLKey key : {SDLK_F1, SDLK_v, SDLK_PAGEDOWN}) {
        push_key_event(true, key);
    }
    press_key(SDLK_F4);
    EXPECT_EQ(g_cycles, 0);
    EXPECT_EQ(g_decrementer_enabled, 0);
    EXPECT_EQ(held_keys(), std::vector<unsigned>{});
    static_assert(std::has_unique_object_representations_v<Debugger>, "compared byte by byte");
    EXPECT_EQ(std::memcmp(&g_debugger, &fresh_debugger, sizeof(Debugger)), 0);
    EXPECT_EQ(surface_pixels(), fresh_picture);
    ASSERT_EQ(save_state_to("reset.pvn"), 0);
    EXPECT_EQ(read_bytes("reset.pvn"), read_bytes("fresh.pvn"));

    // A shorter second image, read again, leaves zeros as a fresh start does.
    folder.file("ROM/pavon2.bin", 1);
    press_key(SDLK_F4);
    EXPECT_EQ(g_memory[0x8000], 'x');
    EXPECT_EQ(g_memory[0x8001], 0);
    const std::string started = "CPU created....\n WP is 0x7878, PC is 0x7878.\n";
    EXPECT_EQ(testing::internal::GetCapturedStdout(), started + started + started) << "the start, two resets";
}

}  // namespace

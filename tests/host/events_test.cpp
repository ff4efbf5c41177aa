// Host events pushed into SDL's queue and handled by one poll_events call.
#include <SDL.h>
#include <gtest/gtest.h>

#include <vector>

#include "cpu/cpu.h"
#include "debugger/debugger.h"
#include "host_events.h"
#include "host_machine.h"
#include "shell/events.h"
#include "temp_folder.h"

namespace {

struct Key {
    bool down;
    unsigned symbol;
};

Key press(unsigned symbol)
{
    return {true, symbol};
}

Key release(unsigned symbol)
{
    return {false, symbol};
}

void poll(const std::vector<Key>& keys)
{
    for (const Key& key : keys) {
        push_key_event(key.down, key.symbol);
    }
    poll_events();
}

void start(bool overlay)
{
    drain_events();
    reset_host_machine();
    g_debugger.overlay_visible = overlay ? 1 : 0;
    g_debugger.show_vdp_memory = 0;
    g_debugger.dump_address = 0xF000;
}

TEST(EventsKeys, RecordedKeys)
{
    TempFolder folder(TempFolder::ENTER);  // F12 (293) writes a screenshot into the current folder
    struct Case {
        const char* name;
        bool overlay;
        std::vector<Key> keys;
        std::vector<unsigned> held;
    };
    const Case cases[] = {
        {"a press is held", false, {press(SDLK_a)}, {SDLK_a}},
        {"press and release in one poll", false, {press(SDLK_a), release(SDLK_a)}, {}},
        {"edges of the recorded set", false,
         {press(8), press(122), press(273), press(276), press(289), press(292), press(304), press(305), press(306)},
         {8, 122, 273, 276, 289, 292, 304, 305, 306}},
        {"keys outside the recorded set", false,
         {press(7), press(123), press(272), press(277), press(288), press(293), press(303), press(307)}, {}},
        {"symbols beyond the table", false, {press(SDLK_LAST), press(511), press(70000), release(70000)}, {}},
        {"Escape is a key of the machine too", false, {press(SDLK_ESCAPE)}, {SDLK_ESCAPE}},
        {"F10 is a key of the machine while the overlay is hidden", false, {press(SDLK_F10)}, {SDLK_F10}},
        {"overlay swallows presses", true, {press(SDLK_a), press(SDLK_LSHIFT), press(SDLK_F10)}, {}},
        {"overlay swallows press and release", true, {press(SDLK_a), release(SDLK_a)}, {}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        start(c.overlay);
        poll(c.keys);
        EXPECT_EQ(held_keys(), c.held);
    }
}

TEST(EventsKeys, ReleaseReachesTheMachineUnderTheOverlay)
{
    start(false);
    poll({press(SDLK_q), press(SDLK_LSHIFT)});
    g_debugger.overlay_visible = 1;
    poll({release(SDLK_q), release(SDLK_LSHIFT)});
    EXPECT_EQ(held_keys(), std::vector<unsigned>{});
    EXPECT_EQ(g_shift_held, 0);
}

TEST(EventsKeys, ProgramKeysActWhateverIsOnScreen)
{
    for (bool overlay : {false, true}) {
        SCOPED_TRACE(overlay ? "overlay shown" : "overlay hidden");
        start(overlay);
        poll({press(SDLK_LSHIFT)});
        EXPECT_EQ(g_shift_held, 1);
        poll({press(SDLK_ESCAPE)});
        EXPECT_EQ(g_quit, 1);
        poll({release(SDLK_LSHIFT)});
        EXPECT_EQ(g_shift_held, 0);
    }
}

TEST(EventsKeys, OtherEventsAreDropped)
{
    start(false);
    SDL_Event event{};
    event.type = SDL_QUIT;
    ASSERT_EQ(SDL_PushEvent(&event), 0);
    event.type = SDL_MOUSEBUTTONDOWN;
    ASSERT_EQ(SDL_PushEvent(&event), 0);
    poll_events();
    EXPECT_EQ(g_quit, 0);
    EXPECT_EQ(held_keys(), std::vector<unsigned>{});
    SDL_Event left;
    EXPECT_EQ(SDL_PollEvent(&left), 0);
}

TEST(EventsDump, AddressKeys)
{
    struct Case {
        const char* name;
        bool vdp_view;
        int32_t from;
        std::vector<Key> keys;
        int32_t expected;
    };
    const Key shift = press(SDLK_LSHIFT);
    const Case cases[] = {
        {"CPU: Shift+Page Down stops at >FF80", false, 0xF000, {shift, press(SDLK_PAGEDOWN)}, 0xFF80},
        {"CPU: Page Down", false, 0xF000, {press(SDLK_PAGEDOWN)}, 0xF040},
        {"CPU: Page Down near the end", false, 0xFF60, {press(SDLK_PAGEDOWN)}, 0xFF80},
        {"CPU: Shift+Page Up", false, 0xF000, {shift, press(SDLK_PAGEUP)}, 0xE000},
        {"CPU: Page Up stops at 0", false, 0x0020, {press(SDLK_PAGEUP)}, 0},
        {"CPU: Shift released again", false, 0xF000, {shift, release(SDLK_LSHIFT), press(SDLK_PAGEUP)}, 0xEFC0},
        {"CPU: Down", false, 0xFF78, {press(SDLK_DOWN)}, 0xFF80},
        {"CPU: Down at the end", false, 0xFF80, {press(SDLK_DOWN)}, 0xFF80},
        {"CPU: Up", false, 0x0008, {press(SDLK_UP)}, 0},
        {"CPU: Home", false, 0x1230, {press(SDLK_HOME)}, 0xF000},
        {"CPU: End", false, 0x1230, {press(SDLK_END)}, 0xFF80},
        {"CPU: p shows the VDP ports", false, 0x1230, {press(SDLK_p)}, 0xE000},
        {"VDP: End", true, 0x0100, {press(SDLK_END)}, 0x3F80},
        {"VDP: Home", true, 0x0100, {press(SDLK_HOME)}, 0},
        {"VDP: Up at 0", true, 0, {press(SDLK_UP)}, 0},
        {"VDP: Down at the end", true, 0x3F80, {press(SDLK_DOWN)}, 0x3F80},
        {"VDP: Shift+Page Down", true, 0x3000, {shift, press(SDLK_PAGEDOWN)}, 0x3F80},
        {"VDP: p stays inside video memory", true, 0x0100, {press(SDLK_p)}, 0x3F80},
        {"several keys in one poll", false, 0xF000, {press(SDLK_DOWN), press(SDLK_DOWN), press(SDLK_UP)}, 0xF008},
        // The dump limit is the one of the view the poll began in, for every
        // key of that poll; p alone follows the view shown when it is pressed.
        {"v then End keeps the CPU view's limit", false, 0xF000, {press(SDLK_v), press(SDLK_END)}, 0xFF80},
        {"c then End keeps the VDP view's limit", true, 0x0100, {press(SDLK_c), press(SDLK_END)}, 0x3F80},
        {"c then p shows the VDP ports", true, 0x0100, {press(SDLK_c), press(SDLK_p)}, 0xE000},
        {"v then p stays inside video memory", false, 0xF000, {press(SDLK_v), press(SDLK_p)}, 0x3F80},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        start(true);
        g_debugger.show_vdp_memory = c.vdp_view ? 1 : 0;
        g_debugger.dump_address = c.from;
        poll(c.keys);
        EXPECT_EQ(g_debugger.dump_address, c.expected);
    }
}

TEST(EventsDump, KeysNeedTheOverlay)
{
    start(false);
    poll({press(SDLK_PAGEDOWN), press(SDLK_END), press(SDLK_p), press(SDLK_v), press(SDLK_F2)});
    EXPECT_EQ(g_debugger.dump_address, 0xF000);
    EXPECT_EQ(g_debugger.show_vdp_memory, 0);
    EXPECT_EQ(g_debugger.overlay_visible, 0);
}

TEST(EventsDebugger, ViewAndRunKeys)
{
    start(true);
    g_debugger.stopped = 1;
    poll({press(SDLK_v)});
    EXPECT_EQ(g_debugger.show_vdp_memory, 1);
    poll({press(SDLK_c)});
    EXPECT_EQ(g_debugger.show_vdp_memory, 0);
    poll({press(SDLK_F2)});
    EXPECT_EQ(g_debugger.stopped, 0);
    EXPECT_EQ(g_debugger.overlay_visible, 1);
    poll({press(SDLK_e)});
    EXPECT_EQ(g_debugger.overlay_visible, 0);
    g_debugger.stopped = 1;
    poll({press(SDLK_e)});
    EXPECT_EQ(g_debugger.stopped, 1) << "e is a key of the machine while the overlay is hidden";
    EXPECT_EQ(held_keys(), std::vector<unsigned>{SDLK_e});
}

// F1 stops a running processor; while it is stopped, F1 executes exactly
// one instruction.
TEST(EventsDebugger, StopAndSingleStep)
{
    struct Case {
        const char* name;
        bool overlay;
        bool stopped;
        int presses;
        uint16_t pc;  // expected after the poll
    };
    const Case cases[] = {
        {"F1 stops", false, false, 1, 0x0100},
        {"F1 steps while stopped", true, true, 1, 0x0102},
        {"two F1: stop, then one step", false, false, 2, 0x0102},
        {"two F1 under the overlay", true, false, 2, 0x0102},
        {"three F1 while stopped", true, true, 3, 0x0106},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        start(c.overlay);
        g_debugger.stopped = c.stopped ? 1 : 0;
        poke_words(0x0100, {0x1000, 0x1000, 0x1000, 0x1000});  // NOP
        poll(std::vector<Key>(static_cast<std::size_t>(c.presses), press(SDLK_F1)));
        EXPECT_EQ(g_debugger.stopped, 1);
        EXPECT_EQ(g_cpu.PC, c.pc);
        EXPECT_EQ(g_cycles > 0, c.pc != 0x0100);
    }
}

}  // namespace

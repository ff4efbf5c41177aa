// F1 during an interrupt service: the processor holds after the service's
// RTWP, or, for a service that never returns, within the next frame.
#include <SDL.h>
#include <gtest/gtest.h>

#include "debugger/debugger.h"
#include "host_machine.h"
#include "overlay_screen.h"
#include "shell/events.h"
#include "shell/frame_loop.h"

namespace {

constexpr uint16_t LIMI = 0x0300;
constexpr uint16_t LWPI = 0x02E0;
constexpr uint16_t B = 0x0460;  // with a symbolic address after it
constexpr uint16_t JMP_SELF = 0x10FF;
constexpr uint16_t RTWP = 0x0380;
constexpr uint16_t MAIN_LOOP = 0x0104;
constexpr uint16_t SERVICE = 0x0200;

TEST(OverdueStop, F1DuringAnInterruptService)
{
    struct Case {
        const char* name;
        std::initializer_list<uint16_t> service;
        uint16_t held_at;
        int32_t cycles_to_hold;  // spent in the last frame before the hold
    };
    const Case cases[] = {
        {"returning: held after its RTWP", {RTWP}, MAIN_LOOP, 14},
        {"never returning: held at the next service's start", {LWPI, 0xF000, B, MAIN_LOOP}, SERVICE, 0},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        start_overlay_machine();
        poke_words(0x000C, {0xF020, SERVICE});  // level-3 vector
        poke_words(0x0100, {LIMI, 3, JMP_SELF});
        poke_words(SERVICE, c.service);
        run_frame();  // ends by taking the frame interrupt
        push_key(SDLK_F1);
        run_frame();  // sees F1 at its end, just after the next interrupt
        push_key(SDLK_ESCAPE);
        run_frame();
        g_quit = 0;

        // Held, the frame executes nothing and polls the events at every turn.
        g_cycles = 0;
        push_key(SDLK_ESCAPE);
        run_instructions();
        g_quit = 0;
        EXPECT_EQ(g_cycles, c.cycles_to_hold);
        EXPECT_EQ(g_cpu.PC, c.held_at);
        EXPECT_EQ(g_debugger.stopped, 1);
        EXPECT_EQ(g_debugger.in_interrupt, 0);
    }
}

}  // namespace

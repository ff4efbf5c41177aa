// The overlay as the user drives it: keys go through the host event queue.
#include <SDL.h>
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "debugger/debugger.h"
#include "host_machine.h"
#include "overlay_screen.h"
#include "shell/events.h"
#include "shell/frame_loop.h"
#include "video/vdp.h"

namespace {

std::string grid_text(int column, int row, int length)
{
    const auto* cells = g_debugger.text_grid.data() + row * TEXT_COLUMNS + column;
    return std::string(cells, cells + length);
}

}  // namespace

// Scrolling one view never moves the other view's dump.
TEST(DebuggerKeys, EachViewKeepsItsDumpAddress)
{
    struct Step {
        SDLKey key;
        int32_t view;  // show_vdp_memory after the key
        int32_t dump_address;
        const char* first_line;
    };
    const Step steps[] = {
        {SDLK_DOWN, 0, 0xF008, "F008"},     {SDLK_DOWN, 0, 0xF010, "F010"}, {SDLK_v, 1, 0x0000, "0000"},
        {SDLK_PAGEDOWN, 1, 0x0040, "0040"}, {SDLK_c, 0, 0xF010, "F010"},    {SDLK_v, 1, 0x0040, "0040"},
        {SDLK_c, 0, 0xF010, "F010"},
    };
    start_overlay_machine();
    debugger_show();
    for (const Step& step : steps) {
        press_key(step.key);
        debugger_draw_view();
        SCOPED_TRACE(SDL_GetKeyName(step.key));
        EXPECT_EQ(g_debugger.show_vdp_memory, step.view);
        EXPECT_EQ(g_debugger.dump_address, step.dump_address);
        EXPECT_EQ(screen_text(18, 0, 4), step.first_line);
    }
}

TEST(DebuggerKeys, LeavingWithEShowsThePictureAtOnce)
{
    start_overlay_machine();
    const std::vector<uint16_t> picture = surface_pixels();
    g_debugger.stopped = 1;
    debugger_show();
    press_key(SDLK_e);
    EXPECT_EQ(g_debugger.overlay_visible, 0);
    EXPECT_EQ(g_debugger.stopped, 0);
    EXPECT_EQ(surface_pixels(), picture);
}

// F1 while running: the next frame turn brings the overlay up in the view
// chosen last, with the values where the processor stopped.
TEST(DebuggerKeys, StopComesUpInTheLastChosenView)
{
    start_overlay_machine();
    poke_words(0x0100, {0x10FF});  // JMP to itself
    debugger_show();
    press_key(SDLK_v);
    press_key(SDLK_e);
    g_vdp.address = 0x2345;

    push_key(SDLK_F1);  // seen at the frame's end
    run_frame();
    EXPECT_EQ(g_debugger.stopped, 1);
    EXPECT_EQ(g_debugger.overlay_visible, 0);
    push_key(SDLK_ESCAPE);
    run_frame();

    EXPECT_EQ(g_debugger.stopped, 1);
    EXPECT_EQ(g_debugger.overlay_visible, 1);
    EXPECT_EQ(grid_text(0, 0, 13), "VGP REGISTERS");
    EXPECT_EQ(grid_text(0, 1, 2), "MP");
    EXPECT_EQ(grid_text(4, 1, 4), "2345");
}

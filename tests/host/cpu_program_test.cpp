// A small program run frame by frame as the program runs it: a main loop with
// the frame interrupt enabled, an interrupt routine that counts, and the
// decrementer switched on through the CRU.
#include <gtest/gtest.h>

#include "core/cpu_program.h"
#include "debugger/debugger.h"
#include "host_machine.h"
#include "shell/frame_loop.h"

namespace {

TEST(ProgramInFrames, InterruptsDecrementerAndMainLoop)
{
    reset_host_machine();
    poke_words(0x000C, {0xF020, 0x0200});  // level-3 vector
    poke_words(0x0100, {
                           0x0300, 0x0003,  // LIMI 3
                           0x020C, 0x1EE0,  // LI   R12,>1EE0
                           0x1D02,          // SBO  2: decrementer on
                           0x0581,          // INC  R1
                           0x10FE,          // JMP  back to the INC
                       });
    poke_words(0x0200, {
                           0x05A0, 0xF100,  // INC  @>F100
                           0x0380,          // RTWP
                       });
    poke_words(0xF100, {0x0000});
    poke_words(DECREMENTER_ADDRESS, {0x0100});
    set_reg(1, 0);

    constexpr int FRAMES = 5;
    for (int frame = 0; frame < FRAMES; ++frame) {
        run_frame();
    }
    // The last interrupt's routine runs in the next frame.
    EXPECT_EQ(mem_read_word(0xF100), FRAMES - 1);
    EXPECT_EQ(mem_read_word(DECREMENTER_ADDRESS), 0x0100 - FRAMES);
    EXPECT_EQ(g_cpu.WP, 0xF020);
    EXPECT_EQ(g_cpu.PC, 0x0200);
    EXPECT_EQ(g_debugger.in_interrupt, 1);
    EXPECT_EQ(g_cpu.ST & ST_INT_MASK, 3);
    // The main loop's R1 (INC 10, JMP 10 cycles) got nearly every cycle.
    EXPECT_GT(mem_read_word(TEST_WP + 2), FRAMES * (CYCLES_PER_FRAME / 20 - 10));
}

}  // namespace

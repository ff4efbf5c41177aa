// Runs every test with a real SDL video subsystem on the dummy driver, so
// that surfaces exist and their pixels can be read without a display. The
// machine's output channels are connected as the program connects them.
#include <SDL.h>
#include <gtest/gtest.h>

#include <cstdlib>

#include "machine/messages.h"
#include "platform/console.h"
#include "platform/debug_output.h"
#include "platform/signals.h"

int main(int argc, char** argv)
{
    g_machine_output = {console_print, debug_output};
    setenv("SDL_VIDEODRIVER", "dummy", 0);
    if (SDL_Init(SDL_INIT_VIDEO) < 0) {
        return 1;
    }
    restore_default_signals();
    testing::InitGoogleTest(&argc, argv);
    const int result = RUN_ALL_TESTS();
    SDL_Quit();
    return result;
}

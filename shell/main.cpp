// Start-up: the video system, the ROM images, the processor, the window and
// the debugger, then frames until Escape.
#include <SDL.h>

#include <cstdio>
#include <cstdlib>

#include "bus/machine.h"
#include "cpu/cpu.h"
#include "debugger/debugger.h"
#include "display/window.h"
#include "machine/messages.h"
#include "platform/console.h"
#include "platform/debug_output.h"
#include "platform/paths.h"
#include "platform/signals.h"
#include "shell/frame_loop.h"
#include "shell/rom.h"

// The command line is accepted and ignored.
int main(int, char**)
{
    g_machine_output = {console_print, debug_output};
    if (SDL_Init(SDL_INIT_VIDEO) < 0) {
        std::printf("Couldn`t load SDL.\n");
        return -1;
    }
    restore_default_signals();
    std::atexit(SDL_Quit);
    // Neither a failed ROM load nor a window that cannot open stops the machine.
    load_roms(ROM1_PATH, ROM2_PATH);
    machine_reset();  // every record at its start value: no key held
    cpu_create(g_rom1, g_rom2);
    display_open();
    debugger_init();
    frame_loop();
    SDL_Quit();
    return 0;
}

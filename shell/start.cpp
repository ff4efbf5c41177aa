#include "shell/start.h"

#include <SDL.h>

#include <cstdio>

#include "bus/machine.h"
#include "cpu/cpu.h"
#include "debugger/debug_hooks.h"
#include "debugger/debugger.h"
#include "display/window.h"
#include "platform/paths.h"
#include "shell/options.h"
#include "shell/rom.h"

namespace {

// The ROM images read, every record at its start value, the processor
// created from the images' reset vector. With --demo the images are the
// installed demo's; everything the program writes still goes to the
// current folder. When `program_needed` and the first image cannot be read,
// nothing starts (false).
bool start_machine(bool program_needed)
{
    const RomPaths roms = rom_paths(g_options.demo ? demo_folder() : std::string());
    if (load_roms(roms.first.c_str(), roms.second.c_str()) == FIRST_ROM_FAILED && program_needed) {
        std::fprintf(stderr, "pavon: a headless run needs its program: %s cannot be read\n", roms.first.c_str());
        return false;
    }
    machine_reset();  // every record at its start value: no key held
    cpu_create(g_rom1, g_rom2);
    return true;
}

// The debugger starts by letting the processor run; the reset vector's
// workspace pointer is then checked as every loaded one is.
void start_debugger()
{
    debugger_init();
    cpu_set_workspace(g_cpu.WP);
}

}  // namespace

bool start_up(bool program_needed)
{
    if (!start_machine(program_needed)) {
        return false;
    }
    if (display_open() < 0) {
        std::fprintf(stderr, "pavon: the window cannot be opened (%s); the machine runs without a picture\n",
                     SDL_GetError());
    } else if (!display_visible()) {
        std::fprintf(stderr, "pavon: no display can be reached; the machine runs without a visible window\n");
    }
    start_debugger();
    return true;
}

void restart()
{
    start_machine(false);
    display_restart();
    start_debugger();
    if (g_debugger.stopped) {
        debug_hold({StopCause::ODD_WORKSPACE, g_cpu.WP});  // from the reset vector, as at start-up
    }
}

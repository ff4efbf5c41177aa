#include "shell/start.h"

#include <SDL.h>

#include <cstdio>

#include "bus/machine.h"
#include "cpu/cpu.h"
#include "debugger/debugger.h"
#include "display/window.h"
#include "platform/paths.h"
#include "shell/options.h"
#include "shell/rom.h"

namespace {

// The ROM images read, every record at its start value, the processor
// created from the images' reset vector. With --demo the images are the
// installed demo's; everything the program writes still goes to the
// current folder.
void start_machine()
{
    const RomPaths roms = rom_paths(g_options.demo ? demo_folder() : std::string());
    load_roms(roms.first.c_str(), roms.second.c_str());
    machine_reset();  // every record at its start value: no key held
    cpu_create(g_rom1, g_rom2);
}

}  // namespace

void start_up()
{
    start_machine();
    if (display_open() < 0) {
        std::fprintf(stderr, "pavon: the window cannot be opened (%s); the machine runs without a picture\n",
                     SDL_GetError());
    } else if (!display_visible()) {
        std::fprintf(stderr, "pavon: no display can be reached; the machine runs without a visible window\n");
    }
    debugger_init();
}

void restart()
{
    start_machine();
    display_restart();
    debugger_init();
}

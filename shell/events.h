// The host's event queue: the recorded key states of the emulated keyboard
// and the program's own keys.
#pragma once

#include <SDL.h>

#include <array>
#include <cstdint>

extern std::array<uint8_t, SDLK_LAST> g_keys;  // 1 while the key is held, by SDL key symbol
extern int32_t g_shift_held;                  // left Shift held: large dump steps
extern int32_t g_quit;                        // set by Escape; ends the frame loop

// Handles every queued event: key states, quit, save and load, and the
// debugger's keys. Every other kind of event, the window's close request
// included, is dropped.
void poll_events();

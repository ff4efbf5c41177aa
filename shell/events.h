// The host's event queue: the recorded key states of the emulated keyboard
// and the program's own keys.
#pragma once

#include <cstdint>

#include "machine/key_state.h"  // g_keys: 1 while the key is held, by key symbol

extern int32_t g_shift_held;    // left Shift held: large dump steps
extern int32_t g_quit;          // set by Escape; ends the frame loop
extern int32_t g_paused;        // F3: no frame runs until F3 again (or F1)
extern int32_t g_fast_forward;  // Tab held: frames unpaced
extern int32_t g_rewind_held;   // Backspace held: each frame takes the machine back one

// Handles every queued event: key states, quit, save and load, the host's
// own keys and the debugger's keys. Every other kind of event, the window's
// close request included, is dropped. Returns the number of key presses
// handled.
int poll_events();

// Another source of commands, polled with the events (the debug adapter):
// returns how many it handled that changed the machine, which count as key
// presses. Null: none.
extern int (*g_command_poll)();

// Shift not held, not quitting, not paused, as at start-up. (The key states
// are the machine's: machine_reset clears them.)
void events_reset();

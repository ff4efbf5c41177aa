// The machine as the program starts it, and the reset key that starts it
// again the same way without reopening the window.
#pragma once

// After SDL_Init: the ROM images read, every record at its start value, the
// processor created from the reset vector, the window opened (which resets
// the VDP) and the debugger set up. A window that cannot be opened is
// reported in one line on standard error; the machine runs without a picture.
// An odd workspace pointer in the reset vector stops the processor, as one
// loaded anywhere else does. When `program_needed` and the first image cannot
// be read, nothing starts (false, after one line on standard error): a
// headless run would only run zeros.
bool start_up(bool program_needed);

// The same with the window kept: repainted as at its opening, the VDP reset
// (only if a window is open, as at start-up). ROM images that have
// changed on disk are read as they are now.
void restart();

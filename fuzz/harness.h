// What the fuzz targets share: the program as it starts, on SDL's dummy
// video driver and with the machine's output channels left unconnected (the
// diagnostics would cost more than the machine), and frames run with keys
// pressed as a user would press them.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>

// Once per process, from LLVMFuzzerInitialize: SDL, the window, a folder
// for the input files, and standard output (where ROM errors are printed)
// sent to /dev/null.
void fuzz_start();

// Writes `size` bytes as the file `name` in the process's own folder, and
// gives its path.
std::string fuzz_file(const char* name, const uint8_t* bytes, std::size_t size);

// Start-up from the ROM buffers as they stand: every record reset, the
// processor created from the images, the debugger at its start, the last
// two frames kept to go back to.
void fuzz_start_machine();

// Runs `frames` frames. Each key byte is an event: its low six bits choose
// a key (a key of the emulated keyboard or a debugger key, never one that
// writes a file or quits), and its top two bits the frame before which the
// key goes down, or up if it is held (64 events a frame at the most). Each
// frame ends at its first event poll (as Escape is in the queue): at its
// end when the processor runs freely, else at once.
void fuzz_run_frames(int frames, const uint8_t* keys, std::size_t count);

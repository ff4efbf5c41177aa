// The whole machine in one file: memory, video memory, the processor's
// registers and the VDP's, with no header.
#pragma once

#include <cstddef>

constexpr std::size_t STATE_FILE_SIZE = 81946;

// Overwrites the first STATE_FILE_SIZE bytes of the state file (creating it
// if needed; a longer file keeps its tail). Negative if the file cannot be
// opened or a write falls short, else the result of closing it.
int save_state();

// Restores the machine from the state file's first STATE_FILE_SIZE bytes.
// A missing, unreadable or short file changes nothing and gives a negative
// value; otherwise the result of closing it.
int load_state();

// The same with a file of another name.
int save_state_to(const char* path);
int load_state_from(const char* path);

// The whole machine in one file: memory, video memory, the processor's
// registers and the VDP's, with no header.
#pragma once

#include <cstddef>
#include <cstdint>

constexpr std::size_t STATE_FILE_SIZE = 81946;

// The byte after the VDP status has no meaning; a loaded file's value is
// kept and written back.
extern uint8_t g_state_file_reserved;

// Replaces the state file with one of exactly STATE_FILE_SIZE bytes, as
// write_file_atomically does: 0 on success; -1 on any failure, with the
// previous file, if any, left as it was.
int save_state();

// Restores the machine from the state file's first STATE_FILE_SIZE bytes.
// A missing, unreadable or short file, or anything but a regular file,
// changes nothing and gives a negative value; otherwise the result of
// closing it.
int load_state();

// The same with a file of another name.
int save_state_to(const char* path);
int load_state_from(const char* path);

// The files the page hands the machine (ROM images, state files), each
// checked whole before anything changes, and the state file it takes away.
// They go through the same files as on the desktop, in the page's memory:
// ROM/pavon1.bin, ROM/pavon2.bin and pavon.pvn.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>

#include "shell/state_file.h"

constexpr std::size_t STATE_FILE_BYTES = STATE_FILE_SIZE;

// Bytes from the page under the name it gave them.
struct PageFile {
    std::string name;
    const uint8_t* bytes;
    int size;
};

// Two images of the right sizes become the ROM images and the machine starts
// again as at start-up (frames counted from 0 again). "" on success, else
// why not, the machine untouched.
std::string load_rom_images(const PageFile& first, const PageFile& second);

// A state file of the right size becomes pavon.pvn and is loaded, as F6
// loads it. "" on success, else why not, the machine untouched.
std::string load_state_file(const PageFile& state);

// The machine saved as F5 saves it, then the file's bytes (STATE_FILE_BYTES
// of them); null when it could not be saved.
const uint8_t* save_state_file();

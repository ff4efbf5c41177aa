// The two ROM images, read at start-up (and at a reset) into staging
// buffers, which are cleared first: all zero where nothing was read.
#pragma once

#include <array>
#include <cstdint>
#include <string>

#include "cpu/cpu.h"

extern std::array<uint8_t, ROM1_SIZE> g_rom1;
extern std::array<uint8_t, ROM2_SIZE> g_rom2;

// 0 on success, -1 (after printing why) on any failure.
int load_roms(const char* first_path, const char* second_path);

// ROM/pavon1.bin and ROM/pavon2.bin inside `folder`; an empty folder gives
// them as they always were, relative to the current folder.
struct RomPaths {
    std::string first;
    std::string second;
};
RomPaths rom_paths(const std::string& folder);

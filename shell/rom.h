// The two ROM images, read at start-up (and at a reset) into staging
// buffers, which are cleared first: all zero where nothing was read.
#pragma once

#include <array>
#include <cstdint>
#include <string>

#include "cpu/cpu.h"

extern std::array<uint8_t, ROM1_SIZE> g_rom1;
extern std::array<uint8_t, ROM2_SIZE> g_rom2;

// 0 on success; after printing why, FIRST_ROM_FAILED when the first image
// could not be read whole, SECOND_ROM_FAILED when only the second failed.
constexpr int FIRST_ROM_FAILED = -1;
constexpr int SECOND_ROM_FAILED = -2;
int load_roms(const char* first_path, const char* second_path);

// ROM/pavon1.bin and ROM/pavon2.bin inside `folder`; an empty folder gives
// them as they always were, relative to the current folder.
struct RomPaths {
    std::string first;
    std::string second;
};
RomPaths rom_paths(const std::string& folder);

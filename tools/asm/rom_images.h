// The two ROM images that the machine loads at start-up: 32 KB placed at
// >0000 and 16 KB placed at >8000, raw big-endian bytes.
#pragma once

#include <array>
#include <cstdint>
#include <string>

#include "tools/asm/assembler.h"

struct RomImages {
    std::array<uint8_t, ROM1_SIZE> first{};   // from ROM1_START
    std::array<uint8_t, ROM2_SIZE> second{};  // from ROM2_START
};

// Lays out the program's bytes; bytes that nothing places stay 0.
void build_rom_images(const Program& program, RomImages& images);

// Writes DIRECTORY/ROM/pavon1.bin and DIRECTORY/ROM/pavon2.bin, creating
// the folders. Both images go to temporary files first and are renamed into
// place only when both are written whole, so a failed write leaves older
// images untouched. False, with the reason in `error`, on failure.
bool write_rom_images(const RomImages& images, const std::string& directory, std::string& error);

// The two ROM images that the machine loads at start-up: 32 KB placed at
// >0000 and 16 KB placed at >8000, raw big-endian bytes.
#pragma once

#include <array>
#include <cstdint>
#include <string>
#include <vector>

#include "tools/asm/assembler.h"
#include "tools/tool_files.h"

struct RomImages {
    std::array<uint8_t, ROM1_SIZE> first{};   // from ROM1_START
    std::array<uint8_t, ROM2_SIZE> second{};  // from ROM2_START
};

// Lays out the program's bytes; bytes that nothing places stay 0.
void build_rom_images(const Program& program, RomImages& images);

// The two images as the files DIRECTORY/ROM/pavon1.bin and
// DIRECTORY/ROM/pavon2.bin (their bytes refer to `images`).
std::vector<OutputFile> rom_image_files(const RomImages& images, const std::string& directory);

// Creates DIRECTORY/ROM. False, with the reason in `error`, when it cannot.
bool make_rom_folder(const std::string& directory, std::string& error);

// Writes both images whole, both or neither, creating the folders. False,
// with the reason in `error`, on failure.
bool write_rom_images(const RomImages& images, const std::string& directory, std::string& error);

// Laying a program out into the two ROM images and writing them.
#include <gtest/gtest.h>

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <iterator>

#include "asm_support.h"
#include "tools/asm/rom_images.h"

namespace {

std::vector<uint8_t> file_bytes(const std::filesystem::path& path)
{
    std::ifstream file(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(file), std::istreambuf_iterator<char>()};
}

}  // namespace

TEST(AsmRomImages, BytesLandInTheImageOfTheirAddress)
{
    const Program program = assemble(" DATA >F000, >0100\n AORG >7FFF\n BYTE >11, >22\n AORG >BFFE\n DATA >3344\n",
                                     "rom.asm");
    ASSERT_EQ(all_errors(program), "");
    RomImages images;
    images.first.fill(0xEE);  // everything that nothing places must end up 0
    build_rom_images(program, images);
    EXPECT_EQ(images.first[0], 0xF0);
    EXPECT_EQ(images.first[3], 0x00);
    EXPECT_EQ(images.first[4], 0x00);
    EXPECT_EQ(images.first[0x7FFF], 0x11);
    EXPECT_EQ(images.second[0], 0x22);
    EXPECT_EQ(images.second[0x3FFE], 0x33);
    EXPECT_EQ(images.second[0x3FFF], 0x44);
}

TEST(AsmRomImages, WritingReplacesBothImagesWhole)
{
    const std::filesystem::path folder = std::filesystem::temp_directory_path() / "pavon_asm_rom_images_test";
    std::filesystem::remove_all(folder);
    std::filesystem::create_directories(folder / "ROM");
    std::ofstream(folder / "ROM" / "pavon1.bin") << "an older, longer image that must be replaced entirely";

    RomImages images;
    images.first[1] = 0xAB;
    images.second[0x3FFF] = 0xCD;
    std::string error;
    ASSERT_TRUE(write_rom_images(images, folder.string(), error)) << error;

    const std::vector<uint8_t> first = file_bytes(folder / "ROM" / "pavon1.bin");
    const std::vector<uint8_t> second = file_bytes(folder / "ROM" / "pavon2.bin");
    ASSERT_EQ(first.size(), 0x8000u);
    ASSERT_EQ(second.size(), 0x4000u);
    EXPECT_EQ(first[1], 0xAB);
    EXPECT_EQ(second[0x3FFF], 0xCD);
    EXPECT_FALSE(std::filesystem::exists(folder / "ROM" / "pavon1.bin.tmp"));

    // A folder that cannot be created is reported, not written round.
    std::ofstream(folder / "blocker") << "a file where a folder should go";
    EXPECT_FALSE(write_rom_images(images, (folder / "blocker").string(), error));
    EXPECT_NE(error.find("cannot create"), std::string::npos) << error;
    std::filesystem::remove_all(folder);
}

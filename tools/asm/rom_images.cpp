#include "tools/asm/rom_images.h"

#include <filesystem>

void build_rom_images(const Program& program, RomImages& images)
{
    images.first.fill(0);
    images.second.fill(0);
    for (const Segment& segment : program.segments) {
        for (std::size_t i = 0; i < segment.bytes.size(); ++i) {
            const std::size_t address = segment.start + i;
            if (address < images.first.size()) {
                images.first[address] = segment.bytes[i];
            } else if (address - images.first.size() < images.second.size()) {
                images.second[address - images.first.size()] = segment.bytes[i];
            }
        }
    }
}

std::vector<OutputFile> rom_image_files(const RomImages& images, const std::string& directory)
{
    const std::filesystem::path folder = std::filesystem::path(directory) / "ROM";
    const auto bytes = [](const auto& image) {
        return std::string_view(reinterpret_cast<const char*>(image.data()), image.size());
    };
    return {{(folder / "pavon1.bin").string(), bytes(images.first)},
            {(folder / "pavon2.bin").string(), bytes(images.second)}};
}

bool make_rom_folder(const std::string& directory, std::string& error)
{
    const std::filesystem::path folder = std::filesystem::path(directory) / "ROM";
    std::error_code code;
    std::filesystem::create_directories(folder, code);
    if (code) {
        error = "cannot create " + folder.string() + ": " + code.message();
        return false;
    }
    return true;
}

bool write_rom_images(const RomImages& images, const std::string& directory, std::string& error)
{
    return make_rom_folder(directory, error) && write_files_whole(rom_image_files(images, directory), error);
}

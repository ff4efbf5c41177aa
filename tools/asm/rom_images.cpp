#include "tools/asm/rom_images.h"

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <filesystem>

namespace {

bool write_file(const std::filesystem::path& path, const uint8_t* data, std::size_t size, std::string& error)
{
    std::FILE* file = std::fopen(path.c_str(), "wb");
    if (file == nullptr) {
        error = "cannot create " + path.string() + ": " + std::strerror(errno);
        return false;
    }
    const bool written = std::fwrite(data, 1, size, file) == size;
    const int saved_errno = errno;
    const bool closed = std::fclose(file) == 0;
    if (!written || !closed) {
        error = "cannot write " + path.string() + ": " + std::strerror(written ? errno : saved_errno);
        std::remove(path.c_str());
        return false;
    }
    return true;
}

}  // namespace

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

bool write_rom_images(const RomImages& images, const std::string& directory, std::string& error)
{
    const std::filesystem::path folder = std::filesystem::path(directory) / "ROM";
    std::error_code code;
    std::filesystem::create_directories(folder, code);
    if (code) {
        error = "cannot create " + folder.string() + ": " + code.message();
        return false;
    }
    const std::filesystem::path first = folder / "pavon1.bin";
    const std::filesystem::path second = folder / "pavon2.bin";
    const std::filesystem::path first_temporary = folder / "pavon1.bin.tmp";
    const std::filesystem::path second_temporary = folder / "pavon2.bin.tmp";
    if (!write_file(first_temporary, images.first.data(), images.first.size(), error)) {
        return false;
    }
    if (!write_file(second_temporary, images.second.data(), images.second.size(), error)) {
        std::remove(first_temporary.c_str());
        return false;
    }
    std::filesystem::rename(first_temporary, first, code);
    if (!code) {
        std::filesystem::rename(second_temporary, second, code);
    }
    if (code) {
        error = "cannot replace the images in " + folder.string() + ": " + code.message();
        std::remove(first_temporary.c_str());
        std::remove(second_temporary.c_str());
        return false;
    }
    return true;
}

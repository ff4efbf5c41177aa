#include "shell/rom.h"

#include "machine/messages.h"
#include "platform/io.h"
#include "platform/paths.h"

std::array<uint8_t, ROM1_SIZE> g_rom1{};
std::array<uint8_t, ROM2_SIZE> g_rom2{};

namespace {

// Through the user's message channel, which the host connects to standard
// output (or to the debug adapter's client).
int report(const char* what, const char* path, int failure)
{
    machine_message("%s %s.\n", what, path);
    return failure;
}

}  // namespace

int load_roms(const char* first_path, const char* second_path)
{
    // All zero where nothing is read, also when the images are read again.
    g_rom1.fill(0);
    g_rom2.fill(0);
    int file = host::_open(first_path, host::OPEN_READ_ONLY | host::OPEN_BINARY);
    if (file < 0) {
        return report("Error opening ROM", first_path, FIRST_ROM_FAILED);
    }
    if (host::_read(file, g_rom1.data(), ROM1_SIZE) < static_cast<int>(ROM1_SIZE)) {
        host::_close(file);
        return report("Error reading ROM", first_path, FIRST_ROM_FAILED);
    }
    host::_close(file);

    file = host::_open(second_path, host::OPEN_READ_ONLY | host::OPEN_BINARY);
    if (file < 0) {
        return report("Error opening ROM", second_path, SECOND_ROM_FAILED);
    }
    // The second image may be of any length up to its buffer's.
    if (host::_read(file, g_rom2.data(), ROM2_SIZE) < 0) {
        host::_close(file);
        return report("Error reading ROM", second_path, SECOND_ROM_FAILED);
    }
    host::_close(file);
    return 0;
}

RomPaths rom_paths(const std::string& folder)
{
    if (folder.empty()) {
        return {ROM1_PATH, ROM2_PATH};
    }
    return {folder + "/" + ROM1_PATH, folder + "/" + ROM2_PATH};
}

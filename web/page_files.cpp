#include "web/page_files.h"

#include <sys/stat.h>

#include <array>

#include "cpu/cpu.h"
#include "debugger/debugger.h"
#include "display/render.h"
#include "platform/atomic_file.h"
#include "platform/io.h"
#include "platform/paths.h"
#include "shell/frame_loop.h"
#include "shell/start.h"

namespace {

std::array<uint8_t, STATE_FILE_BYTES> saved_bytes;

std::string wrong_size(const PageFile& file, const char* what, std::size_t size)
{
    return file.name + ": " + std::to_string(file.size) + " bytes, not " + what + " (" + std::to_string(size) +
           " bytes)";
}

bool write_file(const char* path, const PageFile& file)
{
    return write_file_atomically(path, file.bytes, static_cast<std::size_t>(file.size)) == 0;
}

}  // namespace

std::string load_rom_images(const PageFile& first, const PageFile& second)
{
    if (first.size != static_cast<int>(ROM1_SIZE)) {
        return wrong_size(first, "a first ROM image", ROM1_SIZE);
    }
    if (second.size < 0 || second.size > static_cast<int>(ROM2_SIZE)) {
        return second.name + ": " + std::to_string(second.size) + " bytes, more than a second ROM image holds (" +
               std::to_string(ROM2_SIZE) + " bytes)";
    }
    ::mkdir("ROM", 0755);
    if (!write_file(ROM1_PATH, first) || !write_file(ROM2_PATH, second)) {
        return std::string("the ROM images could not be stored: ") + replacement_failure();
    }
    restart();
    g_frame_number = 0;
    return "";
}

std::string load_state_file(const PageFile& state)
{
    if (state.size != static_cast<int>(STATE_FILE_BYTES)) {
        return wrong_size(state, "a state file", STATE_FILE_BYTES);
    }
    if (!write_file(STATE_FILE_PATH, state) || load_state() < 0) {
        return state.name + ": could not be loaded";
    }
    // Shown at once, also while paused, unless the overlay covers it.
    if (!g_debugger.overlay_visible) {
        vdp_render();
    }
    return "";
}

const uint8_t* save_state_file()
{
    if (save_state() < 0) {
        return nullptr;
    }
    const int file = host::_open(STATE_FILE_PATH, host::OPEN_READ_ONLY | host::OPEN_BINARY);
    if (file < 0) {
        return nullptr;
    }
    const int read = host::_read(file, saved_bytes.data(), STATE_FILE_BYTES);
    host::_close(file);
    return read == static_cast<int>(STATE_FILE_BYTES) ? saved_bytes.data() : nullptr;
}

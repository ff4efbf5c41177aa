// The state file is four blocks back to back: the 64 KB address space as it
// lies in memory, the 16 KB of video memory, the processor's WP, PC and ST,
// and the VDP's address, status and eight registers. The register blocks are
// little-endian, unlike the memory image. The whole file is built in, or
// read into, one buffer, so that a load either takes all of it or nothing.
#include "shell/state_file.h"

#include <algorithm>
#include <array>
#include <cstdint>

#include "cpu/cpu.h"
#include "platform/atomic_file.h"
#include "platform/io.h"
#include "platform/paths.h"
#include "video/vdp.h"

namespace {

constexpr std::size_t MEMORY_OFFSET = 0;
constexpr std::size_t VRAM_OFFSET = MEMORY_OFFSET + MEMORY_SIZE;
constexpr std::size_t CPU_OFFSET = VRAM_OFFSET + VRAM_SIZE;  // WP, PC, ST
constexpr std::size_t VDP_OFFSET = CPU_OFFSET + 6;           // address, status, reserved, registers
constexpr std::size_t VDP_REGISTERS_OFFSET = VDP_OFFSET + 4;
static_assert(VDP_REGISTERS_OFFSET + 2 * 8 == STATE_FILE_SIZE);

using StateImage = std::array<uint8_t, STATE_FILE_SIZE>;

StateImage file_image;

void put_little(StateImage& image, std::size_t offset, uint16_t value)
{
    image[offset] = static_cast<uint8_t>(value);
    image[offset + 1] = static_cast<uint8_t>(value >> 8);
}

uint16_t get_little(const StateImage& image, std::size_t offset)
{
    return static_cast<uint16_t>(image[offset] | image[offset + 1] << 8);
}

void pack_state(StateImage& image)
{
    std::copy(g_memory.begin(), g_memory.end(), image.begin() + MEMORY_OFFSET);
    std::copy(g_vdp.vram.begin(), g_vdp.vram.end(), image.begin() + VRAM_OFFSET);
    put_little(image, CPU_OFFSET, g_cpu.WP);
    put_little(image, CPU_OFFSET + 2, g_cpu.PC);
    put_little(image, CPU_OFFSET + 4, g_cpu.ST);
    put_little(image, VDP_OFFSET, g_vdp.address);
    image[VDP_OFFSET + 2] = g_vdp.status;
    image[VDP_OFFSET + 3] = g_state_file_reserved;
    for (std::size_t i = 0; i < g_vdp.registers.size(); ++i) {
        put_little(image, VDP_REGISTERS_OFFSET + 2 * i, g_vdp.registers[i]);
    }
}

void unpack_state(const StateImage& image)
{
    std::copy_n(image.begin() + MEMORY_OFFSET, MEMORY_SIZE, g_memory.begin());
    std::copy_n(image.begin() + VRAM_OFFSET, VRAM_SIZE, g_vdp.vram.begin());
    g_cpu.WP = get_little(image, CPU_OFFSET);
    g_cpu.PC = get_little(image, CPU_OFFSET + 2);
    g_cpu.ST = get_little(image, CPU_OFFSET + 4);
    g_vdp.address = get_little(image, VDP_OFFSET);
    g_vdp.status = image[VDP_OFFSET + 2];
    g_state_file_reserved = image[VDP_OFFSET + 3];
    for (std::size_t i = 0; i < g_vdp.registers.size(); ++i) {
        g_vdp.registers[i] = get_little(image, VDP_REGISTERS_OFFSET + 2 * i);
    }
    // The workspace follows WP, and an odd WP stops the processor.
    cpu_set_workspace(g_cpu.WP);
}

}  // namespace

uint8_t g_state_file_reserved = 0;

int save_state()
{
    return save_state_to(STATE_FILE_PATH);
}

int load_state()
{
    return load_state_from(STATE_FILE_PATH);
}

// The state goes to the disk whole or not at all: a failed save leaves the
// previous file as it was.
int save_state_to(const char* path)
{
    pack_state(file_image);
    return write_file_atomically(path, file_image.data(), STATE_FILE_SIZE);
}

int load_state_from(const char* path)
{
    const int file = host::_open(path, host::OPEN_READ_ONLY | host::OPEN_BINARY);
    if (file < 0) {
        return file;
    }
    if (host::_read(file, file_image.data(), STATE_FILE_SIZE) != static_cast<int>(STATE_FILE_SIZE)) {
        host::_close(file);
        return -1;
    }
    unpack_state(file_image);
    return host::_close(file);
}

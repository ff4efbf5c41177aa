#include "dap/places.h"

#include <array>
#include <cctype>
#include <string>

#include "cpu/cpu.h"
#include "cpu/memory.h"
#include "rewind/timeline.h"
#include "video/vdp.h"

namespace {

constexpr int WORKSPACE_REGISTERS = 16;
constexpr int VDP_REGISTERS = 8;

std::string upper(std::string_view name)
{
    std::string text(name);
    for (char& c : text) {
        c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
    }
    return text;
}

// The number after `prefix` in `name`, below `count`; -1 if there is none.
int numbered(std::string_view name, std::string_view prefix, int count)
{
    if (!name.starts_with(prefix) || name.size() == prefix.size() || name.size() > prefix.size() + 2) {
        return -1;
    }
    name.remove_prefix(prefix.size());
    if (name.size() == 2 && name[0] == '0') {
        return -1;  // R05 is not a register's name
    }
    int number = 0;
    for (const char c : name) {
        if (c < '0' || c > '9') {
            return -1;
        }
        number = number * 10 + (c - '0');
    }
    return number < count ? number : -1;
}

struct NamedPlace {
    std::string_view name;
    PlaceKind kind;
};

constexpr std::array<NamedPlace, 5> CPU_AND_VDP_PLACES{{
    {"PC", PlaceKind::PC},
    {"WP", PlaceKind::WP},
    {"ST", PlaceKind::ST},
    {"VADDR", PlaceKind::VDP_ADDRESS},
    {"VSTAT", PlaceKind::VDP_STATUS},
}};

// The write itself, the kept past not told.
void write_straight(Place place, uint16_t value)
{
    switch (place.kind) {
    case PlaceKind::MEMORY_WORD:
        mem_write_word(place.index, value);
        break;
    case PlaceKind::PC:
        g_cpu.PC = static_cast<uint16_t>(value & 0xFFFE);
        break;
    case PlaceKind::WP:
        g_cpu.WP = value;
        cpu_set_workspace(value);  // an odd one stops the processor, as LWPI's does
        break;
    case PlaceKind::ST:
        g_cpu.ST = value;
        break;
    case PlaceKind::VDP_REGISTER:
        g_vdp.registers[place.index & 7u] = static_cast<uint8_t>(value);
        break;
    case PlaceKind::VDP_ADDRESS:
        g_vdp.address = static_cast<uint16_t>(value & VRAM_MASK);
        break;
    case PlaceKind::VDP_STATUS:
        g_vdp.status = static_cast<uint8_t>(value);
        break;
    }
}

}  // namespace

std::optional<Place> register_place(std::string_view name)
{
    const std::string text = upper(name);
    if (const int n = numbered(text, "R", WORKSPACE_REGISTERS); n >= 0) {
        return memory_place(static_cast<uint16_t>(g_cpu.WP + 2 * n));
    }
    if (const int n = numbered(text, "VR", VDP_REGISTERS); n >= 0) {
        return Place{PlaceKind::VDP_REGISTER, static_cast<uint16_t>(n)};
    }
    for (const NamedPlace& place : CPU_AND_VDP_PLACES) {
        if (text == place.name) {
            return Place{place.kind, 0};
        }
    }
    return std::nullopt;
}

Place memory_place(uint16_t address)
{
    return {PlaceKind::MEMORY_WORD, static_cast<uint16_t>(address & 0xFFFE)};
}

uint16_t place_read(Place place)
{
    switch (place.kind) {
    case PlaceKind::MEMORY_WORD:
        return mem_read_word(place.index);
    case PlaceKind::PC:
        return g_cpu.PC;
    case PlaceKind::WP:
        return g_cpu.WP;
    case PlaceKind::ST:
        return g_cpu.ST;
    case PlaceKind::VDP_REGISTER:
        return static_cast<uint16_t>(vdp_register(place.index));
    case PlaceKind::VDP_ADDRESS:
        return g_vdp.address;
    case PlaceKind::VDP_STATUS:
        return g_vdp.status;
    }
    return 0;
}

void place_write(Place place, uint16_t value)
{
    timeline_change([place, value] { write_straight(place, value); });
}

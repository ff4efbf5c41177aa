// The places of the machine that the adapter reads and writes by name: the
// workspace registers (memory words at WP), PC, WP and ST, the video chip's
// registers and address, and any memory word. Everything is read and
// written straight, as the overlay and a state file do: no port is touched
// and nothing is reported.
#pragma once

#include <cstdint>
#include <optional>
#include <string_view>

enum class PlaceKind : uint8_t { MEMORY_WORD, PC, WP, ST, VDP_REGISTER, VDP_ADDRESS, VDP_STATUS };

struct Place {
    PlaceKind kind;
    uint16_t index;  // the word's address, or the video chip register's number
};

// R0 to R15 (the words of the current workspace), PC, WP, ST, VR0 to VR7,
// VADDR and VSTAT, in either case; nothing for any other name.
std::optional<Place> register_place(std::string_view name);

// A word of the address space; an odd address reaches the word below it,
// as the processor's word accesses do.
Place memory_place(uint16_t address);

uint16_t place_read(Place place);

// VR0 to VR7 take 8 bits, VADDR 14; ST's interrupt mask is kept as written.
// The kept past sees the change (rewind/timeline.h).
void place_write(Place place, uint16_t value);

// Memory references as the adapter hands them out and reads them back: an
// address of the processor's space ("0x0104"; >0104 and 260 are read too),
// or of video memory under its own prefix ("vram:0x0100", "vram").
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

struct MemoryReference {
    bool video;
    int64_t address;
};

std::optional<MemoryReference> parse_memory_reference(std::string_view text);

std::string memory_reference_text(bool video, int64_t address);

// The size of the memory a reference reaches.
int64_t memory_size(bool video);

// The memory itself, for reading and writing whole ranges.
uint8_t* memory_bytes(bool video);

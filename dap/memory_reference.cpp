#include "dap/memory_reference.h"

#include <cstdio>

#include "cpu/cpu.h"
#include "isa/numbers.h"
#include "video/vdp.h"

namespace {

constexpr std::string_view VIDEO_PREFIX = "vram";

}  // namespace

std::optional<MemoryReference> parse_memory_reference(std::string_view text)
{
    MemoryReference reference{false, 0};
    if (text.starts_with(VIDEO_PREFIX)) {
        reference.video = true;
        text.remove_prefix(VIDEO_PREFIX.size());
        if (text.empty()) {
            return reference;
        }
        if (!text.starts_with(':')) {
            return std::nullopt;
        }
        text.remove_prefix(1);
    }
    uint64_t address = 0;
    if (!parse_number(text, 0xFFFFFFFF, address)) {
        return std::nullopt;
    }
    reference.address = static_cast<int64_t>(address);
    return reference;
}

std::string memory_reference_text(bool video, int64_t address)
{
    char text[32];
    std::snprintf(text, sizeof text, "%s0x%04llX", video ? "vram:" : "", static_cast<unsigned long long>(address));
    return text;
}

int64_t memory_size(bool video)
{
    return video ? static_cast<int64_t>(VRAM_SIZE) : static_cast<int64_t>(MEMORY_SIZE);
}

uint8_t* memory_bytes(bool video)
{
    return video ? g_vdp.vram.data() : g_memory.data();
}

#include "machine/record_parts.h"

#include <cstring>

std::size_t parts_size(std::span<const RecordPart> parts)
{
    std::size_t size = 0;
    for (const RecordPart& part : parts) {
        size += part.size;
    }
    return size;
}

void capture_parts(std::span<const RecordPart> parts, uint8_t* into)
{
    for (const RecordPart& part : parts) {
        std::memcpy(into, part.record, part.size);
        into += part.size;
    }
}

void restore_parts(std::span<const RecordPart> parts, const uint8_t* from)
{
    for (const RecordPart& part : parts) {
        std::memcpy(part.record, from, part.size);
        from += part.size;
    }
}

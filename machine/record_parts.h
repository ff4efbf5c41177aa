// A machine's state as plain bytes: a table of parts, each a record (or a
// field of one) that holds no pointers, so that its bytes alone say all it
// holds. Captured one after another into a buffer and put back from one,
// they take the machine to another moment and back again.
#pragma once

#include <cstddef>
#include <cstdint>
#include <span>

struct RecordPart {
    const char* name;
    void* record;
    std::size_t size;
};

// The bytes of all the parts together.
std::size_t parts_size(std::span<const RecordPart> parts);

// Copies every part's bytes, in the table's order, into `into`
// (parts_size bytes), and back from such a copy.
void capture_parts(std::span<const RecordPart> parts, uint8_t* into);
void restore_parts(std::span<const RecordPart> parts, const uint8_t* from);

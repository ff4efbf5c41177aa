// Operand accesses through the bus, with its commonest case decided inline:
// RAM (>F000 and above), where the bus reads and writes plainly and reports
// nothing. Every other address goes to the bus itself, with its ROM
// protection, port side effects and diagnostics. Word accesses act on the
// even address, as the bus's do.
#pragma once

#include <cstdint>

#include "bus/bus.h"
#include "cpu/memory.h"

inline uint16_t operand_read_word(Location at)
{
    return at >= RAM_START ? mem_read_word(static_cast<Location>(at & 0xFFFE)) : bus_read_word(at);
}

inline uint8_t operand_read_byte(Location at)
{
    return at >= RAM_START ? g_memory[at] : bus_read_byte(at);
}

inline void operand_write_word(Location at, uint16_t value)
{
    if (at >= RAM_START) {
        mem_write_word(static_cast<Location>(at & 0xFFFE), value);
    } else {
        bus_write_word(at, value);
    }
}

inline void operand_write_byte(Location at, uint8_t value)
{
    if (at >= RAM_START) {
        g_memory[at] = value;
    } else {
        bus_write_byte(at, value);
    }
}

// The opcode map: for each of the 65536 instruction words, the decoder that
// executes it, with its handler and operand modes already chosen.
#pragma once

#include <array>
#include <cstdint>

using Executor = void (*)(uint16_t op);

extern const std::array<Executor, 0x10000> OPCODE_MAP;

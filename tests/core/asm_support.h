// Helpers for the assembler's tests: assemble a few lines and read back the
// words that they placed.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "tools/asm/assembler.h"

// The words placed from `address` on, as many as `count`; missing bytes read 0.
inline std::vector<uint16_t> words_at(const Program& program, uint16_t address, std::size_t count)
{
    std::vector<uint8_t> bytes(count * 2, 0);
    for (const Segment& segment : program.segments) {
        for (std::size_t i = 0; i < segment.bytes.size(); ++i) {
            const std::size_t offset = segment.start + i - address;
            if (segment.start + i >= address && offset < bytes.size()) {
                bytes[offset] = segment.bytes[i];
            }
        }
    }
    std::vector<uint16_t> words;
    for (std::size_t i = 0; i < bytes.size(); i += 2) {
        words.push_back(static_cast<uint16_t>(bytes[i] << 8 | bytes[i + 1]));
    }
    return words;
}

// How many bytes the program placed in all.
inline std::size_t placed_bytes(const Program& program)
{
    std::size_t total = 0;
    for (const Segment& segment : program.segments) {
        total += segment.bytes.size();
    }
    return total;
}

inline std::string all_errors(const Program& program)
{
    std::string text;
    for (const Diagnostic& diagnostic : program.errors) {
        text += format_diagnostic(program, diagnostic) + "\n";
    }
    return text;
}

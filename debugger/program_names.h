// The program's own names and source lines, from the debug information
// that the host loads (pavon --symbols). Without it every function here
// answers as for a program without names, and every output that uses them
// reads as it always has.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

#include "symbols/debug_symbols.h"

void program_names_use(DebugSymbols symbols);
void program_names_forget();

// nullptr while none are loaded.
const DebugSymbols* program_symbols();

// The label at exactly `address`, or nullptr.
const char* label_name_at(uint16_t address);

// "DRAW+6", or "DRAW" at the label itself: the nearest label at or below
// `address` in the same part of the address space (ROM, the ports, RAM),
// the offset in decimal. Empty without one.
std::string label_text(uint16_t address);

// "main.asm:88": the line that placed the byte at `address`; empty
// without one.
std::string line_text(uint16_t address);

// "DRAW+6, main.asm:88", or the part of it that is known; empty without
// names. At most PLACE_TEXT_LIMIT characters: a long name or path is cut.
constexpr std::size_t PLACE_TEXT_LIMIT = 140;
std::string place_text(uint16_t address);

// ">0124 (DRAW+6, main.asm:88)", or ">0124" without names: an address as
// the stop and watch lines show it.
std::string address_and_place(uint16_t address);

// "MAIN+12 (main.asm:40)", ">000C (main.asm:40)" or ">000C": an address
// by its label (else in hexadecimal) and its source line.
std::string where_text(uint16_t address);

// The label and offset written at `at`, without allocating (for the
// trace): at most `room` characters; returns how many.
std::size_t put_label(char* at, std::size_t room, uint16_t address);

// The address that `text` names: NAME (a label or EQU name), NAME+N, or
// FILE:LINE (the first instruction that the line placed; FILE as given to
// the assembler or any trailing part of its path). False, with `error`
// naming the nearest names or lines, when it names none.
bool place_address(std::string_view text, uint16_t& address, std::string& error);

// The program's names as the adapter uses them (debugger/program_names.h):
// a label's value, an address told by its label. Without debug information
// no name is known and addresses are told in hexadecimal.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

// The value of a program's name; false when it is unknown.
bool name_value(std::string_view name, int64_t& value);

// An address as the adapter shows it: "DRAW+6", or ">0104" without a label.
std::string address_text(uint16_t address);

// NAME, NAME+N or NAME-N where NAME is a label: `text` names an address of
// the program, not a number.
bool names_label(std::string_view text);

// Four hexadecimal digits after '>', as the overlay shows words.
std::string word_text(uint16_t value);

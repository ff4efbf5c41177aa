// Where the program's names will enter the adapter: a label's value, an
// address told as a label and offset. Until a debug-information file is
// read, no name is known and addresses are told in hexadecimal.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

struct NameHooks {
    bool (*value_of)(std::string_view name, int64_t& value);  // null: no names
    std::string (*address_text)(uint16_t address);            // null: hexadecimal only
};

extern NameHooks g_name_hooks;

// The value of a program's name; false when it is unknown.
bool name_value(std::string_view name, int64_t& value);

// An address as the adapter shows it: ">0104", or what the names make of it.
std::string address_text(uint16_t address);

// Four hexadecimal digits after '>', as the overlay shows words.
std::string word_text(uint16_t value);

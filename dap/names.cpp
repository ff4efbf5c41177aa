#include "dap/names.h"

#include <cstdio>

NameHooks g_name_hooks{};

bool name_value(std::string_view name, int64_t& value)
{
    return g_name_hooks.value_of != nullptr && g_name_hooks.value_of(name, value);
}

std::string address_text(uint16_t address)
{
    return g_name_hooks.address_text != nullptr ? g_name_hooks.address_text(address) : word_text(address);
}

std::string word_text(uint16_t value)
{
    char text[8];
    std::snprintf(text, sizeof text, ">%04X", unsigned{value});
    return text;
}

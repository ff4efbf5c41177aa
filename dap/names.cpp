#include "dap/names.h"

#include <cstdio>

#include "debugger/program_names.h"

bool name_value(std::string_view name, int64_t& value)
{
    const DebugSymbols* symbols = program_symbols();
    const SymbolEntry* symbol = symbols != nullptr ? symbols->find(name) : nullptr;
    if (symbol == nullptr) {
        return false;
    }
    value = symbol->value;
    return true;
}

std::string address_text(uint16_t address)
{
    std::string label = label_text(address);
    return !label.empty() ? label : word_text(address);
}

std::string word_text(uint16_t value)
{
    char text[8];
    std::snprintf(text, sizeof text, ">%04X", unsigned{value});
    return text;
}

#include "dap/names.h"

#include <cctype>
#include <cstdio>

#include "dap/places.h"
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

bool names_label(std::string_view text)
{
    const DebugSymbols* symbols = program_symbols();
    while (!text.empty() && text.front() == ' ') {
        text.remove_prefix(1);
    }
    std::size_t end = 0;
    while (end < text.size() && (std::isalnum(static_cast<unsigned char>(text[end])) != 0 || text[end] == '_')) {
        ++end;
    }
    const SymbolEntry* symbol = symbols != nullptr ? symbols->find(text.substr(0, end)) : nullptr;
    if (symbol == nullptr || symbol->kind != SymbolKind::Label || register_place(text.substr(0, end))) {
        return false;
    }
    std::string_view rest = text.substr(end);
    while (!rest.empty() && rest.front() == ' ') {
        rest.remove_prefix(1);
    }
    return rest.empty() || rest.front() == '+' || rest.front() == '-';
}

std::string word_text(uint16_t value)
{
    char text[8];
    std::snprintf(text, sizeof text, ">%04X", unsigned{value});
    return text;
}

#include "debugger/program_names.h"

#include <algorithm>
#include <charconv>
#include <cstdio>
#include <optional>

#include "isa/numbers.h"
#include "machine/memory_map.h"

namespace {

constexpr std::size_t SHOWN_NAME = 64;   // of a longer name, the first characters
constexpr std::size_t SHOWN_PATH = 64;   // of a longer path, the last ones
constexpr std::size_t LISTED_FILES = 5;  // in a message about a file that was not found

std::optional<DebugSymbols> loaded;

// ROM, the port window and RAM: a label names addresses of its own part.
int part_of(uint32_t address)
{
    return address < PORT_WINDOW_START ? 0 : address < RAM_START ? 1 : 2;
}

std::string shown_name(const std::string& name)
{
    return name.size() <= SHOWN_NAME ? name : name.substr(0, SHOWN_NAME) + "...";
}

std::string shown_path(const std::string& path)
{
    return path.size() <= SHOWN_PATH ? path : "..." + path.substr(path.size() - SHOWN_PATH);
}

DebugSymbols::LabelOffset label_offset(uint16_t address)
{
    if (!loaded) {
        return {};
    }
    const DebugSymbols::LabelOffset found = loaded->label_for(address);
    if (found.label == nullptr || part_of(static_cast<uint32_t>(found.label->value)) != part_of(address)) {
        return {};
    }
    return found;
}

std::string joined(const std::vector<std::string>& words)
{
    std::string text;
    for (const std::string& word : words) {
        text += (text.empty() ? "" : ", ") + word;
    }
    return text;
}

bool name_address(std::string_view text, uint16_t& address, std::string& error)
{
    const std::size_t plus = text.find('+');
    const std::string_view name = text.substr(0, plus);
    const SymbolEntry* symbol = loaded->find(name);
    if (symbol == nullptr) {
        const std::vector<std::string> nearest = loaded->nearest_names(name);
        error = "no name " + std::string(name) + " in the program's symbols";
        error += nearest.empty() ? "" : "; the nearest: " + joined(nearest);
        return false;
    }
    uint64_t offset = 0;
    if (plus != std::string_view::npos && !parse_number(text.substr(plus + 1), MEMORY_SIZE - 1, offset)) {
        error = std::string(text.substr(plus + 1)) + " is not an offset from 0 to >FFFF";
        return false;
    }
    const int64_t value = symbol->value + static_cast<int64_t>(offset);
    if (value < 0 || value >= static_cast<int64_t>(MEMORY_SIZE)) {
        error = std::string(text) + " is " + format_symbol_value(value) + ", not an address";
        return false;
    }
    address = static_cast<uint16_t>(value);
    return true;
}

bool line_address(std::string_view file, std::string_view line_text, uint16_t& address, std::string& error)
{
    int line = 0;
    const auto [end, failure] = std::from_chars(line_text.data(), line_text.data() + line_text.size(), line);
    if (failure != std::errc{} || end != line_text.data() + line_text.size() || line <= 0) {
        error = std::string(line_text) + " is not a line number";
        return false;
    }
    const DebugSymbols::LineAddress found = loaded->address_of_line(file, line);
    std::vector<std::string> names;
    switch (found.result) {
    case DebugSymbols::LineAddress::Found:
        address = found.address;
        return true;
    case DebugSymbols::LineAddress::NoFile:
        for (std::size_t i = 0; i < std::min(loaded->info().files.size(), LISTED_FILES); ++i) {
            names.push_back(loaded->file(static_cast<uint32_t>(i)).path);
        }
        error = "no file " + std::string(file) + " in the program's symbols; its files: " + joined(names);
        return false;
    case DebugSymbols::LineAddress::AmbiguousFile:
        for (const uint32_t id : found.files) {
            names.push_back(loaded->file(id).path);
        }
        error = std::string(file) + " names " + std::to_string(found.files.size()) +
                " files (give more of its path): " + joined(names);
        return false;
    case DebugSymbols::LineAddress::NoCode:
        break;
    }
    for (const int nearest : found.nearest) {
        names.push_back(std::string(file) + ":" + std::to_string(nearest));
    }
    error = "line " + std::to_string(line) + " of " + loaded->file(found.file).path + " placed no instruction";
    error += names.empty() ? "; nor did any other line of it" : "; the nearest that did: " + joined(names);
    return false;
}

}  // namespace

void program_names_use(DebugSymbols symbols)
{
    loaded = std::move(symbols);
}

void program_names_forget()
{
    loaded.reset();
}

const DebugSymbols* program_symbols()
{
    return loaded ? &*loaded : nullptr;
}

const char* label_name_at(uint16_t address)
{
    const SymbolEntry* label = loaded ? loaded->label_at(address) : nullptr;
    return label != nullptr ? label->name.c_str() : nullptr;
}

std::string label_text(uint16_t address)
{
    const DebugSymbols::LabelOffset found = label_offset(address);
    if (found.label == nullptr) {
        return {};
    }
    std::string text = shown_name(found.label->name);
    if (found.offset != 0) {
        text += '+';
        text += std::to_string(found.offset);
    }
    return text;
}

std::string line_text(uint16_t address)
{
    const LineEntry* line = loaded ? loaded->line_at(address) : nullptr;
    if (line == nullptr) {
        return {};
    }
    return shown_path(loaded->file(line->file).path) + ":" + std::to_string(line->line);
}

std::string place_text(uint16_t address)
{
    const std::string label = label_text(address);
    const std::string line = line_text(address);
    return label + (!label.empty() && !line.empty() ? ", " : "") + line;
}

std::string address_and_place(uint16_t address)
{
    char number[8];
    std::snprintf(number, sizeof number, ">%04X", unsigned{address});
    const std::string place = place_text(address);
    return place.empty() ? number : number + (" (" + place + ")");
}

std::string where_text(uint16_t address)
{
    std::string label = label_text(address);
    if (label.empty()) {
        char number[8];
        std::snprintf(number, sizeof number, ">%04X", unsigned{address});
        label = number;
    }
    const std::string line = line_text(address);
    return line.empty() ? label : label + " (" + line + ")";
}

std::size_t put_label(char* at, std::size_t room, uint16_t address)
{
    const DebugSymbols::LabelOffset found = label_offset(address);
    if (found.label == nullptr || room == 0) {
        return 0;
    }
    const std::size_t length = std::min({found.label->name.size(), SHOWN_NAME, room});
    std::copy_n(found.label->name.data(), length, at);
    std::size_t written = length;
    if (found.offset != 0 && room - written >= 6) {  // "+65535"
        at[written++] = '+';
        const auto result = std::to_chars(at + written, at + room, unsigned{found.offset});
        written = static_cast<std::size_t>(result.ptr - at);
    }
    return written;
}

bool place_address(std::string_view text, uint16_t& address, std::string& error)
{
    if (!loaded) {
        error = "a name or source line needs the program's debug information (--symbols FILE)";
        return false;
    }
    const std::size_t colon = text.rfind(':');
    if (colon != std::string_view::npos) {
        return line_address(text.substr(0, colon), text.substr(colon + 1), address, error);
    }
    return name_address(text, address, error);
}

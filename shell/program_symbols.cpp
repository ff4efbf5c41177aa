#include "shell/program_symbols.h"

#include <algorithm>
#include <array>
#include <cerrno>
#include <cstdio>
#include <cstring>
#include <set>

#include "debugger/program_names.h"
#include "platform/io.h"
#include "shell/rom.h"

namespace {

constexpr unsigned READ_BLOCK = 1 << 16;

// The whole regular file, and one byte past the debug information's bound,
// so that the reader can tell a longer file.
bool read_whole(const std::string& path, std::string& text, std::string& error)
{
    const int file = host::_open(path.c_str(), host::OPEN_READ_ONLY | host::OPEN_BINARY);
    if (file < 0) {
        error = path + ": cannot read the debug information: " + std::strerror(errno);
        return false;
    }
    std::array<char, READ_BLOCK> block;
    int count = 0;
    while (text.size() <= DEBUG_INFO_MAX_SIZE && (count = host::_read(file, block.data(), READ_BLOCK)) > 0) {
        text.append(block.data(), static_cast<std::size_t>(count));
    }
    const int failure = errno;
    host::_close(file);
    if (count < 0) {
        error = path + ": cannot read the debug information: " + std::strerror(failure);
        return false;
    }
    return true;
}

}  // namespace

bool load_program_symbols(const std::string& path, std::string& error)
{
    std::string text;
    if (!read_whole(path, text, error)) {
        return false;
    }
    DebugSymbols symbols;
    DebugInfoError reason;
    if (!symbols.load(text, reason)) {
        error = debug_info_message(path, reason);
        return false;
    }
    program_names_use(std::move(symbols));
    return true;
}

std::string images_mismatch(const std::string& path)
{
    const DebugSymbols* symbols = program_symbols();
    if (symbols == nullptr) {
        return {};
    }
    std::array<uint8_t, MEMORY_SIZE> images{};
    std::copy(g_rom1.begin(), g_rom1.end(), images.begin());
    std::copy(g_rom2.begin(), g_rom2.end(), images.begin() + ROM1_SIZE);
    const std::vector<const LineEntry*> differing = symbols->differing_lines(images.data());
    const std::set<const LineEntry*> wrong(differing.begin(), differing.end());
    const SymbolEntry* first = nullptr;
    std::size_t labels = 0;
    for (const SymbolEntry& symbol : symbols->info().symbols) {
        const bool in_rom = symbol.kind == SymbolKind::Label && symbol.value >= 0 && symbol.value < PORT_WINDOW_START;
        if (in_rom && wrong.contains(symbols->line_at(static_cast<uint16_t>(symbol.value)))) {
            first = first != nullptr ? first : &symbol;
            ++labels;
        }
    }
    if (first == nullptr) {
        return {};
    }
    char address[8];
    std::snprintf(address, sizeof address, ">%04X", static_cast<unsigned>(first->value));
    std::string text = "warning: the ROM images differ from " + path + " at " + first->name + " (" + address + ", " +
                       line_text(static_cast<uint16_t>(first->value)) + ")";
    if (labels > 1) {
        text += " and " + std::to_string(labels - 1) + (labels == 2 ? " other label" : " other labels");
    }
    return text + ": was the program assembled again without it?";
}

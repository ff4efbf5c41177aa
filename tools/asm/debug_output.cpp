#include "tools/asm/debug_output.h"

#include <algorithm>
#include <unordered_map>

namespace {

constexpr std::size_t CONTENTS_WIDTH = 14;  // three words: "0200 1234 5678"

struct NamedSymbol {
    const std::string* name;
    const Symbol* symbol;
};

// The symbols in the order they were defined.
std::vector<NamedSymbol> symbols_in_order(const Program& program)
{
    std::vector<NamedSymbol> symbols;
    for (const auto& [name, symbol] : program.symbols) {
        symbols.push_back({&name, &symbol});
    }
    std::sort(symbols.begin(), symbols.end(),
              [](const NamedSymbol& a, const NamedSymbol& b) { return a.symbol->order < b.symbol->order; });
    return symbols;
}

std::string hex(unsigned value, int digits)
{
    static constexpr char DIGITS[] = "0123456789ABCDEF";
    std::string text(static_cast<std::size_t>(digits), '0');
    for (int i = digits - 1; i >= 0; --i, value >>= 4) {
        text[static_cast<std::size_t>(i)] = DIGITS[value & 0xF];
    }
    return text;
}

std::string padded(std::string text, std::size_t width)
{
    text.resize(std::max(text.size(), width), ' ');
    return text;
}

std::string place(const Program& program, int file, int line)
{
    return program.files[static_cast<std::size_t>(file)].path + ":" + std::to_string(line);
}

bool in_words(LineKind kind)
{
    return kind == LineKind::Code || kind == LineKind::Words;
}

std::size_t bytes_per_row(LineKind kind)
{
    return in_words(kind) ? 6 : 4;
}

// A row of the listing, without the blanks its empty columns leave at the end.
void append_row(std::string& out, std::string row)
{
    row.erase(row.find_last_not_of(' ') + 1);
    out += row + "\n";
}

// The rows of contents of one segment: words for instructions and DATA,
// bytes for BYTE and TEXT.
std::vector<std::string> content_rows(const Segment& segment)
{
    const bool words = in_words(segment.kind);
    const std::size_t per_row = bytes_per_row(segment.kind);
    std::vector<std::string> rows;
    for (std::size_t at = 0; at < segment.bytes.size(); at += per_row) {
        std::string row;
        for (std::size_t i = at; i < std::min(at + per_row, segment.bytes.size()); ++i) {
            const bool gap = i > at && (!words || (i - at) % 2 == 0);
            row += (gap ? " " : "") + hex(segment.bytes[i], 2);
        }
        rows.push_back(row);
    }
    return rows;
}

void append_symbol_table(std::string& out, const Program& program, std::vector<NamedSymbol> symbols, bool by_name)
{
    std::size_t width = 0;
    for (const NamedSymbol& entry : symbols) {
        width = std::max(width, entry.name->size());
    }
    std::stable_sort(symbols.begin(), symbols.end(), [&](const NamedSymbol& a, const NamedSymbol& b) {
        return by_name ? *a.name < *b.name : a.symbol->value < b.symbol->value;
    });
    out += by_name ? "\nSymbols by name\n" : "\nSymbols by value\n";
    for (const NamedSymbol& entry : symbols) {
        const std::string value = padded(format_symbol_value(entry.symbol->value), 5);
        const std::string name = padded(*entry.name, width);
        append_row(out, (by_name ? name + "  " + value : value + "  " + name) + "  " +
                            padded(std::string(symbol_kind_name(entry.symbol->equ ? SymbolKind::Equ : SymbolKind::Label)), 5) +
                            "  " + place(program, entry.symbol->file, entry.symbol->line));
    }
}

}  // namespace

DebugInfo debug_info_of(const Program& program)
{
    DebugInfo info;
    info.files = program.files;
    for (const NamedSymbol& entry : symbols_in_order(program)) {
        const Symbol& symbol = *entry.symbol;
        info.symbols.push_back({*entry.name, symbol.value, symbol.equ ? SymbolKind::Equ : SymbolKind::Label,
                                static_cast<uint32_t>(symbol.file), symbol.line});
    }
    for (const Segment& segment : program.segments) {
        info.lines.push_back(
            {segment.start, static_cast<uint32_t>(segment.file), segment.line, segment.kind, segment.bytes});
    }
    std::stable_sort(info.lines.begin(), info.lines.end(),
                     [](const LineEntry& a, const LineEntry& b) { return a.address < b.address; });
    return info;
}

std::string listing_of(const Program& program)
{
    std::unordered_map<std::size_t, const Segment*> placed;  // by the order of the line that placed it
    for (const Segment& segment : program.segments) {
        placed[segment.order] = &segment;
    }
    const std::vector<NamedSymbol> symbols = symbols_in_order(program);
    std::unordered_map<std::size_t, const Symbol*> defined;
    for (const NamedSymbol& entry : symbols) {
        defined[entry.symbol->order] = entry.symbol;
    }
    std::size_t width = 0;
    for (const SourceLine& line : program.lines) {
        width = std::max(width, place(program, line.file, line.line).size());
    }

    std::string out;
    for (std::size_t order = 0; order < program.lines.size(); ++order) {
        const SourceLine& line = program.lines[order];
        const std::string where = padded(place(program, line.file, line.line), width);
        const auto segment = placed.find(order);
        if (segment == placed.end()) {
            const auto symbol = defined.find(order);
            const std::string value = symbol == defined.end() ? "" : format_symbol_value(symbol->second->value);
            append_row(out, where + "  " + padded(value, 4) + "  " + padded("", CONTENTS_WIDTH) + "  " + line.text);
            continue;
        }
        const std::vector<std::string> rows = content_rows(*segment->second);
        const std::size_t per_row = bytes_per_row(segment->second->kind);
        for (std::size_t row = 0; row < rows.size(); ++row) {
            const unsigned address = segment->second->start + static_cast<unsigned>(row * per_row);
            append_row(out, (row == 0 ? where : padded("", width)) + "  " + hex(address, 4) + "  " +
                                padded(rows[row], CONTENTS_WIDTH) + (row == 0 ? "  " + line.text : ""));
        }
    }
    append_symbol_table(out, program, symbols, true);
    append_symbol_table(out, program, symbols, false);
    return out;
}

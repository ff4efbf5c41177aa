// Writing the debug information: the format the reader reads back, record
// for record.
#include "symbols/debug_info.h"

namespace {

constexpr char DIGITS[] = "0123456789ABCDEF";

void append_hex(std::string& out, uint64_t value, int digits)
{
    for (int i = digits - 1; i >= 0; --i) {
        out += DIGITS[(value >> (4 * i)) & 0xF];
    }
}

// Blanks, control characters and the backslash would break a record into
// the wrong fields: they are written as \xHH.
void append_path(std::string& out, std::string_view path)
{
    for (const char c : path) {
        const auto byte = static_cast<unsigned char>(c);
        if (byte <= ' ' || byte == 0x7F || c == '\\') {
            out += "\\x";
            append_hex(out, byte, 2);
        } else {
            out += c;
        }
    }
}

void append_fields(std::string& out, std::initializer_list<std::string_view> fields)
{
    bool first = true;
    for (const std::string_view field : fields) {
        if (!first) {
            out += ' ';
        }
        out += field;
        first = false;
    }
    out += '\n';
}

}  // namespace

std::string format_symbol_value(int64_t value)
{
    std::string text = value < 0 ? "-" : "";
    const uint64_t magnitude = value < 0 ? 0 - static_cast<uint64_t>(value) : static_cast<uint64_t>(value);
    int digits = 4;
    while (digits < 16 && (magnitude >> (4 * digits)) != 0) {
        ++digits;
    }
    append_hex(text, magnitude, digits);
    return text;
}

std::string_view line_kind_name(LineKind kind)
{
    return LINE_KIND_NAMES[static_cast<std::size_t>(kind)];
}

std::string_view symbol_kind_name(SymbolKind kind)
{
    return SYMBOL_KIND_NAMES[static_cast<std::size_t>(kind)];
}

std::string write_debug_info(const DebugInfo& info)
{
    std::string out;
    append_fields(out, {DEBUG_INFO_MAGIC, std::to_string(DEBUG_INFO_VERSION)});
    for (std::size_t i = 0; i < info.files.size(); ++i) {
        std::string path;
        std::string absolute;
        append_path(path, info.files[i].path);
        append_path(absolute, info.files[i].absolute);
        append_fields(out, {RECORD_FILE, std::to_string(i), path, absolute});
    }
    for (const SymbolEntry& symbol : info.symbols) {
        append_fields(out, {RECORD_SYMBOL, symbol.name, format_symbol_value(symbol.value), symbol_kind_name(symbol.kind),
                            std::to_string(symbol.file), std::to_string(symbol.line)});
    }
    for (const LineEntry& line : info.lines) {
        std::string address;
        std::string bytes;
        append_hex(address, line.address, 4);
        for (const uint8_t byte : line.bytes) {
            append_hex(bytes, byte, 2);
        }
        append_fields(out, {RECORD_LINE, address, std::to_string(line.bytes.size()), std::to_string(line.file),
                            std::to_string(line.line), line_kind_name(line.kind), bytes});
    }
    append_fields(out, {RECORD_END, std::to_string(info.files.size()), std::to_string(info.symbols.size()),
                        std::to_string(info.lines.size())});
    return out;
}

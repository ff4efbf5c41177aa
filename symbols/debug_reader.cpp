// Reading the debug information, trusting nothing in it: every field is
// checked against its bounds, every reference against what came before,
// and the end record's counts against what was read, so that a truncated,
// foreign or hostile file fails with the line and the reason.
#include <algorithm>
#include <array>
#include <numeric>
#include <unordered_map>

#include "symbols/debug_info.h"

namespace {

constexpr std::size_t MAX_FIELDS = 8;

struct Fields {
    std::array<std::string_view, MAX_FIELDS> field;
    std::size_t count = 0;
    bool too_many = false;
};

bool is_blank(char c)
{
    return c == ' ' || c == '\t';
}

Fields split(std::string_view text)
{
    Fields fields;
    std::size_t i = 0;
    while (i < text.size()) {
        while (i < text.size() && is_blank(text[i])) {
            ++i;
        }
        const std::size_t start = i;
        while (i < text.size() && !is_blank(text[i])) {
            ++i;
        }
        if (i == start) {
            break;
        }
        if (fields.count == MAX_FIELDS) {
            fields.too_many = true;
            break;
        }
        fields.field[fields.count++] = text.substr(start, i - start);
    }
    return fields;
}

int hex_digit(char c)
{
    if (c >= '0' && c <= '9') {
        return c - '0';
    }
    if (c >= 'A' && c <= 'F') {
        return c - 'A' + 10;
    }
    if (c >= 'a' && c <= 'f') {
        return c - 'a' + 10;
    }
    return -1;
}

bool parse_hex(std::string_view text, std::size_t max_digits, uint64_t& value)
{
    if (text.empty() || text.size() > max_digits) {
        return false;
    }
    value = 0;
    for (const char c : text) {
        const int digit = hex_digit(c);
        if (digit < 0) {
            return false;
        }
        value = value << 4 | static_cast<uint64_t>(digit);
    }
    return true;
}

bool parse_decimal(std::string_view text, uint64_t low, uint64_t high, uint64_t& value)
{
    if (text.empty() || text.size() > 10) {
        return false;
    }
    value = 0;
    for (const char c : text) {
        if (c < '0' || c > '9') {
            return false;
        }
        value = value * 10 + static_cast<uint64_t>(c - '0');
    }
    return value >= low && value <= high;
}

bool is_name(std::string_view text)
{
    const auto letter = [](char c) { return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') || c == '_'; };
    if (text.empty() || text.size() > MAX_SYMBOL_NAME || !letter(text[0])) {
        return false;
    }
    return std::all_of(text.begin(), text.end(), [&](char c) { return letter(c) || (c >= '0' && c <= '9'); });
}

// A path with its \xHH escapes undone.
bool parse_path(std::string_view text, std::string& path)
{
    path.clear();
    for (std::size_t i = 0; i < text.size(); ++i) {
        uint64_t byte = static_cast<unsigned char>(text[i]);
        if (text[i] == '\\') {
            if (text.size() - i < 4 || text[i + 1] != 'x' || !parse_hex(text.substr(i + 2, 2), 2, byte)) {
                return false;
            }
            i += 3;
        }
        path += static_cast<char>(byte);
        if (path.size() > MAX_PATH_LENGTH) {
            return false;
        }
    }
    return !path.empty();
}

template <std::size_t N>
bool find_name(const std::array<std::string_view, N>& names, std::string_view text, std::size_t& index)
{
    const auto found = std::find(names.begin(), names.end(), text);
    index = static_cast<std::size_t>(found - names.begin());
    return found != names.end();
}

class Reader {
public:
    Reader(DebugInfo& info, DebugInfoError& error) : info_(info), error_(error) {}

    bool read(std::string_view text);

private:
    DebugInfo& info_;
    DebugInfoError& error_;
    int line_ = 0;
    bool ended_ = false;
    std::unordered_map<std::string_view, int> symbol_lines_;  // name -> record line, for duplicates
    std::vector<int> line_record_lines_;                       // of each line record, for overlaps

    bool fail(std::string reason)
    {
        error_ = {line_, std::move(reason)};
        return false;
    }

    bool header(std::string_view text);
    bool record(const Fields& fields);
    bool file_record(const Fields& fields);
    bool symbol_record(const Fields& fields);
    bool line_record(const Fields& fields);
    bool end_record(const Fields& fields);
    bool source_position(std::string_view file, std::string_view line, uint32_t& file_id, int& line_number);
    bool sort_lines();
};

bool Reader::read(std::string_view text)
{
    if (text.size() > DEBUG_INFO_MAX_SIZE) {
        return fail("larger than " + std::to_string(DEBUG_INFO_MAX_SIZE >> 20) + " MiB: not a debug-information file");
    }
    while (!text.empty()) {
        const std::size_t end = text.find('\n');
        std::string_view line = text.substr(0, end);
        text = end == std::string_view::npos ? std::string_view{} : text.substr(end + 1);
        if (!line.empty() && line.back() == '\r') {
            line.remove_suffix(1);
        }
        ++line_;
        if (line_ == 1) {
            if (!header(line)) {
                return false;
            }
            continue;
        }
        const Fields fields = split(line);
        if (fields.count == 0) {
            continue;
        }
        if (ended_) {
            return fail("a record after the end record");
        }
        if (!record(fields)) {
            return false;
        }
    }
    if (line_ == 0) {
        return fail("empty: not a debug-information file");
    }
    if (!ended_) {
        line_ = 0;
        return fail("truncated: the end record is missing");
    }
    return sort_lines();
}

bool Reader::header(std::string_view text)
{
    const Fields fields = split(text);
    if (fields.count == 0 || fields.field[0] != DEBUG_INFO_MAGIC) {
        return fail("not a debug-information file (its first line is not '" + std::string(DEBUG_INFO_MAGIC) + " " +
                    std::to_string(DEBUG_INFO_VERSION) + "')");
    }
    uint64_t version = 0;
    if (fields.count != 2 || !parse_decimal(fields.field[1], 1, 0xFFFFFFFF, version)) {
        return fail("bad format version");
    }
    if (version > static_cast<uint64_t>(DEBUG_INFO_VERSION)) {
        return fail("format version " + std::to_string(version) + " is newer than this program reads (" +
                    std::to_string(DEBUG_INFO_VERSION) + ")");
    }
    return true;
}

// Records of names this version does not know are skipped: a later version
// may add records without making older readers refuse the file.
bool Reader::record(const Fields& fields)
{
    if (fields.too_many) {
        return fail("too many fields");
    }
    const std::string_view name = fields.field[0];
    if (name == RECORD_FILE) {
        return file_record(fields);
    }
    if (name == RECORD_SYMBOL) {
        return symbol_record(fields);
    }
    if (name == RECORD_LINE) {
        return line_record(fields);
    }
    if (name == RECORD_END) {
        return end_record(fields);
    }
    return true;
}

bool Reader::file_record(const Fields& fields)
{
    uint64_t id = 0;
    SourceFile file;
    if (fields.count != 4) {
        return fail("bad file record: 4 fields expected");
    }
    if (!parse_decimal(fields.field[1], 0, 0xFFFFFFFF, id) || id != info_.files.size()) {
        return fail("bad file record: number " + std::to_string(info_.files.size()) + " expected");
    }
    if (!parse_path(fields.field[2], file.path) || !parse_path(fields.field[3], file.absolute)) {
        return fail("bad file record: a path is empty, longer than " + std::to_string(MAX_PATH_LENGTH) +
                    " bytes or badly escaped");
    }
    info_.files.push_back(std::move(file));
    return true;
}

bool Reader::source_position(std::string_view file, std::string_view line, uint32_t& file_id, int& line_number)
{
    uint64_t value = 0;
    if (!parse_decimal(file, 0, 0xFFFFFFFF, value) || value >= info_.files.size()) {
        return fail("no file record numbered " + std::string(file));
    }
    file_id = static_cast<uint32_t>(value);
    if (!parse_decimal(line, 1, MAX_SOURCE_LINE, value)) {
        return fail("source line '" + std::string(line) + "' out of range");
    }
    line_number = static_cast<int>(value);
    return true;
}

bool Reader::symbol_record(const Fields& fields)
{
    if (fields.count != 6) {
        return fail("bad symbol record: 6 fields expected");
    }
    SymbolEntry symbol;
    const std::string_view name = fields.field[1];
    if (!is_name(name)) {
        return fail("bad symbol record: a name of up to " + std::to_string(MAX_SYMBOL_NAME) +
                    " letters, digits and _ expected");
    }
    symbol.name = std::string(name);
    std::string_view value = fields.field[2];
    const bool negative = !value.empty() && value[0] == '-';
    value.remove_prefix(negative ? 1 : 0);
    uint64_t magnitude = 0;
    if (!parse_hex(value, 8, magnitude) || magnitude > static_cast<uint64_t>(MAX_SYMBOL_MAGNITUDE)) {
        return fail("bad symbol record: value '" + std::string(fields.field[2]) + "' out of range");
    }
    symbol.value = negative ? -static_cast<int64_t>(magnitude) : static_cast<int64_t>(magnitude);
    std::size_t kind = 0;
    if (!find_name(SYMBOL_KIND_NAMES, fields.field[3], kind)) {
        return fail("bad symbol record: kind 'label' or 'equ' expected");
    }
    symbol.kind = static_cast<SymbolKind>(kind);
    if (!source_position(fields.field[4], fields.field[5], symbol.file, symbol.line)) {
        return false;
    }
    const auto [found, inserted] = symbol_lines_.try_emplace(name, line_);
    if (!inserted) {
        return fail("symbol " + symbol.name + " defined again (first on line " + std::to_string(found->second) +
                    ")");
    }
    info_.symbols.push_back(std::move(symbol));
    return true;
}

bool Reader::line_record(const Fields& fields)
{
    if (fields.count != 7) {
        return fail("bad line record: 7 fields expected");
    }
    LineEntry entry;
    uint64_t address = 0;
    uint64_t length = 0;
    if (!parse_hex(fields.field[1], 4, address)) {
        return fail("bad line record: address '" + std::string(fields.field[1]) + "' is not >0000 to >FFFF");
    }
    entry.address = static_cast<uint16_t>(address);
    if (!parse_decimal(fields.field[2], 1, 0x10000 - address, length)) {
        return fail("bad line record: length '" + std::string(fields.field[2]) + "' runs past >FFFF or is 0");
    }
    if (!source_position(fields.field[3], fields.field[4], entry.file, entry.line)) {
        return false;
    }
    std::size_t kind = 0;
    if (!find_name(LINE_KIND_NAMES, fields.field[5], kind)) {
        return fail("bad line record: kind 'code', 'data', 'byte' or 'text' expected");
    }
    entry.kind = static_cast<LineKind>(kind);
    const std::string_view bytes = fields.field[6];
    if (bytes.size() != 2 * length) {
        return fail("bad line record: " + std::to_string(length) + " bytes expected");
    }
    entry.bytes.resize(length);
    for (std::size_t i = 0; i < length; ++i) {
        uint64_t byte = 0;
        if (!parse_hex(bytes.substr(2 * i, 2), 2, byte)) {
            return fail("bad line record: the bytes are not hexadecimal");
        }
        entry.bytes[i] = static_cast<uint8_t>(byte);
    }
    info_.lines.push_back(std::move(entry));
    line_record_lines_.push_back(line_);
    return true;
}

bool Reader::end_record(const Fields& fields)
{
    uint64_t files = 0;
    uint64_t symbols = 0;
    uint64_t lines = 0;
    if (fields.count != 4 || !parse_decimal(fields.field[1], 0, 0xFFFFFFFF, files) ||
        !parse_decimal(fields.field[2], 0, 0xFFFFFFFF, symbols) ||
        !parse_decimal(fields.field[3], 0, 0xFFFFFFFF, lines)) {
        return fail("bad end record: three counts expected");
    }
    if (files != info_.files.size() || symbols != info_.symbols.size() || lines != info_.lines.size()) {
        return fail("the end record counts " + std::to_string(files) + " files, " + std::to_string(symbols) +
                    " symbols and " + std::to_string(lines) + " lines; the file holds " +
                    std::to_string(info_.files.size()) + ", " + std::to_string(info_.symbols.size()) + " and " +
                    std::to_string(info_.lines.size()));
    }
    ended_ = true;
    return true;
}

// The lines in address order; no two may place the same byte.
bool Reader::sort_lines()
{
    std::vector<std::size_t> order(info_.lines.size());
    std::iota(order.begin(), order.end(), 0);
    std::stable_sort(order.begin(), order.end(),
                     [&](std::size_t a, std::size_t b) { return info_.lines[a].address < info_.lines[b].address; });
    std::vector<LineEntry> sorted;
    sorted.reserve(order.size());
    for (std::size_t i = 0; i < order.size(); ++i) {
        const LineEntry& entry = info_.lines[order[i]];
        if (!sorted.empty() && entry.address < sorted.back().end()) {
            line_ = std::max(line_record_lines_[order[i]], line_record_lines_[order[i - 1]]);
            return fail("bad line record: its bytes overlap another line's");
        }
        sorted.push_back(std::move(info_.lines[order[i]]));
    }
    info_.lines = std::move(sorted);
    return true;
}

}  // namespace

bool read_debug_info(std::string_view text, DebugInfo& info, DebugInfoError& error)
{
    info = DebugInfo{};
    error = DebugInfoError{};
    Reader reader(info, error);
    if (!reader.read(text)) {
        info = DebugInfo{};
        return false;
    }
    return true;
}

std::string debug_info_message(std::string_view file_name, const DebugInfoError& error)
{
    std::string text(file_name);
    if (error.line > 0) {
        text += ":" + std::to_string(error.line);
    }
    return text + ": " + error.reason;
}

#include "symbols/debug_symbols.h"

#include <algorithm>
#include <cctype>
#include <numeric>

namespace {

char lower(char c)
{
    return static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
}

// Edits (insert, delete, change a character, case ignored) from `a` to `b`;
// stops counting at `limit`.
std::size_t edit_distance(std::string_view a, std::string_view b, std::size_t limit)
{
    const std::size_t gap = a.size() > b.size() ? a.size() - b.size() : b.size() - a.size();
    if (gap >= limit) {
        return limit;
    }
    std::vector<std::size_t> row(b.size() + 1);
    std::iota(row.begin(), row.end(), 0);
    for (std::size_t i = 1; i <= a.size(); ++i) {
        std::size_t diagonal = row[0];
        row[0] = i;
        for (std::size_t j = 1; j <= b.size(); ++j) {
            const std::size_t above = row[j];
            row[j] = std::min({row[j] + 1, row[j - 1] + 1, diagonal + (lower(a[i - 1]) == lower(b[j - 1]) ? 0 : 1)});
            diagonal = above;
        }
    }
    return std::min(row[b.size()], limit);
}

// FILE names `path` when it is all of it or a trailing part that starts
// after a '/'.
bool names_path(std::string_view file, std::string_view path)
{
    if (file.empty() || file.size() > path.size() || path.substr(path.size() - file.size()) != file) {
        return false;
    }
    return file.size() == path.size() || path[path.size() - file.size() - 1] == '/';
}

}  // namespace

DebugSymbols::DebugSymbols(DebugInfo info) : info_(std::move(info))
{
    index();
}

bool DebugSymbols::load(std::string_view text, DebugInfoError& error)
{
    DebugInfo info;
    const bool ok = read_debug_info(text, info, error);
    info_ = std::move(info);
    index();
    return ok;
}

void DebugSymbols::index()
{
    const std::vector<SymbolEntry>& symbols = info_.symbols;
    by_name_.resize(symbols.size());
    std::iota(by_name_.begin(), by_name_.end(), 0);
    std::sort(by_name_.begin(), by_name_.end(),
              [&](uint32_t a, uint32_t b) { return symbols[a].name < symbols[b].name; });

    labels_by_value_.clear();
    for (uint32_t i = 0; i < symbols.size(); ++i) {
        if (symbols[i].kind == SymbolKind::Label && symbols[i].value >= 0 && symbols[i].value <= 0xFFFF) {
            labels_by_value_.push_back(i);
        }
    }
    std::stable_sort(labels_by_value_.begin(), labels_by_value_.end(),
                     [&](uint32_t a, uint32_t b) { return symbols[a].value < symbols[b].value; });

    code_lines_.assign(info_.files.size(), {});
    for (const LineEntry& entry : info_.lines) {
        if (entry.kind == LineKind::Code && entry.file < code_lines_.size()) {
            code_lines_[entry.file].push_back({entry.line, entry.address});
        }
    }
    for (std::vector<CodeLine>& lines : code_lines_) {
        std::sort(lines.begin(), lines.end(), [](const CodeLine& a, const CodeLine& b) {
            return a.line != b.line ? a.line < b.line : a.address < b.address;
        });
    }
}

const SymbolEntry* DebugSymbols::find(std::string_view name) const
{
    const auto found = std::lower_bound(by_name_.begin(), by_name_.end(), name,
                                        [&](uint32_t i, std::string_view key) { return info_.symbols[i].name < key; });
    return found != by_name_.end() && info_.symbols[*found].name == name ? &info_.symbols[*found] : nullptr;
}

std::vector<std::string> DebugSymbols::nearest_names(std::string_view name, std::size_t count) const
{
    name = name.substr(0, MAX_SYMBOL_NAME + 1);
    std::vector<std::pair<std::size_t, uint32_t>> ranked;  // distance, symbol; by_name_ keeps ties in name order
    for (const uint32_t i : by_name_) {
        const std::size_t limit = ranked.size() < count ? MAX_SYMBOL_NAME + 2 : ranked.back().first;
        const std::size_t distance = edit_distance(name, info_.symbols[i].name, limit);
        if (distance < limit) {
            ranked.insert(std::upper_bound(ranked.begin(), ranked.end(), std::make_pair(distance, UINT32_MAX),
                                           [](const auto& a, const auto& b) { return a.first < b.first; }),
                          {distance, i});
            ranked.resize(std::min(ranked.size(), count));
        }
    }
    std::vector<std::string> names;
    for (const auto& [distance, i] : ranked) {
        names.push_back(info_.symbols[i].name);
    }
    return names;
}

DebugSymbols::LabelOffset DebugSymbols::label_for(uint16_t address) const
{
    const auto value_below = [&](uint16_t key, uint32_t i) { return key < info_.symbols[i].value; };
    const auto above = std::upper_bound(labels_by_value_.begin(), labels_by_value_.end(), address, value_below);
    if (above == labels_by_value_.begin()) {
        return {};
    }
    const SymbolEntry* nearest = label_at(static_cast<uint16_t>(info_.symbols[*(above - 1)].value));
    return {nearest, static_cast<uint16_t>(address - nearest->value)};
}

const SymbolEntry* DebugSymbols::label_at(uint16_t address) const
{
    const auto found = std::lower_bound(labels_by_value_.begin(), labels_by_value_.end(), address,
                                        [&](uint32_t i, uint16_t key) { return info_.symbols[i].value < key; });
    return found != labels_by_value_.end() && info_.symbols[*found].value == address ? &info_.symbols[*found]
                                                                                       : nullptr;
}

const LineEntry* DebugSymbols::line_at(uint16_t address) const
{
    const auto after = std::upper_bound(info_.lines.begin(), info_.lines.end(), address,
                                        [](uint16_t key, const LineEntry& entry) { return key < entry.address; });
    if (after == info_.lines.begin() || address >= (after - 1)->end()) {
        return nullptr;
    }
    return &*(after - 1);
}

std::vector<uint32_t> DebugSymbols::files_named(std::string_view file) const
{
    std::vector<uint32_t> exact;
    std::vector<uint32_t> trailing;
    for (uint32_t i = 0; i < info_.files.size(); ++i) {
        const SourceFile& source = info_.files[i];
        if (file == source.path || file == source.absolute) {
            exact.push_back(i);
        } else if (names_path(file, source.path) || names_path(file, source.absolute)) {
            trailing.push_back(i);
        }
    }
    return exact.empty() ? trailing : exact;
}

DebugSymbols::LineAddress DebugSymbols::address_of_line(std::string_view file, int line) const
{
    LineAddress result;
    result.files = files_named(file);
    if (result.files.size() != 1) {
        result.result = result.files.empty() ? LineAddress::NoFile : LineAddress::AmbiguousFile;
        return result;
    }
    result.file = result.files.front();
    const std::vector<CodeLine>& lines = code_lines_[result.file];
    const auto at = std::lower_bound(lines.begin(), lines.end(), line,
                                     [](const CodeLine& entry, int key) { return entry.line < key; });
    if (at != lines.end() && at->line == line) {
        result.result = LineAddress::Found;
        result.address = at->address;  // the lowest: a file copied twice places a line twice
        return result;
    }
    result.result = LineAddress::NoCode;
    if (at != lines.begin()) {
        result.nearest.push_back((at - 1)->line);
    }
    if (at != lines.end()) {
        result.nearest.push_back(at->line);
    }
    return result;
}

std::vector<int> DebugSymbols::code_lines(uint32_t file) const
{
    std::vector<int> lines;
    if (file < code_lines_.size()) {
        for (const CodeLine& entry : code_lines_[file]) {
            if (lines.empty() || lines.back() != entry.line) {
                lines.push_back(entry.line);
            }
        }
    }
    return lines;
}

std::optional<DebugSymbols::CodePlace> DebugSymbols::code_from_line(uint32_t file, int line) const
{
    if (file >= code_lines_.size()) {
        return std::nullopt;
    }
    const std::vector<CodeLine>& lines = code_lines_[file];
    const auto at = std::lower_bound(lines.begin(), lines.end(), line,
                                     [](const CodeLine& entry, int key) { return entry.line < key; });
    if (at == lines.end()) {
        return std::nullopt;
    }
    return CodePlace{at->line, at->address};  // the lowest address: lines are sorted by line, then address
}

std::vector<const LineEntry*> DebugSymbols::differing_lines(const uint8_t* memory) const
{
    std::vector<const LineEntry*> differing;
    for (const LineEntry& entry : info_.lines) {
        if (!std::equal(entry.bytes.begin(), entry.bytes.end(), memory + entry.address)) {
            differing.push_back(&entry);
        }
    }
    return differing;
}

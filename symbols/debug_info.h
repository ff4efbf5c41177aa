// The debug information that pavon-asm writes beside the ROM images as
// pavon.dbg: the source files, every label and EQU name with its value, and
// a line table mapping each byte the program placed to the source line that
// placed it. The file is plain text, one record a line:
//
//     pavon-dbg 1
//     file 0 demo.asm /home/me/demo/demo.asm
//     symbol START 0054 label 0 90
//     line 0054 4 0 90 code 02E0F000
//     end 1 1 1
//
// The record names, the kinds and the limits below are the format's one
// home: the assembler writes through write_debug_info, every reader reads
// through read_debug_info.
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

constexpr std::string_view DEBUG_INFO_MAGIC = "pavon-dbg";
constexpr int DEBUG_INFO_VERSION = 1;
constexpr std::string_view DEBUG_INFO_FILE_NAME = "pavon.dbg";

constexpr std::string_view RECORD_FILE = "file";
constexpr std::string_view RECORD_SYMBOL = "symbol";
constexpr std::string_view RECORD_LINE = "line";
constexpr std::string_view RECORD_END = "end";

// Bounds that keep a hostile file from costing more than a real one.
constexpr std::size_t DEBUG_INFO_MAX_SIZE = 64u << 20;  // bytes of text
constexpr std::size_t MAX_SYMBOL_NAME = 255;
constexpr std::size_t MAX_PATH_LENGTH = 4096;  // bytes of a path, unescaped
constexpr int MAX_SOURCE_LINE = 0x7FFFFFFF;
constexpr int64_t MAX_SYMBOL_MAGNITUDE = 0xFFFFFFFF;  // the assembler computes in 32 bits

// A source file: the path as the assembler opened it (the command line's,
// or a COPY's joined to the folder of the file that holds the COPY), and
// its absolute path with links resolved.
struct SourceFile {
    std::string path;
    std::string absolute;
    bool operator==(const SourceFile&) const = default;
};

enum class SymbolKind : uint8_t { Label, Equ };
constexpr std::array<std::string_view, 2> SYMBOL_KIND_NAMES{"label", "equ"};

struct SymbolEntry {
    std::string name;
    int64_t value = 0;
    SymbolKind kind = SymbolKind::Label;
    uint32_t file = 0;  // where it is defined
    int line = 0;
    bool operator==(const SymbolEntry&) const = default;
};

// What a placing line is: an instruction, or data placed by DATA (words),
// BYTE or TEXT.
enum class LineKind : uint8_t { Code, Words, Bytes, Text };
constexpr std::array<std::string_view, 4> LINE_KIND_NAMES{"code", "data", "byte", "text"};

struct LineEntry {
    uint16_t address = 0;
    uint32_t file = 0;
    int line = 0;
    LineKind kind = LineKind::Code;
    std::vector<uint8_t> bytes;  // as placed, from `address` on
    uint32_t end() const { return address + static_cast<uint32_t>(bytes.size()); }
    bool operator==(const LineEntry&) const = default;
};

// Symbols in definition order; lines in the order they are written (the
// reader sorts them by address).
struct DebugInfo {
    std::vector<SourceFile> files;
    std::vector<SymbolEntry> symbols;
    std::vector<LineEntry> lines;
    bool operator==(const DebugInfo&) const = default;
};

// Where a file is bad: `line` is the record's line (0 for the file as a
// whole), `reason` says what is wrong in words.
struct DebugInfoError {
    int line = 0;
    std::string reason;
};

std::string write_debug_info(const DebugInfo& info);

// False, with `error` filled, for anything but a whole, well-formed file of
// this format version: the result is then empty.
bool read_debug_info(std::string_view text, DebugInfo& info, DebugInfoError& error);

// "FILE:LINE: REASON", or "FILE: REASON" for the file as a whole.
std::string debug_info_message(std::string_view file_name, const DebugInfoError& error);

// A symbol's value as the file and the listing write it: at least four
// upper-case hexadecimal digits, '-' in front of a negative one.
std::string format_symbol_value(int64_t value);

std::string_view line_kind_name(LineKind kind);
std::string_view symbol_kind_name(SymbolKind kind);

// A two-pass assembler for the machine's processor. Source lines read
//
//     label:  MNEMONIC  operand, operand   ; comment
//
// Everything it produces is collected in a Program: the files and lines it
// read (COPY reads a file in place of its line), the bytes placed in the
// address space with the lines that placed them, the symbols, and the
// errors with their files and lines.
#pragma once

#include <cstdint>
#include <functional>
#include <string>
#include <string_view>
#include <vector>

#include "machine/memory_map.h"  // code and data must lie below ROM_END
#include "symbols/debug_info.h"  // the source files and the kinds of placing lines
#include "tools/asm/expression.h"

// Bytes placed from `start` on by the statement on `line` of `file`.
struct Segment {
    uint16_t start;
    int line;
    std::vector<uint8_t> bytes;
    int file = 0;
    LineKind kind = LineKind::Code;
    std::size_t order = 0;  // the statement's place in Program::lines
};

struct Diagnostic {
    int line;
    std::string message;
    int file = 0;
    std::size_t order = 0;  // the line's place in reading order
};

// One source line as read: a COPY line is followed by the lines of its file.
struct SourceLine {
    int file;
    int line;
    std::string text;
};

struct Program {
    std::vector<SourceFile> files;  // the source given first, then each file a COPY reads
    std::vector<SourceLine> lines;  // every line read, in reading order
    std::vector<Segment> segments;
    std::vector<Diagnostic> errors;  // in reading order; the program is usable only when empty
    SymbolTable symbols;
};

// The text of a file that COPY names, and its absolute path with links
// resolved (the same file always gives the same one: a file that includes
// itself is found by it).
struct SourceText {
    std::string text;
    std::string absolute;
};

// Reads the file at `path` (a COPY's name joined to the folder of the file
// that holds the COPY); false, with the reason in words, when it cannot.
using SourceReader = std::function<bool(const std::string& path, SourceText& source, std::string& reason)>;

constexpr int MAX_COPY_DEPTH = 32;                 // files open inside one another
constexpr std::size_t MAX_SOURCE_LINES = 1'000'000;  // lines read in all, COPY files included
constexpr std::size_t MAX_SOURCE_BYTES = 64u << 20;  // bytes read in all

// Assembles `source`, read from `file`; COPY reads through `reader` (none:
// COPY is an error).
Program assemble(std::string_view source, const SourceFile& file, const SourceReader& reader);
Program assemble(std::string_view source, std::string_view file_name);

// "file:line: error: message"
std::string format_diagnostic(const Program& program, const Diagnostic& diagnostic);

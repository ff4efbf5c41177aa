// The questions that the emulator, the disassembler and the debug adapter
// ask of a program's debug information, answered from tables sorted once
// when it is loaded: each lookup by address or name is a binary search, so
// that it can be made for every line of a trace.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "symbols/debug_info.h"

class DebugSymbols {
public:
    // Reads the text of a debug-information file (the caller reads the
    // file). False, with `error` saying where and why, leaves it empty.
    bool load(std::string_view text, DebugInfoError& error);

    // Indexes information already read (the assembler's own, say).
    explicit DebugSymbols(DebugInfo info = {});

    const DebugInfo& info() const { return info_; }
    const SourceFile& file(uint32_t id) const { return info_.files[id]; }

    // --- names ---

    // The label or EQU name, or nullptr.
    const SymbolEntry* find(std::string_view name) const;

    // Up to `count` known names closest to an unknown one, closest first
    // (for "did you mean" lines).
    std::vector<std::string> nearest_names(std::string_view name, std::size_t count = 3) const;

    // --- addresses ---

    struct LabelOffset {
        const SymbolEntry* label = nullptr;  // nullptr: no label at or below the address
        uint16_t offset = 0;
    };

    // The nearest label at or below `address` (labels only, never an EQU
    // name), and how far above it the address lies: DRAW+6. Of labels at
    // one address, the first defined.
    LabelOffset label_for(uint16_t address) const;

    // The label at exactly `address`, or nullptr.
    const SymbolEntry* label_at(uint16_t address) const;

    // The line that placed the byte at `address` (its file, line and kind),
    // or nullptr.
    const LineEntry* line_at(uint16_t address) const;

    // --- source lines ---

    // The files that FILE names: a file whose path as given or absolute
    // path is FILE, else every file whose path ends in "/FILE".
    std::vector<uint32_t> files_named(std::string_view file) const;

    struct LineAddress {
        enum Result { Found, NoFile, AmbiguousFile, NoCode } result = NoFile;
        uint16_t address = 0;       // Found: the lowest address of an instruction that line placed
        uint32_t file = 0;          // Found, NoCode: the file
        std::vector<int> nearest;   // NoCode: the closest lines before and after that placed instructions
        std::vector<uint32_t> files;  // AmbiguousFile: the files FILE names
    };

    // The first instruction that FILE:LINE placed.
    LineAddress address_of_line(std::string_view file, int line) const;

    // The lines of a file that placed instructions, in order: where an
    // editor may put a breakpoint.
    std::vector<int> code_lines(uint32_t file) const;

    struct CodePlace {
        int line = 0;
        uint16_t address = 0;
    };

    // The first instruction that `line` of `file` placed, or else the first
    // that a later line of it placed (its line and lowest address): where a
    // breakpoint on `line` goes. Nothing when no line from `line` on did.
    std::optional<CodePlace> code_from_line(uint32_t file, int line) const;

    // --- bytes ---

    // The lines whose recorded bytes differ from `memory` (the whole
    // address space, 64 KB): the images loaded are not the ones assembled.
    std::vector<const LineEntry*> differing_lines(const uint8_t* memory) const;

private:
    struct CodeLine {
        int line;
        uint16_t address;
    };

    // Indexes into info_.symbols, so that a copy stays whole.
    DebugInfo info_;
    std::vector<uint32_t> by_name_;
    std::vector<uint32_t> labels_by_value_;  // labels within the address space, ties in definition order
    std::vector<std::vector<CodeLine>> code_lines_;    // per file, by line then address

    void index();
};

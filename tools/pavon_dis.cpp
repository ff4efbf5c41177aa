// pavon-dis: lists a ROM image as the debugger overlay shows instructions.
//
//     pavon-dis [--symbols FILE] IMAGE [ADDRESS]
//
// ADDRESS is where the image lies in the address space (>8000, 0x8000 or
// 32768); without it, >8000 for a file named pavon2.bin and >0000 for any
// other. Each line holds the instruction's address, its words and its text;
// a run of three or more zero words shows as its first line and a "*".
// With the program's debug information (pavon.dbg), labels stand on lines
// of their own and what DATA, BYTE and TEXT placed is listed as data.
#include <algorithm>
#include <cstdint>
#include <cstdio>
#include <cstring>
#include <string>

#include "cpu/cpu.h"
#include "cpu/memory.h"
#include "isa/disassembler.h"
#include "isa/numbers.h"
#include "symbols/debug_symbols.h"
#include "tools/exit_status.h"
#include "tools/tool_files.h"

namespace {

constexpr const char* USAGE =
    "usage: pavon-dis [--symbols FILE] IMAGE [ADDRESS]\n"
    "Lists IMAGE as instructions: address, words, text.\n"
    "  ADDRESS         where the image lies (>8000, 0x8000 or 32768; quote a >\n"
    "                  in a shell); default >8000 for pavon2.bin, >0000 otherwise\n"
    "  --symbols FILE  the program's debug information (pavon.dbg from pavon-asm):\n"
    "                  labels on lines of their own, DATA, BYTE and TEXT as data\n"
    "  -h, --help      print this and exit\n"
    "  --version       print the version and exit\n"
    "Exit status: 0 listed; 1 a file that cannot be read, or a bad debug file;\n"
    "2 a bad command line.\n";

constexpr std::size_t WORDS_COLUMN = 14;  // "0200 1234 5678"
constexpr long BYTES_PER_ROW = 4;
constexpr long WORDS_PER_ROW = 3;

struct CommandLine {
    const char* image = nullptr;
    const char* address = nullptr;
    const char* symbols = nullptr;
};

int usage_error()
{
    std::fputs(USAGE, stderr);
    return EXIT_USAGE;
}

bool parse_address(const char* text, long& address)
{
    uint64_t value = 0;
    if (!parse_number(text, MEMORY_SIZE - 1, value)) {
        return false;
    }
    address = static_cast<long>(value);
    return true;
}

bool ends_with(const std::string& text, const std::string& suffix)
{
    return text.size() >= suffix.size() && text.compare(text.size() - suffix.size(), suffix.size(), suffix) == 0;
}

// Loads the image into the address space at `address`; `size` is how many
// bytes it filled (an image running past >FFFF is cut there).
bool load_image(const char* path, long address, long& size, bool& truncated, std::string& reason)
{
    const std::size_t room = MEMORY_SIZE - static_cast<std::size_t>(address);
    std::string bytes;
    if (!read_file(path, room, bytes, reason)) {
        return false;
    }
    truncated = bytes.size() > room;
    bytes.resize(std::min(bytes.size(), room));
    g_memory.fill(0);
    std::memcpy(g_memory.data() + address, bytes.data(), bytes.size());
    size = static_cast<long>(bytes.size());
    return true;
}

bool load_symbols(const char* path, DebugSymbols& symbols)
{
    std::string text;
    std::string reason;
    if (!read_file(path, DEBUG_INFO_MAX_SIZE, text, reason)) {
        std::fprintf(stderr, "pavon-dis: cannot read %s: %s\n", path, reason.c_str());
        return false;
    }
    DebugInfoError error;
    if (!symbols.load(text, error)) {
        std::fprintf(stderr, "pavon-dis: %s\n", debug_info_message(path, error).c_str());
        return false;
    }
    return true;
}

std::string hex(unsigned value, int digits)
{
    char text[9];
    std::snprintf(text, sizeof text, "%0*X", digits, value & 0xFFFFu);
    return text;
}

void print_row(long address, const std::string& columns, const std::string& text)
{
    std::printf(">%04lX  %-*s  %s\n", address, static_cast<int>(WORDS_COLUMN), columns.c_str(), text.c_str());
}

uint8_t byte_at(long at)
{
    return g_memory[static_cast<std::size_t>(at)];
}

uint16_t word_at(long at)
{
    return mem_read_word(static_cast<Location>(at));
}

bool zero_word(long at, long end)
{
    return at + 1 < end && word_at(at) == 0;
}

class Lister {
public:
    Lister(long end, const DebugSymbols* symbols) : end_(end), symbols_(symbols) {}

    void list(long at);

private:
    long end_;
    const DebugSymbols* symbols_;  // nullptr without --symbols

    bool labelled(long at) const { return symbols_ != nullptr && symbols_->label_at(static_cast<uint16_t>(at)); }
    const LineEntry* line_at(long at) const
    {
        return symbols_ != nullptr && at < static_cast<long>(MEMORY_SIZE) ? symbols_->line_at(static_cast<uint16_t>(at))
                                                                         : nullptr;
    }
    // A word that no line placed and no label names: part of a gap.
    bool free_zero(long at) const { return zero_word(at, end_) && !labelled(at) && !line_at(at) && !line_at(at + 1); }

    long instruction(long at);
    long data_row(const LineEntry& line, long at);
};

void Lister::list(long at)
{
    while (at < end_) {
        if (const SymbolEntry* label = symbols_ != nullptr ? symbols_->label_at(static_cast<uint16_t>(at)) : nullptr) {
            std::printf("%s:\n", label->name.c_str());
        }
        const LineEntry* line = line_at(at);
        if (line != nullptr && line->kind != LineKind::Code) {
            at = data_row(*line, at);
        } else if ((at & 1) != 0) {
            print_row(at, hex(byte_at(at), 2), "BYTE >" + hex(byte_at(at), 2));  // after odd-length data
            ++at;
        } else {
            at = instruction(at);
        }
    }
}

long Lister::instruction(long at)
{
    char text[DISASSEMBLY_BUFFER] = {};
    uint16_t address = static_cast<uint16_t>(at);
    Location current = static_cast<Location>(at);
    disassemble(current, text, address, current);
    long words = 1 + static_cast<uint16_t>(address - at) / 2;
    for (long i = 1; i < words; ++i) {
        if (labelled(at + 2 * i) || (line_at(at + 2 * i) != nullptr && line_at(at + 2 * i)->kind != LineKind::Code)) {
            words = 1;  // its words would run into data: the word is listed as data itself
            std::snprintf(text, sizeof text, "DATA >%04X", word_at(at));
        }
    }
    std::string columns;
    for (long i = 0; i < words; ++i) {
        columns += (i > 0 ? " " : "") + hex(word_at(at + 2 * i), 4);
    }
    print_row(at, columns, text);
    if (free_zero(at) && free_zero(at + 2) && free_zero(at + 4)) {
        std::printf("*\n");
        while (free_zero(at)) {
            at += 2;
        }
        return at;
    }
    return at + 2 * words;
}

// One row of a DATA, BYTE or TEXT line: the image's bytes, a row ending
// where a label names a byte.
long Lister::data_row(const LineEntry& line, long at)
{
    const bool words = line.kind == LineKind::Words && (at & 1) == 0;
    long count = std::min({static_cast<long>(line.end()) - at, end_ - at, words ? 2 * WORDS_PER_ROW : BYTES_PER_ROW});
    for (long i = 1; i < count; ++i) {
        if (labelled(at + i)) {
            count = i;
        }
    }
    std::string columns;
    std::string values;
    bool printable = line.kind == LineKind::Text;
    for (long i = 0; i < count; i += words ? 2 : 1) {
        const std::string value = words && i + 1 < count ? hex(word_at(at + i), 4) : hex(byte_at(at + i), 2);
        columns += (i > 0 ? " " : "") + value;
        values += (i > 0 ? ", >" : ">") + value;
        printable = printable && byte_at(at + i) >= ' ' && byte_at(at + i) < 0x7F;
    }
    if (printable) {
        std::string text;
        for (long i = 0; i < count; ++i) {
            const char c = static_cast<char>(byte_at(at + i));
            text += c == '\'' ? "''" : std::string(1, c);
        }
        print_row(at, columns, "TEXT '" + text + "'");
    } else {
        print_row(at, columns, (words ? "DATA " : "BYTE ") + values);
    }
    return at + count;
}

// A debug file made for other images says so once: the listing shows the
// image as it is.
void warn_on_difference(const DebugSymbols& symbols, const char* image, const char* debug, long start, long end)
{
    for (const LineEntry& line : symbols.info().lines) {
        if (line.address >= start && line.end() <= static_cast<uint32_t>(end) &&
            !std::equal(line.bytes.begin(), line.bytes.end(), g_memory.begin() + line.address)) {
            std::fprintf(stderr, "pavon-dis: %s differs from %s at >%04X (%s:%d): the listing shows the image\n",
                         image, debug, line.address, symbols.file(line.file).path.c_str(), line.line);
            return;
        }
    }
}

}  // namespace

int main(int argc, char** argv)
{
    CommandLine command;
    for (int i = 1; i < argc; ++i) {
        const std::string argument = argv[i];
        if (argument == "-h" || argument == "--help") {
            std::fputs(USAGE, stdout);
            return 0;
        }
        if (argument == "--version") {
            std::printf("pavon-dis %s\n", PAVON_VERSION);
            return 0;
        }
        if (argument == "--symbols" && i + 1 < argc) {
            command.symbols = argv[++i];
        } else if (command.image == nullptr && !argument.empty() && argument[0] != '-') {
            command.image = argv[i];
        } else if (command.image != nullptr && command.address == nullptr) {
            command.address = argv[i];
        } else {
            return usage_error();
        }
    }
    if (command.image == nullptr) {
        return usage_error();
    }
    long start = ends_with(command.image, "pavon2.bin") ? ROM2_START : ROM1_START;
    if (command.address != nullptr && !parse_address(command.address, start)) {
        return usage_error();
    }

    DebugSymbols symbols;
    if (command.symbols != nullptr && !load_symbols(command.symbols, symbols)) {
        return EXIT_FAILED;
    }
    long size = 0;
    bool truncated = false;
    std::string reason;
    if (!load_image(command.image, start, size, truncated, reason)) {
        std::fprintf(stderr, "pavon-dis: cannot read %s: %s\n", command.image, reason.c_str());
        return EXIT_FAILED;
    }
    if (truncated) {
        std::fprintf(stderr, "pavon-dis: %s runs past >FFFF; listing up to >FFFF only\n", command.image);
    }
    const long end = start + size;
    if (command.symbols != nullptr) {
        warn_on_difference(symbols, command.image, command.symbols, start, end);
    }
    Lister(end, command.symbols != nullptr ? &symbols : nullptr).list(start & ~1L);
    return 0;
}

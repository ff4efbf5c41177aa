// pavon-dis: lists a ROM image as the debugger overlay shows instructions.
//
//     pavon-dis IMAGE [ADDRESS]
//
// ADDRESS is where the image lies in the address space (>8000, 0x8000 or
// 32768); without it, >8000 for a file named pavon2.bin and >0000 for any
// other. Each line holds the instruction's address, its words and its text;
// a run of three or more zero words shows as its first line and a "*".
#include <cerrno>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>

#include "cpu/cpu.h"
#include "cpu/memory.h"
#include "isa/disassembler.h"
#include "isa/numbers.h"
#include "tools/exit_status.h"

namespace {

int usage()
{
    std::fprintf(stderr, "usage: pavon-dis IMAGE [ADDRESS]\n"
                         "ADDRESS: where the image lies (>8000, 0x8000 or 32768); default >8000 for\n"
                         "pavon2.bin, >0000 otherwise\n");
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
bool load_image(const char* path, long address, long& size, bool& truncated)
{
    std::FILE* file = std::fopen(path, "rb");
    if (file == nullptr) {
        return false;
    }
    g_memory.fill(0);
    const std::size_t room = MEMORY_SIZE - static_cast<std::size_t>(address);
    size = static_cast<long>(std::fread(g_memory.data() + address, 1, room, file));
    truncated = std::fgetc(file) != EOF;
    const bool ok = std::ferror(file) == 0;
    std::fclose(file);
    return ok;
}

void print_line(uint16_t address, int words, const char* text)
{
    std::printf(">%04X ", address);
    for (int i = 0; i < 3; ++i) {
        if (i < words) {
            std::printf(" %04X", mem_read_word(static_cast<Location>(address + 2 * i)));
        } else {
            std::printf("     ");
        }
    }
    std::printf("  %s\n", text);
}

bool zero_word(long at, long end)
{
    return at + 1 < end && mem_read_word(static_cast<Location>(at)) == 0;
}

}  // namespace

int main(int argc, char** argv)
{
    if (argc < 2 || argc > 3) {
        return usage();
    }
    const std::string path = argv[1];
    long start = ends_with(path, "pavon2.bin") ? ROM2_START : ROM1_START;
    if (argc == 3 && !parse_address(argv[2], start)) {
        return usage();
    }
    long size = 0;
    bool truncated = false;
    if (!load_image(argv[1], start, size, truncated)) {
        std::fprintf(stderr, "pavon-dis: cannot read %s: %s\n", argv[1], std::strerror(errno));
        return EXIT_FAILED;
    }
    if (truncated) {
        std::fprintf(stderr, "pavon-dis: %s runs past >FFFF; listing up to >FFFF only\n", argv[1]);
    }

    const long end = start + size;
    long at = start & ~1L;
    while (at < end) {
        char text[DISASSEMBLY_BUFFER] = {};
        uint16_t address = static_cast<uint16_t>(at);
        Location current = static_cast<Location>(at);
        disassemble(current, text, address, current);
        const int words = 1 + static_cast<uint16_t>(address - at) / 2;
        print_line(static_cast<uint16_t>(at), words, text);
        if (zero_word(at, end) && zero_word(at + 2, end) && zero_word(at + 4, end)) {
            std::printf("*\n");
            while (zero_word(at, end)) {
                at += 2;
            }
            continue;
        }
        at += 2L * words;
    }
    return 0;
}

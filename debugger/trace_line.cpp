// Hand-made number formatting: a trace has millions of lines, and each one
// is built without the printf family's parsing of a format.
#include "debugger/trace_line.h"

#include <cstring>

#include "cpu/addressing.h"
#include "cpu/cpu.h"
#include "cpu/memory.h"
#include "debugger/program_names.h"
#include "isa/disassembler.h"

namespace {

constexpr int FRAME_WIDTH = 6;
constexpr int CYCLE_WIDTH = 5;
constexpr std::size_t WORDS_WIDTH = 14;  // three words
constexpr std::size_t TEXT_WIDTH = 29;   // the longest disassembly

constexpr char HEX_DIGITS[] = "0123456789ABCDEF";
constexpr std::size_t LABEL_ROOM = 72;        // a shown label and its offset
constexpr std::size_t NAMED_TEXT_SIZE = 200;  // the disassembly with two operands named

// Writes into the line from `at` on; never past its end.
struct LineWriter {
    char* at;

    void hex4(uint16_t value)
    {
        for (int shift = 12; shift >= 0; shift -= 4) {
            *at++ = HEX_DIGITS[(value >> shift) & 0xF];
        }
    }

    // Right-aligned in `width` columns, wider if the number needs it.
    void decimal(uint64_t value, int width)
    {
        char digits[20];
        int count = 0;
        do {
            digits[count++] = static_cast<char>('0' + value % 10);
            value /= 10;
        } while (value != 0);
        for (int i = count; i < width; ++i) {
            *at++ = ' ';
        }
        while (count > 0) {
            *at++ = digits[--count];
        }
    }

    void text(const char* text, std::size_t width)
    {
        const std::size_t length = std::strlen(text);
        std::memcpy(at, text, length);
        at += length;
        for (std::size_t i = length; i < width; ++i) {
            *at++ = ' ';
        }
    }

    void space() { *at++ = ' '; }
};

std::size_t finish(char (&line)[TRACE_LINE_SIZE], LineWriter& out)
{
    out.space();
    out.hex4(g_cpu.WP);
    out.space();
    out.hex4(g_cpu.ST);
    if (program_symbols() != nullptr) {
        char label[LABEL_ROOM];
        const std::size_t length = put_label(label, sizeof label, g_cpu.PC);
        if (length > 0) {
            out.space();
            std::memcpy(out.at, label, length);
            out.at += length;
        }
    }
    *out.at++ = '\n';
    return static_cast<std::size_t>(out.at - line);
}

// The four hexadecimal digits at `text` as a number, or -1.
int32_t hex4_value(const char* text)
{
    int32_t value = 0;
    for (int i = 0; i < 4; ++i) {
        const char* digit = text[i] != '\0' ? std::strchr(HEX_DIGITS, text[i]) : nullptr;
        if (digit == nullptr) {
            return -1;
        }
        value = value * 16 + static_cast<int32_t>(digit - HEX_DIGITS);
    }
    return value;
}

// The disassembly with each address that a label names written as the
// label: a memory operand (@>0180, also LWPI's workspace) or a jump's
// target. LIMI's operand is a mask, not an address.
void name_operands(const char* text, char (&named)[NAMED_TEXT_SIZE])
{
    const bool jump = text[0] == 'J';
    const bool mask = std::strncmp(text, "LIMI", 4) == 0;
    char* at = named;
    for (const char* from = text; *from != '\0';) {
        const bool at_sign = from[0] == '@' && from[1] == '>' && !mask;
        const char* digits = from + (at_sign ? 2 : 1);
        const int32_t address = at_sign || (jump && from[0] == '>') ? hex4_value(digits) : -1;
        if (address < 0 || label_name_at(static_cast<uint16_t>(address)) == nullptr) {
            *at++ = *from++;
            continue;
        }
        if (at_sign) {
            *at++ = '@';
        }
        at += put_label(at, LABEL_ROOM, static_cast<uint16_t>(address));
        from = digits + 4;
    }
    *at = '\0';
}

LineWriter start(char (&line)[TRACE_LINE_SIZE], uint64_t frame, int32_t cycle)
{
    LineWriter out{line};
    out.decimal(frame, FRAME_WIDTH);
    out.space();
    out.decimal(static_cast<uint32_t>(cycle), CYCLE_WIDTH);
    out.space();
    out.hex4(g_cpu.PC);
    out.space();
    return out;
}

}  // namespace

std::size_t format_instruction_line(char (&line)[TRACE_LINE_SIZE], uint64_t frame, int32_t cycle)
{
    char text[DISASSEMBLY_BUFFER];
    uint16_t address = g_cpu.PC;
    Location current = g_cpu.PC;
    const int extension_words = disassemble(g_cpu.PC, text, address, current);
    LineWriter out = start(line, frame, cycle);
    char* const words = out.at;
    for (int i = 0; i <= extension_words; ++i) {
        if (i > 0) {
            out.space();
        }
        out.hex4(mem_read_word(static_cast<Location>(g_cpu.PC + 2 * i)));
    }
    out.text("", WORDS_WIDTH - static_cast<std::size_t>(out.at - words));
    out.space();
    if (program_symbols() != nullptr) {
        char named[NAMED_TEXT_SIZE];
        name_operands(text, named);
        out.text(named, TEXT_WIDTH);
    } else {
        out.text(text, TEXT_WIDTH);
    }
    return finish(line, out);
}

std::size_t format_interrupt_line(char (&line)[TRACE_LINE_SIZE], uint64_t frame, int32_t cycle)
{
    LineWriter out = start(line, frame, cycle);
    out.text("interrupt", WORDS_WIDTH);
    out.space();
    char* const text = out.at;
    out.text("return >", 0);
    out.hex4(reg_read(14));
    out.text("", TEXT_WIDTH - static_cast<std::size_t>(out.at - text));
    return finish(line, out);
}

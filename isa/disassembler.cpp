#include "isa/disassembler.h"

#include <array>
#include <cstdarg>
#include <cstdio>

#include "cpu/memory.h"
#include "machine/instruction_format.h"

namespace {

// Names by the bit field that selects them; the comments give the field.
constexpr std::array<const char*, 6> DUAL_OPERAND_NAMES{"SZC", "S", "C", "A", "MOV", "SOC"};  // bits 15-13, minus 2
constexpr std::array<const char*, 8> REGISTER_SOURCE_NAMES{                                   // bits 12-10
    "COC", "CZC", "XOR", nullptr, nullptr, nullptr, "MPY", "DIV"};                            // 3-5 handled apart
constexpr std::array<const char*, 16> SINGLE_OPERAND_NAMES{                                   // bits 9-6
    "BLWP", "B", "X", "CLR", "NEG", "INV", "INC", "INCT",
    "DEC", "DECT", "BL", "SWPB", "SETO", "ABS", "WRONG", "WRONG"};
constexpr std::array<const char*, 2> SIGNED_NAMES{"DIVS", "MPYS"};                            // bit 6
constexpr std::array<const char*, 2> CRU_TRANSFER_NAMES{"LDCR", "STCR"};                      // bit 10
constexpr std::array<const char*, 4> CRU_BIT_NAMES{nullptr, "SBO", "SBZ", "TB"};              // bits 9-8
constexpr std::array<const char*, 13> JUMP_NAMES{                                             // bits 11-8
    "JMP", "JLT", "JLE", "JEQ", "JHE", "JGT", "JNE", "JNC", "JOC", "JNO", "JL", "JH", "JOP"};
constexpr std::array<const char*, 4> SHIFT_NAMES{"SRA", "SRL", "SLA", "SRC"};                 // bits 9-8
constexpr std::array<const char*, 5> IMMEDIATE_NAMES{"LI", "AI", "ANDI", "ORI", "CI"};         // bits 7-5
constexpr std::array<const char*, 2> WORKSPACE_IMMEDIATE_NAMES{"LWPI", "LIMI"};               // bit 8
constexpr std::array<const char*, 6> REGISTER_ONLY_NAMES{                                     // bits 6-4
    "LST", "LWP", "STWP?", "STWP", "STST", "WRONG"};

constexpr uint16_t NOP_WORD = 0x1000;  // JMP to the next instruction

unsigned field(uint16_t word, int shift, unsigned mask)
{
    return (word >> shift) & mask;
}

// The line being built, and the position of the last word read.
struct Line {
    char (&text)[DISASSEMBLY_BUFFER];
    std::size_t length;
    uint16_t& address;
    Location& current;
    int extension_words;

    // Appends formatted text; whatever would overflow the buffer is cut off.
    void append(const char* format, ...) __attribute__((format(printf, 2, 3)))
    {
        const std::size_t room = DISASSEMBLY_BUFFER - length;
        va_list arguments;
        va_start(arguments, format);
        const int written = std::vsnprintf(text + length, room, format, arguments);
        va_end(arguments);
        if (written > 0) {
            length += static_cast<std::size_t>(written) < room ? static_cast<std::size_t>(written) : room - 1;
        }
    }

    // The word after the last one read; the address wraps at >10000.
    uint16_t extension_word()
    {
        current = static_cast<Location>(current + 2);
        address = static_cast<uint16_t>(address + 2);
        ++extension_words;
        return mem_read_word(current);
    }

    void mnemonic(const char* name) { append("%s ", name); }
    void separator() { append(", "); }
    void data_word(uint16_t word) { append("DATA >%04X", word); }
};

// A general operand: mode T and register R.
void format_operand(Line& line, int mode, int reg)
{
    switch (mode) {
    case MODE_REGISTER:
        line.append("R%d", reg);
        break;
    case MODE_INDIRECT:
        line.append("*R%d", reg);
        break;
    case MODE_INDEXED:
        if (reg == 0) {
            line.append("@>%04X", line.extension_word());
        } else {
            line.append("@>%04X(R%d)", line.extension_word(), reg);
        }
        break;
    default:
        line.append("*R%d+", reg);
        break;
    }
}

void source_operand(Line& line, uint16_t word)
{
    format_operand(line, source_mode(word), source_register(word));
}

// >4000 to >FFFF.
void disassemble_dual_operand(Line& line, uint16_t word)
{
    const char* name = DUAL_OPERAND_NAMES[field(word, 13, 7) - 2];
    line.append(field(word, 12, 1) ? "%sB " : "%s ", name);
    source_operand(line, word);
    line.separator();
    format_operand(line, destination_mode(word), destination_register(word));
}

// >2000 to >3FFF.
void disassemble_register_source(Line& line, uint16_t word)
{
    const unsigned kind = field(word, 10, 7);
    if (kind == 3) {
        line.append("XOP");
        return;
    }
    if (kind == 4 || kind == 5) {
        line.mnemonic(CRU_TRANSFER_NAMES[field(word, 10, 1)]);
        source_operand(line, word);
        line.append(", %d", destination_register(word));
        return;
    }
    line.mnemonic(REGISTER_SOURCE_NAMES[kind]);
    source_operand(line, word);
    line.append(", R%d", destination_register(word));
}

// Looks only at bits 9 to 0, so >0C00 to >0FFF read like >0000 to >03FF.
void disassemble_control(Line& line, uint16_t word)
{
    const unsigned group = field(word, 7, 7);
    const unsigned half = field(word, 5, 3);
    if (group == 4 || (group == 5 && half == 0)) {
        line.mnemonic(IMMEDIATE_NAMES[field(word, 5, 7)]);
        line.append("R%d", source_register(word));
        line.append(", >%04X", line.extension_word());
    } else if (half == 3 || (half == 0 && group == 6)) {
        line.mnemonic(WORKSPACE_IMMEDIATE_NAMES[field(word, 8, 1)]);
        line.append("@>%04X", line.extension_word());
    } else if (group == 5 || (group == 1 && half == 0)) {
        line.mnemonic(REGISTER_ONLY_NAMES[field(word, 4, 7)]);
        line.append("R%d", source_register(word));
    } else if (group == 1) {
        line.data_word(word);
    } else if (group == 7 && half == 0) {
        line.mnemonic("RTWP");
    } else if (group == 6 || group == 7) {
        line.append("EXTERNAL");
    } else {
        line.data_word(word);
    }
}

// >1000 to >1CFF: relative jumps, whose target is shown as an address.
void disassemble_jump(Line& line, uint16_t word)
{
    if (word == NOP_WORD) {
        line.mnemonic("NOP");
        return;
    }
    const auto target = static_cast<uint16_t>(line.address + 2 + 2 * displacement(word));
    line.mnemonic(JUMP_NAMES[field(word, 8, 0xF)]);
    line.append(">%04X", target);
}

// >0000 to >1FFF.
void disassemble_low(Line& line, uint16_t word)
{
    const unsigned group = field(word, 10, 7);
    const unsigned half = field(word, 8, 3);
    const unsigned bit7 = field(word, 7, 1);
    switch (group) {
    case 0:
        if (half == 1 && bit7 == 1) {
            line.mnemonic(SIGNED_NAMES[field(word, 6, 1)]);
            source_operand(line, word);
        } else if (half <= 1 && bit7 == 0) {
            line.data_word(word);
        } else {
            disassemble_control(line, word);
        }
        break;
    case 1:
        line.mnemonic(SINGLE_OPERAND_NAMES[field(word, 6, 0xF)]);
        source_operand(line, word);
        break;
    case 2:
        line.mnemonic(SHIFT_NAMES[field(word, 8, 3)]);
        line.append("R%d, %d", source_register(word), shift_count_field(word));
        break;
    case 3:
        disassemble_control(line, word);
        break;
    default:
        if (group == 7 && half != 0) {
            line.mnemonic(CRU_BIT_NAMES[half]);
            line.append(">%02X", field(word, 0, 0xFF));
        } else {
            disassemble_jump(line, word);
        }
        break;
    }
}

}  // namespace

int disassemble(Location instruction_word, char (&text)[DISASSEMBLY_BUFFER], uint16_t& address, Location& current)
{
    text[0] = '\0';
    Line line{text, 0, address, current, 0};
    const uint16_t word = mem_read_word(instruction_word);
    switch (field(word, 13, 7)) {
    case 0:
        disassemble_low(line, word);
        break;
    case 1:
        disassemble_register_source(line, word);
        break;
    default:
        disassemble_dual_operand(line, word);
        break;
    }
    return line.extension_words;
}

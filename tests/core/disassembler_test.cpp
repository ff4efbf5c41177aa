#include <gtest/gtest.h>

#include <cstring>
#include <string>
#include <vector>

#include "isa/disassembler.h"
#include "machine.h"

namespace {

struct Case {
    uint16_t address;
    std::vector<uint16_t> words;  // the instruction word and what follows it
    std::string text;
    int extension_words;
};

struct Result {
    std::string text;
    int extension_words;
    uint16_t address_after;
    Location current_after;
};

Result disassemble_at(uint16_t at)
{
    char text[DISASSEMBLY_BUFFER];
    uint16_t address = at;
    Location current = at;
    const int words = disassemble(at, text, address, current);
    return {text, words, address, current};
}

void check_cases(const std::vector<Case>& cases)
{
    for (const Case& c : cases) {
        reset_machine();
        Location at = c.address;
        for (uint16_t word : c.words) {
            poke_words(at, {word});
            at = static_cast<Location>(at + 2);
        }
        const Result result = disassemble_at(c.address);
        SCOPED_TRACE(c.text);
        EXPECT_EQ(result.text, c.text);
        EXPECT_EQ(result.extension_words, c.extension_words);
        const auto advanced = static_cast<uint16_t>(c.address + 2 * c.extension_words);
        EXPECT_EQ(result.address_after, advanced);
        EXPECT_EQ(result.current_after, advanced);
    }
}

}  // namespace

TEST(Disassembler, GeneralOperands)
{
    check_cases({
        {0x6000, {0xC081}, "MOV R1, R2", 0},
        {0x6000, {0xCCA1, 0x8300}, "MOV @>8300(R1), *R2+", 1},
        {0x6000, {0xD820, 0x8300, 0x8302}, "MOVB @>8300, @>8302", 2},
        {0x6000, {0xC812, 0x2000}, "MOV *R2, @>2000", 1},
        {0x6000, {0xDBEF, 0xFFFF, 0xFFFF}, "MOVB @>FFFF(R15), @>FFFF(R15)", 2},
        {0x6000, {0x0460, 0x6000}, "B @>6000", 1},
        {0x6000, {0x0461, 0x0010}, "B @>0010(R1)", 1},
        {0x6000, {0x0420, 0xFFFC}, "BLWP @>FFFC", 1},
    });
}

TEST(Disassembler, DualOperandNames)
{
    check_cases({
        {0x6000, {0x4000}, "SZC R0, R0", 0},  {0x6000, {0x5000}, "SZCB R0, R0", 0},
        {0x6000, {0x6000}, "S R0, R0", 0},    {0x6000, {0x7000}, "SB R0, R0", 0},
        {0x6000, {0x8000}, "C R0, R0", 0},    {0x6000, {0x9000}, "CB R0, R0", 0},
        {0x6000, {0xA000}, "A R0, R0", 0},    {0x6000, {0xB000}, "AB R0, R0", 0},
        {0x6000, {0xC000}, "MOV R0, R0", 0},  {0x6000, {0xD000}, "MOVB R0, R0", 0},
        {0x6000, {0xE000}, "SOC R0, R0", 0},  {0x6000, {0xFFFF}, "SOCB *R15+, *R15+", 0},
    });
}

TEST(Disassembler, RegisterSource)
{
    check_cases({
        {0x6000, {0x20C1}, "COC R1, R3", 0},
        {0x6000, {0x2400}, "CZC R0, R0", 0},
        {0x6000, {0x2BE0, 0x1234}, "XOR @>1234, R15", 1},
        {0x6000, {0x2C00}, "XOP", 0},
        {0x6000, {0x2FE0, 0x1234}, "XOP", 0},
        {0x6000, {0x3212}, "LDCR *R2, 8", 0},
        {0x6000, {0x3000}, "LDCR R0, 0", 0},
        {0x6000, {0x37FF}, "STCR *R15+, 15", 0},
        {0x6000, {0x3861, 0x0004}, "MPY @>0004(R1), R1", 1},
        {0x6000, {0x3FFF}, "DIV *R15+, R15", 0},
    });
}

TEST(Disassembler, SingleOperandNames)
{
    const char* names[16] = {"BLWP", "B",    "X",  "CLR",  "NEG",  "INV", "INC",   "INCT",
                             "DEC",  "DECT", "BL", "SWPB", "SETO", "ABS", "WRONG", "WRONG"};
    std::vector<Case> cases;
    for (uint16_t k = 0; k < 16; ++k) {
        cases.push_back({0x6000, {static_cast<uint16_t>(0x0403 | k << 6)}, std::string(names[k]) + " R3", 0});
    }
    cases.push_back({0x6000, {0x07C0}, "WRONG R0", 0});
    cases.push_back({0x6000, {0x07E0, 0x1234}, "WRONG @>1234", 1});
    cases.push_back({0x6000, {0x0180}, "DIVS R0", 0});
    cases.push_back({0x6000, {0x01BF}, "DIVS *R15+", 0});
    cases.push_back({0x6000, {0x01E1, 0x1234}, "MPYS @>1234(R1)", 1});
    check_cases(cases);
}

TEST(Disassembler, ShiftsAndCruBits)
{
    check_cases({
        {0x6000, {0x0A41}, "SLA R1, 4", 0},
        {0x6000, {0x0A01}, "SLA R1, 0", 0},
        {0x6000, {0x0983}, "SRL R3, 8", 0},
        {0x6000, {0x08FF}, "SRA R15, 15", 0},
        {0x6000, {0x0B00}, "SRC R0, 0", 0},
        {0x6000, {0x1D0A}, "SBO >0A", 0},
        {0x6000, {0x1E1E}, "SBZ >1E", 0},
        {0x6000, {0x1FFF}, "TB >FF", 0},
    });
}

TEST(Disassembler, Jumps)
{
    check_cases({
        {0x6000, {0x1000}, "NOP ", 0},
        {0x6000, {0x1001}, "JMP >6004", 0},
        {0x6000, {0x10FF}, "JMP >6000", 0},
        {0x6000, {0x13FF}, "JEQ >6000", 0},
        {0x6000, {0x13FE}, "JEQ >5FFE", 0},
        {0x6000, {0x117F}, "JLT >6100", 0},
        {0x6000, {0x1280}, "JLE >5F02", 0},
        {0x6000, {0x1400}, "JHE >6002", 0},
        {0x6000, {0x1500}, "JGT >6002", 0},
        {0x6000, {0x1600}, "JNE >6002", 0},
        {0x6000, {0x1700}, "JNC >6002", 0},
        {0x6000, {0x1800}, "JOC >6002", 0},
        {0x6000, {0x1900}, "JNO >6002", 0},
        {0x6000, {0x1A00}, "JL >6002", 0},
        {0x6000, {0x1B00}, "JH >6002", 0},
        {0x6000, {0x1C00}, "JOP >6002", 0},
        {0x1CF0, {0x1CFF}, "JOP >1CF0", 0},
    });
}

// Addresses wrap at >10000: targets, and extension words after >FFFE.
TEST(Disassembler, AddressWrap)
{
    check_cases({
        {0x0000, {0x10FE}, "JMP >FFFE", 0},
        {0xFFFE, {0x107F}, "JMP >00FE", 0},
        {0xFFFE, {0x0460, 0x1234}, "B @>1234", 1},
        {0xFFFE, {0xD820, 0x8300, 0x8302}, "MOVB @>8300, @>8302", 2},
        {0xFFFE, {0x0200, 0xABCD}, "LI R0, >ABCD", 1},
    });
}

TEST(Disassembler, DataWords)
{
    check_cases({
        {0x6000, {0x0000}, "DATA >0000", 0},
        {0x6000, {0x007F}, "DATA >007F", 0},
        {0x6000, {0x0100}, "DATA >0100", 0},
        {0x6000, {0x017F}, "DATA >017F", 0},
    });
}

// One word from each end of every range the control decoder distinguishes.
TEST(Disassembler, ControlDecoderRanges)
{
    check_cases({
        {0x6000, {0x0080}, "LST R0", 0},
        {0x6000, {0x008F}, "LST R15", 0},
        {0x6000, {0x0090}, "LWP R0", 0},
        {0x6000, {0x009F}, "LWP R15", 0},
        {0x6000, {0x00A0}, "DATA >00A0", 0},
        {0x6000, {0x00DF}, "DATA >00DF", 0},
        {0x6000, {0x00E0, 0xF000}, "LWPI @>F000", 1},
        {0x6000, {0x00FF, 0x1234}, "LWPI @>1234", 1},
        {0x6000, {0x0200, 0x1234}, "LI R0, >1234", 1},
        {0x6000, {0x0225, 0x0001}, "AI R5, >0001", 1},
        {0x6000, {0x0240, 0x00FF}, "ANDI R0, >00FF", 1},
        {0x6000, {0x027F, 0xFFFF}, "ORI R15, >FFFF", 1},
        {0x6000, {0x0280, 0x8000}, "CI R0, >8000", 1},
        {0x6000, {0x029F, 0x0000}, "CI R15, >0000", 1},
        {0x6000, {0x02A0}, "STWP? R0", 0},
        {0x6000, {0x02A5}, "STWP? R5", 0},
        {0x6000, {0x02AF}, "STWP? R15", 0},
        {0x6000, {0x02B0}, "STWP R0", 0},
        {0x6000, {0x02BF}, "STWP R15", 0},
        {0x6000, {0x02C0}, "STST R0", 0},
        {0x6000, {0x02C3}, "STST R3", 0},
        {0x6000, {0x02CF}, "STST R15", 0},
        {0x6000, {0x02D0}, "WRONG R0", 0},
        {0x6000, {0x02DF}, "WRONG R15", 0},
        {0x6000, {0x02E0, 0xF000}, "LWPI @>F000", 1},
        {0x6000, {0x02FF, 0xF000}, "LWPI @>F000", 1},
        {0x6000, {0x0300, 0x0003}, "LIMI @>0003", 1},
        {0x6000, {0x031F, 0x0003}, "LIMI @>0003", 1},
        {0x6000, {0x0320}, "EXTERNAL", 0},
        {0x6000, {0x0340}, "EXTERNAL", 0},
        {0x6000, {0x035F}, "EXTERNAL", 0},
        {0x6000, {0x0360, 0x0002}, "LIMI @>0002", 1},
        {0x6000, {0x037F, 0x0002}, "LIMI @>0002", 1},
        {0x6000, {0x0380}, "RTWP ", 0},
        {0x6000, {0x039F}, "RTWP ", 0},
        {0x6000, {0x03A0}, "EXTERNAL", 0},
        {0x6000, {0x03DF}, "EXTERNAL", 0},
        {0x6000, {0x03E0, 0x0001}, "LIMI @>0001", 1},
        {0x6000, {0x03FF, 0x0001}, "LIMI @>0001", 1},
    });
}

// >0C00 to >0FFF read as the control decoder reads bits 9 to 0.
TEST(Disassembler, ControlMirror)
{
    check_cases({
        {0x6000, {0x0C00}, "DATA >0C00", 0},
        {0x6000, {0x0C5F}, "DATA >0C5F", 0},
        {0x6000, {0x0C60, 0xF000}, "LWPI @>F000", 1},
        {0x6000, {0x0C80}, "LST R0", 0},
        {0x6000, {0x0E00, 0x1234}, "LI R0, >1234", 1},
        {0x6000, {0x0E7F, 0x1234}, "ORI R15, >1234", 1},
        {0x6000, {0x0F80}, "RTWP ", 0},
    });
}

// Every word gives a line that fits the overlay's disassembly cells and
// that its font can show, whatever the extension words hold.
TEST(Disassembler, EveryWordFitsTheOverlay)
{
    reset_machine();
    poke_words(0x6002, {0xFFFF, 0xFFFF});
    for (uint32_t word = 0; word <= 0xFFFF; ++word) {
        poke_words(0x6000, {static_cast<uint16_t>(word)});
        const Result result = disassemble_at(0x6000);
        ASSERT_FALSE(result.text.empty()) << word;
        ASSERT_LE(result.text.size(), 29u) << word;
        for (char c : result.text) {
            ASSERT_TRUE(c == ' ' || (c >= '(' && c <= 'Z')) << word << ": " << result.text;
        }
    }
}

namespace {

// Jumps, B, BL, BLWP, X (which runs another instruction), XOP and RTWP set
// PC themselves; every other instruction moves it past its extension words.
bool loads_pc(uint16_t word)
{
    const bool jump = word >= 0x1000 && word < 0x1D00;
    const bool branch = (word >= 0x0400 && word < 0x04C0) || (word >= 0x0680 && word < 0x06C0);
    const bool xop = word >= 0x2C00 && word < 0x3000;
    const bool rtwp = (word >= 0x0380 && word < 0x03A0) || (word >= 0x0F80 && word < 0x0FA0);
    return jump || branch || xop || rtwp;
}

// How far the processor moves PC past the word, in extension words. Every
// register and extension word points into RAM, so the instruction touches
// neither ROM nor ports.
int processor_extension_words(uint16_t word)
{
    constexpr Location workspace = 0xFF00;
    constexpr Location at = 0xF400;
    for (int n = 0; n < 16; ++n) {
        poke_words(static_cast<Location>(workspace + 2 * n), {0xF800});
    }
    poke_words(at, {word, 0xF900, 0xF900});
    g_cpu = Cpu{};
    g_cpu.WP = workspace;
    g_cpu.workspace = workspace;
    g_cpu.PC = at;
    cpu_execute(cpu_fetch());
    return static_cast<uint16_t>(g_cpu.PC - at - 2) / 2;
}

}  // namespace

TEST(Disassembler, ExtensionWordsAgreeWithTheProcessor)
{
    reset_machine();
    for (uint32_t w = 0; w <= 0xFFFF; ++w) {
        const auto word = static_cast<uint16_t>(w);
        if (loads_pc(word)) {
            continue;
        }
        poke_words(0x6000, {word, 0xF900, 0xF900});
        const int shown = disassemble_at(0x6000).extension_words;
        ASSERT_EQ(shown, processor_extension_words(word)) << std::hex << "word >" << word;
    }
}

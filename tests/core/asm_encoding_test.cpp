// The assembler's output for single instructions and for directives.
#include <gtest/gtest.h>

#include "asm_support.h"

namespace {

struct EncodingCase {
    const char* line;  // assembled at >6000
    std::vector<uint16_t> words;
};

void expect_encodings(const std::vector<EncodingCase>& cases)
{
    for (const EncodingCase& c : cases) {
        const Program program = assemble(std::string("        AORG >6000\n        ") + c.line + "\n", "test.asm");
        EXPECT_EQ(all_errors(program), "") << c.line;
        EXPECT_EQ(words_at(program, 0x6000, c.words.size()), c.words) << c.line;
        EXPECT_EQ(placed_bytes(program), c.words.size() * 2) << c.line;
    }
}

}  // namespace

TEST(AsmEncoding, AddressingModes)
{
    expect_encodings({
        {"MOV R1, R2", {0xC081}},
        {"MOV *R1, R2", {0xC091}},
        {"MOV *R1+, R2", {0xC0B1}},
        {"MOV @>8300(R1), *R2+", {0xCCA1, 0x8300}},
        {"MOVB @>8300, @>8302", {0xD820, 0x8300, 0x8302}},
        {"MOV R15, @>0010(R15)", {0xCBCF, 0x0010}},
        {"mov r1,r2", {0xC081}},
        {"SOCB *R3+, @-2(R4)", {0xF933, 0xFFFE}},
    });
}

TEST(AsmEncoding, EveryFormat)
{
    expect_encodings({
        {"SZC R1, R2", {0x4081}},       {"SZCB R1, R2", {0x5081}},       {"S R1, R2", {0x6081}},
        {"SB R1, R2", {0x7081}},        {"C R1, R2", {0x8081}},          {"CB R1, R2", {0x9081}},
        {"A R1, R2", {0xA081}},         {"AB R1, R2", {0xB081}},         {"SOC R1, R2", {0xE081}},
        {"COC R1, R3", {0x20C1}},       {"CZC *R1, R3", {0x24D1}},       {"XOR @>F000, R4", {0x2920, 0xF000}},
        {"MPY @>F000, R4", {0x3920, 0xF000}}, {"DIV R2, R0", {0x3C02}},  {"XOP @>1234, 2", {0x2CA0, 0x1234}},
        {"LDCR *R2, 8", {0x3212}},      {"STCR *R2, 8", {0x3612}},       {"STCR R1, 0", {0x3401}},
        {"BLWP @>FFFC", {0x0420, 0xFFFC}}, {"B @>6000", {0x0460, 0x6000}}, {"B @>0010(R1)", {0x0461, 0x0010}},
        {"X R2", {0x0482}},             {"CLR *R1", {0x04D1}},           {"NEG R1", {0x0501}},
        {"INV R1", {0x0541}},           {"INC R1", {0x0581}},            {"INCT R1", {0x05C1}},
        {"DEC R1", {0x0601}},           {"DECT R1", {0x0641}},           {"BL @>0400", {0x06A0, 0x0400}},
        {"SWPB R0", {0x06C0}},          {"SETO R1", {0x0701}},           {"ABS R1", {0x0741}},
        {"DIVS *R1+", {0x01B1}},        {"MPYS @>1000", {0x01E0, 0x1000}},
        {"SRA R1, 1", {0x0811}},        {"SRL R3, 8", {0x0983}},         {"SLA R1, 4", {0x0A41}},
        {"SLA R1, 0", {0x0A01}},        {"SRC R15, 15", {0x0BFF}},
        {"SBO >0A", {0x1D0A}},          {"SBZ -2", {0x1EFE}},            {"TB >FF", {0x1FFF}},
        {"LI R0, >1234", {0x0200, 0x1234}}, {"AI R1, -1", {0x0221, 0xFFFF}}, {"ANDI R2, >00FF", {0x0242, 0x00FF}},
        {"ORI R3, 1", {0x0263, 0x0001}}, {"CI R1, >8000", {0x0281, 0x8000}},
        {"LWPI @>F000", {0x02E0, 0xF000}}, {"LWPI >F000", {0x02E0, 0xF000}}, {"LIMI 3", {0x0300, 0x0003}},
        {"LIMI @>0003", {0x0300, 0x0003}},
        {"STWP R5", {0x02B5}},          {"STWP? R5", {0x02A5}},          {"STST R3", {0x02C3}},
        {"LST R4", {0x0084}},           {"LWP R2", {0x0092}},
        {"RTWP", {0x0380}},             {"RTWP ", {0x0380}},             {"NOP", {0x1000}},
        {"RT", {0x045B}},
    });
}

TEST(AsmEncoding, JumpsCountWordsFromTheNextWord)
{
    expect_encodings({
        {"JMP >6004", {0x1001}},  {"JMP >6000", {0x10FF}}, {"JEQ $", {0x13FF}},   {"JEQ >5FFE", {0x13FE}},
        {"JMP $+256", {0x107F}},  {"JMP $-254", {0x1080}}, {"JLT $+2", {0x1100}}, {"JLE $+4", {0x1201}},
        {"JHE $", {0x14FF}},      {"JGT $", {0x15FF}},     {"JNE $", {0x16FF}},   {"JNC $", {0x17FF}},
        {"JOC $", {0x18FF}},      {"JNO $", {0x19FF}},     {"JL $", {0x1AFF}},    {"JH $", {0x1BFF}},
        {"JOP $", {0x1CFF}},
    });
}

TEST(AsmEncoding, Expressions)
{
    expect_encodings({
        {"LI R1, 2+3*4", {0x0201, 14}},
        {"LI R1, 2*3-10", {0x0201, 0xFFFC}},
        {"LI R1, -->10", {0x0201, 0x0010}},
        {"LI R1, 'A'", {0x0201, 0x0041}},
        {"LI R1, ''''", {0x0201, 0x0027}},
        {"LI R1, $", {0x0201, 0x6000}},
        {"LI R1, $+4*2", {0x0201, 0x6008}},
        {"LI R1, 65535", {0x0201, 0xFFFF}},
        {"LI R1, -32768", {0x0201, 0x8000}},
        {"DATA >1234, -1, 'Z'", {0x1234, 0xFFFF, 0x005A}},
        {"BYTE 1, -1, >7F, 'A'", {0x01FF, 0x7F41}},
        {"TEXT 'HI'", {0x4849}},
        {"TEXT \"IT'S\"", {0x4954, 0x2753}},
        {"TEXT 'A;B;'  ; the comment starts after the string", {0x413B, 0x423B}},
    });
}

struct ProgramCase {
    const char* name;
    const char* source;
    uint16_t address;
    std::vector<uint16_t> words;
};

TEST(AsmEncoding, ProgramsWithLabelsAndDirectives)
{
    const std::vector<ProgramCase> cases = {
        {"forward and backward labels",
         "        AORG >0100\n"
         "start:  JMP next\n"
         "next:   B @start\n",
         0x0100, {0x1000, 0x0460, 0x0100}},
        {"EQU with and without a colon, used in operands",
         "PORT    EQU >E000\n"
         "SIZE:   EQU 2*4\n"
         "        AORG >0200\n"
         "        MOVB R1, @PORT\n"
         "        LI R2, SIZE+1\n",
         0x0200, {0xD801, 0xE000, 0x0202, 0x0009}},
        {"instructions and DATA start on even addresses, BYTE and TEXT do not",
         "        AORG >0300\n"
         "        BYTE 1\n"
         "        TEXT 'AB'\n"
         "        DATA >1234\n"
         "        BYTE 2\n"
         "        NOP\n",
         0x0300, {0x0141, 0x4200, 0x1234, 0x0200, 0x1000}},
        {"a label alone on a line names the aligned instruction after it",
         "        AORG >0400\n"
         "        BYTE 7\n"
         "here:\n"
         "        JMP here\n",
         0x0400, {0x0700, 0x10FF}},
        {"EVEN aligns, BSS reserves without placing bytes",
         "        AORG >0500\n"
         "        BYTE 1\n"
         "        EVEN\n"
         "gap:    BSS 4\n"
         "        DATA gap\n",
         0x0500, {0x0100, 0x0000, 0x0000, 0x0502}},
        {"RAM variables are labels on BSS after an AORG into RAM",
         "        AORG >F000\n"
         "counter: BSS 2\n"
         "flags:  BSS 1\n"
         "        AORG >0600\n"
         "        INC @counter\n"
         "        MOVB R1, @flags\n",
         0x0600, {0x05A0, 0xF000, 0xD801, 0xF002}},
        {"END stops reading",
         "        AORG >0700\n"
         "        NOP\n"
         "        END\n"
         "        this line is not read\n",
         0x0700, {0x1000, 0x0000}},
        {"comments in every form",
         "* a comment line\n"
         "; another\n"
         "        AORG >0800     ; after a directive\n"
         "loop:   JMP loop       ; after an instruction\n",
         0x0800, {0x10FF}},
    };
    for (const ProgramCase& c : cases) {
        const Program program = assemble(c.source, "test.asm");
        EXPECT_EQ(all_errors(program), "") << c.name;
        EXPECT_EQ(words_at(program, c.address, c.words.size()), c.words) << c.name;
    }
}

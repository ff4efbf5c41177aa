// What the assembler says about bad source, and that no input crashes it.
#include <gtest/gtest.h>

#include <random>

#include "asm_support.h"

namespace {

struct ErrorCase {
    const char* source;
    int line;
    const char* message;
};

void expect_errors(const std::vector<ErrorCase>& cases)
{
    for (const ErrorCase& c : cases) {
        const Program program = assemble(c.source, "bad.asm");
        ASSERT_FALSE(program.errors.empty()) << c.source;
        EXPECT_EQ(format_diagnostic(program, program.errors.front()),
                  std::string("bad.asm:") + std::to_string(c.line) + ": error: " + c.message)
            << c.source;
    }
}

}  // namespace

TEST(AsmErrors, UnknownMnemonicsAndBadLabels)
{
    expect_errors({
        {" FOO R1", 1, "unknown mnemonic 'FOO'"},
        {"\n\n MOVE R1, R2", 3, "unknown mnemonic 'MOVE'"},
        {" MOV R1, R2 R3", 1, "bad operand 'R2 R3': expected Rn, *Rn, *Rn+, @address or @address(Rn)"},
        {"123: NOP", 1, "bad label '123:'"},
        {"R1: NOP", 1, "bad label 'R1': register names are reserved"},
        {" EQU 5", 1, "bad label: EQU needs a label to define"},
    });
}

TEST(AsmErrors, BadOperands)
{
    expect_errors({
        {" MOV R1", 1, "bad operand: MOV takes 2 operands, not 1"},
        {" RTWP R1", 1, "bad operand: RTWP takes 0 operands, not 1"},
        {" CLR", 1, "bad operand: CLR takes 1 operand, not 0"},
        {" DATA", 1, "bad operand: DATA takes at least 1 operand, not 0"},
        {" MOV R16, R1", 1, "bad operand 'R16': expected Rn, *Rn, *Rn+, @address or @address(Rn)"},
        {" MOV >10, R1", 1, "bad operand '>10': expected Rn, *Rn, *Rn+, @address or @address(Rn)"},
        {" MOV @>10(R0), R1", 1, "bad operand '@>10(R0)': the index register must be R1 to R15"},
        {" MOV R1, ", 1, "bad operand: operand missing"},
        {" LI @>10, 1", 1, "bad operand '@>10': expected a register R0 to R15"},
        {" COC R1, *R2", 1, "bad operand '*R2': expected a register R0 to R15"},
        {" LI R1, R2", 1, "bad expression: register R2 where a value is expected"},
        {" LI R1, 5 6", 1, "bad expression: unexpected '6'"},
        {" LI R1, 1 +", 1, "bad expression: value missing"},
        {" LI R1, 0x10", 1, "bad operand '0x10': bad number '0x...'"},
        {" LI R1, >", 1, "bad operand '>': bad number: '>' needs hexadecimal digits"},
        {" LI R1, 'AB'", 1, "bad expression: a character constant holds one character"},
        {" LI R1, #", 1, "bad operand '#': unexpected character '#'"},
        {" TEXT 'abc", 1, "string has no closing quote"},
        {" TEXT 5", 1, "bad operand '5': expected a quoted string"},
    });
}

TEST(AsmErrors, UndefinedAndDuplicateLabels)
{
    expect_errors({
        {" JMP nowhere", 1, "undefined label 'nowhere'"},
        {" LI R1, Start\nstart: NOP", 1, "undefined label 'Start'"},
        {"x: NOP\n\nx: NOP", 3, "duplicate label 'x' (first defined on line 1)"},
        {"x EQU 1\nx:\n NOP", 2, "duplicate label 'x' (first defined on line 1)"},
        {"a EQU b\nb EQU 1", 1, "undefined label 'b' (AORG, BSS and EQU need labels defined above them)"},
    });
}

TEST(AsmErrors, JumpsOutOfRange)
{
    expect_errors({
        {" AORG >100\n JMP $+258", 2, "jump out of range: target >0202 is 128 words away (-128 to 127 allowed)"},
        {" AORG >100\n JEQ $-256", 2, "jump out of range: target >0000 is -129 words away (-128 to 127 allowed)"},
        {" AORG >100\n JNE $+3", 2, "jump out of range: target >0103 is odd"},
        {" JMP -2", 1, "value out of range: -2 is not an address"},
    });
}

TEST(AsmErrors, ValuesOutOfRange)
{
    expect_errors({
        {" LI R1, >10000", 1, "value out of range: 65536 is not a 16-bit word"},
        {" LI R1, -32769", 1, "value out of range: -32769 is not a 16-bit word"},
        {" MOV @70000, R1", 1, "value out of range: 70000 is not a 16-bit word"},
        {" BYTE 256", 1, "value out of range: 256 is not a byte"},
        {" BYTE 1, -129", 1, "value out of range: -129 is not a byte"},
        {" SLA R1, 16", 1, "value out of range: 16 is not a shift count 0 to 15"},
        {" LDCR R1, 16", 1, "value out of range: 16 is not a bit count 0 to 15"},
        {" XOP R1, -1", 1, "value out of range: -1 is not an XOP number 0 to 15"},
        {" SBO 256", 1, "value out of range: 256 is not a bit displacement -128 to 255"},
        {" LI R1, >FFFFFFFF*>FFFFFFFF", 1, "value out of range: result too large"},
        {" LI R1, 99999999999", 1, "bad operand '99999999999': value out of range: number too large"},
        {" AORG >10000", 1, "value out of range: AORG 65536 is not an address"},
        {" AORG >FFFF\n BSS 2", 2, "value out of range: the program runs past >FFFF"},
        {" AORG >BFFE\n LI R1, 1", 2, "value out of range: >C000 lies outside ROM (>0000 to >BFFF)"},
        {" AORG >F000\n DATA 0", 2, "value out of range: >F000 lies outside ROM (>0000 to >BFFF)"},
    });
}

TEST(AsmErrors, OverlappingCode)
{
    expect_errors({
        {" AORG >100\n DATA 1, 2\n AORG >102\n NOP", 4, "overlap: >0102 already holds bytes from line 2"},
    });
}

TEST(AsmErrors, EveryBadLineIsReportedInLineOrder)
{
    const Program program = assemble(" JMP later\n FOO\n LI R1, 99999\nlater: BYTE 300\n", "bad.asm");
    std::vector<int> lines;
    for (const Diagnostic& diagnostic : program.errors) {
        lines.push_back(diagnostic.line);
    }
    EXPECT_EQ(lines, (std::vector<int>{2, 3, 4}));
}

// Random lines built from the assembler's own vocabulary, and random damage
// to a good program: every one must come back as errors or a program, never
// as a crash (the tests run under the address and undefined-behaviour
// sanitizers).
TEST(AsmErrors, SurvivesRandomInput)
{
    const std::vector<std::string> pieces = {
        "MOV", "LI", "JMP", "DATA", "BYTE", "TEXT", "AORG", "BSS", "EQU", "END", "EVEN", "XOP", "SBO", "SLA",
        "R0", "R15", "R16", "*", "+", "-", "@", "(", ")", ",", ":", ";", "'", "\"", "$", ">", ">FFFF",
        "65535", "99999999999", "label", "x", " ", "\t", "\n", "?", "\0", "\xff", "*R1+", "@>8300(R1)",
    };
    std::mt19937 random(12345);
    for (int round = 0; round < 3000; ++round) {
        std::string source;
        const int length = static_cast<int>(random() % 24);
        for (int i = 0; i < length; ++i) {
            source += pieces[random() % pieces.size()];
        }
        const Program program = assemble(source, "fuzz.asm");
        for (const Diagnostic& diagnostic : program.errors) {
            EXPECT_FALSE(diagnostic.message.empty());
        }
    }

    const std::string good = "        AORG >0100\nstart:  LI R1, >1234\n        MOV @>8300(R1), *R2+\n"
                             "        JNE start\n        TEXT 'Hello'\n        DATA start, -1\n";
    for (int round = 0; round < 3000; ++round) {
        std::string source = good;
        for (int damage = 0; damage < 3; ++damage) {
            source[random() % source.size()] = static_cast<char>(random() % 256);
        }
        assemble(source, "fuzz.asm");
    }
}

// The assembler accepts every line that the debugger's disassembler prints
// for an instruction, and gives back words that print as the same line.
#include <gtest/gtest.h>

#include <string>

#include "asm_support.h"
#include "cpu/memory.h"
#include "isa/disassembler.h"
#include "machine.h"

namespace {

constexpr Location AT = 0x6000;

// The disassembler's line for the words at AT, and how many words it read.
std::string line_at(int& words)
{
    char text[DISASSEMBLY_BUFFER] = {};
    uint16_t address = AT;
    Location current = AT;
    disassemble(AT, text, address, current);
    words = 1 + static_cast<uint16_t>(address - AT) / 2;
    return text;
}

// Lines that stand for no instruction: words that are data, and the codes
// the disassembler names without their operands.
bool is_instruction(const std::string& line)
{
    for (const char* prefix : {"DATA", "WRONG", "EXTERNAL", "XOP"}) {
        if (line.rfind(prefix, 0) == 0) {
            return false;
        }
    }
    return true;
}

}  // namespace

TEST(RoundTrip, EveryInstructionWordAssemblesBackToItsLine)
{
    reset_machine();
    int instructions = 0;
    int failures = 0;
    for (uint32_t word = 0; word <= 0xFFFF && failures < 20; ++word) {
        // Extension words vary with the instruction so that operands differ.
        poke_words(AT, {static_cast<uint16_t>(word), static_cast<uint16_t>(word ^ 0xA5A5),
                        static_cast<uint16_t>(~word)});
        int words = 0;
        const std::string line = line_at(words);
        if (!is_instruction(line)) {
            continue;
        }
        ++instructions;

        const Program program = assemble("        AORG >6000\n" + line + "\n", "roundtrip.asm");
        if (!program.errors.empty()) {
            ADD_FAILURE() << "word " << std::hex << word << ": '" << line
                          << "' does not assemble: " << all_errors(program);
            ++failures;
            continue;
        }
        const std::vector<uint16_t> assembled = words_at(program, AT, 3);
        poke_words(AT, {assembled[0], assembled[1], assembled[2]});
        int words_again = 0;
        const std::string again = line_at(words_again);
        if (again != line || placed_bytes(program) != static_cast<std::size_t>(2 * words) || words_again != words) {
            ADD_FAILURE() << "word " << std::hex << word << ": '" << line << "' assembles to " << assembled[0]
                          << ", which reads '" << again << "'";
            ++failures;
        }
    }
    EXPECT_GT(instructions, 60000);  // all but the few codes that are no instruction
}

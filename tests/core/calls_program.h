// The program in tests/fixtures/calls (a BL, a BLWP to a routine read in
// with COPY, the frame interrupt's routine, a count in RAM), assembled once,
// for the debugger's tests of names and the call stack.
#pragma once

#include <algorithm>
#include <fstream>
#include <iterator>
#include <string>

#include "cpu/cpu.h"
#include "debugger/program_names.h"
#include "machine.h"
#include "tools/asm/debug_output.h"

inline const Program& calls_program()
{
    static const Program program = [] {
        // The files under the names that the program gives them.
        const auto reader = [](const std::string& name, SourceText& source, std::string& reason) {
            source.absolute = PAVON_TEST_FIXTURES "/calls/" + name;
            std::ifstream file(source.absolute);
            source.text.assign(std::istreambuf_iterator<char>(file), {});
            reason = "cannot be read";
            return file.good() || file.eof();
        };
        SourceText main;
        std::string reason;
        reader("main.asm", main, reason);
        return assemble(main.text, {"main.asm", main.absolute}, reader);
    }();
    return program;
}

// The machine as reset_machine leaves it, the program in memory and started
// from its reset vector, its names loaded.
inline void load_calls_program()
{
    reset_machine();
    for (const Segment& segment : calls_program().segments) {
        std::copy(segment.bytes.begin(), segment.bytes.end(), g_memory.begin() + segment.start);
    }
    g_cpu.WP = static_cast<uint16_t>(g_memory[0] << 8 | g_memory[1]);
    g_cpu.PC = static_cast<uint16_t>(g_memory[2] << 8 | g_memory[3]);
    cpu_set_workspace(g_cpu.WP);
    program_names_use(DebugSymbols(debug_info_of(calls_program())));
}

inline uint16_t calls_label(const char* name)
{
    return static_cast<uint16_t>(calls_program().symbols.at(name).value);
}

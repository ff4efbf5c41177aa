// The command line. Without options the program runs exactly as it always
// has: unpaced, unscaled, every key and file as the machine defines them.
// Every option is a row of one table, which also writes the usage.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

// Bytes from `start` on: `length` of them, all inside the memory watched.
// A conditional watch stops only where a change leaves them holding
// `value` (`length` bytes); an unconditional one has no value. A range
// whose address the command line gave by name or source line keeps the
// option's text in `named` until the program's names resolve it.
struct AddressRange {
    uint16_t start = 0;
    uint32_t length = 0;
    std::vector<uint8_t> value;
    std::string named;
};

struct Options {
    // Window and speed.
    double speed = 0;  // times real time (60 frames a second); 0: as fast as the host allows
    int scale = 1;     // window pixels per machine pixel, each way
    bool fullscreen = false;
    std::string screenshot;  // PNG of the picture written when the program ends
    bool demo = false;       // the ROM images from the installed demo's folder

    // Debugging. Addresses given by name or source line wait in `named_breaks`,
    // `trace_from_name` and the ranges' `named` until resolve_names.
    std::vector<uint16_t> breaks;
    std::vector<std::string> named_breaks;
    std::vector<AddressRange> watches;       // in the address space
    std::vector<AddressRange> vram_watches;  // in video memory
    std::string trace;                       // one line per executed instruction
    std::optional<uint16_t> trace_from;      // the trace starts when PC first gets here
    std::string trace_from_name;
    std::string symbols;                     // the program's debug information (pavon.dbg)

    // Automation.
    bool headless = false;
    uint64_t frames = 0;  // the program ends after this many frames; 0: at Escape
    std::string input;    // key events at given frames
    std::string load_state;
    std::string save_state;

    // Going back in time.
    uint32_t rewind_seconds = 60;  // of the machine's time kept to go back to; 0: none
    std::string record;            // the session's key events, as an input file
    // The program is a debug adapter on its standard input and output.
    bool dap = false;
};

extern Options g_options;

enum class CommandLine {
    RUN,      // options read, start the machine
    HELP,     // print the usage on standard output, exit 0
    VERSION,  // print the version, exit 0
    BAD,      // `error` says why: print it and the usage on standard error, exit 2
};

CommandLine parse_options(int argc, const char* const* argv, Options& options, std::string& error);

// Turns the addresses given by name or source line into numbers, through
// the program's names (debugger/program_names.h), which are loaded by then.
// False, with `error` ("--break DRAWW: no name DRAWW ..."), at the first
// one that names nothing.
bool resolve_names(Options& options, std::string& error);

// The usage: the options, then the program's own keys.
std::string usage_text();

// "pavon VERSION"
std::string version_text();

constexpr int EXIT_BAD_COMMAND_LINE = 2;

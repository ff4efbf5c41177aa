// The option table: each row names an option, its value's placeholder (none
// for a switch), one line of help, and the function that takes its value
// into the Options record, or says in one line why it cannot.
#include "shell/options.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <string_view>
#include <tuple>

#include "debugger/program_names.h"
#include "isa/numbers.h"
#include "machine/memory_map.h"
#include "shell/quoted.h"
#include "video/vdp.h"

#ifndef PAVON_VERSION
#define PAVON_VERSION "unknown"
#endif

Options g_options;

namespace {

constexpr double SLOWEST_SPEED = 0.01;
constexpr double FASTEST_SPEED = 100;
constexpr int LARGEST_SCALE = 8;
constexpr uint64_t MOST_FRAMES = 0xFFFFFFFF;
constexpr uint64_t MOST_REWIND_SECONDS = 600;
constexpr uint32_t DEFAULT_WATCH_LENGTH = 2;
constexpr uint32_t LONGEST_WATCH_VALUE = 8;  // bytes that a watch's value may hold

using Take = bool (*)(Options& options, std::string_view value, std::string& error);

struct OptionRow {
    std::string_view name;
    const char* value;  // the value's placeholder, or nullptr for a switch
    const char* help;
    Take take;
};

bool take_speed(Options& options, std::string_view value, std::string& error)
{
    if (value == "max") {
        options.speed = 0;
        return true;
    }
    const std::string text(value);
    char* end = nullptr;
    const double speed = std::strtod(text.c_str(), &end);
    if (text.empty() || *end != '\0' || !std::isfinite(speed) || speed < SLOWEST_SPEED || speed > FASTEST_SPEED) {
        error = quoted(text) + " is not max or a speed from 0.01 to 100";
        return false;
    }
    options.speed = speed;
    return true;
}

bool take_scale(Options& options, std::string_view value, std::string& error)
{
    uint64_t scale = 0;
    if (!parse_number(value, LARGEST_SCALE, scale) || scale == 0) {
        error = quoted(value) + " is not a whole number from 1 to 8";
        return false;
    }
    options.scale = static_cast<int>(scale);
    return true;
}

bool take_frames(Options& options, std::string_view value, std::string& error)
{
    if (!parse_number(value, MOST_FRAMES, options.frames) || options.frames == 0) {
        error = quoted(value) + " is not a number of frames from 1 to 4294967295";
        return false;
    }
    return true;
}

bool take_rewind(Options& options, std::string_view value, std::string& error)
{
    uint64_t seconds = 0;
    if (!parse_number(value, MOST_REWIND_SECONDS, seconds)) {
        error = quoted(value) + " is not a number of seconds from 0 to " + std::to_string(MOST_REWIND_SECONDS);
        return false;
    }
    options.rewind_seconds = static_cast<uint32_t>(seconds);
    return true;
}

bool take_address(std::string_view value, uint64_t last, uint16_t& address, std::string& error)
{
    uint64_t number = 0;
    if (!parse_number(value, last, number)) {
        error = quoted(value) + " is not an address from 0 to " + (last == 0xFFFF ? ">FFFF" : ">3FFF");
        return false;
    }
    address = static_cast<uint16_t>(number);
    return true;
}

// A number starts with a digit or '>'; a program's name with a letter or
// '_', and a source line with its file's name.
bool is_number(std::string_view value)
{
    return value.empty() || value[0] == '>' || (value[0] >= '0' && value[0] <= '9');
}

// A number, or a name or source line kept in `named` until the program's
// names are known.
bool take_place(std::string_view value, uint16_t& address, std::string& named, std::string& error)
{
    if (is_number(value)) {
        return take_address(value, MEMORY_SIZE - 1, address, error);
    }
    named = value;
    return true;
}

// NAME or NAME+N, without a file's '.' or '/'.
bool is_name(std::string_view value)
{
    return !value.empty() && value.find_first_of("./:") == std::string_view::npos;
}

// The bytes a conditional watch waits for: VALUE as a number of `length`
// bytes, big-endian as the machine keeps words.
bool take_watch_value(std::string_view text, uint32_t length, std::vector<uint8_t>& value, std::string& error)
{
    if (length > LONGEST_WATCH_VALUE) {
        error = "a watch's value covers at most 8 bytes, not " + std::to_string(length);
        return false;
    }
    const uint64_t largest = length == LONGEST_WATCH_VALUE ? UINT64_MAX : (uint64_t{1} << (8 * length)) - 1;
    uint64_t number = 0;
    if (!parse_number(text, largest, number)) {
        error = quoted(text) + " is not a value that " + std::to_string(length) +
                (length == 1 ? " byte holds" : " bytes hold");
        return false;
    }
    value.resize(length);
    for (uint32_t i = length; i-- > 0; number >>= 8) {
        value[i] = static_cast<uint8_t>(number & 0xFF);
    }
    return true;
}

// ADDR[:LENGTH][=VALUE], inside memory of `size` bytes. ADDR may be a name
// or a source line: until the program's names are known (`names` false)
// the whole text waits in `named`. FILE:LINE:LENGTH gives a source line a
// length; of A:B, B is a length when A is a name (NAME, NAME+N), else A:B
// is a source line.
bool take_range(std::string_view text, std::size_t size, bool names, AddressRange& range, std::string& error)
{
    const std::size_t equals = text.find('=');
    const std::string_view place_and_length = text.substr(0, equals);
    std::string_view place = place_and_length;
    std::string_view length_text;
    const bool number = is_number(place);
    if (!number && !names) {
        range.named = text;
        return true;
    }
    const std::size_t colon = number ? place.find(':') : place.rfind(':');
    const bool has_length =
        colon != std::string_view::npos && (number || place.find(':') != colon || is_name(place.substr(0, colon)));
    if (has_length) {
        length_text = place.substr(colon + 1);
        place = place.substr(0, colon);
    }
    if (number ? !take_address(place, size - 1, range.start, error) : !place_address(place, range.start, error)) {
        return false;
    }
    if (range.start >= size) {
        char address[8];
        std::snprintf(address, sizeof address, ">%04X", unsigned{range.start});
        error = quoted(place) + " is " + address + ", outside video memory (0 to >3FFF)";
        return false;
    }
    uint64_t length = DEFAULT_WATCH_LENGTH;
    if (has_length && (!parse_number(length_text, size, length) || length == 0)) {
        error = quoted(length_text) + " is not a length of at least 1 byte";
        return false;
    }
    if (range.start + length > size) {
        error = quoted(place_and_length) + " runs past the end of memory";
        return false;
    }
    range.length = static_cast<uint32_t>(length);
    range.named.clear();
    return equals == std::string_view::npos ||
           take_watch_value(text.substr(equals + 1), range.length, range.value, error);
}

bool take_ranges(std::string_view text, std::size_t size, std::vector<AddressRange>& ranges, std::string& error)
{
    AddressRange range;
    if (!take_range(text, size, false, range, error)) {
        return false;
    }
    ranges.push_back(range);
    return true;
}

bool take_text(std::string_view value, std::string& into, std::string& error)
{
    if (value.empty()) {
        error = "needs a file name";
        return false;
    }
    into = value;
    return true;
}

// clang-format off
const std::array<OptionRow, 21> OPTIONS{{
    {"--help", nullptr, "print this help and exit",
     [](Options&, std::string_view, std::string&) { return true; }},
    {"--version", nullptr, "print the version and exit",
     [](Options&, std::string_view, std::string&) { return true; }},
    {"--speed", "F", "run at F times real time (60 frames a second), 0.01 to 100; max: as fast as the host allows (the default)",
     take_speed},
    {"--scale", "N", "show each machine pixel as N by N window pixels, sharp-edged, 1 to 8 (default 1)",
     take_scale},
    {"--fullscreen", nullptr, "start full screen (Alt+Return switches back)",
     [](Options& o, std::string_view, std::string&) { return o.fullscreen = true; }},
    {"--demo", nullptr, "run the installed demo: its ROM images from share/pavon/demo (in a build folder: firmware/); files are still written here",
     [](Options& o, std::string_view, std::string&) { return o.demo = true; }},
    {"--screenshot", "FILE", "write the picture to FILE (PNG, 256 by 192) when the program ends",
     [](Options& o, std::string_view v, std::string& e) { return take_text(v, o.screenshot, e); }},
    {"--symbols", "FILE", "the program's debug information (pavon.dbg from pavon-asm): names and source lines in what the debugger shows and takes",
     [](Options& o, std::string_view v, std::string& e) { return take_text(v, o.symbols, e); }},
    {"--break", "ADDR", "stop in the debugger when PC reaches ADDR (repeatable)",
     [](Options& o, std::string_view v, std::string& e) {
         uint16_t address = 0;
         std::string named;
         if (!take_place(v, address, named, e)) {
             return false;
         }
         if (named.empty()) {
             o.breaks.push_back(address);
         } else {
             o.named_breaks.push_back(named);
         }
         return true;
     }},
    {"--watch", "ADDR[:LEN][=VALUE]", "stop after an instruction changes one of the LEN bytes (default 2) from ADDR; with VALUE, only when they then hold it, a number of LEN bytes (at most 8), big-endian (repeatable)",
     [](Options& o, std::string_view v, std::string& e) { return take_ranges(v, MEMORY_SIZE, o.watches, e); }},
    {"--watch-vram", "ADDR[:LEN][=VALUE]", "the same for video memory, 0 to >3FFF (repeatable)",
     [](Options& o, std::string_view v, std::string& e) { return take_ranges(v, VRAM_SIZE, o.vram_watches, e); }},
    {"--trace", "FILE", "write one line per executed instruction to FILE",
     [](Options& o, std::string_view v, std::string& e) { return take_text(v, o.trace, e); }},
    {"--trace-from", "ADDR", "start the trace when PC first reaches ADDR",
     [](Options& o, std::string_view v, std::string& e) {
         uint16_t address = 0;
         std::string named;
         if (!take_place(v, address, named, e)) {
             return false;
         }
         o.trace_from_name = named;
         o.trace_from = named.empty() ? std::optional<uint16_t>(address) : std::nullopt;
         return true;
     }},
    {"--headless", nullptr, "run without a window (no display needed)",
     [](Options& o, std::string_view, std::string&) { return o.headless = true; }},
    {"--frames", "N", "end the program with status 0 after N frames",
     take_frames},
    {"--input", "FILE", "feed the key events that FILE lists at their frames",
     [](Options& o, std::string_view v, std::string& e) { return take_text(v, o.input, e); }},
    {"--load-state", "FILE", "load the machine from the state file FILE before the first frame",
     [](Options& o, std::string_view v, std::string& e) { return take_text(v, o.load_state, e); }},
    {"--save-state", "FILE", "write the machine to the state file FILE when the program ends",
     [](Options& o, std::string_view v, std::string& e) { return take_text(v, o.save_state, e); }},
    {"--rewind", "SECONDS", "keep the last SECONDS of the machine's time to go back to, 0 to 600 (default 60; 0 keeps none)",
     take_rewind},
    {"--record", "FILE", "write the session's key events to FILE when the program ends, as an input file that --input replays",
     [](Options& o, std::string_view v, std::string& e) { return take_text(v, o.record, e); }},
    {"--dap", nullptr, "be a debug adapter for an editor on standard input and output (alone: the launch request brings the other options)",
     [](Options& o, std::string_view, std::string&) { return o.dap = true; }},
}};
// clang-format on

constexpr std::size_t HELP_COLUMN = 26;
constexpr std::size_t LINE_WIDTH = 79;

const OptionRow* find_option(std::string_view name)
{
    if (name == "-h") {
        name = "--help";
    }
    for (const OptionRow& row : OPTIONS) {
        if (row.name == name) {
            return &row;
        }
    }
    return nullptr;
}

// The option's name, then its help, broken into lines at word boundaries and
// indented to one column.
std::string help_lines(std::string left, std::string_view help)
{
    std::string text;
    left.resize(std::max(left.size() + 1, HELP_COLUMN), ' ');
    std::string line = left;
    while (!help.empty()) {
        const std::size_t room = LINE_WIDTH - std::min(line.size(), LINE_WIDTH - 20);
        std::size_t cut = help.size() <= room ? help.size() : help.rfind(' ', room);
        if (cut == std::string_view::npos || cut == 0) {
            cut = std::min(room, help.size());
        }
        text += line + std::string(help.substr(0, cut)) + "\n";
        help.remove_prefix(cut);
        while (help.starts_with(' ')) {
            help.remove_prefix(1);
        }
        line.assign(HELP_COLUMN, ' ');
    }
    return text;
}

}  // namespace

CommandLine parse_options(int argc, const char* const* argv, Options& options, std::string& error)
{
    CommandLine result = CommandLine::RUN;
    for (int i = 1; i < argc; ++i) {
        std::string_view word = argv[i];
        std::string_view name = word;
        std::string_view value;
        const std::size_t equals = word.find('=');
        const bool joined = word.starts_with("--") && equals != std::string_view::npos;
        if (joined) {
            name = word.substr(0, equals);
            value = word.substr(equals + 1);
        }
        const OptionRow* row = find_option(name);
        if (row == nullptr) {
            error = std::string(word.starts_with("-") ? "unknown option " : "unexpected argument ");
            error += name;
            return CommandLine::BAD;
        }
        if (row->value == nullptr && joined) {
            error = std::string(name) + " takes no value";
            return CommandLine::BAD;
        }
        if (row->value != nullptr && !joined) {
            if (i + 1 == argc) {
                error = std::string(name) + " needs a value: " + row->value;
                return CommandLine::BAD;
            }
            value = argv[++i];
        }
        if (!row->take(options, value, error)) {
            error = std::string(name) + ": " + error;
            return CommandLine::BAD;
        }
        if (row->name == "--help") {
            result = CommandLine::HELP;
        } else if (name == "--version" && result != CommandLine::HELP) {
            result = CommandLine::VERSION;
        }
    }
    return result;
}

std::string usage_text()
{
    std::string text = "usage: pavon [OPTIONS]\n"
                       "Runs the machine from ROM/pavon1.bin and ROM/pavon2.bin in the current folder.\n\n"
                       "Options (numbers: 42, 0x2A or >2A; in a shell, quote a >2A: --break '>0162';\n"
                       "unquoted, the shell takes > for a redirection and creates a file 0162; with\n"
                       "--symbols, an ADDR may also be a label or EQU name, NAME+N, or FILE:LINE):\n";
    for (const OptionRow& row : OPTIONS) {
        std::string left = std::string(row.name == "--help" ? "  -h, " : "  ") + std::string(row.name);
        if (row.value != nullptr) {
            left += std::string(" ") + row.value;
        }
        text += help_lines(left, row.help);
    }
    text += "\nKeys:\n"
            "  Escape         quit\n"
            "  F1             stop the processor and show the debugger; while it is\n"
            "                 stopped, execute one instruction\n"
            "  F5 / F6        save / load the machine (pavon.pvn)\n"
            "  F3             pause or resume between frames, without the debugger\n"
            "  F4             reset: the machine as at start-up, ROM images read again\n"
            "  F12            screenshot: pavon-0001.png, pavon-0002.png, ... in the\n"
            "                 current folder, never replacing a file\n"
            "  Alt+Return     full screen on and off\n"
            "  Tab (held)     fast-forward: unpaced while held\n"
            "  Backspace      rewind while held: each frame goes back one frame\n"
            "In the debugger: F2 resume, e leave, c / v processor / video chip view, arrows and\n"
            "  Page Up / Page Down move the dump (Shift: by >1000), Home / End its start / end,\n"
            "  p the ports, F10 redraw, F7 step over, F9 breakpoint at PC on and off,\n"
            "  Backspace one instruction back, Shift+Backspace back to the last breakpoint or\n"
            "  watchpoint hit.\n";
    return text;
}

std::string version_text()
{
    return std::string("pavon ") + PAVON_VERSION + "\n";
}

bool resolve_names(Options& options, std::string& error)
{
    const auto failed = [&error](const char* option, std::string_view text) {
        error = std::string(option) + " " + std::string(text) + ": " + error;
        return false;
    };
    for (const std::string& name : options.named_breaks) {
        uint16_t address = 0;
        if (!place_address(name, address, error)) {
            return failed("--break", name);
        }
        options.breaks.push_back(address);
    }
    options.named_breaks.clear();
    for (auto [ranges, size, option] : {std::tuple{&options.watches, MEMORY_SIZE, "--watch"},
                                        std::tuple{&options.vram_watches, VRAM_SIZE, "--watch-vram"}}) {
        for (AddressRange& range : *ranges) {
            if (const std::string text = range.named; !text.empty() && !take_range(text, size, true, range, error)) {
                return failed(option, text);
            }
        }
    }
    if (!options.trace_from_name.empty()) {
        uint16_t address = 0;
        if (!place_address(options.trace_from_name, address, error)) {
            return failed("--trace-from", options.trace_from_name);
        }
        options.trace_from = address;
        options.trace_from_name.clear();
    }
    return true;
}

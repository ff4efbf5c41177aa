// The input is a command line, one word per line: parsed into a fresh
// option record, as the program does before anything else, and its names
// and source lines looked up in a small program's.
#include <string>
#include <vector>

#include "debugger/program_names.h"
#include "shell/options.h"

namespace {

// DRAW at >0016 in lib/draw.asm, its line 2 placing one instruction; SCORE
// an EQU name in RAM.
const bool names_loaded = [] {
    DebugInfo info;
    info.files = {{"main.asm", "/p/main.asm"}, {"lib/draw.asm", "/p/lib/draw.asm"}};
    info.symbols = {{"DRAW", 0x0016, SymbolKind::Label, 1, 2}, {"SCORE", 0xF030, SymbolKind::Equ, 0, 1}};
    info.lines = {{0x0016, 1, 2, LineKind::Code, {0x02, 0x00, 0x40, 0x00}}};
    program_names_use(DebugSymbols(info));
    return true;
}();

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, std::size_t size)
{
    std::vector<std::string> words{"pavon"};
    std::string word;
    for (std::size_t i = 0; i < size; ++i) {
        if (data[i] == '\n') {
            words.push_back(word);
            word.clear();
        } else {
            word += static_cast<char>(data[i]);
        }
    }
    if (size > 0) {
        words.push_back(word);
    }
    std::vector<const char*> argv;
    for (const std::string& w : words) {
        argv.push_back(w.c_str());
    }
    Options options;
    std::string error;
    if (names_loaded && parse_options(static_cast<int>(argv.size()), argv.data(), options, error) == CommandLine::RUN) {
        resolve_names(options, error);
    }
    return 0;
}

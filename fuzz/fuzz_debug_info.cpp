// The input is a debug-information file: read, and when it is whole, every
// kind of question asked of it, and written back to the same text's
// meaning (what is read, written and read again is what was read).
#include <cstdlib>
#include <string_view>

#include "symbols/debug_symbols.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, std::size_t size)
{
    DebugSymbols symbols;
    DebugInfoError error;
    if (!symbols.load(std::string_view(reinterpret_cast<const char*>(data), size), error)) {
        debug_info_message("fuzz.dbg", error);
        return 0;
    }
    for (const LineEntry& line : symbols.info().lines) {
        symbols.label_for(line.address);
        symbols.line_at(static_cast<uint16_t>(line.end() - 1));
        const SourceFile& file = symbols.file(line.file);
        symbols.address_of_line(file.path, line.line - 1);
        symbols.code_lines(line.file);
    }
    for (const SymbolEntry& symbol : symbols.info().symbols) {
        if (symbols.find(symbol.name) == nullptr) {
            std::abort();
        }
    }
    symbols.nearest_names("LOOP");
    DebugInfo again;
    if (!read_debug_info(write_debug_info(symbols.info()), again, error) || !(again == symbols.info())) {
        std::abort();
    }
    return 0;
}

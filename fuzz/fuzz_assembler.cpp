// The input is assembler source: assembled (a COPY of any name reads the
// input again, up to 16 times, so that nesting and self-inclusion are
// reached), its errors formatted, and when there are none the ROM images
// laid out, the listing made, and the debug information written and read
// back unchanged. No file is written.
#include <cstdlib>
#include <string_view>

#include "tools/asm/assembler.h"
#include "tools/asm/debug_output.h"
#include "tools/asm/rom_images.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, std::size_t size)
{
    const std::string_view source(reinterpret_cast<const char*>(data), size);
    int reads = 0;
    const SourceReader reader = [&](const std::string& path, SourceText& text, std::string& reason) {
        reason = "no such file";
        text = {std::string(source), path};
        return ++reads <= 16;
    };
    const Program program = assemble(source, {"fuzz.asm", "fuzz.asm"}, reader);
    for (const Diagnostic& error : program.errors) {
        format_diagnostic(program, error);
    }
    if (program.errors.empty()) {
        static RomImages images;
        build_rom_images(program, images);
        listing_of(program);
        const DebugInfo info = debug_info_of(program);
        DebugInfo again;
        DebugInfoError error;
        if (!read_debug_info(write_debug_info(info), again, error) || !(again == info)) {
            std::abort();
        }
    }
    return 0;
}

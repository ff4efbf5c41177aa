// The input is assembler source: assembled, its errors formatted, and the
// ROM images laid out when there are none. No file is written.
#include <string_view>

#include "tools/asm/assembler.h"
#include "tools/asm/rom_images.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, std::size_t size)
{
    const Program program = assemble(std::string_view(reinterpret_cast<const char*>(data), size), "fuzz.asm");
    for (const Diagnostic& error : program.errors) {
        format_diagnostic(program, error);
    }
    if (program.errors.empty()) {
        static RomImages images;
        build_rom_images(program, images);
    }
    return 0;
}

// pavon-asm: assembles one source file into the machine's two ROM images.
//
//     pavon-asm SOURCE [-o DIRECTORY]
//
// writes DIRECTORY/ROM/pavon1.bin (32 KB, >0000) and DIRECTORY/ROM/pavon2.bin
// (16 KB, >8000); DIRECTORY defaults to the current one. On any error in the
// source it lists the errors and writes nothing.
#include <cerrno>
#include <cstdio>
#include <cstring>
#include <string>

#include "tools/asm/assembler.h"
#include "tools/asm/rom_images.h"
#include "tools/exit_status.h"

namespace {

bool read_file(const char* path, std::string& contents)
{
    std::FILE* file = std::fopen(path, "rb");
    if (file == nullptr) {
        return false;
    }
    char buffer[65536];
    std::size_t count = 0;
    while ((count = std::fread(buffer, 1, sizeof buffer, file)) > 0) {
        contents.append(buffer, count);
    }
    const bool ok = std::ferror(file) == 0;
    std::fclose(file);
    return ok;
}

int usage()
{
    std::fprintf(stderr, "usage: pavon-asm SOURCE [-o DIRECTORY]\n"
                         "writes DIRECTORY/ROM/pavon1.bin and DIRECTORY/ROM/pavon2.bin (default DIRECTORY: .)\n");
    return EXIT_USAGE;
}

}  // namespace

int main(int argc, char** argv)
{
    const char* source_path = nullptr;
    std::string directory = ".";
    for (int i = 1; i < argc; ++i) {
        if (std::strcmp(argv[i], "-o") == 0 && i + 1 < argc) {
            directory = argv[++i];
        } else if (argv[i][0] == '-' || source_path != nullptr) {
            return usage();
        } else {
            source_path = argv[i];
        }
    }
    if (source_path == nullptr) {
        return usage();
    }

    std::string source;
    if (!read_file(source_path, source)) {
        std::fprintf(stderr, "pavon-asm: cannot read %s: %s\n", source_path, std::strerror(errno));
        return EXIT_FAILED;
    }
    const Program program = assemble(source, source_path);
    for (const Diagnostic& diagnostic : program.errors) {
        std::fprintf(stderr, "%s\n", format_diagnostic(program, diagnostic).c_str());
    }
    if (!program.errors.empty()) {
        std::fprintf(stderr, "pavon-asm: %zu error%s; no image written\n", program.errors.size(),
                     program.errors.size() == 1 ? "" : "s");
        return EXIT_FAILED;
    }

    RomImages images;
    build_rom_images(program, images);
    std::string error;
    if (!write_rom_images(images, directory, error)) {
        std::fprintf(stderr, "pavon-asm: %s\n", error.c_str());
        return EXIT_FAILED;
    }
    return 0;
}

// pavon-asm: assembles a program into the machine's two ROM images.
//
//     pavon-asm SOURCE [-o DIRECTORY] [-l FILE]
//
// writes DIRECTORY/ROM/pavon1.bin (32 KB, >0000), DIRECTORY/ROM/pavon2.bin
// (16 KB, >8000) and the debug information DIRECTORY/pavon.dbg; DIRECTORY
// defaults to the current one. On any error in the source it lists the
// errors and writes nothing; the files it writes are replaced all together.
#include <cstdio>
#include <cstring>
#include <string>

#include "tools/asm/assembler.h"
#include "tools/asm/debug_output.h"
#include "tools/asm/rom_images.h"
#include "tools/exit_status.h"
#include "tools/tool_files.h"

namespace {

constexpr const char* USAGE =
    "usage: pavon-asm SOURCE [-o DIRECTORY] [-l FILE]\n"
    "Assembles SOURCE and the files its COPY lines name. Writes\n"
    "DIRECTORY/ROM/pavon1.bin and DIRECTORY/ROM/pavon2.bin (default DIRECTORY: .)\n"
    "and the debug information DIRECTORY/pavon.dbg, all or none of them.\n"
    "  -o DIRECTORY  where the images and pavon.dbg go (folders are created)\n"
    "  -l FILE       also write a listing to FILE: each source line with its\n"
    "                address and the words or bytes it placed, then the symbols\n"
    "  -h, --help    print this and exit\n"
    "  --version     print the version and exit\n"
    "Exit status: 0 written; 1 errors in the source, or a file that cannot be read\n"
    "or written; 2 a bad command line, or an output that would replace a source\n"
    "or another output. Unless it is 0, no file was written.\n";

struct CommandLine {
    const char* source = nullptr;
    std::string directory = ".";
    const char* listing = nullptr;
};

bool read_source(const std::string& path, SourceText& source, std::string& reason)
{
    if (!read_file(path, MAX_SOURCE_BYTES, source.text, reason)) {
        return false;
    }
    if (source.text.size() > MAX_SOURCE_BYTES) {
        reason = "larger than " + std::to_string(MAX_SOURCE_BYTES >> 20) + " MiB";
        return false;
    }
    source.absolute = resolved_path(path);
    return true;
}

// Nothing written may be one of the sources, nor two outputs one file.
bool outputs_are_apart(const std::vector<OutputFile>& outputs, const Program& program)
{
    std::vector<std::string> written;
    for (const OutputFile& output : outputs) {
        const std::string resolved = resolved_path(output.path);
        for (const SourceFile& file : program.files) {
            if (resolved == file.absolute) {
                std::fprintf(stderr, "pavon-asm: %s would replace the source file %s; nothing written\n",
                             output.path.c_str(), file.path.c_str());
                return false;
            }
        }
        for (std::size_t i = 0; i < written.size(); ++i) {
            if (resolved == written[i]) {
                std::fprintf(stderr, "pavon-asm: %s and %s are the same file; nothing written\n",
                             outputs[i].path.c_str(), output.path.c_str());
                return false;
            }
        }
        written.push_back(resolved);
    }
    return true;
}

int write_outputs(const Program& program, const CommandLine& command)
{
    RomImages images;
    build_rom_images(program, images);
    const std::string debug_info = write_debug_info(debug_info_of(program));
    if (debug_info.size() > DEBUG_INFO_MAX_SIZE) {
        std::fprintf(stderr, "pavon-asm: the debug information would be larger than %zu MiB; nothing written\n",
                     DEBUG_INFO_MAX_SIZE >> 20);
        return EXIT_FAILED;
    }
    const std::string listing = command.listing != nullptr ? listing_of(program) : std::string();

    std::vector<OutputFile> outputs = rom_image_files(images, command.directory);
    outputs.push_back({command.directory + "/" + std::string(DEBUG_INFO_FILE_NAME), debug_info});
    if (command.listing != nullptr) {
        outputs.push_back({command.listing, listing});
    }
    if (!outputs_are_apart(outputs, program)) {
        return EXIT_USAGE;
    }
    std::string error;
    if (!make_rom_folder(command.directory, error) || !write_files_whole(outputs, error)) {
        std::fprintf(stderr, "pavon-asm: %s\n", error.c_str());
        return EXIT_FAILED;
    }
    return 0;
}

int usage_error()
{
    std::fputs(USAGE, stderr);
    return EXIT_USAGE;
}

}  // namespace

int main(int argc, char** argv)
{
    CommandLine command;
    for (int i = 1; i < argc; ++i) {
        const std::string argument = argv[i];
        if (argument == "-h" || argument == "--help") {
            std::fputs(USAGE, stdout);
            return 0;
        }
        if (argument == "--version") {
            std::printf("pavon-asm %s\n", PAVON_VERSION);
            return 0;
        }
        if (argument == "-o" && i + 1 < argc) {
            command.directory = argv[++i];
        } else if (argument == "-l" && i + 1 < argc) {
            command.listing = argv[++i];
        } else if (argument.empty() || argument[0] == '-' || command.source != nullptr) {
            return usage_error();
        } else {
            command.source = argv[i];
        }
    }
    if (command.source == nullptr) {
        return usage_error();
    }

    SourceText source;
    std::string reason;
    if (!read_source(command.source, source, reason)) {
        std::fprintf(stderr, "pavon-asm: cannot read %s: %s\n", command.source, reason.c_str());
        return EXIT_FAILED;
    }
    const Program program = assemble(source.text, {command.source, source.absolute}, read_source);
    for (const Diagnostic& diagnostic : program.errors) {
        std::fprintf(stderr, "%s\n", format_diagnostic(program, diagnostic).c_str());
    }
    if (!program.errors.empty()) {
        std::fprintf(stderr, "pavon-asm: %zu error%s; no image written\n", program.errors.size(),
                     program.errors.size() == 1 ? "" : "s");
        return EXIT_FAILED;
    }
    return write_outputs(program, command);
}

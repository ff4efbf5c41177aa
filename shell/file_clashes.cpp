#include "shell/file_clashes.h"

#include "platform/file_identity.h"
#include "platform/paths.h"
#include "shell/rom.h"

// The state to load may also be the state to save: it is read whole before
// the machine starts and replaced whole at the end, carrying a machine
// forward from run to run.
std::vector<RunFile> run_files(const Options& options)
{
    const RomPaths roms = rom_paths(options.demo ? demo_folder() : std::string());
    return {
        {"--save-state", options.save_state, FileUse::OUTPUT, ""},
        {"--trace", options.trace, FileUse::OUTPUT, ""},
        {"--screenshot", options.screenshot, FileUse::OUTPUT, ""},
        {"--record", options.record, FileUse::OUTPUT, ""},
        {"--input", options.input, FileUse::INPUT, ""},
        {"--symbols", options.symbols, FileUse::INPUT, ""},
        {"--load-state", options.load_state, FileUse::INPUT, "--save-state"},
        {"the ROM image", roms.first, FileUse::INPUT, ""},
        {"the ROM image", roms.second, FileUse::INPUT, ""},
    };
}

namespace {

bool clash(const RunFile& a, const RunFile& b)
{
    const bool some_output = a.use == FileUse::OUTPUT || b.use == FileUse::OUTPUT;
    const bool allowed = a.may_share == b.name || b.may_share == a.name;
    return some_output && !allowed && !a.path.empty() && !b.path.empty() && same_file(a.path, b.path);
}

}  // namespace

std::string find_file_clash(const std::vector<RunFile>& files)
{
    for (std::size_t i = 0; i < files.size(); ++i) {
        for (std::size_t j = i + 1; j < files.size(); ++j) {
            if (clash(files[i], files[j])) {
                return files[i].name + " " + files[i].path + " and " + files[j].name + " " + files[j].path +
                       " are the same file";
            }
        }
    }
    return {};
}

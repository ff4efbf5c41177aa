#include "platform/paths.h"

#include <filesystem>
#include <system_error>

// Where the demo lies from the folder of the installed program (the build
// computes it from the install's folder layout).
#ifndef PAVON_DEMO_FROM_PROGRAM
#define PAVON_DEMO_FROM_PROGRAM "../share/pavon/demo"
#endif

std::string demo_folder()
{
    namespace fs = std::filesystem;
    std::error_code error;
    // The running program's own file, symbolic links resolved; where the
    // system does not say, the paths stay relative to the current folder.
    const fs::path program = fs::read_symlink("/proc/self/exe", error);
    const fs::path beside = error ? fs::path() : program.parent_path();
    const fs::path installed = (beside / PAVON_DEMO_FROM_PROGRAM).lexically_normal();
    const fs::path built = beside / "firmware";
    if (!fs::is_directory(installed, error) && fs::is_directory(built / "ROM", error)) {
        return built.string();
    }
    return installed.string();
}

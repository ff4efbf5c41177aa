// The input is a state file: loaded with F6's code, then two frames run
// from whatever it holds.
#include "fuzz/harness.h"
#include "shell/rom.h"
#include "shell/state_file.h"

extern "C" int LLVMFuzzerInitialize(int*, char***)
{
    fuzz_start();
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, std::size_t size)
{
    g_rom1.fill(0);
    g_rom2.fill(0);
    fuzz_start_machine();
    load_state_from(fuzz_file("pavon.pvn", data, size).c_str());
    fuzz_run_frames(2, nullptr, 0);
    return 0;
}

// The input is a count of key bytes, the key bytes (see fuzz_run_frames),
// then the first ROM image's file (its first 32768 bytes) and the second's
// (all that follows). Shorter inputs give a short first image, which the
// machine runs all the same from what was read.
#include <algorithm>

#include "fuzz/harness.h"
#include "shell/rom.h"

namespace {

constexpr int FRAMES = 4;

}  // namespace

extern "C" int LLVMFuzzerInitialize(int*, char***)
{
    fuzz_start();
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, std::size_t size)
{
    if (size == 0) {
        return 0;
    }
    const std::size_t key_count = std::min<std::size_t>(data[0], size - 1);
    const uint8_t* keys = data + 1;
    const uint8_t* first = keys + key_count;
    const std::size_t images = size - 1 - key_count;
    const std::size_t first_size = std::min<std::size_t>(images, ROM1_SIZE);
    const std::string first_path = fuzz_file("pavon1.bin", first, first_size);
    const std::string second_path = fuzz_file("pavon2.bin", first + first_size, images - first_size);
    g_rom1.fill(0);
    g_rom2.fill(0);
    load_roms(first_path.c_str(), second_path.c_str());
    fuzz_start_machine();
    fuzz_run_frames(FRAMES, keys, key_count);
    return 0;
}

// The whole machine in one file: memory, video memory, the processor's
// registers and the VDP's, with no header.
#pragma once

#include <cstddef>

constexpr std::size_t STATE_FILE_SIZE = 81946;

int save_state();
int load_state();

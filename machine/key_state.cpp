#include "machine/key_state.h"

std::array<uint8_t, KEY_NUMBERS> g_keys{};

// The host keys held, as the emulated keyboard reads them: one byte per key
// number, 1 while the key is held. The host fills it from its key events;
// STCR reads it through the keyboard rows. Key numbers are the host
// library's key symbols: a printable key is its lower-case ASCII code, and
// the others have the numbers named here.
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>

constexpr std::size_t KEY_NUMBERS = 323;

namespace key {
constexpr uint16_t BACKSPACE = 8;  // no keyboard row reads it: the host's rewind key
constexpr uint16_t RETURN = 13;
constexpr uint16_t SPACE = 32;
constexpr uint16_t UP = 273;
constexpr uint16_t DOWN = 274;
constexpr uint16_t RIGHT = 275;
constexpr uint16_t LEFT = 276;
constexpr uint16_t F8 = 289;
constexpr uint16_t F10 = 291;
constexpr uint16_t F11 = 292;
constexpr uint16_t LEFT_SHIFT = 304;
constexpr uint16_t RIGHT_CTRL = 305;
constexpr uint16_t LEFT_CTRL = 306;
}  // namespace key

extern std::array<uint8_t, KEY_NUMBERS> g_keys;

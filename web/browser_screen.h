// The browser's screen (web/browser_sdl.cpp) as the page sees it.
#pragma once

#include <cstdint>

// The 256 by 192 screen as RGBA bytes, row by row, each pixel in exactly
// the colour that was asked for; valid until the next call or flip.
const uint8_t* screen_rgba();

// The part of the SDL 1.2 interface that the host's shared files use, for
// the browser: a 16-bit screen surface in the program's memory that the page
// shows in its canvas, and a key event queue that the page fills. Key numbers
// and modifier bits are SDL 1.2's, the machine's own key numbers
// (machine/key_state.h). web/browser_sdl.cpp implements it.
#pragma once

#include <cstdint>

using Uint8 = uint8_t;
using Uint16 = uint16_t;
using Uint32 = uint32_t;

// Key symbols: a printable key is its lower-case ASCII code.
enum SDLKey : int {
    SDLK_UNKNOWN = 0,
    SDLK_BACKSPACE = 8, SDLK_TAB = 9, SDLK_RETURN = 13, SDLK_PAUSE = 19, SDLK_ESCAPE = 27, SDLK_SPACE = 32,
    SDLK_QUOTE = 39, SDLK_COMMA = 44, SDLK_MINUS = 45, SDLK_PERIOD = 46, SDLK_SLASH = 47,
    SDLK_0 = 48, SDLK_1, SDLK_2, SDLK_3, SDLK_4, SDLK_5, SDLK_6, SDLK_7, SDLK_8, SDLK_9,
    SDLK_SEMICOLON = 59, SDLK_EQUALS = 61,
    SDLK_LEFTBRACKET = 91, SDLK_BACKSLASH = 92, SDLK_RIGHTBRACKET = 93, SDLK_BACKQUOTE = 96,
    SDLK_a = 97, SDLK_b, SDLK_c, SDLK_d, SDLK_e, SDLK_f, SDLK_g, SDLK_h, SDLK_i, SDLK_j, SDLK_k, SDLK_l, SDLK_m,
    SDLK_n, SDLK_o, SDLK_p, SDLK_q, SDLK_r, SDLK_s, SDLK_t, SDLK_u, SDLK_v, SDLK_w, SDLK_x, SDLK_y, SDLK_z,
    SDLK_DELETE = 127,
    SDLK_KP0 = 256, SDLK_KP_ENTER = 271,
    SDLK_UP = 273, SDLK_DOWN, SDLK_RIGHT, SDLK_LEFT, SDLK_INSERT, SDLK_HOME, SDLK_END, SDLK_PAGEUP, SDLK_PAGEDOWN,
    SDLK_F1 = 282, SDLK_F2, SDLK_F3, SDLK_F4, SDLK_F5, SDLK_F6, SDLK_F7, SDLK_F8, SDLK_F9, SDLK_F10, SDLK_F11,
    SDLK_F12, SDLK_F13, SDLK_F14, SDLK_F15,
    SDLK_NUMLOCK = 300, SDLK_CAPSLOCK, SDLK_SCROLLOCK,
    SDLK_RSHIFT = 303, SDLK_LSHIFT, SDLK_RCTRL, SDLK_LCTRL, SDLK_RALT, SDLK_LALT, SDLK_RMETA, SDLK_LMETA,
    SDLK_LSUPER, SDLK_RSUPER,
    SDLK_PRINT = 316, SDLK_MENU = 319,
    SDLK_LAST = 323,
};

enum SDLMod : int {
    KMOD_NONE = 0,
    KMOD_LSHIFT = 0x0001, KMOD_RSHIFT = 0x0002,
    KMOD_LCTRL = 0x0040, KMOD_RCTRL = 0x0080,
    KMOD_LALT = 0x0100, KMOD_RALT = 0x0200,
};
constexpr int KMOD_SHIFT = KMOD_LSHIFT | KMOD_RSHIFT;
constexpr int KMOD_CTRL = KMOD_LCTRL | KMOD_RCTRL;
constexpr int KMOD_ALT = KMOD_LALT | KMOD_RALT;

constexpr Uint8 SDL_KEYDOWN = 2;
constexpr Uint8 SDL_KEYUP = 3;
constexpr Uint8 SDL_RELEASED = 0;
constexpr Uint8 SDL_PRESSED = 1;

struct SDL_keysym {
    Uint8 scancode;
    SDLKey sym;
    SDLMod mod;
    Uint16 unicode;
};

struct SDL_KeyboardEvent {
    Uint8 type;
    Uint8 which;
    Uint8 state;
    SDL_keysym keysym;
};

union SDL_Event {
    Uint8 type;
    SDL_KeyboardEvent key;
};

struct SDL_PixelFormat {
    Uint8 BitsPerPixel;
    Uint8 BytesPerPixel;
    Uint32 Rmask, Gmask, Bmask, Amask;
};

struct SDL_Surface {
    Uint32 flags;
    SDL_PixelFormat* format;
    int w, h;
    Uint16 pitch;
    void* pixels;
};

// The browser's surface lies in the program's memory: it never needs a lock.
#define SDL_MUSTLOCK(surface) false

constexpr Uint32 SDL_INIT_VIDEO = 0x20;

extern "C" {
int SDL_Init(Uint32 flags);
void SDL_Quit();
const char* SDL_GetError();
char* SDL_VideoDriverName(char* name, int length);

// Only the one 16-bit screen exists; `flags` is ignored.
SDL_Surface* SDL_SetVideoMode(int width, int height, int bits_per_pixel, Uint32 flags);
int SDL_Flip(SDL_Surface* screen);
int SDL_LockSurface(SDL_Surface* surface);
void SDL_UnlockSurface(SDL_Surface* surface);
int SDL_WM_ToggleFullScreen(SDL_Surface* surface);
void SDL_WM_SetCaption(const char* title, const char* icon);

// The screen's pixel values are colour numbers, given out as colours are
// asked for, so that the canvas shows every colour exactly.
Uint32 SDL_MapRGB(const SDL_PixelFormat* format, Uint8 red, Uint8 green, Uint8 blue);
void SDL_GetRGB(Uint32 pixel, const SDL_PixelFormat* format, Uint8* red, Uint8* green, Uint8* blue);

// 1 and the oldest event, or 0 when the queue is empty.
int SDL_PollEvent(SDL_Event* event);
// 0, or -1 when the queue is full.
int SDL_PushEvent(SDL_Event* event);
}

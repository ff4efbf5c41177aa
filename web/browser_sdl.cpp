// SDL 1.2's screen and key queue in the browser: the screen is a 16-bit
// surface in the program's memory whose values are colour numbers; a flip
// turns it into RGBA and hands it to the page's canvas. The page's key
// events come through SDL_PushEvent (web/main.cpp).
#include <SDL.h>

#include <array>
#include <cstddef>
#include <cstring>
#include <deque>

#include "web/browser_screen.h"

extern "C" {
// The page's side (web/host_calls.js).
void page_present(const uint8_t* rgba);
void page_set_title(const char* title);
void page_toggle_fullscreen();
}

namespace {

constexpr int WIDTH = 256;
constexpr int HEIGHT = 192;
constexpr std::size_t EVENT_QUEUE_SIZE = 128;  // as SDL's own queue

// Each colour number's red, green and blue, as 0xBBGGRR (RGBA bytes in
// memory, alpha added when a picture is made). Number 0 is black until the
// first colour asked for takes it.
std::array<Uint32, 1 << 16> colours{};
Uint32 colours_given = 0;

std::array<uint16_t, WIDTH * HEIGHT> screen_pixels{};
std::array<Uint32, WIDTH * HEIGHT> picture{};
SDL_PixelFormat screen_format{16, 2, 0, 0, 0, 0};
SDL_Surface screen{0, &screen_format, WIDTH, HEIGHT, WIDTH * 2, screen_pixels.data()};

std::deque<SDL_Event> events;

}  // namespace

const uint8_t* screen_rgba()
{
    for (std::size_t i = 0; i < picture.size(); ++i) {
        picture[i] = colours[screen_pixels[i]] | 0xFF000000u;
    }
    return reinterpret_cast<const uint8_t*>(picture.data());
}

extern "C" {

int SDL_Init(Uint32)
{
    return 0;
}

void SDL_Quit() {}

const char* SDL_GetError()
{
    return "only one 256 by 192 screen of 16 bits exists in the browser";
}

char* SDL_VideoDriverName(char* name, int length)
{
    std::strncpy(name, "browser", static_cast<std::size_t>(length));
    name[length - 1] = '\0';
    return name;
}

SDL_Surface* SDL_SetVideoMode(int width, int height, int bits_per_pixel, Uint32)
{
    return width == WIDTH && height == HEIGHT && bits_per_pixel == 16 ? &screen : nullptr;
}

int SDL_Flip(SDL_Surface*)
{
    page_present(screen_rgba());
    return 0;
}

int SDL_LockSurface(SDL_Surface*)
{
    return 0;
}

void SDL_UnlockSurface(SDL_Surface*) {}

int SDL_WM_ToggleFullScreen(SDL_Surface*)
{
    page_toggle_fullscreen();
    return 1;
}

void SDL_WM_SetCaption(const char* title, const char*)
{
    page_set_title(title);
}

Uint32 SDL_MapRGB(const SDL_PixelFormat*, Uint8 red, Uint8 green, Uint8 blue)
{
    const Uint32 colour = red | green << 8 | blue << 16;
    for (Uint32 number = 0; number < colours_given; ++number) {
        if (colours[number] == colour) {
            return number;
        }
    }
    if (colours_given == colours.size()) {
        return 0;  // never: the program asks for sixteen colours
    }
    colours[colours_given] = colour;
    return colours_given++;
}

void SDL_GetRGB(Uint32 pixel, const SDL_PixelFormat*, Uint8* red, Uint8* green, Uint8* blue)
{
    const Uint32 colour = colours[pixel & 0xFFFF];
    *red = static_cast<Uint8>(colour);
    *green = static_cast<Uint8>(colour >> 8);
    *blue = static_cast<Uint8>(colour >> 16);
}

int SDL_PollEvent(SDL_Event* event)
{
    if (events.empty()) {
        return 0;
    }
    *event = events.front();
    events.pop_front();
    return 1;
}

int SDL_PushEvent(SDL_Event* event)
{
    if (events.size() >= EVENT_QUEUE_SIZE) {
        return -1;
    }
    events.push_back(*event);
    return 0;
}

}  // extern "C"

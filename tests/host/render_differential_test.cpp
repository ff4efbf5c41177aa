// The renderer against the per-pixel reference over random video memory and
// registers: both character modes, every sprite size, sprites on every edge,
// tables past the end of video memory and register slots with high bytes.
#include <gtest/gtest.h>

#include <random>

#include "render_helpers.h"
#include "render_oracle.h"

namespace {

// Whole runs of set and clear bits as well as scattered ones.
uint8_t random_byte(std::mt19937& random)
{
    switch (random() % 4) {
    case 0:
        return 0xFF;
    case 1:
        return 0x00;
    default:
        return static_cast<uint8_t>(random());
    }
}

// Positions on and beside the screen's edges and the early-clock limit.
constexpr uint8_t EDGE_Y[] = {0x00, 0xAF, 0xB0, 0xB7, 0xBE, 0xBF, 0xC0, 0xD0, 0xE1, 0xF0, 0xFE, 0xFF};
constexpr uint8_t EDGE_X[] = {0, 1, 31, 32, 40, 199, 200, 207, 208, 224, 225, 232, 239, 240, 241, 247, 248, 252, 255};

template <std::size_t N>
uint8_t pick(std::mt19937& random, const uint8_t (&values)[N])
{
    return values[random() % N];
}

void randomise_vdp(std::mt19937& random)
{
    for (uint8_t& byte : g_vdp.vram) {
        byte = random_byte(random);
    }
    for (uint16_t& slot : g_vdp.registers) {
        slot = static_cast<uint16_t>(random());
    }
    if (random() % 2) {
        const uint32_t attributes = (g_vdp.registers[5] & 0xFFu) * 0x80;
        for (uint32_t k = 0; k < 32; ++k) {
            vram_at(attributes + 4 * k) = pick(random, EDGE_Y);
            vram_at(attributes + 4 * k + 1) = pick(random, EDGE_X);
        }
    }
}

uint16_t pixel_of(const SDL_Surface* surface, int x, int y)
{
    return static_cast<const uint16_t*>(surface->pixels)[surface->pitch / 2 * y + x];
}

TEST(RenderDifferential, MatchesThePerPixelPictureOverRandomStates)
{
    constexpr int STATES = 300;
    open_display_and_reset();
    const SDL_PixelFormat* format = g_surface->format;
    SDL_Surface* reference = SDL_CreateRGBSurface(SDL_SWSURFACE, SCREEN_WIDTH, SCREEN_HEIGHT, 16, format->Rmask,
                                                  format->Gmask, format->Bmask, format->Amask);
    ASSERT_NE(reference, nullptr);
    std::mt19937 random(12);
    for (int state = 0; state < STATES; ++state) {
        randomise_vdp(random);
        vdp_render();
        render_per_pixel(reference);
        int wrong = 0;
        for (int y = 0; y < SCREEN_HEIGHT; ++y) {
            for (int x = 0; x < SCREEN_WIDTH; ++x) {
                if (pixel_of(g_surface, x, y) != pixel_of(reference, x, y) && ++wrong <= 3) {
                    ADD_FAILURE() << "state " << state << ": pixel (" << x << ", " << y << ") differs";
                }
            }
        }
        ASSERT_EQ(wrong, 0) << "state " << state;
    }
    SDL_FreeSurface(reference);
}

}  // namespace

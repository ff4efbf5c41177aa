// The picture alone: vdp_render over a busy screen in each character mode,
// and over a screen full of the largest sprites. Reports pictures per second.
#include <benchmark/benchmark.h>

#include <array>
#include <cstdint>

#include "bench_window.h"
#include "display/display.h"
#include "display/render.h"
#include "video/vdp.h"

namespace {

constexpr uint32_t ATTRIBUTES = 0x1B00;  // R5 = >36
constexpr uint32_t SPRITE_PATTERNS = 0x3800;  // R6 = 7

// Every byte different from its neighbours: each cell its own pattern and
// colours, and sprite patterns with short runs of set pixels.
void fill_busy_vram()
{
    for (uint32_t i = 0; i < VRAM_SIZE; ++i) {
        g_vdp.vram[i] = static_cast<uint8_t>(i * 37 + (i >> 8));
    }
}

// 32 sprites spread over the screen, none transparent, none off it.
void place_sprites()
{
    for (uint32_t k = 0; k < 32; ++k) {
        const uint32_t at = ATTRIBUTES + 4 * k;
        g_vdp.vram[at] = static_cast<uint8_t>((k * 37) % 150);
        g_vdp.vram[at + 1] = static_cast<uint8_t>((k * 53) % 220);
        g_vdp.vram[at + 2] = static_cast<uint8_t>(4 * k);
        g_vdp.vram[at + 3] = static_cast<uint8_t>(2 + k % 14);
    }
}

void run_render(benchmark::State& state, const std::array<uint16_t, 8>& registers, bool solid_sprites = false)
{
    if (!open_bench_window()) {
        state.SkipWithError("no SDL surface");
        return;
    }
    vdp_reset();
    fill_busy_vram();
    place_sprites();
    g_vdp.registers = registers;
    if (solid_sprites) {
        for (uint32_t i = SPRITE_PATTERNS; i < SPRITE_PATTERNS + 32 * 32; ++i) {
            g_vdp.vram[i] = 0xFF;
        }
    }
    for (auto _ : state) {
        vdp_render();
    }
    state.counters["pictures_per_second"] =
        benchmark::Counter(static_cast<double>(state.iterations()), benchmark::Counter::kIsRate);
}

// Names at >1800, colours at >2000, patterns at >0000, 16 by 16 sprites.
void BM_RenderGraphicsMode(benchmark::State& state)
{
    run_render(state, {0x00, 0x02, 0x06, 0x80, 0x00, 0x36, 0x07, 0x04});
}
BENCHMARK(BM_RenderGraphicsMode)->Unit(benchmark::kMicrosecond);

// Patterns from >0000, colours from >2000, 16 by 16 sprites.
void BM_RenderBitmapMode(benchmark::State& state)
{
    run_render(state, {0x02, 0x02, 0x06, 0xFF, 0x03, 0x36, 0x07, 0x04});
}
BENCHMARK(BM_RenderBitmapMode)->Unit(benchmark::kMicrosecond);

// 32 solid magnified 16 by 16 sprites: 32 by 32 pixels each.
void BM_RenderSpritesHeavy(benchmark::State& state)
{
    run_render(state, {0x00, 0x03, 0x06, 0x80, 0x00, 0x36, 0x07, 0x04}, true);
}
BENCHMARK(BM_RenderSpritesHeavy)->Unit(benchmark::kMicrosecond);

}  // namespace

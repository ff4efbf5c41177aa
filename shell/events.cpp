// Placeholder until the key handling lands: Escape quits.
#include "shell/events.h"

std::array<uint8_t, SDLK_LAST> g_keys{};
int32_t g_shift_held = 0;
int32_t g_quit = 0;

void poll_events()
{
    SDL_Event event;
    while (SDL_PollEvent(&event) == 1) {
        if (event.type == SDL_KEYDOWN && event.key.keysym.sym == SDLK_ESCAPE) {
            g_quit = 1;
        }
    }
}

#include "host_events.h"

#include <SDL.h>
#include <gtest/gtest.h>

#include <cstring>

#include "machine/key_state.h"

void push_key_event(bool down, unsigned symbol, unsigned modifiers)
{
    SDL_Event event{};
    event.type = down ? SDL_KEYDOWN : SDL_KEYUP;
    event.key.state = down ? SDL_PRESSED : SDL_RELEASED;
    std::memcpy(&event.key.keysym.sym, &symbol, sizeof symbol);
    std::memcpy(&event.key.keysym.mod, &modifiers, sizeof modifiers);
    ASSERT_EQ(SDL_PushEvent(&event), 0);
}

void drain_events()
{
    SDL_Event event;
    while (SDL_PollEvent(&event) == 1) {
    }
}

std::vector<unsigned> held_keys()
{
    std::vector<unsigned> held;
    for (unsigned k = 0; k < g_keys.size(); ++k) {
        if (g_keys[k]) {
            held.push_back(k);
        }
    }
    return held;
}

// The host's event queue as tests drive it: key events pushed in, and the
// queue emptied so that nothing reaches the next test.
#pragma once

#include <vector>

// Puts one key press (down) or release into the queue, with the modifier
// keys held (KMOD_ bits). The symbol is copied as a number, so it may lie
// outside SDLKey's values.
void push_key_event(bool down, unsigned symbol, unsigned modifiers = 0);

void drain_events();

// The numbers of the keys that g_keys holds down, in order.
std::vector<unsigned> held_keys();

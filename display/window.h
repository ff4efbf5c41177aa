// The program's window: opened once at start-up, then the screen that both
// the VDP picture and the debugger overlay are drawn on. However large it is
// shown, its surface stays 256 by 192 pixels of 16 bits: the SDL 1.2 layer
// (sdl12-compat) scales the picture into the window.
#pragma once

// Asks for a window `scale` times the machine's size, scaled without
// smoothing. Takes effect only before SDL_Init.
void display_prepare(int scale);

// Opens the 256 by 192 window, paints it light blue, resets the VDP and makes
// the window the debugger overlay's screen. 0 on success, -1 if the window
// cannot be opened.
int display_open();

// The window's state at its opening again: painted light blue, the VDP
// reset. -1, doing nothing, when no window is open (as its opening did).
int display_restart();

// False when SDL, finding no display to reach, fell back on its driver that
// draws off screen: the window exists but nobody sees it. A driver that the
// user chose (SDL_VIDEODRIVER) counts as seen.
bool display_visible();

// Full screen on or off; nothing without a window.
void display_toggle_fullscreen();

void display_set_title(const char* title);

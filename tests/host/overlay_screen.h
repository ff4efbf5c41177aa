// Reads the overlay back from the window's pixels: which colour a pixel has,
// and which character of the font a 6 by 8 cell shows.
#pragma once

#include <SDL.h>

#include <cstdint>
#include <string>
#include <vector>

// Opens the window on the dummy driver (once), resets the machine and sets
// the debugger up as start-up does.
void start_overlay_machine();

uint16_t pixel_at(int x, int y);
uint16_t colour_value(int colour);

// The character a cell shows: ' ' for a blank cell, '~' when the cell holds
// anything but ink and paper or no glyph of the font.
char cell_character(int column, int row);
std::string screen_text(int column, int row, int length);

// The whole surface, pixel by pixel.
std::vector<uint16_t> surface_pixels();

// Puts a key press and its release into the host event queue.
void push_key(SDLKey key);

// The same, and lets the program handle them at once.
void press_key(SDLKey key);

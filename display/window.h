// The program's window: opened once at start-up, then the screen that both
// the VDP picture and the debugger overlay are drawn on.
#pragma once

// Opens the 256 by 192 window, paints it light blue, resets the VDP and makes
// the window the debugger overlay's screen. 0 on success, -1 if the window
// cannot be opened.
int display_open();

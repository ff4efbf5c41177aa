// The screen the overlay is drawn on belongs to the host, which hands the
// debugger its three operations on it when the window opens. Until then they
// do nothing: the debugger keeps its record and its grid without a picture.
#pragma once

struct OverlayScreen {
    void (*put_pixel)(int x, int y, int colour);  // one pixel in a palette colour
    void (*present)();                            // show the surface in the window
    void (*show_picture)();                       // redraw and present the VDP picture
};

extern OverlayScreen g_overlay_screen;

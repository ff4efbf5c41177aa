// The machine runs in frames of a fixed cycle budget; the once-a-frame work
// (frame flag, decrementer, picture, frame interrupt, events) ends each one.
#pragma once

// Runs one frame: instructions until the budget is spent (or the program is
// quitting), then the end-of-frame steps.
void run_frame();

// The end-of-frame steps alone.
void end_frame();

// Runs frames until g_quit is set.
void frame_loop();

// The machine runs in frames of a fixed cycle budget; the once-a-frame work
// (frame flag, decrementer, picture, frame interrupt, events) ends each one.
#pragma once

#include <cstdint>

// A frame that has run this many instructions without spending its budget is
// caught in instructions that cost no cycles; the host's events are polled
// then, and as often again, so that Escape and the debugger keys still work.
constexpr uint32_t INSTRUCTIONS_BEFORE_EVENT_POLL = 1u << 20;

// Frames ended since the program started: the frame in progress has this
// number, counting from 0.
extern uint64_t g_frame_number;

// Runs one frame: g_cycles from 0, instructions until the budget is spent
// (or the program is quitting), then the end-of-frame steps.
void run_frame();

// The frame's instructions alone, from the current g_cycles on.
void run_instructions();

// The end-of-frame steps alone.
void end_frame();

// Runs frames until g_quit is set.
void frame_loop();

// The machine runs in frames of a fixed cycle budget; the once-a-frame work
// (frame flag, decrementer, picture, frame interrupt, events) ends each one.
// Between frames the host paces them to real time and keeps a pause.
#pragma once

#include <cstdint>

#include "shell/pacing.h"

// A frame that has run this many instructions without spending its budget is
// caught in instructions that cost no cycles; the host's events are polled
// then, and as often again, so that Escape and the debugger keys still work.
constexpr uint32_t INSTRUCTIONS_BEFORE_EVENT_POLL = 1u << 20;

// No real frame holds more than about 5,600 instructions. A frame that has
// run this many is endless: a headless run stops there in the debugger.
constexpr uint32_t INSTRUCTIONS_IN_AN_ENDLESS_FRAME = 1u << 22;

// While the processor runs under the overlay, the loop reads the host clock
// once per this many instructions, and then polls the events and redraws the
// overlay when HOST_REFRESH_TIME has passed since it last did.
constexpr uint32_t INSTRUCTIONS_BETWEEN_CLOCK_READS = 1024;
constexpr int64_t HOST_REFRESH_TIME = NANOSECONDS_PER_SECOND / 60;

// While the processor is held or the host paused, the loop sleeps this long
// between two looks at the event queue.
constexpr int64_t EVENT_WAIT_TIME = NANOSECONDS_PER_SECOND / 100;

// Frames ended since the program started: the frame in progress has this
// number, counting from 0.
extern uint64_t g_frame_number;

// Runs one frame: g_cycles from 0, instructions until the budget is spent
// (or the program is quitting), then the end-of-frame steps. While the
// rewind key is held, the frame takes the machine back one frame instead.
void run_frame();

// A host whose own loop must get control back (a browser's animation
// frames) sets this. While the debugger holds the processor, run_instructions
// and run_frame then return after one look at the keys, the frame
// unfinished, and the next run_frame goes on with it. Unset (the desktop),
// they wait for the keys, sleeping in between.
extern bool g_return_while_held;

// The frame's instructions alone, from the current g_cycles on.
void run_instructions();

// The end-of-frame steps alone.
void end_frame();

// The frame's picture: under the overlay drawn but not presented (the
// overlay's redraw presents both), else shown.
void show_frame_picture();

// The overlay redrawn and presented if it is kept up to date now.
void show_overlay_if_live();

// Runs frames until g_quit is set, paced as pacing_start set (unpaced
// unless it was called), none while the host is paused.
void frame_loop();

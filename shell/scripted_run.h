// The debugging and automation options at run time: every input checked
// before the machine starts, the checks set up once it stands, key events
// fed and frames counted at each frame's end, and the outputs written when
// the program ends.
#pragma once

#include <string>

// Exit statuses besides 0 (a run that ended as asked) and the bad command
// line's 2, which bad input files share.
constexpr int EXIT_OUTPUT_FAILED = 1;  // an output could not be written (also at a stop)
constexpr int EXIT_STOPPED = 3;        // a headless run stopped in the debugger

// The functions below return this, or the exit status to end with at once.
constexpr int RUN_GOES_ON = -1;

// Where the one-line reasons for bad input go: standard error, unless the
// debug adapter takes them for its client (null: standard error).
extern void (*g_bad_input_sink)(const std::string& text);

// Before the video system starts: SDL's dummy driver for a headless run,
// the input file read, the state file to load and the output paths checked,
// and no output the same file as another file of the run.
int prepare_run();

// After start-up: the state file loaded, breakpoints, watchpoints, the
// trace, the headless run's stop, and the stop of an odd workspace pointer
// from the reset vector or the state file.
int start_run();

// At each frame's end, after its interrupt and before its event poll.
void run_frame_hooks();

// Its host's part alone (the input file's events, the frame count), for a
// frame that took the machine back instead of running it.
void run_host_frame_hooks();

// A frame that runs on without spending its budget (its instructions use no
// cycles): a headless run, or a debug adapter's, stops there in the debugger; a window says so in
// its title and stays as it is, Escape quitting.
void run_endless_frame();

// When the frame loop has ended: the state file and the trace written; the
// program's exit status.
int finish_run();

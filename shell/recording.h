// --record FILE: the session's key events, those typed on the host's
// keyboard and those an input file fed alike, written when the program ends
// as an input file (shell/input_script.h) that --input replays: each event
// at the frame whose end the machine saw it at, and last the Escape that
// ended the run (written there also when the run ended otherwise: after
// --frames, a stop, Ctrl+C). Keys that an input file cannot name, and
// presses while the debugger's overlay is shown, reach no keyboard row and
// are left out.
#pragma once

#include <string>

// From now on, until recording_finish.
void recording_start(const std::string& path);

// A host key event, as poll_events takes it.
void record_key(unsigned key, bool down);

// At the start of every host frame: the events since the last one were seen
// at the end of the frame before.
void recording_frame_begins();

// Writes the file whole (platform/atomic_file.h). False with the reason in
// `error`; true when nothing is recorded.
bool recording_finish(std::string& error);

// The debug adapter: requests from an editor (the client) arrive as framed
// JSON messages, are answered one by one from a table of handlers, and the
// machine's stops and resumptions go back as events. The host owns the
// streams, the window and the frame loop; it hands the adapter the few
// operations of its own that requests need, feeds it the client's bytes at
// its event-poll points, and lets it look at the machine there.
#pragma once

#include <cstdint>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "machine/record_parts.h"
#include "rewind/going_back.h"

// A launch: the folder to run in, and the command line it amounts to.
struct LaunchRequest {
    std::string cwd;
    std::vector<std::string> words;  // options and values, as on a command line
};

struct AdapterHost {
    // Sends a framed message; false when the client is gone.
    bool (*send)(const std::string& message);
    // Starts the machine, not yet running: -1, or the exit status of a
    // launch that failed, with its one-line reason.
    int (*launch)(const LaunchRequest& request, std::string& error);
    void (*restart)();  // the reset key: the machine as at start-up
    void (*quit)();     // the frame loop ends after the frame in progress
    // The debugger's keys that go back while it holds the processor: one
    // instruction back, or back to the last breakpoint or watchpoint hit.
    GoingBack (*go_back)(bool to_last_hit);
    // The host's own pause between frames (F3) ends: the debugger holds the
    // processor instead, or it runs.
    void (*end_pause)();
};

void adapter_begin(const AdapterHost& host);

// Bytes from the client: every whole request among them is answered.
void adapter_receive(std::string_view bytes);

// The client closed its stream or cannot be written to: the program ends
// without another word.
void adapter_input_closed();

// At the host's event-poll points while frames run: the client hears of
// stops and resumptions, and the number of requests that changed the
// machine since the last call is returned (the host redraws for them).
int adapter_watch_machine();

// Configuration is done: frames may run.
bool adapter_configured();

// Nothing more to do: the client asked for the end, or has gone.
bool adapter_done();

// The frame loop has ended with this exit status. Unless the client asked
// for the end or has gone, it hears that the program exited.
void adapter_program_ended(int status);

// The debugger's callbacks (debugger/debug_hooks.h): a hold begins, and a
// breakpoint asks whether it stops.
void adapter_machine_held(const char* reason);
bool adapter_break_here(uint16_t pc);

// The machine's messages and diagnostics (machine/messages.h), and the
// host's own lines on standard error, as output events, the diagnostics and
// the host's lines limited in rate.
void adapter_message(const char* text);
void adapter_diagnostic(const char* text);
void adapter_host_line(const char* text);

// The adapter's records that go back in time with the machine (the hit
// counts of its breakpoints), for the kept past to hold.
std::span<const RecordPart> adapter_kept_parts();

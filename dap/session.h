// The adapter's session as its request handlers share it: where it stands,
// what the client was last told about the processor, and how to answer.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "dap/adapter.h"
#include "dap/arguments.h"
#include "dap/framing.h"

// Why the processor is held, as the next `stopped` event tells it.
struct StopNote {
    std::string reason = "pause";  // the protocol's word: entry, breakpoint, step, pause, ...
    std::string text;              // the debugger's own words
    std::vector<int64_t> breakpoint_ids;
};

// What the client saw of the machine when it was last told of a hold.
struct MachineStamp {
    uint64_t frame = 0;
    int32_t cycles = 0;
    uint16_t pc = 0;
    uint16_t wp = 0;
    bool operator==(const MachineStamp&) const = default;
};

struct Session {
    AdapterHost host{};
    int64_t next_seq = 1;
    FrameReader reader;
    bool input_closed = false;  // the client's stream ended, or writing to it failed
    bool launched = false;
    bool launch_failed = false;  // the machine may be half started: no second try
    bool configured = false;
    bool ending = false;        // the client asked for the end (disconnect)
    bool program_ended = false;
    bool stop_on_entry = false;
    bool client_running = false;  // the client believes the processor runs
    StopNote pending;             // why the coming hold is
    MachineStamp told;            // the machine at the last hold told
    int changes = 0;              // requests that changed the machine since the host last looked
};

extern Session g_session;

// The answer to one request: its body, or why it failed, and events to
// send right after it.
struct Reply {
    Json body = Json::object();
    std::string error;
    std::vector<std::pair<std::string, Json>> events_after;

    void fail(std::string reason)
    {
        if (error.empty()) {
            error = std::move(reason);
        }
    }
};

using Handler = void (*)(Arguments& arguments, Reply& reply);

void send_event(std::string_view name, Json body);

// The processor is held where the client may look at it: not in an
// interrupt service, and not at a frame's end that is still to come.
bool processor_settled();

// The processor runs on; the client already knows (it asked).
void resume_for_client(const char* reason_if_held_later);

// The frame number, from the host's debugging record.
uint64_t current_frame();

#include "shell/time_travel.h"

#include <array>

#include "debugger/debug_hooks.h"
#include "debugger/debugger.h"
#include "machine/key_state.h"
#include "rewind/going_back.h"
#include "shell/events.h"
#include "shell/frame_loop.h"
#include "shell/recording.h"
#include "shell/scripted_run.h"
#include "shell/state_file.h"

Rewinding g_rewinding = Rewinding::NO;

namespace {

// What travels back in time with the machine besides its own records
// (bus/machine.h): one row each.
const std::array<RecordPart, 2> HOST_PARTS{{
    {"state file's reserved byte", &g_state_file_reserved, sizeof g_state_file_reserved},
    {"call stack", &g_call_stack, sizeof g_call_stack},
}};

// The key states the host has given the machine. Going back puts back the
// machine's own; once it runs freely again it holds these again, so that a
// key held back then and let go since is not held for ever.
std::array<uint8_t, KEY_NUMBERS> host_keys{};
bool keys_from_the_past = false;

// One host frame while the rewind key is held: the machine goes back, its
// picture is shown, and the host's part of a frame's end follows (the
// input file's events, the frame count, the event poll).
void rewind_frame()
{
    g_rewinding = timeline_back_one_frame() ? Rewinding::GOING_BACK : Rewinding::AT_OLDEST;
    keys_from_the_past = keys_from_the_past || g_rewinding == Rewinding::GOING_BACK;
    debug_machine_moved();
    show_frame_picture();
    show_overlay_if_live();
    run_host_frame_hooks();
    if (poll_events() > 0) {
        show_overlay_if_live();  // as a key of this poll left it: E takes it down
    }
    ++g_frame_number;
}

// Why the machine did not go back, in the overlay's free cells and the
// title.
void say_why_not(GoingBack result)
{
    if (const std::string why = going_back_refusal(result); !why.empty()) {
        debugger_note(why.c_str());
    }
}

}  // namespace

void time_travel_start(std::size_t frames, std::size_t byte_bound)
{
    timeline_start(frames, HOST_PARTS, byte_bound);
    host_keys = g_keys;
    keys_from_the_past = false;
    g_rewinding = Rewinding::NO;
}

bool frame_goes_back()
{
    recording_frame_begins();
    if (g_rewind_held && timeline_on()) {
        rewind_frame();
        return true;
    }
    g_rewinding = Rewinding::NO;
    // Between frames: the frame's snapshot takes the keys in. Held by the
    // debugger, the machine steps on exactly as it ran.
    if (keys_from_the_past && !g_debugger.stopped) {
        g_keys = host_keys;
        keys_from_the_past = false;
    }
    return false;
}

void set_machine_key(unsigned key, uint8_t state)
{
    host_keys[key] = state;
    if (g_keys[key] != state) {
        timeline_change([key, state] { g_keys[key] = state; });
    }
}

GoingBack debugger_go_back(bool to_last_hit)
{
    const GoingBack result = to_last_hit ? run_back_to_hit() : step_back_instruction();
    keys_from_the_past = keys_from_the_past || result == GoingBack::DONE;
    say_why_not(result);
    return result;
}

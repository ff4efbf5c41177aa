#include "shell/recording.h"

#include <cstdint>
#include <vector>

#include "machine/debugger_record.h"
#include "platform/atomic_file.h"
#include "shell/frame_loop.h"
#include "shell/input_script.h"

namespace {

constexpr unsigned ESCAPE = 27;

bool recording = false;
bool escaped = false;  // Escape went down: the run ends after this poll
std::string file_path;
std::vector<InputEvent> events;
std::size_t first_unstamped = 0;

// The frame whose end steps came last: the frame in progress has not begun
// its instructions yet, or they are under way.
uint64_t frame_seen()
{
    return g_frame_number > 0 ? g_frame_number - 1 : 0;
}

void stamp_events()
{
    for (; first_unstamped < events.size(); ++first_unstamped) {
        events[first_unstamped].frame = frame_seen();
    }
}

}  // namespace

void recording_start(const std::string& path)
{
    recording = !path.empty();
    escaped = false;
    file_path = path;
    events.clear();
    first_unstamped = 0;
}

void record_key(unsigned key, bool down)
{
    const bool reaches_machine = !down || key == ESCAPE || !g_debugger.overlay_visible;
    if (recording && reaches_machine && !input_key_name(key).empty()) {
        events.push_back({0, down, static_cast<uint16_t>(key)});
        escaped = escaped || (down && key == ESCAPE);
    }
}

void recording_frame_begins()
{
    if (recording) {
        stamp_events();
    }
}

bool recording_finish(std::string& error)
{
    if (!recording) {
        return true;
    }
    stamp_events();
    if (!escaped) {
        events.push_back({frame_seen(), true, ESCAPE});
    }
    std::string text = "# the keys of a pavon session, at the frames the machine saw them: pavon --input FILE\n";
    for (const InputEvent& event : events) {
        text += std::to_string(event.frame) + (event.down ? " down " : " up ") + input_key_name(event.key) + "\n";
    }
    recording = false;
    if (write_file_atomically(file_path.c_str(), text.data(), text.size()) != 0) {
        error = replacement_failure();
        return false;
    }
    return true;
}

// The debug adapter's framing and dispatch: the input is the client's byte
// stream, fed in pieces, to a session whose launch starts a machine of
// blank ROM images, its past kept. The seeds are whole sessions.
#include <array>
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

#include "bus/machine.h"
#include "cpu/cpu.h"
#include "dap/adapter.h"
#include "debugger/debug_hooks.h"
#include "rewind/timeline.h"

namespace {

// The machine's past is kept, so that steps back replay it.
int start_blank_machine(const LaunchRequest&, std::string&)
{
    static const std::array<uint8_t, ROM1_SIZE> rom1{};
    static const std::array<uint8_t, ROM2_SIZE> rom2{};
    machine_reset();
    cpu_create(rom1, rom2);
    timeline_start(1, {});
    timeline_keep_also(adapter_kept_parts());
    timeline_frame_begins(0);
    return -1;
}

GoingBack go_back(bool to_last_hit)
{
    return to_last_hit ? run_back_to_hit() : step_back_instruction();
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, std::size_t size)
{
    debug_checks_clear();
    timeline_stop();
    adapter_begin({[](const std::string&) { return true; }, start_blank_machine, [] {}, [] {}, go_back, [] {}});
    g_debug_host.held = adapter_machine_held;
    g_debug_host.break_here = adapter_break_here;
    const std::string_view stream(reinterpret_cast<const char*>(data), size);
    // Pieces of 1 to 64 bytes, as a pipe may deliver them.
    for (std::size_t at = 0, piece = 1; at < stream.size(); at += piece, piece = piece % 64 + 7) {
        adapter_receive(stream.substr(at, piece));
        adapter_watch_machine();
    }
    return 0;
}

// The session's life: start, launch, configuration, reset and end.
#include "dap/launch_arguments.h"
#include "dap/requests.h"
#include "dap/source_breakpoints.h"
#include "dap/stops.h"
#include "machine/debugger_record.h"

namespace {

// A launch that asked to stop on entry holds the processor before its
// first instruction, and again after each reset, unless the machine holds
// it there already by itself.
void hold_on_entry()
{
    if (g_session.stop_on_entry && !g_debugger.stopped) {
        g_debugger.stopped = 1;
        g_session.pending = {"entry", "stopped on entry", {}};
    }
}

}  // namespace

void request_initialize(Arguments&, Reply& reply)
{
    reply.body = capabilities();
}

void request_launch(Arguments& arguments, Reply& reply)
{
    if (g_session.launched || g_session.launch_failed) {
        reply.fail(g_session.launched ? "the program is launched already" : "the launch failed: start a new session");
        return;
    }
    LaunchSettings settings;
    std::string error;
    if (!read_launch_arguments(arguments, settings, error)) {
        return;  // the argument's error is the answer
    }
    if (g_session.host.launch(settings.request, error) >= 0) {
        g_session.launch_failed = true;
        reply.fail(error);
        return;
    }
    g_session.launched = true;
    g_session.stop_on_entry = settings.stop_on_entry;
    for (Json& change : source_breakpoints_place_kept()) {
        reply.events_after.emplace_back("breakpoint", std::move(change));
    }
    reply.events_after.emplace_back("initialized", Json::object());
}

void request_configuration_done(Arguments&, Reply& reply)
{
    if (!g_session.launched) {
        reply.fail("the program is not launched yet");
        return;
    }
    g_session.configured = true;
    // A stop at start-up (an odd workspace pointer in the reset vector) was
    // noted at launch, before the client could hear of it: it hears now,
    // through the exception filters it has set.
    const std::string start_up_stop = g_debugger.stopped ? g_session.pending.text : "";
    resume_for_client("pause");
    if (!start_up_stop.empty()) {
        note_hold(start_up_stop.c_str());
    }
    hold_on_entry();
}

void request_disconnect(Arguments&, Reply&)
{
    g_session.ending = true;
    g_session.host.quit();
}

void request_terminate(Arguments&, Reply&)
{
    g_session.host.quit();
}

void request_restart(Arguments&, Reply&)
{
    resume_for_client("pause");
    g_session.host.restart();  // an odd workspace pointer in the reset vector holds the processor, and says so
    hold_on_entry();
}

void request_threads(Arguments&, Reply& reply)
{
    reply.body["threads"] = Json::array({{{"id", 1}, {"name", "processor"}}});
}

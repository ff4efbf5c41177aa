// Messages in and out: the framing, the check of each request's shape, the
// dispatch through the request table, and the events that tell the client
// what the machine did by itself.
#include "dap/adapter.h"

#include <algorithm>
#include <array>
#include <chrono>

#include "cpu/cpu.h"
#include "dap/breakpoint_table.h"
#include "dap/requests.h"
#include "dap/session.h"
#include "dap/source_breakpoints.h"
#include "dap/stops.h"
#include "debugger/debug_hooks.h"
#include "debugger/debugger.h"
#include "debugger/program_names.h"

Session g_session;

namespace {

// A message nested deeper than this is refused before it is parsed.
constexpr int DEEPEST_JSON = 32;

// Output lines of one category beyond this many a second are counted, not
// sent, and the count is told when the second is over.
constexpr int LINES_PER_SECOND = 50;

struct OutputLimit {
    const char* category;
    std::chrono::steady_clock::time_point window_start{};
    int sent = 0;
    uint64_t dropped = 0;
};

// The machine's messages, its diagnostics, and the host's own lines.
std::array<OutputLimit, 3> output_limits{{{"stdout"}, {"console"}, {"stderr"}}};
OutputLimit& message_limit = output_limits[0];
OutputLimit& diagnostic_limit = output_limits[1];
OutputLimit& host_line_limit = output_limits[2];

void send(const Json& message)
{
    if (g_session.input_closed) {
        return;
    }
    const std::string body = message.dump(-1, ' ', false, Json::error_handler_t::replace);
    if (!g_session.host.send(frame_message(body))) {
        adapter_input_closed();
    }
}

void respond(int64_t request_seq, const std::string& command, const Reply& reply)
{
    Json message = {{"seq", g_session.next_seq++}, {"type", "response"}, {"request_seq", request_seq},
                    {"command", command}, {"success", reply.error.empty()}};
    if (reply.error.empty()) {
        message["body"] = reply.body;
    } else {
        message["message"] = reply.error;
    }
    send(message);
}

// How deep the brackets of a JSON text go, strings skipped.
int json_depth(std::string_view text)
{
    int depth = 0;
    int deepest = 0;
    bool in_string = false;
    for (std::size_t i = 0; i < text.size(); ++i) {
        const char c = text[i];
        if (in_string) {
            if (c == '\\') {
                ++i;
            } else if (c == '"') {
                in_string = false;
            }
        } else if (c == '"') {
            in_string = true;
        } else if (c == '[' || c == '{') {
            deepest = std::max(deepest, ++depth);
        } else if (c == ']' || c == '}') {
            --depth;
        }
    }
    return deepest;
}

MachineStamp machine_stamp();

bool machine_usable()
{
    return g_session.launched && !g_session.program_ended;
}

// A message read as a request: its seq, command and arguments, or what is
// wrong with it.
struct Incoming {
    int64_t seq = 0;
    std::string command;
    const Json* arguments = nullptr;
    std::string problem;
};

const Json* member(const Json& message, const char* key)
{
    if (!message.is_object()) {
        return nullptr;
    }
    const auto found = message.find(key);
    return found == message.end() || found->is_null() ? nullptr : &*found;
}

Incoming read_request(const Json& message)
{
    Incoming request;
    const Json* seq = member(message, "seq");
    const Json* type = member(message, "type");
    const Json* command = member(message, "command");
    request.arguments = member(message, "arguments");
    request.seq = seq != nullptr && seq->is_number_integer() ? seq->get<int64_t>() : 0;
    request.command = command != nullptr && command->is_string() ? command->get<std::string>() : "";
    if (!message.is_object()) {
        request.problem = "the message is not a JSON object";
    } else if (seq == nullptr || !seq->is_number_integer()) {
        request.problem = "the message has no whole-number 'seq'";
    } else if (type == nullptr || *type != "request") {
        request.problem = "only requests are understood";
    } else if (command == nullptr || !command->is_string()) {
        request.problem = "the request has no 'command' string";
    } else if (request.arguments != nullptr && !request.arguments->is_object()) {
        request.problem = "'arguments' must be an object";
    }
    return request;
}

// One request answered by its row of the table, its events after it.
void answer(const Incoming& request)
{
    Reply reply;
    const RequestRow* row = find_request(request.command);
    if (!request.problem.empty()) {
        reply.fail(request.problem);
    } else if (row == nullptr) {
        reply.fail("unknown request '" + request.command + "'");
    } else if (row->needs == Needs::MACHINE && !machine_usable()) {
        reply.fail(g_session.program_ended ? "the program has ended" : "the program is not launched yet");
    } else {
        const Json no_arguments = Json::object();
        Arguments arguments(request.arguments != nullptr ? *request.arguments : no_arguments);
        row->handle(arguments, reply);
        if (!arguments.ok()) {
            reply = Reply{};
            reply.fail(arguments.error());
        }
    }
    respond(request.seq, request.command, reply);
    if (!g_session.client_running) {
        g_session.told = machine_stamp();  // the client's own changes are no news to it
    }
    for (auto& [event, event_body] : reply.events_after) {
        send_event(event, std::move(event_body));
    }
}

void handle(const std::string& body)
{
    if (json_depth(body) > DEEPEST_JSON) {
        Incoming request;
        request.problem = "the message is nested more than " + std::to_string(DEEPEST_JSON) + " deep";
        answer(request);
        return;
    }
    const Json message = Json::parse(body, nullptr, false);
    answer(read_request(message));
}

// Sends the count of the lines dropped in the second that has ended.
void close_output_window(OutputLimit& limit, std::chrono::steady_clock::time_point now)
{
    if (now - limit.window_start < std::chrono::seconds(1)) {
        return;
    }
    limit.window_start = now;
    limit.sent = 0;
    if (limit.dropped > 0) {
        const uint64_t dropped = limit.dropped;
        limit.dropped = 0;
        send_event("output", {{"category", limit.category},
                              {"output", "pavon: " + std::to_string(dropped) + " more lines not shown\n"}});
    }
}

void output_line(OutputLimit& limit, const char* text)
{
    close_output_window(limit, std::chrono::steady_clock::now());
    if (limit.sent >= LINES_PER_SECOND) {
        ++limit.dropped;
        return;
    }
    ++limit.sent;
    send_event("output", {{"category", limit.category}, {"output", text}});
}

MachineStamp machine_stamp()
{
    return {current_frame(), g_cycles, g_cpu.PC, g_cpu.WP};
}

void tell_stop()
{
    StopNote& note = g_session.pending;
    Json body = {{"reason", note.reason}, {"threadId", 1}, {"allThreadsStopped", true}};
    // The overlay's words, and where PC stands by the program's names.
    std::string text = note.text;
    if (program_symbols() != nullptr) {
        text += (text.empty() ? "at " : " - at ") + where_text(g_cpu.PC);
    }
    if (!text.empty()) {
        body["description"] = text;
        body["text"] = text;
    }
    if (!note.breakpoint_ids.empty()) {
        body["hitBreakpointIds"] = note.breakpoint_ids;
    }
    send_event("stopped", std::move(body));
    g_session.client_running = false;
    g_session.told = machine_stamp();
    note = StopNote{};
}

}  // namespace

void send_event(std::string_view name, Json body)
{
    send({{"seq", g_session.next_seq++}, {"type", "event"}, {"event", name}, {"body", std::move(body)}});
}

bool processor_settled()
{
    return processor_held() && g_cycles < CYCLES_PER_FRAME;
}

void resume_for_client(const char* reason_if_held_later)
{
    debugger_note("");  // as any key of the debugger's clears the overlay's last line
    g_session.client_running = true;
    g_session.pending = StopNote{};
    g_session.pending.reason = reason_if_held_later;
    ++g_session.changes;
}

uint64_t current_frame()
{
    return g_debug_host.frame_number != nullptr ? *g_debug_host.frame_number : 0;
}

void adapter_begin(const AdapterHost& host)
{
    g_session = Session{};
    g_session.host = host;
    breakpoints_replace(BreakKind::INSTRUCTION, {});
    source_breakpoints_forget();
    exception_filters_reset();
    for (OutputLimit& limit : output_limits) {
        limit = OutputLimit{limit.category};
    }
}

void adapter_receive(std::string_view bytes)
{
    frame_feed(g_session.reader, bytes);
    std::string body;
    std::string error;
    while (!g_session.input_closed) {
        const Frame frame = frame_next(g_session.reader, body, error);
        if (frame == Frame::MORE) {
            break;
        }
        if (frame == Frame::BAD) {
            // Nothing after a bad header can be found again: the session ends.
            send_event("output", {{"category", "important"}, {"output", "pavon: " + error + "; the session ends\n"}});
            adapter_input_closed();
            break;
        }
        handle(body);
    }
}

void adapter_input_closed()
{
    if (!g_session.input_closed && g_session.host.quit != nullptr) {
        g_session.host.quit();
    }
    g_session.input_closed = true;
}

int adapter_watch_machine()
{
    const auto now = std::chrono::steady_clock::now();
    for (OutputLimit& limit : output_limits) {
        close_output_window(limit, now);
    }
    if (processor_settled()) {
        if (g_session.client_running) {
            tell_stop();
        } else if (machine_stamp() != g_session.told) {
            // Stepped or changed from the window's own keys.
            g_session.pending = {"step", "moved in the window", {}};
            tell_stop();
        }
    } else if (!g_debugger.stopped && !g_session.client_running) {
        send_event("continued", {{"threadId", 1}, {"allThreadsContinued", true}});
        g_session.client_running = true;
    }
    const int changes = g_session.changes;
    g_session.changes = 0;
    return changes;
}

bool adapter_configured()
{
    return g_session.configured;
}

bool adapter_done()
{
    return g_session.input_closed || g_session.ending;
}

void adapter_program_ended(int status)
{
    g_session.program_ended = true;
    if (adapter_done()) {
        return;
    }
    for (OutputLimit& limit : output_limits) {
        limit.window_start = std::chrono::steady_clock::time_point{};  // the last count is told now
        close_output_window(limit, std::chrono::steady_clock::now());
    }
    send_event("exited", {{"exitCode", status}});
    send_event("terminated", Json::object());
}

void adapter_machine_held(const char* reason)
{
    note_hold(reason);
}

bool adapter_break_here(uint16_t pc)
{
    return breakpoint_condition_met(pc);
}

void adapter_message(const char* text)
{
    output_line(message_limit, text);
}

void adapter_diagnostic(const char* text)
{
    output_line(diagnostic_limit, text);
}

void adapter_host_line(const char* text)
{
    output_line(host_line_limit, text);
}

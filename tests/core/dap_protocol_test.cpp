// The debug adapter's protocol without a host: bytes in, messages out. Bad
// input gets an error response or ends the session, never a crash; a
// stream answers the same however it is cut; expressions over the machine.
#include <gtest/gtest.h>

#include <array>
#include <random>
#include <string>
#include <vector>

#include "dap/adapter.h"
#include "dap/arguments.h"
#include "dap/expression.h"
#include "dap/framing.h"
#include "debugger/debug_hooks.h"
#include "debugger/program_names.h"
#include "machine.h"
#include "rewind/timeline.h"

namespace {

std::vector<Json> g_sent;
StopReason g_hold_at_launch{};  // why the host holds the processor as it starts the machine

void start_session()
{
    g_sent.clear();
    reset_machine();
    adapter_begin({[](const std::string& message) {
                       g_sent.push_back(Json::parse(message.substr(message.find("\r\n\r\n") + 4)));
                       return true;
                   },
                   [](const LaunchRequest&, std::string&) {
                       if (g_hold_at_launch.cause != StopCause::NONE) {
                           debug_hold(g_hold_at_launch);
                       }
                       return -1;
                   },
                   [] {}, [] {},
                   [](bool to_last_hit) { return to_last_hit ? run_back_to_hit() : step_back_instruction(); }, [] {}});
}

std::string framed(const std::string& body)
{
    return frame_message(body);
}

std::string request(int seq, const std::string& command, const std::string& arguments = "{}")
{
    return framed(R"({"seq":)" + std::to_string(seq) + R"(,"type":"request","command":")" + command +
                  R"(","arguments":)" + arguments + "}");
}

// Each response as "command: ok" or "command: MESSAGE", events as "event NAME".
std::vector<std::string> answers()
{
    std::vector<std::string> lines;
    for (const Json& message : g_sent) {
        if (message["type"] == "event") {
            lines.push_back("event " + message["event"].get<std::string>());
        } else {
            lines.push_back(message["command"].get<std::string>() + ": " +
                            (message["success"] ? "ok" : message["message"].get<std::string>()));
        }
    }
    return lines;
}

const std::string LAUNCH = request(1, "launch");

TEST(DapProtocol, BadInput)
{
    struct Case {
        const char* name;
        std::string input;
        std::vector<std::string> answers;
        bool ends;
    };
    const std::string deep = std::string(1000, '[') + std::string(1000, ']');
    const Case cases[] = {
        {"length not a number", "Content-Length: 12x\r\n\r\n{}", {"event output"}, true},
        {"length huge", "Content-Length: 99999999999999999999\r\n\r\n", {"event output"}, true},
        {"no length", "Content-Type: json\r\n\r\n{}", {"event output"}, true},
        {"header endless", std::string(5000, 'x'), {"event output"}, true},
        {"body not JSON", framed("hello") + request(2, "threads"),
         {": the message is not a JSON object", "threads: the program is not launched yet"}, false},
        {"body an array", framed("[1]"), {": the message is not a JSON object"}, false},
        {"body too deep", framed(deep), {": the message is nested more than 32 deep"}, false},
        {"no seq", framed(R"({"type":"request","command":"threads"})"), {"threads: the message has no whole-number 'seq'"}, false},
        {"no command", framed(R"({"seq":1,"type":"request"})"), {": the request has no 'command' string"}, false},
        {"not a request", framed(R"({"seq":1,"type":"event","event":"x"})"), {": only requests are understood"}, false},
        {"unknown command", request(1, "frobnicate"), {"frobnicate: unknown request 'frobnicate'"}, false},
        {"arguments not an object", request(1, "initialize", "5"), {"initialize: 'arguments' must be an object"}, false},
        {"argument of the wrong type", LAUNCH + request(2, "evaluate", R"({"expression":5})"),
         {"launch: ok", "event initialized", "evaluate: 'expression' must be a string"}, false},
        {"argument missing", LAUNCH + request(2, "readMemory", R"({"memoryReference":"0"})"),
         {"launch: ok", "event initialized", "readMemory: 'count' is missing"}, false},
        {"argument out of range", LAUNCH + request(2, "readMemory", R"({"memoryReference":"0","count":-1})"),
         {"launch: ok", "event initialized", "readMemory: 'count' must be from 0 to 1048576"}, false},
        {"bad memory reference", LAUNCH + request(2, "disassemble", R"({"memoryReference":"here","instructionCount":1})"),
         {"launch: ok", "event initialized", "disassemble: 'here' is not a memory reference"}, false},
        {"bad base64", LAUNCH + request(2, "writeMemory", R"({"memoryReference":"0","data":"a$=="})"),
         {"launch: ok", "event initialized", "writeMemory: 'data' is not base64"}, false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        start_session();
        adapter_receive(c.input);
        EXPECT_EQ(answers(), c.answers);
        EXPECT_EQ(adapter_done(), c.ends);
    }
}

// Property: however the stream is cut into pieces, the same answers come.
TEST(DapProtocol, AnyCutOfTheStream)
{
    const std::string stream = request(1, "initialize") + framed("not json") + LAUNCH +
                               request(3, "evaluate", R"({"expression":"R1+>10"})") +
                               request(4, "readMemory", R"({"memoryReference":"vram:0x10","count":4})");
    start_session();
    adapter_receive(stream);
    const std::vector<Json> whole = g_sent;
    std::mt19937 random(19);
    for (int round = 0; round < 50; ++round) {
        start_session();
        for (std::size_t at = 0; at < stream.size();) {
            const std::size_t piece = std::uniform_int_distribution<std::size_t>(0, 40)(random);
            adapter_receive(std::string_view(stream).substr(at, piece));
            at += piece;
        }
        ASSERT_EQ(g_sent, whole) << "round " << round;
    }
}

// The machine's stops as the client hears of them, through the exception
// filters and the breakpoints' conditions. The program at >0100; R0 is 0.
TEST(DapProtocol, StopsTold)
{
    struct Case {
        const char* name;
        std::array<uint16_t, 2> program;
        std::string configuration;
        const char* told;  // "reason: description" of the one stop, or "" for none
        uint16_t r0;       // R0 when it stopped, or after 20 instructions
        StopReason held_at_launch{};
    };
    constexpr uint16_t MOVB_R0_TO_0 = 0xD800;  // MOVB R0,@>0000: a byte into ROM
    constexpr uint16_t LWPI = 0x02E0;
    constexpr uint16_t INC_R0 = 0x0580;
    constexpr uint16_t JMP_BACK = 0x10FE;  // to the INC before it
    const auto breakpoint = [](const char* fields) {
        return request(3, "setInstructionBreakpoints",
                       std::string(R"({"breakpoints":[{"instructionReference":"0x0100",)") + fields + "}]}");
    };
    const auto filters = [](const char* names) {
        return request(3, "setExceptionBreakpoints", std::string(R"({"filters":[)") + names + "]}");
    };
    const Case cases[] = {
        {"byte into ROM", {MOVB_R0_TO_0, 0x0000}, "", "exception: byte written into ROM", 0},
        {"byte into ROM, filter off", {MOVB_R0_TO_0, 0x0000}, filters(R"("odd-workspace")"), "", 0},
        {"odd workspace", {LWPI, 0xF001}, filters(R"("odd-workspace")"), "exception: odd workspace pointer >F001", 0},
        {"condition", {INC_R0, JMP_BACK}, breakpoint(R"("condition":"R0 == 3")"), "breakpoint: breakpoint at >0100", 3},
        {"hit count of a condition", {INC_R0, JMP_BACK}, breakpoint(R"("condition":"R0 > 1","hitCondition":"== 2")"),
         "breakpoint: breakpoint at >0100", 3},
        {"bad condition stops", {INC_R0, JMP_BACK}, breakpoint(R"("condition":"R0 ==")"),
         "breakpoint: breakpoint at >0100", 0},
        {"every other", {INC_R0, JMP_BACK}, breakpoint(R"("hitCondition":"% 2")"), "breakpoint: breakpoint at >0100", 1},
        {"odd reset workspace, told once configured", {INC_R0, JMP_BACK}, "",
         "exception: odd workspace pointer >F001", 0, {StopCause::ODD_WORKSPACE, 0xF001}},
        {"odd reset workspace, filter off", {INC_R0, JMP_BACK}, filters(""), "", 10, {StopCause::ODD_WORKSPACE, 0xF001}},
        {"frame without cycles", {INC_R0, JMP_BACK}, filters(R"("zero-cycles")"),
         "exception: an endless loop of instructions that use no cycles", 0, {StopCause::ENDLESS_FRAME, 0}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        start_session();
        debug_checks_clear();
        g_debug_host.held = adapter_machine_held;
        g_debug_host.break_here = adapter_break_here;
        debug_hooks_update();
        poke_words(0x0100, {c.program[0], c.program[1]});
        poke_words(0xF000, {0});
        g_hold_at_launch = c.held_at_launch;
        adapter_receive(LAUNCH + c.configuration + request(4, "configurationDone"));
        g_hold_at_launch = {};
        for (int i = 0; i < 20 && !g_debugger.stopped; ++i) {
            execute_instruction();
        }
        adapter_watch_machine();
        std::string told;
        for (const Json& message : g_sent) {
            if (message["type"] == "event" && message["event"] == "stopped") {
                told = message["body"].value("reason", "") + ": " + message["body"].value("description", "");
            }
        }
        EXPECT_EQ(told, c.told);
        EXPECT_EQ(g_memory[0xF001], c.r0);
    }
    debug_checks_clear();
}

// Property: the hit counts go back in time with the machine, so that a run
// back stops only where a run forward stopped, and running on from any
// place gone back to meets the stops it met before. A loop counts in R0;
// the breakpoint's condition holds at every odd R0.
TEST(DapProtocol, HitCountsGoBackWithTheMachine)
{
    struct Case {
        const char* hit_condition;
        std::array<uint16_t, 3> stops;  // R0 at the first three stops
    };
    const Case cases[] = {{"", {1, 3, 5}}, {"% 2", {3, 7, 11}}, {"> 1", {3, 5, 7}}, {">= 3", {5, 7, 9}}};
    int seq = 10;
    const auto ask = [&seq](const char* command, const std::string& arguments = "{}") {
        adapter_receive(request(++seq, command, arguments));
    };
    const auto run_to_stop = [] {
        for (int i = 0; i < 1000 && !g_debugger.stopped; ++i) {
            execute_instruction();
        }
        adapter_watch_machine();
        return g_memory[0xF001];
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.hit_condition);
        start_session();
        debug_checks_clear();
        g_debug_host.held = adapter_machine_held;
        g_debug_host.break_here = adapter_break_here;
        poke_words(0x0100, {0x0580, 0x10FE});  // INC R0, JMP back to it
        poke_words(0xF000, {0});
        timeline_start(1, {});
        timeline_keep_also(adapter_kept_parts());
        timeline_frame_begins(0);
        adapter_receive(LAUNCH);
        ask("setInstructionBreakpoints", std::string(R"({"breakpoints":[{"instructionReference":"0x0100",)") +
                                             R"("condition":"R0 % 2 == 1","hitCondition":")" + c.hit_condition + "\"}]}");
        ask("configurationDone");
        std::vector<uint16_t> stops{run_to_stop()};
        while (stops.size() < c.stops.size()) {
            ask("continue");
            stops.push_back(run_to_stop());
        }
        EXPECT_EQ(stops, std::vector<uint16_t>(c.stops.begin(), c.stops.end()));
        ask("reverseContinue");
        EXPECT_EQ(run_to_stop(), c.stops[1]) << "ran back";
        EXPECT_EQ(g_sent.back()["body"]["reason"], "breakpoint");
        ask("continue");
        EXPECT_EQ(run_to_stop(), c.stops[2]) << "on from the run back";
        for (int i = 0; i < 3; ++i) {
            ask("stepBack");
        }
        ask("continue");
        EXPECT_EQ(run_to_stop(), c.stops[2]) << "on from three steps back";
        timeline_stop();
    }
    debug_checks_clear();
}

// Diagnostics beyond 50 lines a second are counted, and the count is told.
TEST(DapProtocol, DiagnosticsLimited)
{
    start_session();
    for (int i = 0; i < 60; ++i) {
        adapter_diagnostic("Write to ROM address 0x0 at PC=0x0100.\n");
    }
    adapter_program_ended(0);
    ASSERT_EQ(g_sent.size(), 53u);
    EXPECT_EQ(g_sent[49]["body"]["category"], "console");
    EXPECT_EQ(g_sent[50]["body"]["output"], "pavon: 10 more lines not shown\n");
    EXPECT_EQ(answers().back(), "event terminated");
}

// The one breakpoint of a setBreakpoints answer, or of a `breakpoint` event:
// "verified LINE", or "refused: MESSAGE".
std::string breakpoint_told(const Json& breakpoint)
{
    return breakpoint["verified"] ? "verified " + std::to_string(breakpoint["line"].get<int>())
                                  : "refused: " + breakpoint["message"].get<std::string>();
}

TEST(DapProtocol, BreakpointsBySourceLine)
{
    struct Case {
        const char* path;
        int line;
        const char* told;
    };
    DebugInfo info;
    info.files = {{"main.asm", "/p/a/main.asm"}, {"draw.asm", "/p/a/draw.asm"}, {"b/draw.asm", "/p/b/draw.asm"}};
    info.lines = {{0x0100, 0, 5, LineKind::Code, {0, 0}}, {0x0102, 0, 7, LineKind::Words, {0, 0}},
                  {0x0104, 0, 9, LineKind::Code, {0, 0}}, {0x0200, 1, 3, LineKind::Code, {0, 0}},
                  {0x0300, 2, 3, LineKind::Code, {0, 0}}};
    const Case cases[] = {
        {"/p/a/main.asm", 5, "verified 5"},
        {"/p/a/main.asm", 6, "verified 9"},  // data on line 7 is no instruction
        {"/p/a/main.asm", 10, "refused: no instruction on line 10 or after it"},
        {"/moved/main.asm", 5, "verified 5"},
        {"/q/draw.asm", 3, "refused: the program's debug information has several files of this name: /p/a/draw.asm "
                           "/p/b/draw.asm"},
        {"/q/b/draw.asm", 3, "verified 3"},
        {"/p/a/other.asm", 3, "refused: no instruction of the program comes from this file"},
    };
    const auto set = [](const char* path, int line) {
        adapter_receive(request(2, "setBreakpoints", std::string(R"({"source":{"path":")") + path +
                                                         R"("},"breakpoints":[{"line":)" + std::to_string(line) + "}]}"));
        return breakpoint_told(g_sent.back()["body"]["breakpoints"][0]);
    };
    start_session();
    program_names_forget();
    EXPECT_EQ(set("/p/a/main.asm", 6), "refused: placed when the program is launched");
    program_names_use(DebugSymbols(info));
    adapter_receive(LAUNCH);
    ASSERT_EQ(g_sent.at(2)["event"], "breakpoint");  // after the answers to both requests
    EXPECT_EQ(breakpoint_told(g_sent.at(2)["body"]["breakpoint"]), "verified 9");
    for (const Case& c : cases) {
        SCOPED_TRACE(std::string(c.path) + ":" + std::to_string(c.line));
        EXPECT_EQ(set(c.path, c.line), c.told);
    }
    program_names_forget();
}

TEST(DapProtocol, Expressions)
{
    struct Case {
        const char* text;
        int64_t value;
        const char* error;  // a part of the reason, or null
    };
    reset_machine();
    poke_words(0xF000 + 2 * 5, {0xF100});  // R5
    poke_words(0xF100, {0x1234, 0xABCD});
    const Case cases[] = {
        {"42 + >2A + 0x2A", 126, nullptr},
        {"R5", 0xF100, nullptr},
        {"*R5", 0x1234, nullptr},
        {"@>F102", 0xABCD, nullptr},
        {"@>F101", 0x1234, nullptr},  // a word at an odd address is the word below
        {"@2(R5)", 0xABCD, nullptr},  // indexed, as the processor adds
        {"r5 == >F100 && WP == >F000", 1, nullptr},
        {"R5 > >F0FF", 1, nullptr},
        {"-(2 + 3) * 4 % 7", -6, nullptr},
        {"!0 + ~0", 0, nullptr},
        {"PC | ST ^ 3 & 1", 0x0101, nullptr},
        {"1 / 0", 0, "division by zero"},
        {"0x7FFFFFFF * 0x7FFFFFFF * 0x7FFFFFFF", 0, "64 bits"},
        {"R16", 0, "unknown name 'R16'"},
        {"START", 0, "unknown name 'START'"},
        {"(1", 0, "')' is missing"},
        {"1 +", 0, "ends where a value is due"},
        {"12AB", 0, "not a number"},
        {"@>10000", 0, "outside >0000 to >FFFF"},
        {"2 3", 0, "unexpected '3'"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.text);
        const Evaluation result = evaluate_expression(c.text);
        if (c.error == nullptr) {
            EXPECT_EQ(result.error, "");
            EXPECT_EQ(result.value, c.value);
        } else {
            EXPECT_NE(result.error.find(c.error), std::string::npos) << result.error;
        }
    }
    EXPECT_NE(evaluate_expression(std::string(100, '(') + "1" + std::string(100, ')')).error.find("nested"),
              std::string::npos);
}

}  // namespace

#include "shell/dap_session.h"

#include <SDL.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <chrono>
#include <cstring>
#include <string>
#include <vector>

#include "dap/adapter.h"
#include "debugger/debug_hooks.h"
#include "display/window.h"
#include "machine/messages.h"
#include "platform/error_copy.h"
#include "platform/protocol_stream.h"
#include "platform/signals.h"
#include "rewind/timeline.h"
#include "shell/events.h"
#include "shell/frame_loop.h"
#include "shell/options.h"
#include "shell/pacing.h"
#include "shell/scripted_run.h"
#include "shell/start.h"
#include "shell/time_travel.h"
#include "shell/title.h"
#include "symbols/debug_info.h"

namespace {

constexpr std::size_t READ_BLOCK = 1 << 16;
constexpr int IDLE_WAIT_MS = 100;  // before the frames run: one look at the input per this long
constexpr auto LAST_WORDS_TIME = std::chrono::seconds(1);
constexpr int EXIT_NO_VIDEO = 255;  // as `Couldn't load SDL.` ends a run

bool video_started = false;
int launch_status = EXIT_SUCCESS;  // of a launch that failed
std::string refusal;  // the last one-line reason for bad input

bool send(const std::string& message)
{
    return protocol_write(message.data(), message.size());
}

// What came from the client within `milliseconds`, handled.
void take_input(int milliseconds)
{
    static char block[READ_BLOCK];
    const long count = protocol_read(block, sizeof block, milliseconds);
    if (count < 0) {
        adapter_input_closed();
    } else if (count > 0) {
        adapter_receive({block, static_cast<std::size_t>(count)});
    }
}

// The frame loop's hook at each event poll.
int poll_client()
{
    take_input(0);
    return adapter_watch_machine();
}

void quit()
{
    g_quit = 1;
}

void restart_machine()
{
    timeline_change(restart);  // as F4: the kept past goes on across it
}

void end_pause()
{
    g_paused = 0;
}

int refuse(int status, std::string& error)
{
    error = refusal;
    launch_status = status;
    return status;
}

// The command line that the launch amounts to, read and checked as the
// program's own, then the machine started as main starts it, held until
// configuration is done.
int launch(const LaunchRequest& request, std::string& error)
{
    if (!request.cwd.empty() && ::chdir(request.cwd.c_str()) != 0) {
        refusal = request.cwd + ": cannot run there: " + std::strerror(errno);
        return refuse(EXIT_BAD_COMMAND_LINE, error);
    }
    std::vector<const char*> words{"pavon"};
    for (const std::string& word : request.words) {
        words.push_back(word.c_str());
    }
    // Without `symbols`, the assembler's debug information in the folder, if it is there.
    const std::string default_symbols(DEBUG_INFO_FILE_NAME);
    if (std::find(request.words.begin(), request.words.end(), "--symbols") == request.words.end() &&
        ::access(default_symbols.c_str(), R_OK) == 0) {
        words.insert(words.end(), {"--symbols", default_symbols.c_str()});
    }
    Options options;
    if (parse_options(static_cast<int>(words.size()), words.data(), options, error) != CommandLine::RUN) {
        refusal = error;
        return refuse(EXIT_BAD_COMMAND_LINE, error);
    }
    g_options = options;
    g_options.dap = true;  // an endless frame stops in the debugger, as a headless run's does
    g_bad_input_sink = [](const std::string& text) { refusal = text; };
    if (const int status = prepare_run(); status >= 0) {
        return refuse(status, error);
    }
    // Headless here means no window, not a scripted run: a stop waits for
    // the client instead of ending the program.
    display_prepare(g_options.headless ? 1 : g_options.scale);
    g_options.headless = false;
    hold_quit_signals();
    if (SDL_Init(SDL_INIT_VIDEO) < 0) {
        machine_message("Couldn`t load SDL.\n");
        refusal = "Couldn`t load SDL.";
        return refuse(EXIT_NO_VIDEO, error);
    }
    restore_default_signals();
    video_started = true;
    start_up(false);
    title_update();
    pacing_start(g_options.speed);
    // The adapter hears of a stop at start-up too (an odd workspace pointer
    // in the reset vector), and tells it once configuration is done.
    g_debug_host.held = adapter_machine_held;
    g_debug_host.break_here = adapter_break_here;
    if (const int status = start_run(); status >= 0) {
        return refuse(status, error);
    }
    debug_hooks_update();
    // The past that `rewind` asks for, the breakpoints' hit counts kept in it.
    time_travel_start(std::size_t{g_options.rewind_seconds} * FRAMES_PER_SECOND);
    timeline_keep_also(adapter_kept_parts());
    return RUN_GOES_ON;
}

// After the program's end the client has a moment to say goodbye.
void hear_last_words()
{
    const auto deadline = std::chrono::steady_clock::now() + LAST_WORDS_TIME;
    while (!adapter_done()) {
        const auto left = std::chrono::duration_cast<std::chrono::milliseconds>(deadline - std::chrono::steady_clock::now());
        if (left.count() <= 0) {
            break;
        }
        take_input(static_cast<int>(left.count()));
    }
}

}  // namespace

int run_debug_adapter()
{
    if (!protocol_streams_open()) {
        std::fputs("pavon: standard output cannot carry the debug adapter's messages\n", stderr);
        return EXIT_BAD_COMMAND_LINE;
    }
    g_machine_output = {adapter_message, adapter_diagnostic};
    adapter_begin({send, launch, restart_machine, quit, debugger_go_back, end_pause});
    copy_standard_error(adapter_host_line);
    while (!adapter_configured() && !adapter_done()) {
        take_input(IDLE_WAIT_MS);
    }
    int status = launch_status;
    if (adapter_configured() && !adapter_done()) {
        g_command_poll = poll_client;
        frame_loop();
        g_command_poll = nullptr;
        status = finish_run();
        adapter_program_ended(status);
        hear_last_words();
    }
    if (video_started) {
        SDL_Quit();
    }
    copy_standard_error(nullptr);
    return status;
}

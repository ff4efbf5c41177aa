#include "shell/scripted_run.h"

#include <SDL.h>
#include <sys/stat.h>

#include <algorithm>
#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>
#include <vector>

#include "debugger/call_stack.h"
#include "debugger/debug_hooks.h"
#include "debugger/program_names.h"
#include "debugger/watch.h"
#include "machine/debugger_record.h"
#include "shell/events.h"
#include "shell/file_clashes.h"
#include "shell/frame_loop.h"
#include "shell/input_script.h"
#include "shell/options.h"
#include "shell/output_files.h"
#include "shell/program_symbols.h"
#include "shell/quoted.h"
#include "shell/state_file.h"
#include "shell/title.h"

void (*g_bad_input_sink)(const std::string& text) = nullptr;

namespace {

constexpr long LARGEST_INPUT_FILE = 64L << 20;

std::vector<InputEvent> input_events;
std::size_t next_input_event = 0;

bool stopped_in_debugger = false;
bool state_written = false;   // at the stop of a headless run
bool state_failed = false;

int bad_input(const std::string& text)
{
    if (g_bad_input_sink != nullptr) {
        g_bad_input_sink(text);
        return EXIT_BAD_COMMAND_LINE;
    }
    std::fprintf(stderr, "pavon: %s\n", printable(text).c_str());
    return EXIT_BAD_COMMAND_LINE;
}

// The whole file, or false with the reason.
bool read_text_file(const std::string& path, std::string& text, std::string& error)
{
    std::FILE* file = std::fopen(path.c_str(), "rb");
    if (file == nullptr) {
        error = std::strerror(errno);
        return false;
    }
    char block[1 << 16];
    std::size_t count = 0;
    while ((count = std::fread(block, 1, sizeof block, file)) > 0 && text.size() <= LARGEST_INPUT_FILE) {
        text.append(block, count);
    }
    const bool failed = std::ferror(file) != 0;
    error = failed ? std::strerror(errno) : "longer than 64 MB";
    std::fclose(file);
    return !failed && text.size() <= LARGEST_INPUT_FILE;
}

// Events that a run of `frames` frames never reaches are most likely a
// mistake: one warning, and the run goes on.
void warn_of_late_events(const std::string& path, uint64_t frames)
{
    const auto late = std::find_if(input_events.begin(), input_events.end(),
                                   [frames](const InputEvent& event) { return event.frame >= frames; });
    if (frames != 0 && late != input_events.end()) {
        std::fprintf(stderr,
                     "pavon: %s: warning: %zu events from frame %llu on lie beyond --frames %llu: they never happen\n",
                     printable(path).c_str(), static_cast<std::size_t>(input_events.end() - late),
                     static_cast<unsigned long long>(late->frame), static_cast<unsigned long long>(frames));
    }
}

int read_input_file(const std::string& path)
{
    std::string text;
    std::string error;
    if (!read_text_file(path, text, error)) {
        return bad_input(path + ": cannot read the input file: " + error);
    }
    if (!parse_input_script(text, input_events, error)) {
        return bad_input(path + ":" + error);
    }
    return RUN_GOES_ON;
}

// The debug information read and the options' names resolved through it;
// without --symbols a name is refused.
int take_symbols(Options& options)
{
    std::string error;
    program_names_forget();
    if (!options.symbols.empty() && !load_program_symbols(options.symbols, error)) {
        return bad_input(error);
    }
    if (!resolve_names(options, error)) {
        return bad_input(error);
    }
    return RUN_GOES_ON;
}

// Looked at, not opened: opening a FIFO would wait for a writer.
int check_state_file(const std::string& path)
{
    struct stat about{};
    if (::stat(path.c_str(), &about) != 0) {
        return bad_input(path + ": cannot read the state file: " + std::strerror(errno));
    }
    if (!S_ISREG(about.st_mode) || about.st_size != static_cast<off_t>(STATE_FILE_SIZE)) {
        return bad_input(path + ": not a state file: " + std::to_string(about.st_size) + " bytes, not " +
                         std::to_string(STATE_FILE_SIZE));
    }
    return RUN_GOES_ON;
}

int check_output(const std::string& path, const char* what)
{
    std::string error;
    if (!output_path_writable(path, error)) {
        return bad_input(path + ": cannot write the " + what + ": " + error);
    }
    return RUN_GOES_ON;
}

bool save_final_state()
{
    if (g_options.save_state.empty()) {
        return true;
    }
    if (save_state_to(g_options.save_state.c_str()) < 0) {
        std::fprintf(stderr, "pavon: %s: cannot write the state file\n", printable(g_options.save_state).c_str());
        return false;
    }
    return true;
}

// A headless run ends at its first stop in the debugger, with the state
// file as the machine stands there. The line names PC's place, and the
// calls in progress follow it, innermost first.
void stopped_in_headless_run(const char* reason)
{
    std::fprintf(stderr, "pavon: stopped in the debugger at frame %llu, PC %s: %s\n",
                 static_cast<unsigned long long>(g_frame_number), printable(address_and_place(g_cpu.PC)).c_str(),
                 reason);
    for (const CallFrame& frame : call_stack_frames()) {
        std::fprintf(stderr, "  %s\n", printable(call_frame_text(frame)).c_str());
    }
    stopped_in_debugger = true;
    g_quit = 1;
    state_failed = !save_final_state();
    state_written = true;
}

// The key events due at this frame's end go into the host's queue, where
// the frame's event poll takes them as it takes keys typed on the keyboard.
void feed_input_events()
{
    while (next_input_event < input_events.size() && input_events[next_input_event].frame <= g_frame_number) {
        const InputEvent& input = input_events[next_input_event];
        SDL_Event event{};
        event.type = input.down ? SDL_KEYDOWN : SDL_KEYUP;
        event.key.state = input.down ? SDL_PRESSED : SDL_RELEASED;
        event.key.keysym.sym = static_cast<SDLKey>(input.key);
        if (SDL_PushEvent(&event) != 0) {
            std::fprintf(stderr, "pavon: the event queue is full at frame %llu; key events come late\n",
                         static_cast<unsigned long long>(g_frame_number));
            return;
        }
        ++next_input_event;
    }
}

}  // namespace

int prepare_run()
{
    Options& options = g_options;
    if (options.headless) {
        ::setenv("SDL_VIDEODRIVER", "dummy", 1);
    }
    if ((options.trace_from.has_value() || !options.trace_from_name.empty()) && options.trace.empty()) {
        return bad_input("--trace-from needs --trace");
    }
    int status = take_symbols(options);
    if (status == RUN_GOES_ON && !options.input.empty()) {
        status = read_input_file(options.input);
    }
    if (status == RUN_GOES_ON && !options.load_state.empty()) {
        status = check_state_file(options.load_state);
    }
    if (status == RUN_GOES_ON && !options.trace.empty()) {
        status = check_output(options.trace, "trace");
    }
    if (status == RUN_GOES_ON && !options.save_state.empty()) {
        status = check_output(options.save_state, "state file");
    }
    if (status == RUN_GOES_ON && !options.record.empty()) {
        status = check_output(options.record, "recording");
    }
    if (const std::string clash = find_file_clash(run_files(options)); status == RUN_GOES_ON && !clash.empty()) {
        status = bad_input(clash);
    }
    if (status == RUN_GOES_ON) {
        warn_of_late_events(options.input, options.frames);
    }
    return status;
}

int start_run()
{
    const Options& options = g_options;
    if (!options.load_state.empty() && load_state_from(options.load_state.c_str()) < 0) {
        return bad_input(options.load_state + ": cannot load the state file");
    }
    g_debug_host.frame_number = &g_frame_number;
    for (const uint16_t address : options.breaks) {
        debug_break_at(address);
    }
    for (const AddressRange& range : options.watches) {
        debug_watch(WatchedMemory::ADDRESS_SPACE, range.start, range.length, range.value);
    }
    for (const AddressRange& range : options.vram_watches) {
        debug_watch(WatchedMemory::VIDEO, range.start, range.length, range.value);
    }
    if (const std::string mismatch = images_mismatch(options.symbols); !mismatch.empty()) {
        std::fprintf(stderr, "pavon: %s\n", printable(mismatch).c_str());
    }
    if (!options.trace.empty()) {
        std::string error;
        if (!trace_file_open(options.trace, error)) {
            return bad_input(options.trace + ": cannot write the trace: " + error);
        }
        g_debug_host.write_trace = trace_file_write;
        trace_begin(options.trace_from);
    }
    if (options.headless) {
        g_debug_host.held = stopped_in_headless_run;
        debug_hooks_update();
    }
    if (g_debugger.stopped) {
        debug_hold({StopCause::ODD_WORKSPACE, g_cpu.WP});  // from the reset vector or the state file
    }
    return RUN_GOES_ON;
}

void run_frame_hooks()
{
    debug_frame_end();
    run_host_frame_hooks();
}

void run_host_frame_hooks()
{
    feed_input_events();
    if (g_options.frames != 0 && g_frame_number + 1 >= g_options.frames) {
        g_quit = 1;
    }
}

void run_endless_frame()
{
    if (g_options.headless || g_options.dap) {
        debug_hold({StopCause::ENDLESS_FRAME, 0});
    } else {
        title_notice(stop_reason_text({StopCause::ENDLESS_FRAME, 0}).c_str());
    }
}

// An output not written fails the run, also one that stopped in the debugger.
int finish_run()
{
    bool failed = state_written ? state_failed : !save_final_state();
    std::string error;
    if (!trace_file_close(error)) {
        std::fprintf(stderr, "pavon: %s: cannot write the trace: %s\n", printable(g_options.trace).c_str(),
                     error.c_str());
        failed = true;
    }
    if (failed) {
        return EXIT_OUTPUT_FAILED;
    }
    return stopped_in_debugger ? EXIT_STOPPED : EXIT_SUCCESS;
}

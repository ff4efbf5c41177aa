// Start-up: the command line, the video system, the ROM images, the
// processor, the window and the debugger, then frames until Escape, and the
// screenshot that the command line asked for.
#include <SDL.h>

#include <cstdio>
#include <cstdlib>
#include <string>

#include "display/screenshot.h"
#include "display/window.h"
#include "machine/messages.h"
#include "platform/console.h"
#include "platform/debug_output.h"
#include "platform/signals.h"
#include "platform/standard_descriptors.h"
#include "shell/dap_session.h"
#include "shell/frame_loop.h"
#include "shell/options.h"
#include "shell/pacing.h"
#include "shell/quoted.h"
#include "shell/recording.h"
#include "shell/scripted_run.h"
#include "shell/start.h"
#include "shell/time_travel.h"
#include "shell/title.h"

namespace {

// Help, the version and a bad command line end the program before any
// window opens. -1 means: go on and run the machine.
int read_command_line(int argc, char** argv)
{
    std::string error;
    switch (parse_options(argc, argv, g_options, error)) {
    case CommandLine::HELP:
        std::fputs(usage_text().c_str(), stdout);
        return EXIT_SUCCESS;
    case CommandLine::VERSION:
        std::fputs(version_text().c_str(), stdout);
        return EXIT_SUCCESS;
    case CommandLine::BAD:
        std::fprintf(stderr, "pavon: %s\n%s", printable(error).c_str(), usage_text().c_str());
        return EXIT_BAD_COMMAND_LINE;
    case CommandLine::RUN:
        break;
    }
    return -1;
}

}  // namespace

int main(int argc, char** argv)
{
    ignore_broken_pipes();
    open_standard_descriptors();
    if (const int status = read_command_line(argc, argv); status >= 0) {
        return status;
    }
    if (g_options.dap) {
        if (argc > 2) {
            std::fprintf(stderr, "pavon: --dap takes no other option: the launch request brings them\n%s",
                         usage_text().c_str());
            return EXIT_BAD_COMMAND_LINE;
        }
        return run_debug_adapter();
    }
    if (const int status = prepare_run(); status >= 0) {
        return status;
    }
    g_machine_output = {console_print, debug_output};
    display_prepare(g_options.headless ? 1 : g_options.scale);
    hold_quit_signals();
    if (SDL_Init(SDL_INIT_VIDEO) < 0) {
        machine_message("Couldn`t load SDL.\n");
        return -1;
    }
    // With a recording, Ctrl+C ends the run as Escape does, and it is written.
    if (g_options.record.empty()) {
        restore_default_signals();
    } else {
        catch_quit_signals();
    }
    std::atexit(SDL_Quit);
    // Neither a failed ROM load nor a window that cannot open stops the
    // machine in a window; a headless run without its program ends here.
    if (!start_up(g_options.headless)) {
        return EXIT_BAD_COMMAND_LINE;
    }
    if (g_options.fullscreen) {
        display_toggle_fullscreen();
    }
    title_update();
    pacing_start(g_options.speed);
    if (const int status = start_run(); status >= 0) {
        return status;
    }
    time_travel_start(std::size_t{g_options.rewind_seconds} * FRAMES_PER_SECOND);
    recording_start(g_options.record);
    frame_loop();
    int status = finish_run();
    if (std::string error; !recording_finish(error)) {
        std::fprintf(stderr, "pavon: %s: cannot write the recording: %s\n", printable(g_options.record).c_str(),
                     error.c_str());
        status = EXIT_OUTPUT_FAILED;
    }
    // A screenshot asked for and not written makes a failed run, also one
    // that stopped in the debugger.
    const bool shot = g_options.screenshot.empty() || save_screenshot(g_options.screenshot.c_str()) == 0;
    SDL_Quit();
    return shot ? status : EXIT_OUTPUT_FAILED;
}

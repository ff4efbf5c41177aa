// The page's program: the machine started as the desktop program starts it,
// then run from the browser's animation frames, 60 frames a second of
// machine time whatever the display's refresh rate; and the calls the page
// makes (web/page.js), of which its controls and window.pavon are built.
#include <SDL.h>
#include <emscripten/emscripten.h>

#include <algorithm>
#include <cstdint>
#include <string>

#include "debugger/debug_hooks.h"
#include "debugger/debugger.h"
#include "display/display.h"
#include "display/render.h"
#include "display/screenshot.h"
#include "machine/messages.h"
#include "platform/console.h"
#include "platform/debug_output.h"
#include "shell/events.h"
#include "shell/frame_loop.h"
#include "shell/input_script.h"
#include "shell/pacing.h"
#include "shell/start.h"
#include "shell/title.h"
#include "web/browser_screen.h"
#include "web/page_files.h"

namespace {

constexpr double MILLISECONDS_PER_FRAME = 1000 / REAL_TIME_FRAMES_PER_SECOND;

// Unpaced (speed 0, or Tab held), frames run for this long in each
// animation frame, so that the page still answers.
constexpr double UNPACED_MILLISECONDS = 12;

constexpr int IDLE_LOOK_MILLISECONDS = 100;

double g_speed = 1;       // times real time; 0: unpaced
double g_frames_due = 0;  // machine frames owed to the time that has passed
double g_last_tick = 0;

int64_t browser_now()
{
    return static_cast<int64_t>(emscripten_get_now() * 1e6);
}

// The frame loop never sleeps here: the browser's loop waits between
// animation frames instead.
void browser_sleep_until(int64_t) {}

// Nothing to run until a key or the page changes that: the page paused, or
// the processor held by the debugger with the overlay showing where it stands.
bool idle()
{
    return g_paused || (processor_held() && g_debugger.overlay_visible);
}

// Running, the loop follows the display's refresh. Idle, it looks only ten
// times a second (for the title's notices to expire), and the browser has
// nothing to draw; on waking, the pacing starts from then.
void set_loop_timing()
{
    static bool slow = false;
    if (idle() == slow) {
        return;
    }
    slow = idle();
    if (slow) {
        emscripten_set_main_loop_timing(EM_TIMING_SETTIMEOUT, IDLE_LOOK_MILLISECONDS);
    } else {
        g_last_tick = emscripten_get_now();
        emscripten_set_main_loop_timing(EM_TIMING_RAF, 1);
    }
}

// After the keys were read outside a frame's end: the overlay redrawn for
// the keys it took, as at a frame's end. Escape, which ends the desktop
// program, pauses the page: nothing can close it.
void keys_read(int presses)
{
    if (presses > 0) {
        show_overlay_if_live();
    }
    if (g_quit) {
        g_quit = 0;
        g_paused = 1;
    }
    set_loop_timing();
}

// One frame, or the rest of one the debugger held; false when the debugger
// holds the processor (the frame stays unfinished) or Escape came.
bool one_frame()
{
    const uint64_t before = g_frame_number;
    run_frame();
    const bool quitting = g_quit != 0;
    keys_read(0);
    return g_frame_number != before && !quitting;
}

void run_due_frames(double now, double elapsed)
{
    if (g_speed == 0 || g_fast_forward) {
        g_frames_due = 0;
        while (emscripten_get_now() - now < UNPACED_MILLISECONDS && !g_paused && one_frame()) {
        }
        return;
    }
    // Far behind (a tab in the background, a busy machine), the pacing
    // starts again from now instead of racing to catch up.
    g_frames_due = std::min(g_frames_due + elapsed / MILLISECONDS_PER_FRAME * g_speed,
                            static_cast<double>(MOST_FRAMES_TO_CATCH_UP + 1));
    while (g_frames_due >= 1 && !g_paused) {
        if (!one_frame()) {
            g_frames_due = 0;
            return;
        }
        g_frames_due -= 1;
    }
}

void animation_frame()
{
    const double now = emscripten_get_now();
    const double elapsed = now - g_last_tick;
    g_last_tick = now;
    if (idle()) {
        g_frames_due = 0;
    } else {
        run_due_frames(now, elapsed);
    }
    title_update();
    display_flush();
    set_loop_timing();
}

// The page's messages carry the file's name the page gave.
const char* answer(const std::string& message)
{
    static std::string text;
    text = message;
    return text.c_str();
}

}  // namespace

extern "C" {

EMSCRIPTEN_KEEPALIVE void web_set_paused(int paused)
{
    g_paused = paused != 0;
    title_update();
    set_loop_timing();
}

EMSCRIPTEN_KEEPALIVE int web_paused()
{
    return g_paused;
}

// Speed in times real time; 0 runs frames as fast as the page allows.
EMSCRIPTEN_KEEPALIVE void web_set_speed(double speed)
{
    g_speed = std::clamp(speed, 0.0, 100.0);
}

// Up to `count` frames at once; fewer when the debugger holds the processor
// or Escape came. Returns how many ended.
EMSCRIPTEN_KEEPALIVE int web_run_frames(int count)
{
    int done = 0;
    while (done < count && one_frame()) {
        ++done;
    }
    title_update();
    display_flush();
    return done;
}

// A key from the page, by its number, with the modifier keys held: read at
// once, as the frame that ran last reads its keys at its end (the page gets
// its events between frames), so the machine sees it from the next frame on.
EMSCRIPTEN_KEEPALIVE void web_key_event(int down, int key, int modifiers)
{
    SDL_Event event{};
    event.type = down ? SDL_KEYDOWN : SDL_KEYUP;
    event.key.state = down ? SDL_PRESSED : SDL_RELEASED;
    event.key.keysym.sym = static_cast<SDLKey>(key);
    event.key.keysym.mod = static_cast<SDLMod>(modifiers);
    SDL_PushEvent(&event);
    keys_read(poll_events());
}

// The same by a name of the input files; -1 for a name they do not know.
EMSCRIPTEN_KEEPALIVE int web_key(const char* name, int down)
{
    const int key = input_key_number(name);
    if (key < 0) {
        return -1;
    }
    web_key_event(down, key, 0);
    return 0;
}

// F4's reset.
EMSCRIPTEN_KEEPALIVE void web_reset()
{
    restart();
    set_loop_timing();
}

// F12's screenshot.
EMSCRIPTEN_KEEPALIVE void web_screenshot()
{
    const std::string name = next_screenshot_name();
    save_screenshot(name.c_str());
    title_notice(("screenshot " + name).c_str());
}

EMSCRIPTEN_KEEPALIVE const char* web_load_roms(const char* first_name, const uint8_t* first, int first_size,
                                               const char* second_name, const uint8_t* second, int second_size)
{
    const std::string message = load_rom_images({first_name, first, first_size}, {second_name, second, second_size});
    set_loop_timing();
    return answer(message);
}

EMSCRIPTEN_KEEPALIVE const char* web_load_state(const char* name, const uint8_t* bytes, int size)
{
    const std::string message = load_state_file({name, bytes, size});
    set_loop_timing();
    return answer(message);
}

// The state file's bytes as F5 saves them, or null when saving failed.
EMSCRIPTEN_KEEPALIVE const uint8_t* web_save_state()
{
    return save_state_file();
}

EMSCRIPTEN_KEEPALIVE int web_state_file_size()
{
    return static_cast<int>(STATE_FILE_BYTES);
}

EMSCRIPTEN_KEEPALIVE const uint8_t* web_picture()
{
    return screen_rgba();
}

}  // extern "C"

int main()
{
    g_machine_output = {console_print, debug_output};
    g_host_clock = {browser_now, browser_sleep_until};
    g_return_while_held = true;
    g_debug_host.frame_number = &g_frame_number;
    start_up(false);
    title_update();
    g_last_tick = emscripten_get_now();
    emscripten_set_main_loop(animation_frame, 0, false);
    return 0;
}

// A key press goes through two stages. The program's own keys (quit, save,
// load, stop/step, and the host's keys that no keyboard row reads) act
// whatever is on screen; then the key is either a debugger command, while
// the overlay is shown, or a key of the emulated keyboard. Releases always
// reach the emulated keyboard.
#include "shell/events.h"

#include <SDL.h>

#include <algorithm>
#include <cstring>
#include <string>
#include <type_traits>

#include "cpu/cpu.h"
#include "debugger/debug_hooks.h"
#include "debugger/debugger.h"
#include "display/display.h"
#include "display/screenshot.h"
#include "display/window.h"
#include "platform/signals.h"
#include "shell/recording.h"
#include "shell/start.h"
#include "shell/state_file.h"
#include "shell/time_travel.h"
#include "shell/title.h"
#include "video/vdp.h"

int32_t g_shift_held = 0;
int32_t g_quit = 0;
int32_t g_paused = 0;
int32_t g_fast_forward = 0;
int32_t g_rewind_held = 0;
int (*g_command_poll)() = nullptr;

namespace {

struct KeyRange {
    unsigned first;
    unsigned last;
};

// The keys whose state the emulated keyboard can read.
constexpr std::array<KeyRange, 4> RECORDED_KEYS{{
    {SDLK_BACKSPACE, SDLK_z},  // control keys, punctuation, digits, letters
    {SDLK_UP, SDLK_LEFT},      // arrows
    {SDLK_F8, SDLK_F11},
    {SDLK_LSHIFT, SDLK_LCTRL},  // left Shift, right Ctrl, left Ctrl
}};
// The machine numbers its keys as SDL does.
static_assert(KEY_NUMBERS == SDLK_LAST);
static_assert(key::BACKSPACE == SDLK_BACKSPACE && key::RETURN == SDLK_RETURN && key::SPACE == SDLK_SPACE);
static_assert(key::UP == SDLK_UP && key::DOWN == SDLK_DOWN && key::RIGHT == SDLK_RIGHT && key::LEFT == SDLK_LEFT);
static_assert(key::F8 == SDLK_F8 && key::F10 == SDLK_F10 && key::F11 == SDLK_F11);
static_assert(key::LEFT_SHIFT == SDLK_LSHIFT && key::RIGHT_CTRL == SDLK_RCTRL && key::LEFT_CTRL == SDLK_LCTRL);

// The last address of the memory each view shows.
constexpr auto CPU_DUMP_LIMIT = static_cast<int32_t>(MEMORY_SIZE - 1);
constexpr auto VDP_DUMP_LIMIT = static_cast<int32_t>(VRAM_SIZE - 1);
constexpr int32_t DUMP_BYTES = DUMP_LINES * DUMP_LINE_BYTES;
constexpr int32_t PAGE_STEP = 0x40;
constexpr int32_t SHIFT_PAGE_STEP = 0x1000;
constexpr int32_t VDP_DUMP_END = VDP_DUMP_LIMIT - (DUMP_BYTES - 1);

bool is_recorded(unsigned key)
{
    return std::any_of(RECORDED_KEYS.begin(), RECORDED_KEYS.end(),
                       [key](const KeyRange& range) { return key >= range.first && key <= range.last; });
}

// The symbol as a number. Copying the bytes keeps a symbol outside the
// enumeration's values (a pushed event can hold any) from being loaded as an
// SDLKey.
unsigned key_symbol(const SDL_Event& event)
{
    std::underlying_type_t<SDLKey> symbol;
    std::memcpy(&symbol, &event.key.keysym.sym, sizeof symbol);
    return static_cast<unsigned>(symbol);
}

// The modifier keys held with it, copied for the same reason.
unsigned key_modifiers(const SDL_Event& event)
{
    std::underlying_type_t<SDLMod> modifiers;
    std::memcpy(&modifiers, &event.key.keysym.mod, sizeof modifiers);
    return static_cast<unsigned>(modifiers);
}

void stop_or_step()
{
    if (g_debugger.stopped == 1) {
        execute_instruction();
        display_flip();
    } else {
        debugger_stop_key();
    }
}

void take_screenshot()
{
    const std::string name = next_screenshot_name();
    title_notice(save_screenshot(name.c_str()) == 0 ? ("screenshot " + name).c_str() : "screenshot failed");
}

// Stage 1: the keys that act whether or not the overlay is shown.
void program_key(unsigned key)
{
    switch (key) {
    case SDLK_F5:
        title_notice(save_state() < 0 ? "save failed" : "saved");
        break;
    case SDLK_F6:
        timeline_change([] {
            title_notice(load_state() < 0 ? "load failed" : "loaded");
            call_stack_clear();  // the calls in progress are the loaded machine's, unknown
        });
        break;
    case SDLK_LSHIFT:
        g_shift_held = 1;
        break;
    case SDLK_ESCAPE:
        g_quit = 1;
        break;
    case SDLK_F1:
        stop_or_step();
        g_paused = 0;  // the debugger holds the processor instead
        break;
    // The host's keys: no keyboard row reads them.
    case SDLK_F3:
        g_paused = !g_paused;
        break;
    case SDLK_F4:
        timeline_change(restart);
        break;
    case SDLK_F12:
        take_screenshot();
        break;
    case SDLK_TAB:
        g_fast_forward = 1;
        break;
    case SDLK_BACKSPACE:
        g_rewind_held = 1;
        break;
    default:
        break;
    }
}

// Stage 2 while the overlay is shown. `last_start` is the highest dump
// address whose 128 bytes stay inside the memory shown.
void debugger_key(unsigned key, unsigned modifiers, int32_t last_start)
{
    int32_t& dump = g_debugger.dump_address;
    const int32_t step = g_shift_held ? SHIFT_PAGE_STEP : PAGE_STEP;
    debugger_note("");
    switch (key) {
    case SDLK_F2:
        debugger_resume();
        break;
    case SDLK_DOWN:
        if (dump < last_start) {
            dump += DUMP_LINE_BYTES;
        }
        break;
    case SDLK_UP:
        if (dump > 0) {
            dump -= DUMP_LINE_BYTES;
        }
        break;
    case SDLK_HOME:
        dump = g_debugger.show_vdp_memory ? 0 : CPU_DUMP_START;
        break;
    case SDLK_END:
        dump = last_start;
        break;
    case SDLK_PAGEUP:
        dump = std::max(dump - step, 0);
        break;
    case SDLK_PAGEDOWN:
        dump = std::min(dump + step, last_start);
        break;
    case SDLK_p:
        // In the VDP view the port window lies beyond video memory: the
        // dump goes as far as it can. The view is the one shown now, which
        // an earlier key of the same poll may have switched.
        dump = g_debugger.show_vdp_memory ? VDP_DUMP_END : VDP_DATA_PORT;
        break;
    case SDLK_v:
        debugger_show_vdp();
        break;
    case SDLK_c:
        debugger_show_cpu();
        break;
    case SDLK_e:
        debugger_leave();
        break;
    case SDLK_F10:
        debugger_show();
        break;
    case SDLK_F7:
        if (!debugger_step_over()) {
            stop_or_step();  // not a call: as F1
        }
        break;
    case SDLK_F9:
        debugger_toggle_breakpoint();
        break;
    case SDLK_BACKSPACE:
        debugger_go_back((modifiers & KMOD_SHIFT) != 0);
        break;
    default:
        break;
    }
}

void key_pressed(unsigned key, unsigned modifiers, int32_t last_start)
{
    // Alt+Return switches full screen; the machine sees no Return.
    if (key == SDLK_RETURN && (modifiers & KMOD_ALT) != 0) {
        display_toggle_fullscreen();
        return;
    }
    record_key(key, true);
    program_key(key);
    if (g_debugger.overlay_visible) {
        debugger_key(key, modifiers, last_start);
    } else if (is_recorded(key)) {
        set_machine_key(key, 1);
    }
}

void key_released(unsigned key)
{
    record_key(key, false);
    if (key == SDLK_LSHIFT) {
        g_shift_held = 0;
    }
    if (key == SDLK_TAB) {
        g_fast_forward = 0;
    }
    if (key == SDLK_BACKSPACE) {
        g_rewind_held = 0;
    }
    if (is_recorded(key)) {
        set_machine_key(key, 0);
    }
}

}  // namespace

int poll_events()
{
    // Fixed for the whole call, even if a key switches the view meanwhile.
    const int32_t limit = g_debugger.show_vdp_memory ? VDP_DUMP_LIMIT : CPU_DUMP_LIMIT;
    const int32_t last_start = limit - (DUMP_BYTES - 1);
    int presses = 0;
    SDL_Event event;
    while (SDL_PollEvent(&event) == 1) {
        if (event.type == SDL_KEYDOWN) {
            key_pressed(key_symbol(event), key_modifiers(event), last_start);
            ++presses;
        } else if (event.type == SDL_KEYUP) {
            key_released(key_symbol(event));
        }
    }
    if (quit_signal_caught()) {
        g_quit = 1;  // Ctrl+C with --record: the run ends as Escape ends it
    }
    if (g_command_poll != nullptr) {
        presses += g_command_poll();
    }
    return presses;
}

void events_reset()
{
    g_shift_held = 0;
    g_quit = 0;
    g_paused = 0;
    g_fast_forward = 0;
    g_rewind_held = 0;
}

#include "fuzz/harness.h"

#include <SDL.h>

#include <fcntl.h>
#include <unistd.h>

#include <array>
#include <cstdlib>
#include <filesystem>
#include <string>

#include "bus/machine.h"
#include "cpu/cpu.h"
#include "debugger/debugger.h"
#include "display/window.h"
#include "shell/events.h"
#include "shell/frame_loop.h"
#include "shell/rom.h"
#include "shell/time_travel.h"

namespace {

// 64 keys, so that six bits choose one.
constexpr std::array<SDLKey, 64> KEYS{
    SDLK_F1,     SDLK_F2,       SDLK_UP,     SDLK_DOWN,  SDLK_LEFT,   SDLK_RIGHT, SDLK_PAGEUP, SDLK_PAGEDOWN,
    SDLK_HOME,   SDLK_END,      SDLK_LSHIFT, SDLK_RCTRL, SDLK_LCTRL,  SDLK_F8,    SDLK_F9,     SDLK_F10,
    SDLK_F11,    SDLK_RETURN,   SDLK_SPACE,  SDLK_BACKSPACE, SDLK_TAB, SDLK_COMMA, SDLK_PERIOD, SDLK_SLASH,
    SDLK_0,      SDLK_1,        SDLK_2,      SDLK_3,     SDLK_4,      SDLK_5,     SDLK_6,      SDLK_7,
    SDLK_8,      SDLK_9,        SDLK_a,      SDLK_b,     SDLK_c,      SDLK_d,     SDLK_e,      SDLK_f,
    SDLK_g,      SDLK_h,        SDLK_i,      SDLK_j,     SDLK_k,      SDLK_l,     SDLK_m,      SDLK_n,
    SDLK_o,      SDLK_p,        SDLK_q,      SDLK_r,     SDLK_s,      SDLK_t,     SDLK_u,      SDLK_v,
    SDLK_w,      SDLK_x,        SDLK_y,      SDLK_z,     SDLK_SEMICOLON, SDLK_MINUS, SDLK_EQUALS, SDLK_QUOTE,
};

constexpr int KEYS_PER_FRAME = 64;

std::array<bool, KEYS.size()> g_held{};
std::string g_folder;

void push_key(SDLKey key, bool down)
{
    SDL_Event event{};
    event.type = down ? SDL_KEYDOWN : SDL_KEYUP;
    event.key.state = down ? SDL_PRESSED : SDL_RELEASED;
    event.key.keysym.sym = key;
    SDL_PushEvent(&event);
}

void drain_events()
{
    SDL_Event event;
    while (SDL_PollEvent(&event) == 1) {
    }
}

void remove_folder()
{
    std::error_code ignored;
    std::filesystem::remove_all(g_folder, ignored);
}

}  // namespace

void fuzz_start()
{
    setenv("SDL_VIDEODRIVER", "dummy", 1);
    setenv("SDL_NO_SIGNAL_HANDLERS", "1", 1);  // Ctrl+C stays libFuzzer's
    if (SDL_Init(SDL_INIT_VIDEO) < 0 || display_open() != 0) {
        std::abort();
    }
    char folder[] = "/tmp/pavon_fuzz_XXXXXX";
    if (mkdtemp(folder) == nullptr) {
        std::abort();
    }
    g_folder = folder;
    std::atexit(remove_folder);
    const int null = open("/dev/null", O_WRONLY);
    dup2(null, STDOUT_FILENO);
    close(null);
}

std::string fuzz_file(const char* name, const uint8_t* bytes, std::size_t size)
{
    const std::string path = g_folder + "/" + name;
    const int file = open(path.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0600);
    if (file < 0 || write(file, bytes, size) != static_cast<ssize_t>(size)) {
        std::abort();
    }
    close(file);
    return path;
}

void fuzz_start_machine()
{
    machine_reset();
    events_reset();
    cpu_create(g_rom1, g_rom2);
    debugger_init();
    drain_events();
    g_held.fill(false);
    time_travel_start(2);  // Backspace rewinds, or steps back in the debugger
}

void fuzz_run_frames(int frames, const uint8_t* keys, std::size_t count)
{
    for (int frame = 0; frame < frames; ++frame) {
        // Escape first: the queue holds 128 events, and without it a
        // processor held by the debugger would wait for a key for ever.
        push_key(SDLK_ESCAPE, true);
        int pushed = 0;
        for (std::size_t i = 0; i < count && pushed < KEYS_PER_FRAME; ++i) {
            if (keys[i] >> 6 == (frame & 3)) {
                const std::size_t key = keys[i] & 0x3F;
                g_held[key] = !g_held[key];
                push_key(KEYS[key], g_held[key]);
                ++pushed;
            }
        }
        run_frame();
        g_quit = 0;
        drain_events();
    }
}

// Going back in time: rewinding by frames over random key schedules ends
// exactly where the machine stood that many frames before, every part of it;
// the debugger's steps back and forward meet the same machines, across a
// frame's end and an interrupt service; running back finds the last hit.
#include <SDL.h>
#include <gtest/gtest.h>

#include <algorithm>
#include <functional>
#include <random>
#include <string>
#include <vector>

#include "bus/machine.h"
#include "debugger/debug_hooks.h"
#include "debugger/debugger.h"
#include "fake_clock.h"
#include "host_events.h"
#include "host_machine.h"
#include "rewind/timeline.h"
#include "shell/events.h"
#include "shell/frame_loop.h"
#include "shell/rom.h"
#include "shell/state_file.h"
#include "shell/time_travel.h"
#include "tools/asm/assembler.h"
#include "video/vdp.h"

namespace {

using State = std::vector<uint8_t>;

// Everything that decides the machine's future, listed here on its own:
// the state file's contents and every hidden latch.
const RecordPart EVERYTHING[] = {
    {"memory", g_memory.data(), sizeof g_memory},
    {"video chip", &g_vdp, sizeof g_vdp},
    {"processor", &g_cpu, sizeof g_cpu},
    {"cycles", &g_cycles, sizeof g_cycles},
    {"decrementer", &g_decrementer_enabled, sizeof g_decrementer_enabled},
    {"decrementer mode", &g_decrementer_mode, sizeof g_decrementer_mode},
    {"keys", g_keys.data(), sizeof g_keys},
    {"in an interrupt service", &g_debugger.in_interrupt, sizeof g_debugger.in_interrupt},
    {"state file's reserved byte", &g_state_file_reserved, sizeof g_state_file_reserved},
};

State machine_now()
{
    State state(parts_size(EVERYTHING));
    capture_parts(EVERYTHING, state.data());
    return state;
}

// Where two states first differ, or "".
std::string difference(const State& a, const State& b)
{
    const auto [mine, theirs] = std::mismatch(a.begin(), a.end(), b.begin());
    auto at = static_cast<std::size_t>(mine - a.begin());
    for (const RecordPart& part : EVERYTHING) {
        if (at < part.size) {
            return std::string(part.name) + " at " + std::to_string(at);
        }
        at -= part.size;
    }
    return "";
}

// The overlay's last line, as its text grid holds it.
std::string overlay_note()
{
    const auto* row = &g_debugger.text_grid[(TEXT_ROWS - 1) * TEXT_COLUMNS];
    return std::string(row, std::find(row, row + TEXT_COLUMNS, 0));
}

// The machine started from ROM images, with `frames` frames kept in at most
// `bound` bytes; nothing kept when the test ends.
struct Started {
    Started(std::size_t frames, std::size_t bound = TIMELINE_BYTE_BOUND)
    {
        open_window();
        reset_host_machine();
        drain_events();
        machine_reset();
        cpu_create(g_rom1, g_rom2);
        vdp_reset();
        debugger_init();
        debugger_note("");
        g_frame_number = 0;
        time_travel_start(frames, bound);
    }
    ~Started()
    {
        timeline_stop();
        debug_checks_clear();
        drain_events();
    }
};

// The program's bytes as ROM images; its labels.
SymbolTable load_program(const std::string& source)
{
    const Program program = assemble(source, "test.asm");
    EXPECT_TRUE(program.errors.empty()) << format_diagnostic(program, program.errors.front());
    g_rom1.fill(0);
    g_rom2.fill(0);
    for (const Segment& segment : program.segments) {
        std::copy(segment.bytes.begin(), segment.bytes.end(), g_rom1.begin() + segment.start);
    }
    return program.symbols;
}

// Writes a byte into every 64 of RAM and of video memory, again and again:
// a frame changes some 20 KB of blocks.
constexpr const char* WRITER = R"(
        DATA >F000, START
        AORG >0100
START:  AI   R3, >0100
        LI   R4, >F040
RAM:    MOVB R3, *R4
        AI   R4, 64
        JNC  RAM
        CLR  R5
VIDEO:  MOV  R5, R6
        ORI  R6, >4000          ; an address for writing: low byte, then high
        SWPB R6
        MOVB R6, @>E002
        SWPB R6
        MOVB R6, @>E002
        MOVB R3, @>E000
        AI   R5, 64
        CI   R5, >4000
        JNE  VIDEO
        JMP  START
)";

constexpr unsigned KEYS[] = {'a', 'h', '1', SDLK_RETURN, SDLK_UP, SDLK_LEFT, SDLK_SPACE, SDLK_LSHIFT, SDLK_LCTRL};

// Rounds of random keys for a random number of frames, then Backspace held
// for a random number of frames: the machine must be the one of that many
// frames before the key went down, or the oldest kept, and runs on from
// there. The machine is taken before every frame that runs.
TEST(Rewind, RandomKeySchedulesGoBackExactly)
{
    const struct {
        const char* name;
        const char* program;  // null: the demo
        std::size_t frames;
        std::size_t bound;
    } cases[] = {
        {"the demo", nullptr, 50, TIMELINE_BYTE_BOUND},
        {"a writer within 2 MB", WRITER, 120, 2u << 20},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        if (c.program == nullptr) {
            ASSERT_EQ(load_roms(PAVON_DEMO_ROM "/pavon1.bin", PAVON_DEMO_ROM "/pavon2.bin"), 0);
        } else {
            load_program(c.program);
        }
        Started started(c.frames, c.bound);
        std::mt19937 random(7);
        std::vector<State> past;
        std::vector<uint8_t> held(KEY_NUMBERS, 0);
        const auto number = [&random](std::size_t most) { return random() % (most + 1); };
        const auto remember = [&past, &c]() {
            g_cycles = 0;  // as the frame begins
            past.push_back(machine_now());
            if (past.size() > c.frames + 1) {
                past.erase(past.begin());
            }
        };
        std::size_t most_kept = 0;
        for (int round = 0; round < 6; ++round) {
            for (std::size_t frame = number(c.frames); frame > 0; --frame) {
                if (number(3) == 0) {
                    const unsigned key = KEYS[number(std::size(KEYS) - 1)];
                    held[key] = !held[key];
                    push_key_event(held[key] != 0, key);
                }
                remember();
                run_frame();
            }
            push_key_event(true, SDLK_BACKSPACE);
            remember();
            run_frame();  // at its end the key goes down
            const std::size_t kept = kept_past().frames;
            most_kept = std::max(most_kept, kept);
            const std::size_t back = number(c.frames + 10) + 1;
            for (std::size_t step = 1; step <= back; ++step) {
                if (step == back) {
                    push_key_event(false, SDLK_BACKSPACE);
                }
                run_frame();
            }
            const std::size_t went = std::min(back, kept);
            ASSERT_EQ(difference(machine_now(), past[past.size() - went]), "")
                << "round " << round << ", " << back << " frames back of " << kept;
            EXPECT_EQ(g_rewinding, back > went ? Rewinding::AT_OLDEST : Rewinding::GOING_BACK);
            past.resize(past.size() - went);
            std::copy(held.begin(), held.end(), g_keys.begin());  // as the next frame gives them back
        }
        EXPECT_LE(timeline_bytes(), c.bound + (1u << 20));
        if (c.bound < TIMELINE_BYTE_BOUND) {
            EXPECT_LT(most_kept, c.frames) << "the bound, not the frames, decides";
        }
    }
}

// A frame interrupt service counts the frames at >F100; the main loop
// counts its turns in R1 and passes MARK once, near the frame's end. The
// decrementer counts >FFFA down at each frame's end.
constexpr const char* COUNTER = R"(
        DATA >F000, START
        AORG >000C
        DATA >F020, SERVICE
        AORG >0100
START:  LI   R12, >1EE2
        SBO  0
        LIMI 3
LOOP:   INC  R1
        CI   R1, >7FFF          ; the turns before MARK: set by the test
        JNE  LOOP
MARK:   NOP
        JMP  LOOP
SERVICE: CLR @>F002
        INC  @>F100
        RTWP
)";
constexpr std::size_t STEPS = 10;  // from MARK, past the frame's end and the service
constexpr std::pair<unsigned, unsigned> F1{SDLK_F1, 0};
constexpr std::pair<unsigned, unsigned> BACK{SDLK_BACKSPACE, 0};
constexpr std::pair<unsigned, unsigned> RUN_BACK{SDLK_BACKSPACE, KMOD_LSHIFT};

// The held frame loop, one key a turn: after each, the machine as the
// debugger holds it is taken, and the test may look and add keys.
struct HeldTurns {
    std::vector<State> seen;
    std::vector<std::string> notes;
    std::vector<std::pair<unsigned, unsigned>> keys;  // key, modifiers
    std::function<void(std::size_t)> before_key = [](std::size_t) {};

    void add(std::pair<unsigned, unsigned> key, std::size_t count = 1) { keys.insert(keys.end(), count, key); }

    void run()
    {
        FakeClock clock;
        FakeClock::after_sleep = [this](std::size_t) {
            const std::size_t turn = seen.size();
            seen.push_back(machine_now());
            notes.push_back(overlay_note());
            before_key(turn);
            const auto [key, modifiers] = turn < keys.size() ? keys[turn] : std::pair<unsigned, unsigned>{SDLK_ESCAPE, 0};
            push_key_event(true, key, modifiers);
            push_key_event(false, key);
        };
        while (g_quit == 0) {
            run_frame();
        }
    }
};

// Held at MARK a few instructions before a frame ends: F1 steps through the
// frame's end and the service; Backspace comes back over the same machines;
// F1 again meets them once more. Shift+Backspace runs back to the last
// watchpoint hit (the service's count, the decrementer at the frame's end)
// or breakpoint, and says so when there is none.
TEST(GoingBack, StepsAndRunsBackExactly)
{
    const SymbolTable symbols = load_program(COUNTER);
    const auto mark = static_cast<uint16_t>(symbols.at("MARK").value);
    Started started(600);
    for (int frame = 0; frame < 3; ++frame) {
        run_frame();
    }
    const auto turns_word = static_cast<uint16_t>(symbols.at("LOOP").value + 4);  // CI's value
    g_memory[turns_word] = g_memory[0xF002];  // R1: the turns of a whole frame, less two
    g_memory[turns_word + 1] = static_cast<uint8_t>(g_memory[0xF003] - 2);
    debug_break_at(mark);
    HeldTurns turns;
    turns.add(F1, STEPS);
    turns.add(BACK, STEPS);
    turns.add(F1, STEPS);
    const uint64_t first_frame = g_frame_number;
    std::size_t after_service = 0;  // the first step that the next frame holds at
    turns.before_key = [&](std::size_t turn) {
        if (after_service == 0 && g_frame_number != first_frame) {
            after_service = turn;
        }
        if (turn == 3 * STEPS) {
            debug_watch(WatchedMemory::ADDRESS_SPACE, 0xF100, 2);
            turns.add(RUN_BACK);
        } else if (turn == 3 * STEPS + 1) {
            turns.add(F1, STEPS - after_service);
        } else if (turn == 4 * STEPS + 1 - after_service) {
            debug_checks_clear();
            debug_break_at(mark);
            debug_watch(WatchedMemory::ADDRESS_SPACE, DECREMENTER_ADDRESS, 2);
            turns.add(RUN_BACK, 2);
        } else if (turn == 4 * STEPS + 3 - after_service) {
            debug_checks_clear();
            turns.add(RUN_BACK);
        }
    };
    turns.run();

    const std::vector<State>& seen = turns.seen;
    ASSERT_GT(after_service, 1u) << "the steps cross the frame's end and its service";
    ASSERT_EQ(seen.size(), 4 * STEPS + 5 - after_service);
    for (std::size_t step = 0; step <= STEPS; ++step) {
        SCOPED_TRACE(step);
        EXPECT_EQ(difference(seen[STEPS + step], seen[STEPS - step]), "") << "stepped back";
        EXPECT_EQ(difference(seen[2 * STEPS + step], seen[step]), "") << "stepped forward again";
    }
    const std::size_t end = 4 * STEPS + 1 - after_service;
    EXPECT_EQ(difference(seen[3 * STEPS + 1], seen[after_service]), "") << "back to the service's count";
    EXPECT_EQ(difference(seen[end], seen[STEPS]), "") << "and on again";
    EXPECT_EQ(difference(seen[end + 1], seen[after_service]), "") << "back to the decrementer's change";
    EXPECT_EQ(difference(seen[end + 2], seen[0]), "") << "back to MARK";
    EXPECT_EQ(difference(seen[end + 3], seen[0]), "") << "no hit: nothing moves";
    EXPECT_EQ(turns.notes.back(), "NO BREAK OR WATCH HIT IN THE KEPT PAST");
}

// At the very first instruction, nothing is kept to go back to: the machine
// stays, and the overlay and the title say so.
TEST(GoingBack, NothingEarlierAtTheStart)
{
    load_program(COUNTER);
    Started started(600);
    push_key_event(true, SDLK_BACKSPACE);
    poll_events();
    run_frame();
    EXPECT_EQ(g_rewinding, Rewinding::AT_OLDEST);
    push_key_event(false, SDLK_BACKSPACE);
    g_debugger.stopped = 1;
    HeldTurns turns;
    turns.add(BACK);
    turns.add(RUN_BACK);
    turns.run();
    ASSERT_EQ(turns.seen.size(), 3u);
    EXPECT_EQ(difference(turns.seen[1], turns.seen[0]), "");
    EXPECT_EQ(turns.notes[1], "NOTHING EARLIER IS KEPT");
    EXPECT_EQ(turns.notes[2], "NO BREAK OR WATCH HIT IN THE KEPT PAST");
}

// E, pressed while the rewind key goes on taking the machine back, takes the
// overlay down, as in any frame.
TEST(Rewind, OverlayTakenDownWhileRewinding)
{
    load_program(COUNTER);
    Started started(600);
    push_key_event(true, SDLK_BACKSPACE);
    poll_events();
    debugger_show();
    push_key_event(true, 'e');
    run_frame();
    EXPECT_EQ(g_debugger.overlay_visible, 0);
}

}  // namespace

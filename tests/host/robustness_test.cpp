// Whatever the memory holds, executing it stays inside the machine's arrays
// and returns: random images run for several frames each, and every
// instruction word runs once. Run under the sanitizers, any stray access or
// undefined operation ends the test with a report.
#include <gtest/gtest.h>

#include <fcntl.h>
#include <unistd.h>

#include <cstdint>
#include <cstdio>
#include <random>

#include "core/cpu_program.h"
#include "debugger/debugger.h"
#include "host_machine.h"
#include "shell/frame_loop.h"

#ifdef __SANITIZE_ADDRESS__
#include <sanitizer/common_interface_defs.h>
#endif

namespace {

// Random programs write to ROM and ports all the time: their diagnostics go
// to /dev/null while this lives. A sanitizer's report still reaches the real
// standard error.
class SilencedDiagnostics {
public:
    SilencedDiagnostics()
    {
        std::fflush(stderr);
        saved_stderr_ = dup(STDERR_FILENO);
#ifdef __SANITIZE_ADDRESS__
        __sanitizer_set_report_fd(reinterpret_cast<void*>(static_cast<intptr_t>(saved_stderr_)));
#endif
        const int null = open("/dev/null", O_WRONLY);
        dup2(null, STDERR_FILENO);
        close(null);
    }
    ~SilencedDiagnostics()
    {
        std::fflush(stderr);
        dup2(saved_stderr_, STDERR_FILENO);
#ifdef __SANITIZE_ADDRESS__
        __sanitizer_set_report_fd(reinterpret_cast<void*>(static_cast<intptr_t>(STDERR_FILENO)));
#endif
        close(saved_stderr_);
    }
    SilencedDiagnostics(const SilencedDiagnostics&) = delete;
    SilencedDiagnostics& operator=(const SilencedDiagnostics&) = delete;

private:
    int saved_stderr_;
};

void fill_randomly(std::mt19937& random)
{
    for (uint8_t& byte : g_memory) {
        byte = static_cast<uint8_t>(random());
    }
}

// One frame as the frame loop runs it, except that the debugger never holds
// the processor, and a frame of instructions that cost nothing still ends.
void run_unattended_frame()
{
    constexpr int MAX_INSTRUCTIONS = CYCLES_PER_FRAME;
    g_cycles = 0;
    for (int n = 0; n < MAX_INSTRUCTIONS && g_cycles < CYCLES_PER_FRAME; ++n) {
        g_debugger.stopped = 0;
        cpu_execute(cpu_fetch());
    }
    g_debugger.stopped = 0;
    end_frame();
}

TEST(Robustness, RandomMemoryImages)
{
    constexpr int IMAGES = 64;
    constexpr int FRAMES = 8;
    const SilencedDiagnostics silenced;
    for (unsigned seed = 1; seed <= IMAGES; ++seed) {
        SCOPED_TRACE(seed);
        reset_host_machine();
        std::mt19937 random(seed);
        fill_randomly(random);
        g_cpu.WP = static_cast<uint16_t>(random());
        cpu_set_workspace(g_cpu.WP);
        g_cpu.PC = static_cast<uint16_t>(random());
        g_cpu.ST = static_cast<uint16_t>(random());
        for (int frame = 0; frame < FRAMES; ++frame) {
            run_unattended_frame();
        }
        EXPECT_EQ(g_cpu.workspace, g_cpu.WP);
    }
}

// Every instruction word once, from a random machine, with the workspace
// placed anywhere, the top of the address space included.
TEST(Robustness, EveryInstructionWord)
{
    const SilencedDiagnostics silenced;
    reset_host_machine();
    std::mt19937 random(2024);
    fill_randomly(random);
    for (uint32_t op = 0; op <= 0xFFFF; ++op) {
        g_cpu.WP = static_cast<uint16_t>(op % 7 == 0 ? 0xFFE1 + op % 31 : random());
        cpu_set_workspace(g_cpu.WP);
        g_cpu.PC = static_cast<uint16_t>(random());
        g_cpu.ST = static_cast<uint16_t>(random());
        mem_write_word(g_cpu.PC, static_cast<uint16_t>(op));
        g_cycles = 0;
        g_debugger.stopped = 0;
        step();
        EXPECT_GE(g_cycles, 0);
    }
}

}  // namespace

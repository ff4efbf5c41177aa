#include "debugger/step_over.h"

#include "cpu/memory.h"
#include "machine/instruction_format.h"

namespace {

constexpr uint16_t SINGLE_OPERAND_MASK = 0xFFC0;
constexpr uint16_t BLWP_WORD = 0x0400;
constexpr uint16_t BL_WORD = 0x0680;
constexpr uint16_t XOP_MASK = 0xFC00;
constexpr uint16_t XOP_WORD = 0x2C00;

struct StepOver {
    bool running;
    uint16_t call;    // address of the call
    uint16_t target;  // the instruction after it
    uint16_t wp;      // the workspace it was called from
    uint32_t depth;   // calls from `call` not yet returned
    bool (*ended)();  // set: a step that this decides instead
};

StepOver step{};

bool in_calling_context(uint16_t pc)
{
    return pc == step.call && g_cpu.WP == step.wp;
}

}  // namespace

int32_t call_return_address(uint16_t op, uint16_t pc)
{
    const bool call = (op & SINGLE_OPERAND_MASK) == BL_WORD || (op & SINGLE_OPERAND_MASK) == BLWP_WORD ||
                      (op & XOP_MASK) == XOP_WORD;
    if (!call) {
        return -1;
    }
    const int extension = source_mode(op) == MODE_INDEXED ? 2 : 0;
    return static_cast<uint16_t>(pc + 2 + extension);
}

bool step_over_begin()
{
    const int32_t target = call_return_address(mem_read_word(g_cpu.PC), g_cpu.PC);
    if (target < 0) {
        return false;
    }
    step = {true, g_cpu.PC, static_cast<uint16_t>(target), g_cpu.WP, 0, nullptr};
    return true;
}

void step_until_begin(bool (*ended)())
{
    step = {true, 0, 0, 0, 0, ended};
}

bool step_until_running()
{
    return step.running && step.ended != nullptr;
}

bool step_over_running()
{
    return step.running;
}

void step_over_end()
{
    step.running = false;
}

void step_over_before()
{
    if (step.ended == nullptr && in_calling_context(g_cpu.PC)) {
        ++step.depth;
    }
}

bool step_over_after()
{
    if (step.ended != nullptr) {
        step.running = !step.ended();
        return !step.running;
    }
    if (g_cpu.PC != step.target || g_cpu.WP != step.wp) {
        return false;
    }
    if (step.depth > 1) {
        --step.depth;  // an inner call of a recursion returned
        return false;
    }
    step_over_end();
    return true;
}

#include "debugger/hold_reason.h"

#include <cstdio>

#include "cpu/cpu.h"
#include "machine/debugger_record.h"

namespace {

StopReason noted{};

std::string with_address(const char* words, uint16_t address)
{
    char text[48];
    std::snprintf(text, sizeof text, "%s >%04X", words, unsigned{address});
    return text;
}

}  // namespace

std::string stop_reason_text(StopReason reason)
{
    switch (reason.cause) {
    case StopCause::STOP_KEY:
        return "stopped by F1";
    case StopCause::BREAKPOINT:
        return with_address("breakpoint at", reason.address);
    case StopCause::WATCHPOINT:
        return "watched memory changed";
    case StopCause::STEP_OVER_ENDED:
        return "step over ended";
    case StopCause::STEP_ENDED:
        return "step ended";
    case StopCause::ROM_WRITE:
        return "byte written into ROM";
    case StopCause::ODD_WORKSPACE:
        return with_address("odd workspace pointer", reason.address);
    case StopCause::ENDLESS_FRAME:
        return ENDLESS_FRAME_REASON;
    case StopCause::NOTHING_EARLIER:
        return "nothing earlier is kept";
    case StopCause::NO_HIT_KEPT:
        return "no break or watch hit in the kept past";
    case StopCause::PAST_LOST:
        return "the kept past was lost: it starts again";
    case StopCause::NONE:
        break;
    }
    return "stopped";
}

void hold_reason_note(StopReason reason)
{
    noted = reason;
}

StopReason machine_stop_reason()
{
    switch (g_debugger.machine_stop) {
    case MACHINE_STOP_ROM_WRITE:
        return {StopCause::ROM_WRITE, 0};
    case MACHINE_STOP_ODD_WORKSPACE:
        return {StopCause::ODD_WORKSPACE, g_cpu.WP};
    default:
        return {};
    }
}

StopReason hold_reason()
{
    return noted.cause != StopCause::NONE ? noted : machine_stop_reason();
}

void hold_reason_clear()
{
    noted = {};
    g_debugger.machine_stop = MACHINE_STOP_NONE;
}

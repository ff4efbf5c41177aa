#include "shell/overdue_stop.h"

#include "machine/debugger_record.h"

bool stop_overdue()
{
    return g_debugger.stopped && g_debugger.in_interrupt;
}

// The frame's end may have taken the frame interrupt: the hold then starts
// at that service's first instruction.
void take_overdue_stop()
{
    if (g_debugger.stopped) {
        g_debugger.in_interrupt = 0;
    }
}

// The program as host tests start it: the machine reset as for the core's
// tests, the event flags as at start-up, and one window on the dummy driver.
#pragma once

#include "core/machine.h"

// reset_machine, and Shift not held, not quitting.
void reset_host_machine();

// Opens the window once for the whole test program; later calls keep it.
void open_window();

// The program as a debug adapter (`pavon --dap`): an editor starts it and
// speaks the Debug Adapter Protocol on its standard input and output. The
// machine runs in this process with its window, as a launch request
// describes it; the client's requests are taken at the frame loop's
// event-poll points, and while the debugger holds the processor.
#pragma once

// Runs the whole session; the program's exit status.
int run_debug_adapter();

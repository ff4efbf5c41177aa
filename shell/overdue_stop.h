// A stop (F1, a byte written into ROM, an odd workspace pointer, a
// breakpoint) waits for the interrupt service in progress: the processor
// holds at the first instruction after the RTWP that ends it. A service may
// also end without one (a routine that loads a workspace with LWPI and
// branches back to the main loop is legal), and then the stop would wait
// forever. So a service that has run a whole frame with a stop waiting is
// taken as one that does not return, and the stop takes effect once that
// frame has ended.
#pragma once

// After a frame's instructions: whether a stop still waits for a service.
bool stop_overdue();

// After the end-of-frame steps: an overdue stop holds the processor from the
// next instruction on (unless it was lifted meanwhile).
void take_overdue_stop();

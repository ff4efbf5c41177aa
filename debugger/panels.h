// The overlay's two views: the labels written once when a view is built, and
// the values rewritten and repainted at every refresh.
#pragma once

void write_cpu_labels();
void write_vdp_labels();

// Write and paint the values of one view; neither presents the surface.
void debugger_draw_cpu_view();
void debugger_draw_vdp_view();

// The free rows at the foot of either view while the debugger holds the
// processor: where PC stands by name, the innermost callers, and on the
// last row `note`, or else why it holds the processor.
void write_hold_lines(const char* note);

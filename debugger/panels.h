// The overlay's two views: the labels written once when a view is built, and
// the values rewritten and repainted at every refresh.
#pragma once

void write_cpu_labels();
void write_vdp_labels();

// Write and paint the values of one view; neither presents the surface.
void debugger_draw_cpu_view();
void debugger_draw_vdp_view();

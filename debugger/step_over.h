// Step over: a call (BL, BLWP or XOP) runs until the instruction after it is
// reached again with the workspace it was called from, that is, until the
// routine has returned. Interrupts in between run as usual.
#pragma once

#include <cstdint>

// The address after the call at `pc` (past its extension word, if any), or
// -1 when `op` is not a call.
int32_t call_return_address(uint16_t op, uint16_t pc);

// Starts a step over of the instruction at PC if it is a call; false if it
// is not.
bool step_over_begin();

// Starts a step that `ended` decides: asked after each instruction, it says
// when the step is over (a step by source line, out of a call).
void step_until_begin(bool (*ended)());

// The step in progress is one that step_until_begin started.
bool step_until_running();
bool step_over_running();
void step_over_end();

// Before each instruction: the call executed again from the same place and
// workspace (a recursion) must return once more before the step ends.
void step_over_before();

// After each instruction: true once the call has returned; the step over
// has then ended.
bool step_over_after();

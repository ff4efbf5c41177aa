// Why the processor came to be held, in the protocol's words, and the
// machine's own stops that the client chooses to see (exception filters):
// a byte written into ROM, an odd workspace pointer, a frame of
// instructions that use no cycles. A stop whose filter is off is let go at
// once and never told.
#pragma once

#include <cstdint>
#include <string_view>

#include "dap/arguments.h"

// The debugger's reason for a hold becomes the next `stopped` event's.
void note_hold(const char* reason);

// Every filter on, as a session starts.
void exception_filters_reset();

// The filters as `initialize` announces them.
Json exception_filters();

// Only the filters named stay on; false with the first unknown name.
bool set_exception_filters(const Json& names, std::string& unknown);

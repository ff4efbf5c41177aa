#include "host_machine.h"

#include <gtest/gtest.h>

#include "display/display.h"
#include "display/window.h"
#include "shell/events.h"

void reset_host_machine()
{
    reset_machine();
    events_reset();
}

void open_window()
{
    if (g_surface == nullptr) {
        ASSERT_EQ(display_open(), 0);
    }
}

// Screenshots in the browser: the picture goes to the page, which encodes it
// as PNG through a canvas and downloads it under the name given.
#include "display/screenshot.h"

#include <cstdio>

#include "web/browser_screen.h"

extern "C" void page_save_png(const char* name, const uint8_t* rgba);  // web/host_calls.js

namespace {

unsigned g_last_number = 0;

}  // namespace

int save_screenshot(const char* path)
{
    page_save_png(path, screen_rgba());
    return 0;
}

// The browser keeps its downloads apart: the page only counts.
std::string next_screenshot_name()
{
    char name[32];
    std::snprintf(name, sizeof name, "pavon-%04u.png", ++g_last_number);
    return name;
}

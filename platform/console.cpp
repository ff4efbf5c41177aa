#include "platform/console.h"

#include <cstdio>

void console_print(const char* text)
{
    std::fputs(text, stdout);
    std::fflush(stdout);
}

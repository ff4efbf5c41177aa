#include "machine/messages.h"

#include <cstdarg>
#include <cstdio>

MachineOutput g_machine_output{};

namespace {

void send(OutputLine channel, const char* format, va_list arguments)
{
    if (channel == nullptr) {
        return;
    }
    char text[MACHINE_LINE_SIZE];
    std::vsnprintf(text, sizeof text, format, arguments);
    channel(text);
}

}  // namespace

void machine_message(const char* format, ...)
{
    va_list arguments;
    va_start(arguments, format);
    send(g_machine_output.message, format, arguments);
    va_end(arguments);
}

void machine_diagnostic(const char* format, ...)
{
    va_list arguments;
    va_start(arguments, format);
    send(g_machine_output.diagnostic, format, arguments);
    va_end(arguments);
}

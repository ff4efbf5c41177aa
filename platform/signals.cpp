#include "platform/signals.h"

#include <csignal>

void restore_default_signals()
{
    std::signal(SIGINT, SIG_DFL);
    std::signal(SIGTERM, SIG_DFL);
}

#include "platform/signals.h"

#include <csignal>

#ifndef _WIN32
namespace {

sigset_t quit_signals()
{
    sigset_t signals;
    sigemptyset(&signals);
    sigaddset(&signals, SIGINT);
    sigaddset(&signals, SIGTERM);
    return signals;
}

}  // namespace

void hold_quit_signals()
{
    const sigset_t signals = quit_signals();
    sigprocmask(SIG_BLOCK, &signals, nullptr);
}

void restore_default_signals()
{
    std::signal(SIGINT, SIG_DFL);
    std::signal(SIGTERM, SIG_DFL);
    std::signal(SIGXFSZ, SIG_IGN);
    const sigset_t signals = quit_signals();
    sigprocmask(SIG_UNBLOCK, &signals, nullptr);
}
#else
void hold_quit_signals() {}

void restore_default_signals()
{
    std::signal(SIGINT, SIG_DFL);
    std::signal(SIGTERM, SIG_DFL);
}
#endif

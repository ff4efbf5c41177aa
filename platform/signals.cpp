#include "platform/signals.h"

#include <csignal>

namespace {

volatile std::sig_atomic_t quit_caught = 0;

void note_quit(int /*signal*/)
{
    quit_caught = 1;
}

}  // namespace

bool quit_signal_caught()
{
    return quit_caught != 0;
}

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

void catch_quit_signals()
{
    struct sigaction action{};
    action.sa_handler = note_quit;
    action.sa_flags = SA_RESTART;
    sigemptyset(&action.sa_mask);
    sigaction(SIGINT, &action, nullptr);
    sigaction(SIGTERM, &action, nullptr);
    std::signal(SIGXFSZ, SIG_IGN);
    const sigset_t signals = quit_signals();
    sigprocmask(SIG_UNBLOCK, &signals, nullptr);
}

void ignore_broken_pipes()
{
    std::signal(SIGPIPE, SIG_IGN);
}
#else
void ignore_broken_pipes() {}

void hold_quit_signals() {}

void restore_default_signals()
{
    std::signal(SIGINT, SIG_DFL);
    std::signal(SIGTERM, SIG_DFL);
}

void catch_quit_signals()
{
    std::signal(SIGINT, note_quit);
    std::signal(SIGTERM, note_quit);
}
#endif

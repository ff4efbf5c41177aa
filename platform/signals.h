// SDL turns SIGINT and SIGTERM into quit events, which this program ignores;
// handing them back to the system keeps Ctrl+C and kill working. SDL's
// handlers are in place from within SDL_Init until they are replaced, so the
// two signals are held back over that span: one sent meanwhile waits, and
// ends the program as soon as the defaults are back.
#pragma once

// Before SDL_Init: SIGINT and SIGTERM are blocked.
void hold_quit_signals();

// After SDL_Init: SIGINT and SIGTERM back to their default action, then
// unblocked. SIGXFSZ is ignored as well, so that a write past the
// file-size limit fails (and the file writers report it) instead of ending
// the program.
void restore_default_signals();

// After SDL_Init, instead of restore_default_signals, when the run's end
// must be seen through (a recording is written then): SIGINT and SIGTERM
// only set a flag, which quit_signal_caught reports; SIGXFSZ as above.
void catch_quit_signals();
bool quit_signal_caught();

// At the very start: a write to a pipe whose reader has gone fails with an
// error (which the writers take as any failed write) instead of ending the
// program before it has written its files.
void ignore_broken_pipes();

#pragma once

// SDL turns SIGINT and SIGTERM into quit events, which this program ignores;
// handing them back to the system keeps Ctrl+C and kill working.
void restore_default_signals();

// Standard error, copied: every line the program writes to it through the
// C library's stream (its own lines, and those of libraries that use it)
// also goes to a sink, while standard error still gets it. The debug
// adapter sends these lines to its client.
#pragma once

// From now on each line also goes to `sink`, whole, with its newline; null
// ends the copying, and a last line that has no newline goes with one.
void copy_standard_error(void (*sink)(const char* line));

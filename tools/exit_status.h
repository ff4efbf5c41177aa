// The exit statuses of the tools, besides 0 for success.
#pragma once

constexpr int EXIT_FAILED = 1;  // the input had errors, or a file could not be read or written
constexpr int EXIT_USAGE = 2;   // the command line was wrong

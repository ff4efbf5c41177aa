// A launch request's arguments become a command line: each is a row that
// names the option it stands for, so that a launch is checked by the same
// table and gives the same one-line reasons as the command line.
#pragma once

#include <string>

#include "dap/adapter.h"
#include "dap/arguments.h"

struct LaunchSettings {
    LaunchRequest request;
    bool stop_on_entry = false;
};

// False, with the reason, when an argument has the wrong type.
bool read_launch_arguments(Arguments& arguments, LaunchSettings& settings, std::string& error);

// File names in the host's own form; the messages print them as opened.
#pragma once

#include <string>

#ifdef _WIN32
constexpr const char* ROM1_PATH = "ROM\\pavon1.bin";
constexpr const char* ROM2_PATH = "ROM\\pavon2.bin";
#else
constexpr const char* ROM1_PATH = "ROM/pavon1.bin";
constexpr const char* ROM2_PATH = "ROM/pavon2.bin";
#endif
constexpr const char* STATE_FILE_PATH = "pavon.pvn";

// The folder that holds the installed demo's ROM/ folder: share/pavon/demo
// of the install the running program belongs to, found from the program's
// own place so that an install can be moved whole. A build folder that was
// never installed has no such folder: there it is the build's firmware/
// folder, where the build assembles the demo.
std::string demo_folder();

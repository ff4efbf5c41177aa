// File names in the host's own form; the messages print them as opened.
#pragma once

#ifdef _WIN32
constexpr const char* ROM1_PATH = "ROM\\pavon1.bin";
constexpr const char* ROM2_PATH = "ROM\\pavon2.bin";
#else
constexpr const char* ROM1_PATH = "ROM/pavon1.bin";
constexpr const char* ROM2_PATH = "ROM/pavon2.bin";
#endif
constexpr const char* STATE_FILE_PATH = "pavon.pvn";

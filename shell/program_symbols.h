// The program's debug information on the host: the file that --symbols
// names, read before the machine starts, and the check that the ROM images
// are the ones it was written with.
#pragma once

#include <string>

// Reads the debug-information file and hands its names to the debugger
// (debugger/program_names.h). False, with `error` naming the file (and the
// bad line), when it cannot be read or is not whole.
bool load_program_symbols(const std::string& path, std::string& error);

// With names loaded: a label in ROM whose bytes in the images are not the
// ones the assembler placed there (the program was assembled again without
// its debug information). Empty when they all match, or without names.
std::string images_mismatch(const std::string& path);

// What the assembler tells about a program besides its bytes: the debug
// information written as pavon.dbg, and the listing.
#pragma once

#include <string>

#include "symbols/debug_info.h"
#include "tools/asm/assembler.h"

// The files, the symbols in the order they were defined, and a line record
// for each line that placed bytes, in address order.
DebugInfo debug_info_of(const Program& program);

// Each source line in reading order, as "FILE:LINE  ADDRESS  CONTENTS  TEXT":
// the words an instruction or DATA placed (three a row), the bytes of BYTE
// and TEXT (four a row), a label's or EQU name's value in the address
// column; then the symbols sorted by name and by value.
std::string listing_of(const Program& program);

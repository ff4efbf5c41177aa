// The instruction trace's lines. An instruction's line, written before it
// executes:
//
//   FRAME  CYCLE PC   WORDS          TEXT                          WP   ST
//       12   431 0106 C804 F100      MOV R4, @>F100                F000 2000
//
// the frame number, the cycle within the frame, PC, the instruction's words
// as the disassembly reads them, the overlay's disassembly text, WP and ST,
// in hexadecimal where the overlay shows hexadecimal. The frame interrupt
// gets a line of its own, with the service's first PC, WP and ST and the
// address it returns to:
//
//       12 44609 0180 interrupt      return >0108                  F020 2003
//
// With the program's names loaded, an operand address that a label names
// shows the label, and PC's label and offset end the line:
//
//       12   431 0106 06A0 0180      BL @DRAW                      F000 2000 MAIN+6
#pragma once

#include <cstddef>
#include <cstdint>

constexpr std::size_t TRACE_LINE_SIZE = 320;

// The line of the instruction at PC, as memory and the registers hold it
// now; returns its length, the newline included.
std::size_t format_instruction_line(char (&line)[TRACE_LINE_SIZE], uint64_t frame, int32_t cycle);

// The line of an interrupt just taken: PC, WP and ST are the service's, R14
// holds the return address.
std::size_t format_interrupt_line(char (&line)[TRACE_LINE_SIZE], uint64_t frame, int32_t cycle);

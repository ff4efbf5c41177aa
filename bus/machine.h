// The machine as a whole: everything attached to the bus together.
#pragma once

#include <span>

#include "machine/record_parts.h"

// Puts every record of the machine back where it stands when the program
// starts: memory, video memory and every register 0, the video chip's
// control-port latch clear, the decrementer off, no key held, the debugger
// at its start values. Start-up then fills it in: cpu_create copies the ROM
// images into memory and starts the processor, the window's opening resets
// the video chip, debugger_init builds the overlay.
void machine_reset();

// Every record that decides what the machine does next: memory, the video
// chip whole (video memory, registers, address, status and the half-received
// control byte), the processor, the frame's cycle count, the decrementer's
// switches, the keys held and the mark of an interrupt service in progress.
// Put back, they make the machine exactly what it was when they were taken.
std::span<const RecordPart> machine_parts();

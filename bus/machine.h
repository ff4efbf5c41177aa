// The machine as a whole: everything attached to the bus together.
#pragma once

// Puts every record of the machine back where it stands when the program
// starts: memory, video memory and every register 0, the video chip's
// control-port latch clear, the decrementer off, no key held, the debugger
// at its start values. Start-up then fills it in: cpu_create copies the ROM
// images into memory and starts the processor, the window's opening resets
// the video chip, debugger_init builds the overlay.
void machine_reset();

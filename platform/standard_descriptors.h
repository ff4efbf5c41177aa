// Descriptors 0, 1 and 2 are standard input, output and error to every
// library in the process. One that the program was started without would be
// the next descriptor handed out (to the display connection, say), and the
// diagnostics would be written into it.
#pragma once

// Opens each of 0, 1 and 2 that is closed on /dev/null. Called first thing.
void open_standard_descriptors();

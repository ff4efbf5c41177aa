// The debug adapter's streams: messages come on standard input and go out
// on standard output, which carries nothing else. The protocol keeps a
// descriptor of its own for them, and standard output itself is sent to
// standard error, so that no other write of the program or its libraries
// can break a message.
#pragma once

#include <cstddef>

// False when the descriptors cannot be arranged.
bool protocol_streams_open();

// Writes every byte; false when the client can no longer be written to (a
// closed pipe ends no program here).
bool protocol_write(const char* data, std::size_t size);

// Waits up to `milliseconds` for the client's bytes and takes what has
// come: the count, 0 when nothing came in time, -1 when the input has
// ended or failed.
long protocol_read(char* buffer, std::size_t size, int milliseconds);

// Watchpoints: ranges of the address space or of video memory whose bytes
// are taken before an instruction and compared after it, whatever road the
// instruction wrote them by (the bus, straight into memory, the video
// chip's data port). Changes made between instructions, such as loading a
// state file, are not counted. Add them through debug_hooks.h, which then
// knows that they are in use.
#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

enum class WatchedMemory : uint8_t { ADDRESS_SPACE, VIDEO };

// `length` bytes from `start`, all inside the memory named. With a `value`
// (`length` bytes), a change counts only when the bytes then hold it.
void watch_add(WatchedMemory memory, uint16_t start, uint32_t length, const std::vector<uint8_t>& value = {});
void watches_clear();
bool any_watch();

// The watched bytes as they are now become the ones compared against.
void watch_take();

// True if any watched byte differs from the one taken (and its range then
// holds its value, if it has one).
bool watch_changed();

// The watched bytes as they stand, range after range.
void watch_copy(std::vector<uint8_t>& into);

// Reports every range whose bytes changed since they were taken (and hold
// its value, if it has one), one line each on the diagnostics channel
// ending in `cause` ("PC >0104, frame 3"), and takes the new bytes of every
// range. True if any was reported.
bool watch_report_changes(const char* cause);

// One report: the bytes before and after, from `address` on: a range of up
// to 16 bytes whole, of a longer one the first to the last changed byte (at
// most 16 shown, then "...").
constexpr std::size_t WATCH_LINE_SIZE = 360;
void format_watch_line(char (&line)[WATCH_LINE_SIZE], WatchedMemory memory, uint16_t address, const uint8_t* before,
                       const uint8_t* after, std::size_t count, const char* cause);

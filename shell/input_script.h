// The input file of a scripted run: host key events at given frames, one
// line each, read whole before the machine starts.
//
//   # a comment; blank lines are skipped
//   FRAME down KEY      the key goes down at the end of frame FRAME
//   FRAME up KEY        ... and up
//   FRAME press KEY     down at FRAME, up TYPE_HOLD_FRAMES later
//   FRAME type TEXT     each character's key down and up in turn, from FRAME
//
// Frames count from 0, the first frame of the run; numbers may be written
// 42, >2A or 0x2A. A line's first event may not come before the last event
// of the line above it.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

struct InputEvent {
    uint64_t frame;
    bool down;
    uint16_t key;  // the machine's key number (the host library's key symbol)

    bool operator==(const InputEvent&) const = default;
};

constexpr std::size_t LONGEST_INPUT_LINE = 1000;

// A `type` line holds each key for this many frames, then leaves this many
// frames before the next key, so that a program that reads the keyboard once
// a frame sees every press, a repeated letter too.
constexpr uint64_t TYPE_HOLD_FRAMES = 2;
constexpr uint64_t TYPE_GAP_FRAMES = 2;

// Turns the text into events in frame order. On a fault: false, with
// `error` naming the line ("3: unknown key 'Foo'"), and no events.
bool parse_input_script(std::string_view text, std::vector<InputEvent>& events, std::string& error);

// The key that a name in a down, up or press line stands for, or -1.
int input_key_number(std::string_view name);

// The name that stands for a key in a down or up line, or an empty text
// when none does.
std::string input_key_name(unsigned key);

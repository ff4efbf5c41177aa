// The timeline's record, shared by the frame hooks (timeline.cpp) and the
// debugger's ways back (going_back.cpp).
#pragma once

#include <cstddef>
#include <cstdint>

#include "rewind/ring.h"

struct Timeline {
    Ring ring;
    std::size_t frames = 0;  // how many frames are kept, in at most `byte_bound` bytes
    std::size_t byte_bound = 0;
    bool on = false;
    bool in_frame = false;        // between a frame's beginning and the end of its instructions
    bool resting = false;         // put back to the newest entry; nothing has run since
    bool change_pending = false;  // a change within a frame has ended the newest entry's stretch
    uint64_t frame = 0;           // the host frame in progress
};

extern Timeline g_timeline;

// The window's title: `pavon`, then the host's state (paused, rewind or
// fast-forward), while the debugger holds the processor why and where, and
// for a few seconds what the last file key did. Standard output stays as it
// was: these notices go to the title only.
#pragma once

#include <cstdint>

constexpr int64_t NOTICE_SECONDS = 3;

// Shows `text` in the title for NOTICE_SECONDS.
void title_notice(const char* text);

// Brings the title up to date; called once a frame and while waiting. The
// window's title is set only when it changes.
void title_update();

// The title as it should read now, e.g. "pavon - paused - saved".
const char* title_text();

#include "shell/title.h"

#include <cstdio>
#include <string>

#include "debugger/debugger.h"
#include "display/window.h"
#include "shell/events.h"
#include "shell/pacing.h"
#include "shell/time_travel.h"

namespace {

constexpr std::size_t NOTICE_SIZE = 64;
constexpr std::size_t HOLD_WORDS_SIZE = 240;  // the reason, PC's label and line
constexpr std::size_t TEXT_SIZE = NOTICE_SIZE + HOLD_WORDS_SIZE + 64;

// What the title shows. Compared once a frame, and formatted only when it
// changes.
struct TitleState {
    int32_t paused = 0;
    int32_t fast_forward = 0;
    Rewinding rewinding = Rewinding::NO;
    uint32_t notice = 0;  // the number of the notice shown, 0 for none
    std::string held;     // why the debugger holds the processor, where; empty while it runs
    bool operator==(const TitleState&) const = default;
};

char g_notice[NOTICE_SIZE] = "";
uint32_t g_notices = 0;  // notices given so far
int64_t g_notice_end = 0;
TitleState g_shown{-1, -1, Rewinding::NO, 0, {}};
char g_text[TEXT_SIZE] = "";

TitleState current_state()
{
    if (g_notice[0] != '\0' && g_host_clock.now() >= g_notice_end) {
        g_notice[0] = '\0';
    }
    return {g_paused, g_fast_forward, g_rewinding, g_notice[0] != '\0' ? g_notices : 0, debugger_hold_words()};
}

}  // namespace

void title_notice(const char* text)
{
    std::snprintf(g_notice, sizeof g_notice, "%s", text);
    ++g_notices;
    g_notice_end = g_host_clock.now() + NOTICE_SECONDS * NANOSECONDS_PER_SECOND;
    title_update();
}

const char* title_text()
{
    const TitleState state = current_state();
    const char* mode = state.paused                                  ? " - paused"
                       : state.rewinding == Rewinding::GOING_BACK ? " - rewind"
                       : state.rewinding == Rewinding::AT_OLDEST  ? " - rewind: no earlier frame is kept"
                       : state.fast_forward                       ? " - fast-forward"
                                                                  : "";
    const std::string held = state.held.substr(0, HOLD_WORDS_SIZE);
    std::snprintf(g_text, sizeof g_text, "pavon%s%s%s%s%s", mode, held.empty() ? "" : " - ", held.c_str(),
                  state.notice != 0 ? " - " : "", g_notice);
    return g_text;
}

void title_update()
{
    const TitleState state = current_state();
    if (state != g_shown) {
        g_shown = state;
        display_set_title(title_text());
    }
}

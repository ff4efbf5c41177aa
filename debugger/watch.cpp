#include "debugger/watch.h"

#include <algorithm>
#include <cstdio>
#include <cstring>
#include <vector>

#include "cpu/cpu.h"
#include "machine/messages.h"
#include "video/vdp.h"

namespace {

constexpr std::size_t SHOWN_BYTES = 16;

struct Watch {
    WatchedMemory memory;
    uint16_t start;
    uint32_t length;
    std::size_t shadow;  // where its bytes start in `taken`
    std::vector<uint8_t> value;  // empty, or the bytes that a change must leave
};

// Allocated when the watches are set, never while the machine runs.
std::vector<Watch> watches;
std::vector<uint8_t> taken;

const uint8_t* watched_bytes(const Watch& watch)
{
    const uint8_t* memory = watch.memory == WatchedMemory::VIDEO ? g_vdp.vram.data() : g_memory.data();
    return memory + watch.start;
}

bool changed(const Watch& watch)
{
    return std::memcmp(taken.data() + watch.shadow, watched_bytes(watch), watch.length) != 0;
}

// Changed, and holding the value if the watch has one.
bool hit(const Watch& watch)
{
    return changed(watch) &&
           (watch.value.empty() || std::memcmp(watch.value.data(), watched_bytes(watch), watch.length) == 0);
}

// Appends the bytes as ">12 >34" or ">1234 >5678..." (runs of hexadecimal).
char* put_bytes(char* at, const uint8_t* bytes, std::size_t count)
{
    *at++ = '>';
    for (std::size_t i = 0; i < std::min(count, SHOWN_BYTES); ++i) {
        at += std::sprintf(at, "%02X", unsigned{bytes[i]});
    }
    if (count > SHOWN_BYTES) {
        at = std::strcpy(at, "...") + 3;
    }
    return at;
}

}  // namespace

void watch_add(WatchedMemory memory, uint16_t start, uint32_t length, const std::vector<uint8_t>& value)
{
    watches.push_back({memory, start, length, taken.size(), value.size() == length ? value : std::vector<uint8_t>{}});
    taken.resize(taken.size() + length);
    watch_take();
}

void watches_clear()
{
    watches.clear();
    taken.clear();
}

bool any_watch()
{
    return !watches.empty();
}

void watch_take()
{
    for (const Watch& watch : watches) {
        std::memcpy(taken.data() + watch.shadow, watched_bytes(watch), watch.length);
    }
}

bool watch_changed()
{
    return std::any_of(watches.begin(), watches.end(), hit);
}

void watch_copy(std::vector<uint8_t>& into)
{
    into.resize(taken.size());
    for (const Watch& watch : watches) {
        std::memcpy(into.data() + watch.shadow, watched_bytes(watch), watch.length);
    }
}

bool watch_report_changes(const char* cause)
{
    bool reported = false;
    for (const Watch& watch : watches) {
        uint8_t* before = taken.data() + watch.shadow;
        const uint8_t* now = watched_bytes(watch);
        if (!hit(watch)) {
            std::memcpy(before, now, watch.length);
            continue;
        }
        // A short range is shown whole; of a long one, the changed bytes.
        std::size_t first = 0;
        std::size_t last = watch.length - 1;
        if (watch.length > SHOWN_BYTES) {
            while (before[first] == now[first]) {
                ++first;
            }
            while (before[last] == now[last]) {
                --last;
            }
        }
        char line[WATCH_LINE_SIZE];
        format_watch_line(line, watch.memory, static_cast<uint16_t>(watch.start + first), before + first, now + first,
                          last - first + 1, cause);
        machine_diagnostic("%s", line);
        std::memcpy(before, now, watch.length);
        reported = true;
    }
    return reported;
}

void format_watch_line(char (&line)[WATCH_LINE_SIZE], WatchedMemory memory, uint16_t address, const uint8_t* before,
                       const uint8_t* after, std::size_t count, const char* cause)
{
    char* at = line + std::sprintf(line, "%s >%04X: ", memory == WatchedMemory::VIDEO ? "watch-vram" : "watch",
                                   unsigned{address});
    at = put_bytes(at, before, count);
    at = std::strcpy(at, " -> ") + 4;
    at = put_bytes(at, after, count);
    std::snprintf(at, static_cast<std::size_t>(line + WATCH_LINE_SIZE - at), " at %s\n", cause);
}

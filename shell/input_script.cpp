#include "shell/input_script.h"

#include <algorithm>
#include <array>
#include <cctype>

#include "isa/numbers.h"
#include "machine/key_state.h"
#include "shell/quoted.h"

namespace {

constexpr uint64_t LAST_FRAME = 0xFFFFFFFF;
constexpr uint16_t ESCAPE = 27;

struct NamedKey {
    std::string_view name;
    uint16_t key;
};

// The keys a keyboard row reads, under names, Escape (quit) and Backspace
// (rewind). Letters, digits and the punctuation keys name themselves.
constexpr std::array<NamedKey, 14> NAMED_KEYS{{
    {"Return", key::RETURN},
    {"Space", key::SPACE},
    {"Shift", key::LEFT_SHIFT},
    {"Ctrl", key::LEFT_CTRL},
    {"RightCtrl", key::RIGHT_CTRL},
    {"Up", key::UP},
    {"Down", key::DOWN},
    {"Left", key::LEFT},
    {"Right", key::RIGHT},
    {"F8", key::F8},
    {"F10", key::F10},
    {"F11", key::F11},
    {"Escape", ESCAPE},
    {"Backspace", key::BACKSPACE},
}};

constexpr std::string_view PUNCTUATION_KEYS = "-=[];',./\\";

// The key that types a character, or -1: letters of either case, digits,
// the punctuation keys and the space.
int character_key(char c)
{
    if (std::isalpha(static_cast<unsigned char>(c))) {
        return std::tolower(static_cast<unsigned char>(c));
    }
    if (std::isdigit(static_cast<unsigned char>(c)) || c == ' ' ||
        PUNCTUATION_KEYS.find(c) != std::string_view::npos) {
        return static_cast<unsigned char>(c);
    }
    return -1;
}

std::string_view trim(std::string_view text)
{
    const std::size_t first = text.find_first_not_of(" \t");
    if (first == std::string_view::npos) {
        return {};
    }
    return text.substr(first, text.find_last_not_of(" \t") - first + 1);
}

// The next blank-separated word, taken off the front of `text`.
std::string_view next_word(std::string_view& text)
{
    text = trim(text);
    const std::size_t end = std::min(text.find_first_of(" \t"), text.size());
    const std::string_view word = text.substr(0, end);
    text.remove_prefix(end);
    return word;
}

// "unknown key 'Foo' (keys: a to z, ...)": every name a down, up or press
// line takes.
std::string unknown_key(std::string_view name)
{
    std::string text = "unknown key " + quoted(name) + " (keys: a to z, 0 to 9, - = [ ] ; ' , . / \\";
    for (const NamedKey& named : NAMED_KEYS) {
        text += ", ";
        text += named.name;
    }
    return text + ")";
}

// One line's events; false with `error` (without the line number).
bool parse_line(std::string_view line, uint64_t earliest, std::vector<InputEvent>& events, std::string& error)
{
    const std::string_view frame_text = next_word(line);
    uint64_t frame = 0;
    if (!parse_number(frame_text, LAST_FRAME, frame)) {
        error = quoted(frame_text) + " is not a frame number from 0 to 4294967295";
        return false;
    }
    if (frame < earliest) {
        error = "frame " + std::to_string(frame) + " comes before frame " + std::to_string(earliest) +
                ", where the line above ends";
        return false;
    }
    const std::string_view action = next_word(line);
    if (action == "type") {
        const std::string_view text = line.empty() ? line : line.substr(1);  // one blank separates it
        if (text.empty()) {
            error = "type needs a text";
            return false;
        }
        for (const char c : text) {
            const int key = character_key(c);
            if (key < 0) {
                error = "no key types ";
                error += quoted(std::string_view(&c, 1));
                error += " (type takes letters, digits, spaces and - = [ ] ; ' , . / \\)";
                return false;
            }
            events.push_back({frame, true, static_cast<uint16_t>(key)});
            events.push_back({frame + TYPE_HOLD_FRAMES, false, static_cast<uint16_t>(key)});
            frame += TYPE_HOLD_FRAMES + TYPE_GAP_FRAMES;
        }
        return true;
    }
    if (action != "down" && action != "up" && action != "press") {
        error = quoted(action) + " is not down, up, press or type";
        return false;
    }
    const std::string_view name = next_word(line);
    const int key = input_key_number(name);
    if (key < 0) {
        if (name.empty()) {
            error = std::string(action) + " needs a key name";
        } else {
            error = unknown_key(name);
        }
        return false;
    }
    if (!trim(line).empty()) {
        error = "unexpected ";
        error += quoted(trim(line));
        error += " after the key";
        return false;
    }
    events.push_back({frame, action != "up", static_cast<uint16_t>(key)});
    if (action == "press") {
        events.push_back({frame + TYPE_HOLD_FRAMES, false, static_cast<uint16_t>(key)});
    }
    return true;
}

}  // namespace

int input_key_number(std::string_view name)
{
    if (name.size() == 1) {
        return character_key(name[0]);
    }
    const auto same = [name](std::string_view other) {
        return std::equal(name.begin(), name.end(), other.begin(), other.end(), [](char a, char b) {
            return std::tolower(static_cast<unsigned char>(a)) == std::tolower(static_cast<unsigned char>(b));
        });
    };
    for (const NamedKey& named : NAMED_KEYS) {
        if (same(named.name)) {
            return named.key;
        }
    }
    return -1;
}

std::string input_key_name(unsigned key)
{
    for (const NamedKey& named : NAMED_KEYS) {
        if (named.key == key) {
            return std::string(named.name);
        }
    }
    if (key < 128 && character_key(static_cast<char>(key)) == static_cast<int>(key)) {
        return std::string(1, static_cast<char>(key));
    }
    return {};
}

bool parse_input_script(std::string_view text, std::vector<InputEvent>& events, std::string& error)
{
    events.clear();
    uint64_t earliest = 0;
    for (std::size_t number = 1; !text.empty(); ++number) {
        const std::size_t end = std::min(text.find('\n'), text.size());
        std::string_view line = text.substr(0, end);
        text.remove_prefix(std::min(end + 1, text.size()));
        if (line.ends_with('\r')) {
            line.remove_suffix(1);
        }
        if (line.size() > LONGEST_INPUT_LINE) {
            error = std::to_string(number) + ": line longer than " + std::to_string(LONGEST_INPUT_LINE) + " characters";
        } else if (trim(line).empty() || trim(line).starts_with('#')) {
            continue;
        } else if (parse_line(line, earliest, events, error)) {
            earliest = events.back().frame;
            continue;
        } else {
            error = std::to_string(number) + ": " + error;
        }
        events.clear();
        return false;
    }
    return true;
}

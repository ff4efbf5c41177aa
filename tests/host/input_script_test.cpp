// The input file's parser: the events that good files give, in frame order,
// and the one line that names the fault in bad ones (which then give none).
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "shell/input_script.h"

namespace {

TEST(InputScript, EventsOrTheFault)
{
    const std::string KEYS = " (keys: a to z, 0 to 9, - = [ ] ; ' , . / \\, Return, Space, Shift, Ctrl, RightCtrl, "
                             "Up, Down, Left, Right, F8, F10, F11, Escape, Backspace)";
    const struct {
        std::string text;
        std::vector<InputEvent> events;
        std::string error;
    } cases[] = {
        {"", {}, ""},
        {"# comments, blank lines, CRLF\r\n\r\n  \n10 down a\r\n", {{10, true, 'a'}}, ""},
        {"5 down Return\n>A up RETURN\n0x10 down rightctrl\n", {{5, true, 13}, {10, false, 13}, {16, true, 305}}, ""},
        {"1 down Backspace\n2 up BACKSPACE\n", {{1, true, 8}, {2, false, 8}}, ""},
        {"1 down Q\n1 down 7\n1 down \\\n1 down ;\n",
         {{1, true, 'q'}, {1, true, '7'}, {1, true, '\\'}, {1, true, ';'}}, ""},
        // type: each key down two frames, two frames apart; the next line after it.
        {"3 type Hi 1\n17 down up\n",
         {{3, true, 'h'}, {5, false, 'h'}, {7, true, 'i'}, {9, false, 'i'}, {11, true, ' '}, {13, false, ' '},
          {15, true, '1'}, {17, false, '1'}, {17, true, 273}},
         ""},
        {"1 press a\n3 up a\n", {{1, true, 'a'}, {3, false, 'a'}, {3, false, 'a'}}, ""},
        {"1 down a\n2 down Foo\n", {}, "2: unknown key 'Foo'" + KEYS},
        {"1 down f9\n", {}, "1: unknown key 'f9'" + KEYS},
        {"1 hold a\n", {}, "1: 'hold' is not down, up, press or type"},
        {"1 down\n", {}, "1: down needs a key name"},
        {"1 up a b\n", {}, "1: unexpected 'b' after the key"},
        {"4294967296 down a\n", {}, "1: '4294967296' is not a frame number from 0 to 4294967295"},
        {"9 down a\n8 up a\n", {}, "2: frame 8 comes before frame 9, where the line above ends"},
        {"1 type ab\n4 down a\n", {}, "2: frame 4 comes before frame 7, where the line above ends"},
        {"1 type Hi!\n", {}, "1: no key types '!' (type takes letters, digits, spaces and - = [ ] ; ' , . / \\)"},
        {"1 type\n", {}, "1: type needs a text"},
        {"\n\n1 type " + std::string(LONGEST_INPUT_LINE, 'a') + "\n", {}, "3: line longer than 1000 characters"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.text.substr(0, 40));
        std::vector<InputEvent> events;
        std::string error;
        EXPECT_EQ(parse_input_script(c.text, events, error), c.error.empty());
        EXPECT_EQ(error, c.error);
        EXPECT_EQ(events, c.events);
    }
}

}  // namespace

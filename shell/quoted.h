// Text from the user (an option's value, a line of an input file, a file's
// name) as one-line messages show it: control bytes, which a terminal would
// act on, written as \xNN.
#pragma once

#include <cstdio>
#include <string>
#include <string_view>

inline std::string printable(std::string_view text)
{
    std::string shown;
    for (const char c : text) {
        const auto byte = static_cast<unsigned char>(c);
        if (byte < 0x20 || byte == 0x7F) {
            char escaped[5];
            std::snprintf(escaped, sizeof escaped, "\\x%02X", unsigned{byte});
            shown += escaped;
        } else {
            shown += c;
        }
    }
    return shown;
}

// A value as the user wrote it, in single quotes.
inline std::string quoted(std::string_view value)
{
    return "'" + printable(value) + "'";
}

// A value as the user wrote it, in single quotes, for one-line messages.
#pragma once

#include <string>
#include <string_view>

inline std::string quoted(std::string_view value)
{
    std::string text = "'";
    text += value;
    text += "'";
    return text;
}

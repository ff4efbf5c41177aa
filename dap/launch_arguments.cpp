#include "dap/launch_arguments.h"

#include <array>
#include <string_view>

namespace {

enum class Kind : uint8_t {
    SWITCH,  // true or false: the option given, or not
    TEXT,    // a string: the option's value
    VALUE,   // a number or a string: the option's value
};

struct LaunchField {
    const char* key;
    Kind kind;
    const char* option;  // null: read here, or accepted until the option exists
};

constexpr std::array<LaunchField, 9> LAUNCH_FIELDS{{
    {"cwd", Kind::TEXT, nullptr},
    {"stopOnEntry", Kind::SWITCH, nullptr},
    {"symbols", Kind::TEXT, "--symbols"},
    {"rewind", Kind::VALUE, "--rewind"},
    {"headless", Kind::SWITCH, "--headless"},
    {"speed", Kind::VALUE, "--speed"},
    {"scale", Kind::VALUE, "--scale"},
    {"input", Kind::TEXT, "--input"},
    {"loadState", Kind::TEXT, "--load-state"},
}};

// The value's text as a command line would carry it.
bool value_text(const Json& value, std::string& text)
{
    if (value.is_string()) {
        text = value.get<std::string>();
        return true;
    }
    if (value.is_number()) {
        text = value.dump();
        return true;
    }
    return false;
}

}  // namespace

bool read_launch_arguments(Arguments& arguments, LaunchSettings& settings, std::string& error)
{
    settings = {};
    settings.request.cwd = arguments.text("cwd");
    settings.stop_on_entry = arguments.flag("stopOnEntry", false);
    for (const LaunchField& field : LAUNCH_FIELDS) {
        std::string text;
        if (field.kind == Kind::SWITCH) {
            if (arguments.flag(field.key, false) && field.option != nullptr) {
                settings.request.words.emplace_back(field.option);
            }
        } else if (const Json* value = arguments.value(field.key); value != nullptr) {
            if (!value_text(*value, text) || (field.kind == Kind::TEXT && !value->is_string())) {
                arguments.refuse(field.key, field.kind == Kind::TEXT ? "must be a string" : "must be a number or a string");
            } else if (field.option != nullptr) {
                settings.request.words.emplace_back(field.option);
                settings.request.words.push_back(text);
            }
        }
    }
    error = arguments.error();
    return arguments.ok();
}

// A request's arguments, read with their types checked: a field that is
// absent takes its default, one of the wrong type is noted (the first such
// field is what the error response names) and also takes its default, so
// that a handler reads every field and then looks at ok() once.
#pragma once

#include <nlohmann/json.hpp>

#include <cstdint>
#include <string>

using Json = nlohmann::json;

class Arguments {
public:
    explicit Arguments(const Json& object) : object_(object) {}

    bool has(const char* key) const;
    int64_t integer(const char* key, int64_t otherwise);
    bool flag(const char* key, bool otherwise);
    std::string text(const char* key, const std::string& otherwise = {});
    // The field whatever its type, or null when it is absent.
    const Json* value(const char* key) const { return field(key); }
    // An array, or null when the field is absent or of another type.
    const Json* array(const char* key);

    // A field that must be there.
    void require(const char* key);
    // A value that is there but out of range: `reason` completes "KEY ...".
    void refuse(const char* key, const std::string& reason);

    bool ok() const { return error_.empty(); }
    const std::string& error() const { return error_; }

private:
    const Json* field(const char* key) const;
    void wrong(const char* key, const char* wanted);

    const Json& object_;
    std::string error_;
};

// The same checks on a value inside an array (a breakpoint, say).
Arguments arguments_of(const Json& element);

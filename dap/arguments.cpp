#include "dap/arguments.h"

#include <limits>

namespace {

const Json EMPTY_OBJECT = Json::object();

}  // namespace

const Json* Arguments::field(const char* key) const
{
    if (!object_.is_object()) {
        return nullptr;
    }
    const auto found = object_.find(key);
    return found == object_.end() || found->is_null() ? nullptr : &*found;
}

void Arguments::wrong(const char* key, const char* wanted)
{
    refuse(key, std::string("must be ") + wanted);
}

void Arguments::refuse(const char* key, const std::string& reason)
{
    if (error_.empty()) {
        error_ = std::string("'") + key + "' " + reason;
    }
}

bool Arguments::has(const char* key) const
{
    return field(key) != nullptr;
}

int64_t Arguments::integer(const char* key, int64_t otherwise)
{
    const Json* value = field(key);
    if (value == nullptr) {
        return otherwise;
    }
    if (value->is_number_integer() && !value->is_number_unsigned()) {
        return value->get<int64_t>();
    }
    if (value->is_number_unsigned() && value->get<uint64_t>() <= uint64_t{std::numeric_limits<int64_t>::max()}) {
        return static_cast<int64_t>(value->get<uint64_t>());
    }
    wrong(key, "a whole number");
    return otherwise;
}

bool Arguments::flag(const char* key, bool otherwise)
{
    const Json* value = field(key);
    if (value == nullptr) {
        return otherwise;
    }
    if (!value->is_boolean()) {
        wrong(key, "true or false");
        return otherwise;
    }
    return value->get<bool>();
}

std::string Arguments::text(const char* key, const std::string& otherwise)
{
    const Json* value = field(key);
    if (value == nullptr) {
        return otherwise;
    }
    if (!value->is_string()) {
        wrong(key, "a string");
        return otherwise;
    }
    return value->get<std::string>();
}

const Json* Arguments::array(const char* key)
{
    const Json* value = field(key);
    if (value != nullptr && !value->is_array()) {
        wrong(key, "an array");
        return nullptr;
    }
    return value;
}

void Arguments::require(const char* key)
{
    if (!has(key)) {
        refuse(key, "is missing");
    }
}

Arguments arguments_of(const Json& element)
{
    return Arguments(element.is_object() ? element : EMPTY_OBJECT);
}

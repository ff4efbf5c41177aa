// Memory travels between the adapter and its client in base64 (RFC 4648,
// with padding).
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

std::string base64_encode(const uint8_t* bytes, std::size_t count);

// Nothing when the text is not base64.
std::optional<std::vector<uint8_t>> base64_decode(std::string_view text);

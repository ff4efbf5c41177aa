#include "dap/framing.h"

#include <cctype>

namespace {

constexpr std::string_view HEADER_END = "\r\n\r\n";
constexpr std::string_view LENGTH_FIELD = "content-length:";

bool equal_ignoring_case(std::string_view a, std::string_view b)
{
    if (a.size() != b.size()) {
        return false;
    }
    for (std::size_t i = 0; i < a.size(); ++i) {
        if (std::tolower(static_cast<unsigned char>(a[i])) != b[i]) {
            return false;
        }
    }
    return true;
}

// The body's length from the header's lines; other fields are ignored.
bool body_length(std::string_view header, std::size_t& length, std::string& error)
{
    bool found = false;
    while (!header.empty()) {
        const std::size_t end = header.find("\r\n");
        std::string_view line = header.substr(0, end);
        header.remove_prefix(end == std::string_view::npos ? header.size() : end + 2);
        if (line.size() < LENGTH_FIELD.size() || !equal_ignoring_case(line.substr(0, LENGTH_FIELD.size()), LENGTH_FIELD)) {
            continue;
        }
        line.remove_prefix(LENGTH_FIELD.size());
        while (!line.empty() && line.front() == ' ') {
            line.remove_prefix(1);
        }
        std::size_t value = 0;
        for (const char c : line) {
            if (c < '0' || c > '9' || value > LARGEST_BODY) {
                error = "the Content-Length is not a number up to " + std::to_string(LARGEST_BODY);
                return false;
            }
            value = value * 10 + static_cast<std::size_t>(c - '0');
        }
        if (line.empty() || value > LARGEST_BODY) {
            error = "the Content-Length is not a number up to " + std::to_string(LARGEST_BODY);
            return false;
        }
        length = value;
        found = true;
    }
    if (!found) {
        error = "a message header without Content-Length";
    }
    return found;
}

}  // namespace

void frame_feed(FrameReader& reader, std::string_view bytes)
{
    // What was handed out is dropped once it is most of the buffer.
    if (reader.used > 0 && reader.used >= reader.buffer.size() / 2) {
        reader.buffer.erase(0, reader.used);
        reader.used = 0;
    }
    reader.buffer.append(bytes);
}

Frame frame_next(FrameReader& reader, std::string& body, std::string& error)
{
    const std::string_view pending = std::string_view(reader.buffer).substr(reader.used);
    const std::size_t header_end = pending.find(HEADER_END);
    if (header_end == std::string_view::npos) {
        if (pending.size() > LARGEST_HEADER) {
            error = "a message header longer than " + std::to_string(LARGEST_HEADER) + " bytes";
            return Frame::BAD;
        }
        return Frame::MORE;
    }
    if (header_end > LARGEST_HEADER) {
        error = "a message header longer than " + std::to_string(LARGEST_HEADER) + " bytes";
        return Frame::BAD;
    }
    std::size_t length = 0;
    if (!body_length(pending.substr(0, header_end), length, error)) {
        return Frame::BAD;
    }
    const std::size_t start = header_end + HEADER_END.size();
    if (pending.size() - start < length) {
        return Frame::MORE;
    }
    body.assign(pending.substr(start, length));
    reader.used += start + length;
    return Frame::BODY;
}

std::string frame_message(std::string_view body)
{
    std::string message = "Content-Length: " + std::to_string(body.size()) + "\r\n\r\n";
    message += body;
    return message;
}

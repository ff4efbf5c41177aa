// The protocol's framing: each message is a header of lines ending in CR LF,
// one of which is `Content-Length: N`, a blank line, then N bytes of JSON.
// The reader takes bytes as they come and hands out whole bodies; a header
// it cannot read, or a length beyond what any message needs, ends the
// stream, since nothing after it can be found again.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>

constexpr std::size_t LARGEST_HEADER = 4096;
constexpr std::size_t LARGEST_BODY = 8u << 20;

enum class Frame {
    MORE,  // no whole message yet
    BODY,  // one message's body
    BAD,   // the stream cannot be read on; `error` says why
};

struct FrameReader {
    std::string buffer;    // bytes received and not yet handed out
    std::size_t used = 0;  // of them, those already handed out
};

void frame_feed(FrameReader& reader, std::string_view bytes);

// The next whole body, if one has arrived.
Frame frame_next(FrameReader& reader, std::string& body, std::string& error);

// A body with its header, ready to send.
std::string frame_message(std::string_view body);

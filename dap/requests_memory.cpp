// Memory and its instructions: the processor's address space and video
// memory read and written straight (no port is touched, nothing is
// reported), and the disassembly of the address space.
#include <algorithm>
#include <cstring>

#include "cpu/memory.h"
#include "dap/base64.h"
#include "dap/frames.h"
#include "dap/memory_reference.h"
#include "dap/names.h"
#include "dap/requests.h"
#include "debugger/program_names.h"
#include "isa/disassembler.h"
#include "rewind/timeline.h"

namespace {

constexpr int64_t LARGEST_INSTRUCTION_COUNT = 0x10000;
constexpr int64_t LONGEST_INSTRUCTION = 6;  // bytes: a word and two extension words
constexpr int64_t RESYNC_TRIES = 8;
constexpr int64_t RUNWAY = 64;  // bytes decoded first, so that the instructions fall into step

// The reference's address with the offset added; false with the reason.
bool start_address(Arguments& arguments, MemoryReference& where, Reply& reply)
{
    arguments.require("memoryReference");
    const std::string text = arguments.text("memoryReference");
    const int64_t offset = arguments.integer("offset", 0);
    if (!arguments.ok()) {
        return false;
    }
    const std::optional<MemoryReference> reference = parse_memory_reference(text);
    if (!reference || offset < -0x100000 || offset > 0x100000) {
        reply.fail(!reference ? "'" + text + "' is not a memory reference" : "the offset lies far outside memory");
        return false;
    }
    where = {reference->video, reference->address + offset};
    return true;
}

struct Instruction {
    int64_t address;
    int words;  // with its extension words
};

Instruction decode(int64_t address, std::string& text)
{
    char line[DISASSEMBLY_BUFFER];
    uint16_t next = static_cast<uint16_t>(address);
    Location current = next;
    const int extension = disassemble(static_cast<Location>(address), line, next, current);
    text = line;
    return {address, 1 + extension};
}

// The addresses of `count` instructions that end where `address` begins:
// decoding starts far enough back that any instruction lengths fit, and
// moves forward a word at a time until its instructions meet `address`
// (a few tries; else the words before it stand for instructions).
std::vector<int64_t> instructions_before(int64_t address, int64_t count)
{
    std::string text;
    const int64_t farthest = address - count * LONGEST_INSTRUCTION - RUNWAY;
    for (int64_t start = farthest; start < address && start < farthest + 2 * RESYNC_TRIES; start += 2) {
        std::vector<int64_t> starts;
        int64_t at = start;
        while (at < address) {
            starts.push_back(at);
            at += at < 0 ? 2 : 2 * decode(at, text).words;
        }
        if (at == address && static_cast<int64_t>(starts.size()) >= count) {
            return {starts.end() - count, starts.end()};
        }
    }
    std::vector<int64_t> words;
    for (int64_t i = count; i > 0; --i) {
        words.push_back(address - 2 * i);
    }
    return words;
}

Json instruction_entry(int64_t address)
{
    if (address < 0 || address > 0xFFFE) {
        return {{"address", std::to_string(address)}, {"instruction", ""}, {"presentationHint", "invalid"}};
    }
    std::string text;
    const Instruction instruction = decode(address, text);
    std::string words;
    for (int i = 0; i < instruction.words; ++i) {
        words += (i > 0 ? " " : "") + word_text(mem_read_word(static_cast<Location>(address + 2 * i))).substr(1);
    }
    Json entry = {{"address", memory_reference_text(false, address)}, {"instructionBytes", words},
                  {"instruction", text}};
    if (const char* label = label_name_at(static_cast<uint16_t>(address)); label != nullptr) {
        entry["symbol"] = label;
    }
    if (FrameSource source; source_of(static_cast<uint16_t>(address), source)) {
        entry["location"] = {{"name", source.name}, {"path", source.path}};
        entry["line"] = source.line;
    }
    return entry;
}

}  // namespace

void request_read_memory(Arguments& arguments, Reply& reply)
{
    MemoryReference where{};
    arguments.require("count");
    const int64_t count = arguments.integer("count", 0);
    if (!start_address(arguments, where, reply)) {
        return;
    }
    if (count < 0 || count > 0x100000) {
        arguments.refuse("count", "must be from 0 to 1048576");
        return;
    }
    const int64_t size = memory_size(where.video);
    const int64_t first = std::clamp<int64_t>(where.address, 0, size);
    const int64_t end = std::clamp<int64_t>(where.address + count, 0, size);
    const int64_t readable = std::max<int64_t>(end - first, 0);
    reply.body["address"] = memory_reference_text(false, first);
    reply.body["data"] = base64_encode(memory_bytes(where.video) + first, static_cast<std::size_t>(readable));
    const int64_t unreadable = count - readable - std::max<int64_t>(first - where.address, 0);
    if (unreadable > 0) {
        reply.body["unreadableBytes"] = unreadable;
    }
}

void request_write_memory(Arguments& arguments, Reply& reply)
{
    MemoryReference where{};
    arguments.require("data");
    const std::string data = arguments.text("data");
    const bool partial = arguments.flag("allowPartial", false);
    if (!start_address(arguments, where, reply)) {
        return;
    }
    const std::optional<std::vector<uint8_t>> bytes = base64_decode(data);
    if (!bytes) {
        reply.fail("'data' is not base64");
        return;
    }
    const int64_t size = memory_size(where.video);
    const int64_t fits = where.address < 0 || where.address >= size
                             ? 0
                             : std::min<int64_t>(static_cast<int64_t>(bytes->size()), size - where.address);
    if (fits < static_cast<int64_t>(bytes->size()) && !partial) {
        reply.fail("the data runs past the end of memory");
        return;
    }
    if (fits > 0) {
        timeline_change([&] {
            std::memcpy(memory_bytes(where.video) + where.address, bytes->data(), static_cast<std::size_t>(fits));
        });
    }
    reply.body["bytesWritten"] = fits;
    ++g_session.changes;
}

void request_disassemble(Arguments& arguments, Reply& reply)
{
    MemoryReference where{};
    arguments.require("instructionCount");
    const int64_t skip = arguments.integer("instructionOffset", 0);
    const int64_t count = arguments.integer("instructionCount", 0);
    if (!start_address(arguments, where, reply)) {
        return;
    }
    if (where.video) {
        reply.fail("video memory holds no instructions");
        return;
    }
    if (count < 0 || count > LARGEST_INSTRUCTION_COUNT || skip < -LARGEST_INSTRUCTION_COUNT ||
        skip > LARGEST_INSTRUCTION_COUNT) {
        arguments.refuse(count < 0 || count > LARGEST_INSTRUCTION_COUNT ? "instructionCount" : "instructionOffset",
                         "must be from 0 to 65536");
        return;
    }
    std::vector<int64_t> addresses;
    int64_t at = where.address & ~int64_t{1};
    if (skip < 0) {
        addresses = instructions_before(at, -skip);
        addresses.resize(static_cast<std::size_t>(std::min(-skip, count)));
    }
    std::string text;
    for (int64_t i = 0; i < skip; ++i) {
        at += at < 0 || at > 0xFFFE ? 2 : 2 * decode(at, text).words;
    }
    while (static_cast<int64_t>(addresses.size()) < count) {
        addresses.push_back(at);
        at += at < 0 || at > 0xFFFE ? 2 : 2 * decode(at, text).words;
    }
    Json list = Json::array();
    for (const int64_t address : addresses) {
        list.push_back(instruction_entry(address));
    }
    reply.body["instructions"] = list;
}

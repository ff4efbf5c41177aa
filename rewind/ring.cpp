#include "rewind/ring.h"

#include <algorithm>
#include <cstring>
#include <limits>

#include "cpu/cpu.h"

namespace {

// Most pages of memory do not change in a frame: one comparison each finds
// them, and only the pages that did change are looked at block by block.
constexpr std::size_t PAGE = 4096;
constexpr std::size_t BLOCK = 64;

// A block of a way back: where it goes in the flat state, its length, then
// its bytes.
constexpr std::size_t BLOCK_HEADER = sizeof(uint32_t) + sizeof(uint16_t);

constexpr std::size_t CHUNK_BYTES = std::size_t{1} << 20;
constexpr uint64_t NO_CHUNK = std::numeric_limits<uint64_t>::max();

// Break entries (a key let go while the debugger holds the processor, say)
// are few; this many beyond two per frame kept are allowed.
constexpr std::size_t EXTRA_ENTRIES = 1024;

// A whole block is compared eight words at a time, inline: a changed page
// has 64 of them.
bool block_differs(const uint8_t* a, const uint8_t* b, std::size_t length)
{
    if (length != BLOCK) {
        return std::memcmp(a, b, length) != 0;
    }
    uint64_t x[BLOCK / 8];
    uint64_t y[BLOCK / 8];
    std::memcpy(x, a, BLOCK);
    std::memcpy(y, b, BLOCK);
    uint64_t differ = 0;
    for (std::size_t i = 0; i < BLOCK / 8; ++i) {
        differ |= x[i] ^ y[i];
    }
    return differ != 0;
}

uint8_t* put_block(uint8_t* out, std::size_t at, const uint8_t* bytes, std::size_t length)
{
    const auto offset = static_cast<uint32_t>(at);
    const auto size = static_cast<uint16_t>(length);
    std::memcpy(out, &offset, sizeof offset);
    std::memcpy(out + sizeof offset, &size, sizeof size);
    std::memcpy(out + BLOCK_HEADER, bytes, length);
    return out + BLOCK_HEADER + length;
}

// Writes a way back's blocks over the state they belong to.
void apply_way_back(const uint8_t* bytes, std::size_t size, uint8_t* state)
{
    for (const uint8_t* end = bytes + size; bytes < end;) {
        uint32_t offset = 0;
        uint16_t length = 0;
        std::memcpy(&offset, bytes, sizeof offset);
        std::memcpy(&length, bytes + sizeof offset, sizeof length);
        std::memcpy(state + offset, bytes + BLOCK_HEADER, length);
        bytes += BLOCK_HEADER + length;
    }
}

}  // namespace

Position position_now()
{
    return {g_cycles, g_cpu.PC, g_cpu.instruction};
}

void Ring::start(std::span<const RecordPart> parts, std::size_t frames, std::size_t byte_bound)
{
    stop();
    parts_.assign(parts.begin(), parts.end());
    reference_.assign(parts_size(parts), 0);
    most_way_back_ = reference_.size();
    for (const RecordPart& part : parts_) {
        most_way_back_ += BLOCK_HEADER * ((part.size + BLOCK - 1) / BLOCK);
    }
    chunk_bytes_ = std::max(CHUNK_BYTES, most_way_back_);
    most_chunks_ = std::max<std::size_t>(2, byte_bound / chunk_bytes_);
    most_frames_ = std::max<std::size_t>(1, frames);
}

void Ring::stop()
{
    clear();
    reference_.clear();
    reference_.shrink_to_fit();
}

void Ring::clear()
{
    entries_.clear();
    chunks_.clear();
    spare_.reset();
    frame_starts_ = 0;
}

void Ring::push(uint64_t frame, bool frame_start)
{
    Entry entry{frame, frame_start, false, {}, NO_CHUNK, 0, 0};
    uint8_t* const start = room_for_way_back(entry);
    if (start == nullptr) {
        capture_parts(parts_, reference_.data());  // the first entry needs no way back
    } else {
        entry.size = static_cast<uint32_t>(write_way_back(start) - start);
        Chunk& chunk = chunk_of(entry);
        chunk.used += entry.size;
        ++chunk.ways_back;
    }
    entries_.push_back(entry);
    frame_starts_ += frame_start ? 1 : 0;
    trim();
}

// Compares the machine with the reference, part by part: the reference's
// blocks that differ go to `out`, and the machine's take their place.
uint8_t* Ring::write_way_back(uint8_t* out)
{
    std::size_t at = 0;
    for (const RecordPart& part : parts_) {
        const auto* live = static_cast<const uint8_t*>(part.record);
        uint8_t* kept = reference_.data() + at;
        for (std::size_t page = 0; page < part.size; page += PAGE) {
            const std::size_t page_end = std::min(page + PAGE, part.size);
            if (std::memcmp(live + page, kept + page, page_end - page) == 0) {
                continue;
            }
            for (std::size_t block = page; block < page_end; block += BLOCK) {
                const std::size_t length = std::min(BLOCK, page_end - block);
                if (block_differs(live + block, kept + block, length)) {
                    out = put_block(out, at + block, kept + block, length);
                    std::memcpy(kept + block, live + block, length);
                }
            }
        }
        at += part.size;
    }
    return out;
}

void Ring::pop()
{
    drop_newest(true);
}

void Ring::cut_after(std::size_t index, const std::vector<uint8_t>& state)
{
    while (entries_.size() > index + 1) {
        drop_newest(false);
    }
    reference_ = state;
}

// The newest way back was written last: its chunk is used up to it again.
void Ring::drop_newest(bool onto_reference)
{
    Entry& newest = entries_.back();
    if (newest.chunk != NO_CHUNK) {
        if (onto_reference) {
            apply_way_back(chunk_of(newest).bytes.get() + newest.offset, newest.size, reference_.data());
        }
        chunk_of(newest).used = newest.offset;
    }
    release_way_back(newest);
    frame_starts_ -= newest.frame_start ? 1 : 0;
    entries_.pop_back();
}

void Ring::go_back(std::size_t index, std::vector<uint8_t>& state) const
{
    const Entry& entry = entries_[index];
    if (entry.chunk != NO_CHUNK) {
        const Chunk& chunk = chunks_[entry.chunk - first_chunk_];
        apply_way_back(chunk.bytes.get() + entry.offset, entry.size, state.data());
    }
}

std::size_t Ring::bytes_held() const
{
    const std::size_t chunks = chunks_.size() + (spare_ ? 1 : 0);
    return chunks * chunk_bytes_ + entries_.size() * sizeof(Entry) + reference_.capacity();
}

// Room for the largest way back at the end of the last chunk: a new chunk,
// or one freed by letting the oldest entries go. Null when no entry is left
// to need a way back.
uint8_t* Ring::room_for_way_back(Entry& entry)
{
    while (!entries_.empty()) {
        if (!chunks_.empty() && chunks_.back().used + most_way_back_ <= chunk_bytes_) {
            entry.chunk = first_chunk_ + chunks_.size() - 1;
            entry.offset = chunks_.back().used;
            return chunks_.back().bytes.get() + entry.offset;
        }
        if (chunks_.size() + (spare_ ? 1 : 0) < most_chunks_ || spare_) {
            Chunk chunk;
            // Left as allocated: the pages count only once written.
            chunk.bytes = spare_ ? std::move(spare_) : std::unique_ptr<uint8_t[]>(new uint8_t[chunk_bytes_]);
            if (chunks_.empty()) {
                first_chunk_ = 0;
            }
            chunks_.push_back(std::move(chunk));
            continue;
        }
        drop_oldest();
    }
    return nullptr;
}

Ring::Chunk& Ring::chunk_of(const Entry& entry)
{
    return chunks_[entry.chunk - first_chunk_];
}

// Chunks that no way back uses any longer go (the last one is kept
// empty): the one last freed is kept as a spare.
void Ring::release_way_back(Entry& entry)
{
    if (entry.chunk == NO_CHUNK) {
        return;
    }
    --chunk_of(entry).ways_back;
    entry.chunk = NO_CHUNK;
    entry.size = 0;
    while (chunks_.size() > 1 && chunks_.front().ways_back == 0) {
        spare_ = std::move(chunks_.front().bytes);
        chunks_.pop_front();
        ++first_chunk_;
    }
    while (chunks_.size() > 1 && chunks_.back().ways_back == 0) {
        spare_ = std::move(chunks_.back().bytes);
        chunks_.pop_back();
    }
    if (chunks_.size() == 1 && chunks_.front().ways_back == 0) {
        chunks_.front().used = 0;
    }
}

// The oldest entry goes, and the next one, now the oldest, needs no way
// back.
void Ring::drop_oldest()
{
    release_way_back(entries_.front());
    frame_starts_ -= entries_.front().frame_start ? 1 : 0;
    entries_.pop_front();
    if (!entries_.empty()) {
        release_way_back(entries_.front());
    }
}

// At most the frames to keep, and the oldest entry a frame's start.
void Ring::trim()
{
    const std::size_t most_entries = 2 * most_frames_ + EXTRA_ENTRIES;
    while (frame_starts_ > most_frames_ || entries_.size() > most_entries) {
        drop_oldest();
    }
    while (entries_.size() > 1 && !entries_.front().frame_start) {
        drop_oldest();
    }
}

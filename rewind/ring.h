// The kept past: a ring of entries, each the machine as it stood at one
// moment (the start of a frame, or a change the host made within one). Only
// the newest entry is held whole, as the reference; each entry carries its
// way back: the bytes of the entry before it, in the 64-byte blocks where the
// two differ. A frame of a typical program changes a few dozen bytes, so an
// entry costs a few hundred. The ways back lie in chunks of a fixed size, and
// the chunks in use never exceed the bound given: past it, and past the
// number of frames to keep, the oldest entries go.
#pragma once

#include <cstddef>
#include <cstdint>
#include <deque>
#include <memory>
#include <span>
#include <vector>

#include "machine/record_parts.h"

// A place in the machine's run, between two instructions. Within one
// stretch of the run two places alike here are alike in every byte: the
// cycle count grows with every instruction but the codes without an
// instruction, which move PC on and change nothing else.
struct Position {
    int32_t cycles;
    uint16_t pc;
    uint16_t instruction;  // the word executed last

    bool operator==(const Position&) const = default;
};

Position position_now();

struct Entry {
    uint64_t frame;    // the host's frame number when it was taken
    bool frame_start;  // taken as a frame began; else at a change the host made in one
    bool ended;        // the stretch of the run from this entry on has ended, at `end`
    Position end;
    // Its way back: `size` bytes at `offset` in chunk number `chunk`.
    uint64_t chunk;
    uint32_t offset;
    uint32_t size;
};

class Ring {
public:
    // Keeps the parts' past from now on: at most `frames` frame starts, in
    // at most `byte_bound` bytes of chunks (two at least).
    void start(std::span<const RecordPart> parts, std::size_t frames, std::size_t byte_bound);
    void stop();

    // Every entry goes; the next push takes the machine whole again.
    void clear();

    bool empty() const { return entries_.empty(); }
    std::size_t size() const { return entries_.size(); }
    Entry& newest() { return entries_.back(); }
    const Entry& at(std::size_t index) const { return entries_[index]; }  // 0: the oldest
    std::span<const RecordPart> parts() const { return parts_; }
    std::size_t state_size() const { return reference_.size(); }
    std::size_t frames_kept() const { return frame_starts_; }

    // The newest entry whole, as the flat bytes of the parts.
    const std::vector<uint8_t>& reference() const { return reference_; }

    // The machine as it stands becomes the newest entry; the oldest go if
    // the ring holds too much.
    void push(uint64_t frame, bool frame_start);

    // The newest entry goes; the one before it becomes the reference.
    void pop();

    // The entries after `index` go, and `state` (that entry whole) becomes
    // the reference.
    void cut_after(std::size_t index, const std::vector<uint8_t>& state);

    // Turns `state`, entry `index` whole, into the entry before it.
    void go_back(std::size_t index, std::vector<uint8_t>& state) const;

    // The bytes allocated for the past: the chunks, the entries, the
    // reference.
    std::size_t bytes_held() const;

private:
    struct Chunk {
        std::unique_ptr<uint8_t[]> bytes;
        uint32_t used = 0;
        uint32_t ways_back = 0;  // entries whose way back lies here
    };

    uint8_t* room_for_way_back(Entry& entry);
    uint8_t* write_way_back(uint8_t* out);
    Chunk& chunk_of(const Entry& entry);
    void release_way_back(Entry& entry);
    void drop_newest(bool onto_reference);
    void drop_oldest();
    void trim();

    std::vector<RecordPart> parts_;
    std::vector<uint8_t> reference_;
    std::deque<Entry> entries_;
    std::deque<Chunk> chunks_;
    uint64_t first_chunk_ = 0;  // the number of chunks_.front()
    std::unique_ptr<uint8_t[]> spare_;
    std::size_t chunk_bytes_ = 0;
    std::size_t most_chunks_ = 0;
    std::size_t most_frames_ = 0;
    std::size_t most_way_back_ = 0;
    std::size_t frame_starts_ = 0;
};

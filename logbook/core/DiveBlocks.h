#pragma once
// Blocks of memory that hold the dives of a loaded logbook one after the other, each
// dive followed by its profile bytes. A logbook of 65535 dives is built with about a
// thousand allocations instead of two per dive. A block is released with its last dive.
//
//   TDiveBlocks blocks;
//   TDivePtr dive = blocks.NewDive();   // an empty dive whose profile fills in after it
//   ReadRecord(*dive, ...);

#include <atomic>
#include <cstddef>
#include <memory>

class TDiveRec;
class TDiveBlock;

// Releases a dive: one built in a block is destroyed in place and gives its place back
// to the block; any other is deleted.
struct TDiveRelease {
    TDiveBlock* Block = nullptr;

    TDiveRelease() noexcept = default;
    explicit TDiveRelease(TDiveBlock* block) noexcept : Block(block) {}
    // A dive made with make_unique is released as it always was.
    TDiveRelease(std::default_delete<TDiveRec>) noexcept {}
    void operator()(TDiveRec* dive) const noexcept;
};

// A dive that its logbook owns.
using TDivePtr = std::unique_ptr<TDiveRec, TDiveRelease>;

class alignas(8) TDiveBlock {
public:
    TDiveBlock(const TDiveBlock&) = delete;
    TDiveBlock& operator=(const TDiveBlock&) = delete;

    // `n` bytes aligned for a dive from the unused rest, or null when it is too short
    // or the block is no longer being built.
    void* Take(std::size_t n) noexcept {
        n = (n + kAlign - 1) & ~(kAlign - 1);
        if (!m_open || n > m_left) return nullptr;
        void* p = m_next;
        m_next += n;
        m_left -= n;
        return p;
    }
    bool Holds(const void* p) const noexcept {
        const auto* b = static_cast<const unsigned char*>(p);
        return b >= Bytes() && b < m_next;
    }
    // One of the block's dives is gone; the last one releases the block.
    void ReleaseDive() noexcept;

private:
    friend class TDiveBlocks;
    static constexpr std::size_t kAlign = 8;

    TDiveBlock(std::size_t bytes, std::size_t mostDives) noexcept
        : m_dives(1 + mostDives), m_next(Bytes()), m_left(bytes) {}
    unsigned char* Bytes() noexcept { return reinterpret_cast<unsigned char*>(this + 1); }
    const unsigned char* Bytes() const noexcept { return reinterpret_cast<const unsigned char*>(this + 1); }

    // Dives built here, plus one for the builder while it builds here. Until then it
    // counts every dive the block could hold, so that a dive released while the rest are
    // still being built cannot release it early; the builder subtracts those not built.
    std::atomic<std::size_t> m_dives;
    unsigned char* m_next;
    std::size_t m_left;
    bool m_open = true;
};

// Builds the dives of one load, on one thread, in blocks of its own.
class TDiveBlocks {
public:
    TDiveBlocks() = default;
    ~TDiveBlocks() { Close(); }
    TDiveBlocks(const TDiveBlocks&) = delete;
    TDiveBlocks& operator=(const TDiveBlocks&) = delete;

    // An empty dive (as TDiveRec{} is) whose profile bytes come from its block.
    TDivePtr NewDive();

    // Blocks of all loads that are not yet released: memory goes back with the last dive.
    static std::size_t Live() noexcept;

private:
    void Close() noexcept;

    TDiveBlock* m_current = nullptr;
    std::size_t m_dives = 0;  // built in m_current, not yet counted there
};

#include "DiveBlocks.h"

#include <new>
#include <utility>

#include "ProfileBytes.h"
#include "TDiveRec.h"

namespace {
// Below the size from which the heap maps each allocation on its own, which costs fresh
// pages at every load.
constexpr std::size_t kBlockBytes = std::size_t{64} << 10;
// Each dive takes at least its record, which bounds the dives a block can hold.
constexpr std::size_t kRecordBytes = sizeof(TDiveRec);
constexpr std::size_t kMostDives = kBlockBytes / kRecordBytes;
std::atomic<std::size_t> g_liveBlocks{0};
}  // namespace

std::size_t TDiveBlocks::Live() noexcept { return g_liveBlocks.load(std::memory_order_relaxed); }

void* profile_memory::Allocate(TDiveBlock* block, std::size_t n) {
    if (block) {
        if (void* p = block->Take(n)) return p;
    }
    return ::operator new(n);
}

void profile_memory::Release(TDiveBlock* block, void* p) noexcept {
    if (block && block->Holds(p)) return;
    ::operator delete(p);
}

void TDiveRelease::operator()(TDiveRec* dive) const noexcept {
    if (!Block) {
        delete dive;
        return;
    }
    dive->~TDiveRec();
    Block->ReleaseDive();
}

void TDiveBlock::ReleaseDive() noexcept {
    if (m_dives.fetch_sub(1, std::memory_order_acq_rel) != 1) return;
    this->~TDiveBlock();
    ::operator delete(this);
    g_liveBlocks.fetch_sub(1, std::memory_order_relaxed);
}

TDivePtr TDiveBlocks::NewDive() {
    static_assert(alignof(TDiveRec) <= TDiveBlock::kAlign && sizeof(TDiveBlock) % TDiveBlock::kAlign == 0);
    void* place = m_current ? m_current->Take(kRecordBytes) : nullptr;
    if (!place) {
        Close();
        void* memory = ::operator new(sizeof(TDiveBlock) + kBlockBytes);
        m_current = new (memory) TDiveBlock(kBlockBytes, kMostDives);
        g_liveBlocks.fetch_add(1, std::memory_order_relaxed);
        m_dives = 0;
        place = m_current->Take(kRecordBytes);
    }
    ++m_dives;
    TDivePtr dive(new (place) TDiveRec, TDiveRelease(m_current));
    dive->ProfileBlock.PlaceIn(m_current);
    return dive;
}

void TDiveBlocks::Close() noexcept {
    if (!m_current) return;
    TDiveBlock* block = std::exchange(m_current, nullptr);
    block->m_open = false;
    // Down to the dives really built, then the builder's own hold goes.
    block->m_dives.fetch_sub(kMostDives - m_dives, std::memory_order_acq_rel);
    block->ReleaseDive();
}

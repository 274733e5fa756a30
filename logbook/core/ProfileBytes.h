#pragma once
// The bytes of a dive's profile block. A dive loaded from a logbook file keeps them in
// the block of memory that its collection built it in, right after the dive itself, so
// a large logbook is built with a few large allocations instead of two per dive. A
// profile copied or moved out of such a dive takes its bytes along into memory of its
// own; the block's bytes go back with the block.
//
//   rec.ProfileBlock.Assign(bytes);                     // a byte vector with a fast copy
//   std::span<const std::uint8_t> all = rec.ProfileBlock;

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <cstring>
#include <initializer_list>
#include <span>
#include <type_traits>
#include <vector>

class TDiveBlock;

namespace profile_memory {
// From `block` while it is open for building, otherwise from the heap.
void* Allocate(TDiveBlock* block, std::size_t n);
// Nothing for bytes inside `block`; the heap's are freed.
void Release(TDiveBlock* block, void* p) noexcept;
}  // namespace profile_memory

template <typename T>
class TProfileAllocator {
public:
    using value_type = T;
    // A profile moved into another takes its memory along; a copy has memory of its own.
    using propagate_on_container_move_assignment = std::true_type;
    using propagate_on_container_copy_assignment = std::false_type;
    using propagate_on_container_swap = std::true_type;
    using is_always_equal = std::false_type;

    TProfileAllocator() noexcept = default;
    explicit TProfileAllocator(TDiveBlock* block) noexcept : m_block(block) {}
    template <typename U>
    TProfileAllocator(const TProfileAllocator<U>& other) noexcept : m_block(other.Block()) {}

    T* allocate(std::size_t n) { return static_cast<T*>(profile_memory::Allocate(m_block, n * sizeof(T))); }
    void deallocate(T* p, std::size_t) noexcept { profile_memory::Release(m_block, p); }
    TProfileAllocator select_on_container_copy_construction() const noexcept { return {}; }

    TDiveBlock* Block() const noexcept { return m_block; }
    friend bool operator==(const TProfileAllocator& a, const TProfileAllocator& b) noexcept {
        return a.m_block == b.m_block;
    }

private:
    TDiveBlock* m_block = nullptr;
};

class TProfileBytes : public std::vector<std::uint8_t, TProfileAllocator<std::uint8_t>> {
    using Base = std::vector<std::uint8_t, TProfileAllocator<std::uint8_t>>;

public:
    TProfileBytes() = default;
    TProfileBytes(std::initializer_list<std::uint8_t> bytes) : Base(bytes) {}
    explicit TProfileBytes(std::size_t n, std::uint8_t value = 0) : Base(n, value) {}
    template <typename It>
    TProfileBytes(It first, It last) : Base(first, last) {}
    // Not explicit: a plain byte vector assigns to a profile as it always did.
    TProfileBytes(const std::vector<std::uint8_t>& bytes) { Assign(bytes); }

    // Copies go through Assign: the vector's own element-wise copy would move the bytes
    // one at a time. A copy has memory of its own, as the vector's copy would.
    // NOLINTNEXTLINE(bugprone-copy-constructor-init): the base starts empty on purpose
    TProfileBytes(const TProfileBytes& other) : Base() { Assign(other); }
    // Bytes that live in a dive block are copied, so the new owner does not depend on
    // the block; any others are taken over. Copying allocates, so a move may throw.
    // NOLINTNEXTLINE(performance-noexcept-move-constructor)
    TProfileBytes(TProfileBytes&& other) {
        if (other.get_allocator().Block()) {
            Assign(other);
        } else {
            Base::operator=(static_cast<Base&&>(other));
        }
    }
    TProfileBytes& operator=(const TProfileBytes& other) {
        if (this != &other) Assign(other);
        return *this;
    }
    // NOLINTNEXTLINE(performance-noexcept-move-constructor): may copy, as above
    TProfileBytes& operator=(TProfileBytes&& other) {
        if (this == &other) return *this;
        if (other.get_allocator().Block()) {
            Assign(other);
        } else {
            Base::operator=(std::move(other));
        }
        return *this;
    }
    TProfileBytes& operator=(const std::vector<std::uint8_t>& bytes) {
        Assign(bytes);
        return *this;
    }
    TProfileBytes& operator=(std::initializer_list<std::uint8_t> bytes) {
        assign(bytes);
        return *this;
    }
    friend bool operator==(const TProfileBytes& a, const std::vector<std::uint8_t>& b) {
        return std::equal(a.begin(), a.end(), b.begin(), b.end());
    }
    // Swapping would hand a block's bytes to a profile outside it.
    void swap(TProfileBytes&) = delete;

    // Replaces the bytes by `bytes` (which must not be this profile's own).
    void Assign(std::span<const std::uint8_t> bytes) {
        clear();
        resize(bytes.size());
        if (!bytes.empty()) std::memcpy(data(), bytes.data(), bytes.size());
    }

    // An empty profile of a dive being built in `block` takes its bytes from there.
    void PlaceIn(TDiveBlock* block) { Base::operator=(Base(allocator_type(block))); }
};

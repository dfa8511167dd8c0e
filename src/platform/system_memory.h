#pragma once

// Memory from the system for the program's large tables. A page of memory the
// process has not used yet costs a fault when first touched, each a trip
// through the system: a table is either left to be touched only where it is
// used (ZeroedTable), or, when it is filled whole soon after it is made,
// brought in in one request (prefault_for_writing, PrefaultedAllocator).

#include <cstddef>
#include <memory>
#include <span>
#include <type_traits>

// Asks the system to provide the pages of [start, start + bytes) for writing
// now, in one request instead of a fault per page. Changes no byte; where the
// system cannot (an older kernel), the pages come at first touch as usual.
void prefault_for_writing(void* start, std::size_t bytes);

// The standard allocator, with the pages of every large block prefaulted:
// for tables that are filled whole right after they are sized.
template <class T>
struct PrefaultedAllocator {
    using value_type = T;

    PrefaultedAllocator() = default;
    template <class U>
    PrefaultedAllocator(const PrefaultedAllocator<U>& /*other*/) noexcept {}

    T* allocate(std::size_t n) {
        T* const block = std::allocator<T>{}.allocate(n);
        prefault_for_writing(block, n * sizeof(T));
        return block;
    }
    void deallocate(T* block, std::size_t n) noexcept { std::allocator<T>{}.deallocate(block, n); }

    friend bool operator==(const PrefaultedAllocator& /*a*/, const PrefaultedAllocator& /*b*/) { return true; }
};

namespace platform_detail {

// `bytes` of fresh zeroed memory from the system (std::bad_alloc when it has
// none), and its return.
void* map_zeroed(std::size_t bytes);
void unmap_zeroed(void* memory, std::size_t bytes);

}  // namespace platform_detail

// A table of `count` entries whose bytes are all zero, for entry types whose
// zero bytes are their value-initialised state (plain records of numbers).
// The memory is mapped afresh from the system, which zeroes a page when it is
// first touched: a large working table of which a run uses the first entries
// costs the pages of those entries, where a std::vector (or memory from the
// heap) would clear every page.
template <class T>
class ZeroedTable {
    static_assert(std::is_trivially_copyable_v<T> && std::is_trivially_destructible_v<T>,
                  "entries must be plain records");

public:
    explicit ZeroedTable(std::size_t count)
        : bytes_(count * sizeof(T)), entries_(static_cast<T*>(platform_detail::map_zeroed(bytes_))), count_(count) {}
    ~ZeroedTable() { platform_detail::unmap_zeroed(entries_, bytes_); }
    ZeroedTable(const ZeroedTable&) = delete;
    ZeroedTable& operator=(const ZeroedTable&) = delete;

    std::span<T> entries() { return {entries_, count_}; }
    std::span<const T> entries() const { return {entries_, count_}; }

private:
    std::size_t bytes_;
    T* entries_;
    std::size_t count_;
};

#pragma once

#include <cstddef>
#include <span>
#include <type_traits>

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

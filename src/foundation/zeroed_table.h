#pragma once

#include <cstddef>
#include <cstdlib>
#include <memory>
#include <new>
#include <span>
#include <type_traits>

// A table of `count` entries whose bytes are all zero, for entry types whose
// zero bytes are their value-initialised state (plain records of numbers).
// The memory comes zeroed from the system and is only touched where entries
// are used: a large working table of which a run uses the first entries costs
// the pages of those entries, where a std::vector would clear every page.
template <class T>
class ZeroedTable {
    static_assert(std::is_trivially_copyable_v<T> && std::is_trivially_destructible_v<T>,
                  "entries must be plain records");

public:
    explicit ZeroedTable(std::size_t count)
        : entries_(static_cast<T*>(std::calloc(count == 0 ? 1 : count, sizeof(T)))), count_(count) {
        if (!entries_) {
            throw std::bad_alloc();
        }
    }

    std::span<T> entries() { return {entries_.get(), count_}; }
    std::span<const T> entries() const { return {entries_.get(), count_}; }

private:
    struct Free {
        void operator()(T* p) const { std::free(p); }
    };
    std::unique_ptr<T, Free> entries_;
    std::size_t count_;
};

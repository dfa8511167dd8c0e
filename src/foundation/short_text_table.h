#pragma once

#include <cstddef>
#include <cstdint>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "foundation/fixed_text.h"
#include "platform/system_memory.h"

// A numbered column of short texts (names, codes, descriptions) held
// compactly: the texts of all entries in one character pool, and per entry a
// single 32-bit index (the text's place in the pool and its length). A
// column of 15,001 entries thus costs 60 kB plus its characters, where as
// many std::string would fill 480 kB before a character is stored.
//
// An entry holds its text as a blank-padded field of the table's capacity
// holds it (fit_field): cut at the capacity, without trailing blanks. An
// entry never written reads as empty. Rewriting an entry with a text no
// longer than the one it holds reuses its place; a longer text goes to the
// end of the pool, the old characters staying there unused until clear()
// (or until the pool would outgrow the 16 MiB its offsets reach, when they
// are dropped). A read stays valid until the table is next changed.
class ShortTextTable {
public:
    // The largest capacity: a text's length fits a byte.
    static constexpr std::size_t kMaxCapacity = 255;

    // An empty table whose entries hold up to `capacity` characters (at most
    // kMaxCapacity; std::invalid_argument beyond).
    explicit ShortTextTable(std::size_t capacity);

    // Moved, not copied; a table moved from is empty.
    ShortTextTable(ShortTextTable&& other) noexcept;
    ShortTextTable& operator=(ShortTextTable&& other) noexcept;

    std::size_t capacity() const { return capacity_; }
    std::size_t size() const { return index_.size(); }
    bool empty() const { return index_.empty(); }

    // `entries` entries: those added are empty, those kept keep their texts.
    // The pool is given room for every entry at its capacity: memory only
    // reserved, touched as texts are stored.
    void resize(std::size_t entries);

    // Every entry empty, the pool emptied; the number of entries stays.
    void clear();

    std::string_view operator[](std::size_t entry) const {
        const std::uint32_t packed = index_[entry];
        return {pool_.get() + (packed >> kLengthBits), packed & kLengthMask};
    }

    // Entry `entry` (below size()) holds `text` as its field holds it.
    void set(std::size_t entry, std::string_view text) {
        const std::string_view value = fitted_view(text, capacity_);
        std::uint32_t& packed_entry = index_[entry];
        std::size_t offset = packed_entry >> kLengthBits;
        if (value.size() > (packed_entry & kLengthMask)) {
            if (pool_used_ + value.size() > pool_room_) {
                append_growing(packed_entry, value);
                return;
            }
            offset = pool_used_;
            pool_used_ += value.size();
            if (pool_used_ > pool_ready_) {
                prefault_pool();
            }
        }
        // Moved, not copied: the text may be one of this table's own.
        std::string::traits_type::move(pool_.get() + offset, value.data(), value.size());
        packed_entry = packed(offset, value.size());
    }

    // Characters in the pool, those left by rewrites included.
    std::size_t pool_size() const { return pool_used_; }

private:
    static constexpr unsigned kLengthBits = 8;
    static constexpr std::uint32_t kLengthMask = (1u << kLengthBits) - 1;
    // The pool's size limit: an offset fits the 24 bits above the length.
    static constexpr std::size_t kMaxPool = std::size_t{1} << (32 - kLengthBits);

    static std::uint32_t packed(std::size_t offset, std::size_t length) {
        return static_cast<std::uint32_t>(offset << kLengthBits | length);
    }
    // The entry holds `value`, put at the end of a pool without room for it.
    void append_growing(std::uint32_t& packed_entry, std::string_view value);
    // Room for `room` characters (at most kMaxPool), those held kept.
    void grow(std::size_t room);
    // The pool without the characters rewrites left behind.
    void compact();
    // The pages of the pool's next stretch brought in at once, as texts are
    // about to fill them.
    void prefault_pool();

    std::size_t capacity_;
    std::vector<std::uint32_t, PrefaultedAllocator<std::uint32_t>> index_;
    // Characters 0..pool_used_ of pool_room_ are in use; the rest is
    // allocated but left untouched, but for the stretch prefaulted ahead.
    std::unique_ptr<char[]> pool_;
    std::size_t pool_used_ = 0;
    std::size_t pool_room_ = 0;
    std::size_t pool_ready_ = 0;  // characters 0..pool_ready_ have their pages
};

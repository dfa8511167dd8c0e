#include "foundation/short_text_table.h"

#include <algorithm>
#include <stdexcept>
#include <utility>

ShortTextTable::ShortTextTable(std::size_t capacity) : capacity_(capacity) {
    if (capacity > kMaxCapacity) {
        throw std::invalid_argument("ShortTextTable: capacity beyond 255 characters");
    }
}

ShortTextTable::ShortTextTable(ShortTextTable&& other) noexcept
    : capacity_(other.capacity_),
      index_(std::exchange(other.index_, {})),
      pool_(std::move(other.pool_)),
      pool_used_(std::exchange(other.pool_used_, 0)),
      pool_room_(std::exchange(other.pool_room_, 0)),
      pool_ready_(std::exchange(other.pool_ready_, 0)) {}

ShortTextTable& ShortTextTable::operator=(ShortTextTable&& other) noexcept {
    capacity_ = other.capacity_;
    index_ = std::exchange(other.index_, {});
    pool_ = std::move(other.pool_);
    pool_used_ = std::exchange(other.pool_used_, 0);
    pool_room_ = std::exchange(other.pool_room_, 0);
    pool_ready_ = std::exchange(other.pool_ready_, 0);
    return *this;
}

void ShortTextTable::resize(std::size_t entries) {
    index_.resize(entries);
    grow(std::min(entries * capacity_, kMaxPool));
}

void ShortTextTable::clear() {
    std::fill(index_.begin(), index_.end(), 0u);
    pool_used_ = 0;
}

void ShortTextTable::append_growing(std::uint32_t& packed_entry, std::string_view value) {
    const std::string text(value);  // the pool may move, and value with it
    packed_entry = 0;               // its old text is not kept by a compaction
    if (pool_used_ + text.size() > kMaxPool) {
        compact();
        if (pool_used_ + text.size() > kMaxPool) {
            throw std::length_error("ShortTextTable: texts beyond 16 MiB");
        }
    }
    grow(std::min(std::max(2 * pool_room_, pool_used_ + text.size()), kMaxPool));
    std::copy(text.begin(), text.end(), pool_.get() + pool_used_);
    packed_entry = packed(pool_used_, text.size());
    pool_used_ += text.size();
}

void ShortTextTable::grow(std::size_t room) {
    if (room <= pool_room_) {
        return;
    }
    auto larger = std::make_unique_for_overwrite<char[]>(room);
    std::copy(pool_.get(), pool_.get() + pool_used_, larger.get());
    pool_ = std::move(larger);
    pool_room_ = room;
    pool_ready_ = pool_used_;
}

void ShortTextTable::compact() {
    auto kept = std::make_unique_for_overwrite<char[]>(pool_room_);
    std::size_t used = 0;
    for (std::uint32_t& packed_entry : index_) {
        const std::size_t length = packed_entry & kLengthMask;
        const char* const text = pool_.get() + (packed_entry >> kLengthBits);
        std::copy(text, text + length, kept.get() + used);
        packed_entry = length == 0 ? 0 : packed(used, length);
        used += length;
    }
    pool_ = std::move(kept);
    pool_used_ = used;
    pool_ready_ = used;
}

void ShortTextTable::prefault_pool() {
    // A stretch of 16 pages: as many faults saved per request to the system.
    constexpr std::size_t kStretch = 64 * 1024;
    const std::size_t end = std::min(pool_used_ + kStretch, pool_room_);
    prefault_for_writing(pool_.get() + pool_ready_, end - pool_ready_);
    pool_ready_ = end;
}

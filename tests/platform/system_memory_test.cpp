#include "platform/system_memory.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <numeric>
#include <vector>

namespace {

struct Pair {
    float x = 0.0f;
    float y = 0.0f;
};

// Prefaulting only brings pages in: every byte of the block, of the partial
// pages around it and of memory already in use keeps its value.
TEST(SystemMemory, PrefaultingKeepsEveryByte) {
    std::vector<std::uint32_t> block(256 * 1024);
    std::iota(block.begin(), block.end(), 7u);
    prefault_for_writing(block.data() + 333, 100 * 1024);  // an unaligned stretch
    prefault_for_writing(block.data(), 10);                  // below the size worth a request
    for (std::size_t i = 0; i < block.size(); ++i) {
        ASSERT_EQ(block[i], i + 7u) << i;
    }
}

// A zeroed table reads as value-initialised entries and keeps what is written.
TEST(SystemMemory, ZeroedTableStartsAtZero) {
    ZeroedTable<Pair> table(50000);
    ASSERT_EQ(table.entries().size(), 50000u);
    EXPECT_EQ(table.entries()[0].x, 0.0f);
    EXPECT_EQ(table.entries()[49999].y, 0.0f);
    table.entries()[49999] = Pair{1.0f, 2.0f};
    EXPECT_EQ(table.entries()[49999].y, 2.0f);
    const ZeroedTable<Pair> empty(0);
    EXPECT_TRUE(empty.entries().empty());
}

}  // namespace

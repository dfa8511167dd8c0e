#include "foundation/short_text_table.h"

#include <gtest/gtest.h>

#include <stdexcept>
#include <string>

TEST(ShortTextTable, EntriesReadEmptyUntilWrittenAndKeepTheirTextsWhenResized) {
    ShortTextTable table(24);
    EXPECT_TRUE(table.empty());
    table.resize(15001);
    EXPECT_EQ(table.size(), 15001u);
    EXPECT_EQ(table[0], "");
    EXPECT_EQ(table[15000], "");
    for (std::size_t k = 1; k <= 15000; k += 2) {
        table.set(k, "Point " + std::to_string(k));
    }
    table.resize(20000);
    for (std::size_t k = 1; k <= 15000; ++k) {
        ASSERT_EQ(table[k], k % 2 == 1 ? "Point " + std::to_string(k) : "") << k;
    }
    EXPECT_EQ(table[19999], "");
}

TEST(ShortTextTable, HoldsTextsAsTheirFieldDoes) {
    ShortTextTable table(24);
    table.resize(4);
    table.set(1, std::string(24, 'N'));
    table.set(2, std::string(23, 'C') + " x");  // cut at 24, then the trailing blank dropped
    table.set(3, "  Leading kept   ");
    EXPECT_EQ(table[1], std::string(24, 'N'));
    EXPECT_EQ(table[2], std::string(23, 'C'));
    EXPECT_EQ(table[3], "  Leading kept");
    table.set(1, std::string(25, 'M'));
    EXPECT_EQ(table[1], std::string(24, 'M'));

    // The largest capacity: a length of 255 does not spill into the offset.
    ShortTextTable wide(ShortTextTable::kMaxCapacity);
    wide.resize(3);
    wide.set(1, std::string(300, 'w'));
    wide.set(2, "next");
    EXPECT_EQ(wide[1], std::string(255, 'w'));
    EXPECT_EQ(wide[2], "next");
    EXPECT_THROW(ShortTextTable(ShortTextTable::kMaxCapacity + 1), std::invalid_argument);
}

TEST(ShortTextTable, RewritesReusePlaceOrAppendAndLeaveOtherEntriesAlone) {
    ShortTextTable table(64);
    table.resize(4);
    table.set(1, "Airfield");
    table.set(2, "Village");
    const std::size_t pool = table.pool_size();
    table.set(1, "Farm");  // shorter: in place
    EXPECT_EQ(table.pool_size(), pool);
    table.set(1, "Bridge, north side");  // longer: at the end of the pool
    EXPECT_EQ(table.pool_size(), pool + 18);
    table.set(2, "");
    table.set(3, table[1]);                // a text of the table itself
    table.set(1, table[1].substr(8));      // ... also into its own place
    EXPECT_EQ(table[1], "north side");
    EXPECT_EQ(table[2], "");
    EXPECT_EQ(table[3], "Bridge, north side");
}

TEST(ShortTextTable, PoolPastItsOffsetRangeDropsWhatRewritesLeft) {
    // Each long rewrite after a short one appends 255 characters: about
    // 66,000 of them fill the 16 MiB the offsets reach.
    ShortTextTable table(ShortTextTable::kMaxCapacity);
    table.resize(3);
    table.set(0, "first");
    table.set(2, "last");
    for (int n = 0; n < 70000; ++n) {
        table.set(1, "x");
        table.set(1, std::string(255, static_cast<char>('a' + n % 26)));
    }
    EXPECT_LE(table.pool_size(), std::size_t{1} << 24);
    EXPECT_EQ(table[0], "first");
    EXPECT_EQ(table[1], std::string(255, static_cast<char>('a' + 69999 % 26)));
    EXPECT_EQ(table[2], "last");
}

TEST(ShortTextTable, ClearEmptiesEveryEntryAndThePool) {
    ShortTextTable table(12);
    table.resize(1001);
    table.set(1000, "Zulu");
    table.set(1, "Alpha");
    table.clear();
    EXPECT_EQ(table.size(), 1001u);
    EXPECT_EQ(table.pool_size(), 0u);
    EXPECT_EQ(table[1], "");
    EXPECT_EQ(table[1000], "");
    table.set(1000, "Again");
    EXPECT_EQ(table[1000], "Again");
    EXPECT_EQ(table[1], "");
}

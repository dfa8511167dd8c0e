#include <cstdint>
#include <string>

#include "foundation/message_records.h"
#include "foundation/terrain_extents.h"
#include "foundation/terrain_headers.h"
#include "support/terrain_bytes.h"
#include "terrain/grid_access.h"
#include "terrain/trn_heights.h"
#include "terrain_fixture.h"

namespace terrain_test {
namespace {

using tarvex_test::TrnHeader;

// File height of column c (from the east, from 0), row r (from the south):
// values above 255 so that the byte order shows, and the largest one.
std::uint16_t file_height(int c, int r) {
    if (c == 3 && r == 2) {
        return 65535;
    }
    return static_cast<std::uint16_t>(0x1234 + 0x100 * c + r);
}

// A terrain file of 4 columns and 3 rows, 90 m steps, as Condor writes it.
std::string small_trn(const TrnHeader& header = {4, 3, 90.0f, 90.0f, 90.0f}, std::size_t drop = 0) {
    std::string bytes = tarvex_test::trn_bytes(header);
    for (int c = 0; c < header.columns; ++c) {
        for (int r = 0; r < header.rows; ++r) {
            const std::uint16_t h = file_height(c, r);
            bytes += static_cast<char>(h & 0xFF);
            bytes += static_cast<char>(h >> 8);
        }
    }
    return bytes.substr(0, bytes.size() - drop);
}

class TrnHeights : public TerrainTest {
protected:
    int load(const std::string& bytes) {
        dir_.write("land.trn", bytes);
        int status = -1;
        read_trn_heights("land.trn", status);
        return status;
    }
};

TEST_F(TrnHeights, LoadsColumnsFromTheEastAndRowsFromTheSouth) {
    ASSERT_EQ(load(small_trn()), 0);
    ASSERT_EQ(altitude.zp.ni(), 4);
    ASSERT_EQ(altitude.zp.nj(), 3);
    EXPECT_EQ(trn001.ni_00, 4);
    EXPECT_EQ(trn001.nj_00, 3);
    EXPECT_EQ(trn001.i_00, 1);
    EXPECT_EQ(trn001.j_00, 1);
    EXPECT_EQ(trn001.ni_scn, 4);
    EXPECT_EQ(trn001.nj_scn, 3);
    EXPECT_EQ(trn001.rew, 90.0f);
    EXPECT_EQ(trn001.rns, 90.0f);
    EXPECT_EQ(trn001.dxy, 90.0f);
    EXPECT_EQ(trn001.x_scn_mx, 360.0f);
    EXPECT_EQ(trn001.y_scn_mx, 270.0f);
    for (int c = 0; c < 4; ++c) {
        for (int r = 0; r < 3; ++r) {
            EXPECT_EQ(altitude.zp(4 - c, r + 1), static_cast<float>(file_height(c, r))) << c << " " << r;
        }
    }
    EXPECT_EQ(trn_file_size(4, 3), 60u);
    // The first file column lies along the east edge, where landscape x is
    // 0..90; the last row along the north edge.
    int ii = -1000001;
    int jj = 0;
    EXPECT_EQ(get_alt(10.0f, 10.0f, ii, jj), static_cast<float>(file_height(0, 0)));
    ii = -1000001;
    EXPECT_EQ(get_alt(350.0f, 260.0f, ii, jj), 65535.0f);
    EXPECT_EQ(ii, 1);
    EXPECT_EQ(jj, 3);
}

TEST_F(TrnHeights, StepsWithinAMillimetreOfNinetyMetres) {
    EXPECT_EQ(load(small_trn({4, 3, 90.0f, -90.0005f, 89.9995f})), 0);
    EXPECT_EQ(trn001.rew, 90.0005f);
    EXPECT_EQ(trn001.rns, 89.9995f);
    EXPECT_TRUE(boxes_.empty());
}

TEST_F(TrnHeights, RefusalsKeepTheGridLoadedBefore) {
    ASSERT_EQ(load(small_trn()), 0);
    const float kept = altitude.zp(2, 2);
    struct Case {
        std::string bytes;
        int status;
        std::string message;
    };
    const Case cases[] = {
        {small_trn({4, 3, 90.0f, 100.0f, 100.0f}), kTrnNotNinety,
         "Terrain file land.trn : its grid steps are not 90 m (100, 100)"},
        {small_trn({4, 3, 90.0f, 90.0f, 90.01f}), kTrnNotNinety,
         "Terrain file land.trn : its grid steps are not 90 m (90, 90.010002)"},
        {small_trn({4, 3, 90.0f, 90.0f, 90.0f}, 1), kTrnShortBody,
         "Terrain file land.trn : its heights end before its grid does (59 bytes instead of 60)"},
        {small_trn() + "x", kTrnSizeMismatch,
         "Terrain file land.trn : its size does not match its grid (61 bytes instead of 60)"},
        {small_trn().substr(0, 20), kHeaderEnd, "Terrain file land.trn : shorter than its 36-byte header"},
        {tarvex_test::trn_bytes({0, 3, 90.0f, 90.0f, 90.0f}), kHeaderBadValue,
         "Terrain file land.trn : its header describes no terrain grid"},
        {tarvex_test::trn_bytes({-4, 3, 90.0f, 90.0f, 90.0f}), kHeaderBadValue,
         "Terrain file land.trn : its header describes no terrain grid"},
        // A header claiming a huge grid over a few bytes allocates nothing.
        {tarvex_test::trn_bytes({2000000000, 2000000000, 90.0f, 90.0f, 90.0f}, 24), kTrnShortBody,
         "Terrain file land.trn : its heights end before its grid does (60 bytes instead of 8000000000000000036)"},
    };
    for (const Case& c : cases) {
        boxes_.clear();
        EXPECT_EQ(load(c.bytes), c.status) << c.message;
        ASSERT_EQ(boxes_.size(), 1u) << c.message;
        EXPECT_EQ(boxes_[0], c.message);
        EXPECT_EQ(altitude.zp.ni(), 4);
        EXPECT_EQ(altitude.zp(2, 2), kept);
        EXPECT_EQ(trn001.nj_00, 3);
    }
    boxes_.clear();
    int status = 0;
    read_trn_heights("missing.trn", status);
    EXPECT_NE(status, 0);
    ASSERT_EQ(boxes_.size(), 1u);
    EXPECT_EQ(boxes_[0], "Terrain file missing.trn : cannot be opened");
}

TEST_F(TrnHeights, FrenchMessages) {
    cmndta001.qfr = true;
    EXPECT_EQ(load(small_trn().substr(0, 30)), kHeaderEnd);
    ASSERT_EQ(boxes_.size(), 1u);
    EXPECT_EQ(boxes_[0], "Fichier de terrain land.trn : plus court que son en-t\xEAte de 36 octets");
}

}  // namespace
}  // namespace terrain_test

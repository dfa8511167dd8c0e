#include "foundation/layer_reset.h"
#include "foundation/local_frame.h"
#include "foundation/log.h"
#include "foundation/terrain_extents.h"
#include "foundation/terrain_headers.h"
#include "foundation/utm_frame.h"

#include "support/temp_dir.h"
#include "support/terrain_bytes.h"

#include <gtest/gtest.h>

#include <cfloat>
#include <cmath>
#include <cstdint>
#include <limits>
#include <string>
#include <utility>
#include <vector>

using tarvex_test::DemHeader;
using tarvex_test::ScopedCwd;
using tarvex_test::TempDir;
using tarvex_test::TrnHeader;

namespace {

// The bits of a signalling NaN: a float's, and the high word of a double's.
constexpr std::uint32_t kSignallingNanBits = 0x7FA00000u;
constexpr std::uint32_t kSignallingNanBits64High = 0x7FF40000u;

// A temporary current folder with a fresh frame and log.
// What a grid header read gives, with the readers called on it.
struct GridHeader {
    double latmin = 0;
    double latmax = 0;
    double lonmin = 0;
    double lonmax = 0;
    int ncols = 0;
    int nrows = 0;
    int zone = 0;
    char hemisphere = ' ';

    int read_dem(std::string_view file) {
        return read_dem_hdr(file, latmin, latmax, lonmin, lonmax, ncols, nrows, zone, hemisphere);
    }
    int read_asc(std::string_view file) {
        return read_ascdem_hdr(file, latmin, latmax, lonmin, lonmax, ncols, nrows, zone, hemisphere);
    }
};

class FrameTest : public testing::Test {
protected:
    FrameTest() : cwd_(dir_.path()) {
        reset_foundation_layer();
        reset_log();
    }
    ~FrameTest() override {
        reset_foundation_layer();
        reset_log();
    }
    void write(const std::string& name, const std::string& bytes) { dir_.write(name, bytes); }
    // Writes `name` with the default terrain header and takes it as the frame
    // (utm_init's result).
    int init_default_frame(const std::string& name) {
        write(name, tarvex_test::trn_bytes(TrnHeader{}));
        float width = 0.0f;
        float height = 0.0f;
        return utm_init(name, width, height);
    }
    std::string log_text() const {
        const auto file = dir_.path() / "Logfile.txt";
        return std::filesystem::exists(file) ? TempDir::read(file) : std::string();
    }

    TempDir dir_;
    ScopedCwd cwd_;
};

// Reference UTM values (WGS84, 6-degree zones) from an independent method.
constexpr double kNorthing45OnMeridian = 4982950.4;
constexpr double kEasting45At12East = 736446.03;  // zone 32
constexpr double kNorthing45At12East = 4987329.50;

}  // namespace

TEST_F(FrameTest, TrnHeaderSetsTheFrame) {
    TrnHeader h;
    h.columns = 2000;
    h.rows = 1500;
    h.column_step = 90.0f;
    h.row_step = -90.0f;  // a negative step still gives a positive height
    h.easting = 600000.0f;
    h.northing = 4900000.0f;
    h.third = 12.5f;
    write("AA3.trn", tarvex_test::trn_bytes(h, 1000));

    float width = 0.0f;
    float height = 0.0f;
    ASSERT_EQ(utm_init("AA3.trn", width, height), 1);
    EXPECT_EQ(width, 180000.0f);
    EXPECT_EQ(height, 135000.0f);
    EXPECT_TRUE(utm001.initialized);
    EXPECT_EQ(utm000.nzon, 32);
    EXPECT_EQ(utm000.zlat, 'N');
    EXPECT_EQ(utm000.rlon0, 9.0);
    EXPECT_EQ(utm000.n0, 0.0);
    EXPECT_EQ(utm000.orig_e, 600000.0);
    EXPECT_EQ(utm000.orig_n, 4900000.0);
    EXPECT_EQ(utm000.ori, 12.5f);
    EXPECT_EQ(utm000.xmax, 180000.0);
    EXPECT_EQ(utm000.ymax, 135000.0);

    // A point on the central meridian has easting 500 km: rx = orig_e - 500,000.
    float rx = 0.0f;
    float ry = 0.0f;
    ASSERT_EQ(latlontoxy(45.0f, 9.0f, rx, ry), 1);
    EXPECT_NEAR(rx, 100000.0f, 0.01f);
    EXPECT_NEAR(ry, kNorthing45OnMeridian - 4900000.0, 0.05);
    // Off the meridian, within a metre of the reference.
    ASSERT_EQ(latlontoxy(45.0f, 12.0f, rx, ry), 1);
    EXPECT_NEAR(rx, 600000.0 - kEasting45At12East, 1.0);
    EXPECT_NEAR(ry, kNorthing45At12East - 4900000.0, 1.0);
}

TEST_F(FrameTest, LatitudesMetAgainGiveTheirFirstPositions) {
    ASSERT_EQ(init_default_frame("AA4.trn"), 1);
    // Far more latitudes than the kept terms have room for, each first
    // computed afresh, then again in the other order with other longitudes.
    constexpr int kCount = 30000;
    std::vector<std::pair<float, float>> first(kCount);
    for (int i = 0; i < kCount; ++i) {
        const float lat = 44.0f + static_cast<float>(i) * 1.0e-4f;
        ASSERT_EQ(latlontoxy(lat, 9.0f, first[i].first, first[i].second), 1);
    }
    for (int i = kCount - 1; i >= 0; --i) {
        const float lat = 44.0f + static_cast<float>(i) * 1.0e-4f;
        float rx = 0.0f;
        float ry = 0.0f;
        ASSERT_EQ(latlontoxy(lat, 10.5f, rx, ry), 1);
        ASSERT_EQ(latlontoxy(lat, 9.0f, rx, ry), 1);
        ASSERT_EQ(rx, first[i].first) << lat;
        ASSERT_EQ(ry, first[i].second) << lat;
    }
}

// The equator's latitude has the bits of zero, as an unused slot of the kept
// terms has: it is computed, not taken from such a slot.
TEST_F(FrameTest, TheEquatorIsComputedLikeAnyLatitude) {
    ASSERT_EQ(init_default_frame("AA3.trn"), 1);
    for (int pass = 0; pass < 2; ++pass) {
        float rx = 0.0f;
        float ry = 0.0f;
        float back_lat = 1.0f;
        float back_lon = 0.0f;
        ASSERT_EQ(latlontoxy(0.0f, 10.5f, rx, ry), 1);
        ASSERT_EQ(xytolatlon(rx, ry, back_lat, back_lon), 1);
        EXPECT_NEAR(back_lat, 0.0f, 1e-5) << pass;
        EXPECT_NEAR(back_lon, 10.5f, 1e-5) << pass;
    }
}

TEST_F(FrameTest, RoundTripsToFloatPrecision) {
    ASSERT_EQ(init_default_frame("AA3.trn"), 1);
    for (const float lat : {44.0f, 45.0f, 45.5f, 46.75f, 47.9f}) {
        for (const float lon : {6.1f, 7.5f, 9.0f, 10.25f, 11.9f}) {
            float rx = 0.0f;
            float ry = 0.0f;
            float back_lat = 0.0f;
            float back_lon = 0.0f;
            ASSERT_EQ(latlontoxy(lat, lon, rx, ry), 1);
            ASSERT_EQ(xytolatlon(rx, ry, back_lat, back_lon), 1);
            // Within two steps of a float near 45 degrees (about 4e-6 each).
            EXPECT_NEAR(back_lat, lat, 8e-6) << lat << " " << lon;
            EXPECT_NEAR(back_lon, lon, 8e-6) << lat << " " << lon;
        }
    }
}

TEST_F(FrameTest, SouthernHemisphereAddsTheFalseNorthing) {
    TrnHeader h;
    h.zone = 56;
    h.hemisphere = 'S';
    h.easting = 400000.0f;
    h.northing = 6200000.0f;
    write("South.trn", tarvex_test::trn_bytes(h));
    float w = 0.0f;
    float hgt = 0.0f;
    ASSERT_EQ(utm_init("South.trn", w, hgt), 1);
    EXPECT_EQ(utm000.n0, 10000000.0);
    EXPECT_EQ(utm000.rlon0, 153.0);
    float rx = 0.0f;
    float ry = 0.0f;
    ASSERT_EQ(latlontoxy(-45.0f, 153.0f, rx, ry), 1);
    EXPECT_NEAR(ry, 10000000.0 - kNorthing45OnMeridian - 6200000.0, 0.5);
    EXPECT_NEAR(rx, -100000.0f, 0.01f);
    ASSERT_EQ(latlontoxy(-33.85f, 151.2f, rx, ry), 1);
    EXPECT_NEAR(rx, 400000.0 - 333471.81, 1.0);
    EXPECT_NEAR(ry, 6253018.17 - 6200000.0, 1.0);
    float lat = 0.0f;
    float lon = 0.0f;
    ASSERT_EQ(xytolatlon(rx, ry, lat, lon), 1);
    EXPECT_NEAR(lat, -33.85f, 2e-5);
    EXPECT_NEAR(lon, 151.2f, 2e-5);
}

TEST_F(FrameTest, SameFileIsNotReadAgain) {
    TrnHeader h;
    write("AA3.trn", tarvex_test::trn_bytes(h));
    float w = 0.0f;
    float hgt = 0.0f;
    ASSERT_EQ(utm_init("AA3.trn", w, hgt), 1);
    std::filesystem::remove(dir_.path() / "AA3.trn");
    float w2 = 0.0f;
    float h2 = 0.0f;
    EXPECT_EQ(utm_init("AA3.trn", w2, h2), 1);  // the stored frame, nothing read
    EXPECT_EQ(w2, w);
    EXPECT_EQ(h2, hgt);
    // Another file is read, and its failure marks the frame not set.
    EXPECT_EQ(utm_init("BB3.trn", w2, h2), 0);
    EXPECT_FALSE(utm001.initialized);
    EXPECT_NE(log_text().find("UTM unable to read BB3.trn"), std::string::npos);
    // After the failure the first file is read again, not taken from memory.
    EXPECT_EQ(utm_init("AA3.trn", w2, h2), 0);
}

TEST_F(FrameTest, FileTypeBySuffixAnywhere) {
    TrnHeader h;
    write("AA3.trn.old", tarvex_test::trn_bytes(h));
    float w = 0.0f;
    float hgt = 0.0f;
    EXPECT_EQ(utm_init("AA3.trn.old", w, hgt), 1);
    write("AA3.TRN", tarvex_test::trn_bytes(h));
    EXPECT_EQ(utm_init("AA3.TRN", w, hgt), 1);

    w = -1.0f;
    EXPECT_EQ(utm_init("AA3.xyz", w, hgt), 0);
    EXPECT_EQ(w, -1.0f);
    EXPECT_FALSE(utm001.initialized);
    EXPECT_NE(log_text().find("UTM unrecognised file type AA3.xyz"), std::string::npos);
}

TEST_F(FrameTest, NotInitializedRoad) {
    float rx = 7.0f;
    float ry = 8.0f;
    testing::internal::CaptureStdout();
    EXPECT_EQ(latlontoxy(45.0f, 9.0f, rx, ry), 0);
    EXPECT_EQ(xytolatlon(1000.0f, 2000.0f, rx, ry), 0);
    const std::string out = testing::internal::GetCapturedStdout();
    EXPECT_EQ(rx, 7.0f);
    EXPECT_EQ(ry, 8.0f);
    EXPECT_NE(out.find("UTM NOT INITIALIZED"), std::string::npos);
    const std::string log = log_text();
    const std::size_t first = log.find("UTM NOT INITIALIZED\r\n");
    ASSERT_NE(first, std::string::npos);
    EXPECT_NE(log.find("UTM NOT INITIALIZED\r\n", first + 1), std::string::npos);  // both calls logged
}

TEST_F(FrameTest, BadTrnHeaders) {
    float w = 0.0f;
    float h = 0.0f;
    float e = 0.0f;
    float n = 0.0f;
    float o = 0.0f;
    int zone = 0;
    char hemisphere = ' ';
    write("short.trn", tarvex_test::trn_bytes(TrnHeader{}).substr(0, 20));
    EXPECT_EQ(read_trn_hdr("short.trn", w, h, e, n, o, zone, hemisphere), kHeaderEnd);
    EXPECT_GT(read_trn_hdr("missing.trn", w, h, e, n, o, zone, hemisphere), 0);

    TrnHeader nan_step;
    nan_step.column_step = std::numeric_limits<float>::quiet_NaN();
    write("nan.trn", tarvex_test::trn_bytes(nan_step));
    EXPECT_EQ(read_trn_hdr("nan.trn", w, h, e, n, o, zone, hemisphere), kHeaderBadValue);
    // A signalling NaN in the column step, row step, easting or northing is
    // refused the same way, without the comparison that would trap on it.
    for (const std::size_t at : {12, 16, 20, 24}) {
        std::string bytes = tarvex_test::trn_bytes(TrnHeader{});
        bytes.replace(at, 4, tarvex_test::le_bytes(kSignallingNanBits));
        write("snan.trn", bytes);
        EXPECT_EQ(read_trn_hdr("snan.trn", w, h, e, n, o, zone, hemisphere), kHeaderBadValue) << at;
    }

    TrnHeader huge;
    huge.columns = 2000000000;
    huge.column_step = 3.0e38f;
    write("huge.trn", tarvex_test::trn_bytes(huge));
    EXPECT_EQ(read_trn_hdr("huge.trn", w, h, e, n, o, zone, hemisphere), kHeaderBadValue);

    TrnHeader inf_origin;
    inf_origin.easting = std::numeric_limits<float>::infinity();
    write("inf.trn", tarvex_test::trn_bytes(inf_origin));
    EXPECT_EQ(utm_init("inf.trn", w, h), 0);

    // Any finite origin is a header's; the frame it gives is refused when a
    // corner has no real latitude and longitude (an origin of 1e38, a
    // northing beyond the pole), never for an easting beyond 1,000,000 m:
    // AA3, 900 km wide, lies east of it in zone 32.
    struct Origin {
        float easting;
        float northing;
        int frame;
    };
    for (const Origin& origin : {Origin{1.0e38f, 4.9e6f, 0}, Origin{6.0e5f, 1.0e38f, 0}, Origin{-1.0e38f, 4.9e6f, 0},
                                 Origin{6.0e5f, 2.1e7f, 0}, Origin{1.056e6f, 4.786e6f, 1}, Origin{6.0e5f, -1.0f, 1}}) {
        TrnHeader far;
        far.easting = origin.easting;
        far.northing = origin.northing;
        write("far.trn", tarvex_test::trn_bytes(far));
        EXPECT_EQ(read_trn_hdr("far.trn", w, h, e, n, o, zone, hemisphere), 0);
        EXPECT_EQ(utm_init("far.trn", w, h), origin.frame) << origin.easting << " " << origin.northing;
        EXPECT_EQ(utm001.initialized, origin.frame == 1);
        reset_local_frame();
    }

    // UTM has the zones 1 to 60 (the byte is signed) in the hemispheres N and
    // S: any other header gives no frame, as an unreadable one.
    TrnHeader south;
    south.zone = 60;
    south.hemisphere = 'S';
    write("south.trn", tarvex_test::trn_bytes(south));
    EXPECT_EQ(read_trn_hdr("south.trn", w, h, e, n, o, zone, hemisphere), 0);
    EXPECT_EQ(zone, 60);
    EXPECT_EQ(hemisphere, 'S');
    for (const int bad_zone : {0, -5, 61, 99, -60}) {
        TrnHeader odd;
        odd.zone = bad_zone;
        write("odd.trn", tarvex_test::trn_bytes(odd));
        EXPECT_EQ(read_trn_hdr("odd.trn", w, h, e, n, o, zone, hemisphere), kHeaderBadValue) << bad_zone;
        EXPECT_EQ(utm_init("odd.trn", w, h), 0) << bad_zone;
    }
    for (const char bad_hemisphere : {'n', 'X', '\0'}) {
        TrnHeader odd;
        odd.hemisphere = bad_hemisphere;
        write("odd.trn", tarvex_test::trn_bytes(odd));
        EXPECT_EQ(read_trn_hdr("odd.trn", w, h, e, n, o, zone, hemisphere), kHeaderBadValue) << bad_hemisphere;
    }
    EXPECT_EQ(zone, 60);  // the outputs are set only on success
}

TEST_F(FrameTest, FarPositionsAreRefusedWithoutTrap) {
    ASSERT_EQ(init_default_frame("AA3.trn"), 1);
    float rx = 1.0f;
    float ry = 2.0f;
    EXPECT_EQ(latlontoxy(45.0f, 1.0e30f, rx, ry), 0);
    EXPECT_EQ(rx, 1.0f);
    EXPECT_EQ(latlontoxy(-10000.0f, -10000.0f, rx, ry), 1);  // a "no coordinate" value still converts
    float lat = 3.0f;
    float lon = 4.0f;
    EXPECT_EQ(xytolatlon(-FLT_MAX, FLT_MAX, lat, lon), 0);
    EXPECT_EQ(lat, 3.0f);
    EXPECT_EQ(lon, 4.0f);
}

TEST_F(FrameTest, DemGridIsFitted) {
    DemHeader d;  // 45..46 N, 6..7 E
    write("grid.dem", tarvex_test::dem_bytes(d));
    GridHeader g;
    ASSERT_EQ(g.read_dem("grid.dem"), 0);
    EXPECT_EQ(g.latmin, 45.0);
    EXPECT_EQ(g.latmax, 46.0);
    EXPECT_EQ(g.lonmin, 6.0);
    EXPECT_EQ(g.lonmax, 7.0);
    EXPECT_EQ(g.ncols, 1200);
    EXPECT_EQ(g.nrows, 1200);
    EXPECT_EQ(g.zone, 32);  // nint((6.5 + 177) / 6) + 1
    EXPECT_EQ(g.hemisphere, 'N');

    float w = 0.0f;
    float h = 0.0f;
    ASSERT_EQ(utm_init("grid.dem", w, h), 1);
    EXPECT_EQ(utm000.ori, 90.0f);
    EXPECT_EQ(std::fmod(w, 90.0f), 0.0f);
    EXPECT_EQ(std::fmod(h, 90.0f), 0.0f);
    EXPECT_GT(w, 70000.0f);  // about 78 km of longitude at 45-46 N, less the slant
    EXPECT_LT(w, 79000.0f);
    EXPECT_GT(h, 100000.0f);  // about 111 km of latitude
    EXPECT_LT(h, 111500.0f);
    // The frame lies inside the grid: its corners convert within the limits.
    for (const auto& [x, y] : {std::pair{0.0f, 0.0f}, std::pair{w, 0.0f}, std::pair{0.0f, h}, std::pair{w, h}}) {
        float lat = 0.0f;
        float lon = 0.0f;
        ASSERT_EQ(xytolatlon(x, y, lat, lon), 1);
        EXPECT_GE(lat, 45.0f - 1e-4f) << x << " " << y;
        EXPECT_LE(lat, 46.0f + 1e-4f) << x << " " << y;
        EXPECT_GE(lon, 6.0f - 1e-4f) << x << " " << y;
        EXPECT_LE(lon, 7.0f + 1e-4f) << x << " " << y;
    }
    // x grows to the west: the frame's x = 0 edge is the east one.
    float lat0 = 0.0f;
    float lon0 = 0.0f;
    float latw = 0.0f;
    float lonw = 0.0f;
    xytolatlon(0.0f, 0.0f, lat0, lon0);
    xytolatlon(w, 0.0f, latw, lonw);
    EXPECT_GT(lon0, lonw);
}

TEST_F(FrameTest, AscGridIsFittedInTheSouth) {
    write("grid.asc",
          "NCOLS 600\r\nnrows 1200\r\nxllcorner 150.0\r\nyllcorner -34.0\r\ncellsize 0.000833333333333\r\n"
          "NODATA_value -9999\r\n1 2 3\r\n");
    GridHeader g;
    ASSERT_EQ(g.read_asc("grid.asc"), 0);
    EXPECT_EQ(g.ncols, 600);
    EXPECT_EQ(g.nrows, 1200);
    EXPECT_NEAR(g.lonmax, 150.5, 1e-9);
    EXPECT_NEAR(g.latmax, -33.0, 1e-9);
    EXPECT_EQ(g.zone, 56);
    EXPECT_EQ(g.hemisphere, 'S');

    float w = 0.0f;
    float h = 0.0f;
    ASSERT_EQ(utm_init("grid.asc", w, h), 1);
    EXPECT_EQ(utm000.n0, 10000000.0);
    EXPECT_GT(w, 40000.0f);  // about 46 km of longitude at 33-34 S
    EXPECT_LT(w, 47000.0f);
    EXPECT_GT(h, 100000.0f);
    EXPECT_LT(h, 111500.0f);
    for (const auto& [x, y] : {std::pair{0.0f, 0.0f}, std::pair{w, 0.0f}, std::pair{0.0f, h}, std::pair{w, h}}) {
        float lat = 0.0f;
        float lon = 0.0f;
        ASSERT_EQ(xytolatlon(x, y, lat, lon), 1);
        EXPECT_GE(lat, -34.0f - 1e-4f);
        EXPECT_LE(lat, -33.0f + 1e-4f);
        EXPECT_GE(lon, 150.0f - 1e-4f);
        EXPECT_LE(lon, 150.5f + 1e-4f);
    }
}

TEST_F(FrameTest, BadGridHeaders) {
    GridHeader g;
    // A keyword missing, and a keyword twice.
    write("four.asc", "ncols 10\nnrows 10\nxllcorner 6\ncellsize 0.1\n");
    EXPECT_EQ(g.read_asc("four.asc"), kHeaderIncomplete);
    write("six.asc", "ncols 10\nnrows 10\nxllcorner 6\nyllcorner 45\ncellsize 0.1\nncols 10\n");
    EXPECT_EQ(g.read_asc("six.asc"), kHeaderIncomplete);
    // The header alone, without data lines, is complete.
    write("only.asc", "ncols 10\nnrows 10\nxllcorner 6\nyllcorner 45\ncellsize 0.1\n");
    EXPECT_EQ(g.read_asc("only.asc"), 0);
    // No cells, and a cell size that would overflow.
    write("zero.asc", "ncols 0\nnrows 10\nxllcorner 6\nyllcorner 45\ncellsize 0.1\n");
    EXPECT_EQ(g.read_asc("zero.asc"), kHeaderBadValue);
    write("big.asc", "ncols 10\nnrows 10\nxllcorner 6\nyllcorner 45\ncellsize 1e307\n");
    EXPECT_EQ(g.read_asc("big.asc"), kHeaderBadValue);
    EXPECT_GT(g.read_asc("none.asc"), 0);

    DemHeader no_columns;
    no_columns.columns = 0;  // the longitude step would divide by zero
    write("zero.dem", tarvex_test::dem_bytes(no_columns));
    EXPECT_EQ(g.read_dem("zero.dem"), kHeaderBadValue);
    DemHeader beyond;
    beyond.latmax = 95.0;
    write("beyond.dem", tarvex_test::dem_bytes(beyond));
    EXPECT_EQ(g.read_dem("beyond.dem"), kHeaderBadValue);
    DemHeader nan;
    nan.lonmin = std::numeric_limits<double>::quiet_NaN();
    write("nan.dem", tarvex_test::dem_bytes(nan));
    EXPECT_EQ(g.read_dem("nan.dem"), kHeaderBadValue);
    for (const std::size_t at : {0, 32}) {  // a limit, and the step: signalling NaNs
        std::string bytes = tarvex_test::dem_bytes(DemHeader{});
        bytes.replace(at, 8, tarvex_test::le_bytes(0u) + tarvex_test::le_bytes(kSignallingNanBits64High));
        write("snan.dem", bytes);
        EXPECT_EQ(g.read_dem("snan.dem"), kHeaderBadValue) << at;
    }
    write("short.dem", tarvex_test::dem_bytes(DemHeader{}).substr(0, 47));
    EXPECT_EQ(g.read_dem("short.dem"), kHeaderEnd);
    float w = 0.0f;
    float h = 0.0f;
    EXPECT_EQ(utm_init("zero.dem", w, h), 0);
}

TEST_F(FrameTest, LatLonLimits) {
    TrnHeader h;
    h.columns = 1000;
    h.rows = 1000;
    write("AA3.trn", tarvex_test::trn_bytes(h));
    float latmin = 0.0f;
    float latmax = 0.0f;
    float lonmin = 0.0f;
    float lonmax = 0.0f;
    ASSERT_EQ(get_latlon_lim("AA3.trn", latmin, latmax, lonmin, lonmax), 0);
    // 90 km square whose east edge lies 100 km east of the 9 E meridian near 44 N.
    EXPECT_LT(latmin, latmax);
    EXPECT_LT(lonmin, lonmax);
    EXPECT_NEAR(latmax - latmin, 0.81f, 0.02f);
    EXPECT_GT(lonmax, 10.0f);
    EXPECT_LT(lonmin, 10.0f);

    write("grid.dem", tarvex_test::dem_bytes(DemHeader{}));
    ASSERT_EQ(get_latlon_lim("grid.dem", latmin, latmax, lonmin, lonmax), 0);
    EXPECT_EQ(latmin, 45.0f);
    EXPECT_EQ(lonmax, 7.0f);
    EXPECT_EQ(get_latlon_lim("grid.xyz", latmin, latmax, lonmin, lonmax), 1);

    float w = 0.0f;
    float hh = 0.0f;
    EXPECT_EQ(utm_init_c("AA3.trn", w, hh), 1);
    EXPECT_EQ(w, 90000.0f);
}

TEST_F(FrameTest, OriginAndDebug) {
    TrnHeader h;
    write("AA3.trn", tarvex_test::trn_bytes(h));
    float w = 0.0f;
    float hh = 0.0f;
    ASSERT_EQ(utm_init("AA3.trn", w, hh), 1);
    float xo = 0.0f;
    float yo = 0.0f;
    char zla = ' ';
    std::int8_t zlo = 0;
    utm_get_ori(xo, yo, zla, zlo);
    EXPECT_EQ(xo, 600000.0f);
    EXPECT_EQ(yo, 4900000.0f);
    EXPECT_EQ(zla, 'N');
    EXPECT_EQ(zlo, 32);
    utm_debug(1);
    EXPECT_TRUE(utm001.debug);
    utm_debug(0);
    EXPECT_FALSE(utm001.debug);
    const std::string log = log_text();
    EXPECT_NE(log.find("UTM : Debug ACTIVATED"), std::string::npos);
    EXPECT_NE(log.find("UTM : Debug STOPPED"), std::string::npos);
}

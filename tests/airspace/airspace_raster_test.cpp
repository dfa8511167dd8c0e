// The coverage raster and the module tables: the raster against an
// independent point-in-polygon test on the demo's airspace, the benchmark
// generator's limit-size file and zones of awkward shapes; the scanline
// fill against the per-node reference; the sizing, the budget and its
// warning; the copy into the module tables.

#include <gtest/gtest.h>

#include <array>
#include <cmath>
#include <cstdint>
#include <string>
#include <vector>

#include "airspace/airspace_grid.h"
#include "airspace/airspace_mod.h"
#include "airspace/airspace_window.h"
#include "airspace/load_mode.h"
#include "airspace/module_tables.h"
#include "foundation/airspace_names.h"
#include "foundation/local_frame.h"
#include "foundation/message_records.h"
#include "foundation/terrain_extents.h"
#include "load_harness.h"
#include "openair_generator.h"
#include "raster_oracle.h"
#include "reader_harness.h"

namespace airspace_test {
namespace {

// Leaves the bits of a signalling NaN in the stack below the caller, where
// the frame of the caller's next call will lie: a computation there that
// reads a slot it never wrote then traps (invalid operation), as it does
// when an earlier call happened to leave such bits (a pointer's low half).
[[gnu::noinline]] void leave_signalling_nans_on_the_stack() {
    std::array<volatile std::uint32_t, 8192> slots;
    for (volatile std::uint32_t& slot : slots) {
        slot = 0x7FA00000u;
    }
}

class AirspaceRasterTest : public LoadTest {
protected:
    // Every zone of the model agrees with the oracle, and the scanline raster
    // is the per-node one.
    void expect_sound_raster(int per_zone) {
        ASSERT_GT(as0001.nb_zon, 0);
        const OracleReport report = check_raster(per_zone, 2024u);
        EXPECT_EQ(report.mismatches, 0) << report.first_mismatch;
        EXPECT_EQ(report.segments_off, 0) << report.first_mismatch;
        EXPECT_EQ(report.outline_missed, 0) << report.first_mismatch;
        EXPECT_EQ(report.ring_far, 0) << report.first_mismatch;
        EXPECT_GT(report.decided, report.samples * 9 / 10);
        EXPECT_GT(report.border_cells, 0);
        EXPECT_TRUE(raster_equals_rebuilt(NodeFill::per_node));
        EXPECT_TRUE(raster_equals_rebuilt(NodeFill::scanline));
    }

    // A model of hand-made rings (landscape frame, each closed), of class D,
    // copied into the module tables the way a load does; the window is wide.
    void make_model(const std::vector<std::vector<PlanePoint>>& rings) {
        init_airspace_map_1(-1.0e7f, 1.0e7f, -1.0e7f, 1.0e7f);
        zones_.clear();
        points_.clear();
        for (const std::vector<PlanePoint>& ring : rings) {
            const int first = static_cast<int>(points_.size());
            points_.insert(points_.end(), ring.begin(), ring.end());
            zones_.push_back(AirspaceZone{3, first, static_cast<int>(points_.size()) - 1});
        }
        ASSERT_TRUE(begin_airspace_load(1, static_cast<int>(zones_.size())));
        for (std::size_t n = 0; n < zones_.size(); ++n) {
            keep_loaded_zone(zones_, points_, static_cast<int>(n) + 1, "Z" + std::to_string(n), "SFC", "FL65");
        }
        int nbzon = 0;
        copy_to_local(nbzon, zones_, points_, static_cast<int>(points_.size()), static_cast<int>(zones_.size()), 8);
    }

    static std::vector<PlanePoint> square(float x, float y, float w, float h) {
        return {{x, y}, {x + w, y}, {x + w, y + h}, {x, y + h}, {x, y}};
    }

    std::vector<AirspaceZone> zones_;
    std::vector<PlanePoint> points_;
};

TEST_F(AirspaceRasterTest, DemoAirspaceAgreesWithThePointInPolygonOracle) {
    ASSERT_NO_FATAL_FAILURE(use_demo_landscape());
    ASSERT_EQ(load(demo_airspace()), 1);
    EXPECT_EQ(nbzon_, 6);
    expect_sound_raster(4000);
}

TEST_F(AirspaceRasterTest, LimitSizeGeneratedFileAgreesWithTheOracle) {
    const OpenAirSample sample = generate_openair(4990, 9);
    const PlanePoint a = frame_point(43.9f, 8.1f);
    const PlanePoint b = frame_point(47.1f, 4.9f);
    init_airspace_map_1(a.x, b.x, a.y, b.y);
    as0003.as_maxmeg = 16;
    ASSERT_EQ(load(sample.text), 1);
    // Every zone is held: the tables are not limited to 2,000 zones.
    EXPECT_EQ(nbzon_, 4990);
    EXPECT_EQ(cmndta001.nbwarn, 1);  // the cell size above 100 m
    EXPECT_GT(airspace_mod.as_pp.size(), 40000u);
    EXPECT_GT(airspace_mod.as_gr.code.size(), 16u * 262144u * 9u / 10u);
    EXPECT_LE(airspace_mod.as_gr.code.size(), 16u * 262144u + 129u);
    expect_sound_raster(40);
}

TEST_F(AirspaceRasterTest, ConcaveShapesArcsCirclesAndAirwaysAgreeWithTheOracle) {
    // A C open to the east, a DA pie, a DB arc the long way round, a circle,
    // an airway and a zone folding back on itself in a narrow U.
    const std::string text =
        "AC D\nAN C SHAPE\n" + dp(45, 0, 6, 0) + "\n" + dp(45, 10, 6, 0) + "\n" + dp(45, 10, 6, 12) + "\n" +
        dp(45, 8, 6, 12) + "\n" + dp(45, 8, 6, 2) + "\n" + dp(45, 2, 6, 2) + "\n" + dp(45, 2, 6, 12) + "\n" +
        dp(45, 0, 6, 12) + "\n"
        "AC R\nAN PIE\nV X=45:30:00 N 006:30:00 E\nDP 45:30:00 N 006:30:00 E\nDA 4,30,200\n"
        "AC Q\nAN LONG ARC\nV D=-\nV X=45:30:00 N 007:00:00 E\nDP 45:30:00 N 007:00:00 E\n"
        "DB 45:35:00 N 007:00:00 E, 45:30:00 N 007:07:00 E\n"
        "AC P\nAN CIRCLE\nV X=46:00:00 N 006:00:00 E\nDC 3.5\n"
        "AC GP\nAN AIRWAY\nV W=1\nDY 46:10:00 N 006:30:00 E\nDY 46:25:00 N 006:50:00 E\n"
        "AC C\nAN NARROW U\n" + dp(46, 30, 7, 0) + "\n" + dp(46, 40, 7, 0) + "\n" + dp(46, 40, 7, 1) + "\n" +
        dp(46, 31, 7, 1) + "\n" + dp(46, 31, 7, 2) + "\n" + dp(46, 40, 7, 2) + "\n" + dp(46, 40, 7, 3) + "\n" +
        dp(46, 30, 7, 3) + "\n";
    ASSERT_EQ(load(text), 1);
    ASSERT_EQ(nbzon_, 6);
    expect_sound_raster(20000);
    // Cells inside the C's notch are outside the zone, though inside its hull.
    const PlanePoint notch = frame_point(45.0f + 5.0f / 60.0f, 6.0f + 8.0f / 60.0f);
    const AirspaceLimits& lim = as0001.as_lim[0];
    const AirspaceGridDim& dim = airspace_mod.as_gr_dim[0];
    const int i = static_cast<int>((notch.x - lim[kLimXmin]) * lim[kLimDxInv]) + 1;
    const int j = static_cast<int>((notch.y - lim[kLimYmin]) * lim[kLimDyInv]) + 1;
    EXPECT_EQ(airspace_mod.as_gr.code[static_cast<std::size_t>(dim.offset + (j - 1) * dim.nnxx + i)], kCellOutside);
}

TEST_F(AirspaceRasterTest, CellsSizedFromThirtyMetresWithTwoAtLeast) {
    make_model({square(1000.0f, 2000.0f, 3000.0f, 3000.0f), square(10000.0f, 0.0f, 50.0f, 40.0f)});
    ASSERT_EQ(airspace_grid(2), 1);
    const AirspaceGridDim& big = airspace_mod.as_gr_dim[0];
    EXPECT_EQ(big.offset, 0);
    EXPECT_EQ(big.nnxx, 100);
    EXPECT_EQ(big.nnyy, 100);
    const AirspaceLimits& lim = as0001.as_lim[0];
    EXPECT_FLOAT_EQ(lim[kLimDx], 30.0f);
    EXPECT_FLOAT_EQ(lim[kLimDxInv], 1.0f / 30.0f);
    EXPECT_FLOAT_EQ(lim[kLimDy], 30.0f);
    EXPECT_FLOAT_EQ(lim[kLimCentreX], 2500.0f);
    EXPECT_FLOAT_EQ(lim[kLimCentreY], 3500.0f);
    EXPECT_FLOAT_EQ(lim[kLimHalfDiagonal], std::sqrt(2.0f) * 1500.0f);
    const std::size_t middle = static_cast<std::size_t>(49 * 100 + 50);
    EXPECT_EQ(airspace_mod.as_gr.code[middle], kCellInside);
    EXPECT_EQ(airspace_mod.as_gr.seg[middle], kNoSegment);
    // The small zone gets 2 x 2 cells after the big one's 10,000; 128 spare
    // cells follow, outside.
    EXPECT_EQ(airspace_mod.as_gr_dim[1].offset, 10000);
    EXPECT_EQ(airspace_mod.as_gr_dim[1].nnxx, 2);
    EXPECT_EQ(airspace_mod.as_gr_dim[1].nnyy, 2);
    EXPECT_EQ(airspace_mod.as_gr.code.size(), 10004u + 128u + 1u);
    EXPECT_EQ(airspace_mod.as_gr.code.back(), kCellOutside);
    EXPECT_EQ(airspace_mod.as_gr.seg.back(), kNoSegment);
    // Within the budget the cell size only goes to the log.
    EXPECT_EQ(cmndta001.nbwarn, 0);
    EXPECT_NE(read_file("Logfile.txt").find("Airspace grid size: 30"), std::string::npos);
}

TEST_F(AirspaceRasterTest, CellSizesDoNotDependOnWhatTheStackHeld) {
    make_model({square(1000.0f, 2000.0f, 3000.0f, 1500.0f)});
    leave_signalling_nans_on_the_stack();
    ASSERT_EQ(airspace_grid(1), 1);
    EXPECT_FLOAT_EQ(as0001.as_lim[0][kLimDx], 30.0f);
    EXPECT_FLOAT_EQ(as0001.as_lim[0][kLimDy], 30.0f);
}

TEST_F(AirspaceRasterTest, ACellCrossedByOneSegmentKeepsItAndTheRingDecidesTheOthers) {
    // A square with a V cut down from its top edge to (1516, 1512), in cell
    // (51, 51) of 30 m: the V's two segments and its tip lie in that cell,
    // which the ring decides; the cell below the tip, (51, 50), the V does
    // not reach.
    make_model({{{0.0f, 0.0f}, {3000.0f, 0.0f}, {3000.0f, 3000.0f}, {1516.0f, 1512.0f}, {0.0f, 3000.0f},
                 {0.0f, 0.0f}},
                square(5000.0f, 0.0f, 3000.0f, 3000.0f)});
    ASSERT_EQ(airspace_grid(2), 1);
    const std::size_t tip = 50 * 100 + 51;
    EXPECT_EQ(airspace_mod.as_gr.code[tip], kCellRing);
    EXPECT_EQ(airspace_mod.as_gr.seg[tip], kNoSegment);
    EXPECT_EQ(airspace_mod.as_gr.code[tip - 100], kCellInside);
    // Cell (47, 55), x 1380 .. 1410 and y 1620 .. 1650, of the V's left arm
    // (segment 3, from the tip to (0, 3000)), which cuts off its corner 1
    // (below the arm, inside) from the three others (in the cut): code 1.
    const std::size_t arm = 54 * 100 + 47;
    EXPECT_EQ(airspace_mod.as_gr.code[arm], 1);
    EXPECT_EQ(airspace_mod.as_gr.seg[arm], 3);
    // Segment indices count in the model's point table: the second zone's
    // top edge (points 8 to 9) crosses its top row of cells, whose top nodes
    // lie outside (the crossing rules are half-open): code 2, segment 8.
    // Its corner cell, which the left edge reaches too, is the ring's.
    const AirspaceGridDim& dim = airspace_mod.as_gr_dim[1];
    const std::size_t top = static_cast<std::size_t>(dim.offset + 99 * 100 + 50);
    EXPECT_EQ(airspace_mod.as_gr.code[top], 2);
    EXPECT_EQ(airspace_mod.as_gr.seg[top], 8);
    EXPECT_EQ(airspace_mod.as_gr.code[static_cast<std::size_t>(dim.offset + 99 * 100 + 1)], kCellRing);
    EXPECT_TRUE(raster_equals_rebuilt(NodeFill::per_node));
}

TEST_F(AirspaceRasterTest, EveryCellTheOutlineReachesIsABorderCellWhateverItsCorners) {
    // A square with a spike 10 m wide rising 1.5 km from its top edge, and a
    // square with a notch 10 m wide cut 2.4 km down into it, both between
    // the corners of cells 30 m wide (column 51, 1500 .. 1530 from the
    // box's west side): no corner of the cells they cross tells them.
    make_model({{{0.0f, 0.0f}, {3000.0f, 0.0f}, {3000.0f, 3000.0f}, {1515.0f, 3000.0f}, {1510.0f, 4500.0f},
                 {1505.0f, 3000.0f}, {0.0f, 3000.0f}, {0.0f, 0.0f}},
                {{5000.0f, 0.0f}, {8000.0f, 0.0f}, {8000.0f, 3000.0f}, {6515.0f, 3000.0f}, {6515.0f, 600.0f},
                 {6505.0f, 600.0f}, {6505.0f, 3000.0f}, {5000.0f, 3000.0f}, {5000.0f, 0.0f}}});
    ASSERT_EQ(airspace_grid(2), 1);
    const auto code = [](int nz, int i, int j) {
        const AirspaceGridDim& dim = airspace_mod.as_gr_dim[static_cast<std::size_t>(nz)];
        return airspace_mod.as_gr.code[static_cast<std::size_t>(dim.offset + (j - 1) * dim.nnxx + i)];
    };
    ASSERT_EQ(airspace_mod.as_gr_dim[0].nnyy, 150);
    // Beside them, above the square's top edge and below it, the cells are
    // decided.
    for (int j = 101; j <= 150; ++j) {
        EXPECT_EQ(code(0, 51, j), kCellRing) << j;  // the spike
        EXPECT_EQ(code(0, 50, j), j == 101 ? kCellRing : kCellOutside) << j;
    }
    for (int j = 21; j <= 100; ++j) {
        EXPECT_EQ(code(1, 51, j), kCellRing) << j;  // the notch
        EXPECT_EQ(code(1, 50, j), j == 100 ? 2 : kCellInside) << j;
    }
    expect_sound_raster(20000);
}

TEST_F(AirspaceRasterTest, ZonesOfNoWidthOrHeightKeepTwoCellsWithoutDividingByZero) {
    make_model({{{5000.0f, 0.0f}, {5000.0f, 900.0f}, {5000.0f, 1800.0f}, {5000.0f, 0.0f}},
                {{0.0f, 700.0f}, {600.0f, 700.0f}, {0.0f, 700.0f}}});
    ASSERT_EQ(airspace_grid(2), 1);
    EXPECT_EQ(airspace_mod.as_gr_dim[0].nnxx, 2);
    EXPECT_EQ(airspace_mod.as_gr_dim[0].nnyy, 60);
    EXPECT_EQ(as0001.as_lim[0][kLimDx], 0.0f);
    EXPECT_EQ(as0001.as_lim[0][kLimDxInv], 0.0f);
    EXPECT_EQ(airspace_mod.as_gr_dim[1].nnyy, 2);
    EXPECT_EQ(as0001.as_lim[1][kLimDyInv], 0.0f);
    // A ring of no area holds nothing: every cell is outside, or left to the
    // ring where it lies.
    for (std::size_t k = 1; k < airspace_mod.as_gr.code.size(); ++k) {
        EXPECT_TRUE(airspace_mod.as_gr.code[k] == kCellOutside || airspace_mod.as_gr.code[k] == kCellRing) << k;
    }
    EXPECT_TRUE(raster_equals_rebuilt(NodeFill::per_node));
}

TEST_F(AirspaceRasterTest, SmallBudgetGrowsTheCellsAndAdvisesMoreMemory) {
    // 100 km square: 3,333 x 3,333 cells of 30 m, over 40 MiB at 4 bytes.
    make_model({square(0.0f, 0.0f, 100000.0f, 100000.0f)});
    as0003.as_maxmeg = 1;
    ASSERT_EQ(airspace_grid(1), 1);
    const AirspaceGridDim& dim = airspace_mod.as_gr_dim[0];
    EXPECT_LE(static_cast<long long>(dim.nnxx) * dim.nnyy, 262144);
    EXPECT_GT(static_cast<long long>(dim.nnxx) * dim.nnyy, 262144 * 99 / 100);
    EXPECT_GT(as0001.as_lim[0][kLimDx], 190.0f);
    EXPECT_EQ(cmndta001.nbwarn, 1);
    const std::string log = read_file("Logfile.txt");
    const std::size_t at = log.find("Airspace grid size: 19");
    ASSERT_NE(at, std::string::npos);
    EXPECT_NE(log.find("Increase airspace memory size to 4 MB or above if possible", at), std::string::npos);

    // With the display-warnings switch the advice goes to the log only.
    peldbg00.qdis_wrn = true;
    cmndta001.qfr = true;
    EXPECT_TRUE(raster_equals_rebuilt(NodeFill::per_node));
    peldbg00.qdis_wrn = false;
    EXPECT_EQ(cmndta001.nbwarn, 1);
    EXPECT_NE(read_file("Logfile.txt").find("Augmenter si possible la m\xE9moire des espaces a\xE9riens \xE0 4 Mo"),
              std::string::npos);
}

TEST_F(AirspaceRasterTest, BudgetOutsideItsRangeOrTooSmallForTheZonesIsRefused) {
    make_model({square(0.0f, 0.0f, 3000.0f, 3000.0f)});
    for (const int megabytes : {0, -5, 4097}) {
        as0003.as_maxmeg = megabytes;
        EXPECT_EQ(airspace_grid(1), 0) << megabytes;
        EXPECT_TRUE(airspace_mod.as_gr.code.empty());
    }
    EXPECT_EQ(cmndta001.nberr, 3);
    EXPECT_NE(read_file("Logfile.txt").find("Airspace memory size must be 1 to 4096 MB, not 0 MB"), std::string::npos);
    // A load that would raster refuses before reading; one that does not
    // raster goes on.
    as0003.as_maxmeg = 0;
    EXPECT_EQ(load(square_zone("D", "Z", 45, 0, 6, 0), 1), 0);
    EXPECT_EQ(nbzon_, 0);
    EXPECT_EQ(as0001.nb_zon, 0);
    EXPECT_EQ(load(square_zone("D", "Z", 45, 0, 6, 0), -1), 1);
    EXPECT_EQ(nbzon_, 1);

    // 70,000 zones need 280,000 cells at the least: more than 1 MiB holds.
    as0003.as_maxmeg = kDefaultRasterMegabytes;
    std::vector<std::vector<PlanePoint>> many(70000, square(0.0f, 0.0f, 10.0f, 10.0f));
    make_model(many);
    as0003.as_maxmeg = 1;
    EXPECT_EQ(airspace_grid(70000), 0);
    EXPECT_NE(read_file("Logfile.txt").find("Airspace memory size too small for 70000 airspaces: at least 2 MB"),
              std::string::npos);
    as0003.as_maxmeg = 2;
    EXPECT_EQ(airspace_grid(70000), 1);
}

TEST_F(AirspaceRasterTest, CopyToLocalFillsTheTablesAndMirrorsTheCallersPoints) {
    trn001.x_scn_mx = 90000.0f;
    make_model({square(1000.0f, 2000.0f, 300.0f, 300.0f), square(5000.0f, 2000.0f, 300.0f, 300.0f)});
    // The model's copy: classes, first points, counts, names cut at 8.
    add_as_name(1, "A NAME LONGER THAN EIGHT");
    zones_[1].typ = 6;
    int nbzon = 0;
    const std::vector<PlanePoint> before = points_;
    copy_to_local(nbzon, zones_, points_, 10, 2, 8);
    EXPECT_EQ(nbzon, 2);
    EXPECT_EQ(as0001.nb_zon, 2);
    const AirspaceMod& mod = airspace_mod;
    ASSERT_EQ(mod.as_pp.size(), 10u);
    EXPECT_EQ(mod.as_nb[1].typ, 6);
    EXPECT_EQ(mod.as_nb[1].first, 5);
    EXPECT_EQ(mod.as_nb[1].count, 5);
    EXPECT_EQ(mod.as_nm[0], "Z0");
    EXPECT_EQ(mod.as_nm[1], "A NAME L");
    EXPECT_EQ(mod.as_is_derog, (std::vector<bool>{false, true}));
    EXPECT_EQ(mod.as_act, (std::vector<bool>{true, true}));
    for (std::size_t p = 0; p < 10; ++p) {
        EXPECT_EQ(mod.as_pp[p].x, before[p].x);
        EXPECT_EQ(points_[p].x, 90000.0f - before[p].x);
        EXPECT_EQ(points_[p].y, before[p].y);
    }
}

}  // namespace
}  // namespace airspace_test

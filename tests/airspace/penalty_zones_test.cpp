#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "airspace/penalty_zones.h"
#include "airspace_fixture.h"
#include "foundation/unwritten_files.h"
#include "platform/file_faults.h"
#include "platform/files.h"
#include "taskfiles/task_model.h"

namespace {

using airspace_test::AirspaceTest;
using Lines = std::vector<std::string>;

constexpr std::size_t kHeaderLines = 13;
constexpr std::size_t kBannerLines = 5;
constexpr std::size_t kZoneLines = 11;

class PenaltyZonesTest : public AirspaceTest {
protected:
    // Zone i: floor, ceiling (m), penalty; corners at 45:3i:00 N .. + 1 minute, 6:00 .. 6:01 E.
    void set_zone(int i, float floor, float ceiling, float penalty) {
        rd_fpl_1.pza[1][i] = floor;
        rd_fpl_1.pza[2][i] = ceiling;
        rd_fpl_1.pza[3][i] = penalty;
        const float lat = 45.0f + static_cast<float>(i) / 60.0f;
        const PlanePoint corners[4] = {frame_point(lat, 6.0f), frame_point(lat + 1.0f / 60.0f, 6.0f),
                                       frame_point(lat + 1.0f / 60.0f, 6.0f + 1.0f / 60.0f),
                                       frame_point(lat, 6.0f + 1.0f / 60.0f)};
        for (int k = 0; k < 4; ++k) {
            rd_fpl_1.pzp[1][k][i] = corners[k].x;
            rd_fpl_1.pzp[2][k][i] = corners[k].y;
        }
    }
    static std::string two(int i) { return (i < 10 ? "0" : "") + std::to_string(i); }
};

TEST_F(PenaltyZonesTest, OneZoneAsWritten) {
    rd_fpl_0.nvcnd = 2;
    rd_fpl_0.nb_pz = 1;
    rd_fpl_2.fpl_000 = "Task.fpl";
    set_zone(0, 500.0f, 1000.0f, 10.0f);
    int status = -1;
    write_pz("pz.txt", status);
    EXPECT_EQ(status, 0);
    const Lines lines = read_lines("pz.txt");
    ASSERT_EQ(lines.size(), kHeaderLines + kBannerLines + kZoneLines);
    EXPECT_EQ(lines[0], std::string(71, '*'));
    EXPECT_EQ(lines[kHeaderLines + 2], "*** CONDOR PENALTY ZONES" + std::string(44, ' ') + "***");
    const Lines zone(lines.begin() + kHeaderLines + kBannerLines, lines.end());
    EXPECT_EQ(zone, (Lines{"", "*** Penalty Zone #00 - Penalty =  10 pts/min", "", "AC P", "AN PZ#00 -   10 pts/min",
                           "AL  1640F AMSL", "AH  3281F AMSL", "DP 45:00:00 N 006:00:00 E", "DP 45:01:00 N 006:00:00 E",
                           "DP 45:01:00 N 006:01:00 E", "DP 45:00:00 N 006:01:00 E"}));
}

// The zones after the filtered copy, in the same whole write.
void write_after_copy(const std::string& name) {
    FileWriter out(name);
    out.write_line("FILTERED COPY");
    write_pz_zones(out);
    EXPECT_EQ(out.close(), 0);
}

TEST_F(PenaltyZonesTest, TwoAndElevenZonesAfterTheCopy) {
    rd_fpl_0.nvcnd = 3;
    rd_fpl_0.nb_pz = 2;
    set_zone(0, 0.0f, 30480.5f, 2.5f);
    set_zone(1, 100.0f, 200.0f, 0.0f);
    write_after_copy("pz.txt");
    Lines lines = read_lines("pz.txt");
    ASSERT_EQ(lines.size(), 1 + kBannerLines + 2 * kZoneLines);
    EXPECT_EQ(lines[0], "FILTERED COPY");
    EXPECT_EQ(lines[1], std::string(71, '*'));
    EXPECT_EQ(lines[7], "*** Penalty Zone #00 - Penalty =   3 pts/min");  // 2.5 rounded
    EXPECT_EQ(lines[11], "AL     0F AMSL");
    EXPECT_EQ(lines[12], "AH *****F AMSL");  // 100,001 ft does not fit
    EXPECT_EQ(lines[6 + kZoneLines + 4], "AN PZ#01 -    0 pts/min");

    rd_fpl_0.nb_pz = 11;
    for (int i = 0; i < 11; ++i) {
        set_zone(i, 300.0f, 1500.0f, 20.0f);
    }
    write_after_copy("pz.txt");
    lines = read_lines("pz.txt");
    ASSERT_EQ(lines.size(), 1 + kBannerLines + 11 * kZoneLines);
    for (int i = 0; i < 11; ++i) {
        const std::size_t at = 1 + kBannerLines + i * kZoneLines;
        EXPECT_EQ(lines[at + 1], "*** Penalty Zone #" + two(i) + " - Penalty =  20 pts/min");
        EXPECT_EQ(lines[at + 4], "AN PZ#" + two(i) + " -   20 pts/min");
        EXPECT_EQ(lines[at + 5], "AL   984F AMSL");
        EXPECT_EQ(lines[at + 6], "AH  4921F AMSL");
        EXPECT_EQ(lines[at + 7], "DP 45:" + two(i) + ":00 N 006:00:00 E");
    }
    EXPECT_EQ(lines.back(), "DP 45:10:00 N 006:01:00 E");
}

TEST_F(PenaltyZonesTest, AFileOfAnEarlierRunIsReplacedWhole) {
    rd_fpl_0.nvcnd = 3;
    rd_fpl_0.nb_pz = 1;
    set_zone(0, 500.0f, 1000.0f, 10.0f);
    write_file("pz.txt", "STALE ZONES OF AN EARLIER RUN\r\n");
    int status = -1;
    write_pz("pz.txt", status);
    EXPECT_EQ(status, 0);
    const Lines lines = read_lines("pz.txt");
    EXPECT_EQ(lines.size(), kHeaderLines + kBannerLines + kZoneLines);
    EXPECT_EQ(lines[0], std::string(71, '*'));
}

TEST_F(PenaltyZonesTest, WriteFailureIsReported) {
    rd_fpl_0.nvcnd = 2;
    rd_fpl_0.nb_pz = 1;
    set_zone(0, 500.0f, 1000.0f, 10.0f);
    int status = 0;
    write_pz("no such folder\\pz.txt", status);
    EXPECT_NE(status, 0);
    EXPECT_EQ(unwritten_files.names, Lines{"no such folder\\pz.txt"});
    // A failing flush keeps the file of the last run.
    write_file("pz.txt", "LAST RUN\r\n");
    arm_file_fault({FileStep::flush, 1, "pz.txt", EIO});
    write_pz("pz.txt", status);
    EXPECT_EQ(status, EIO);
    EXPECT_EQ(read_file("pz.txt"), "LAST RUN\r\n");
    // Counts beyond the table are held to it.
    rd_fpl_0.nb_pz = 40;
    write_pz("pz.txt", status);
    EXPECT_EQ(status, 0);
    EXPECT_EQ(read_lines("pz.txt").size(), kHeaderLines + kBannerLines + 11 * kZoneLines);
}

}  // namespace

#include <gtest/gtest.h>

#include <cmath>
#include <filesystem>
#include <string>
#include <vector>

#include "airspace/airspace_reader.h"
#include "foundation/message_records.h"
#include "foundation/unwritten_files.h"
#include "platform/file_faults.h"
#include "platform/files.h"
#include "reader_harness.h"
#include "taskfiles/task_model.h"

namespace {

using airspace_test::dp;
using airspace_test::ReaderTest;
using airspace_test::square_zone;

class AirspaceReaderTest : public ReaderTest {
protected:
    // Number of points of zone n.
    int points_of(int n) const { return zon_[n].last - zon_[n].first + 1; }
    PlanePoint point(int n, int k) const { return pp_[zon_[n].first + k]; }
};

TEST_F(AirspaceReaderTest, PolygonZoneIsStoredClosed) {
    const std::string text = "AC D\nAN TEST\nAL SFC\nAH FL65\n" + dp(45, 0, 6, 0) + "\n" + dp(45, 10, 6, 0) + "\n" +
                             dp(45, 10, 6, 10) + "\n" + dp(45, 0, 6, 10) + "\n";
    EXPECT_EQ(run(text), 0);  // the conversion passes no zones in: result 0
    EXPECT_EQ(nbzon_, 0);
    EXPECT_EQ(zon_[0].typ, 3);
    ASSERT_EQ(points_of(0), 5);  // four corners and the closing copy of the first
    const PlanePoint first = frame_point(45.0f, 6.0f);
    EXPECT_FLOAT_EQ(point(0, 0).x, first.x);
    EXPECT_FLOAT_EQ(point(0, 0).y, first.y);
    EXPECT_FLOAT_EQ(point(0, 4).x, first.x);
    EXPECT_FLOAT_EQ(point(0, 2).x, frame_point(45.0f + 10.0f / 60.0f, 6.0f + 10.0f / 60.0f).x);
    EXPECT_EQ(read_lines("task-AS_LIST.txt"), (std::vector<std::string>{"     0 TEST (D) : SFC - FL65"}));
}

// In filter mode each zone gives its slot and points back once decided: the
// file's last zone is the one left in slot 0, from point 0.
TEST_F(AirspaceReaderTest, CirclesArcsAndDirection) {
    const std::string circle = "AC R\nAN CIRCLE\nV X=45:30:00 N 006:30:00 E\nDC 1\n";
    const std::string arc = "AC R\nAN ARC\nV X=45:30:00 N 006:30:00 E\nDP 45:30:00 N 006:30:00 E\nDA 10,350,10\n";
    const std::string long_arc =
        "AC R\nAN LONGARC\nV D=-\nV X=45:30:00 N 006:30:00 E\nDP 45:30:00 N 006:30:00 E\nDA 10,350,10\n";
    const std::string db_arc =
        "AC R\nAN DBARC\nV X=45:30:00 N 006:30:00 E\nDB 45:40:00 N 006:30:00 E, 45:30:00 N 006:44:00 E\n";
    as0003.qcropas = false;
    const PlanePoint centre = frame_point(45.5f, 6.5f);
    // DC 1: 12 segments, 13 points, the last on the first.
    run(circle);
    ASSERT_EQ(points_of(0), 13);
    EXPECT_NEAR(point(0, 0).x, centre.x + 1852.0f, 0.5f);
    EXPECT_FLOAT_EQ(point(0, 12).x, point(0, 0).x);
    // The centre point, then the short arc through north: 1 + 9 points and the closing copy.
    run(circle + arc);
    EXPECT_EQ(points_of(0), 11);
    EXPECT_NEAR(point(0, 5).y, centre.y + 10.0f * 1852.0f, 1.0f);
    // "V D=-": the long way round, through south.
    run(arc + long_arc);
    EXPECT_EQ(points_of(0), 113);
    EXPECT_NEAR(point(0, 56).y, centre.y - 10.0f * 1852.0f, 1.0f);
    // The direction does not carry over to the next zone: DB runs clockwise,
    // from north (bearing 0) towards east (bearing 90): x decreases.
    run(long_arc + db_arc);
    const PlanePoint north = frame_point(45.0f + 40.0f / 60.0f, 6.5f);
    const float radius = std::hypot(north.x - centre.x, north.y - centre.y);
    EXPECT_NEAR(point(0, 0).y, north.y, 1.0f);
    EXPECT_LT(point(0, 4).x, centre.x);
    EXPECT_NEAR(std::hypot(point(0, 4).x - centre.x, point(0, 4).y - centre.y), radius, 1.0f);
}

TEST_F(AirspaceReaderTest, AirwaysAreWidenedFromTwoDistinctPoints) {
    const std::string airway = "AC D\nAN AIRWAY\nV W=2\n" + dp(45, 0, 6, 0) + "\n" + dp(45, 10, 6, 0) + "\n";
    const std::string by_dy = "AC D\nAN BYDY\nDY 45:00:00 N 006:00:00 E\nDY 45:00:00 N 006:00:00 E\n";
    as0003.qcropas = false;
    run(airway);
    ASSERT_EQ(points_of(0), 5);
    EXPECT_NEAR(std::hypot(point(0, 0).x - point(0, 3).x, point(0, 0).y - point(0, 3).y), 3704.0f, 0.5f);
    // Two equal points: left as it is, with a warning.
    run(airway + by_dy);
    EXPECT_EQ(points_of(0), 1);
    EXPECT_EQ(cmndta001.nbwarn, 1);
}

TEST_F(AirspaceReaderTest, AttributesClassesAndNames) {
    const std::string text =
        "AC G\nAN G1\nAY GSEC\nAL 1000FT AMSL\nAH 2000FT AMSL\n" + dp(45, 0, 6, 0) + "\n" + dp(45, 5, 6, 0) + "\n" +
        dp(45, 5, 6, 5) + "\nAY IGNORED\n"
        "AC UNC\nAY W\n" + dp(45, 0, 6, 0) + "\n" + dp(45, 5, 6, 0) + "\n" + dp(45, 5, 6, 5) + "\n"
        "AC D\nAN D1\nAY TMA\n" + dp(45, 0, 6, 0) + "\n" + dp(45, 5, 6, 0) + "\n" + dp(45, 5, 6, 5) + "\n"
        "AC CTR\nAN C1\nSP 0,2,255,0,0\nSB 10,20,30\n" + dp(45, 0, 6, 0) + "\n" + dp(45, 5, 6, 0) + "\n" +
        dp(45, 5, 6, 5) + "\n";
    as0003.qcropas = false;
    run(text);
    EXPECT_EQ(zon_[0].typ, 12);  // the last zone, CTR
    EXPECT_EQ(sp_[12], (AirspacePen{0, 2, 255, 0, 0}));
    EXPECT_EQ(sb_[12], (AirspaceBrush{10, 20, 30}));
    // AY GSEC on class G and AY W on class UNC make class GSEC; AY on class D
    // changes only the name. AY, AL, AH carry over to zones without them; AN
    // becomes "No name"; attributes after the first geometry line are ignored.
    EXPECT_EQ(read_lines("task-AS_LIST.txt"),
              (std::vector<std::string>{"     0 G1 (GSEC-GSEC) : 1000FT AMSL - 2000FT AMSL",
                                        "     1 No name (GSEC-W) : 1000FT AMSL - 2000FT AMSL",
                                        "     2 D1 (D-TMA) : 1000FT AMSL - 2000FT AMSL",
                                        "     3 C1 (CTR-TMA) : 1000FT AMSL - 2000FT AMSL"}));
    const std::string first_two = text.substr(0, text.find("AC D\n"));
    run(first_two);
    EXPECT_EQ(zon_[0].typ, 10);  // AY W on class UNC
    run(first_two.substr(0, first_two.find("AC UNC")));
    EXPECT_EQ(zon_[0].typ, 10);  // AY GSEC on class G
}

// Each item of SP and SB is read as list-directed reading reads one number:
// repeat counts, null items, blanks; an unreadable item keeps its value.
TEST_F(AirspaceReaderTest, PenAndBrushItemsAreListItems) {
    as0003.qcropas = false;
    run("AC CTR\nAN C1\nSP 1,2,3,4,5\nSB 6,7,8\nSP 2*7,,-1, 3 ,x\nSB +9,2*,1.5\n" + dp(45, 0, 6, 0) + "\n" +
        dp(45, 5, 6, 0) + "\n" + dp(45, 5, 6, 5) + "\n");
    EXPECT_EQ(sp_[12], (AirspacePen{7, 2, -1, 3, 5}));
    EXPECT_EQ(sb_[12], (AirspaceBrush{9, 7, 8}));
}

// Files in the wild follow a coordinate or a number with "*" and a remark
// ("*ARC LKCS 3 NM" in the Czech file), whose letters would be taken for a
// hemisphere or a sign: the geometry lines are read up to the "*", AN names
// keep theirs, and the copy keeps every line whole.
TEST_F(AirspaceReaderTest, RemarksAfterGeometryAreNotRead) {
    as0003.qcropas = false;
    const std::string far_circle = "AC R\nAN FAR\nV X=46:30:00 N 007:30:00 E\nDC 1\n";
    const std::string arc = "AC R\nAN LKCS *ARC 3 NM\nAL SFC\nAH FL65\nV X=45:30:00 N 006:30:00 E *ARC LKCS 3 NM\nV D=+ *not -\n"
                            "DP 45:30:00 N 006:30:00 E *centre S\nDA 10,350,10 *arc S\n";
    run(far_circle + arc);
    const PlanePoint centre = frame_point(45.5f, 6.5f);
    EXPECT_EQ(cmndta001.nberr, 0);
    EXPECT_EQ(cmndta001.nbwarn, 0);
    // The arc about its own centre, clockwise, the short way through north.
    ASSERT_EQ(points_of(0), 11);
    EXPECT_NEAR(point(0, 0).x, centre.x, 1.0f);
    EXPECT_NEAR(point(0, 5).y, centre.y + 10.0f * 1852.0f, 1.0f);
    EXPECT_EQ(read_lines("task-AS_LIST.txt").at(1), "     1 LKCS *ARC 3 NM (R) : SFC - FL65");
    EXPECT_EQ(copy_body().at(8), "V X=45:30:00 N 006:30:00 E *ARC LKCS 3 NM");

    run("AC R\nAN C\nV X=45:30:00 N 006:30:00 E\nDC 1 *NM\n");
    EXPECT_EQ(points_of(0), 13);
    run("AC D\nAN B\nDP 45:00:00 N 006:00:00 E * SW\nV X=45:05:00 N 006:05:00 E\n"
        "DB 45:10:00 N 006:05:00 E, 45:05:00 N 006:10:00 E *to E S\nDP 45:00:00 N 006:10:00 E *SE\n");
    EXPECT_GT(points_of(0), 4);
    EXPECT_FLOAT_EQ(point(0, 0).x, frame_point(45.0f, 6.0f).x);
    run("AC D\nAN W\nV *=2\nV W=2 *NM\nDY 45:00:00 N 006:00:00 E *S\nDY 45:10:00 N 006:00:00 E *S\n");
    ASSERT_EQ(points_of(0), 5);
    EXPECT_NEAR(std::hypot(point(0, 0).x - point(0, 3).x, point(0, 0).y - point(0, 3).y), 3704.0f, 0.5f);
    EXPECT_EQ(cmndta001.nberr, 0);
    EXPECT_EQ(cmndta001.nbwarn, 0);
}

TEST_F(AirspaceReaderTest, PenOfGlidingClassIsWidened) {
    run("AC GP\nSP 0,1,0,0,255\n");
    EXPECT_EQ(sp_[11], (AirspacePen{0, 3, 0, 0, 255}));
}

TEST_F(AirspaceReaderTest, LineHandlingRules) {
    const std::string long_name(300, 'N');
    const std::string text = dp(45, 0, 6, 0) + "\n"  // geometry before the first AC: ignored
                             "*AC D\n"
                             "AC D\nAN " + long_name + "\n"
                             "dp 45:00:00 N 006:00:00 E\n"  // lower case: not a keyword
                             "DP 45:00:00 N 006:00:00 E *AC C\n" + dp(45, 5, 6, 0) + "\n" + dp(45, 5, 6, 5) +
                             "\nAC C *AC D\n";
    as0003.qcropas = false;
    run(text);
    EXPECT_EQ(zon_[0].typ, 2);  // the last zone: its "*AC D" is no class
    // The long AN line is interpreted on its first 256 characters but copied whole.
    const std::vector<std::string> list = read_lines("task-AS_LIST.txt");
    ASSERT_EQ(list.size(), 2u);
    EXPECT_EQ(list[0].substr(0, 7 + 253), "     0 " + std::string(253, 'N'));
    const std::vector<std::string> body = copy_body();
    EXPECT_EQ(body[3], "AN " + long_name);
    EXPECT_EQ(body[1], "*AC D");
    // The first zone alone: its commented point line still counts.
    run(text.substr(0, text.rfind("AC C")));
    EXPECT_EQ(points_of(0), 4);
}

TEST_F(AirspaceReaderTest, BadNumbersAndCoordinatesSkipTheirLines) {
    const std::string text = "AC D\nAN BAD\nDC x\nV W=1e30\nDA 1e30,0,90\n"
                             "DP 45:00:00 N 006:00:00\nDB 45:00:00 N 006:00:00 E\n" +
                             dp(45, 0, 6, 0) + "\n" + dp(45, 5, 6, 0) + "\n" + dp(45, 5, 6, 5) + "\n";
    as0003.qcropas = false;
    run(text);
    EXPECT_EQ(points_of(0), 4);
    EXPECT_EQ(cmndta001.nbwarn, 3);  // DC, V W=, DA
    EXPECT_EQ(cmndta001.nberr, 2);   // the two coordinates
}

// A DB radius is checked as a DA or DC radius is: an arc about a centre half
// the earth away is a fault of its line, which is ignored.
TEST_F(AirspaceReaderTest, DbRadiusBeyondTheEarthSkipsItsLine) {
    const std::string text = "AC D\nAN FAR\nV X=00:00:00 N 009:00:00 E\n" + dp(45, 0, 6, 0) + "\n" +
                             "DB 00:00:00 N 171:00:00 W, 00:00:00 N 171:00:00 W\n" + dp(45, 5, 6, 0) + "\n" +
                             dp(45, 5, 6, 5) + "\n";
    as0003.qcropas = false;
    run(text);
    EXPECT_EQ(points_of(0), 4);
    EXPECT_EQ(cmndta001.nbwarn, 1);
    EXPECT_NE(read_file("Logfile.txt").find("line ignored:\r\nDB 00:00:00 N 171:00:00 W"), std::string::npos);
}

TEST_F(AirspaceReaderTest, FailedStarts) {
    as000c.aspfile = "";
    int nbzon = 0;
    EXPECT_EQ(read_airspace(0, sp_, sb_, nbzon, zon_, pp_, 0, 0), 0);
    EXPECT_EQ(cmndta001.nbwarn, 1);
    as000c.aspfile = "missing.air";
    EXPECT_EQ(read_airspace(0, sp_, sb_, nbzon, zon_, pp_, 0, 0), 0);
    EXPECT_EQ(cmndta001.nberr, 1);
    as000c.aspfile = "land.air";
    as000c.new_aspfile = "no such folder\\out.txt";
    EXPECT_EQ(run(square_zone("D", "A", 45, 0, 6, 0)), 0);
    EXPECT_EQ(cmndta001.nberr, 2);
    // A zone count passed in gives the result 1 and stays as it was.
    as000c.new_aspfile = "out.txt";
    nbzon_ = 1;
    EXPECT_EQ(run(square_zone("D", "A", 45, 0, 6, 0)), 1);
    EXPECT_EQ(nbzon_, 1);
}

// The result of a filter-mode read does not tell whether the copy was
// written; filtered_copy_status does.
TEST_F(AirspaceReaderTest, FilteredCopyStatusTellsWhetherTheCopyWasWritten) {
    int nbzon = 0;
    as000c.aspfile = "";
    read_airspace(0, sp_, sb_, nbzon, zon_, pp_, 0, 0);
    EXPECT_EQ(filtered_copy_status(), kFilteredCopyNotWritten);
    as000c.aspfile = "missing.air";
    read_airspace(0, sp_, sb_, nbzon, zon_, pp_, 0, 0);
    EXPECT_EQ(filtered_copy_status(), kFilteredCopyNotWritten);

    as000c.aspfile = "land.air";
    // Written: the result is still 0, since no zone count was given in.
    EXPECT_EQ(run(square_zone("D", "A", 45, 0, 6, 0)), 0);
    EXPECT_EQ(filtered_copy_status(), 0);
    // Stopped in order at the zone limit: what was copied stands.
    EXPECT_EQ(run(square_zone("D", "A", 45, 0, 6, 0) + square_zone("D", "B", 45, 10, 6, 0), 2), 0);
    EXPECT_EQ(filtered_copy_status(), 0);

    as000c.new_aspfile = "no such folder\\out.txt";
    run(square_zone("D", "A", 45, 0, 6, 0));
    EXPECT_EQ(filtered_copy_status(), kFilteredCopyNotWritten);

    // A copy whose lines cannot reach the disk.
    if (std::filesystem::exists("/dev/full")) {
        as000c.new_aspfile = "Z:\\dev\\full";
        run(square_zone("D", "A", 45, 0, 6, 0));
        EXPECT_GT(filtered_copy_status(), 0);
    }

    // Load mode makes no copy.
    as000c.new_aspfile = "out.txt";
    as0003.qwriteas = false;
    run(square_zone("D", "A", 45, 0, 6, 0));
    EXPECT_EQ(filtered_copy_status(), kFilteredCopyNotWritten);
}

TEST_F(AirspaceReaderTest, TheCopyCanGoIntoTheCallersFile) {
    write_file("land.air", square_zone("D", "A", 45, 0, 6, 0));
    zon_.assign(kConversionMaxZones, AirspaceZone{});
    pp_.assign(kConversionMaxPoints, PlanePoint{});
    write_file("out.txt", "EARLIER RUN\r\n");
    {
        FileWriter out("out.txt");
        EXPECT_EQ(read_airspace_into(out, 0, sp_, sb_, nbzon_, zon_, pp_, kConversionMaxZones, kConversionMaxPoints),
                  0);
        EXPECT_EQ(filtered_copy_status(), 0);
        EXPECT_TRUE(out.is_open());  // left to the caller
        out.write_line("MORE");
        EXPECT_EQ(out.close(), 0);
    }
    const std::vector<std::string> lines = read_lines("out.txt");
    EXPECT_EQ(lines.front(), std::string(71, '*'));
    EXPECT_EQ(lines.back(), "MORE");
    EXPECT_EQ(read_lines("task-AS_LIST.txt").size(), 1u);

    // No airspace file: nothing goes into the caller's file, no list is touched.
    as000c.aspfile = "missing.air";
    FileWriter out("out.txt");
    read_airspace_into(out, 0, sp_, sb_, nbzon_, zon_, pp_, kConversionMaxZones, kConversionMaxPoints);
    EXPECT_EQ(filtered_copy_status(), kFilteredCopyNotWritten);
    EXPECT_EQ(out.close(), 0);
    EXPECT_EQ(read_file("out.txt"), "");
    EXPECT_EQ(read_lines("task-AS_LIST.txt").size(), 1u);
}

TEST_F(AirspaceReaderTest, AListThatCannotBeWrittenIsToldAndKeepsItsBytes) {
    write_file("task-AS_LIST.txt", "     9 EARLIER\r\n");
    arm_file_fault({FileStep::rename, 1, "task-AS_LIST.txt", EIO});
    run(square_zone("D", "A", 45, 0, 6, 0));
    EXPECT_EQ(filtered_copy_status(), 0);  // the copy itself was written
    EXPECT_EQ(read_file("task-AS_LIST.txt"), "     9 EARLIER\r\n");
    EXPECT_EQ(unwritten_files.names, std::vector<std::string>{"task-AS_LIST.txt"});
    EXPECT_EQ(cmndta001.nberr, 1);
}

}  // namespace

namespace {

// The debug switch: every zone opened, kept or left out, and the end of the
// read, in "ASP.txt"; nothing of it without the switch.
TEST_F(AirspaceReaderTest, TheDebugSwitchDumpsTheReadIntoAspTxt) {
    const std::string text = square_zone("D", "KEPT", 45, 0, 6, 0) + square_zone("R", "DISABLED", 45, 10, 6, 0) +
                             square_zone("C", "FAR", 50, 0, 6, 0);
    run(text);
    EXPECT_FALSE(std::filesystem::exists(dir_.path() / "ASP.txt"));
    peldbg00.qdbg_l_0 = true;
    rd_fpl_5.qas_disa[1] = true;
    run(text);
    EXPECT_EQ(read_lines("ASP.txt"), (std::vector<std::string>{
                                         "AC      0  3 D",
                                         "KEEP      0      5 KEPT (D) : SFC - FL65",
                                         "AC      1  9 R",
                                         "REMOVE      1 disabled DISABLED",
                                         "AC      2  2 C",
                                         "REMOVE      2 outside FAR (C) : SFC - FL65",
                                         "READ land.air      3      1",
                                     }));
    // The copy and the list are as without the switch.
    EXPECT_EQ(read_lines("task-AS_LIST.txt"), (std::vector<std::string>{"     0 KEPT (D) : SFC - FL65"}));
}

}  // namespace

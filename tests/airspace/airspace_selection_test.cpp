#include <gtest/gtest.h>

#include <random>
#include <string>
#include <vector>

#include "airspace/airspace_reader.h"
#include "foundation/message_records.h"
#include "reader_harness.h"
#include "taskfiles/task_model.h"

namespace {

using airspace_test::ReaderTest;
using airspace_test::square_zone;
using Lines = std::vector<std::string>;

class AirspaceSelectionTest : public ReaderTest {
protected:
    // Lines of a text (LF separated, no final empty line).
    static Lines lines_of(const std::string& text) {
        Lines lines;
        std::size_t start = 0;
        while (start < text.size()) {
            const std::size_t end = text.find('\n', start);
            lines.push_back(text.substr(start, end - start));
            start = end == std::string::npos ? text.size() : end + 1;
        }
        return lines;
    }
    static Lines commented(const Lines& lines) {
        Lines out;
        for (const std::string& line : lines) {
            out.push_back("* " + line);
        }
        return out;
    }
    static Lines join(std::initializer_list<Lines> parts) {
        Lines out;
        for (const Lines& part : parts) {
            out.insert(out.end(), part.begin(), part.end());
        }
        return out;
    }

    const std::string preamble_ = "* Landscape airspace\n*\n";
    const std::string zone0_ = square_zone("D", "ZERO", 45, 0, 6, 0);
    const std::string zone1_ = "* about one\n\n" + square_zone("C", "ONE", 45, 10, 6, 10);
    const std::string zone2_ = "\n* about two\n" + square_zone("R", "TWO", 45, 20, 6, 20);
    const std::string file_ = preamble_ + zone0_ + zone1_ + zone2_ + "\n* trailing comment\n";
};

TEST_F(AirspaceSelectionTest, KeptZonesAreCopiedUnchanged) {
    run(file_);
    EXPECT_EQ(copy_body(), lines_of(file_));
    EXPECT_EQ(read_lines("task-AS_LIST.txt"),
              (Lines{"     0 ZERO (D) : SFC - FL65", "     1 ONE (C) : SFC - FL65", "     2 TWO (R) : SFC - FL65"}));
    EXPECT_EQ(read_lines("CroppedAirspace.txt"), read_lines("task-AS_LIST.txt"));
    // A second run appends to the list of every kept zone.
    run(file_);
    EXPECT_EQ(read_lines("CroppedAirspace.txt").size(), 6u);
    EXPECT_EQ(read_lines("task-AS_LIST.txt").size(), 3u);
}

TEST_F(AirspaceSelectionTest, DisabledZoneCommentedOrDeleted) {
    rd_fpl_5.qas_disa[1] = true;
    as0003.qdeldup = false;
    run(file_);
    // Zone 1's lines (with the blank line that follows them) are commented;
    // the comment block above zone 2 stays with zone 2.
    const Lines zone1 = lines_of(zone1_);
    EXPECT_EQ(copy_body(), join({lines_of(preamble_ + zone0_), commented(zone1), Lines{"* "},
                                 lines_of("* about two\n" + square_zone("R", "TWO", 45, 20, 6, 20) +
                                          "\n* trailing comment\n")}));
    EXPECT_EQ(read_lines("task-AS_LIST.txt"), (Lines{"     0 ZERO (D) : SFC - FL65", "     2 TWO (R) : SFC - FL65"}));

    as0003.qdeldup = true;
    run(file_);
    EXPECT_EQ(copy_body(), join({lines_of(preamble_ + zone0_),
                                 lines_of("* about two\n" + square_zone("R", "TWO", 45, 20, 6, 20) +
                                          "\n* trailing comment\n")}));
    // Every decided zone gives its slot back: the last one is in slot 0.
    EXPECT_EQ(zon_[0].typ, 9);
}

// Leaving a zone out (qdeldup) writes what commenting it out writes, less
// the commented-out lines: over files of zones, some disabled, some outside
// the window, with comments ("*c", never "* ") and blank lines between and
// within them, in every order.
TEST_F(AirspaceSelectionTest, LeavingOutIsCommentingOutLessTheCommentedLines) {
    std::mt19937 random(20261209u);
    const auto pick = [&random](int n) { return std::uniform_int_distribution<int>(0, n - 1)(random); };
    const auto decoration = [&pick]() {
        std::string text;
        for (int i = pick(6); i > 0; --i) {
            text += pick(2) == 0 ? "\n" : (pick(2) == 0 ? "*c\n" : "   \n");
        }
        return text;
    };
    for (int round = 0; round < 100; ++round) {
        rd_fpl_5.qas_disa.fill(false);
        std::string text = decoration();
        const int zones = 1 + pick(6);
        for (int z = 0; z < zones; ++z) {
            rd_fpl_5.qas_disa[static_cast<std::size_t>(z)] = pick(3) == 0;
            const int lat_min = pick(4) == 0 ? 0 : 10 * z;  // a latitude of 50 N is outside
            std::string zone = square_zone("D", "Z" + std::to_string(z), pick(4) == 0 ? 50 : 45, lat_min, 6, 0);
            // Comments and blank lines inside the zone, after one of its lines.
            const std::size_t after = zone.find('\n', static_cast<std::size_t>(pick(static_cast<int>(zone.size()))));
            zone.insert(after + 1, decoration());
            text += zone + decoration();
        }
        SCOPED_TRACE(text);
        as0003.qdeldup = false;
        run(text);
        Lines expected;
        for (const std::string& line : copy_body()) {
            if (!line.starts_with("* ")) {
                expected.push_back(line);
            }
        }
        as0003.qdeldup = true;
        run(text);
        EXPECT_EQ(copy_body(), expected);
    }
}

TEST_F(AirspaceSelectionTest, ZonesOutsideTheWindowAreDropped) {
    const std::string outside = square_zone("D", "FAR", 50, 0, 12, 0);
    const std::string text = zone0_ + outside + zone2_;
    as0003.qdeldup = false;
    run(text);
    // The blank line above zone 2's comment block stays with the dropped zone.
    EXPECT_EQ(copy_body(), join({lines_of(zone0_), commented(lines_of(outside)), Lines{"* "},
                                 lines_of("* about two\n" + square_zone("R", "TWO", 45, 20, 6, 20))}));
    EXPECT_EQ(read_lines("task-AS_LIST.txt"), (Lines{"     0 ZERO (D) : SFC - FL65", "     2 TWO (R) : SFC - FL65"}));
    EXPECT_EQ(read_lines("CroppedAirspace.txt").size(), 2u);
    // A dropped zone, like a kept one, gives its slot back.
    EXPECT_EQ(zon_[0].typ, 9);

    as0003.qcropas = false;
    run(text);
    EXPECT_EQ(copy_body(), lines_of(text));
    EXPECT_EQ(read_lines("task-AS_LIST.txt").size(), 3u);
}

TEST_F(AirspaceSelectionTest, ListModeListsDisabledZonesByTheirNames) {
    as0003.qlistas = true;
    rd_fpl_5.qas_disa.fill(true);
    rd_fpl_5.qas_disa[0] = false;
    rd_fpl_5.qas_disa[2] = false;
    run(file_);
    EXPECT_EQ(read_lines("task-AS_LIST.txt"), (Lines{"     1 ONE"}));
    EXPECT_EQ(read_lines("CroppedAirspace.txt"), (Lines{"     0 ZERO (D) : SFC - FL65", "     2 TWO (R) : SFC - FL65"}));
}

TEST_F(AirspaceSelectionTest, FileEndings) {
    // No zone at all: copied whole.
    run("* only comments\n\n* here\n");
    EXPECT_EQ(copy_body(), (Lines{"* only comments", "", "* here"}));
    // A last zone without geometry: flushed with its trailing comments,
    // judged outside when cropping.
    as0003.qdeldup = false;
    run(zone0_ + "AC D\nAN EMPTY\n* end\n");
    EXPECT_EQ(copy_body(), join({lines_of(zone0_), Lines{"* AC D", "* AN EMPTY", "* * end"}}));
    as0003.qcropas = false;
    run(zone0_ + "AC D\nAN EMPTY\n* end\n");
    EXPECT_EQ(copy_body(), lines_of(zone0_ + "AC D\nAN EMPTY\n* end\n"));
    // A zone with one point is outside when cropping.
    as0003.qcropas = true;
    run("AC D\nAN ONE\nDP 45:00:00 N 006:00:00 E\n");
    EXPECT_EQ(copy_body(), (Lines{"* AC D", "* AN ONE", "* DP 45:00:00 N 006:00:00 E"}));
}

TEST_F(AirspaceSelectionTest, CrLfInputAndTrailingBlanks) {
    std::string text = "AC D   \r\nAN CRLF\r\n";
    text += "DP 45:00:00 N 006:00:00 E\r\nDP 45:05:00 N 006:00:00 E\r\nDP 45:05:00 N 006:05:00 E\r\n";
    run(text);
    EXPECT_EQ(copy_body(), (Lines{"AC D", "AN CRLF", "DP 45:00:00 N 006:00:00 E", "DP 45:05:00 N 006:00:00 E",
                                  "DP 45:05:00 N 006:05:00 E"}));
    EXPECT_EQ(read_file("out.txt").find("\n"), read_file("out.txt").find("\r\n") + 1);
}

// In filter mode a zone's slot and points are given back once it is copied
// or left out: the limits of the tables bound one zone, not the file.
TEST_F(AirspaceSelectionTest, FilterModeLimitsBoundOneZone) {
    std::string text;
    for (int i = 0; i < 8; ++i) {
        text += "* zone " + std::to_string(i) + "\n" + square_zone("D", "Z" + std::to_string(i), 45, 6 * i, 6, 0);
    }
    // Room for 5 zones and 12 points (two squares of 5): the whole file.
    run(text, 5, 12);
    EXPECT_EQ(cmndta001.nbwarn, 0);
    EXPECT_EQ(read_lines("task-AS_LIST.txt").size(), 8u);
    EXPECT_EQ(copy_body(), lines_of(text));
}

TEST_F(AirspaceSelectionTest, AZoneLargerThanThePointTableStopsInOrder) {
    std::string large = "AC D\nAN LARGE\n";
    for (int k = 0; k < 13; ++k) {
        large += airspace_test::dp(46, 2 * k, 6, k % 2 == 0 ? 0 : 10) + "\n";
    }
    const std::string text = square_zone("D", "Z0", 45, 0, 6, 0) + square_zone("D", "Z1", 45, 6, 6, 0) + large +
                             square_zone("D", "Z3", 45, 18, 6, 0);
    // 13 points do not fit in 12: zones 0 and 1 are decided, the large zone
    // neither kept nor dropped, nothing after it.
    run(text, 50, 12);
    EXPECT_EQ(cmndta001.nbwarn, 1);
    EXPECT_EQ(read_lines("task-AS_LIST.txt").size(), 2u);
    EXPECT_EQ(copy_body(), lines_of(square_zone("D", "Z0", 45, 0, 6, 0) + square_zone("D", "Z1", 45, 6, 6, 0)));
    const std::string log = read_file("Logfile.txt");
    EXPECT_NE(log.find("Airspace file too large: only the first 2 airspaces were processed"), std::string::npos);
    // The same in French.
    cmndta001.qfr = true;
    run(text, 50, 12);
    EXPECT_NE(read_file("Logfile.txt").find("Fichier d'espaces a\xE9riens trop grand : seuls les 2 premiers espaces ont "
                                            "\xE9t\xE9 trait\xE9s"),
              std::string::npos);
}

// An arc or a circle asking for more points than the table holds (a centre
// typed in the wrong hemisphere) loses only its zone: told with its line,
// neither copied nor listed; the zones after it are read as ever.
TEST_F(AirspaceSelectionTest, AnArcThatCannotBeDrawnLosesOnlyItsZone) {
    const std::string wrong_hemisphere =
        "AC C\nAN WRONG\nAL SFC\nAH FL65\n" + airspace_test::dp(45, 30, 6, 0) +
        "\nV X=45:30:00 S 006:10:00 E\nDB 45:30:00 N 006:20:00 E, 45:30:00 N 006:00:00 E\nDC 1\n";
    const std::string wide_circle = "AC R\nAN WIDE\nV X=45:30:00 N 006:30:00 E\nDC 100\n";
    const std::string text = zone0_ + wrong_hemisphere + zone1_ + wide_circle + zone2_;
    // 12 segments for DC 1: the table of 1000 points holds the other zones,
    // not an arc round the earth nor a circle 1164 km long.
    run(text, 50, 1000);
    EXPECT_EQ(cmndta001.nbwarn, 2);
    const std::string log = read_file("Logfile.txt");
    EXPECT_NE(log.find("out of range, line ignored:\r\nDB 45:30:00 N 006:20:00 E, 45:30:00 N 006:00:00 E"),
              std::string::npos);
    EXPECT_NE(log.find("out of range, line ignored:\r\nDC 100"), std::string::npos);
    EXPECT_EQ(log.find("airspaces were processed"), std::string::npos);
    // The blank line after the dropped circle goes with it, as with a zone cropped out.
    EXPECT_EQ(copy_body(), lines_of(zone0_ + zone1_ + zone2_.substr(1)));
    EXPECT_EQ(read_lines("task-AS_LIST.txt"),
              (Lines{"     0 ZERO (D) : SFC - FL65", "     2 ONE (C) : SFC - FL65", "     4 TWO (R) : SFC - FL65"}));
}

TEST_F(AirspaceSelectionTest, ZonesBeyondTheTaskFlags) {
    EXPECT_FALSE(airspace_disabled(9000));
    EXPECT_FALSE(airspace_disabled(-1));
    rd_fpl_5.qas_disa[8192] = true;
    EXPECT_TRUE(airspace_disabled(8192));
    as0003.qlistas = true;
    EXPECT_TRUE(airspace_disabled(8193));
}

}  // namespace

namespace {

class AirspaceNameListTest : public airspace_test::ReaderTest {};

TEST_F(AirspaceNameListTest, KeptNamesListedBesideTheInput) {
    as0003.qexpas = true;
    as000c.aspfile = "land.txt";
    write_file("land.txt", square_zone("D", "ZERO", 45, 0, 6, 0) + square_zone("D", "FAR", 50, 0, 12, 0));
    int nbzon = 0;
    std::vector<AirspaceZone> zon(10);
    std::vector<PlanePoint> pp(100);
    read_airspace(0, sp_, sb_, nbzon, zon, pp, 10, 100);
    EXPECT_EQ(read_lines("land_LIST.txt"), (std::vector<std::string>{"ZERO (D) : SFC - FL65"}));
}

}  // namespace

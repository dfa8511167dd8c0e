#include "taskfiles/cup_reader.h"

#include "reader_fixture.h"
#include "support/text_tables.h"

#include <gtest/gtest.h>

#include <array>
#include <string>
#include <vector>

using tarvex_test::crlf;
using tarvex_test::ReaderTest;

namespace {

const std::string kHeader = "name,code,country,lat,lon,elev,style,rwdir,rwlen,freq,desc";
const std::string kHeaderWidth = "name,code,country,lat,lon,elev,style,rwdir,rwlen,rwwidth,freq,desc";

class CupReader : public ReaderTest {
protected:
    void read(const std::string& name, bool qlnd = false, int maxapt = kMaxLandscapeWaypoints) {
        read_cup(name, maxapt, tarvewp2, tarvewp3, nb_wp, qlnd, false, false, ios);
    }
    void read_lines(const std::vector<std::string>& lines, bool qlnd = false) {
        read(write("wp.cup", crlf(lines)), qlnd);
    }
    // The texts of the boxes shown, in order.
    std::vector<std::string> texts() const {
        std::vector<std::string> result;
        for (const auto& box : boxes) {
            result.push_back(box.text);
        }
        return result;
    }

    int nb_wp = -1;
    int ios = -1;
};

}  // namespace

TEST_F(CupReader, WaypointLines) {
    read_lines({kHeader,
                "\"Alpha, the first\",\"ALP\",FR,4530.250N,00612.500E,1640ft,5,270,1200m,123.500,\"Grass, long\"",
                "\"Bravo\",B,FR,4530.25000S,00612.500W,500m,2,,,,",
                "Charlie,C,FR,4530.2500N,00612.5000E,500,1,,,",  // four decimals
                "\"version=\",\"1\"",
                "no comma here",
                "Delta,D,FR,4530.250N,00612.500E,500,1,abc,1km,12x,desc"});
    EXPECT_EQ(ios, 0);
    ASSERT_EQ(nb_wp, 4);
    EXPECT_EQ(tarvewp3.wp_nam[1], "Alpha, the first");  // the quoted comma stays in the name
    EXPECT_EQ(tarvewp3.wp_cod[1], "ALP");
    EXPECT_EQ(tarvewp3.wp_cty[1], "FR");
    EXPECT_EQ(tarvewp3.wp_dsc[1], "Grass, long");
    EXPECT_NEAR(tarvewp2.wp_lat[1], 45.50417f, 1e-5f);
    EXPECT_NEAR(tarvewp2.wp_lon[1], 6.20833f, 1e-5f);
    EXPECT_EQ(tarvewp2.wp_elev[1], 500);  // 1640 ft
    EXPECT_EQ(tarvewp2.wp_typ[1], 5);
    EXPECT_EQ(tarvewp2.wp_rwd[1], 270.0f);
    EXPECT_EQ(tarvewp2.wp_rwl[1], 1200.0f);
    EXPECT_EQ(tarvewp2.wp_frq[1], 123.5f);
    EXPECT_NEAR(tarvewp2.wp_lat[2], -45.50417f, 1e-5f);  // five decimals
    EXPECT_NEAR(tarvewp2.wp_lon[2], -6.20833f, 1e-5f);
    EXPECT_EQ(tarvewp2.wp_elev[2], 500);
    // Empty runway and frequency fields: -999 and no message.
    EXPECT_EQ(tarvewp2.wp_rwd[2], -999.0f);
    EXPECT_EQ(tarvewp2.wp_rwl[2], -999.0f);
    EXPECT_EQ(tarvewp2.wp_frq[2], -999.0f);
    EXPECT_EQ(tarvewp2.wp_elev[3], 500);  // a bare number is metres
    EXPECT_NEAR(tarvewp2.wp_lat[3], 45.50417f, 1e-5f);
    // Unreadable values: -999 with a message each, the line kept.
    EXPECT_EQ(tarvewp3.wp_nam[4], "Delta");
    EXPECT_EQ(tarvewp2.wp_rwd[4], -999.0f);
    EXPECT_EQ(tarvewp2.wp_rwl[4], -999.0f);  // "km" is not a SeeYou length unit
    EXPECT_EQ(tarvewp2.wp_frq[4], -999.0f);
    EXPECT_EQ(texts(), (std::vector<std::string>{
                           "wp.cup\nDelta Runway direction : abc\nValue ignored",
                           "wp.cup\nDelta Runway length : 1km\nValue ignored",
                           "wp.cup\nDelta Frequency : 12x\nValue ignored",
                       }));
    for (const auto& box : boxes) {
        EXPECT_EQ(box.title, "read_cup");
        EXPECT_EQ(box.status, 1);
    }
    EXPECT_TRUE(log_has("Delta Runway direction : abc\r\nValue ignored\r\n"));
}

TEST_F(CupReader, FirstLineIsAlwaysTheHeader) {
    read_lines({"Alpha,A,FR,4530.250N,00612.500E,500m,2,,,,", "Bravo,B,FR,4530.250N,00612.500E,500m,2,,,,"});
    ASSERT_EQ(nb_wp, 1);
    EXPECT_EQ(tarvewp3.wp_nam[1], "Bravo");
}

TEST_F(CupReader, RunwayWidthColumn) {
    read_lines({kHeaderWidth, "Alpha,A,FR,4530.250N,00612.500E,500m,5,090,800m,25m,122.500,Desc"});
    ASSERT_EQ(nb_wp, 1);
    EXPECT_EQ(tarvewp2.wp_rwl[1], 800.0f);
    EXPECT_EQ(tarvewp2.wp_frq[1], 122.5f);
    EXPECT_EQ(tarvewp3.wp_dsc[1], "Desc");

    read_lines({kHeader, "Alpha,A,FR,4530.250N,00612.500E,500m,5,090,800m,25m,122.500,Desc"});
    EXPECT_EQ(tarvewp2.wp_frq[1], 25.0f);  // without "rwwidth" the width is the frequency
    EXPECT_EQ(tarvewp3.wp_dsc[1], "122.500");
}

TEST_F(CupReader, BadLinesAreReportedAndIgnored) {
    read_lines({kHeader,
                "Lat1,A,FR,4530.25N,00612.500E,500m,2,,,,",     // two decimals
                "Lon1,A,FR,4530.250N,0612.500E,500m,2,,,,",     // the sixth character is not "."
                "Elev1,A,FR,4530.250N,00612.500E,500FT,2,,,,",  // upper-case units are not units
                "Style1,A,FR,4530.250N,00612.500E,500m,two,,,,",
                "Good,A,FR,4530.250N,00612.500E,500m,2,,,,"});
    ASSERT_EQ(nb_wp, 1);
    EXPECT_EQ(tarvewp3.wp_nam[1], "Good");
    EXPECT_EQ(texts(), (std::vector<std::string>{
                           "wp.cup\nLat1 Latitude : 4530.25N\nLine ignored",
                           "wp.cup\nLon1 Longitude : 0612.500E\nLine ignored",
                           "wp.cup\nElev1 Elevation : 500FT\nLine ignored",
                           "wp.cup\nStyle1 Style : two\nLine ignored",
                       }));
    EXPECT_TRUE(log_has("Lat1 Latitude : 4530.25N\r\nLine ignored\r\n"));

    boxes.clear();
    read_cup("wp.cup", kMaxLandscapeWaypoints, tarvewp2, tarvewp3, nb_wp, false, false, true, ios);
    EXPECT_TRUE(boxes.empty());  // silent: the log only
    EXPECT_EQ(nb_wp, 1);
}

TEST_F(CupReader, FieldsAreCutToTheirRecords) {
    const std::string name(30, 'N');
    const std::string code(16, 'C');
    const std::string desc(80, 'D');
    read_lines({kHeader, name + "," + code + ",FR,4530.250N,00612.500E,500m,2,,,," + desc});
    ASSERT_EQ(nb_wp, 1);
    EXPECT_EQ(tarvewp3.wp_nam[1], std::string(24, 'N'));
    EXPECT_EQ(tarvewp3.wp_cod[1], std::string(12, 'C'));
    EXPECT_EQ(tarvewp3.wp_dsc[1], std::string(64, 'D'));
}

TEST_F(CupReader, LandableOnlyAndLandabilityClass) {
    read_lines({kHeader,
                "Field,A,FR,4530.250N,00612.500E,500m,3,,,,Pr\xE9 {m}",
                "Strip,A,FR,4530.250N,00612.500E,500m,4,,,,{ TD }",
                "Point,A,FR,4530.250N,00612.500E,500m,1,,,,{F}",
                "Airfield,A,FR,4530.250N,00612.500E,500m,5,,,,{Facile}",
                "----Related Tasks----",
                "\"T\",\"Field\",\"Strip\""},
               true);
    EXPECT_EQ(ios, 0);
    ASSERT_EQ(nb_wp, 3);
    EXPECT_EQ(tarvewp2.wp_typ[1], 2003);
    EXPECT_EQ(tarvewp2.wp_typ[2], 4);  // " TD " is not "TD"
    EXPECT_EQ(tarvewp2.wp_typ[3], 1005);
    EXPECT_EQ(rd_cup_0.nb_cup, 0);  // the task is not read

    EXPECT_EQ(landability_class("x {M}"), 2);
    EXPECT_EQ(landability_class("x {normal}  "), 2);
    EXPECT_EQ(landability_class("{D}"), 3);
    EXPECT_EQ(landability_class("{difficile}"), 3);
    EXPECT_EQ(landability_class("{vd}"), 4);
    EXPECT_EQ(landability_class("{Tres_Difficile}"), 4);
    EXPECT_EQ(landability_class("{LA}{ZA}"), 1);  // the last "{"
    EXPECT_EQ(landability_class("{E"), 0);
    EXPECT_EQ(landability_class("{}"), 0);
    EXPECT_EQ(landability_class("{A}"), 0);
    EXPECT_EQ(landability_class("{VELISURFACE}"), 0);
    EXPECT_EQ(landability_class("{M} x"), 0);
    EXPECT_EQ(landability_class(""), 0);
}

TEST_F(CupReader, CapacityMessageOnceAndNoTask) {
    std::vector<std::string> lines{kHeader};
    for (int n = 1; n <= 4; ++n) {
        lines.push_back("W" + std::to_string(n) + ",A,FR,4530.250N,00612.500E,500m,2,,,,");
    }
    lines.push_back("----Related Tasks----");
    lines.push_back("\"T\",\"W1\",\"W2\"");
    write("cap.cup", crlf(lines));
    read("cap.cup", false, 3);
    EXPECT_EQ(ios, 0);
    EXPECT_EQ(nb_wp, 3);
    EXPECT_EQ(tarvewp3.wp_nam[3], "W3");
    EXPECT_EQ(texts(), std::vector<std::string>{"cap.cup\nMax number of waypoints reached: 3"});
    EXPECT_EQ(rd_cup_2.cupdesc, "");
}

TEST_F(CupReader, FullCapacity) {
    std::string text = crlf({kHeader});
    for (int n = 1; n <= kMaxLandscapeWaypoints + 1; ++n) {
        text += "W" + std::to_string(n) + ",A,FR,4530.250N,00612.500E,500m,2,,,,\r\n";
    }
    write("full.cup", text);
    read("full.cup");
    EXPECT_EQ(nb_wp, kMaxLandscapeWaypoints);
    EXPECT_EQ(tarvewp3.wp_nam[kMaxLandscapeWaypoints], "W15000");
    EXPECT_EQ(texts(), std::vector<std::string>{"full.cup\nMax number of waypoints reached: 15000"});
}

TEST_F(CupReader, MissingAndEmptyFiles) {
    nb_wp = 5;
    read("absent.cup");
    EXPECT_EQ(nb_wp, 0);
    EXPECT_NE(ios, 0);
    EXPECT_TRUE(boxes.empty());
    write("empty.cup", "");
    read("empty.cup");
    EXPECT_EQ(nb_wp, 0);
    EXPECT_EQ(ios, 0);
    write("lf.cup", kHeader + "\nAlpha,A,FR,4530.250N,00612.500E,500m,2,,,,\n");  // LF endings
    read("lf.cup");
    EXPECT_EQ(nb_wp, 1);
}

TEST_F(CupReader, TaskSection) {
    rd_cup_1.cupmxa[3] = 777.0f;  // of a task read before
    read_lines({kHeader,
                "Start,S,FR,4530.000N,00600.000E,400m,1,,,,",
                "TP1,T,FR,4540.000N,00610.000E,900m,1,,,,",
                "Finish,F,FR,4550.000N,00620.000E,300m,5,,,,",
                "----Related Tasks----",
                "\"My task, the best\",\"???\",\"Start\",\"TP1\",\"Finish\",,\"ignored\"",
                "Options,NoStart=12:00:00,TaskTime=01:30:00",
                "ObsZone=0,Style=2,R1=3000m,A1=180,Line=1",
                "ObsZone=1,Style=1,R1=10km,A1=45,R2=500m,A2=180,A12=90,MaxAlt=1500m",
                "ObsZone=2,R1=1nm,A1=180,A12=-20,Style=0",
                "R1=400m,ObsZone=1",
                "\"Second task\",\"Start\",\"TP1\"",
                "ObsZone=0,R1=9m"});
    EXPECT_EQ(ios, 0);
    EXPECT_EQ(nb_wp, 3);
    EXPECT_EQ(rd_cup_2.cupdesc, "\"My task, the best\"");
    ASSERT_EQ(rd_cup_0.nb_cup, 3);
    EXPECT_EQ(rd_cup_2.cupnam[0], "???");
    EXPECT_EQ(rd_cup_1.cuplat[0], 0.0f);  // no position for "???"
    EXPECT_EQ(rd_cup_2.cupnam[1], "Start");
    EXPECT_NEAR(rd_cup_1.cuplat[1], 45.5f, 1e-5f);
    EXPECT_NEAR(rd_cup_1.cuplon[1], 6.0f, 1e-5f);
    EXPECT_EQ(rd_cup_1.cupalt[1], 400.0f);
    EXPECT_EQ(rd_cup_1.cupsty[3], 5);
    // Zone of point 1 (ObsZone 0).
    EXPECT_EQ(rd_cup_1.cuprad[1][1], 3000.0f);
    EXPECT_EQ(rd_cup_1.cupang[1][1], 180.0f);
    EXPECT_TRUE(rd_cup_1.cupline[1]);
    // Point 2: both radii and angles, MaxAlt.
    EXPECT_EQ(rd_cup_1.cuprad[1][2], 10000.0f);  // zone radii read in km too
    EXPECT_EQ(rd_cup_1.cupang[1][2], 45.0f);
    EXPECT_EQ(rd_cup_1.cuprad[2][2], 500.0f);
    EXPECT_EQ(rd_cup_1.cupang[2][2], 180.0f);
    EXPECT_EQ(rd_cup_1.cupmxa[2], 1500.0f);
    EXPECT_EQ(rd_cup_1.cuprad[1][3], 1852.0f);
    EXPECT_EQ(rd_cup_1.cupmxa[3], 0.0f);  // none of its own
    EXPECT_FALSE(rd_cup_1.cupline[3]);
    // A fixed direction for a zone of Style 0 only, brought into a turn.
    EXPECT_EQ(rd_cup_1.cupa12[1], kNoFixedDirection);
    EXPECT_EQ(rd_cup_1.cupa12[2], kNoFixedDirection);
    EXPECT_EQ(rd_cup_1.cupa12[3], 340.0f);
    EXPECT_EQ(rd_cup_1.cupzone, (std::array<bool, kCupTaskSlots>{false, true, true, true}));
    EXPECT_EQ(texts(), (std::vector<std::string>{"wp.cup\nObsZone undefined R1"}));
    EXPECT_EQ(boxes[0].title, "read_cup_task");

    // A file without a task, read next, keeps nothing of this one's.
    read_lines({kHeader, "Start,S,FR,4530.000N,00600.000E,400m,1,,,,"});
    EXPECT_EQ(rd_cup_0.nb_cup, 0);
    EXPECT_EQ(rd_cup_1.cuprad[1][1], 0.0f);
}

// The rules of the options line and the waypoint each task point is, which
// the conversion carries to the targets.
TEST_F(CupReader, OptionsRulesAndTheWaypointsOfThePoints) {
    const std::vector<std::string> waypoints = {kHeader, "Home,H,FR,4530.000N,00600.000E,400m,5,,,,",
                                                "TP,T,FR,4540.000N,00610.000E,900m,1,,,,", "----Related Tasks----",
                                                "\"Task\",\"???\",\"TP\",\"Home\",\"Home\""};
    std::vector<std::string> lines = waypoints;
    lines.push_back("Options,NoStart=12:30:00,TaskTime=02:30:00,WpDis=False,NearDis=0.5km");
    read_lines(lines);
    EXPECT_EQ(rd_cup_0.cupnostart, 45000);
    EXPECT_EQ(rd_cup_0.cuptasktime, 9000);
    EXPECT_EQ(rd_cup_0.cupwpdis, 0);
    EXPECT_EQ(rd_cup_1.cupwp, (std::array<int, kCupTaskSlots>{0, 2, 1, 1}));
    EXPECT_TRUE(boxes.empty());

    // Values that do not read are told and ignored; a task without them has none.
    lines = waypoints;
    lines.push_back("Options,NoStart=24:00:00,TaskTime=soon,WpDis=maybe");
    read_lines(lines);
    EXPECT_EQ(rd_cup_0.cupnostart, kNoTaskRule);
    EXPECT_EQ(rd_cup_0.cuptasktime, kNoTaskRule);
    EXPECT_EQ(rd_cup_0.cupwpdis, kNoTaskRule);
    EXPECT_EQ(texts(), (std::vector<std::string>{"wp.cup\nNoStart : 24:00:00\nValue ignored",
                                                 "wp.cup\nTaskTime : soon\nValue ignored",
                                                 "wp.cup\nWpDis : maybe\nValue ignored"}));
    lines.back() = "Options,WpDis=true";
    read_lines(lines);
    EXPECT_EQ(rd_cup_0.cupwpdis, 1);
    EXPECT_EQ(rd_cup_0.cupnostart, kNoTaskRule);
}

// A point not found keeps its place without a position (the conversion
// refuses it), so that the points after it and their zones keep theirs.
TEST_F(CupReader, TaskPointNotFoundKeepsItsPlace) {
    read_lines({kHeader,
                "T,T,FR,4530.000N,00600.000E,400m,5,,,,",
                "S,S,FR,4540.000N,00610.000E,900m,1,,,,",
                "F,F,FR,4550.000N,00620.000E,300m,1,,,,",
                "----Related Tasks----",
                "\"Task\",\"T\",\"S\",\"X\",\"F\"",
                "ObsZone=2,R1=500m"});
    ASSERT_EQ(rd_cup_0.nb_cup, 3);
    EXPECT_EQ(rd_cup_2.cupnam[2], "X");
    EXPECT_EQ(rd_cup_1.cupwp[2], 0);
    EXPECT_EQ(rd_cup_1.cuplat[2], 0.0f);
    EXPECT_EQ(rd_cup_2.cupnam[3], "F");
    EXPECT_EQ(rd_cup_1.cupwp[3], 3);
    EXPECT_NEAR(rd_cup_1.cuplat[3], 45.8333f, 1e-4f);
    EXPECT_EQ(rd_cup_1.cuprad[1][3], 500.0f);
    EXPECT_EQ(texts(), (std::vector<std::string>{"wp.cup\nWaypoint not found: X"}));
}

TEST_F(CupReader, LongTaskPointNamesMatchUnderTheNameCut) {
    const std::string long_name = "A turnpoint with a very long name";  // 33 characters
    read_lines({kHeader,
                "\"" + long_name + "\",T,FR,4530.000N,00600.000E,400m,1,,,,",
                "----Related Tasks----",
                "\"Task\",\"" + long_name + "\""});
    EXPECT_EQ(tarvewp3.wp_nam[1], "A turnpoint with a very");  // 24 characters, the last a blank
    ASSERT_EQ(rd_cup_0.nb_cup, 0);
    EXPECT_EQ(rd_cup_2.cupnam[0], long_name);  // the task keeps the whole name
    EXPECT_NEAR(rd_cup_1.cuplat[0], 45.5f, 1e-5f);
    EXPECT_TRUE(boxes.empty());
}

TEST_F(CupReader, ZoneValuesThatDoNotRead) {
    read_lines({kHeader,
                "S,S,FR,4530.000N,00600.000E,400m,1,,,,",
                "----Related Tasks----",
                "\"Task\",\"S\",\"S\"",
                "ObsZone=x,R1=500m",
                "ObsZone=0,A1=wide,A2=30,MaxAlt=high",
                "ObsZone=99,R1=1m",
                "ObsZone=-5,R1=1m"});
    ASSERT_EQ(rd_cup_0.nb_cup, 1);
    EXPECT_EQ(rd_cup_1.cupang[1][1], 0.0f);
    EXPECT_EQ(rd_cup_1.cupang[2][1], 30.0f);
    // The first value that does not read is kept for the refusal, not told.
    EXPECT_EQ(rd_cup_2.cupbadkey, "ObsZone");
    EXPECT_EQ(rd_cup_2.cupbadval, "x");
    EXPECT_EQ(texts(), (std::vector<std::string>{"wp.cup\nObsZone undefined R1", "wp.cup\nObsZone undefined R1"}));
    for (const std::string zone : {"R2=km", "Style=fixed", "A12=east"}) {
        read_lines({kHeader, "S,S,FR,4530.000N,00600.000E,400m,1,,,,", "----Related Tasks----", "\"Task\",\"S\",\"S\"",
                    "ObsZone=0,A1=45," + zone + ",A2=wide"});
        EXPECT_EQ(rd_cup_2.cupbadkey + "=" + rd_cup_2.cupbadval, "ObsZone=0 " + zone);
    }
}

TEST_F(CupReader, TooManyTaskPoints) {
    std::string task = "\"Task\"";
    for (int n = 0; n < 35; ++n) {
        task += ",\"S\"";
    }
    read_lines({kHeader, "S,S,FR,4530.000N,00600.000E,400m,1,,,,", "----Related Tasks----", task,
                "ObsZone=30,R1=700m"});
    // The points past the slots are counted (the conversion refuses the task), not kept.
    EXPECT_EQ(rd_cup_0.nb_cup, 31);
    EXPECT_EQ(rd_cup_0.nb_cup_listed, 35);
    EXPECT_EQ(rd_cup_1.cuprad[1][31], 700.0f);
    EXPECT_TRUE(boxes.empty());
}

TEST(RechCup, FirstOfTheSameNameAndBlankPaddedEquality) {
    const ShortTextTable names = text_table({"", "Alpha", " Beta", "Alpha", "alpha"});
    EXPECT_EQ(rech_cup("Alpha", 4, names), 1);
    EXPECT_EQ(rech_cup("Alpha   ", 4, names), 1);
    EXPECT_EQ(rech_cup("alpha", 4, names), 4);
    EXPECT_EQ(rech_cup("alpha", 3, names), 0);
    EXPECT_EQ(rech_cup("Beta", 4, names), 0);  // leading blanks count
    EXPECT_EQ(rech_cup(" Beta", 4, names), 2);
    EXPECT_EQ(rech_cup("Alpha", 0, names), 0);
    EXPECT_EQ(rech_cup("alpha", 99, names), 4);  // a count beyond the list
}

#include "taskfiles/cup_writer.h"

#include "output_fixture.h"

#include <filesystem>
#include <string>
#include <vector>

namespace {

using tarvex_test::crlf;

// A classic zone (tpsec 0) at (x, y).
void set_point(int i, const std::string& name, float x, float y, int radius, int angle, float height = 10000.0f) {
    rd_fpl_2.tpnam[i] = name;
    rd_fpl_1.tpx[i] = x;
    rd_fpl_1.tpy[i] = y;
    rd_fpl_1.tpsec[i] = 0;
    rd_fpl_1.tprad[i] = radius;
    rd_fpl_1.tpang[i] = angle;
    rd_fpl_1.tphei[i] = height;
}

class CupWriterTest : public tarvex_test::OutputTest {
protected:
    // The written file's lines (CR LF ends checked by the comparisons).
    std::string run() {
        int iost = -1;
        write_cup("task.cup", iost);
        EXPECT_EQ(iost, 0);
        return read("task.cup");
    }

    // Takeoff airport, a start at a landscape turnpoint, an unlinked
    // turnpoint, a window at a turnpoint with an accented name, and the finish
    // back at the takeoff airport.
    void set_five_point_task() {
        rd_fpl_0.nb_wp = 5;
        set_point(0, "Airfield A", 0, 0, 3000, 360);
        set_point(1, "Start Gate", 0, 10000, 2000, 180, 1500);
        set_point(2, "Lonely", 20000, 10000, 3000, 360);
        set_point(3, "\xC9glise & <Tour> \"A\"", 20000, 0, 3000, 180);
        rd_fpl_1.tpsec[3] = 1;
        rd_fpl_1.tpwid[3] = 1000;
        rd_fpl_1.tphei[3] = 400;
        rd_fpl_1.tpalt[3] = 1500;
        set_point(4, "Airfield A", 0, 0, 1000, 180);

        const float lat[] = {45.5f, -0.5f, 45.25f, 45.75f, 45.5f};
        const float lon[] = {6.25f, -6.25f, 6.5f, 0.0f, 6.25f};
        const float z[] = {500.4f, 1200.0f, 899.5f, 10.0f, 500.4f};
        const int id[] = {-1, 3, 0, 4, -1};
        for (int i = 0; i < 5; ++i) {
            rd_fpl_1.tplat[i] = lat[i];
            rd_fpl_1.tplon[i] = lon[i];
            rd_fpl_1.tpz[i] = z[i];
            rd_fpl_1.tpid[i] = id[i];
        }

        tarveap2.apt_sty[1] = 5;
        tarveap2.apt_rwd[1] = 90.0f;
        tarveap2.apt_rwl[1] = 800.0f;
        tarveap2.apt_frq[1] = 123.5f;

        tarvewp2.wp_typ[3] = 1;
        tarvewp2.wp_rwd[3] = kNoWaypointValue;
        tarvewp2.wp_rwl[3] = kNoWaypointValue;
        tarvewp2.wp_frq[3] = kNoWaypointValue;
        tarvewp3.wp_dsc.set(3, "Bridge, north side");

        tarvewp2.wp_typ[4] = 2;
        tarvewp2.wp_rwd[4] = 0.0f;
        tarvewp2.wp_rwl[4] = 0.0f;
        tarvewp2.wp_frq[4] = 0.0f;
        tarvewp3.wp_dsc.set(4, "Church");
    }

    const std::string task_line =
        "\"Circuit\",\"Airfield A\",\"Start Gate\",\"Lonely\",\"\xC9glise & <Tour> 'A'\",\"Airfield A\",\"???\"";
    const std::vector<std::string> zone_lines = {
        "ObsZone=0,Style=2,R1=2000m,A1=90,MaxAlt=1600,Line=1",
        "ObsZone=1,Style=1,R1=3000m,A1=180",
        "ObsZone=2,Style=1,R1=500m,A1=90,MaxAlt=1800,MinAlt=1300,Line=1",
        "ObsZone=3,Style=3,R1=1000m,A1=90,Line=1",
    };
};

TEST_F(CupWriterTest, WritesTheWaypointsTheTaskAndItsZones) {
    set_five_point_task();
    std::vector<std::string> expected = {
        "name,code,country,lat,lon,elev,style,rwdir,rwlen,rwwidth,freq,desc,userdata,pics",
        "\"Airfield A\",,,4530.000N,00615.000E,500m,5,090,800,,123.500,,,",
        "\"Start Gate\",,,0030.000S,00615.000W,1200m,1,,,,,\"Bridge, north side\",,",
        "\"Lonely\",,,4515.000N,00630.000E,900m,1,,,,,,,",
        "\"\xC9glise & <Tour> 'A'\",,,4545.000N,00000.000E,10m,2,000,,,,Church,,",
        "-----Related Tasks-----",
        task_line,
        "Options,NearAlt=100m",
    };
    expected.insert(expected.end(), zone_lines.begin(), zone_lines.end());
    EXPECT_EQ(run(), crlf(expected));
}

// A task read from a SeeYou file keeps the rules of its options line.
TEST_F(CupWriterTest, TheRulesOfASeeYouTaskInItsOptionsLine) {
    set_five_point_task();
    rd_fpl_6.nostart = 45005;
    rd_fpl_6.tasktime = 9000;
    rd_fpl_6.wpdis = 0;
    EXPECT_NE(run().find("\r\nOptions,NoStart=12:30:05,TaskTime=02:30:00,WpDis=False,NearAlt=100m\r\n"),
              std::string::npos);
    rd_fpl_6.nostart = 0;
    rd_fpl_6.tasktime = kNoTaskRule;
    rd_fpl_6.wpdis = 1;
    EXPECT_NE(run().find("\r\nOptions,NoStart=00:00:00,WpDis=True,NearAlt=100m\r\n"), std::string::npos);
}

TEST_F(CupWriterTest, TheOldLayoutHasNoRunwayWidthColumn) {
    set_five_point_task();
    tarvex01.nform_cup = 0;
    std::vector<std::string> expected = {
        "name,code,country,lat,lon,elev,style,rwdir,rwlen,freq,desc,userdata,pics",
        "\"Airfield A\",,,4530.000N,00615.000E,500m,5,090,800,123.500,,,",
        "\"Start Gate\",,,0030.000S,00615.000W,1200m,1,,,,\"Bridge, north side\",,",
        "\"Lonely\",,,4515.000N,00630.000E,900m,1,,,,,,",
        "\"\xC9glise & <Tour> 'A'\",,,4545.000N,00000.000E,10m,2,000,,,Church,,",
        "----Related Tasks----",
        task_line,
        "Options,NearAlt=100m",
    };
    expected.insert(expected.end(), zone_lines.begin(), zone_lines.end());
    EXPECT_EQ(run(), crlf(expected));

    // Any layout other than 0 is the one with the runway width.
    tarvex01.nform_cup = 7;
    EXPECT_EQ(run().substr(0, 60), "name,code,country,lat,lon,elev,style,rwdir,rwlen,rwwidth,fre");
}

TEST_F(CupWriterTest, OnlyTheSameNameAtTheSameLinkIsWrittenOnce) {
    rd_fpl_0.nb_wp = 4;
    set_point(0, "Home", 0, 0, 3000, 360);
    set_point(1, "Home", 0, 0, 3000, 180);  // same name, no link
    set_point(2, "Home", 0, 0, 3000, 360);  // same name, other link
    set_point(3, "Home   ", 0, 0, 3000, 180);
    rd_fpl_1.tpid = {-1, 0, 2, -1};
    const std::string text = run();
    const auto count = [&](const std::string& part) {
        int n = 0;
        for (std::size_t at = text.find(part); at != std::string::npos; at = text.find(part, at + 1)) {
            ++n;
        }
        return n;
    };
    EXPECT_EQ(count("\r\n\"Home\",,,"), 3);
    EXPECT_NE(text.find("\"Circuit\",\"Home\",\"Home\",\"Home\",\"Home\",\"???\"\r\n"), std::string::npos);
}

TEST_F(CupWriterTest, RunwayAndFrequencyColumns) {
    rd_fpl_0.nb_wp = 2;
    set_point(0, "A", 0, 0, 3000, 360);
    set_point(1, "B", 0, 0, 3000, 180);
    rd_fpl_1.tpid = {1, 2};
    tarvewp2.wp_typ[1] = 4;
    tarvewp2.wp_rwd[1] = 359.6f;  // rounds to 360
    tarvewp2.wp_rwl[1] = 499.5f;  // rounds to 500
    tarvewp2.wp_frq[1] = 122.8f;
    tarvewp2.wp_typ[2] = 3;
    tarvewp2.wp_rwd[2] = -1.0f;
    tarvewp2.wp_rwl[2] = -999.0f;
    tarvewp2.wp_frq[2] = -999.0f;
    tarvewp3.wp_dsc.set(2, "  indented");
    const std::string text = run();
    EXPECT_NE(text.find("\"A\",,,0000.000N,00000.000E,0m,4,360,500,,122.800,,,\r\n"), std::string::npos) << text;
    EXPECT_NE(text.find("\"B\",,,0000.000N,00000.000E,0m,3,,,,,  indented,,\r\n"), std::string::npos) << text;
}

TEST_F(CupWriterTest, FaiSectorsReplaceFiveHundredMetreCylinders) {
    tarvex01.qfaisector = true;
    rd_fpl_0.nb_wp = 4;
    set_point(0, "T", 0, 0, 3000, 360);
    set_point(1, "S", 0, 0, 500, 180);
    set_point(2, "P", 10000, 0, 500, 360);
    set_point(3, "F", 20000, 0, 500, 360);
    EXPECT_NE(run().find(crlf({
                  "ObsZone=0,Style=2,R1=20000m,A1=45,R2=500m,A2=90,Line=1",
                  "ObsZone=1,Style=1,R1=20000m,A1=45,R2=500m,A2=180",
                  "ObsZone=2,Style=3,R1=20000m,A1=45,R2=500m,A2=180",
              })),
              std::string::npos);

    // Not in an assigned-area task.
    rd_fpl_6.qaat = true;
    EXPECT_NE(run().find("ObsZone=1,Style=1,R1=500m,A1=180\r\n"), std::string::npos);
    rd_fpl_6.qaat = false;

    // Not when the last leg is at most a tenth of the task: 1000 m of 10000 m.
    set_point(2, "P", 9000, 0, 500, 360);
    set_point(3, "F", 9000, 1000, 500, 360);
    EXPECT_NE(run().find("ObsZone=1,Style=1,R1=500m,A1=180\r\n"), std::string::npos);

    // Just above a tenth it is.
    set_point(3, "F", 9000, 1001, 500, 360);
    EXPECT_NE(run().find("ObsZone=1,Style=1,R1=20000m,A1=45,R2=500m,A2=180\r\n"), std::string::npos);

    // A task of no length has no short last leg (and divides by nothing).
    set_point(2, "P", 0, 0, 500, 360);
    set_point(3, "F", 0, 0, 500, 360);
    EXPECT_NE(run().find("ObsZone=1,Style=1,R1=20000m,A1=45,R2=500m,A2=180\r\n"), std::string::npos);

    // Only 500 m classic zones.
    set_point(2, "P", 0, 0, 501, 360);
    EXPECT_NE(run().find("ObsZone=1,Style=1,R1=501m,A1=180\r\n"), std::string::npos);
}

TEST_F(CupWriterTest, AOneLegTaskNeverHasAShortLastLeg) {
    tarvex01.qfaisector = true;
    rd_fpl_0.nb_wp = 3;
    set_point(0, "T", 0, 0, 3000, 360);
    set_point(1, "S", 0, 0, 3000, 180);
    set_point(2, "F", 10, 0, 500, 360);
    EXPECT_NE(run().find("ObsZone=1,Style=3,R1=20000m,A1=45,R2=500m,A2=180\r\n"), std::string::npos);
}

TEST_F(CupWriterTest, ASectorTypeCondorDoesNotWriteGetsTheWindowFieldsButNoLine) {
    rd_fpl_0.nb_wp = 4;
    set_point(0, "T", 0, 0, 3000, 360);
    set_point(1, "S", 0, 0, 3000, 90);
    set_point(2, "P", 0, 0, 3000, 90);
    rd_fpl_1.tpsec[2] = 2;
    rd_fpl_1.tpwid[2] = 1000;
    rd_fpl_1.tphei[2] = 400;
    rd_fpl_1.tpalt[2] = 1500;
    set_point(3, "F", 0, 0, 3000, 90);
    EXPECT_NE(run().find("ObsZone=1,Style=1,R1=500m,A1=45,MaxAlt=1800,MinAlt=1300\r\n"), std::string::npos);
}

TEST_F(CupWriterTest, MaxAltAndLineRules) {
    rd_fpl_0.nb_wp = 5;
    tarvex01.start_margin = 50;
    set_point(0, "T", 0, 0, 3000, 360);
    set_point(1, "S", 0, 0, 3000, 90, 2000);
    set_point(2, "P", 0, 0, 3000, 45, 9999);
    set_point(3, "Q", 0, 0, 3000, 360, 10000);
    set_point(4, "F", 0, 0, 3000, 90, 800);
    EXPECT_NE(run().find(crlf({
                  "ObsZone=0,Style=2,R1=3000m,A1=45,MaxAlt=2050,Line=1",
                  "ObsZone=1,Style=1,R1=3000m,A1=23,MaxAlt=10049",
                  "ObsZone=2,Style=1,R1=3000m,A1=180",
                  "ObsZone=3,Style=3,R1=3000m,A1=45,MaxAlt=850",
              })),
              std::string::npos);

    tarvex01.qmaxalt_cup = false;
    EXPECT_NE(run().find(crlf({
                  "ObsZone=0,Style=2,R1=3000m,A1=45,Line=1",
                  "ObsZone=1,Style=1,R1=3000m,A1=23",
                  "ObsZone=2,Style=1,R1=3000m,A1=180",
                  "ObsZone=3,Style=3,R1=3000m,A1=45",
              })),
              std::string::npos);

    // A window finish is a line; its MaxAlt always carries the margin.
    rd_fpl_1.tpsec[4] = 1;
    rd_fpl_1.tpwid[4] = 301;
    rd_fpl_1.tphei[4] = 201;
    rd_fpl_1.tpalt[4] = 1000;
    EXPECT_NE(run().find("ObsZone=3,Style=3,R1=151m,A1=45,MaxAlt=1151,MinAlt=900,Line=1\r\n"), std::string::npos);
}

TEST_F(CupWriterTest, ThirtyOneTurnpointsAndNoMore) {
    rd_fpl_0.nb_wp = 31;
    for (int i = 0; i < 31; ++i) {
        set_point(i, "P" + std::to_string(i), 1000.0f * i, 0, 3000, 360);
    }
    std::string text = run();
    EXPECT_NE(text.find("\r\n\"P30\",,,"), std::string::npos);
    EXPECT_NE(text.find(",\"P30\",\"???\"\r\n"), std::string::npos);
    EXPECT_NE(text.find("ObsZone=29,Style=3,"), std::string::npos);
    EXPECT_EQ(text.find("ObsZone=30"), std::string::npos);

    // A count beyond the tables writes the 31 points there are.
    rd_fpl_0.nb_wp = 40;
    EXPECT_EQ(run(), text);
}

TEST_F(CupWriterTest, ALinkOutsideTheTablesCountsAsNone) {
    rd_fpl_0.nb_wp = 2;
    set_point(0, "A", 0, 0, 3000, 360);
    set_point(1, "B", 0, 0, 3000, 180);
    rd_fpl_1.tpid = {kMaxLandscapeWaypoints + 1, -(kMaxLandscapeAirports + 1)};
    const std::string text = run();
    EXPECT_NE(text.find("\"A\",,,0000.000N,00000.000E,0m,1,,,,,,,\r\n"), std::string::npos);
    EXPECT_NE(text.find("\"B\",,,0000.000N,00000.000E,0m,1,,,,,,,\r\n"), std::string::npos);
}

TEST_F(CupWriterTest, AFileThatCannotBeOpenedGivesItsStatus) {
    std::filesystem::create_directory(path("task.cup"));
    int iost = 0;
    write_cup("task.cup", iost);
    EXPECT_NE(iost, 0);
    EXPECT_TRUE(std::filesystem::is_directory(path("task.cup")));
    EXPECT_TRUE(boxes.empty());
}

}  // namespace

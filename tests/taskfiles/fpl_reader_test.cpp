#include "taskfiles/fpl_reader.h"

#include "foundation/condor_install.h"
#include "foundation/run_stop.h"
#include "platform/files.h"
#include "platform/path_map.h"
#include "reader_fixture.h"
#include "taskfiles/task_checks.h"

#include <gtest/gtest.h>

#include <array>
#include <cmath>
#include <filesystem>
#include <random>
#include <string>
#include <vector>

using tarvex_test::crlf;
using tarvex_test::ReaderTest;

namespace {

class FplReader : public ReaderTest {
protected:
    void read_plan(const std::vector<std::string>& lines, bool fresh = true, bool qverb = false) {
        read_text(crlf(lines), fresh, qverb);
    }
    void read_text(const std::string& text, bool fresh = true, bool qverb = false) {
        write("plan.fpl", text);
        read_fpl(TextFileReader("plan.fpl"), fresh, qverb, cmndta001.qfr, nl, ios);
    }

    int nl = -1;
    int ios = 99;
};

// A Condor 2 plan with three points (takeoff, start, finish), the way Condor
// writes it.
std::vector<std::string> condor2_plan() {
    return {"[Version]",
            "Condor version=2200",
            "",
            "[Task]",
            "Landscape=Slovenia3",
            "Count=3",
            "TPName0=Lesce",
            "TPPosX0=100000",
            "TPPosY0=50000",
            "TPPosZ0=500",
            "TPAirport0=1",
            "TPName1=Start \xE9t\xE9",
            "TPPosX1=100000",
            "TPPosY1=60000",
            "TPPosZ1=600",
            "TPRadius1=3000",
            "TPAngle1=180",
            "TPSectorType1=0",
            "TPName2=Finish<1>",
            "TPPosX2=100000",
            "TPPosY2=70000",
            "TPRadius2=500",
            "TPAngle2=360",
            "TPSectorType2=0",
            "TPAzimuth2=1.5707963",
            "[Weather]",
            "WindDir=270",
            "ThermalsTemp=20",
            "ThermalsInversionheight=1800.6",
            "Pressure=1013",
            "[Plane]",
            "Class=Standard",
            "Name=ASW 20",
            "Skin=Default",
            "Water=50",
            "FixedMass=",
            "Seat=2",
            "Bugwipers=yes",
            "[GameOptions]",
            "TaskDate=45000",
            "StartTime=13.5",
            "AATTime=120",
            "AAT=1",
            "MaxStartGroundSpeed=170",
            "AllowPDA=Y",
            "PenaltyCloudFlying=2"};
}

}  // namespace

TEST_F(FplReader, Condor2Plan) {
    rd_fpl_6.qaat = false;
    rd_fpl_6.t_aat = 42.0f;
    rd_fpl_6.start_max_speed = 150;
    read_plan(condor2_plan());
    EXPECT_EQ(ios, -1);
    EXPECT_EQ(nl, 45);
    EXPECT_EQ(rd_fpl_2.fpl_000, "plan.fpl");
    EXPECT_EQ(rd_fpl_0.nvcnd, 2);
    EXPECT_EQ(rd_fpl_2.landscape, "Slovenia3");
    ASSERT_EQ(rd_fpl_0.nb_wp, 3);
    const RdFpl1& t = rd_fpl_1;
    EXPECT_EQ(rd_fpl_2.tpnam[0], "Lesce");
    EXPECT_EQ(rd_fpl_2.tpnam[1], "Start \xE9t\xE9");
    EXPECT_EQ(rd_fpl_2.tpnam[2], "Finish&lt;1&gt;");
    EXPECT_EQ(t.tpx[1], 100000.0f);
    EXPECT_EQ(t.tpy[1], 60000.0f);
    EXPECT_EQ(t.tpz[1], 600.0f);
    EXPECT_EQ(t.tpair[0], 1);
    EXPECT_EQ(t.tpsec[1], 0);
    EXPECT_EQ(t.tprad[2], 500);
    EXPECT_EQ(t.tpang[2], 360);
    EXPECT_EQ(t.tpazi[2], 90.0f);
    // Defaults of points no key set.
    EXPECT_EQ(t.tpsec[0], 1);
    EXPECT_EQ(t.tprad[0], 3000);
    EXPECT_EQ(t.tpang[0], 90);
    EXPECT_EQ(rd_fpl_0.nwpmax, 2);
    // Legs: the finish cylinder shortens the last one.
    EXPECT_EQ(t.tpdist[2], 9500.0f);
    EXPECT_EQ(rd_fpl_4.dist_tot, 9500.0f);
    // Weather: one zone "Base" for Condor 2.
    EXPECT_EQ(rd_fpl_wz2.wzcount, 1);
    EXPECT_EQ(rd_fpl_2.wznam[0], "Base");
    EXPECT_EQ(rd_fpl_wz2.pointcount[0], 0);
    EXPECT_EQ(rd_fpl_wz1.winddir[0], 270.0f);
    EXPECT_NEAR(rd_fpl_wz1.thermalstemp[0], 293.15f, 1e-4f);
    EXPECT_EQ(rd_fpl_wz1.thermalsinversionheight[0], 1801.0f);
    EXPECT_EQ(rd_fpl_4.pressure, 101300.0f);
    // Plane; "[GameOptions]" keeps the plane section.
    EXPECT_EQ(ggg001.glclass, "Standard");
    EXPECT_EQ(ggg001.glider, "ASW 20");
    EXPECT_EQ(ggg001.glskin, "Default");
    EXPECT_EQ(gggmas.wmass, 50.0f);
    EXPECT_EQ(gggmas.fmass, 0.0f);
    EXPECT_EQ(ggg002.glseat, 2);
    EXPECT_TRUE(ggg002.qbugwipers);
    // Options: the Condor 2 line put back the caller's AAT settings, but
    // the options after it are read.
    EXPECT_EQ(rd_fpl_6.taskdate, 45000);
    EXPECT_EQ(rd_fpl_4.jdate, 2415021 + 45000 - 2);
    EXPECT_EQ(rd_fpl_6.starttime, 13.5f);
    EXPECT_EQ(rd_fpl_6.t_aat, 120.0f);
    EXPECT_TRUE(rd_fpl_6.qaat);
    EXPECT_EQ(rd_fpl_6.start_max_speed, 170);
    EXPECT_TRUE(rd_fpl_6.allowpda);
    EXPECT_EQ(rd_fpl_6.cloudpen, 2);
}

TEST_F(FplReader, Condor1Plan) {
    rd_fpl_wz2.wzcount = 7;
    read_plan({"[Version]", "Condor version=1150", "[Task]", "Landscape=Slovenia", "Count=2", "TPName0=Bovec \xC0",
               "TPPosX0=0", "TPPosY0=0", "TPName1=Kobarid", "TPPosX1=3000", "TPPosY1=4000", "[Weather]",
               "WindSpeed=5.5"});
    EXPECT_EQ(ios, -1);
    EXPECT_EQ(rd_fpl_0.nvcnd, 1);
    EXPECT_EQ(rd_fpl_2.tpnam[0], "Bovec \xC0");
    EXPECT_EQ(rd_fpl_1.tpdist[1], 5000.0f);
    EXPECT_EQ(rd_fpl_4.dist_tot, 0.0f);  // the takeoff-to-start leg is not counted
    EXPECT_EQ(rd_fpl_wz1.windspeed[0], 5.5f);
    EXPECT_EQ(rd_fpl_wz2.wzcount, 7);   // no weather default but for Condor 2
    EXPECT_EQ(rd_fpl_2.wznam[0], "");
    EXPECT_TRUE(boxes.empty());
}

TEST_F(FplReader, Condor2VersionLinePutsBackTheCallersAatSettings) {
    rd_fpl_6.qaat = true;
    rd_fpl_6.t_aat = 42.0f;
    rd_fpl_6.start_max_speed = 150;
    read_plan({"[Task]", "AAT=0", "AATTime=5", "MaxStartGroundSpeed=100", "[Version]", "Condor version=2000"});
    EXPECT_TRUE(rd_fpl_6.qaat);
    EXPECT_EQ(rd_fpl_6.t_aat, 42.0f);
    EXPECT_EQ(rd_fpl_6.start_max_speed, 150);
    read_plan({"[Version]", "Condor version=3000", "[Task]", "AAT=0", "AATTime=5", "MaxStartGroundSpeed=100"});
    EXPECT_FALSE(rd_fpl_6.qaat);
    EXPECT_EQ(rd_fpl_6.t_aat, 5.0f);
    EXPECT_EQ(rd_fpl_6.start_max_speed, 100);
    EXPECT_EQ(rd_fpl_wz2.wzcount, 1);  // a Condor 3 plan leaves the weather as it was
}

TEST_F(FplReader, SectionFlags) {
    read_plan({"Count=5",  // outside [Task]: skipped
               "[Task]", "Count=2", "Name=Task name", "ThermalsTemp=20", "[Weather]", "Name=Zone0", "ThermalsTemp=10",
               "[Plane]", "Name=LS8", "[Something]", "Name=Discus", "ThermalsTemp=30", "[Version]", "Name=Ventus",
               "Class=Open"});
    EXPECT_EQ(rd_fpl_0.nb_wp, 2);
    EXPECT_EQ(rd_fpl_2.wznam[0], "Zone0");
    EXPECT_NEAR(rd_fpl_wz1.thermalstemp[0], 283.15f, 1e-4f);
    EXPECT_EQ(ggg001.glider, "Discus");  // the unknown header kept the plane section
    EXPECT_EQ(ggg001.glclass, "");
    EXPECT_EQ(rd_fpl_2.tpnam[0], "");
}

TEST_F(FplReader, WeatherZones) {
    read_plan({"[Version]", "Condor version=3000", "[Weather]", "WZCount=3", "RandomizeWeatherOnEachFlight=1",
               "[WeatherZone2]", "Name=Mountains", "PointCount=4", "Polygon0X=1000.5", "Polygon0Y=2000",
               "Polygon3X1=5", "Name=Now zone 1", "ThermalsOverdevelopment=0.25", "WindTurbulence=3",
               "WindTurbulence=3.5", "[WeatherZone17]", "Name=Kept in zone 1", "[WeatherZone16]", "HighCloudsCoverage=9",
               "Polygon17X=1", "Polygon2X17=1", "Polygon2X16=8", "[WeatherZonex]", "WavesMoisture=4"});
    EXPECT_EQ(rd_fpl_wz2.wzcount, 3);
    EXPECT_TRUE(rd_fpl_wz2.randomizeweatheroneachflight);
    EXPECT_EQ(rd_fpl_2.wznam[2], "Mountains");
    EXPECT_EQ(rd_fpl_wz2.pointcount[2], 4);
    EXPECT_EQ(rd_fpl_1.wzp[1][0][2], 1000.5f);
    EXPECT_EQ(rd_fpl_1.wzp[2][0][2], 2000.0f);
    EXPECT_EQ(rd_fpl_1.wzp[1][3][1], 5.0f);  // the zone number of a polygon key becomes the current zone
    EXPECT_EQ(rd_fpl_2.wznam[1], "Kept in zone 1");
    EXPECT_EQ(rd_fpl_wz2.thermalsoverdevelopment[1], 0.25f);
    EXPECT_EQ(rd_fpl_wz2.windturbulence[1], 3);  // 3.5 is no integer: the value stays
    EXPECT_EQ(rd_fpl_wz2.highcloudscoverage[16], 9);
    EXPECT_EQ(rd_fpl_1.wzp[1][2][16], 8.0f);
    EXPECT_EQ(rd_fpl_wz2.wavesmoisture[16], 4);  // an unreadable header keeps the zone
}

TEST_F(FplReader, TurnpointKeysAndIndexes) {
    read_plan({"[Task]", "Count=31", "TPRadius3=499.5", "TPAngle3=-0.5", "TPAltitude3=1499.5", "TPWidth3=100.4",
               "TPHeight3=250.75", "TPSectorDirection3=2", "TPAzimuth3=-1.5707963", "TPName=No index uses point 3",
               "TPPosX31=1", "TPName31=beyond", "TPPosXx=77", "TPName30=Last", "TPAirport30=1.5", "TPPosY30=abc",
               "TPPosZ30=1e39", "TPRadius30=", "TPSectorType30=0"});
    const RdFpl1& t = rd_fpl_1;
    EXPECT_EQ(rd_fpl_0.nb_wp, 31);
    EXPECT_EQ(t.tprad[3], 500);
    EXPECT_EQ(t.tpang[3], -1);  // halves away from zero
    EXPECT_EQ(t.tpalt[3], 1500.0f);
    EXPECT_EQ(t.tpwid[3], 100.0f);
    EXPECT_EQ(t.tphei[3], 250.75f);
    EXPECT_EQ(t.tpsecdir[3], 2);
    EXPECT_EQ(t.tpazi[3], -90.0f);
    EXPECT_EQ(rd_fpl_2.tpnam[3], "No index uses point 3");
    EXPECT_EQ(t.tpx[3], 77.0f);  // the index of the line before
    EXPECT_EQ(rd_fpl_2.tpnam[30], "Last");
    // Values that do not read as the member's kind keep the start values.
    EXPECT_EQ(t.tpair[30], 0);
    EXPECT_EQ(t.tpy[30], 0.0f);
    EXPECT_EQ(t.tpz[30], 0.0f);
    EXPECT_EQ(t.tprad[30], 3000);
    EXPECT_EQ(t.tpsec[30], 0);
    EXPECT_EQ(rd_fpl_0.nwpmax, 30);
}

// An angle past a full turn means what it means modulo a turn: a zone's
// angle stays within 0..360 (a full turn a cylinder), a window's azimuth
// within a turn either way ("45" where Condor writes radians).
TEST_F(FplReader, AnglesPastAFullTurn) {
    read_plan({"[Task]", "Count=6", "TPAngle0=26972", "TPAngle1=450", "TPAngle2=720", "TPAngle3=360.4",
               "TPAngle4=1e10", "TPAzimuth1=45", "TPAzimuth2=-7.853981", "TPAzimuth3=3e38"});
    const RdFpl1& t = rd_fpl_1;
    EXPECT_EQ(t.tpang[0], 332);
    EXPECT_EQ(t.tpang[1], 90);
    EXPECT_EQ(t.tpang[2], 360);
    EXPECT_EQ(t.tpang[3], 360);
    EXPECT_GT(t.tpang[4], 0);
    EXPECT_LE(t.tpang[4], 360);
    EXPECT_EQ(t.tpazi[1], 58.0f);  // 2578 degrees
    EXPECT_EQ(t.tpazi[2], -90.0f);
    EXPECT_LT(std::fabs(t.tpazi[3]), 360.0f);
}

// Plans Condor and other programs wrote, read in place: every value a writer
// takes is a number.
TEST_F(FplReader, RealPlansGiveEveryValueAsANumber) {
    const std::string folder = std::string(TARVEX_SOURCE_DIR) + "/../shared/real-files/plans/";
    for (const char* name : {"downloads_AA3_28294_windows_12tp.fpl", "pycondor_default.fpl"}) {
        SCOPED_TRACE(name);
        const std::string path = map_from_host(std::filesystem::weakly_canonical(folder + name).string());
        ASSERT_TRUE(TextFileReader(path).is_open());
        read_fpl(TextFileReader(path), true, false, false, nl, ios);
        EXPECT_GE(rd_fpl_0.nb_wp, 6);
        EXPECT_EQ(plan_value_not_given(), "");
        EXPECT_FALSE(plan_value_out_of_range());
    }
}

TEST_F(FplReader, NamesAreEscapedAndCut) {
    read_plan({"TPName1=" + std::string(40, 'x'), "TPName2=<<<<<<<<<<", "TPName3=  Lead blank"});
    EXPECT_EQ(rd_fpl_2.tpnam[1], std::string(32, 'x'));
    EXPECT_EQ(rd_fpl_2.tpnam[2], "&lt;&lt;&lt;&lt;&lt;&lt;&lt;&lt;");
    EXPECT_EQ(rd_fpl_2.tpnam[3], "Lead blank");
}

TEST_F(FplReader, PenaltyZones) {
    read_plan({"PZCount=2", "PZPos3X1=1000.5", "PZPos3Y=7", "PZPos0X=8", "PZPos3=9", "PZPos4X0=1", "PZPos0X11=5",
               "PZPos1Y11=6", "PZBase0=100", "PZTop0=2000", "PZPenaltyTimeFactor0=1.5", "PZBase=150", "PZTop10=3000",
               "PZBase11=99", "PZTop=4000"});
    const RdFpl1& t = rd_fpl_1;
    EXPECT_EQ(rd_fpl_0.nb_pz, 2);
    EXPECT_EQ(t.pzp[1][3][1], 1000.5f);
    EXPECT_EQ(t.pzp[2][3][1], 7.0f);  // no zone number: the current zone
    EXPECT_EQ(t.pzp[1][0][1], 8.0f);
    EXPECT_EQ(t.pzp[1][3][0], 0.0f);  // no letter: nothing stored
    EXPECT_EQ(t.pzp[2][1][1], 0.0f);  // zone 11 does not exist
    EXPECT_EQ(t.pza[1][0], 150.0f);   // the zone of the line before
    EXPECT_EQ(t.pza[2][0], 2000.0f);
    EXPECT_EQ(t.pza[3][0], 1.5f);
    EXPECT_EQ(t.pza[2][10], 4000.0f);
    EXPECT_EQ(rd_fpl_0.npzmax, 10);
    read_plan({"PZCount=12"});
    EXPECT_EQ(rd_fpl_0.nb_pz, 11);  // held to the table
}

TEST_F(FplReader, DisabledAirspaces) {
    read_plan({"DisabledAirspaces=4,17,,30"});
    EXPECT_TRUE(rd_fpl_5.qas_disa[4]);
    EXPECT_TRUE(rd_fpl_5.qas_disa[17]);
    EXPECT_FALSE(rd_fpl_5.qas_disa[30]);  // after the empty item
    EXPECT_EQ(rd_fpl_0.last_dis_as, 17);

    read_plan({"[Task]"});
    EXPECT_EQ(rd_fpl_0.last_dis_as, -1);
    read_plan({"DisabledAirspaces="});
    EXPECT_EQ(rd_fpl_0.last_dis_as, 0);
    read_plan({"DisabledAirspaces= 8192, x1, 8193, -1, 123456789, 0"});
    EXPECT_TRUE(rd_fpl_5.qas_disa[8192]);
    EXPECT_TRUE(rd_fpl_5.qas_disa[0]);
    EXPECT_EQ(rd_fpl_0.last_dis_as, 8192);
    int count = 0;
    for (bool flag : rd_fpl_5.qas_disa) {
        count += flag ? 1 : 0;
    }
    EXPECT_EQ(count, 2);
}

TEST_F(FplReader, ADisabledAirspaceListLongerThanTheLineIsReadWhole) {
    // A plan saved against a larger airspace than the landscape has now:
    // no item is lost past the line buffer, and no cut number ("12" of
    // "128") disables another zone.
    std::string list = "DisabledAirspaces=";
    for (int n = 0; n < 40; ++n) {
        list += std::to_string(100 + n) + ",";
    }
    read_plan({list});  // 18 + 160 characters
    EXPECT_TRUE(rd_fpl_5.qas_disa[139]);
    EXPECT_FALSE(rd_fpl_5.qas_disa[12]);
    EXPECT_EQ(rd_fpl_0.last_dis_as, 139);
}

TEST_F(FplReader, DescriptionEndsTheReading) {
    read_plan({"[Task]", "Count=2", "Text=First line", "second line", "  third line  ", "", "Count=5"});
    EXPECT_EQ(ios, 0);
    EXPECT_EQ(nl, 3);
    EXPECT_EQ(rd_fpl_2.fpldesc[1], "First line");
    EXPECT_EQ(rd_fpl_2.fpldesc[2], "second line");
    EXPECT_EQ(rd_fpl_2.fpldesc[3], "  third line");
    EXPECT_EQ(rd_fpl_0.nb_wp, 2);

    std::vector<std::string> lines{"Text=1"};
    for (int n = 2; n <= 20; ++n) {
        lines.push_back("line " + std::to_string(n));
    }
    read_plan(lines);
    EXPECT_EQ(ios, -1);  // ended by the end of the file
    EXPECT_EQ(rd_fpl_2.fpldesc[16], "line 16");
}

TEST_F(FplReader, EmbeddedPlan) {
    read_text("Some log text\r\nLCONFPL[Task]\r\nLCONFPLCount=3\r\nLCONFPLTPName1=Start\r\nLCONFlightInfo\r\n"
              "LCONFPLTPName2=Not read\r\n");
    EXPECT_EQ(ios, 0);
    EXPECT_EQ(nl, 4);
    EXPECT_EQ(rd_fpl_0.nb_wp, 3);
    EXPECT_EQ(rd_fpl_2.tpnam[1], "Start");
    EXPECT_EQ(rd_fpl_2.tpnam[2], "");
}

TEST_F(FplReader, LineEndsAndBlankLines) {
    read_text("[Task]\nCount=3\n   \n\r\nTPName1=Lf only\nTPName2=Last line without end");
    EXPECT_EQ(nl, 4);
    EXPECT_EQ(rd_fpl_0.nb_wp, 3);
    EXPECT_EQ(rd_fpl_2.tpnam[1], "Lf only");
    EXPECT_EQ(rd_fpl_2.tpnam[2], "Last line without end");
}

TEST_F(FplReader, ValuesThatDoNotReadChangeNothing) {
    read_plan({"[Version]", "Condor version=3000", "[Task]", "Count=2", "TaskDate=45000", "[Weather]", "Pressure=1000"});
    read_plan({"[Version]", "Condor version=abc", "[Task]", "Count=2.5", "TaskDate=x", "RandSeed=1.0", "StartTime=",
               "[Weather]", "Pressure=hpa", "ThermalsTemp=warm"},
              false);
    EXPECT_EQ(rd_fpl_0.nvcnd, 3);
    EXPECT_EQ(rd_fpl_0.nb_wp, 2);
    EXPECT_EQ(rd_fpl_6.taskdate, 45000);
    EXPECT_EQ(rd_fpl_6.randseed, 0);
    EXPECT_EQ(rd_fpl_4.pressure, 100000.0f);
    EXPECT_EQ(rd_fpl_wz1.thermalstemp[0], 0.0f);
}

TEST_F(FplReader, ReadingOnTopKeepsTheModel) {
    read_plan({"[Task]", "Count=3", "TPName1=Start", "TPRadius1=500"});
    read_plan({"TPName2=Added"}, false);
    EXPECT_EQ(rd_fpl_0.nb_wp, 3);
    EXPECT_EQ(rd_fpl_2.tpnam[1], "Start");
    EXPECT_EQ(rd_fpl_2.tpnam[2], "Added");
    EXPECT_EQ(rd_fpl_1.tprad[1], 500);
    read_plan({"TPName2=Fresh"});
    EXPECT_EQ(rd_fpl_2.tpnam[1], "");
    EXPECT_EQ(rd_fpl_0.nb_wp, 0);
}

TEST_F(FplReader, VerboseLines) {
    testing::internal::CaptureStdout();
    read_plan({"[Version]", "Condor version=3000", "[Task]", "Count=7"}, true, true);
    const std::string out = testing::internal::GetCapturedStdout();
    EXPECT_NE(out.find("\n Condor_version=3\n"), std::string::npos);
    EXPECT_NE(out.find("\n Number of legs= 5\n"), std::string::npos);
}

TEST_F(FplReader, ACountAbove31StopsTheReadingAndTellsNothing) {
    read_plan({"[Task]", "Count=31", "TPName0=Takeoff"});
    EXPECT_EQ(rd_fpl_0.nb_wp, 31);
    EXPECT_EQ(rd_fpl_2.tpnam[0], "Takeoff");

    // The count stays for the caller's refusal, nothing after it is read, and
    // the run goes on: the conversion form refuses such a plan with the form open.
    read_plan({"[Task]", "Count=32", "TPName0=Takeoff", "Landscape=AA3"});
    EXPECT_EQ(rd_fpl_0.nb_wp, 32);
    EXPECT_GT(rd_fpl_0.nb_wp, kMaxTaskPoints);
    EXPECT_EQ(ios, 0);
    EXPECT_EQ(nl, 2);
    EXPECT_EQ(rd_fpl_2.tpnam[0], "");
    EXPECT_EQ(rd_fpl_2.landscape, "");
    EXPECT_TRUE(boxes.empty());
}

TEST_F(FplReader, Condor3AirspaceListsAreReadWhole) {
    reset_inst00();
    inst00.instpath3 = current_folder_windows();
    std::string air;
    for (int n = 0; n < 60; ++n) {
        air += "AC R\r\nAN Zone " + std::to_string(n) + "\r\n";
    }
    write("Landscapes/AA3/AA3.air", air);
    std::string list = "DisabledAirspaces=";
    for (int n = 0; n < 60; ++n) {
        list += std::to_string(n) + ",";
    }
    list.pop_back();  // 18 + 169 characters
    const std::string long_name = "TPName5=" + std::string(140, 'x');
    read_plan({"[Version]", "Condor version=3000", "[Task]", "Landscape=AA3", "PZCount=1", long_name, list,
               "TPName6=" + std::string(140, 'y')});
    EXPECT_EQ(rd_fpl_0.nb_as_zones, 60);
    EXPECT_EQ(rd_fpl_0.last_dis_as, 59);
    EXPECT_TRUE(rd_fpl_5.qas_disa[59]);
    EXPECT_EQ(rd_fpl_2.tpnam[5], std::string(32, 'x'));
    EXPECT_TRUE(boxes.empty());
    reset_inst00();
}

TEST_F(FplReader, Condor3WithoutAirspaceFile) {
    reset_inst00();
    inst00.instpath3 = "C:\\Nowhere";
    read_plan({"[Version]", "Condor version=3000", "[Task]", "Landscape=AA3", "PZCount=1",
               "PZPos0X0=123456.5", "PZPos0Y0=654321.25", "PZBase0=100", "PZTop0=2000", "DisabledAirspaces=3"});
    EXPECT_EQ(rd_fpl_0.nb_as_zones, 0);
    ASSERT_EQ(boxes.size(), 1u);
    EXPECT_EQ(boxes[0].text, "C:\\Nowhere\\Landscapes\\AA3\\AA3.air\nAirspace file : error opening");
    EXPECT_EQ(boxes[0].status, 1);
    // The penalty-zone lines are read whole all the same.
    EXPECT_EQ(rd_fpl_1.pzp[1][0][0], 123456.5f);
    EXPECT_EQ(rd_fpl_1.pzp[2][0][0], 654321.25f);
    EXPECT_EQ(rd_fpl_1.pza[2][0], 2000.0f);
    EXPECT_TRUE(rd_fpl_5.qas_disa[3]);

    cmndta001.qfr = true;
    read_plan({"[Version]", "Condor version=3000", "Landscape=AA3"});
    EXPECT_EQ(boxes.back().text, "C:\\Nowhere\\Landscapes\\AA3\\AA3.air\nFichier d'espace a\xE9rien : ouverture impossible");
    // The version a plan states counts from its line on; before it, the
    // version of the plan read before holds.
    read_plan({"[Version]", "Condor version=2000"});
    boxes.clear();
    read_plan({"Landscape=AA3", "[Version]", "Condor version=3000"});
    EXPECT_TRUE(boxes.empty());
    read_plan({"Landscape=AA3"});
    EXPECT_EQ(boxes.size(), 1u);
    reset_inst00();
}

TEST(GetAirspaceSize, CountsTheAcLines) {
    tarvex_test::TempDir dir;
    tarvex_test::ScopedCwd cwd(dir.path());
    dir.write("a.air", "* comment\r\nAC R\r\nAN one\r\nac lower\r\n AC indented\r\nAC Q\nAC");
    EXPECT_EQ(get_airspace_size("a.air"), 3);
    // A long file of short lines of "A", "C", blanks and line ends, counted
    // as its lines read one by one count; lines begin around the multiples
    // of 64 KiB, where a block read may end.
    std::mt19937 random(7);
    std::string text;
    const auto pad_to = [&text](std::size_t size) {
        text += '\n';
        text.append(size - text.size(), '*');
    };
    // Each tail puts the "A" of a line start last before the block end.
    const std::array<std::pair<std::size_t, std::string_view>, 3> tails = {
        {{65536, "\nAC\n"}, {131072, "\nA\nAC"}, {196608, "\r\nACAC\n"}}};
    for (const auto& [block_end, tail] : tails) {
        while (text.size() < block_end - 1000) {
            const std::size_t length = random() % 40;
            for (std::size_t i = 0; i < length; ++i) {
                text += "AAC C\r"[random() % 6];
            }
            text += '\n';
        }
        pad_to(block_end - 1 - tail.find('A'));
        text += tail;
    }
    int expected = 0;
    for (const std::string& line : split_text_lines(text)) {
        expected += line.starts_with("AC") ? 1 : 0;
    }
    dir.write("b.air", text);
    EXPECT_EQ(get_airspace_size("b.air"), expected);
    EXPECT_GT(expected, 500);
}

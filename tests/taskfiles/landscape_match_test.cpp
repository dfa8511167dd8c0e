#include "taskfiles/landscape_match.h"

#include "foundation/utm_frame.h"
#include "reader_fixture.h"
#include "zone32_frame.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

using tarvex_test::ReaderTest;

namespace {

class LandscapeMatch : public ReaderTest {
protected:
    LandscapeMatch() {
        tarvex_test::set_zone32_frame();
    }

    // Task point n named `name` at (x, y, z).
    static void point(int n, const std::string& name, float x, float y, float z = 500.0f) {
        const auto i = static_cast<std::size_t>(n);
        rd_fpl_2.tpnam[i] = name;
        rd_fpl_1.tpx[i] = x;
        rd_fpl_1.tpy[i] = y;
        rd_fpl_1.tpz[i] = z;
    }
    static void where(float x, float y, float& lat, float& lon) { ASSERT_EQ(xytolatlon(x, y, lat, lon), 1); }
    // Airport n at the latitude and longitude of (x, y), shifted by dlat.
    static void airport(int n, const std::string& name, float x, float y, float dlat = 0.0f, int elev = 300) {
        const auto i = static_cast<std::size_t>(n);
        where(x, y, tarveap2.apt_lat[i], tarveap2.apt_lon[i]);
        tarveap2.apt_lat[i] += dlat;
        tarveap2.apt_elev[i] = elev;
        tarveap3.apt_nam.set(i, name);
        tarvex01.nb_apt = std::max(tarvex01.nb_apt, n);
    }
    static void turnpoint(int n, const std::string& name, float x, float y, int elev) {
        const auto i = static_cast<std::size_t>(n);
        where(x, y, tarvewp2.wp_lat[i], tarvewp2.wp_lon[i]);
        tarvewp2.wp_elev[i] = elev;
        tarvewp3.wp_nam.set(i, name);
        tarvex01.nb_wp_file = std::max(tarvex01.nb_wp_file, n);
    }
    // A task of four points, none in the landscape lists.
    static void four_points() {
        rd_fpl_0.nb_wp = 4;
        point(0, "Field", 100000.0f, 100000.0f, 300.0f);
        point(1, "Start", 100000.0f, 110000.0f, 800.0f);
        point(2, "Turn", 90000.0f, 120000.0f, 1200.0f);
        point(3, "Finish", 100000.0f, 100000.0f, 300.0f);
    }
};

}  // namespace

TEST_F(LandscapeMatch, WithoutTheCheckOnlyPositions) {
    four_points();
    airport(1, "Field", 100000.0f, 100000.0f);
    rd_fpl_1.tpid[1] = 7;
    get_wp_data(true, 0);
    float lat = 0.0f;
    float lon = 0.0f;
    where(90000.0f, 120000.0f, lat, lon);
    EXPECT_EQ(rd_fpl_1.tplat[2], lat);
    EXPECT_EQ(rd_fpl_1.tplon[2], lon);
    EXPECT_NEAR(rd_fpl_1.tplon[0], 9.0f, 1e-5f);  // 100 km west of the east edge: the central meridian
    for (int n = 0; n < 4; ++n) {
        EXPECT_EQ(rd_fpl_1.tpid[static_cast<std::size_t>(n)], 0);
    }
    EXPECT_TRUE(boxes.empty());
}

TEST_F(LandscapeMatch, IdentitiesByTarget) {
    tarvex01.qchkwp = true;
    four_points();
    airport(1, "Other", 100000.0f, 100000.0f);
    airport(2, "Field", 100000.0f, 100000.0f, 0.0009f);  // within 0.001 degree
    turnpoint(1, "Start", 100000.0f, 110000.0f, 809);    // 9 m off
    turnpoint(2, "Turn", 90000.0f, 120000.0f, 1210);     // 10 m off: not the same
    turnpoint(3, "Finish", 100000.0f, 100000.0f, 300);

    tarvex01.ntarg = kTargetLkt;
    get_wp_data(false, 0);
    EXPECT_EQ(rd_fpl_1.tpid[0], -2);
    EXPECT_EQ(rd_fpl_1.tpid[1], 1);
    EXPECT_EQ(rd_fpl_1.tpid[2], 0);
    EXPECT_EQ(rd_fpl_1.tpid[3], 3);

    tarvex01.ntarg = kTargetCup;
    get_wp_data(false, 0);
    EXPECT_EQ(rd_fpl_1.tpid[0], -2);

    tarvex01.ntarg = kTargetTsk;
    get_wp_data(false, 0);
    EXPECT_EQ(rd_fpl_1.tpid[0], 2);
    EXPECT_EQ(rd_fpl_1.tpid[1], 1);
    EXPECT_TRUE(boxes.empty());  // the missing "Turn" is listed only in verbose mode

    airport(2, "Field", 100000.0f, 100000.0f, 0.0011f);  // beyond 0.001 degree
    get_wp_data(false, 0);
    EXPECT_EQ(rd_fpl_1.tpid[0], 0);
}

TEST_F(LandscapeMatch, AirportsBeforeTurnpoints) {
    tarvex01.qchkwp = true;
    tarvex01.ntarg = kTargetLkt;
    four_points();
    turnpoint(4, "Field", 100000.0f, 100000.0f, 300);
    airport(3, "Field", 100000.0f, 100000.0f);
    get_wp_data(false, 0);
    EXPECT_EQ(rd_fpl_1.tpid[0], -3);
}

TEST_F(LandscapeMatch, MultipleDefinitionsWarnAndTakeTheLast) {
    tarvex01.qchkwp = true;
    tarvex01.qverb_0 = true;
    four_points();
    airport(1, "Field", 100000.0f, 100000.0f);
    airport(2, "Field", 100000.0f, 100000.0f, 0.0005f);
    turnpoint(1, "Turn", 90000.0f, 120000.0f, 1200);
    turnpoint(2, "Turn", 90000.0f, 120000.0f, 1205);
    turnpoint(3, "Start", 100000.0f, 110000.0f, 800);
    get_wp_data(false, 0);
    EXPECT_EQ(rd_fpl_1.tpid[0], 2);
    EXPECT_EQ(rd_fpl_1.tpid[2], 2);
    ASSERT_EQ(boxes.size(), 3u);
    EXPECT_EQ(boxes[0].text, "Waypoint : Field multiply defined in .apt file\n(Same name and altitude), last one used");
    EXPECT_EQ(boxes[0].status, 2);
    EXPECT_EQ(boxes[0].title, "Tarvex");
    EXPECT_EQ(boxes[1].text, "Waypoint : Turn multiply defined in .cup file\n(Same name and altitude), last one used");
    // The twice-defined turnpoint is not missing.
    EXPECT_EQ(boxes[2].text,
              "The following waypoint(s) do(es) not exist in the  database (.cup)\nHowever, the converted task will "
              "still work correctly.\nFinish");
    EXPECT_TRUE(log_has("Waypoint : Turn multiply defined in .cup file\r\n(Same name and altitude), last one used\r\n"));
}

TEST_F(LandscapeMatch, FrenchWarnings) {
    tarvex01.qchkwp = true;
    tarvex01.qverb_0 = true;
    cmndta001.qfr = true;
    rd_fpl_2.landscape = "AA3";
    four_points();
    airport(1, "Field", 100000.0f, 100000.0f);
    airport(2, "Field", 100000.0f, 100000.0f);
    get_wp_data(false, 0);
    ASSERT_EQ(boxes.size(), 2u);
    EXPECT_EQ(boxes[0].text,
              "Point de virage : Field : d\xE9" "finition multiple dans le fichier .apt\n(M\xEAme nom et m\xEAme "
              "altitude), le dernier enregistrement a \xE9t\xE9 retenu");
    EXPECT_EQ(boxes[1].text,
              "Le(s) points de virage suivant(s) n'existe(nt) pas dans la base de donn\xE9" "es (.cup) de la sc\xE8" "ne "
              "AA3\nCependant, le circuit converti fonctionnera toujours correctement.\nStart, Turn, Finish");
}

TEST_F(LandscapeMatch, DoubledNames) {
    rd_fpl_0.nb_wp = 8;
    point(0, "Home", 0.0f, 0.0f);
    point(1, "Home", 3000.0f, 3000.0f);     // the takeoff takes no part
    point(2, "Peak", 10000.0f, 10000.0f);
    point(3, "Lake", 20000.0f, 20000.0f);
    point(4, "Lake", 23000.0f, 20000.5f);   // less than 1 m apart north-south
    point(5, "Peak", 13000.0f, 13000.0f);
    point(6, "Peak", 50000.0f, 40000.0f);
    point(7, "Peak", 10000.5f, 15000.0f);   // less than 1 m apart east-west from point 2
    get_wp_data(false, 0);
    EXPECT_EQ(rd_fpl_2.tpnam[0], "Home");
    EXPECT_EQ(rd_fpl_2.tpnam[1], "Home");
    EXPECT_EQ(rd_fpl_2.tpnam[2], "Peak1");
    EXPECT_EQ(rd_fpl_2.tpnam[5], "Peak2");
    EXPECT_EQ(rd_fpl_2.tpnam[6], "Peak3");
    // Point 7 was not renamed by point 2, and is no double of "Peak2" or "Peak3".
    EXPECT_EQ(rd_fpl_2.tpnam[7], "Peak");
    EXPECT_EQ(rd_fpl_2.tpnam[3], "Lake");
    EXPECT_EQ(rd_fpl_2.tpnam[4], "Lake");

    rd_fpl_0.nb_wp = 3;
    point(1, std::string(32, 'N'), 0.0f, 0.0f);
    point(2, std::string(32, 'N'), 5000.0f, 5000.0f);
    get_wp_data(false, 0);
    // A name that fills its field loses its end to the number.
    EXPECT_EQ(rd_fpl_2.tpnam[1], std::string(31, 'N') + "1");
    EXPECT_EQ(rd_fpl_2.tpnam[2], std::string(31, 'N') + "2");
}

TEST_F(LandscapeMatch, LongNamesFindTheirLandscapeTurnpoint) {
    tarvex01.qchkwp = true;
    four_points();
    point(2, "A turnpoint with a long name", 90000.0f, 120000.0f, 1200.0f);
    turnpoint(1, std::string("A turnpoint with a long name").substr(0, 24), 90000.0f, 120000.0f, 1200);
    get_wp_data(false, 0);
    EXPECT_EQ(rd_fpl_1.tpid[2], 1);
}

TEST_F(LandscapeMatch, MissingListOnlyInVerboseMode) {
    tarvex01.qchkwp = true;
    four_points();
    get_wp_data(false, 0);
    EXPECT_TRUE(boxes.empty());
    tarvex01.qverb_0 = true;
    get_wp_data(false, 0);
    ASSERT_EQ(boxes.size(), 1u);
    EXPECT_NE(boxes[0].text.find("\nField, Start, Turn, Finish"), std::string::npos);
    EXPECT_TRUE(log_has("Field, Start, Turn, Finish\r\n"));
}

TEST_F(LandscapeMatch, SeeYouTaskIntoThePlan) {
    // Landscape airports: the one nearest to the start is the second.
    tarveap3.apt_nam.set(1, "Far");
    tarveap2.apt_lat[1] = 46.0f;
    tarveap2.apt_lon[1] = 8.0f;
    tarveap3.apt_nam.set(2, "Near");
    tarveap2.apt_lat[2] = 45.51f;
    tarveap2.apt_lon[2] = 9.01f;
    tarveap2.apt_elev[2] = 250;
    tarveap3.apt_nam.set(3, "Also near");
    tarveap2.apt_lat[3] = 45.48f;
    tarveap2.apt_lon[3] = 9.0f;
    tarvex01.nb_apt = 3;

    RdCup1& c = rd_cup_1;
    rd_cup_0.nb_cup = 5;  // takeoff, start, two turnpoints, finish, landing
    rd_cup_2.cupnam = {"???", "Start", "TP1", "TP2", "Finish", "Landing"};
    const float lats[] = {0.0f, 45.5f, 45.6f, 45.7f, 45.55f, 45.5f};
    for (std::size_t i = 1; i < 6; ++i) {
        c.cuplat[i] = lats[i];
        c.cuplon[i] = 9.0f;
        c.cupalt[i] = 100.0f * static_cast<float>(i);
    }
    c.cupsty[1] = 2;
    c.cupline[1] = true;
    c.cuprad[1][1] = 1000.4f;
    c.cuprad[1][2] = 500.0f;
    c.cupang[1][2] = 180.0f;
    c.cuprad[1][3] = 10000.0f;
    c.cupang[1][3] = 45.0f;
    c.cuprad[2][3] = 500.0f;
    c.cupang[2][3] = 180.0f;
    c.cupmxa[3] = 2500.0f;
    c.cuprad[1][4] = 3000.0f;
    c.cupang[1][4] = 22.5f;
    c.cuprad[2][4] = 3000.0f;  // not below R1: R1 stands
    c.cupang[2][4] = 10.0f;
    c.cupwp = {0, 7, 3, 4, 7, 9};  // their waypoints in the SeeYou file
    rd_cup_0.cupnostart = 45000;
    rd_cup_0.cuptasktime = 9000;
    rd_cup_0.cupwpdis = 0;
    tarvex01.ntarg = kTargetLkt;

    set_wp_data(true);
    // Every point but the landing, each where the SeeYou task puts it.
    EXPECT_EQ(rd_fpl_0.nb_wp, 5);
    for (std::size_t i = 1; i < 5; ++i) {
        EXPECT_EQ(rd_fpl_1.tplat[i], lats[i]);
        EXPECT_EQ(rd_fpl_1.tplon[i], 9.0f);
        EXPECT_EQ(rd_fpl_1.tpid[i], c.cupwp[i]);
    }
    // The takeoff is the nearest airport, tied to it as the target ties airports.
    EXPECT_EQ(rd_fpl_1.tplat[0], 45.51f);
    EXPECT_EQ(rd_fpl_1.tplon[0], 9.01f);
    EXPECT_EQ(rd_fpl_1.tpid[0], -2);
    EXPECT_EQ(rd_fpl_1.tpid[5], 0);
    // The rules of the task's options line.
    EXPECT_EQ(rd_fpl_6.nostart, 45000);
    EXPECT_EQ(rd_fpl_6.tasktime, 9000);
    EXPECT_EQ(rd_fpl_6.wpdis, 0);
    EXPECT_EQ(rd_cup_2.cupnam[0], "Near");
    EXPECT_EQ(c.cuplat[0], 45.51f);
    EXPECT_EQ(c.cupalt[0], 250.0f);
    EXPECT_EQ(c.cupsty[0], 5);
    const RdFpl1& t = rd_fpl_1;
    EXPECT_EQ(rd_fpl_2.tpnam[0], "Near");
    EXPECT_EQ(t.tprad[0], 3000);
    EXPECT_EQ(t.tpang[0], 90);
    EXPECT_EQ(t.tpair[0], 1);
    EXPECT_EQ(t.tprad[1], 1000);  // a line
    EXPECT_EQ(t.tpang[1], 180);
    EXPECT_EQ(t.tpair[1], 1);
    EXPECT_EQ(t.tprad[2], 500);
    EXPECT_EQ(t.tpang[2], 360);
    EXPECT_EQ(t.tprad[3], 500);  // R2 inside R1
    EXPECT_EQ(t.tpang[3], 360);
    EXPECT_EQ(t.tphei[3], 2500.0f);
    EXPECT_EQ(t.tphei[2], 10000.0f);
    EXPECT_EQ(t.tprad[4], 3000);
    EXPECT_EQ(t.tpang[4], 45);
    EXPECT_EQ(t.tpz[2], 200.0f);
    EXPECT_EQ(t.tpsec[2], 0);
    EXPECT_EQ(t.tpalt[2], 1500.0f);
    EXPECT_EQ(t.tpair[2], 0);
    EXPECT_EQ(rd_fpl_2.tpnam[5], "");  // the landing is not converted
    float x = 0.0f;
    float y = 0.0f;
    latlontoxy(45.6f, 9.0f, x, y);
    EXPECT_EQ(t.tpx[2], x);
    EXPECT_EQ(t.tpy[2], y);
    EXPECT_NEAR(t.tpx[2], 100000.0f, 1.0f);  // on the central meridian

    // When the SeeYou file has that airfield too, the takeoff is its waypoint,
    // one with a point of the task there.
    tarvewp3.wp_nam.set(9, "Near");
    tarvewp2.wp_lat[9] = 45.5105f;
    tarvewp2.wp_lon[9] = 9.01f;
    tarvex01.nb_wp_file = 9;
    rd_cup_2.cupnam[0] = "???";
    set_wp_data(false);
    EXPECT_EQ(rd_fpl_1.tpid[0], 9);
}

TEST_F(LandscapeMatch, SeeYouTakeoffThatIsAnAirportStays) {
    tarveap3.apt_nam.set(1, "Home");
    tarveap2.apt_lat[1] = 45.0f;
    tarveap2.apt_lon[1] = 9.0f;
    tarveap3.apt_nam.set(2, "Nearer");
    tarveap2.apt_lat[2] = 45.5f;
    tarveap2.apt_lon[2] = 9.0f;
    tarvex01.nb_apt = 2;
    rd_cup_0.nb_cup = 2;
    rd_cup_2.cupnam[0] = "Home";
    rd_cup_1.cuplat[0] = 45.0005f;
    rd_cup_1.cuplon[0] = 9.0f;
    rd_cup_1.cuplat[1] = 45.5f;
    rd_cup_1.cuplon[1] = 9.0f;
    set_wp_data(false);
    EXPECT_EQ(rd_cup_2.cupnam[0], "Home");
    EXPECT_EQ(rd_cup_1.cuplat[0], 45.0005f);
    EXPECT_EQ(rd_fpl_0.nb_wp, 2);
    EXPECT_EQ(rd_fpl_6.nostart, kNoTaskRule);  // no options line, no rules

    reset_landscape_records();
    tarvex01.nb_apt = 0;
    rd_cup_0.nb_cup = 2;
    rd_cup_2.cupnam[0] = "???";
    set_wp_data(false);  // no airports: point 0 stays as read
    EXPECT_EQ(rd_cup_2.cupnam[0], "???");
    EXPECT_EQ(rd_fpl_1.tprad[0], 3000);

    rd_cup_0.nb_cup = -1;  // a task line without points
    set_wp_data(false);
    EXPECT_EQ(rd_fpl_0.nb_wp, 0);
}

TEST_F(LandscapeMatch, SeeYouTaskForJson) {
    RdCup1& c = rd_cup_1;
    rd_cup_0.nb_cup = 5;
    for (std::size_t i = 0; i < 6; ++i) {
        c.cuplat[i] = 45.0f + 0.1f * static_cast<float>(i);
        c.cuplon[i] = 9.0f;
        c.cuprad[1][i] = 1000.0f;
        c.cupang[1][i] = 45.0f;
    }
    c.cuprad[2][2] = 500.0f;
    c.cupang[2][2] = 180.0f;
    rd_fpl_1.tprad[0] = 1234;
    rd_fpl_1.tprad[5] = 4321;
    copy_wp_data();
    EXPECT_EQ(rd_fpl_0.nb_wp, 5);
    EXPECT_TRUE(tarvex01.qfaisector);
    EXPECT_EQ(rd_fpl_1.tprad[1], 1000);
    EXPECT_EQ(rd_fpl_1.tpang[1], 90);
    EXPECT_EQ(rd_fpl_1.tprad[2], 500);
    EXPECT_EQ(rd_fpl_1.tpang[2], 360);
    EXPECT_EQ(rd_fpl_1.tplat[4], c.cuplat[4]);
    EXPECT_EQ(rd_fpl_1.tprad[0], 1234);  // point 0 and point nb_cup stay
    EXPECT_EQ(rd_fpl_1.tprad[5], 4321);
    EXPECT_EQ(rd_fpl_1.tplat[5], 0.0f);
}

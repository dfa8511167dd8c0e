#include "taskfiles/tsk_writer.h"

#include "foundation/option_records.h"
#include "taskfiles/task_model.h"
#include "writer_support.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

using tarvex_test::crlf_lines;
using tarvex_test::join_crlf;
using tarvex_test::set_racing_task;
using tarvex_test::elements_named;
using tarvex_test::parse_xml;
using tarvex_test::set_task;
using tarvex_test::TestPoint;
using tarvex_test::WriterTest;
using tarvex_test::XmlElement;

// The racing task of the writer tests, TP2 linked to landscape turnpoint 17.
void set_linked_racing_task() {
    set_racing_task();
    rd_fpl_1.tpid[2] = 17;
}

using TskWriter = WriterTest;

TEST_F(TskWriter, RacingTaskWithEveryZoneType) {
    set_linked_racing_task();
    int iost = -1;
    write_tsk("race.tsk", iost);
    EXPECT_EQ(iost, 0);
    const std::string expected = join_crlf({
        "<Task fai_finish=\"0\" finish_min_height_ref=\"MSL\" finish_min_height=\"300\" start_max_height_ref=\"MSL\" "
        "start_max_height=\"2100\"  start_max_speed=\"41.667\" start_requires_arm=\"0\" aat_min_time=\"0\" "
        "type=\"RT\">",
        "       <Point type=\"Start\">",
        "               <Waypoint altitude=\"500\" comment=\"Alt. limits=0-2000\" id=\"0\" name=\"Start [0-20]\">",
        "                       <Location latitude=\"45.00000\" longitude=\"6.00000\"/>",
        "               </Waypoint>",
        "               <ObservationZone length=\"2000\" type=\"Line\"/>",
        "       </Point>",
        "       <Point type=\"Turn\">",
        "               <Waypoint altitude=\"613\" comment=\"Alt. limits=0-2460\" id=\"17\" name=\"TP2 [0-25]\">",
        "                       <Location latitude=\"45.25000\" longitude=\"6.00000\"/>",
        "               </Waypoint>",
        "               <ObservationZone radius=\"500\" type=\"Cylinder\"/>",
        "       </Point>",
        "       <Point type=\"Turn\">",
        "               <Waypoint altitude=\"700\" comment=\"\" id=\"0\" name=\"B&amp;B &quot;Q&quot; &lt;x&gt;\">",
        "                       <Location latitude=\"45.25000\" longitude=\"6.50000\"/>",
        "               </Waypoint>",
        "               <ObservationZone angle=\"90\" radius=\"3000\" type=\"SymmetricQuadrant\"/>",
        "       </Point>",
        "       <Point type=\"Turn\">",
        "               <Waypoint altitude=\"800\" comment=\"\" id=\"0\" name=\"Cr\xC3\xAAte\">",
        "                       <Location latitude=\"45.00000\" longitude=\"6.50000\"/>",
        "               </Waypoint>",
        "               <ObservationZone start_radial=\"135\" end_radial=\"315\" radius=\"3000\" type=\"Sector\"/>",
        "       </Point>",
        "       <Point type=\"Turn\">",
        "               <Waypoint altitude=\"900\" comment=\"Condor window : alt. limits=1000-2000\" id=\"0\" "
        "name=\"TP5 [10-20]\">",
        "                       <Location latitude=\"45.00000\" longitude=\"7.00000\"/>",
        "               </Waypoint>",
        "               <ObservationZone start_radial=\"30\" end_radial=\"210\" radius=\"1000\" type=\"Sector\"/>",
        "       </Point>",
        "       <Point type=\"Finish\">",
        "               <Waypoint altitude=\"250\" comment=\"\" id=\"0\" name=\"Finish\">",
        "                       <Location latitude=\"45.25000\" longitude=\"-7.12500\"/>",
        "               </Waypoint>",
        "               <ObservationZone start_radial=\"338\" end_radial=\"23\" radius=\"3000\" type=\"Sector\"/>",
        "       </Point>",
        "</Task>",
        "",
        "<!-- created by Tarvex V4.4.0.0 -->",
        "",
    });
    const std::string written = read_file("race.tsk");
    EXPECT_EQ(written, expected);

    std::vector<XmlElement> elements;
    std::string error;
    ASSERT_TRUE(parse_xml(written, elements, error)) << error;
    const std::vector<XmlElement> waypoints = elements_named(elements, "Waypoint");
    ASSERT_EQ(waypoints.size(), 6u);
    EXPECT_EQ(waypoints[2].attribute("name"), "B&B \"Q\" <x>");
    EXPECT_EQ(waypoints[3].attribute("name"), "Cr\xC3\xAAte");
}

TEST_F(TskWriter, AatHeaderAndAreas) {
    set_task({{"T", 0, -1000}, {"S", 0, 0, 0, 3000, 360}, {"A1", 0, 30000, 0, 20000, 360},
              {"A2", -30000, 30000, 0, 20000, 360}, {"F", -30000, 0, 0, 1000, 360}});
    rd_fpl_6.qaat = true;
    rd_fpl_6.t_aat = 180.0f;
    tarvex01.qman_arm_start_aat = true;
    tarvex01.start_margin = 0;
    int iost = -1;
    write_tsk("aat.tsk", iost);
    ASSERT_EQ(iost, 0);
    const std::vector<std::string> lines = crlf_lines(read_file("aat.tsk"));
    ASSERT_FALSE(lines.empty());
    EXPECT_EQ(lines[0],
              "<Task fai_finish=\"0\" finish_min_height_ref=\"MSL\" finish_min_height=\"0\" "
              "start_max_height_ref=\"MSL\" start_max_height=\"0\"  start_max_speed=\"0\" start_requires_arm=\"1\" "
              "aat_min_time=\"10800\" type=\"AAT\">");
    std::vector<XmlElement> elements;
    std::string error;
    ASSERT_TRUE(parse_xml(read_file("aat.tsk"), elements, error)) << error;
    const std::vector<XmlElement> points = elements_named(elements, "Point");
    ASSERT_EQ(points.size(), 4u);
    EXPECT_EQ(points[0].attribute("type"), "Start");
    EXPECT_EQ(points[1].attribute("type"), "Area");
    EXPECT_EQ(points[2].attribute("type"), "Area");
    EXPECT_EQ(points[3].attribute("type"), "Finish");
}

TEST_F(TskWriter, StartAndFinishHeights) {
    const auto header = [this]() {
        int iost = -1;
        write_tsk("h.tsk", iost);
        EXPECT_EQ(iost, 0);
        return crlf_lines(read_file("h.tsk")).at(0);
    };
    const auto has = [](const std::string& line, const std::string& part) {
        return line.find(part) != std::string::npos;
    };
    set_task({{"T", 0, 0}, {"S", 0, 0, 0, 1000, 180}, {"F", 0, 10000, 200.0f, 1000, 180}});
    RdFpl1& t = rd_fpl_1;
    // Window start: centre + half height + margin.
    t.tpsec[1] = 1;
    t.tphei[1] = 1000.0f;
    t.tpalt[1] = 1500.0f;
    EXPECT_TRUE(has(header(), "start_max_height=\"2100\""));
    // Classic start: 9999 is no limit; 9998 counts.
    t.tpsec[1] = 0;
    t.tphei[1] = 9999.0f;
    EXPECT_TRUE(has(header(), "start_max_height=\"0\""));
    t.tphei[1] = 9998.0f;
    EXPECT_TRUE(has(header(), "start_max_height=\"10098\""));
    // Finish: the plan's minimum altitude when the sector has none of its own.
    rd_fpl_4.finishminalt = 300.0f;
    t.tpwid[2] = 0.0f;
    EXPECT_TRUE(has(header(), "finish_min_height=\"300\""));
    t.tpwid[2] = 250.0f;
    EXPECT_TRUE(has(header(), "finish_min_height=\"250\""));
    // Window finish: centre less half height.
    t.tpsec[2] = 1;
    t.tpalt[2] = 1000.0f;
    t.tphei[2] = 500.0f;
    EXPECT_TRUE(has(header(), "finish_min_height=\"750\""));
}

TEST_F(TskWriter, WindowRadialsAndLines) {
    set_task({{"T", 0, 0}, {"S", 0, 0, 0, 1000, 180}, {"W", 0, 10000, 0, 1000, 180}, {"F", 0, 20000, 0, 1000, 180}});
    RdFpl1& t = rd_fpl_1;
    t.tpsec[2] = 1;
    t.tpwid[2] = 3001.0f;
    const auto zone = [this](int point) {
        int iost = -1;
        write_tsk("w.tsk", iost);
        std::vector<XmlElement> elements;
        std::string error;
        EXPECT_TRUE(parse_xml(read_file("w.tsk"), elements, error)) << error;
        return elements_named(elements, "ObservationZone").at(static_cast<std::size_t>(point - 1));
    };
    t.tpazi[2] = 10.0f;
    XmlElement oz = zone(2);
    EXPECT_EQ(oz.attribute("start_radial"), "100");
    EXPECT_EQ(oz.attribute("end_radial"), "280");
    EXPECT_EQ(oz.attribute("radius"), "1501");
    EXPECT_EQ(oz.attribute("type"), "Sector");
    t.tpazi[2] = 270.0f;  // exactly 360 stays 360
    oz = zone(2);
    EXPECT_EQ(oz.attribute("start_radial"), "360");
    EXPECT_EQ(oz.attribute("end_radial"), "180");
    // "TPAzimuth=45" of a plan holding degrees where Condor writes radians
    // reads as 2578 degrees: the radials are brought into 0..360.
    t.tpazi[2] = 2578.0f;
    oz = zone(2);
    EXPECT_EQ(oz.attribute("start_radial"), "148");
    EXPECT_EQ(oz.attribute("end_radial"), "328");
    t.tpazi[2] = -2578.0f;
    oz = zone(2);
    EXPECT_EQ(oz.attribute("start_radial"), "32");
    EXPECT_EQ(oz.attribute("end_radial"), "212");
    // Only the start and the finish become lines.
    EXPECT_EQ(zone(1).attribute("type"), "Line");
    EXPECT_EQ(zone(1).attribute("length"), "2000");
    EXPECT_EQ(zone(3).attribute("type"), "Line");
    // A straight-through 180° turnpoint faces the right-hand side.
    t.tpsec[2] = 0;
    oz = zone(2);
    EXPECT_EQ(oz.attribute("type"), "Sector");
    EXPECT_EQ(oz.attribute("start_radial"), "0");
    EXPECT_EQ(oz.attribute("end_radial"), "180");
}

TEST_F(TskWriter, TwoAndThirtyOneTurnpoints) {
    set_task({{"T", 0, 0}, {"S", 0, 0, 0, 1000, 180}});
    int iost = -1;
    write_tsk("one.tsk", iost);
    ASSERT_EQ(iost, 0);
    std::vector<XmlElement> elements;
    std::string error;
    ASSERT_TRUE(parse_xml(read_file("one.tsk"), elements, error)) << error;
    std::vector<XmlElement> points = elements_named(elements, "Point");
    ASSERT_EQ(points.size(), 1u);
    EXPECT_EQ(points[0].attribute("type"), "Start");

    std::vector<TestPoint> many;
    for (int n = 0; n < kTurnpointSlots; ++n) {
        const float step = static_cast<float>(n);
        many.push_back({"P" + std::to_string(n), 5000.0f * step * (n % 2 == 0 ? 1.0f : -1.0f), 4000.0f * step, 0,
                        500, n % 3 == 0 ? 45 : 360});
    }
    set_task(many);
    write_tsk("many.tsk", iost);
    ASSERT_EQ(iost, 0);
    ASSERT_TRUE(parse_xml(read_file("many.tsk"), elements, error)) << error;
    points = elements_named(elements, "Point");
    ASSERT_EQ(points.size(), 30u);
    EXPECT_EQ(points.back().attribute("type"), "Finish");
    EXPECT_EQ(elements_named(elements, "Waypoint").back().attribute("name"), "P30");
}

TEST_F(TskWriter, EmptyTaskAndUnwritableFile) {
    int iost = -1;
    write_tsk("empty.tsk", iost);
    EXPECT_EQ(iost, 0);
    std::vector<XmlElement> elements;
    std::string error;
    EXPECT_TRUE(parse_xml(read_file("empty.tsk"), elements, error)) << error;
    EXPECT_TRUE(elements_named(elements, "Point").empty());

    write_tsk("no such folder\\x.tsk", iost);
    EXPECT_NE(iost, 0);
}

}  // namespace

#include "taskfiles/lkt_writer.h"

#include "foundation/option_records.h"
#include "taskfiles/landscape_records.h"
#include "taskfiles/task_model.h"
#include "writer_support.h"

#include <gtest/gtest.h>

#include <set>
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

// The racing task of the writer tests, the start matched to an airport and
// TP2 to a landscape turnpoint.
void set_linked_racing_task() {
    set_racing_task();
    RdFpl1& t = rd_fpl_1;
    t.tpid[1] = -1;
    tarveap2.apt_sty[1] = 5;
    tarveap2.apt_frq[1] = 123.5f;
    tarveap2.apt_rwl[1] = 800.0f;
    tarveap2.apt_rwd[1] = 5.0f;
    t.tpid[2] = 3;
    tarvewp2.wp_typ[3] = 3;
    tarvewp2.wp_frq[3] = kNoWaypointValue;
    tarvewp2.wp_rwl[3] = kNoWaypointValue;
    tarvewp2.wp_rwd[3] = kNoWaypointValue;
    tarvewp3.wp_cod.set(3, "TP2C");
    tarvewp3.wp_dsc.set(3, "Church & tower");
}

std::vector<XmlElement> parsed(const std::string& bytes) {
    std::vector<XmlElement> elements;
    std::string error;
    EXPECT_TRUE(parse_xml(bytes, elements, error)) << error;
    return elements;
}

using LktWriter = WriterTest;

TEST_F(LktWriter, RacingTaskWithEveryZoneType) {
    set_linked_racing_task();
    int iost = -1;
    write_lkt("race.lkt", iost);
    EXPECT_EQ(iost, 0);
    const std::string tail = " lock=\"false\" offset-radius=\"0.0\" offset-radial=\"0.0\" />";
    const std::string expected = join_crlf({
        "<?xml version=\"1.0\" encoding=\"utf-8\"?>",
        "<lk-task type=\"Race\" >",
        "        <options auto-advance=\"Auto\" >",
        "                <rules>",
        "                        <finish fai-height=\"false\" min-height=\"50000\" height-ref=\"AGL\" />",
        "                        <start max-height=\"2000000\" max-height-margin=\"100000\" max-speed=\"41667\" "
        "max-speed-margin=\"0\" height-ref=\"ASL\" />",
        "                </rules>",
        "        </options>",
        "        <rules>",
        "                <finish fai-height=\"false\" min-height=\"50000\" height-ref=\"AGL\" />",
        "                <start max-height=\"2000000\" max-height-margin=\"100000\" max-speed=\"41667\" "
        "max-speed-margin=\"0\" height-ref=\"ASL\" />",
        "        </rules>",
        "        <taskpoints>",
        "                <point idx=\"0\" name=\"Start\" type=\"line\" radius=\"1000.00\"" + tail,
        "                <point idx=\"1\" name=\"TP2\" type=\"circle\" radius=\"500.00\"" + tail,
        "                <point idx=\"2\" name=\"B&amp;B &quot;Q&quot; &lt;x&gt;\" type=\"sector\" "
        "start-radial=\"0.000000\" end-radial=\"90.000000\" radius=\"3000.00\"" + tail,
        "                <point idx=\"3\" name=\"Cr\xC3\xAAte\" type=\"sector\" start-radial=\"135.000000\" "
        "end-radial=\"315.000000\" radius=\"3000.00\"" + tail,
        // The window of TP5, 2000 m wide: a line of half its width as radius.
        "                <point idx=\"4\" name=\"TP5\" type=\"line\" radius=\"1000.00\"" + tail,
        "                <point idx=\"5\" name=\"Finish\" type=\"sector\" start-radial=\"337.500000\" "
        "end-radial=\"22.500000\" radius=\"3000.00\"" + tail,
        "        </taskpoints>",
        "        <waypoints>",
        "                <point name=\"Start\" latitude=\"45.000000\" longitude=\"6.000000\" altitude=\"500\" "
        "comment=\"Alt. limits=0-2000\" flags=\"5\" format=\"2\" freq=\"123.500\" runwayLen=\"800\" "
        "runwayDir=\"005\" style=\"5\" />",
        "                <point name=\"TP2\" latitude=\"45.250000\" longitude=\"6.000000\" altitude=\"613\" "
        "comment=\"Alt. limits=0-2460 ; Church &amp; tower\" flags=\"4\" code=\"TP2C\" format=\"2\" style=\"3\" />",
        "                <point name=\"B&amp;B &quot;Q&quot; &lt;x&gt;\" latitude=\"45.250000\" longitude=\"6.500000\" "
        "altitude=\"700\" flags=\"2\" format=\"2\" style=\"1\" />",
        "                <point name=\"Cr\xC3\xAAte\" latitude=\"45.000000\" longitude=\"6.500000\" altitude=\"800\" "
        "flags=\"2\" format=\"2\" style=\"1\" />",
        "                <point name=\"TP5\" latitude=\"45.000000\" longitude=\"7.000000\" altitude=\"900\" "
        "comment=\"Condor window : alt. limits=1000-2000\" flags=\"2\" format=\"2\" style=\"1\" />",
        "                <point name=\"Finish\" latitude=\"45.250000\" longitude=\"-7.125000\" altitude=\"250\" "
        "flags=\"2\" format=\"2\" style=\"1\" />",
        "        </waypoints>",
        "</lk-task>",
        "<!-- created by Tarvex V4.4.0.0 -->",
        "",
    });
    const std::string written = read_file("race.lkt");
    EXPECT_EQ(written, expected);

    const std::vector<XmlElement> elements = parsed(written);
    const std::vector<XmlElement> points = elements_named(elements, "point");
    ASSERT_EQ(points.size(), 12u);
    EXPECT_EQ(points[2].attribute("name"), "B&B \"Q\" <x>");
    EXPECT_EQ(points[3].attribute("name"), "Cr\xC3\xAAte");
    EXPECT_EQ(points[7].attribute("comment"), "Alt. limits=0-2460 ; Church & tower");
}

TEST_F(LktWriter, AatOptionsAndNumberedNames) {
    set_task({{"T", 0, -1000}, {"S", 0, 0, 0, 3000, 360}, {"A1", 0, 30000, 0, 20000, 360},
              {"A2", -30000, 30000, 0, 20000, 360}, {"F", -30000, 0, 0, 1000, 360}});
    rd_fpl_6.qaat = true;
    rd_fpl_6.t_aat = 180.0f;
    tarvex01.qlk_tp_num = true;
    int iost = -1;
    write_lkt("aat.lkt", iost);
    ASSERT_EQ(iost, 0);
    const std::vector<std::string> lines = crlf_lines(read_file("aat.lkt"));
    ASSERT_GT(lines.size(), 3u);
    EXPECT_EQ(lines[1], "<lk-task type=\"AAT\" >");
    EXPECT_EQ(lines[2], "        <options auto-advance=\"ArmTPs\" length=\"180\" >");
    const std::vector<XmlElement> points = elements_named(parsed(read_file("aat.lkt")), "point");
    ASSERT_EQ(points.size(), 8u);
    EXPECT_EQ(points[0].attribute("name"), "S:S");
    EXPECT_EQ(points[1].attribute("name"), "1:A1");
    EXPECT_EQ(points[2].attribute("name"), "2:A2");
    EXPECT_EQ(points[3].attribute("name"), "F:F");
    EXPECT_EQ(points[7].attribute("name"), "F:F");

    tarvex01.qman_arm_start_aat = true;
    write_lkt("aat.lkt", iost);
    EXPECT_EQ(crlf_lines(read_file("aat.lkt"))[2], "        <options auto-advance=\"Manual\" length=\"180\" >");
    rd_fpl_6.qaat = false;
    tarvex01.qman_arm_start_rt = true;
    write_lkt("aat.lkt", iost);
    EXPECT_EQ(crlf_lines(read_file("aat.lkt"))[2], "        <options auto-advance=\"ArmStart\" >");
}

TEST_F(LktWriter, RulesHeightsAndSpeed) {
    set_task({{"T", 0, 0}, {"S", 0, 0, 0, 1000, 180}, {"F", 0, 10000, 400.0f, 1000, 180}});
    RdFpl1& t = rd_fpl_1;
    const auto rules = [this]() {
        int iost = -1;
        write_lkt("r.lkt", iost);
        EXPECT_EQ(iost, 0);
        const std::vector<XmlElement> elements = parsed(read_file("r.lkt"));
        return std::make_pair(elements_named(elements, "finish").at(0), elements_named(elements, "start").at(0));
    };
    // A finish minimum equal to the finish point's altitude is no minimum.
    rd_fpl_4.finishminalt = 400.0f;
    EXPECT_EQ(rules().first.attribute("min-height"), "0");
    rd_fpl_4.finishminalt = 700.0f;
    EXPECT_EQ(rules().first.attribute("min-height"), "300000");
    t.tpsec[2] = 1;  // window finish: centre less half height, above the point
    t.tpalt[2] = 1000.0f;
    t.tphei[2] = 400.0f;
    EXPECT_EQ(rules().first.attribute("min-height"), "400000");

    t.tphei[1] = 9000.0f;
    rd_fpl_6.start_max_speed = 150;
    tarvex01.start_margin = 50;
    auto start = rules().second;
    EXPECT_EQ(start.attribute("max-height"), "9000000");
    EXPECT_EQ(start.attribute("max-height-margin"), "50000");
    EXPECT_EQ(start.attribute("max-speed"), "41667");
    t.tphei[1] = 9001.0f;
    EXPECT_EQ(rules().second.attribute("max-height"), "0");
    t.tpsec[1] = 1;  // window start: centre plus half height, no margin
    t.tpalt[1] = 1500.0f;
    t.tphei[1] = 1000.0f;
    EXPECT_EQ(rules().second.attribute("max-height"), "2000000");
}

TEST_F(LktWriter, ATurnpointUsedTwiceIsOneWaypoint) {
    set_task({{"T", 0, 0},
              {"S", 0, 0},
              {"TP", 0, 10000},
              {"X", -10000, 10000},
              {"TP", 0.5f, 10000.5f},
              {"TP", 0, 12000},
              {"F", 0, 0}});
    int iost = -1;
    write_lkt("dup.lkt", iost);
    ASSERT_EQ(iost, 0);
    const std::vector<XmlElement> elements = parsed(read_file("dup.lkt"));
    const std::vector<XmlElement> points = elements_named(elements, "point");
    ASSERT_EQ(points.size(), 6u + 5u);
    std::vector<std::string> waypoint_names;
    for (std::size_t i = 6; i < points.size(); ++i) {
        waypoint_names.push_back(points[i].attribute("name"));
    }
    // The same name at another place is another waypoint: its own name.
    EXPECT_EQ(waypoint_names, (std::vector<std::string>{"S", "TP", "X", "TP5", "F"}));
    EXPECT_EQ(points[4].attribute("name"), "TP5");
    EXPECT_EQ(points[3].attribute("name"), "TP");
    EXPECT_NE(points[9].attribute("latitude"), points[7].attribute("latitude"));

    // Numbered names differ at each place in the task: every point is its own
    // waypoint, so that LK8000 finds each task point's name among them.
    tarvex01.qlk_tp_num = true;
    write_lkt("dup.lkt", iost);
    const std::vector<XmlElement> numbered = elements_named(parsed(read_file("dup.lkt")), "point");
    ASSERT_EQ(numbered.size(), 6u + 6u);
    for (std::size_t i = 0; i < 6; ++i) {
        EXPECT_EQ(numbered[i + 6].attribute("name"), numbered[i].attribute("name"));
    }
}

TEST_F(LktWriter, LandscapeDataOfMatchedPoints) {
    set_task({{"T", 0, 0}, {"S", 0, 0}, {"A", 0, 10000}, {"B", 0, 20000}, {"F", 0, 30000}});
    RdFpl1& t = rd_fpl_1;
    t.tpid[1] = 1;
    tarvewp2.wp_typ[1] = 6;
    tarvewp2.wp_frq[1] = 0.0f;
    tarvewp2.wp_rwl[1] = 0.0f;
    tarvewp2.wp_rwd[1] = 0.0f;
    t.tpid[2] = 2;
    tarvewp2.wp_typ[2] = 77;  // beyond the flag table
    tarvewp2.wp_rwd[2] = kNoWaypointValue;
    tarvewp2.wp_rwl[2] = 1234.6f;
    tarvewp2.wp_frq[2] = 118.05f;
    tarvewp3.wp_dsc.set(2, std::string(70, 'd'));
    t.tpid[3] = -kMaxLandscapeAirports - 1;  // no such airport: no match
    t.tpid[4] = kMaxLandscapeWaypoints;
    tarvewp2.wp_typ[kMaxLandscapeWaypoints] = 2;
    tarvewp2.wp_rwd[kMaxLandscapeWaypoints] = -1.0f;
    int iost = -1;
    write_lkt("m.lkt", iost);
    ASSERT_EQ(iost, 0);
    const std::vector<XmlElement> points = elements_named(parsed(read_file("m.lkt")), "point");
    ASSERT_EQ(points.size(), 8u);
    const XmlElement& s = points[4];
    EXPECT_EQ(s.attribute("flags"), "2");
    EXPECT_EQ(s.attribute("style"), "6");
    EXPECT_FALSE(s.has("freq"));
    EXPECT_FALSE(s.has("runwayLen"));
    EXPECT_EQ(s.attribute("runwayDir"), "000");
    EXPECT_FALSE(s.has("code"));
    EXPECT_FALSE(s.has("comment"));
    const XmlElement& a = points[5];
    EXPECT_EQ(a.attribute("flags"), "2");
    EXPECT_EQ(a.attribute("freq"), "118.050");
    EXPECT_EQ(a.attribute("runwayLen"), "1235");
    EXPECT_FALSE(a.has("runwayDir"));
    EXPECT_EQ(a.attribute("comment"), std::string(60, 'd'));
    const XmlElement& b = points[6];
    EXPECT_EQ(b.attribute("style"), "1");
    EXPECT_EQ(b.attribute("flags"), "2");
    const XmlElement& f = points[7];
    EXPECT_EQ(f.attribute("flags"), "5");
    EXPECT_FALSE(f.has("runwayDir"));
}

// Current LK8000 reads the rules as a child of the root, 7.5.5 to 7.6.6 inside
// the options: both get the same element.
TEST_F(LktWriter, RulesAtTheRootAndInTheOptions) {
    set_racing_task();
    int iost = -1;
    write_lkt("rules.lkt", iost);
    ASSERT_EQ(iost, 0);
    const std::vector<XmlElement> elements = parsed(read_file("rules.lkt"));
    const std::vector<XmlElement> rules = elements_named(elements, "rules");
    ASSERT_EQ(rules.size(), 2u);
    EXPECT_EQ(rules[0].parent, "options");
    EXPECT_EQ(rules[1].parent, "lk-task");
    for (const std::string name : {"finish", "start"}) {
        const std::vector<XmlElement> limits = elements_named(elements, name);
        ASSERT_EQ(limits.size(), 2u) << name;
        EXPECT_EQ(limits[0].parent, "rules");
        EXPECT_EQ(limits[0].attributes, limits[1].attributes) << name;
    }
    EXPECT_EQ(elements_named(elements, "start")[1].attribute("max-height"), "2000000");
    EXPECT_EQ(elements_named(elements, "finish")[1].attribute("min-height"), "50000");
}

// The flags LK8000's own SeeYou reader gives a waypoint of each kind (bits: 1
// airport, 2 turnpoint, 4 landable), so that LK8000 takes the task's point for
// the pilot's own waypoint.
TEST_F(LktWriter, FlagsByWaypointKind) {
    // Airfields (styles 2, 4, 5) 5, an outlanding (3) 4, any other kind 2.
    const std::vector<std::pair<int, int>> kinds = {{0, 2}, {1, 2}, {2, 5}, {3, 4}, {4, 5}, {5, 5}, {6, 2},
                                                    {7, 2}, {17, 2}, {50, 2}, {51, 2}, {-1, 2}};
    for (const auto& [style, flags] : kinds) {
        EXPECT_EQ(lk_waypoint_flags(style), flags) << style;
    }
    // In the file: a mountain top, an outlanding, an airfield by its airport
    // record, a point of no landscape entry, and the finish airfield.
    set_task({{"T", 0, 0}, {"Top", 0, 0}, {"Field", 0, 10000}, {"Strip", 0, 20000}, {"Free", 0, 25000},
              {"Home", 0, 30000}});
    RdFpl1& t = rd_fpl_1;
    t.tpid[1] = 1;
    tarvewp2.wp_typ[1] = 7;
    t.tpid[2] = 2;
    tarvewp2.wp_typ[2] = 3;
    t.tpid[3] = -1;
    tarveap2.apt_sty[1] = 4;
    t.tpid[5] = 3;
    tarvewp2.wp_typ[3] = 2;
    int iost = -1;
    write_lkt("flags.lkt", iost);
    ASSERT_EQ(iost, 0);
    const std::vector<XmlElement> points = elements_named(parsed(read_file("flags.lkt")), "point");
    ASSERT_EQ(points.size(), 10u);
    std::vector<std::string> flags;
    for (std::size_t i = 5; i < points.size(); ++i) {
        flags.push_back(points[i].attribute("flags"));
    }
    EXPECT_EQ(flags, (std::vector<std::string>{"2", "4", "5", "2", "5"}));
}

// LK8000 cuts a waypoint name to 29 bytes of UTF-8, then no longer finds a
// task point of a longer name and refuses the task: the file's names are cut
// there, between characters, the same in the task points and the waypoints.
TEST_F(LktWriter, NamesCutAt29BytesOfUtf8) {
    set_task({{"T", 0, 0},
              {"Montagne de Lure Sommet Ouest Tr", 0, 0},
              {"Sommet de la Cr\xEAte de Pelv\xE9", 0, 10000},   // 29 bytes: whole
              {"Sommet de la Cr\xEAte des Pelv\xE9", 0, 20000},  // 30: the last letter would be cut in two
              {"Vinon", 0, 30000}});
    int iost = -1;
    write_lkt("long.lkt", iost);
    ASSERT_EQ(iost, 0);
    const std::vector<XmlElement> points = elements_named(parsed(read_file("long.lkt")), "point");
    ASSERT_EQ(points.size(), 8u);
    const std::vector<std::string> expected = {"Montagne de Lure Sommet Ouest", "Sommet de la Cr\xC3\xAAte de Pelv\xC3\xA9",
                                               "Sommet de la Cr\xC3\xAAte des Pelv", "Vinon"};
    for (std::size_t i = 0; i < expected.size(); ++i) {
        EXPECT_EQ(points[i].attribute("name"), expected[i]);
        EXPECT_EQ(points[i + 4].attribute("name"), expected[i]);
        EXPECT_LE(points[i].attribute("name").size(), kLkNameBytes);
    }
    // The place in the task counts in the 29 bytes.
    tarvex01.qlk_tp_num = true;
    write_lkt("long.lkt", iost);
    EXPECT_EQ(elements_named(parsed(read_file("long.lkt")), "point")[0].attribute("name"),
              "S:Montagne de Lure Sommet Oue");
}

// LK8000 keeps one place for two waypoints of one name: two points that are
// not one waypoint keep two names after the cut. The number that tells
// doubled names apart stays; other names that the cut makes equal end in
// their place in the task.
TEST_F(LktWriter, CutNamesStayApart) {
    set_task({{"T", 0, 0},
              {"Montagne de Lure sommet ouest 1", 0, 0},  // 31 characters, doubled names renamed
              {"Montagne de Lure sommet ouest 2", 30000, 30000},
              {"Sommet de la Cr\xEAte des Pelvas nord", 0, 10000},
              {"Sommet de la Cr\xEAte des Pelvas sud", 0, 20000},
              {"Montagne de Lure sommet ouest 1", 0, 0},  // the first point again: one waypoint
              {"Vinon", 0, 30000}});
    int iost = -1;
    write_lkt("long.lkt", iost);
    ASSERT_EQ(iost, 0);
    const std::vector<XmlElement> points = elements_named(parsed(read_file("long.lkt")), "point");
    ASSERT_EQ(points.size(), 11u);
    const std::vector<std::string> expected = {"Montagne de Lure sommet oues1", "Montagne de Lure sommet oues2",
                                               "Sommet de la Cr\xC3\xAAte des Pelva",
                                               "Sommet de la Cr\xC3\xAAte des Pelv4", "Montagne de Lure sommet oues1",
                                               "Vinon"};
    for (std::size_t i = 0; i < expected.size(); ++i) {
        SCOPED_TRACE(i);
        EXPECT_EQ(points[i].attribute("name"), expected[i]);
        EXPECT_LE(points[i].attribute("name").size(), kLkNameBytes);
    }
    // The waypoints, the repeated point once, under the same names.
    for (std::size_t i = 0; i < 4; ++i) {
        EXPECT_EQ(points[i + 6].attribute("name"), expected[i]);
    }
    EXPECT_EQ(points[10].attribute("name"), "Vinon");
}

// A renamed name (cut and numbered) is never one that another waypoint of
// the task takes, earlier or later; a point at the place of an earlier one
// of its name keeps that name.
TEST_F(LktWriter, RenamedNamesTakeNoOtherWaypointsName) {
    const std::string z12 = "ABCDEFGHIJKLMNOPQRSTUVWXYZ12";
    for (const std::string& third : {z12 + "3", z12 + "2"}) {
        set_task({{"T", 0, 0}, {z12 + "3a", 0, 1e4f}, {z12 + "3b", 1e4f, 1e4f}, {third, 2e4f, 1e4f},
                  {z12 + "3c", 3e4f, 1e4f}, {z12 + "3a", 0, 1e4f}, {"F", 0, 0}});
        int iost = -1;
        write_lkt("unique.lkt", iost);
        const std::vector<XmlElement> points = elements_named(parsed(read_file("unique.lkt")), "point");
        ASSERT_EQ(points.size(), 6u + 5u);
        std::set<std::string> names;
        for (std::size_t i = 6; i < points.size(); ++i) {
            names.insert(points[i].attribute("name"));
            EXPECT_LE(points[i].attribute("name").size(), kLkNameBytes);
        }
        EXPECT_EQ(names.size(), 5u) << third;
        EXPECT_EQ(points[4].attribute("name"), z12 + "3");  // the first point's, at its place again
    }
}

TEST_F(LktWriter, ThirtyOneTurnpointsAndAnUnwritableFile) {
    std::vector<TestPoint> many;
    for (int n = 0; n < kTurnpointSlots; ++n) {
        const float step = static_cast<float>(n);
        many.push_back({"P" + std::to_string(n), 3000.0f * step * (n % 2 == 0 ? 1.0f : -1.0f), 4000.0f * step, 0,
                        500, n % 3 == 0 ? 45 : 90});
    }
    set_task(many);
    int iost = -1;
    write_lkt("many.lkt", iost);
    ASSERT_EQ(iost, 0);
    const std::vector<XmlElement> points = elements_named(parsed(read_file("many.lkt")), "point");
    ASSERT_EQ(points.size(), 60u);
    for (std::size_t i = 0; i < 30; ++i) {
        EXPECT_EQ(points[i].attribute("type"), "sector");
    }
    write_lkt("no such folder\\x.lkt", iost);
    EXPECT_NE(iost, 0);
}

}  // namespace

#include "taskfiles/json_writer.h"

#include "foundation/number_text.h"
#include "foundation/option_records.h"
#include "foundation/utm_frame.h"
#include "taskfiles/landscape_records.h"
#include "taskfiles/task_model.h"
#include "writer_support.h"
#include "zone32_frame.h"

#include <gtest/gtest.h>
#include <nlohmann/json.hpp>

#include <cmath>
#include <string>
#include <vector>

namespace {

using nlohmann::json;
using tarvex_test::set_task;
using tarvex_test::TestPoint;
using tarvex_test::WriterTest;

// In the frame of set_zone32_frame.
class JsonWriter : public WriterTest {
protected:
    void SetUp() override {
        WriterTest::SetUp();
        tarvex_test::set_zone32_frame();
    }

    json parsed(const std::string& name) const {
        const std::string bytes = read_file(name);
        json document;
        try {
            document = json::parse(bytes);
        } catch (const json::parse_error& error) {
            ADD_FAILURE() << error.what() << "\n" << bytes;
        }
        return document;
    }
};

// The two lines of a point element's values, as written.
std::vector<std::string> position_lines(float x, float y) {
    float lat = 0.0f;
    float lon = 0.0f;
    EXPECT_EQ(xytolatlon(x, y, lat, lon), 1);
    return {"               " + f2b(lat, "(F12.5)") + ",", "               " + f2b(lon, "(F12.5)")};
}

// A leg element in short: "P" for a position, else the marker and its radius.
std::vector<std::string> signature(const json& legs) {
    std::vector<std::string> kinds;
    for (const json& leg : legs) {
        if (leg.at(0).is_string()) {
            kinds.push_back(leg.at(0).get<std::string>() + std::to_string(leg.at(1).get<int>()));
        } else {
            kinds.push_back("P");
        }
    }
    return kinds;
}

TEST_F(JsonWriter, FlightPlanWithAPenaltyZoneLineByLine) {
    set_task({{"T", 0, -5000}, {"S", 1000, 2000, 0, 1000, 180}, {"F", 3000, 4000, 0, 500, 360}});
    rd_fpl_0.nb_pz = 1;
    const float corners[4][2] = {{100, 100}, {200, 100}, {200, 300}, {100, 300}};
    for (int c = 0; c < 4; ++c) {
        rd_fpl_1.pzp[1][c][0] = corners[c][0];
        rd_fpl_1.pzp[2][c][0] = corners[c][1];
    }
    int iost = -1;
    write_json("My task.json", iost);
    ASSERT_EQ(iost, 0);

    std::vector<std::string> expected = {"{", "   \"tasks\":[", "      {", "         \"name\":\"My task\",",
                                         "         \"color\":\"0000FF\",", "         \"legs\":["};
    const auto point = [&expected](float x, float y, const std::string& closing) {
        expected.push_back("            [");
        for (const std::string& line : position_lines(x, y)) {
            expected.push_back(line);
        }
        expected.push_back("            " + closing);
    };
    const auto marker = [&expected](const std::string& kind, const std::string& radius, const std::string& closing) {
        for (const std::string& line : {std::string("            ,"), std::string("            ["),
                                        "               \"" + kind + "\",", "               " + radius,
                                        "            " + closing}) {
            expected.push_back(line);
        }
    };
    point(1000, 2000, "]");
    marker("L", "1000", "],");
    point(3000, 4000, "]");
    marker("C", "500", "]");
    for (const char* line : {"         ]", "      }", "      ,", "      {", "         \"name\":\"Zone#0\",",
                             "         \"color\":\"FF0000\",", "         \"legs\":["}) {
        expected.push_back(line);
    }
    for (int c = 0; c < 4; ++c) {
        point(corners[c][0], corners[c][1], "],");
    }
    point(corners[0][0], corners[0][1], "]");
    for (const char* line : {"         ]", "      }", "   ]", "}"}) {
        expected.push_back(line);
    }
    std::string text;
    for (const std::string& line : expected) {
        text += line + "\r\n";
    }
    EXPECT_EQ(read_file("My task.json"), text);
    EXPECT_FALSE(parsed("My task.json").is_null());
}

TEST_F(JsonWriter, FlightPlanDrawingsGateAndZones) {
    set_task({{"T", 0, -5000},
              {"S", 0, 0, 0, 1000, 180},
              {"TP2", 0, 20000, 0, 3000, 360},
              {"TP3", -20000, 20000, 0, 1000, 180},
              {"TP4", -20000, 0, 0, 500, 90},
              {"F", -40000, 0, 0, 500, 360}});
    tarvex01.qfaisector = true;
    rd_fpl_0.nb_pz = 2;
    int iost = -1;
    write_json("C:\\Tasks\\Race.JSON", iost);  // missing drive: the open fails
    EXPECT_NE(iost, 0);
    write_json("Race.JSON", iost);
    ASSERT_EQ(iost, 0);
    const json document = parsed("Race.JSON");
    const json& tasks = document.at("tasks");
    ASSERT_EQ(tasks.size(), 4u);
    EXPECT_EQ(tasks[0].at("name"), "Race");
    EXPECT_EQ(tasks[1].at("name"), "Race");
    EXPECT_EQ(tasks[1].at("color"), "0000FF");
    EXPECT_EQ(tasks[2].at("name"), "Zone#0");
    EXPECT_EQ(tasks[3].at("name"), "Zone#1");
    EXPECT_EQ(tasks[3].at("color"), "FF0000");
    EXPECT_EQ(tasks[3].at("legs").size(), 5u);
    EXPECT_EQ(tasks[3].at("legs")[0], tasks[3].at("legs")[4]);

    EXPECT_EQ(signature(tasks[0].at("legs")),
              (std::vector<std::string>{"P", "L1000", "P", "C3000", "P", "P", "P", "Q1000", "P", "Q1000", "P", "P",
                                        "P", "Q500", "P", "C500"}));
    EXPECT_EQ(signature(tasks[1].at("legs")),
              (std::vector<std::string>{"P", "P", "P", "P", "Q2000", "P", "Q2000"}));

    // The gate: 60 m either side of the turnpoint, its middle set back 60 m.
    const json& legs = tasks[0].at("legs");
    const auto frame = [&legs](int i) {
        float x = 0.0f;
        float y = 0.0f;
        latlontoxy(legs[static_cast<std::size_t>(i)][0].get<float>(), legs[static_cast<std::size_t>(i)][1].get<float>(),
                   x, y);
        return std::make_pair(x, y);
    };
    const auto distance = [&frame](int i, int j) {
        const auto [xi, yi] = frame(i);
        const auto [xj, yj] = frame(j);
        return std::hypot(xi - xj, yi - yj);
    };
    EXPECT_NEAR(distance(4, 11), 0.0, 2.0);  // the turnpoint is written again after the gate
    EXPECT_NEAR(distance(5, 4), 60.0, 2.0);
    EXPECT_NEAR(distance(6, 4), 84.85, 2.0);
    EXPECT_NEAR(distance(8, 4), 84.85, 2.0);
    EXPECT_NEAR(distance(10, 4), 60.0, 2.0);
    EXPECT_NEAR(distance(5, 10), 120.0, 2.0);
}

TEST_F(JsonWriter, StraightThroughLineTurnpointGetsASectorMarker) {
    set_task({{"T", 0, -5000}, {"S", 0, 0, 0, 1000, 180}, {"TP", 0, 10000, 0, 800, 180}, {"F", 0, 20000, 0, 500, 360}});
    int iost = -1;
    write_json("s.json", iost);
    ASSERT_EQ(iost, 0);
    const json document = parsed("s.json");
    ASSERT_EQ(document.at("tasks").size(), 1u);
    EXPECT_EQ(signature(document.at("tasks")[0].at("legs")),
              (std::vector<std::string>{"P", "L1000", "P", "Q800", "P", "C500"}));
}

TEST_F(JsonWriter, SeeYouTaskLineByLine) {
    tarvex01.qcup_in = true;
    tarvex01.qfaisector = true;
    rd_fpl_0.nb_wp = 4;
    const float lat[] = {0.0f, 45.5f, 45.75f, 46.0f};
    const float lon[] = {0.0f, 6.25f, 6.5f, -6.125f};
    for (int n = 1; n < 4; ++n) {
        rd_fpl_1.tplat[n] = lat[n];
        rd_fpl_1.tplon[n] = lon[n];
    }
    RdCup1& cup = rd_cup_1;
    cup.cuprad[1][1] = 1000.4f;  // a line; no second zone
    cup.cupang[1][1] = 90.0f;
    cup.cuprad[1][2] = 10000.0f;  // FAI sector with a cylinder inside
    cup.cupang[1][2] = 45.0f;
    cup.cuprad[2][2] = 500.0f;
    cup.cupang[2][2] = 180.0f;
    cup.cuprad[1][3] = 2999.5f;  // cylinder
    cup.cupang[1][3] = 180.0f;
    int iost = -1;
    write_json("Cr\xEAte & \"co\".json", iost);
    ASSERT_EQ(iost, 0);
    const std::vector<std::string> head = {"      {", "         \"name\":\"Cr\xC3\xAAte & \\\"co\\\"\",",
                                           "         \"color\":\"0000FF\",", "         \"legs\":["};
    std::vector<std::string> lines = {"{", "   \"tasks\":["};
    const auto point = [&lines](const std::string& la, const std::string& lo) {
        for (const std::string& line : {std::string("            ["), "               " + la + ",",
                                        "               " + lo, std::string("            ]")}) {
            lines.push_back(line);
        }
    };
    const auto marker = [&lines](const std::string& kind, const std::string& radius, const std::string& closing) {
        for (const std::string& line : {std::string("            ,"), std::string("            ["),
                                        "               \"" + kind + "\",", "               " + radius,
                                        "            " + closing}) {
            lines.push_back(line);
        }
    };
    lines.insert(lines.end(), head.begin(), head.end());
    point("45.5", "6.25");
    marker("L", "1000", "],");
    point("45.75", "6.5");
    marker("C", "500", "],");
    point("46", "-6.125");
    marker("C", "3000", "]");
    lines.push_back("         ]");
    lines.push_back("      },");
    lines.insert(lines.end(), head.begin(), head.end());
    point("45.5", "6.25");
    marker("L", "1000", "],");
    point("45.75", "6.5");
    marker("Q", "10000", "],");
    point("46", "-6.125");
    marker("C", "3000", "]");
    for (const char* line : {"         ]", "      }", "   ]", "}"}) {
        lines.push_back(line);
    }
    std::string text;
    for (const std::string& line : lines) {
        text += line + "\r\n";
    }
    const std::string written = read_file("Cr\xC3\xAAte & \"co\".json");
    EXPECT_EQ(written, text);
    const json document = json::parse(written);
    EXPECT_EQ(document.at("tasks")[0].at("name"), "Cr\xC3\xAAte & \"co\"");
}

TEST_F(JsonWriter, EscapesStringsAndDrawsThirtyOnePoints) {
    EXPECT_EQ(json_string_text("a\"b\\c\x01"), "a\\\"b\\\\c\\u0001");
    std::vector<TestPoint> many;
    for (int n = 0; n < kTurnpointSlots; ++n) {
        const float step = static_cast<float>(n);
        many.push_back({"P", 3000.0f * step * (n % 2 == 0 ? 1.0f : -1.0f), 4000.0f * step, 0,
                        n % 2 == 0 ? 500 : 1000, n % 3 == 0 ? 180 : 360});
    }
    set_task(many);
    tarvex01.qfaisector = true;
    int iost = -1;
    write_json("many.json", iost);
    ASSERT_EQ(iost, 0);
    const json document = parsed("many.json");
    ASSERT_EQ(document.at("tasks").size(), 2u);
    const std::vector<std::string> second = signature(document.at("tasks")[1].at("legs"));
    EXPECT_EQ(second.back(), "Q2000");  // the finish has radius 500
    EXPECT_EQ(std::count(second.begin(), second.end(), "P"), 30);
}

}  // namespace

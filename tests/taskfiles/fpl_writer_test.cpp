#include "taskfiles/fpl_writer.h"

#include "output_fixture.h"

#include <algorithm>
#include <filesystem>
#include <string>
#include <vector>

namespace {

using tarvex_test::crlf;
using tarvex_test::TempDir;

const std::string kTemplate = crlf({
    "[Version]",
    "Condor version=2000",
    "",
    "[Task]",
    "Landscape=Old",
    "Count=2",
    "TPName0=Old0",
    "PZCount=1",
    "PZPos0X0=5",
    "DisabledAirspaces=3,4",
    "[Weather]",
    "WindDir=90   ",
    "[Plane]",
    "Name=ASW 20",
});

// The task section of the two points set by set_two_points, without the
// sector direction lines of Condor 3.
std::vector<std::string> two_point_section(bool condor3) {
    std::vector<std::string> lines = {
        "Landscape=Alps",  "Count=2",           "TPName0=Home",       "TPPosX0=1234.5",
        "TPPosY0=-2000.25", "TPPosZ0=300",      "TPAirport0=1",       "TPSectorType0=0",
        "TPRadius0=3000",  "TPAngle0=90",       "TPAltitude0=0",      "TPWidth0=0",
        "TPHeight0=0",     "TPAzimuth0=0",      "TPName1=Goal &lt;1&gt;", "TPPosX1=123456.703",
        "TPPosY1=0.5",     "TPPosZ1=1000.25",   "TPAirport1=0",       "TPSectorType1=1",
        "TPRadius1=500",   "TPAngle1=180",      "TPAltitude1=1500",   "TPWidth1=1000",
        "TPHeight1=400",   "TPAzimuth1=270",    "PZCount=0",          "DisabledAirspaces=",
    };
    if (condor3) {
        lines.insert(lines.begin() + 8, "TPSectorDirection0=0");
        lines.insert(lines.begin() + 21, "TPSectorDirection1=0");
    }
    return lines;
}

std::vector<std::string> concat(std::vector<std::vector<std::string>> parts) {
    std::vector<std::string> all;
    for (const auto& part : parts) {
        all.insert(all.end(), part.begin(), part.end());
    }
    return all;
}

class FplWriterTest : public tarvex_test::OutputTest {
protected:
    void SetUp() override {
        OutputTest::SetUp();
        inst00.condor_version = 2;
        set_two_points();
    }

    void set_two_points() {
        rd_fpl_0.nb_wp = 2;
        rd_fpl_2.landscape = "Alps";
        auto& tp = rd_fpl_1;
        rd_fpl_2.tpnam[0] = "Home";
        tp.tpx[0] = 1234.5f;
        tp.tpy[0] = -2000.25f;
        tp.tpz[0] = 300.0f;
        tp.tpair[0] = 1;
        tp.tpsec[0] = 0;
        tp.tprad[0] = 0;
        tp.tpang[0] = 0;
        rd_fpl_2.tpnam[1] = "Goal &lt;1&gt;";
        tp.tpx[1] = 123456.7f;
        tp.tpy[1] = 0.5f;
        tp.tpz[1] = 1000.25f;
        tp.tpair[1] = 0;
        tp.tpsec[1] = 1;
        tp.tprad[1] = 500;
        tp.tpang[1] = 180;
        tp.tpalt[1] = 1500.0f;
        tp.tpwid[1] = 1000.0f;
        tp.tphei[1] = 400.0f;
        tp.tpazi[1] = 270.0f;
    }

    int run() {
        int iost = -1;
        write_fpl("out.fpl", iost);
        return iost;
    }
};

TEST_F(FplWriterTest, TheTemplatesTaskSectionIsReplaced) {
    write("Template.fpl", kTemplate);
    EXPECT_EQ(run(), 0);
    EXPECT_EQ(read("out.fpl"), crlf(concat({
                                   {"[Version]", "Condor version=2000", "", "[Task]"},
                                   two_point_section(false),
                                   {"[Weather]", "WindDir=90", "[Plane]", "Name=ASW 20"},
                               })));
}

TEST_F(FplWriterTest, Condor3UsesItsTemplateAndWritesSectorDirections) {
    write("Template.fpl", "[Task]\r\nOld=1\r\n[Weather]\r\n");
    write("Template_V3.fpl", "[Task]\r\nOld=3\r\n[Weather]\r\n");
    inst00.condor_version = 3;
    EXPECT_EQ(run(), 0);
    EXPECT_EQ(read("out.fpl"), crlf(concat({{"[Task]"}, two_point_section(true), {"[Weather]"}})));
}

TEST_F(FplWriterTest, ATemplateThatCannotBeUsedWritesNothing) {
    write("out.fpl", "old plan");

    EXPECT_EQ(run(), kTemplateMissing);
    EXPECT_EQ(fpl_template_file(), "Template.fpl");
    EXPECT_EQ(read("out.fpl"), "old plan");

    write("Template.fpl", crlf({"[Version]", "[task]", "Count=1", "[Weather]"}));
    EXPECT_EQ(run(), kTemplateWithoutTask);
    EXPECT_EQ(read("out.fpl"), "old plan");
    EXPECT_TRUE(boxes.empty());
    reset_taskfiles_layer();  // the template's name goes with the run's records
    EXPECT_EQ(fpl_template_file(), "");
}

TEST_F(FplWriterTest, AnEmptyOrUnfinishedTaskSectionStillGetsTheTask) {
    write("Template.fpl", crlf({"[Task]   ", "[Weather]", "W=1"}));
    EXPECT_EQ(run(), 0);
    EXPECT_EQ(read("out.fpl"), crlf(concat({{"[Task]"}, two_point_section(false), {"[Weather]", "W=1"}})));

    write("Template.fpl", crlf({"[Version]", "[Task]"}));
    EXPECT_EQ(run(), 0);
    EXPECT_EQ(read("out.fpl"), crlf(concat({{"[Version]", "[Task]"}, two_point_section(false)})));

    // The task section runs to the end: old task lines are all dropped.
    write("Template.fpl", crlf({"[Task]", "Count=3", "PZCount=2"}));
    EXPECT_EQ(run(), 0);
    EXPECT_EQ(read("out.fpl"), crlf(concat({{"[Task]"}, two_point_section(false)})));
}

TEST_F(FplWriterTest, LinesOutsideTheTaskAreCopiedWhole) {
    const std::string long_line = "Text=" + std::string(400, 'x');
    write("Template.fpl", "[Task]\nOld=1\n[Weather]\n" + long_line + "   \nLast");
    EXPECT_EQ(run(), 0);
    EXPECT_EQ(read("out.fpl"), crlf(concat({{"[Task]"}, two_point_section(false), {"[Weather]", long_line, "Last"}})));
}

TEST_F(FplWriterTest, PointsRunFromZeroToTheLastOfTheCount) {
    write("Template.fpl", crlf({"[Task]", "x", "[Weather]"}));
    rd_fpl_0.nb_wp = 31;
    for (int i = 0; i <= 30; ++i) {
        rd_fpl_2.tpnam[i] = "P" + std::to_string(i);
    }
    EXPECT_EQ(run(), 0);
    const std::string text = read("out.fpl");
    EXPECT_NE(text.find("\r\nCount=31\r\n"), std::string::npos);
    EXPECT_NE(text.find("\r\nTPName30=P30\r\nTPPosX30=0\r\n"), std::string::npos);
    EXPECT_NE(text.find("\r\nTPAzimuth30=0\r\nPZCount=0\r\n"), std::string::npos);

    // A count beyond the tables writes the points there are.
    rd_fpl_0.nb_wp = 45;
    EXPECT_EQ(run(), 0);
    EXPECT_EQ(read("out.fpl"), text);
}

TEST_F(FplWriterTest, AChosenTemplateComesFromTheCondorFlightPlans) {
    inst00.cndrrootpath = "root\\";
    write("root/FlightPlans/mine.fpl", crlf({"[Task]", "x", "[Weather]", "Mine=1"}));
    write("Template.fpl", crlf({"[Task]", "x", "[Weather]", "Shipped=1"}));
    tarvex01.qtemplate = true;

    answer_dialogs({"mine.fpl"});
    EXPECT_EQ(run(), 0);
    EXPECT_NE(read("out.fpl").find("[Weather]\r\nMine=1\r\n"), std::string::npos);

    // A cancelled choice writes nothing.
    std::filesystem::remove(path("out.fpl"));
    answer_dialogs({});
    EXPECT_EQ(run(), kTemplateNotChosen);
    EXPECT_FALSE(exists("out.fpl"));

    // In console mode no dialog is shown: the shipped template is used.
    cmndta001.qline = true;
    EXPECT_EQ(run(), 0);
    EXPECT_NE(read("out.fpl").find("[Weather]\r\nShipped=1\r\n"), std::string::npos);
}

TEST_F(FplWriterTest, AnOutputThatCannotBeOpenedGivesItsStatus) {
    write("Template.fpl", kTemplate);
    std::filesystem::create_directory(path("out.fpl"));
    EXPECT_NE(run(), 0);
    EXPECT_TRUE(std::filesystem::is_directory(path("out.fpl")));
}

// The shipped templates: complete plans whose task section the writer can
// replace, with CR LF line ends.
TEST_F(FplWriterTest, TheShippedTemplatesHaveTheirShape) {
    const std::filesystem::path data = std::filesystem::path(TARVEX_SOURCE_DIR) / "data";
    for (const auto& [name, version] : {std::pair<std::string, int>{"Template.fpl", 2}, {"Template_V3.fpl", 3}}) {
        SCOPED_TRACE(name);
        const std::string bytes = TempDir::read(data / name);
        ASSERT_FALSE(bytes.empty());
        std::vector<std::string> lines;
        std::size_t start = 0;
        for (std::size_t end = bytes.find('\n'); end != std::string::npos; end = bytes.find('\n', start)) {
            ASSERT_GT(end, start);
            ASSERT_EQ(bytes[end - 1], '\r');
            lines.push_back(bytes.substr(start, end - 1 - start));
            start = end + 1;
        }
        EXPECT_EQ(start, bytes.size());  // the last line is ended too

        const auto at = [&](const std::string& line) {
            return std::find(lines.begin(), lines.end(), line) - lines.begin();
        };
        const auto task = at("[Task]");
        const auto weather = at("[Weather]");
        ASSERT_LT(task, static_cast<long>(lines.size()));
        ASSERT_LT(weather, static_cast<long>(lines.size()));
        EXPECT_GT(weather, task + 1);  // at least one task line between them
        EXPECT_LT(at("Condor version=" + std::to_string(version * 1000)), task);
        EXPECT_GT(at("[Plane]"), weather);

        std::filesystem::copy_file(data / name, path(name));
        inst00.condor_version = version;
        EXPECT_EQ(run(), 0);
        const std::string out = read("out.fpl");
        const std::string section = crlf(concat({{"[Task]"}, two_point_section(version == 3), {"[Weather]"}}));
        EXPECT_NE(out.find(section), std::string::npos);
        EXPECT_EQ(out.substr(out.find("[Weather]")), bytes.substr(bytes.find("[Weather]")));
    }
}

}  // namespace

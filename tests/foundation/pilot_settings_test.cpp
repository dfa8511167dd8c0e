#include "foundation/layer_reset.h"
#include "foundation/log.h"
#include "foundation/pilot_settings.h"

#include "support/temp_dir.h"

#include <gtest/gtest.h>

#include <string>

using tarvex_test::ScopedCwd;
using tarvex_test::TempDir;

namespace {

class PilotSettingsTest : public testing::Test {
protected:
    PilotSettingsTest() : cwd_(dir_.path()) {
        reset_foundation_layer();
        reset_log();
    }
    ~PilotSettingsTest() override {
        reset_foundation_layer();
        reset_log();
    }
    TempDir dir_;
    ScopedCwd cwd_;
};

}  // namespace

TEST_F(PilotSettingsTest, ReadsTheOptionsSection) {
    dir_.write("Setup.ini",
               "[General]\r\nUnits=2\r\nAveragerTimeConstant=9\r\n[Options]\r\nUnits=1\r\nAltimeterSetting=1013\r\n"
               "AveragerTimeConstant=2\r\nOther=5\r\n");
    EXPECT_EQ(read_settings("Setup.ini", false), 0);
    EXPECT_EQ(rdstng00.nunit_cndr, 1);
    EXPECT_EQ(rdstng00.altsttng, 1013);
    EXPECT_EQ(rdstng00.tau_int, 15.0f);
}

TEST_F(PilotSettingsTest, KeysBeforeTheSectionAreIgnored) {
    dir_.write("Setup.ini", "Units=1\nAltimeterSetting=2\n[Options]\nFoo=bar\n");
    EXPECT_EQ(read_settings("Setup.ini", false), 0);
    EXPECT_EQ(rdstng00.nunit_cndr, 0);
    EXPECT_EQ(rdstng00.altsttng, 0);
    EXPECT_EQ(rdstng00.tau_int, 0.0f);
}

TEST_F(PilotSettingsTest, LaterSectionsAndBadValues) {
    rdstng00.altsttng = 7;
    dir_.write("Setup.ini",
               "[Options]\nUnits=abc\nAltimeterSetting=\n[Later]\nUnits = 1\nunits=0\nAveragerTimeConstant=2147483647\n"
               " [Options]\n");
    EXPECT_EQ(read_settings("Setup.ini", false), 0);
    EXPECT_EQ(rdstng00.nunit_cndr, 1);  // from the later section; "units" is another key
    EXPECT_EQ(rdstng00.altsttng, 7);    // blank value leaves it
    EXPECT_FLOAT_EQ(rdstng00.tau_int, 2147483648.0f * 5.0f);  // no integer overflow
}

TEST_F(PilotSettingsTest, SectionLineMustBeExact) {
    dir_.write("a.ini", " [Options]\nUnits=1\n");
    EXPECT_EQ(read_settings("a.ini", false), 0);
    EXPECT_EQ(rdstng00.nunit_cndr, 0);
    dir_.write("b.ini", "[Options]   \nUnits=1\n");  // trailing blanks do not count
    EXPECT_EQ(read_settings("b.ini", false), 0);
    EXPECT_EQ(rdstng00.nunit_cndr, 1);
    // A line longer than 120 characters is cut: its value is lost.
    rdstng00.nunit_cndr = 0;
    dir_.write("c.ini", "[Options]\nUnits=" + std::string(120, ' ') + "1\n");
    EXPECT_EQ(read_settings("c.ini", false), 0);
    EXPECT_EQ(rdstng00.nunit_cndr, 0);
}

TEST_F(PilotSettingsTest, MissingFileLeavesTheRecord) {
    rdstng00.nunit_cndr = 3;
    EXPECT_GT(read_settings("missing.ini", true), 0);
    EXPECT_EQ(rdstng00.nunit_cndr, 3);
    const std::string log = TempDir::read(dir_.path() / "Logfile.txt");
    EXPECT_NE(log.find("missing.ini"), std::string::npos);
    EXPECT_NE(log.find("OPEN 2"), std::string::npos);  // ENOENT

    dir_.write("ok.ini", "[Options]\n");
    EXPECT_EQ(read_settings("ok.ini", true), 0);
    EXPECT_NE(TempDir::read(dir_.path() / "Logfile.txt").find("OPEN 0"), std::string::npos);
}

#include "taskfiles/acf_writer.h"

#include "foundation/log.h"
#include "foundation/message_records.h"
#include "foundation/messages.h"
#include "foundation/unwritten_files.h"
#include "taskfiles/task_model.h"
#include "writer_support.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

using tarvex_test::WriterTest;

class AcfWriter : public WriterTest {
protected:
    void SetUp() override {
        WriterTest::SetUp();
        reset_log();
        set_message_box([this](const std::string&, const std::string& text, int& status) {
            shown.push_back(text);
            statuses.push_back(status);
        });
        ggg001.glider = "ASW 28";
        ggg001.glclass = "Standard";
    }
    void TearDown() override {
        set_message_box(nullptr);
        reset_log();
        WriterTest::TearDown();
    }

    std::vector<std::string> shown;
    std::vector<int> statuses;
};

const std::string kHead =
    "### LK8000 AICRAFT PROFILE - DO NOT EDIT\r\n"
    "### THIS FILE IS ENCODED IN UTF8\r\n"
    "LKVERSION=\"7.0\"\r\n"
    "PROFILEVERSION=2\r\n"
    "AircraftCategory1=0\r\n";

TEST_F(AcfWriter, AircraftFileFromAQuotedPlaneFile) {
    dir().write("ASW 28.xcp",
                "Registration=\"D-1234\"\r\nType=\"ASW 28\"\r\nHandicap=\"108\"\r\nPolarName=\"ASW 28\"\r\n"
                "MaxBallast=\"200\"\r\nDumpTime=\"90.000000\"\r\nMaxSpeed=\"75.000000\"\r\n");
    int iosf = -1;
    write_acf("DEFAULT_AIRCRAFT.acf", "ASW 28.xcp", "ASW 28", iosf);
    EXPECT_EQ(iosf, 0);
    EXPECT_EQ(read_file("DEFAULT_AIRCRAFT.acf"),
              kHead +
                  "PolarFile1=\"ASW 28.plr\"\r\n"
                  "SafteySpeed1=75000\r\n"
                  "Handicap1=108\r\n"
                  "BallastSecsToEmpty1=90\r\n"
                  "AircraftType1=\"ASW 28\"\r\n"
                  "AircraftRego1=\" \"\r\n"
                  "CompetitionClass1=\"Standard\"\r\n"
                  "CompetitionID1=\" \"\r\n");
    EXPECT_TRUE(shown.empty());
}

TEST_F(AcfWriter, UnquotedValuesRealDumpTimeAndMissingKeys) {
    ggg001.glider = "Disc\xF9s";
    dir().write("p.xcp", "MaxSpeed = 69.44\nHandicap=100\nDumpTime=120.6\n");
    int iosf = -1;
    write_acf("a.acf", "p.xcp", "Discus-FXB", iosf);
    EXPECT_EQ(iosf, 0);
    const std::string written = read_file("a.acf");
    EXPECT_NE(written.find("PolarFile1=\"Discus-FXB.plr\"\r\nSafteySpeed1=69440\r\nHandicap1=100\r\n"
                           "BallastSecsToEmpty1=121\r\nAircraftType1=\"Disc\xC3\xB9s\"\r\n"),
              std::string::npos)
        << written;

    // A key the plane file lacks leaves its line out; an unreadable value
    // ends the reading.
    dir().write("p.xcp", "Handicap=\"abc\"\nMaxSpeed=\"70\"\n");
    write_acf("a.acf", "p.xcp", "G", iosf);
    EXPECT_EQ(iosf, 0);
    EXPECT_EQ(read_file("a.acf"), kHead +
                                      "PolarFile1=\"G.plr\"\r\n"
                                      "AircraftType1=\"Disc\xC3\xB9s\"\r\n"
                                      "AircraftRego1=\" \"\r\n"
                                      "CompetitionClass1=\"Standard\"\r\n"
                                      "CompetitionID1=\" \"\r\n");
}

TEST_F(AcfWriter, ReadsOnlyTheThreeKeysExactly) {
    dir().write("p.xcp", "handicap=\"90\"\nHandicapX=\"91\"\nMaxSpeed=\"\"\nHandicap=\"95\"\n");
    PlaneFileValues values;
    ASSERT_TRUE(read_plane_file("p.xcp", values));
    EXPECT_FALSE(values.handicap);  // the empty MaxSpeed ended the reading
    EXPECT_FALSE(values.max_speed);

    dir().write("p.xcp", "Handicap : 97\n" + std::string(130, 'x') + "\nDumpTime=\"45\"");
    values = {};
    ASSERT_TRUE(read_plane_file("p.xcp", values));
    EXPECT_EQ(values.handicap, 97);
    EXPECT_EQ(values.dump_time, 45);
    EXPECT_FALSE(values.max_speed);
    EXPECT_FALSE(read_plane_file("missing.xcp", values));
}

TEST_F(AcfWriter, MissingPlaneFileWarnsAndWritesNothing) {
    int iosf = -1;
    write_acf("a.acf", "C:\\nowhere\\G.xcp", "G", iosf);
    EXPECT_EQ(iosf, 1);
    EXPECT_FALSE(std::filesystem::exists(dir().path() / "a.acf"));
    ASSERT_EQ(shown.size(), 1u);
    EXPECT_EQ(shown[0], "C:\\nowhere\\G.xcp\nError opening\nNo .acf file created");
    EXPECT_EQ(statuses[0], 2);
    EXPECT_NE(read_file("Logfile.txt").find("No .acf file created"), std::string::npos);

    cmndta001.qfr = true;
    write_acf("a.acf", "G.xcp", "G", iosf);
    ASSERT_EQ(shown.size(), 2u);
    EXPECT_EQ(shown[1], "G.xcp\nOuverture impossible\nLe fichier .acf ne sera pas cr\xE9\xE9");
}

TEST_F(AcfWriter, UnwritableAircraftFileGivesItsStatus) {
    dir().write("p.xcp", "Handicap=100\n");
    int iosf = -1;
    write_acf("no such folder\\a.acf", "p.xcp", "G", iosf);
    EXPECT_GT(iosf, 0);
    // Told, naming the file, and noted as not written.
    ASSERT_EQ(shown.size(), 1u);
    EXPECT_EQ(shown[0], "Error writing: \n no such folder\\a.acf");
    EXPECT_EQ(unwritten_files.names, std::vector<std::string>{"no such folder\\a.acf"});
}

}  // namespace

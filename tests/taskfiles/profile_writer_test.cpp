#include "taskfiles/profile_writer.h"

#include "output_fixture.h"

#include <filesystem>
#include <string>

namespace {

using tarvex_test::crlf;

class ProfileTest : public tarvex_test::OutputTest {
protected:
    void SetUp() override {
        OutputTest::SetUp();
        rd_fpl_2.landscape = "Alps";
        rd_fpl_0.nvcnd = 2;
        ggg001.glider = "LS8";
        rd_fpl_6.start_max_speed = 150;
        tarvex_c.xcsoar_root = "xcs";
        std::filesystem::create_directory(path("xcs"));
        std::filesystem::create_directory(path("lk"));
    }

    // The XCSoar map list knows the landscape: no dialog.
    void known_xcsoar_map() { write("Tarvex_maps.txt", crlf({"Alps=Alps.xcm"})); }
    void known_lk8000_map() { write("Tarvex_LK8000_maps.txt", crlf({"Alps=ALPS.LKM,ALPS.DEM"})); }
    void use_lk8000() {
        tarvex01.qxcs = false;
        tarvex01.qlk8000 = true;
    }

    int run_xcsoar(std::string& selpol) {
        int iosp = -1;
        write_prf("Condor.prf", "C:\\XCSoarData\\CondorAirspace.txt", selpol, iosp);
        return iosp;
    }
    int run_xcsoar() {
        std::string selpol = "unchanged";
        return run_xcsoar(selpol);
    }
    int run_lk8000() {
        int iosp = -1;
        write_prf_lk8000("LK.prf", "lk", "C:\\LK8000\\_Airspaces\\CondorAirspace.txt", "lk", iosp);
        return iosp;
    }
};

TEST_F(ProfileTest, XcsoarKeysAreReplacedAndEverythingElseKeptWhole) {
    known_xcsoar_map();
    const std::string long_line = "LongKey=\"" + std::string(200, 'v') + "\"";
    const std::string before = crlf({
        "AirspaceFile=\"old.txt\"",
        "  PlanePath=\"old.xcp\"",
        "MapFile=\"old.xcm\"",
        "WPFile=\"old.cup\"",
        "StartMaxSpeed=\"40\"",
        "OtherKey=\"kept\"   ",
        long_line,
        "no key on this line",
        "",
        "MapFileX=\"not the map\"",
    });
    write("Condor.prf", before);
    gggmas.fmass = 10.0f;
    std::string selpol = "unchanged";
    EXPECT_EQ(run_xcsoar(selpol), 0);
    EXPECT_EQ(read("Condor.prf"), crlf({
                                      "AirspaceFile=\"\"",
                                      "PlanePath=\"%LOCAL_PATH%\\Polars\\LS8-FXB.xcp\"",
                                      "MapFile=\"%LOCAL_PATH%\\Alps.xcm\"",
                                      "WPFile=\"%LOCAL_PATH%\\Alps.cup\"",
                                      "StartMaxSpeed=\"41.667\"",
                                      "OtherKey=\"kept\"",
                                      long_line,
                                      "no key on this line",
                                      "",
                                      "MapFileX=\"not the map\"",
                                  }));
    EXPECT_EQ(read("Condor.prf.bak"), before);
    EXPECT_EQ(selpol, "Polars\\LS8-FXB.xcp");
    EXPECT_TRUE(boxes.empty());
}

TEST_F(ProfileTest, XcsoarValuesFollowTheOptionsAndTheTask) {
    known_xcsoar_map();
    const std::string before = crlf({"AirspaceFile=\"\"", "PlanePath=\"\"", "MapFile=\"\"", "StartMaxSpeed=\"\""});

    // A penalty zone gives an airspace file; polars and maps in the data folder.
    write("Condor.prf", before);
    rd_fpl_0.nb_pz = 1;
    tarvex01.qpolfold = false;
    tarvex01.qmapfold = true;
    rd_fpl_6.start_max_speed = 0;
    std::string selpol;
    EXPECT_EQ(run_xcsoar(selpol), 0);
    EXPECT_EQ(read("Condor.prf"), crlf({
                                      "AirspaceFile=\"%LOCAL_PATH%\\CondorAirspace.txt\"",
                                      "PlanePath=\"%LOCAL_PATH%\\LS8.xcp\"",
                                      "MapFile=\"%LOCAL_PATH%\\Maps\\Alps.xcm\"",
                                      "StartMaxSpeed=\"0\"",
                                  }));
    EXPECT_EQ(selpol, "LS8.xcp");

    // A Condor 3 plan always has one (the landscape's airspace).
    write("Condor.prf", before);
    rd_fpl_0.nb_pz = 0;
    rd_fpl_0.nvcnd = 3;
    EXPECT_EQ(run_xcsoar(), 0);
    EXPECT_EQ(read("Condor.prf").substr(0, 50), "AirspaceFile=\"%LOCAL_PATH%\\CondorAirspace.txt\"\r\nPl");
}

TEST_F(ProfileTest, AProfileWithoutTheKeysGetsNoneAdded) {
    known_xcsoar_map();
    write("Condor.prf", crlf({"A=\"1\"", "B=\"2\""}));
    std::string selpol = "unchanged";
    EXPECT_EQ(run_xcsoar(selpol), 0);
    EXPECT_EQ(read("Condor.prf"), crlf({"A=\"1\"", "B=\"2\""}));
    EXPECT_EQ(selpol, "unchanged");
}

TEST_F(ProfileTest, AMissingProfileStartsFromTheDefaultProfile) {
    known_xcsoar_map();
    write("xcs/default.prf", "WPFile=\"x\"\nPilot=\"me\"\n");
    EXPECT_EQ(run_xcsoar(), 0);
    EXPECT_EQ(read("Condor.prf"), crlf({"WPFile=\"%LOCAL_PATH%\\Alps.cup\"", "Pilot=\"me\""}));
    EXPECT_FALSE(exists("Condor.prf.bak"));
    EXPECT_EQ(read("xcs/default.prf"), "WPFile=\"x\"\nPilot=\"me\"\n");
}

TEST_F(ProfileTest, NoProfileAndNoDefaultProfileIsReported) {
    known_xcsoar_map();
    EXPECT_EQ(run_xcsoar(), kProfileNotRead);
    EXPECT_FALSE(exists("Condor.prf"));
    ASSERT_EQ(boxes.size(), 2u);
    EXPECT_EQ(boxes[0], "Tarvex|*** File not found\n xcs\\profiles\\default.prf\n xcs\\default.prf");
    EXPECT_EQ(boxes[1], "Tarvex|Error writing: \n Condor.prf");
    const std::string log = log_text();
    EXPECT_NE(log.find("*** File not found"), std::string::npos);
    EXPECT_NE(log.find("Error writing:"), std::string::npos);

    boxes.clear();
    cmndta001.qfr = true;
    EXPECT_EQ(run_xcsoar(), kProfileNotRead);
    ASSERT_EQ(boxes.size(), 2u);
    EXPECT_EQ(boxes[0], "Tarvex|*** Fichier non trouv\xE9 : \n xcs\\profiles\\default.prf\n xcs\\default.prf");
    EXPECT_EQ(boxes[1], "Tarvex|*** Erreur d'\xE9" "criture : \n Condor.prf");
}

TEST_F(ProfileTest, AProfileThatCannotBeWrittenIsReportedAndItsContentKept) {
    known_xcsoar_map();
    // The profile is a folder's name: it cannot be read as a profile, and the
    // default profile cannot be written over it either.
    std::filesystem::create_directory(path("Condor.prf"));
    write("xcs/default.prf", "A=\"1\"\n");
    EXPECT_NE(run_xcsoar(), 0);
    ASSERT_EQ(boxes.size(), 1u);
    EXPECT_EQ(boxes[0], "Tarvex|Error writing: \n Condor.prf");
    EXPECT_TRUE(std::filesystem::is_directory(path("Condor.prf")));
}

TEST_F(ProfileTest, AFailedBackupNeverLosesTheProfile) {
    known_xcsoar_map();
    const std::string before = crlf({"WPFile=\"old.cup\"", "Pilot=\"me\""});
    write("Condor.prf", before);
    std::filesystem::create_directory(path("Condor.prf.bak"));  // the copy cannot be made
    EXPECT_EQ(run_xcsoar(), EISDIR);
    // Not rewritten without its backup.
    EXPECT_EQ(read("Condor.prf"), before);
    ASSERT_EQ(boxes.size(), 2u);
    EXPECT_EQ(boxes[0], "Tarvex|*** Backup copy failed: \n Condor.prf.bak");
    EXPECT_EQ(boxes[1], "Tarvex|Error writing: \n Condor.prf");
    EXPECT_NE(log_text().find("Backup copy failed"), std::string::npos);
    EXPECT_EQ(unwritten_files.names, (std::vector<std::string>{"Condor.prf.bak", "Condor.prf"}));

    // A stale backup is never read back: the profile's own content is.
    std::filesystem::remove(path("Condor.prf.bak"));
    write("Condor.prf.bak", crlf({"Stale=\"1\""}));
    write("Condor.prf", crlf({"Fresh=\"2\""}));
    EXPECT_EQ(run_xcsoar(), 0);
    EXPECT_EQ(read("Condor.prf"), crlf({"Fresh=\"2\""}));
    EXPECT_EQ(read("Condor.prf.bak"), crlf({"Fresh=\"2\""}));
}

TEST_F(ProfileTest, AFailedRewriteKeepsTheOldProfile) {
    known_xcsoar_map();
    // LF line ends, no final line end: the backup holds the bytes as read.
    const std::string before = "WPFile=\"old.cup\"\nPilot=\"me\"";
    for (const FileStep step : {FileStep::create, FileStep::write, FileStep::flush, FileStep::rename}) {
        SCOPED_TRACE(static_cast<int>(step));
        write("Condor.prf", before);
        boxes.clear();
        arm_file_fault({step, 1, "Condor.prf", ENOSPC});
        EXPECT_EQ(run_xcsoar(), ENOSPC);
        EXPECT_EQ(read("Condor.prf"), before);
        EXPECT_EQ(read("Condor.prf.bak"), before);
        EXPECT_TRUE(temporary_files().empty());
        ASSERT_EQ(boxes.size(), 1u);
        EXPECT_EQ(boxes[0], "Tarvex|Error writing: \n Condor.prf");
    }
    // Read-only: refused, and the file stays as it is.
    std::filesystem::permissions(path("Condor.prf"), std::filesystem::perms::owner_read);
    EXPECT_EQ(run_xcsoar(), EACCES);
    EXPECT_EQ(read("Condor.prf"), before);
    std::filesystem::permissions(path("Condor.prf"), std::filesystem::perms::owner_all);
}

TEST_F(ProfileTest, AnEmptyProfileNeverReplacesAGoodBackup) {
    known_xcsoar_map();
    const std::string good = crlf({"WPFile=\"old.cup\"", "Pilot=\"me\""});
    write("Condor.prf.bak", good);
    write("Condor.prf", "");  // left so by a rewrite killed half way
    EXPECT_EQ(run_xcsoar(), 0);
    EXPECT_EQ(read("Condor.prf.bak"), good);
    EXPECT_EQ(read("Condor.prf"), "");
}

TEST_F(ProfileTest, AnUnknownLandscapeAsksForTheMapAndRecordsIt) {
    write("Condor.prf", crlf({"MapFile=\"\""}));
    write("xcs/Alps-1.xcm", "map");
    answer_dialogs({"Alps-1.xcm"});
    EXPECT_EQ(run_xcsoar(), 0);
    EXPECT_EQ(read("Condor.prf"), crlf({"MapFile=\"%LOCAL_PATH%\\Alps-1.xcm\""}));
    EXPECT_EQ(tarvex_c.mapname, "Alps-1.xcm");
    EXPECT_NE(read("Tarvex_maps.txt").find("\r\nAlps=Alps-1.xcm\r\n"), std::string::npos);
}

TEST_F(ProfileTest, ACancelledMapDialogRecordsNothing) {
    write("Condor.prf", crlf({"MapFile=\"\""}));
    EXPECT_EQ(run_xcsoar(), 0);  // no answer: the dialog is cancelled
    EXPECT_EQ(read("Condor.prf"), crlf({"MapFile=\"%LOCAL_PATH%\\\""}));
    EXPECT_FALSE(exists("Tarvex_maps.txt"));

    tarvex01.qmapfold = true;
    EXPECT_EQ(run_xcsoar(), 0);
    EXPECT_EQ(read("Condor.prf"), crlf({"MapFile=\"%LOCAL_PATH%\\Maps\\\""}));
}

TEST_F(ProfileTest, AskingAlwaysKeepsTheKnownMapWhenCancelled) {
    known_xcsoar_map();
    tarvex01.qmapalways = true;
    write("Condor.prf", crlf({"MapFile=\"\""}));
    EXPECT_EQ(run_xcsoar(), 0);
    EXPECT_EQ(read("Condor.prf"), crlf({"MapFile=\"%LOCAL_PATH%\\Alps.xcm\""}));

    write("xcs/Other.xcm", "map");
    answer_dialogs({"Other.xcm"});
    EXPECT_EQ(run_xcsoar(), 0);
    EXPECT_EQ(read("Condor.prf"), crlf({"MapFile=\"%LOCAL_PATH%\\Other.xcm\""}));
    EXPECT_EQ(read("Tarvex_maps.txt"), crlf({"Alps=Other.xcm"}));
}

TEST_F(ProfileTest, Lk8000KeysAreReplaced) {
    use_lk8000();
    known_lk8000_map();
    const std::string before = crlf({
        "AirspaceFile=\"old.txt\"",
        "MapFile=\"old.LKM\"",
        "TerrainFile=\"old.DEM\"",
        "WPFile=\"old.cup\"",
        "PlanePath=\"kept.xcp\"",
        "StartMaxSpeed=\"kept\"",
    });
    write("LK.prf", before);
    rd_fpl_0.nb_pz = 2;
    EXPECT_EQ(run_lk8000(), 0);
    EXPECT_EQ(read("LK.prf"), crlf({
                                  "AirspaceFile=\"CondorAirspace.txt\"",
                                  "MapFile=\"ALPS.LKM\"",
                                  "TerrainFile=\"ALPS.DEM\"",
                                  "WPFile=\"Alps.cup\"",
                                  "PlanePath=\"kept.xcp\"",
                                  "StartMaxSpeed=\"kept\"",
                              }));
    EXPECT_EQ(read("LK.prf.bak"), before);

    // Without penalty zones a Condor 2 plan has no airspace file; the default
    // profile comes from the destination folder.
    std::filesystem::remove(path("LK.prf"));
    write("lk/DEFAULT_PROFILE.prf", crlf({"AirspaceFile=\"x\""}));
    rd_fpl_0.nb_pz = 0;
    EXPECT_EQ(run_lk8000(), 0);
    EXPECT_EQ(read("LK.prf"), crlf({"AirspaceFile=\"\""}));
}

// Both programs read their profiles as UTF-8: the values set are written so
// (the program's own texts are cp1252), the lines not set keep their bytes.
TEST_F(ProfileTest, ValuesSetAreUtf8AndOtherLinesKeepTheirBytes) {
    rd_fpl_0.nb_pz = 1;
    rd_fpl_2.landscape = "Pr\xE9" "alpes";
    ggg001.glider = "Ka\xEF";
    write("Tarvex_maps.txt", crlf({"Pr\xE9" "alpes=Pr\xE9" "alpes.xcm"}));
    const std::string pilot = "PilotName=\"J\xC3\xA9r\xC3\xB4me\"";  // UTF-8 already
    write("Condor.prf", crlf({"AirspaceFile=\"\"", "PlanePath=\"\"", "MapFile=\"\"", "WPFile=\"\"", pilot}));
    int iosp = -1;
    std::string selpol;
    write_prf("Condor.prf", "C:\\XCSoarData\\A\xE9rien.txt", selpol, iosp);
    EXPECT_EQ(iosp, 0);
    EXPECT_EQ(read("Condor.prf"), crlf({"AirspaceFile=\"%LOCAL_PATH%\\A\xC3\xA9rien.txt\"",
                                        "PlanePath=\"%LOCAL_PATH%\\Polars\\Ka\xC3\xAF.xcp\"",
                                        "MapFile=\"%LOCAL_PATH%\\Pr\xC3\xA9" "alpes.xcm\"",
                                        "WPFile=\"%LOCAL_PATH%\\Pr\xC3\xA9" "alpes.cup\"", pilot}));

    use_lk8000();
    write("Tarvex_LK8000_maps.txt", crlf({"Pr\xE9" "alpes=PR\xC9.LKM,PR\xC9.DEM"}));
    write("LK.prf", crlf({"AirspaceFile=\"\"", "MapFile=\"\"", "TerrainFile=\"\"", "WPFile=\"\"", pilot}));
    write_prf_lk8000("LK.prf", "lk", "C:\\LK8000\\_Airspaces\\A\xE9rien.txt", "lk", iosp);
    EXPECT_EQ(iosp, 0);
    EXPECT_EQ(read("LK.prf"), crlf({"AirspaceFile=\"A\xC3\xA9rien.txt\"", "MapFile=\"PR\xC3\x89.LKM\"",
                                    "TerrainFile=\"PR\xC3\x89.DEM\"", "WPFile=\"Pr\xC3\xA9" "alpes.cup\"", pilot}));
}

// XCSoar 7.45 keeps its profiles in "profiles": looked for there first, a
// new profile made beside the default profile.
TEST_F(ProfileTest, XcsoarProfilesAreLookedForInTheProfilesFolderFirst) {
    write("xcs/default.prf", "A=\"1\"\n");
    EXPECT_EQ(xcsoar_profile_file("xcs", "Condor.prf"), "xcs\\Condor.prf");
    std::filesystem::create_directory(path("xcs/Profiles"));
    write("xcs/Profiles/DEFAULT.prf", "B=\"2\"\n");
    EXPECT_EQ(xcsoar_default_profile("xcs"), "xcs\\profiles\\default.prf");
    EXPECT_EQ(xcsoar_profile_file("xcs", "Condor.prf"), "xcs\\profiles\\Condor.prf");
    write("xcs/Condor.prf", "C=\"3\"\n");
    EXPECT_EQ(xcsoar_profile_file("xcs", "Condor.prf"), "xcs\\Condor.prf");
}

TEST_F(ProfileTest, Lk8000AsksForMapAndTerrainAndRecordsTheChosenPair) {
    use_lk8000();
    write("LK.prf", crlf({"MapFile=\"\"", "TerrainFile=\"\""}));
    write("lk/ALPS.LKM", "map");
    write("lk/ALPS.DEM", "dem");
    answer_dialogs({"ALPS.LKM", "ALPS.DEM"});
    EXPECT_EQ(run_lk8000(), 0);
    EXPECT_EQ(read("LK.prf"), crlf({"MapFile=\"ALPS.LKM\"", "TerrainFile=\"ALPS.DEM\""}));
    EXPECT_NE(read("Tarvex_LK8000_maps.txt").find("\r\nAlps=ALPS.LKM,ALPS.DEM\r\n"), std::string::npos);
}

TEST_F(ProfileTest, Lk8000RecordsNothingWithoutBothFiles) {
    use_lk8000();
    write("LK.prf", crlf({"MapFile=\"\"", "TerrainFile=\"\""}));
    write("lk/ALPS.LKM", "map");
    tarvex_c.terrainname = "FROM_AN_EARLIER_LOOKUP.DEM";
    // The map is chosen; the terrain dialog is cancelled (Escape, then the
    // key that closes the error box).
    answer_dialogs({"ALPS.LKM", "\x1b", ""});
    EXPECT_EQ(run_lk8000(), 0);
    EXPECT_EQ(read("LK.prf"), crlf({"MapFile=\"ALPS.LKM\"", "TerrainFile=\"\""}));
    EXPECT_FALSE(exists("Tarvex_LK8000_maps.txt"));
}

TEST_F(ProfileTest, Lk8000AskingAlwaysDoesNotRecordAKnownLandscape) {
    use_lk8000();
    known_lk8000_map();
    tarvex01.qmapalways = true;
    write("LK.prf", crlf({"MapFile=\"\"", "TerrainFile=\"\""}));
    write("lk/NEW.LKM", "map");
    write("lk/NEW.DEM", "dem");
    answer_dialogs({"NEW.LKM", "NEW.DEM"});
    EXPECT_EQ(run_lk8000(), 0);
    EXPECT_EQ(read("LK.prf"), crlf({"MapFile=\"NEW.LKM\"", "TerrainFile=\"NEW.DEM\""}));
    EXPECT_EQ(read("Tarvex_LK8000_maps.txt"), crlf({"Alps=ALPS.LKM,ALPS.DEM"}));
}

}  // namespace

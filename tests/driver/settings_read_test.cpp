#include "driver/settings_file.h"

#include "driver_fixture.h"

#include <gtest/gtest.h>

#include <chrono>
#include <filesystem>
#include <string>
#include <vector>

using tarvex_test::crlf;
using tarvex_test::DriverTest;
using tarvex_test::RunStopped;

namespace {

class SettingsRead : public DriverTest {
protected:
    SettingsRead() {
        tarvex_c.inifile = program_folder() + "Tarvex.ini";
        inst00.instpath2 = "C:\\Condor2";
        inst00.instpath3 = "C:\\Condor3";
        inst00.condor_version = 3;
    }
    int read_file(const std::vector<std::string>& lines) {
        write("Tarvex.ini", crlf(lines));
        return read_ini(qverb, cmndta001.qline, qaat_0, qwrnc1, nv1);
    }

    bool qverb = false;
    bool qaat_0 = false;
    bool qwrnc1 = true;
    int nv1 = -1;
};

TEST_F(SettingsRead, ThreeLineFile) {
    EXPECT_EQ(read_file({"Tarvex Version=4400", "Condor 2 Path=AUTO", "XCsoar Destination Path=C:\\XCSoarData\\Tasks"}),
              kSettingsRead);
    EXPECT_EQ(nv1, 4400);
    EXPECT_TRUE(tarvex01.qauto_c2_inst);
    EXPECT_EQ(tarvex_c.xcsoar_tasks, "C:\\XCSoarData\\Tasks");
    EXPECT_EQ(tarvex_c.lk8000_tasks, "XXXXX");
    EXPECT_EQ(tarvex_c.seeyou_tasks, "XXXXX");
    // The install folder follows the active Condor.
    EXPECT_EQ(inst00.cndrinstpath, "C:\\Condor3");
    EXPECT_TRUE(boxes.empty());
    // Switches the file does not name are left alone, and settings it does
    // not name keep their defaults.
    EXPECT_FALSE(qverb);
    EXPECT_FALSE(qaat_0);
    EXPECT_TRUE(qwrnc1);
    EXPECT_EQ(tarvex_c.defpath, "AUTO");
    EXPECT_TRUE(tarvex01.qauto_defpath);
    EXPECT_EQ(tarvex01.maxtaskmargin, 37);
}

TEST_F(SettingsRead, MissingData) {
    EXPECT_EQ(read_file({"Tarvex Version=4400"}), kSettingsMissingData);
    ASSERT_EQ(boxes.size(), 1u);
    EXPECT_EQ(boxes[0].status, 1);
    EXPECT_EQ(boxes[0].text, "*** File " + tarvex_c.inifile + ": missing data ***");
    EXPECT_TRUE(logged(": missing data ***"));

    reset_option_records();
    tarvex_c.inifile = program_folder() + "Tarvex.ini";
    boxes.clear();
    EXPECT_EQ(read_file({"Tarvex Version=4400", "Condor 2 Path=XXXXX", "SeeYou Destination Path=D:\\SeeYou"}),
              kSettingsMissingData);
    // The version is there, but the caller must renew the file.
    EXPECT_EQ(nv1, 4400);

    // A blank destination is not missing.
    reset_option_records();
    tarvex_c.inifile = program_folder() + "Tarvex.ini";
    EXPECT_EQ(read_file({"Tarvex Version=4400", "XCsoar Destination Path="}), kSettingsRead);
    EXPECT_EQ(tarvex_c.xcsoar_tasks, "");
}

TEST_F(SettingsRead, EveryKey) {
    const std::string long_path = "D:\\" + std::string(240, 'p');
    const int result = read_file({
        "# comment line",
        "",
        "Tarvex Version=4401",
        "Target=lk8000",
        "Condor 1 Path=C:\\Condor",
        "Condor 2 Path=E:\\Games\\Condor2",
        "Condor root folder=E:\\Docs\\Condor",
        "XCsoar Destination Path=" + long_path,
        "LK8000 Destination Path=F:\\LK8000\\_Tasks",
        "SeeYou Destination Path=G:\\SeeYou\\Tasks",
        "Alt Cup file=H:\\Alt.cup",
        "Flightplans path=AUTO",
        "AutoLoad=1",
        "Language=FR",
        "verbose=1",
        "AAT=1",
        "Arm_start_manually=1",
        "AAT_Arm_start_manually=1",
        "Task warnings=1",
        "Task warnings file=C:\\Summary.txt",
        "Silent=1",
        "Write Default Files=2",
        "Use Polars folder=2",
        "Start height margin=150",
        "Start max speed=170",
        "Profile file=C:\\XCSoarData\\Mine.prf",
        "Airspace file=Zones.txt",
        "Crop_Airspace=0",
        "Airspace_margin=25",
        "Delete_Inactive_AS=0",
        "Units=2",
        "CUP format=0",
        "FAI_Sectors=1",
        "CUP_max_alt=0",
        "LK8000_turnpoint_numbers=1",
        "Ask_for_template=1",
        "Condor 1 warnings=0",
        "Post run script=C:\\Scripts\\after run.bat",
    });
    EXPECT_EQ(result, kSettingsRead);
    EXPECT_EQ(nv1, 4401);
    EXPECT_TRUE(tarvex01.qlk8000);
    EXPECT_FALSE(tarvex01.qxcs);
    EXPECT_EQ(inst00.condor_1_path, "C:\\Condor");
    EXPECT_FALSE(tarvex01.qauto_c2_inst);
    EXPECT_EQ(inst00.cndrinstpath, "E:\\Games\\Condor2");
    EXPECT_FALSE(tarvex01.qauto_c2_root);
    EXPECT_EQ(inst00.pilot_path, "E:\\Docs\\Condor");
    // Values are read up to a path's full length.
    EXPECT_EQ(tarvex_c.xcsoar_tasks, long_path);
    EXPECT_EQ(tarvex_c.lk8000_tasks, "F:\\LK8000\\_Tasks");
    EXPECT_EQ(tarvex_c.seeyou_tasks, "G:\\SeeYou\\Tasks");
    EXPECT_EQ(tarvex_c.altcupfile, "H:\\Alt.cup");
    EXPECT_TRUE(tarvex01.qaltcup);
    EXPECT_EQ(tarvex_c.defpath, "AUTO");
    EXPECT_TRUE(tarvex01.qauto_defpath);
    EXPECT_TRUE(tarvex01.qauto);
    EXPECT_FALSE(tarvex01.qwait);
    EXPECT_EQ(tarvex01.nauto, 2);
    EXPECT_EQ(tarvex01.nlang, 3);
    EXPECT_TRUE(cmndta001.qfr);
    EXPECT_TRUE(qverb);
    EXPECT_TRUE(qaat_0);
    EXPECT_FALSE(tarvex01.qaat_detect);
    EXPECT_TRUE(tarvex01.qman_arm_start_rt);
    EXPECT_TRUE(tarvex01.qman_arm_start_aat);
    EXPECT_TRUE(tarvex01.qtskwrn);
    EXPECT_EQ(tarvex_c.tskwrnfile, "C:\\Summary.txt");
    EXPECT_TRUE(tarvex01.qsilent);
    EXPECT_EQ(tarvex01.ndeftsk, 2);
    EXPECT_TRUE(tarvex01.qdeftsk);
    EXPECT_TRUE(tarvex01.qdeftsklk8000);
    EXPECT_FALSE(tarvex01.qpolfold);
    EXPECT_TRUE(tarvex01.qmapfold);
    EXPECT_EQ(tarvex01.start_margin, 150);
    EXPECT_EQ(rd_fpl_6.start_max_speed, 170);
    // The profile is a name; its folder is not kept.
    EXPECT_EQ(tarvex_c.prfnam, "Mine.prf");
    EXPECT_EQ(tarvex_c.airnam, "Zones.txt");
    EXPECT_FALSE(as0003.qcropas);
    EXPECT_EQ(tarvex01.maxtaskmargin, 25);
    EXPECT_FALSE(as0003.qdeldup);
    EXPECT_EQ(tarvex01.nunit, 3);
    EXPECT_EQ(tarvex01.nform_cup, 0);
    EXPECT_TRUE(tarvex01.qfaisector);
    EXPECT_FALSE(tarvex01.qmaxalt_cup);
    EXPECT_TRUE(tarvex01.qlk_tp_num);
    EXPECT_TRUE(tarvex01.qtemplate);
    EXPECT_FALSE(qwrnc1);
    EXPECT_EQ(tarvex_c1.scrnam, "C:\\Scripts\\after run.bat");
    EXPECT_TRUE(boxes.empty());
}

TEST_F(SettingsRead, ValueRules) {
    read_file({"Tarvex Version=4400", "XCsoar Destination Path=C:\\T", "Target=seeyou", "Language=auto",
               "AutoLoad=2", "Use Polars folder=3", "AAT=2"});
    EXPECT_TRUE(tarvex01.qcup);
    EXPECT_FALSE(tarvex01.qxcs);
    EXPECT_EQ(tarvex01.nlang, 1);
    EXPECT_TRUE(tarvex01.qwait);
    EXPECT_EQ(tarvex01.nauto, 3);
    EXPECT_TRUE(tarvex01.qpolfold);
    EXPECT_TRUE(tarvex01.qmapfold);
    EXPECT_TRUE(tarvex01.qaat_detect);
    EXPECT_FALSE(qaat_0);

    tarvex01.nlang = 3;
    read_file({"Tarvex Version=4400", "XCsoar Destination Path=C:\\T", "Target=", "Language=", "AutoLoad=0",
               "Use Polars folder=", "Airspace_margin=", "Start max speed=", "Write Default.tsk=", "Units=",
               "Profile file=0"});
    EXPECT_TRUE(tarvex01.qcup);
    // "0" is the profile switch off, never a profile's name.
    EXPECT_FALSE(tarvex01.qwrprf);
    EXPECT_EQ(tarvex_c.prfnam, "");
    EXPECT_EQ(tarvex01.nlang, 1);
    // AutoLoad=0 leaves qauto and qwait as they were.
    EXPECT_TRUE(tarvex01.qwait);
    EXPECT_EQ(tarvex01.nauto, 1);
    EXPECT_TRUE(tarvex01.qpolfold);
    EXPECT_TRUE(tarvex01.qmapfold);
    EXPECT_EQ(tarvex01.maxtaskmargin, 37);
    EXPECT_EQ(rd_fpl_6.start_max_speed, 0);
    EXPECT_EQ(tarvex01.ndeftsk, 0);
    EXPECT_FALSE(tarvex01.qdeftsk);
    EXPECT_EQ(tarvex01.nunit, 1);
}

TEST_F(SettingsRead, AValueItsCommentDoesNotDocumentIsRefused) {
    const std::vector<std::pair<std::string, std::string>> refused = {
        {"Start height margin=abc", " : not a whole number (0 - 10000 m)"},
        {"Start height margin=50.7", " : not a whole number (0 - 10000 m)"},
        {"Start height margin=12abc", " : not a whole number (0 - 10000 m)"},
        {"Start max speed=abc", " : not a whole number (0 - 300 km/h)"},
        {"Airspace_margin=abc", " : not a whole number (km)"},
        {"Write Default Files=7", " : out of range (0 - 2)"},
        {"AutoLoad=3", " : out of range (0 - 2)"},
        {"Units=2147483647", " : out of range (0 - 2)"},
        {"Tarvex Version=4.4", " : not a whole number (0 - 9999)"},
        {"Crop_Airspace=true", " : neither 0 nor 1"},
        {"Silent=01", " : neither 0 nor 1"},
        {"Target=Condor", " : not XCSoar, LK8000, SeeYou or JSON"},
        {"Language=de", " : not AUTO, EN or FR"},
    };
    for (const auto& [line, reason] : refused) {
        write("Tarvex.ini", crlf({"Tarvex Version=4400", "XCsoar Destination Path=C:\\T", line}));
        boxes.clear();
        const RunStopped stopped = stop_of([&] { read_ini(qverb, false, qaat_0, qwrnc1, nv1); });
        EXPECT_EQ(stopped.exit_code, kExitConfiguration) << line;
        ASSERT_EQ(boxes.size(), 1u) << line;
        EXPECT_EQ(boxes[0].text, "*** File " + tarvex_c.inifile + " : " + line + reason + " ***");
    }
    // What the comments document is taken, signs and letter case as written.
    EXPECT_EQ(read_file({"Tarvex Version=4400", "XCsoar Destination Path=C:\\T", "Start height margin=+150",
                         "Write Default Files=2", "Target=json", "Language=fr", "Crop_Airspace=1", "Units=0"}),
              kSettingsRead);
    EXPECT_EQ(tarvex01.start_margin, 150);
    EXPECT_TRUE(tarvex01.qdeftsklk8000);
    EXPECT_TRUE(tarvex01.qjson);
    EXPECT_EQ(tarvex01.nlang, 3);
}

TEST_F(SettingsRead, PathsInTheFormsTheCommandLineTakes) {
    const std::string here = (dir_.path() / "").string();
    read_file({"Tarvex Version=4400", "XCsoar Destination Path=" + here + "XCSoarData/Tasks",
               "LK8000 Destination Path=C:/LK8000/_Tasks", "Flightplans path=" + here + "plans",
               "Airspace file=D:/Air/Zones.txt", "Post run script=" + here + "after.sh", "Profile file=Condor.prf",
               "Condor 2 Path=AUTO"});
    EXPECT_EQ(tarvex_c.xcsoar_tasks, program_folder() + "XCSoarData\\Tasks");
    EXPECT_EQ(tarvex_c.lk8000_tasks, "C:\\LK8000\\_Tasks");
    EXPECT_EQ(tarvex_c.defpath, program_folder() + "plans");
    EXPECT_EQ(tarvex_c.airnam, "D:\\Air\\Zones.txt");
    EXPECT_EQ(tarvex_c1.scrnam, program_folder() + "after.sh");
    EXPECT_EQ(tarvex_c.prfnam, "Condor.prf");
    EXPECT_TRUE(tarvex01.qauto_c2_inst);
}

TEST_F(SettingsRead, LinesAndComments) {
    qwrnc1 = false;
    // A path as long as a path field holds is a path like any other.
    const std::string longest(kPathLength, 'v');
    read_file({"Tarvex Version=4400", "XCsoar Destination Path=C:\\T", "verbose", "AAT",
               "  # Target=LK8000", "#Target=LK8000", "Target = SeeYou", "Post run script=" + longest,
               "Task warnings file:C:\\Sum.txt", "Unknown key=1", "no separator at all",
               "0=none, 1=Polars, 2=Maps, 3=Polars and maps"});
    EXPECT_TRUE(qverb);
    EXPECT_TRUE(qaat_0);
    EXPECT_TRUE(tarvex01.qcup);
    EXPECT_FALSE(tarvex01.qlk8000);
    EXPECT_EQ(tarvex_c1.scrnam, longest);
    EXPECT_EQ(tarvex_c.tskwrnfile, "C:\\Sum.txt");
    EXPECT_FALSE(qwrnc1);
    // A "Use Polars folder" key absent: the polar folder option is on.
    EXPECT_TRUE(tarvex01.qpolfold);

    // LF line ends read as well.
    write("Tarvex.ini", "Tarvex Version=4400\nXCsoar Destination Path=C:\\X\nSilent=1\n");
    EXPECT_EQ(read_ini(qverb, false, qaat_0, qwrnc1, nv1), kSettingsRead);
    EXPECT_EQ(tarvex_c.xcsoar_tasks, "C:\\X");
    EXPECT_TRUE(tarvex01.qsilent);

    // A line holds 1024 characters: the value "1" is the last one kept, or lost.
    tarvex01.qsilent = false;
    write("Tarvex.ini", "Tarvex Version=4400\nXCsoar Destination Path=C:\\T\nSilent" + std::string(1016, ' ') + "=1\n");
    read_ini(qverb, false, qaat_0, qwrnc1, nv1);
    EXPECT_TRUE(tarvex01.qsilent);
    tarvex01.qsilent = false;
    write("Tarvex.ini", "Tarvex Version=4400\nXCsoar Destination Path=C:\\T\nSilent" + std::string(1017, ' ') + "=1\n");
    read_ini(qverb, false, qaat_0, qwrnc1, nv1);
    EXPECT_FALSE(tarvex01.qsilent);
}

TEST_F(SettingsRead, AValueTheProgramCannotUseIsToldInTheLanguageOfTheFile) {
    write("Tarvex.ini", crlf({"Tarvex Version=4400", "Airspace_margin=-50", "Language=FR"}));
    const RunStopped stopped = stop_of([&] { read_ini(qverb, false, qaat_0, qwrnc1, nv1); });
    EXPECT_EQ(stopped.exit_code, kExitConfiguration);
    ASSERT_EQ(boxes.size(), 1u);
    EXPECT_EQ(boxes[0].text, "*** Fichier " + tarvex_c.inifile +
                                 " : Airspace_margin=-50 : la marge ne peut pas \xEAtre n\xE9gative ***");
}

TEST_F(SettingsRead, OldSingleDestinationLayout) {
    tarvex01.qlk8000 = true;
    tarvex01.qxcs = false;
    EXPECT_EQ(read_file({"Tarvex Version=3800", "Destination Path=E:\\LK\\_Tasks"}), kSettingsRead);
    EXPECT_EQ(tarvex_c.lk8000_tasks, "E:\\LK\\_Tasks");
    EXPECT_EQ(tarvex_c.xcsoar_tasks, "XXXXX");
    ASSERT_EQ(boxes.size(), 1u);
    EXPECT_EQ(boxes[0].status, 0);
    EXPECT_EQ(boxes[0].text, tarvex_c.inifile + ": version < V4.0\nFile will be converted");
    EXPECT_TRUE(logged("version < V4.0"));

    reset_option_records();
    tarvex_c.inifile = program_folder() + "Tarvex.ini";
    tarvex01.qcup = true;
    read_file({"Tarvex Version=3899", "XCSoar Path=E:\\SY"});
    EXPECT_EQ(tarvex_c.seeyou_tasks, "E:\\SY");
}

TEST_F(SettingsRead, FileFlags) {
    read_file({"Tarvex Version=4400", "XCsoar Destination Path=C:\\T", "Flightplans path=D:\\Plans\\Race.Fpl"});
    EXPECT_TRUE(tarvex01.qdeffplfil);
    EXPECT_FALSE(tarvex01.qauto_defpath);
    read_file({"Tarvex Version=4400", "XCsoar Destination Path=C:\\T", "Flightplans path=D:\\Plans"});
    EXPECT_FALSE(tarvex01.qdeffplfil);

    inst00.condor_version = 2;
    read_file({"Tarvex Version=4400", "XCsoar Destination Path=C:\\T", "Condor 2 Path="});
    EXPECT_EQ(inst00.cndrinstpath, "C:\\Condor2");
}

TEST_F(SettingsRead, LanguageOfTheMessages) {
    read_file({"Tarvex Version=4400", "Language=FR"});
    ASSERT_EQ(boxes.size(), 1u);
    EXPECT_EQ(boxes[0].text, "*** Fichier " + tarvex_c.inifile + " : donn\xE9" "es manquantes ***");
    tarvex01.nlang = 1;
    {
        tarvex_test::ScopedEnv french("LANGUAGE", "fr_FR");
        read_file({"Tarvex Version=4400", "XCsoar Destination Path=C:\\T"});
        EXPECT_TRUE(cmndta001.qfr);
    }
}

TEST_F(SettingsRead, UnreadableFileEndsTheRun) {
    const RunStopped stopped = stop_of([&] { read_ini(qverb, false, qaat_0, qwrnc1, nv1); });
    EXPECT_EQ(stopped.exit_code, kExitConfiguration);
    ASSERT_EQ(boxes.size(), 1u);
    EXPECT_EQ(boxes[0].text, "*** File " + tarvex_c.inifile + " : cannot be opened ***");
    EXPECT_TRUE(logged("cannot be opened"));
}

}  // namespace

namespace {

TEST_F(SettingsRead, AnEmptyOrUnreadableFileTellsWhereTheLastSettingsAre) {
    // Backups: an older one, the newest, and an empty one that holds nothing.
    write("Tarvex_0000.ini", "Tarvex Version=4400\r\n");
    write("Tarvex_0001.ini", "Tarvex Version=4400\r\nTarget=LK8000\r\n");
    write("Tarvex_0002.ini", "");
    std::filesystem::last_write_time(dir_.path() / "Tarvex_0000.ini",
                                     std::filesystem::last_write_time(dir_.path() / "Tarvex_0001.ini") -
                                         std::chrono::hours(1));
    const std::string newest = program_folder() + "Tarvex_0001.ini";

    nv1 = 4400;  // no note on the old layout
    EXPECT_EQ(read_file({}), kSettingsMissingData);
    ASSERT_EQ(boxes.size(), 1u);
    EXPECT_EQ(boxes[0].text,
              "*** File " + tarvex_c.inifile + ": missing data ***\nThe last settings are in " + newest);
    EXPECT_TRUE(logged("The last settings are in " + newest));

    // A file with settings of its own that lacks data is not pointed away.
    boxes.clear();
    reset_option_records();
    tarvex_c.inifile = program_folder() + "Tarvex.ini";
    read_file({"Tarvex Version=4400"});
    ASSERT_EQ(boxes.size(), 1u);
    EXPECT_EQ(boxes[0].text.find("last settings"), std::string::npos);

    // Unreadable, in French.
    boxes.clear();
    cmndta001.qfr = true;
    tarvex01.nlang = 3;
    std::filesystem::remove(dir_.path() / "Tarvex.ini");
    std::filesystem::create_directory(dir_.path() / "Tarvex.ini");
    const RunStopped stopped = stop_of([&] { read_ini(qverb, false, qaat_0, qwrnc1, nv1); });
    EXPECT_EQ(stopped.exit_code, kExitConfiguration);
    ASSERT_EQ(boxes.size(), 1u);
    EXPECT_EQ(boxes[0].text, "*** Fichier " + tarvex_c.inifile +
                                 " : ouverture impossible ***\nLes derniers param\xE8tres sont dans " + newest);
}

}  // namespace

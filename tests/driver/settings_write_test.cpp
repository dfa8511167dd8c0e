#include "driver/settings_file.h"

#include "driver_fixture.h"
#include "support/std_streams.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

using tarvex_test::crlf;
using tarvex_test::DriverTest;
using tarvex_test::RunStopped;
using tarvex_test::ScopedStdin;

namespace {

class SettingsWrite : public DriverTest {
protected:
    SettingsWrite() {
        tarvex_c.inifile = program_folder() + "Tarvex.ini";
        tarvex_c.xcsoar_tasks = "C:\\XCSoarData\\Tasks";
        tarvex_c.lk8000_tasks = "D:\\LK8000\\_Tasks";
        tarvex_c.seeyou_tasks = "E:\\SeeYou\\Tasks";
    }
    void create() { create_ini(cmndta001.qline, false, false, true, 4400); }
    // The value of a key in the written file.
    std::string written(const std::string& key) const {
        const std::string text = read("Tarvex.ini");
        const std::size_t at = text.find("\r\n" + key + "=");
        if (at == std::string::npos) {
            return "<absent>";
        }
        const std::size_t from = at + 2 + key.size() + 1;
        return text.substr(from, text.find("\r\n", from) - from);
    }
};

// The file written from the start-up defaults, line by line.
const std::vector<std::string> kDefaultFile = {
    "# Tarvex.ini : settings file for Tarvex",
    "# This file is automatically created or updated at the first run",
    "# It can be edited to reflect your local configuration",
    "",
    "# Tarvex version number - please do not modify",
    "Tarvex Version=4400",
    "",
    "# Target software (XCSoar/LK8000/SeeYou/JSON - default=XCSoar)",
    "Target=XCSoar",
    "",
    "# path to Condor 2 installation folder - default OR AUTO: read from registry",
    "Condor 2 Path=AUTO",
    "",
    "# Condor user folder (usually DOCUMENTS\\Condor - default OR AUTO:read from registry)",
    "Condor root folder=AUTO",
    "",
    "# destination path (folder or filename) for convertedXCSoartasks",
    "XCsoar Destination Path=C:\\XCSoarData\\Tasks",
    "",
    "# destination path (folder or filename) for convertedLK8000tasks",
    "LK8000 Destination Path=D:\\LK8000\\_Tasks",
    "",
    "# destination path (folder or filename) for convertedSeeYoutasks",
    "SeeYou Destination Path=E:\\SeeYou\\Tasks",
    "",
    "# Alternate CUP file for turnpoints",
    "Alt Cup file=",
    "",
    "# Default path (folder or whole path or filename or AUTO) for flightplans - def = AUTO",
    "# if filename only, the path will be the default Condor Flightplans folder",
    "Flightplans path=AUTO",
    "",
    "# If \"Flightplans path\" is a file :",
    "# 0=ask for file anyway, 1=use specified file without asking, 2=wait for new version of file",
    "AutoLoad=0",
    "",
    "# Language (AUTO/EN/FR) :",
    "Language=AUTO",
    "",
    "# verbose mode (0/1) :",
    "verbose=0",
    "",
    "# AAT mode (0=no,default ; 1=yes ; 2=auto-detect) : ",
    "AAT=0",
    "",
    "# Manual [1] or automatic start [0], def=0",
    "Arm_start_manually=0",
    "",
    "# AAT Manual [1] or automatic start [0], def=0",
    "AAT_Arm_start_manually=0",
    "",
    "# Task rules warnings (0/1) : ",
    "Task warnings=0",
    "",
    "# Task rules file - default=None",
    "Task warnings file=",
    "",
    "# Suppress task rules and summary pop-up messages - 0/1, default=0",
    "Silent=0",
    "",
    "# Default Files",
    "# XCSoar: copy task to Default.tsk (0/1)",
    "# LK8000: (0/1/2) 1=overwrite all default files, 2=write all files with specified outfile name",
    "Write Default Files=0",
    "",
    "# Polars and maps are stored in a specific folder (Polars resp. Maps)(XCSoar only)",
    "0=none, 1=Polars, 2=Maps, 3=Polars and maps",
    "Use Polars folder=1",
    "",
    "# Height margin for max start altitude (m)",
    "Start height margin=100",
    "",
    "# Maximum speed when crossing start line (kph - default=0)",
    "Start max speed=0",
    "",
    "# Profile file (name or 0=NO - default=Condor.prf) : ",
    "Profile file=",
    "",
    "# Airspace file (name - default=FLIGHTPLAN-PZ.txt) : ",
    "Airspace file=",
    "",
    "# Remove airspace outside task area [0/1], def=1",
    "Crop_Airspace=1",
    "",
    "# Airspace margin around task area (km), def=37 (20nm)",
    "Airspace_margin=37",
    "",
    "# Delete inactive airspaces from airspace file generated",
    "# [0/1], 0=write commented out (\"*\"), 1=delete, def=1",
    "Delete_Inactive_AS=1",
    "",
    "# Units : 0=Auto, 1=Metric, 2=Imperial",
    "Units=0",
    "",
    "# SeeYou format: 0=Old, 1=New",
    "CUP format=1",
    "",
    "# FAI sectors (500m/360\xB0 TPs, SeeYou and json only) [0/1], default=0",
    "FAI_Sectors=0",
    "",
    "# Write max altitudes in .cup task files [0/1],default=1",
    "CUP_max_alt=1",
    "",
    "# Add TP numbers to names (LK8000 ONLY) [0/1],default=0",
    "LK8000_turnpoint_numbers=0",
    "",
    "# When converting .cup -> .fpl, ask for template [0/1], def=0",
    "Ask_for_template=0",
    "",
    "# Script to run once the task conversion has been processed (default: no script)",
    "Post run script=",
};

TEST_F(SettingsWrite, DefaultFileByteForByte) {
    create();
    EXPECT_EQ(read("Tarvex.ini"), crlf(kDefaultFile));
    ASSERT_EQ(boxes.size(), 1u);
    EXPECT_EQ(boxes[0].status, 0);
    EXPECT_EQ(boxes[0].text, "File " + tarvex_c.inifile +
                                 " was successfully created or updated\n\nYou may edit it at any time to to reflect "
                                 "your local configuration");
    EXPECT_TRUE(logged("was successfully created or updated"));
    // The computed values are options too.
    EXPECT_EQ(tarvex01.nauto, 1);
    EXPECT_EQ(tarvex01.ndeftsk, 0);
}

TEST_F(SettingsWrite, ComputedValues) {
    tarvex01.qjson = true;
    tarvex01.qxcs = false;
    tarvex01.qwait = true;
    tarvex01.qauto = true;
    tarvex01.qwrprf = false;
    tarvex_c.prfnam = "C:\\X\\Mine.prf";
    tarvex_c.airnam = "C:\\X\\Zones.txt";
    tarvex_c.altcupfile = "C:\\Alt.cup";
    tarvex01.nlang = 0;
    tarvex01.nunit = 11;
    tarvex01.qaat_detect = true;
    tarvex01.qdeftsklk8000 = true;
    tarvex01.qmapfold = true;
    tarvex01.qauto_c2_inst = false;
    inst00.cndrinstpath = "F:\\Condor3";
    tarvex01.qauto_defpath = true;
    tarvex_c.defpath = "C:\\resolved\\FlightPlans\\";
    create_ini(false, true, false, false, 44001);
    // A JSON target is kept, as the reader reads it back.
    EXPECT_EQ(written("Target"), "JSON");
    EXPECT_EQ(written("AutoLoad"), "2");
    EXPECT_EQ(written("Profile file"), "0");
    EXPECT_EQ(written("Airspace file"), "Zones.txt");
    EXPECT_EQ(written("Alt Cup file"), "");
    EXPECT_EQ(tarvex_c.altcupfile, "");
    EXPECT_EQ(written("Language"), "AUTO");
    EXPECT_EQ(written("Units"), "*");
    EXPECT_EQ(written("AAT"), "2");
    EXPECT_EQ(written("Write Default Files"), "2");
    EXPECT_EQ(written("Use Polars folder"), "3");
    EXPECT_EQ(written("verbose"), "1");
    EXPECT_EQ(written("Condor 2 Path"), "F:\\Condor3");
    EXPECT_EQ(written("Flightplans path"), "AUTO");
    EXPECT_EQ(written("Tarvex Version"), "****");

    tarvex01.qwait = false;
    tarvex01.qauto = false;
    tarvex01.nlang = 7;
    tarvex01.qaat_detect = false;
    tarvex01.qaltcup = true;
    tarvex_c.altcupfile = "C:\\Alt.cup";
    create_ini(false, false, true, false, 4400);
    EXPECT_EQ(written("AutoLoad"), "0");
    EXPECT_EQ(written("Language"), "FR");
    EXPECT_EQ(written("AAT"), "1");
    EXPECT_EQ(written("Alt Cup file"), "C:\\Alt.cup");
    tarvex01.nlang = 2;
    tarvex01.qlk8000 = true;
    create_ini(false, false, true, false, 4400);
    EXPECT_EQ(written("Language"), "EN");
    EXPECT_EQ(written("Target"), "LK8000");
}

TEST_F(SettingsWrite, WhatIsWrittenReadsBack) {
    const std::string long_path = "C:\\" + std::string(250, 'q');
    tarvex_c.xcsoar_tasks = long_path;
    tarvex_c1.scrnam = "C:\\Scripts\\after run.bat";
    tarvex_c.tskwrnfile = "C:\\Sum mary.txt";
    tarvex_c.defpath = "D:\\Plans\\Race1.fpl";
    tarvex01.qauto_defpath = false;
    tarvex_c.prfnam = "Mine.prf";
    tarvex01.qcup = true;
    tarvex01.qxcs = false;
    tarvex01.qaltcup = true;
    tarvex_c.altcupfile = "C:\\Alt.cup";
    tarvex01.start_margin = 250;
    rd_fpl_6.start_max_speed = 170;
    tarvex01.maxtaskmargin = 25;
    tarvex01.nunit = 3;
    tarvex01.nform_cup = 0;
    tarvex01.nlang = 3;
    as0003.qcropas = false;
    as0003.qdeldup = false;
    tarvex01.qtskwrn = true;
    tarvex01.qsilent = true;
    tarvex01.qdeftsk = true;
    tarvex01.qauto = true;
    create_ini(false, true, true, false, 4400);
    const Tarvex01 options = tarvex01;
    const TarvexC texts = tarvex_c;
    const TarvexC1 script = tarvex_c1;
    const std::string inifile = tarvex_c.inifile;

    reset_records();
    tarvex_c.inifile = inifile;
    bool qverb = false;
    bool qaat_0 = false;
    bool qwrnc1 = true;
    int nv1 = 0;
    EXPECT_EQ(read_ini(qverb, false, qaat_0, qwrnc1, nv1), kSettingsRead);
    EXPECT_EQ(nv1, 4400);
    EXPECT_TRUE(qverb);
    EXPECT_TRUE(qaat_0);
    EXPECT_EQ(tarvex_c.xcsoar_tasks, long_path);
    EXPECT_EQ(tarvex_c.lk8000_tasks, texts.lk8000_tasks);
    EXPECT_EQ(tarvex_c.seeyou_tasks, texts.seeyou_tasks);
    EXPECT_EQ(tarvex_c.defpath, texts.defpath);
    EXPECT_EQ(tarvex_c.prfnam, "Mine.prf");
    EXPECT_EQ(tarvex_c.altcupfile, "C:\\Alt.cup");
    EXPECT_EQ(tarvex_c.tskwrnfile, texts.tskwrnfile);
    EXPECT_EQ(tarvex_c1.scrnam, script.scrnam);
    EXPECT_EQ(tarvex01.qcup, options.qcup);
    EXPECT_EQ(tarvex01.qxcs, options.qxcs);
    EXPECT_EQ(tarvex01.qaltcup, options.qaltcup);
    EXPECT_EQ(tarvex01.start_margin, 250);
    EXPECT_EQ(rd_fpl_6.start_max_speed, 170);
    EXPECT_EQ(tarvex01.maxtaskmargin, 25);
    EXPECT_EQ(tarvex01.nunit, 3);
    EXPECT_EQ(tarvex01.nform_cup, 0);
    EXPECT_EQ(tarvex01.nlang, 3);
    EXPECT_FALSE(as0003.qcropas);
    EXPECT_FALSE(as0003.qdeldup);
    EXPECT_TRUE(tarvex01.qtskwrn);
    EXPECT_TRUE(tarvex01.qsilent);
    EXPECT_EQ(tarvex01.ndeftsk, 1);
    EXPECT_TRUE(tarvex01.qauto);
    EXPECT_EQ(tarvex01.nauto, 2);
    EXPECT_TRUE(tarvex01.qdeffplfil);
}

TEST_F(SettingsWrite, ExistingFileIsMovedAsideUnderTheFirstFreeNumber) {
    write("Tarvex.ini", "old settings\r\n");
    write("Tarvex_0000.ini", "backup 0");
    write("Tarvex_0001.ini", "backup 1");
    create();
    EXPECT_EQ(read("Tarvex_0002.ini"), "old settings\r\n");
    EXPECT_EQ(read("Tarvex_0000.ini"), "backup 0");
    EXPECT_EQ(read("Tarvex.ini"), crlf(kDefaultFile));
    create();
    EXPECT_EQ(read("Tarvex_0003.ini"), crlf(kDefaultFile));
}

TEST_F(SettingsWrite, AFailedWriteKeepsTheOldFile) {
    // Kept as read: LF line ends, no final line end.
    const std::string old = "Tarvex Version=4400\nTarget=SeeYou";
    for (const FileStep step : {FileStep::create, FileStep::write, FileStep::flush, FileStep::rename}) {
        SCOPED_TRACE(static_cast<int>(step));
        write("Tarvex.ini", old);
        boxes.clear();
        arm_file_fault({step, 1, "Tarvex.ini", ENOSPC});
        EXPECT_EQ(create_ini(false, false, false, true, 4400), ENOSPC);
        EXPECT_EQ(read("Tarvex.ini"), old);
        ASSERT_EQ(boxes.size(), 1u);
        EXPECT_EQ(boxes[0].text, "*** File " + tarvex_c.inifile + " : cannot be created ***");
    }
    EXPECT_EQ(read("Tarvex_0000.ini"), old);
    // A backup that cannot be written: the file is not replaced.
    arm_file_fault({FileStep::flush, 1, "Tarvex_0004.ini", EIO});
    EXPECT_EQ(create_ini(false, false, false, true, 4400), EIO);
    EXPECT_EQ(read("Tarvex.ini"), old);
    EXPECT_FALSE(exists("Tarvex_0004.ini"));
    for (const auto& entry : std::filesystem::directory_iterator(dir_.path())) {
        EXPECT_NE(entry.path().extension(), ".tmp") << entry.path();
    }
    // An empty file needs no backup.
    write("Tarvex.ini", "");
    create();
    EXPECT_EQ(read("Tarvex.ini"), crlf(kDefaultFile));
    EXPECT_FALSE(exists("Tarvex_0004.ini"));
}

TEST_F(SettingsWrite, FolderWithBlanks) {
    const std::filesystem::path folder = dir_.path() / "Program Files" / "Tar vex";
    std::filesystem::create_directories(folder);
    tarvex_c.inifile = program_folder() + "Program Files\\Tar vex\\Tarvex.ini";
    write("Program Files/Tar vex/Tarvex.ini", "old\r\n");
    create();
    EXPECT_EQ(read("Program Files/Tar vex/Tarvex_0000.ini"), "old\r\n");
    EXPECT_EQ(read("Program Files/Tar vex/Tarvex.ini"), crlf(kDefaultFile));
}

TEST_F(SettingsWrite, NoBackupNumberLeftIsAnError) {
    write("Tarvex.ini", "precious\r\n");
    for (int n = 0; n <= 9999; ++n) {
        char name[32];
        std::snprintf(name, sizeof name, "Tarvex_%04d.ini", n);
        std::ofstream(dir_.path() / name) << n;
    }
    EXPECT_EQ(create_ini(false, false, false, true, 4400), EEXIST);
    EXPECT_EQ(read("Tarvex.ini"), "precious\r\n");
    EXPECT_EQ(read("Tarvex_9999.ini"), "9999");
    ASSERT_EQ(boxes.size(), 2u);
    EXPECT_EQ(boxes[0].status, 1);
    EXPECT_NE(boxes[0].text.find("no free backup name"), std::string::npos);
    EXPECT_EQ(boxes[1].text, "*** File " + tarvex_c.inifile + " : cannot be created ***");
    EXPECT_TRUE(logged("no free backup name"));
}

TEST_F(SettingsWrite, FileThatCannotBeCreated) {
    tarvex_c.inifile = program_folder() + "missing\\Tarvex.ini";
    EXPECT_EQ(create_ini(false, false, false, true, 4400), ENOENT);
    ASSERT_EQ(boxes.size(), 1u);
    EXPECT_EQ(boxes[0].text, "*** File " + tarvex_c.inifile + " : cannot be created ***");
    EXPECT_TRUE(logged("cannot be created"));
    EXPECT_EQ(unwritten_files.names, std::vector<std::string>{tarvex_c.inifile});

    cmndta001.qfr = true;
    boxes.clear();
    create();
    ASSERT_EQ(boxes.size(), 1u);
    EXPECT_EQ(boxes[0].text, "*** Le fichier " + tarvex_c.inifile + " n'a pas pu \xEAtre cr\xE9\xE9 ***");
}

TEST_F(SettingsWrite, DestinationsNotSetAreAskedFor) {
    const std::string chosen = (dir_.path() / "XCSoarData").string();
    std::filesystem::create_directories(chosen);
    tarvex_c.xcsoar_tasks = "XXXXX";
    tarvex_c.seeyou_tasks = "XXXXX";
    cmndta001.qline = true;
    {
        // The XCSoar folder is answered, the SeeYou one cancelled (end of input).
        ScopedStdin answers(chosen + "\n");
        create();
    }
    EXPECT_EQ(tarvex_c.xcsoar_tasks, program_folder() + "XCSoarData");
    EXPECT_EQ(tarvex_c.seeyou_tasks, "");
    EXPECT_EQ(tarvex_c.lk8000_tasks, "D:\\LK8000\\_Tasks");
    EXPECT_EQ(written("XCsoar Destination Path"), program_folder() + "XCSoarData");
    EXPECT_EQ(written("SeeYou Destination Path"), "");
    EXPECT_TRUE(logged("*** No destination folder for converted SeeYou tasks ***"));
}

TEST_F(SettingsWrite, FrenchSuccessMessage) {
    cmndta001.qfr = true;
    create();
    ASSERT_EQ(boxes.size(), 1u);
    EXPECT_EQ(boxes[0].text, "Le fichier " + tarvex_c.inifile +
                                 " a \xE9te cr\xE9\xE9 ou mis \xE0 jour\n\nVous pouvez l'\xE9" "diter \xE0 tout moment");
}

}  // namespace

#include "driver/output_naming.h"

#include "driver/conversion.h"
#include "driver/input_kind.h"
#include "driver_fixture.h"

#include <gtest/gtest.h>

#include <string>

using tarvex_test::DriverTest;
using tarvex_test::RunStopped;

namespace {

class OutputNaming : public DriverTest {
protected:
    OutputNaming() {
        tarvex_c.xcsoar_tasks = "F:\\XCSoarData\\Tasks";
        tarvex_c.lk8000_tasks = "E:\\LK8000\\_Tasks";
        tarvex_c.seeyou_tasks = "G:\\SeeYou";
        tarvex_c.infile = "C:\\Plans\\Race1.fpl";
        inst00.cndrrootpath = "C:\\users\\me\\Documents\\Condor3\\";
        tarvex01.ntarg = kTargetTsk;
    }
    void target(int ntarg) {
        tarvex01.ntarg = ntarg;
        tarvex01.qxcs = ntarg == kTargetTsk;
        tarvex01.qlk8000 = ntarg == kTargetLkt;
        tarvex01.qcup = ntarg == kTargetCup;
        tarvex01.qjson = ntarg == kTargetJson;
    }
    void name_again() {
        tarvex_c.outfile.clear();
        set_outfile();
    }
};

TEST_F(OutputNaming, XCSoarFromTheInputName) {
    set_outfile();
    EXPECT_EQ(tarvex_c.tskname, "Race1.fpl");
    EXPECT_EQ(tarvex_c.outname, "Race1.tsk");
    EXPECT_EQ(tarvex_c.outfile, "F:\\XCSoarData\\Tasks\\Race1.tsk");

    // The AAT mark is decided once the plan is read.
    rd_fpl_6.qaat = true;
    EXPECT_EQ(tarvex_c.outfile, "F:\\XCSoarData\\Tasks\\Race1.tsk");
    add_aat_to_outfile();
    EXPECT_EQ(tarvex_c.outfile, "F:\\XCSoarData\\Tasks\\Race1-AAT.tsk");
    EXPECT_EQ(tarvex_c.outname, "Race1.tsk");
    // Only once.
    add_aat_to_outfile();
    EXPECT_EQ(tarvex_c.outfile, "F:\\XCSoarData\\Tasks\\Race1-AAT.tsk");

    // A plan that turned out not to be an AAT keeps the plain name.
    name_again();
    rd_fpl_6.qaat = false;
    add_aat_to_outfile();
    EXPECT_EQ(tarvex_c.outfile, "F:\\XCSoarData\\Tasks\\Race1.tsk");

    // An input already marked "-AAT" is not marked twice.
    tarvex_c.infile = "C:\\Plans\\Race1-AAT.fpl";
    name_again();
    rd_fpl_6.qaat = true;
    add_aat_to_outfile();
    EXPECT_EQ(tarvex_c.outfile, "F:\\XCSoarData\\Tasks\\Race1-AAT.tsk");
}

TEST_F(OutputNaming, GivenOutputIsUsedUnchanged) {
    // No file of one format under another's name, nor without an extension:
    // a usage error, before anything is read.
    for (const char* wrong : {"D:\\Out\\x.lkt", "D:\\Out\\x", "D:\\Out\\x.tsk.txt"}) {
        tarvex_c.outfile = wrong;
        const RunStopped stopped = stop_of([] { set_outfile(); });
        EXPECT_EQ(stopped.exit_code, kExitUsage);
        EXPECT_EQ(stopped.text, "*** " + std::string(wrong) + " : not a .tsk file name ***\nEnter a .tsk file name");
    }
    tarvex_c.outfile = "D:\\Out\\X.TSK";
    set_outfile();
    EXPECT_EQ(tarvex_c.outfile, "D:\\Out\\X.TSK");

    target(kTargetLkt);
    tarvex_c.outfile = "D:\\Out\\x.lkt";
    set_outfile();
    EXPECT_EQ(tarvex_c.outfile, "D:\\Out\\x.lkt");
    EXPECT_EQ(tarvex_c.outname, "x.lkt");
    rd_fpl_6.qaat = true;
    add_aat_to_outfile();
    EXPECT_EQ(tarvex_c.outfile, "D:\\Out\\x.lkt");
    // No task folder is needed for it.
    tarvex_c.xcsoar_tasks = "XXXXX";
    set_outfile();
    EXPECT_EQ(tarvex_c.outfile, "D:\\Out\\x.lkt");
}

TEST_F(OutputNaming, LK8000) {
    target(kTargetLkt);
    tarvex01.ndeftsk = 1;
    rd_fpl_6.qaat = true;
    set_outfile();
    add_aat_to_outfile();
    EXPECT_EQ(tarvex_c.outfile, "E:\\LK8000\\_Tasks\\Default.lkt");

    tarvex01.ndeftsk = 0;
    tarvex_c.lk8000_tasks = "E:\\LK\\_Tasks\\Mine.lkt";
    name_again();
    add_aat_to_outfile();
    EXPECT_EQ(tarvex_c.outname, "Mine.lkt");
    EXPECT_EQ(tarvex_c.outfile, "E:\\LK\\_Tasks\\Mine-AAT.lkt");

    tarvex01.ndeftsk = 2;
    name_again();
    EXPECT_EQ(tarvex_c.outfile, "E:\\LK\\_Tasks\\Mine.lkt");

    tarvex_c.lk8000_tasks = "E:\\LK\\_Tasks";
    const RunStopped stopped = stop_of([&] { name_again(); });
    EXPECT_EQ(stopped.exit_code, kExitConfiguration);
    ASSERT_EQ(boxes.size(), 1u);
    EXPECT_EQ(boxes[0].text, "Write Default Files=2 : No file name specified");
    EXPECT_TRUE(logged("Write Default Files=2 : No file name specified"));

    // A given output without the target's extension has no name to use either.
    tarvex_c.outfile = "E:\\LK\\_Tasks\\Mine.txt";
    EXPECT_EQ(stop_of([&] { set_outfile(); }).exit_code, kExitUsage);
    tarvex_c.outfile = "E:\\LK\\_Tasks\\Mine.lkt";
    set_outfile();
    EXPECT_EQ(tarvex_c.outfile, "E:\\LK\\_Tasks\\Mine.lkt");
}

TEST_F(OutputNaming, FoldersAndTargets) {
    tarvex_c.xcsoar_tasks = "F:\\XCSoarData\\Tasks\\\\";
    set_outfile();
    EXPECT_EQ(tarvex_c.outfile, "F:\\XCSoarData\\Tasks\\Race1.tsk");

    target(kTargetCup);
    name_again();
    EXPECT_EQ(tarvex_c.outfile, "G:\\SeeYou\\Race1.cup");

    target(kTargetJson);
    name_again();
    EXPECT_EQ(tarvex_c.outfile, "C:\\Plans\\Race1.json");
    tarvex_c.infile = "Race1.fpl";
    name_again();
    EXPECT_EQ(tarvex_c.outfile, ".\\Race1.json");

    // A Condor flight plan made from a SeeYou task goes to Condor's FlightPlans,
    // whatever target flag the settings left on.
    target(kTargetFpl);
    tarvex01.qxcs = true;
    tarvex01.qcup_in = true;
    tarvex_c.infile = "C:\\Tasks\\task.cup";
    name_again();
    EXPECT_EQ(tarvex_c.outfile, "C:\\users\\me\\Documents\\Condor3\\FlightPlans\\task.fpl");
}

TEST_F(OutputNaming, ADestinationNamesAFolderOrATaskFile) {
    // "folder or filename", as the settings file says, for SeeYou too.
    target(kTargetCup);
    tarvex_c.seeyou_tasks = "G:\\SeeYou\\Tasks\\Mine.CUP";
    set_outfile();
    EXPECT_EQ(tarvex_c.outfile, "G:\\SeeYou\\Tasks\\Mine.cup");  // the same file for Windows
    EXPECT_EQ(destination_folder(tarvex_c.seeyou_tasks), "G:\\SeeYou\\Tasks");
    EXPECT_EQ(destination_folder("F:\\XCSoarData\\Tasks\\Mine.tsk  "), "F:\\XCSoarData\\Tasks");
    EXPECT_EQ(destination_folder("F:\\XCSoarData\\Tasks  "), "F:\\XCSoarData\\Tasks");
    EXPECT_EQ(destination_folder("F:\\Mine.tsk"), "F:");

    // The file the destination names is written, and LK8000's default task
    // beside it is its copy.
    target(kTargetLkt);
    tarvex_c.lk8000_tasks = "E:\\LK\\_Tasks\\Mine.lkt";
    tarvex01.ndeftsk = 1;
    name_again();
    EXPECT_EQ(tarvex_c.outfile, "E:\\LK\\_Tasks\\Mine.lkt");
    EXPECT_EQ(default_task_copy(), "E:\\LK\\_Tasks\\Default.lkt");
    const DestinationFile file = destination_file(target_facts(kTargetLkt), "E:\\LK\\_Tasks", "Race1.lkt");
    EXPECT_EQ(file.folder, "E:\\LK\\_Tasks");
    EXPECT_EQ(file.name, "Default.lkt");
    tarvex01.ndeftsk = 0;
    EXPECT_EQ(destination_file(target_facts(kTargetLkt), tarvex_c.lk8000_tasks, "Race1.lkt").name, "Mine.lkt");
    EXPECT_TRUE(default_task_copy().empty());
    const DestinationFile folder = destination_file(target_facts(kTargetTsk), "F:\\Tasks\\\\", "Race1.tsk");
    EXPECT_EQ(folder.folder, "F:\\Tasks");
    EXPECT_EQ(folder.name, "Race1.tsk");

    // Only a configured destination names a file: a JSON export goes beside
    // its input, whatever the input's folder is called.
    target(kTargetJson);
    tarvex_c.infile = "C:\\Old.tsk files\\Race1.fpl";
    name_again();
    EXPECT_EQ(tarvex_c.outfile, "C:\\Old.tsk files\\Race1.json");
}

TEST_F(OutputNaming, ExtensionsInAnyLetterCase) {
    tarvex_c.infile = "C:\\Plans\\RACE1.FPL";
    set_outfile();
    EXPECT_EQ(tarvex_c.outfile, "F:\\XCSoarData\\Tasks\\RACE1.tsk");

    target(kTargetFpl);
    tarvex01.qcup_in = true;
    tarvex_c.infile = "C:\\Tasks\\Task.Cup";
    name_again();
    EXPECT_EQ(tarvex_c.outfile, "C:\\users\\me\\Documents\\Condor3\\FlightPlans\\Task.fpl");

    EXPECT_EQ(input_kind("C:\\x\\a.FPL"), InputKind::flight_plan);
    EXPECT_EQ(input_kind("a.fpl.txt"), InputKind::flight_plan);
    EXPECT_EQ(input_kind("C:\\my.cup.files\\race.fpl"), InputKind::flight_plan);
    EXPECT_EQ(input_kind("C:\\my.fpl.files\\task.CUP"), InputKind::seeyou_task);
    EXPECT_EQ(input_kind("C:\\my.fpl.files\\notes.txt"), InputKind::unknown);
    EXPECT_EQ(input_kind("   "), InputKind::none);
}

TEST_F(OutputNaming, DefaultNamesNeverGetTheAatMark) {
    tarvex_c.xcsoar_tasks = "F:\\XCSoarData\\Tasks\\Default.tsk";
    rd_fpl_6.qaat = true;
    set_outfile();
    add_aat_to_outfile();
    EXPECT_EQ(tarvex_c.outfile, "F:\\XCSoarData\\Tasks\\Default.tsk");
    tarvex_c.xcsoar_tasks = "F:\\XCSoarData\\Tasks\\default.tsk";
    name_again();
    add_aat_to_outfile();
    EXPECT_EQ(tarvex_c.outfile, "F:\\XCSoarData\\Tasks\\default.tsk");
}

TEST_F(OutputNaming, ABlankOrUnsetDestinationEndsTheRun) {
    tarvex_c.xcsoar_tasks = "";
    RunStopped stopped = stop_of([&] { set_outfile(); });
    EXPECT_EQ(stopped.exit_code, kExitConversionFailed);
    ASSERT_EQ(boxes.size(), 1u);
    EXPECT_EQ(boxes[0].status, 1);
    EXPECT_EQ(boxes[0].text, "*** No destination folder for converted XCsoar tasks ***");
    EXPECT_TRUE(logged("*** No destination folder for converted XCsoar tasks ***"));

    target(kTargetCup);
    tarvex_c.seeyou_tasks = "XXXXX";
    cmndta001.qfr = true;
    stopped = stop_of([&] { set_outfile(); });
    EXPECT_EQ(stopped.exit_code, kExitConversionFailed);
    EXPECT_EQ(boxes.back().text, "*** Pas de dossier de destination pour les circuits SeeYou convertis ***");
}

TEST_F(OutputNaming, TargetOutOfRange) {
    tarvex01.ntarg = 0;
    EXPECT_EQ(stop_of([&] { set_outfile(); }).exit_code, kExitConversionFailed);
    tarvex01.ntarg = 6;
    EXPECT_EQ(stop_of([&] { set_outfile(); }).exit_code, kExitConversionFailed);
}

}  // namespace

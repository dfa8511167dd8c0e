#include "conversion_fixture.h"
#include "taskfiles/task_model.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <string>

using tarvex_test::ConversionTest;

namespace {

class ConversionResult : public ConversionTest {
protected:
    // A Condor 2 plan converted for XCSoar up to its profile.
    void convert_plan2() {
        prepare_all(demo.condor2_plan);
        ASSERT_TRUE(write_target_task(conversion));
        write_task_airspace(conversion);
        update_profile(conversion);
    }
    // A script file of the program folder; its Windows path.
    std::string script(const std::string& name, const std::string& body) {
        const std::string path = demo.program_folder + "\\" + name;
        const std::filesystem::path host = prefix.add_file(path, body);
        std::filesystem::permissions(host, std::filesystem::perms::owner_all);
        return path;
    }
};

TEST_F(ConversionResult, XcsoarMessageAndCopies) {
    convert_plan2();
    compose_result(conversion);
    EXPECT_EQ(conversion.message,
              "DemoRace2.fpl\nDemoProvence\nTask written to :\n C:\\XCSoarData\\Tasks\\DemoRace2.tsk\n"
              " C:\\XCSoarData\\Tasks\\Condor.tsk\n"
              "Penalty zones written to :\n C:\\XCSoarData\\CondorAirspace.txt\n C:\\XCSoarData\\Condor-PZ.txt\n"
              "Profile written to:\n C:\\XCSoarData\\Condor.prf\nSelected polar:\n Polars\\Discus.xcp");
    EXPECT_EQ(file("C:\\XCSoarData\\Tasks\\Condor.tsk"), file("C:\\XCSoarData\\Tasks\\DemoRace2.tsk"));
    EXPECT_EQ(file("C:\\XCSoarData\\Condor-PZ.txt"), file("C:\\XCSoarData\\CondorAirspace.txt"));
    EXPECT_FALSE(has("C:\\XCSoarData\\Default.tsk"));
}

TEST_F(ConversionResult, DefaultFilesCopyToDefaultTsk) {
    tarvex01.ndeftsk = 1;
    convert_plan2();
    compose_result(conversion);
    EXPECT_NE(conversion.message.find("\n C:\\XCSoarData\\Default.tsk\nPenalty"), std::string::npos);
    EXPECT_EQ(conversion.message.find("Condor.tsk"), std::string::npos);
    EXPECT_EQ(file("C:\\XCSoarData\\Default.tsk"), file("C:\\XCSoarData\\Tasks\\DemoRace2.tsk"));
    EXPECT_FALSE(has("C:\\XCSoarData\\Tasks\\Condor.tsk"));

    // A task named "Default" is copied as Condor.tsk instead.
    conversion.base_name = "Default";
    compose_result(conversion);
    EXPECT_NE(conversion.message.find("\n C:\\XCSoarData\\Tasks\\Condor.tsk\n"), std::string::npos);
}

TEST_F(ConversionResult, TaskNamedCondorIsNotCopied) {
    tarvex_c.outfile = "C:\\XCSoarData\\Tasks\\Condor.tsk";
    convert_plan2();
    compose_result(conversion);
    EXPECT_EQ(conversion.base_name, "Condor");
    EXPECT_EQ(conversion.message.find("Condor-PZ.txt"), std::string::npos);
    // Only the task itself is named.
    const std::size_t first = conversion.message.find("Condor.tsk");
    EXPECT_EQ(conversion.message.find("Condor.tsk", first + 1), std::string::npos);
    EXPECT_FALSE(has("C:\\XCSoarData\\Condor-PZ.txt"));
    // File names compare as Windows compares them: "condor" is the same name.
    conversion.base_name = "condor";
    compose_result(conversion);
    EXPECT_EQ(conversion.message.find("Condor-PZ.txt"), std::string::npos);
    EXPECT_FALSE(has("C:\\XCSoarData\\Condor-PZ.txt"));
}

TEST_F(ConversionResult, CopiesThatFailAreNotClaimed) {
    convert_plan2();
    // A folder in the way of each copy.
    prefix.add_folder("C:\\XCSoarData\\Tasks\\Condor.tsk");
    prefix.add_folder("C:\\XCSoarData\\Condor-PZ.txt");
    compose_result(conversion);
    EXPECT_EQ(conversion.message.find("\n C:\\XCSoarData\\Tasks\\Condor.tsk"), std::string::npos);
    EXPECT_EQ(conversion.message.find("\n C:\\XCSoarData\\Condor-PZ.txt"), std::string::npos);
    EXPECT_NE(conversion.message.find("Penalty zones written to :"), std::string::npos);
}

TEST_F(ConversionResult, FailedAirspaceClaimsNothing) {
    prepare_all(demo.condor3_plan);
    write_target_task(conversion);
    arm_file_fault({FileStep::rename, 1, "CondorAirspace.txt", EIO});
    write_task_airspace(conversion);
    compose_result(conversion);
    EXPECT_EQ(conversion.message.find("Penalty zones written to"), std::string::npos);
    EXPECT_FALSE(has("C:\\XCSoarData\\Condor-PZ.txt"));

    // Without the landscape's airspace, the header and the zones are written,
    // told and copied like any airspace output.
    prefix.remove("C:\\Condor3\\Landscapes\\DemoProvence\\DemoProvence.air");
    write_task_airspace(conversion);
    compose_result(conversion);
    EXPECT_NE(conversion.message.find("Penalty zones written to"), std::string::npos);
    EXPECT_EQ(file("C:\\XCSoarData\\Condor-PZ.txt"), file("C:\\XCSoarData\\CondorAirspace.txt"));

    // A plan without zones that is not a Condor 3 plan has no line either.
    conversion.airspace_status = 0;
    rd_fpl_0.nvcnd = 2;
    rd_fpl_0.nb_pz = 0;
    compose_result(conversion);
    EXPECT_EQ(conversion.message.find("Penalty zones written to"), std::string::npos);
}

TEST_F(ConversionResult, ProfileAndPolarLines) {
    convert_plan2();
    conversion.selected_polar = "Polars/LS8/x.xcp";
    compose_result(conversion);
    EXPECT_NE(conversion.message.find("Selected polar:\n Polars\\LS8/x.xcp"), std::string::npos);
    // A profile that was not written is not named.
    conversion.profile_status = 5;
    compose_result(conversion);
    EXPECT_EQ(conversion.message.find("Profile written to:"), std::string::npos);
    cmndta001.qfr = true;
    conversion.profile_status = 0;
    compose_result(conversion);
    EXPECT_NE(conversion.message.find("Plan de vol \xE9" "crit dans :"), std::string::npos);
    EXPECT_NE(conversion.message.find("Zones de p\xE9nalit\xE9 \xE9" "crites dans :"), std::string::npos);
    EXPECT_NE(conversion.message.find("Profil \xE9" "crit dans :\n"), std::string::npos);
    EXPECT_NE(conversion.message.find("Polaire s\xE9lectionn\xE9" "e :\n"), std::string::npos);
}

// LK8000's polar is the one its aircraft file names: none without the file.
TEST_F(ConversionResult, APolarIsNamedOnlyWhenOneWasSet) {
    tarvex01.qlk8000 = true;
    convert_plan2();  // no plane file: no aircraft file
    compose_result(conversion);
    EXPECT_EQ(conversion.message.find("Selected polar"), std::string::npos);
    EXPECT_NE(conversion.message.find("Condor.prf\nNo polar set"), std::string::npos);
    prefix.add_file("C:\\LK8000\\_Polars\\Discus.xcp", "Handicap=\"100\"\r\n");
    convert_plan2();
    compose_result(conversion);
    EXPECT_NE(conversion.message.find("Selected polar:\n C:\\LK8000\\_Polars\\Discus.xcp"), std::string::npos);
}

TEST_F(ConversionResult, MessageIsCutAtItsCapacity) {
    convert_plan2();
    const std::string polar = "Polars\\" + std::string(1100, 'p') + ".xcp";
    conversion.selected_polar = polar;
    compose_result(conversion);
    ASSERT_EQ(conversion.message.size(), kResultMessageLength);
    // The last line is cut, not dropped.
    const std::string label = "Selected polar:\n ";
    const std::size_t at = conversion.message.find(label);
    ASSERT_NE(at, std::string::npos);
    const std::size_t kept = kResultMessageLength - at - label.size();
    EXPECT_EQ(conversion.message.substr(at + label.size()), polar.substr(0, kept));

    // A failed script's message too: the script's path fills it.
    tarvex_c1.scrnam = demo.program_folder + "\\" + std::string(1100, 's') + ".sh";
    run_post_run_script(conversion);
    EXPECT_TRUE(conversion.script_failed);
    EXPECT_EQ(conversion.message, tarvex_c1.scrnam.substr(0, kResultMessageLength));
}

TEST_F(ConversionResult, ProfileBackupIsKept) {
    prefix.add_file("C:\\XCSoarData\\Condor.prf", "MapFile=\"old\"\r\n");
    convert_plan2();
    EXPECT_EQ(conversion.profile_status, 0);
    EXPECT_EQ(file("C:\\XCSoarData\\Condor.prf.bak"), "MapFile=\"old\"\r\n");
}

TEST_F(ConversionResult, EndMessageShownAndLogged) {
    convert_plan2();
    compose_result(conversion);
    EXPECT_EQ(finish_conversion(conversion, run), kExitSuccess);
    ASSERT_EQ(boxes.size(), 1u);
    EXPECT_EQ(boxes[0].status, 0);
    EXPECT_EQ(boxes[0].text.substr(0, 14), "DemoRace2.fpl\n");
    EXPECT_NE(log().find("Task written to :"), std::string::npos);

    // Silent: logged only.
    boxes.clear();
    tarvex01.qsilent = true;
    EXPECT_EQ(finish_conversion(conversion, run), kExitSuccess);
    EXPECT_TRUE(boxes.empty());
}

TEST_F(ConversionResult, PostRunScriptRunsDirectly) {
    convert_plan2();
    compose_result(conversion);
    const std::string marker = demo.program_folder + "\\ran.txt";
    tarvex_c1.scrnam = script("after.sh", "#!/bin/sh\necho \"$#\" > ran.txt\n");
    run_post_run_script(conversion);
    EXPECT_FALSE(conversion.script_failed);
    // Started with no arguments, in the current folder.
    EXPECT_EQ(file(marker), "0\n");
    EXPECT_EQ(finish_conversion(conversion, run), kExitSuccess);

    // Switched off, or a SeeYou task input: not run.
    prefix.remove(marker);
    tarvex01.qscr = false;
    run_post_run_script(conversion);
    tarvex01.qscr = true;
    tarvex01.qcup_in = true;
    run_post_run_script(conversion);
    EXPECT_FALSE(has(marker));
}

TEST_F(ConversionResult, PostRunScriptMissingOrFailing) {
    convert_plan2();
    compose_result(conversion);
    tarvex_c1.scrnam = demo.program_folder + "\\missing.sh";
    run_post_run_script(conversion);
    EXPECT_TRUE(conversion.script_failed);
    EXPECT_EQ(conversion.message, "C:\\Tarvex\\missing.sh\nFile not found");
    ASSERT_EQ(boxes.size(), 1u);
    EXPECT_EQ(boxes[0].status, 1);
    // Shown once: the end adds no second box, and the run says so in its code.
    EXPECT_EQ(finish_conversion(conversion, run), kExitScriptFailed);
    EXPECT_EQ(boxes.size(), 1u);
    EXPECT_TRUE(has("C:\\XCSoarData\\Tasks\\DemoRace2.tsk"));

    // Each failure says why: the script's exit code, or why it could not be
    // started (a text the system cannot run, a file without the execute
    // permission, a Windows batch file, in any case of its extension).
    const std::filesystem::path plain = prefix.add_file(demo.program_folder + "\\plain.sh", "#!/bin/sh\n");
    std::filesystem::permissions(plain, std::filesystem::perms::owner_read | std::filesystem::perms::owner_write);
    const std::vector<std::pair<std::string, std::string>> cases = {
        {script("fails.sh", "#!/bin/sh\nexit 3\n"), "Execution error (exit code 3)"},
        {script("killed.sh", "#!/bin/sh\nkill -9 $$\n"), "Execution error (ended by signal 9, SIGKILL)"},
        {script("python9.sh", "#!/usr/bin/python9 -u\n"),
         "Execution error: its interpreter \\/usr\\/bin\\/python9 is missing"},
        {script("text.sh", "not a program\n"), "Execution error: not executable"},
        {demo.program_folder + "\\plain.sh", "Execution error: not executable"},
        {script("after.BAT", "@echo off\r\n"), "Execution error: a Windows batch file cannot run here"},
        {script("after.cmd", "#!/bin/sh\n"), "Execution error: a Windows batch file cannot run here"},
    };
    for (const auto& [path, why] : cases) {
        Conversion again = conversion;
        again.script_failed = false;
        tarvex_c1.scrnam = path;
        run_post_run_script(again);
        EXPECT_TRUE(again.script_failed) << path;
        EXPECT_EQ(again.message, path + "\n" + why);
        EXPECT_EQ(finish_conversion(again, run), kExitScriptFailed) << path;
    }
    cmndta001.qfr = true;
    tarvex_c1.scrnam = demo.program_folder + "\\plain.sh";
    run_post_run_script(conversion);
    EXPECT_EQ(conversion.message, "C:\\Tarvex\\plain.sh\nErreur d'ex\xE9" "cution : non ex\xE9" "cutable");
}

}  // namespace

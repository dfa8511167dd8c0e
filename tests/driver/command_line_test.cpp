#include "driver/command_line.h"

#include "driver_fixture.h"
#include "support/std_streams.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

using tarvex_test::CapturedStdout;
using tarvex_test::DriverTest;
using tarvex_test::RunStopped;

namespace {

class CommandLine : public DriverTest {
protected:
    void read(const std::vector<std::string>& options) {
        std::vector<std::string> args{"tarvex"};
        args.insert(args.end(), options.begin(), options.end());
        set_command_line(args);
        get_arguments();
    }
    RunStopped stop_reading(const std::vector<std::string>& options, std::string& console) {
        CapturedStdout out;
        const RunStopped stopped = stop_of([&] { read(options); });
        console = out.finish();
        return stopped;
    }
};

TEST_F(CommandLine, EachSwitchSetsItsMember) {
    tarvex01.qscr = true;
    tarvex01.qmaxalt_cup = true;
    as0003.qcropas = false;
    read({"-v", "-keep", "-nosc", "-line", "-auto", "-wait", "-silent", "-FAI", "-nomxalt", "-chkwp", "-manst",
          "-AATmanst", "-cropAS", "-listAS", "-nogui"});
    EXPECT_TRUE(tarvex01.qverb_0);
    EXPECT_TRUE(tarvex01.qkeepwnd);
    EXPECT_FALSE(tarvex01.qscr);
    EXPECT_TRUE(cmndta001.qline);
    EXPECT_TRUE(tarvex01.qauto);
    EXPECT_TRUE(tarvex01.qwait);
    EXPECT_TRUE(tarvex01.qsilent);
    EXPECT_TRUE(tarvex01.qfaisector);
    EXPECT_FALSE(tarvex01.qmaxalt_cup);
    EXPECT_TRUE(tarvex01.qchkwp);
    EXPECT_TRUE(tarvex01.qman_arm_start_rt);
    EXPECT_TRUE(tarvex01.qman_arm_start_aat);
    EXPECT_TRUE(as0003.qcropas);
    EXPECT_TRUE(as0003.qlistas);
    EXPECT_FALSE(tarvex01.qgui);
    // "-AATmanst" is matched before "-aat": the AAT itself stays off.
    EXPECT_FALSE(tarvex01.qaat_arg);
    EXPECT_FALSE(rd_fpl_6.qaat);
}

TEST_F(CommandLine, OptionsMatchByTheirLeadingCharacters) {
    read({"-verbose", "-FAIx", "-json1"});
    EXPECT_TRUE(tarvex01.qverb_0);
    EXPECT_TRUE(tarvex01.qfaisector);
    EXPECT_TRUE(tarvex01.qjson);
    EXPECT_FALSE(tarvex01.qxcs);

    read({"-english"});
    EXPECT_FALSE(cmndta001.qfr);
    EXPECT_EQ(tarvex01.nlang, 2);
    read({"-FR"});
    EXPECT_TRUE(cmndta001.qfr);
    EXPECT_EQ(tarvex01.nlang, 3);
    read({"-EN"});
    EXPECT_FALSE(cmndta001.qfr);

    // "-aatmanst" is the AAT option with no time.
    read({"-aatmanst"});
    EXPECT_TRUE(tarvex01.qaat_arg);
    EXPECT_TRUE(rd_fpl_6.qaat);
    EXPECT_FALSE(tarvex01.qman_arm_start_aat);
    EXPECT_FLOAT_EQ(tarvex01.t_aat_arg, 0.0f);

    std::string console;
    const RunStopped stopped = stop_reading({"-English"}, console);
    EXPECT_EQ(stopped.exit_code, kExitUsage);
    EXPECT_NE(console.find("-English : Unrecognized option\n"), std::string::npos);
}

TEST_F(CommandLine, TargetsLaterOneWins) {
    read({"-cup", "-xcs"});
    EXPECT_TRUE(tarvex01.qxcs);
    EXPECT_FALSE(tarvex01.qcup);
    read({"-xcs", "-lk8"});
    EXPECT_TRUE(tarvex01.qlk8000);
    EXPECT_FALSE(tarvex01.qxcs);
    EXPECT_FALSE(tarvex01.qcup);
    EXPECT_FALSE(tarvex01.qjson);
    read({"-lk8", "-cup"});
    EXPECT_TRUE(tarvex01.qcup);
    EXPECT_FALSE(tarvex01.qlk8000);
    read({"-cup", "-json"});
    EXPECT_TRUE(tarvex01.qjson);
    EXPECT_FALSE(tarvex01.qcup);
}

TEST_F(CommandLine, AatTime) {
    read({"-aat:120"});
    EXPECT_TRUE(tarvex01.qaat_arg);
    EXPECT_TRUE(rd_fpl_6.qaat);
    EXPECT_FLOAT_EQ(tarvex01.t_aat_arg, 120.0f);
    EXPECT_FLOAT_EQ(rd_fpl_6.t_aat, 120.0f);

    reset_option_records();
    reset_task_model();
    read({"-aat:abc"});
    EXPECT_TRUE(tarvex01.qaat_arg);
    EXPECT_FLOAT_EQ(tarvex01.t_aat_arg, 0.0f);

    read({"-aat120"});
    EXPECT_TRUE(rd_fpl_6.qaat);
    EXPECT_FLOAT_EQ(tarvex01.t_aat_arg, 0.0f);

    read({"-aat:"});
    EXPECT_FLOAT_EQ(tarvex01.t_aat_arg, 0.0f);
}

TEST_F(CommandLine, FinishMinimumAltitude) {
    read({"-fma:1500ft"});
    EXPECT_NEAR(rd_fpl_4.finishminalt, 457.2f, 0.01f);
    read({"-fma:20000"});
    EXPECT_NEAR(rd_fpl_4.finishminalt, 457.2f, 0.01f);
    read({"-fma:10000"});
    EXPECT_FLOAT_EQ(rd_fpl_4.finishminalt, 10000.0f);
    read({"-fma:-5"});
    EXPECT_FLOAT_EQ(rd_fpl_4.finishminalt, 10000.0f);
    read({"-fma:abc"});
    EXPECT_FLOAT_EQ(rd_fpl_4.finishminalt, 10000.0f);
    read({"-fma:0"});
    EXPECT_FLOAT_EQ(rd_fpl_4.finishminalt, 0.0f);
    read({"-fma:1e39"});
    EXPECT_FLOAT_EQ(rd_fpl_4.finishminalt, 0.0f);
    // With imperial display units a bare number is in feet.
    tarvex01.nunitalt = 1;
    read({"-fma:1000"});
    EXPECT_NEAR(rd_fpl_4.finishminalt, 304.8f, 0.01f);
}

TEST_F(CommandLine, MaximumStartSpeed) {
    read({"-mxspd:150.9"});
    EXPECT_EQ(tarvex01.start_max_speed_arg, 150);
    EXPECT_EQ(rd_fpl_6.start_max_speed, 150);
    read({"-mxspd:301"});
    EXPECT_EQ(tarvex01.start_max_speed_arg, 150);
    read({"-mxspd:300"});
    EXPECT_EQ(rd_fpl_6.start_max_speed, 300);
    read({"-mxspd:100kt"});
    EXPECT_EQ(rd_fpl_6.start_max_speed, 185);
    read({"-mxspd:x"});
    EXPECT_EQ(rd_fpl_6.start_max_speed, 185);
    tarvex01.nunitalt = 1;
    read({"-mxspd:50"});
    EXPECT_EQ(rd_fpl_6.start_max_speed, 92);
}

TEST_F(CommandLine, UnitsInAnyCaseAndTheValuesIgnoredAreWarnedOnce) {
    read({"-fma:1500FT", "-mxspd:80KT"});
    EXPECT_NEAR(rd_fpl_4.finishminalt, 457.2f, 0.01f);
    EXPECT_EQ(rd_fpl_6.start_max_speed, 148);
    warn_ignored_values();
    EXPECT_TRUE(boxes.empty());

    // Read twice, as the start-up does: each value is told once, in the
    // language the whole line asks for.
    read({"-fma:20000", "-mxspd:abc", "-aat:2000", "-fr"});
    read({"-fma:20000", "-mxspd:abc", "-aat:2000", "-fr"});
    warn_ignored_values();
    ASSERT_EQ(boxes.size(), 3u);
    EXPECT_EQ(boxes[0].status, 2);  // a warning
    EXPECT_EQ(boxes[0].text, "*** -fma:20000 : valeur ignor\xE9" "e (un nombre de 0 \xE0 10000 m) ***");
    EXPECT_EQ(boxes[1].text, "*** -mxspd:abc : valeur ignor\xE9" "e (un nombre de 0 \xE0 300 km/h) ***");
    EXPECT_EQ(boxes[2].text, "*** -aat:2000 : valeur ignor\xE9" "e (un nombre de 0 \xE0 1440 min) ***");
    EXPECT_TRUE(logged("-fma:20000 : valeur ignor"));
    EXPECT_NEAR(rd_fpl_4.finishminalt, 457.2f, 0.01f);
}

TEST_F(CommandLine, HelpAndErrorsEndTheRun) {
    std::string console;
    for (const char* help : {"-help", "-h", "-hx"}) {
        const RunStopped stopped = stop_reading({"-v", help}, console);
        EXPECT_EQ(stopped.exit_code, kExitSuccess) << help;
        EXPECT_NE(console.find("Usage :\ntarvex [-help] [-v] [-line]"), std::string::npos) << console;
    }

    RunStopped stopped = stop_reading({"-xcs", "-zz"}, console);
    EXPECT_EQ(stopped.exit_code, kExitUsage);
    EXPECT_NE(console.find("-zz : Unrecognized option\nUsage :\ntarvex " + std::string(kUsageText) + "\n"),
              std::string::npos)
        << console;

    stopped = stop_reading({"-", "a.fpl"}, console);
    EXPECT_EQ(stopped.exit_code, kExitUsage);

    stopped = stop_reading({"a.fpl", "-xcs", "b.tsk", "-v", "c.tsk"}, console);
    EXPECT_EQ(stopped.exit_code, kExitUsage);
    EXPECT_NE(console.find("*** More than 2 filenames ***\n"), std::string::npos);
    EXPECT_TRUE(boxes.empty());
    EXPECT_FALSE(logged("More than 2"));
}

TEST_F(CommandLine, FileNames) {
    write("Race1.fpl", "");
    read({"Race1.fpl", "C:\\Out\\x.tsk"});
    EXPECT_EQ(tarvex_c.infile, "Race1.fpl");
    EXPECT_EQ(tarvex_c.outfile, "C:\\Out\\x.tsk");

    // A host path takes the Windows form.
    read({dir_.path().string() + "/Race1.fpl"});
    EXPECT_EQ(tarvex_c.infile, program_folder() + "Race1.fpl");

    // A name whose Windows form is a character too long for a path field
    // (here by the drive a host path takes) ends the run, told in the
    // language of the options that follow it.
    const std::string name(kPathLength + 1 - program_folder().size(), 'b');
    std::string console;
    const RunStopped stopped = stop_reading({"Race1.fpl", dir_.path().string() + "/" + name, "-fr"}, console);
    EXPECT_EQ(stopped.exit_code, kExitUsage);
    ASSERT_EQ(boxes.size(), 1u);
    // The path shown whole.
    EXPECT_EQ(boxes[0].text,
              "*** " + program_folder() + name + " : chemin trop long (256 caract\xE8res au plus) ***");
}

TEST_F(CommandLine, BareInputNamesAreLookedForInTheFlightPlansFolder) {
    inst00.cndrrootpath = "C:\\users\\me\\Documents\\Condor3\\";

    tarvex_c.defpath = "D:\\Plans";
    read({"Race1.fpl"});
    EXPECT_EQ(tarvex_c.infile, "D:\\Plans\\Race1.fpl");

    tarvex_c.defpath = "D:\\Plans\\";
    read({"Race1.fpl"});
    EXPECT_EQ(tarvex_c.infile, "D:\\Plans\\Race1.fpl");

    // The flight-plans path names one plan: its folder.
    tarvex_c.defpath = "D:\\Plans\\Usual.FPL";
    read({"Race1.fpl"});
    EXPECT_EQ(tarvex_c.infile, "D:\\Plans\\Race1.fpl");

    // "AUTO" is the FlightPlans folder of the Condor user root, without a doubled "\".
    tarvex_c.defpath = "AUTO";
    tarvex01.qauto_defpath = true;
    read({"Race1.fpl"});
    EXPECT_EQ(tarvex_c.infile, "C:\\users\\me\\Documents\\Condor3\\FlightPlans\\Race1.fpl");

    // A bare folder name lies in FlightPlans when the Condor folders are automatic.
    tarvex_c.defpath = "Club";
    tarvex01.qauto_defpath = false;
    read({"Race1.fpl"});
    EXPECT_EQ(tarvex_c.infile, "C:\\users\\me\\Documents\\Condor3\\FlightPlans\\Club\\Race1.fpl");

    // A name with a folder, or a file that exists here, stays as typed.
    read({"Other\\Race1.fpl"});
    EXPECT_EQ(tarvex_c.infile, "Other\\Race1.fpl");
    read({"C:Race1.fpl"});
    EXPECT_EQ(tarvex_c.infile, "C:Race1.fpl");
    write("Here.fpl", "");
    read({"Here.fpl"});
    EXPECT_EQ(tarvex_c.infile, "Here.fpl");
}

TEST_F(CommandLine, EveryReadAppliesEveryOptionAgain) {
    read({"-lk8", "Race1.fpl"});
    // The settings file switches the target back; the second reading wins again.
    tarvex01.qlk8000 = false;
    tarvex01.qxcs = true;
    tarvex_c.infile.clear();
    read({"-lk8", "Race1.fpl"});
    EXPECT_TRUE(tarvex01.qlk8000);
    EXPECT_FALSE(tarvex01.qxcs);
    EXPECT_FALSE(tarvex_c.infile.empty());

    // Members no option touches keep their values.
    tarvex01.qsilent = true;
    read({});
    EXPECT_TRUE(tarvex01.qsilent);
}

}  // namespace

#include "driver/startup.h"

#include "driver/command_line.h"
#include "driver/settings_file.h"
#include "driver_fixture.h"
#include "support/fake_wine_prefix.h"
#include "support/std_streams.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <vector>

using tarvex_test::CapturedStdout;
using tarvex_test::crlf;
using tarvex_test::DriverTest;
using tarvex_test::FakePrefixOptions;
using tarvex_test::FakeWaitClock;
using tarvex_test::FakeWinePrefix;
using tarvex_test::RunStopped;
using tarvex_test::ScopedEnv;
using tarvex_test::ScopedStdin;

namespace {

FakePrefixOptions no_condor() {
    FakePrefixOptions options;
    options.condor2.reset();
    options.condor3.reset();
    return options;
}

// A settings file as a user keeps it.
std::vector<std::string> settings(const std::string& version, const std::vector<std::string>& more = {}) {
    std::vector<std::string> lines = {"Tarvex Version=" + version, "Condor 2 Path=AUTO", "Condor root folder=AUTO",
                                      "XCsoar Destination Path=C:\\XCSoarData\\Tasks"};
    lines.insert(lines.end(), more.begin(), more.end());
    return lines;
}

class StartUp : public DriverTest {
protected:
    explicit StartUp(const FakePrefixOptions& options = {}) : prefix(options) {}

    void start(const std::vector<std::string>& options, const std::string& program = "tarvex") {
        std::vector<std::string> args{program};
        args.insert(args.end(), options.begin(), options.end());
        set_command_line(args);
        start_up(run);
    }
    RunStopped stop_starting(const std::vector<std::string>& options) {
        return stop_of([&] { start(options); });
    }
    std::string written_version() const {
        const std::string text = read("Tarvex.ini");
        const std::size_t at = text.find("Tarvex Version=");
        return at == std::string::npos ? "" : text.substr(at + 15, 4);
    }

    FakeWinePrefix prefix;
    RunState run;
};

class StartUpWithoutCondor : public StartUp {
protected:
    StartUpWithoutCondor() : StartUp(no_condor()) {}
};

TEST_F(StartUpWithoutCondor, NoCondorEndsTheRun) {
    const RunStopped stopped = stop_starting({"-nogui"});
    EXPECT_EQ(stopped.exit_code, kExitConfiguration);
    ASSERT_FALSE(boxes.empty());
    EXPECT_EQ(boxes.back().status, 1);
    EXPECT_EQ(boxes.back().text, "*** No Condor installation found (2 or 3) ***");
    EXPECT_TRUE(logged("*** No Condor installation found (2 or 3) ***"));
    EXPECT_FALSE(exists("Tarvex.ini"));
}

TEST_F(StartUpWithoutCondor, CommandLineActsFromTheFirstMessage) {
    // "-line": not a single box, also for the discovery's own messages.
    CapturedStdout out;
    RunStopped stopped = stop_starting({"-line", "-fr"});
    const std::string console = out.finish();
    EXPECT_EQ(stopped.exit_code, kExitConfiguration);
    EXPECT_TRUE(boxes.empty());
    EXPECT_NE(console.find("*** Aucune installation de Condor (2 ou 3) trouv\xE9" "e ***"), std::string::npos)
        << console;

    // "-help" answers without any Condor.
    stopped = stop_starting({"-help"});
    EXPECT_EQ(stopped.exit_code, kExitSuccess);

    // The system's language decides before any settings are read.
    boxes.clear();
    ScopedEnv french("LANGUAGE", "fr");
    stop_starting({});
    ASSERT_FALSE(boxes.empty());
    EXPECT_EQ(boxes.back().text, "*** Aucune installation de Condor (2 ou 3) trouv\xE9" "e ***");
}

TEST_F(StartUp, FirstRunWithoutSettingsFileAndWithoutForms) {
    const std::string xcsoar = (dir_.path() / "XCSoarData" / "Tasks").string();
    const std::string lk8000 = (dir_.path() / "LK8000" / "_Tasks").string();
    const std::string seeyou = (dir_.path() / "SeeYou").string();
    for (const std::string& folder : {xcsoar, lk8000, seeyou}) {
        std::filesystem::create_directories(folder);
    }
    {
        ScopedStdin answers(xcsoar + "\n" + lk8000 + "\n" + seeyou + "\n");
        CapturedStdout out;
        start({"-nogui", "-line"});
        EXPECT_NE(out.finish().find("was successfully created or updated"), std::string::npos);
    }
    EXPECT_FALSE(run.qex);
    EXPECT_EQ(run.file_version, 4400);
    EXPECT_EQ(written_version(), "4400");
    EXPECT_EQ(tarvex_c.inifile, program_folder() + "Tarvex.ini");
    EXPECT_EQ(tarvex_c.xcsoar_tasks, program_folder() + "XCSoarData\\Tasks");
    EXPECT_EQ(tarvex_c.xcsoar_root, program_folder() + "XCSoarData");
    EXPECT_EQ(tarvex_c.lk8000_root, program_folder() + "LK8000");
    EXPECT_TRUE(boxes.empty());
    EXPECT_EQ(tarvex_c.cvers, "4.4.0.0");
    EXPECT_EQ(tarvex01.nvers, 4400);
    // The flight-plans path became Condor's own FlightPlans folder.
    EXPECT_EQ(tarvex_c.defpath, prefix.user_root(3) + "FlightPlans\\");
    EXPECT_FALSE(exists("Tarvex_0000.ini"));
}

TEST_F(StartUp, FirstRunWithTheFormsShowsTheSetupForm) {
    // No form window to open: told, logged, exit code 3, nothing written.
    RunStopped stopped = stop_starting({});
    EXPECT_EQ(stopped.exit_code, kExitConfiguration);
    ASSERT_EQ(boxes.size(), 1u);
    EXPECT_EQ(boxes[0].text, tarvex_test::kNoFormWindow);
    EXPECT_TRUE(logged(tarvex_test::kNoFormWindow));
    EXPECT_FALSE(exists("Tarvex.ini"));

    // The setup form cancelled: a quiet end, nothing written.
    tarvex_test::FakeForms forms;
    forms.on_setup = [] { return -1; };
    boxes.clear();
    stopped = stop_starting({});
    EXPECT_EQ(stopped.exit_code, kExitSuccess);
    EXPECT_EQ(stopped.text, "");
    EXPECT_EQ(forms.setups, 1);
    EXPECT_TRUE(boxes.empty());
    EXPECT_FALSE(exists("Tarvex.ini"));

    // Its OK: the main program writes what the form left in the options.
    forms.on_setup = [] {
        tarvex_c.xcsoar_tasks = "C:\\XCSoarData\\Tasks";
        tarvex_c.lk8000_tasks = "";
        tarvex_c.seeyou_tasks = "";
        return 1;
    };
    start({"-line"});
    EXPECT_EQ(forms.setups, 2);
    EXPECT_EQ(forms.conversions, 0);
    EXPECT_NE(read("Tarvex.ini").find("\r\nXCsoar Destination Path=C:\\XCSoarData\\Tasks\r\n"), std::string::npos);
    EXPECT_FALSE(exists("Tarvex_0000.ini"));
    EXPECT_EQ(run.file_version, 4400);
}

TEST_F(StartUp, VersionRule) {
    // Written by another hundred: the setup form is needed, which the run
    // without forms cannot show.
    for (const std::string version : {"4399", "4390", "3950"}) {
        write("Tarvex.ini", crlf(settings(version)));
        boxes.clear();
        const RunStopped stopped = stop_starting({"-nogui"});
        EXPECT_EQ(stopped.exit_code, kExitConfiguration) << version;
        ASSERT_EQ(boxes.size(), 1u) << version;
        EXPECT_EQ(boxes[0].status, 2);
        EXPECT_EQ(boxes[0].text,
                  "The Tarvex.ini file needs updating\nPlease run Tarvex with GUI to update the file");
        EXPECT_EQ(written_version(), version);
    }
    // Shown, not logged.
    EXPECT_FALSE(logged("needs updating"));

    // With the forms on, the setup form opens, and the file it leaves is
    // written anew and read again.
    write("Tarvex.ini", crlf(settings("4399")));
    {
        tarvex_test::FakeForms forms;
        start({"-line"});
        EXPECT_EQ(forms.setups, 1);
        EXPECT_EQ(written_version(), "4400");
        EXPECT_EQ(read("Tarvex_0000.ini"), crlf(settings("4399")));
        EXPECT_EQ(run.file_version, 4400);
        std::filesystem::remove(dir_.path() / "Tarvex_0000.ini");
    }

    // 4400 and later are accepted as they are.
    for (const std::string version : {"4400", "4405", "4510"}) {
        write("Tarvex.ini", crlf(settings(version)));
        start({"-nogui"});
        EXPECT_TRUE(run.qex);
        EXPECT_EQ(run.file_version, std::stoi(version));
        EXPECT_EQ(written_version(), version);
        EXPECT_FALSE(exists("Tarvex_0000.ini"));
    }

    // Missing data needs the setup form as well.
    write("Tarvex.ini", crlf({"Tarvex Version=4400"}));
    EXPECT_EQ(stop_starting({"-nogui"}).exit_code, kExitConfiguration);
}

TEST_F(StartUp, OlderMinorVersionIsRewrittenSilently) {
    // A program of version 4410 with a file that 4400 wrote.
    set_startup_defaults();
    tarvex01.nvers = 4410;
    cmndta001.qline = true;
    write("Tarvex.ini", crlf(settings("4400", {"AAT=1", "Target=SeeYou"})));
    settings_file_startup(run);
    EXPECT_TRUE(run.qex);
    EXPECT_EQ(run.file_version, 4400);
    EXPECT_TRUE(tarvex01.qaat_ini);
    rewrite_older_settings(run);
    EXPECT_EQ(written_version(), "4410");
    EXPECT_EQ(read("Tarvex_0000.ini"), crlf(settings("4400", {"AAT=1", "Target=SeeYou"})));
    // The file's own AAT switch is written back.
    EXPECT_NE(read("Tarvex.ini").find("\r\nAAT=1\r\n"), std::string::npos);
    EXPECT_NE(read("Tarvex.ini").find("\r\nTarget=SeeYou\r\n"), std::string::npos);

    // The same minor version is left alone.
    RunState again;
    settings_file_startup(again);
    rewrite_older_settings(again);
    EXPECT_FALSE(exists("Tarvex_0001.ini"));

    // A file that did not exist at start was just written: no rewrite.
    RunState fresh;
    fresh.file_version = 4400;
    rewrite_older_settings(fresh);
    EXPECT_FALSE(exists("Tarvex_0001.ini"));
}

TEST_F(StartUp, CommandLineOverridesTheSettingsFile) {
    write("Tarvex.ini", crlf(settings("4400", {"Target=LK8000", "LK8000 Destination Path=D:\\LK8000\\_Tasks",
                                               "Language=FR", "Task warnings file=C:\\Sum.txt", "AAT=1",
                                               "verbose=1", "Flightplans path=Club"})));
    start({"-nogui", "-xcs", "-en"});
    EXPECT_TRUE(tarvex01.qxcs);
    EXPECT_FALSE(tarvex01.qlk8000);
    EXPECT_FALSE(cmndta001.qfr);
    // The target of the file asked for the turnpoint check before the command line changed it.
    EXPECT_TRUE(tarvex01.qchkwp);
    EXPECT_EQ(run.summary_name_length, 10u);
    EXPECT_TRUE(rd_fpl_6.qaat);
    EXPECT_TRUE(tarvex01.qverb_0);
    EXPECT_EQ(tarvex_c.defpath, prefix.user_root(3) + "FlightPlans\\Club");
    EXPECT_EQ(tarvex_c.lk8000_root, "D:\\LK8000");
    EXPECT_GT(run.settings_date, 0);
    EXPECT_GT(run.t_start, 0);
}

TEST_F(StartUp, LanguageAndConsole) {
    write("Tarvex.ini", crlf(settings("4400", {"Language=AUTO"})));
    {
        ScopedEnv french("LANGUAGE", "fr_FR");
        start({"-nogui"});
        EXPECT_TRUE(cmndta001.qfr);
    }
    start({"-nogui"});
    EXPECT_FALSE(cmndta001.qfr);
    EXPECT_TRUE(tarvex01.qkeepwnd);

    set_command_line({"/usr/bin/tarvex", "-nogui"});
    start_up(run);
    EXPECT_FALSE(tarvex01.qkeepwnd);
    set_command_line({"C:\\Tarvex\\tarvex.exe", "-nogui", "-line"});
    start_up(run);
    EXPECT_TRUE(tarvex01.qkeepwnd);
    set_command_line({"C:\\Tarvex\\tarvex.exe", "-nogui", "-keep"});
    start_up(run);
    EXPECT_TRUE(tarvex01.qkeepwnd);
}

TEST_F(StartUp, WaitModeSwitchesTheFormsOff) {
    write("Tarvex.ini", crlf(settings("4400")));
    start({"-wait"});
    EXPECT_TRUE(tarvex01.qwait);
    EXPECT_FALSE(tarvex01.qgui);
}

TEST_F(StartUp, StartsFromTheDefaults) {
    write("Tarvex.ini", crlf(settings("4400")));
    tarvex01.qsilent = true;
    rd_fpl_4.finishminalt = 300.0f;
    rd_fpl_5.qas_disa[17] = true;
    as0003.qlistas = true;
    inst00.condor_1_path = "C:\\Condor";
    FakeWaitClock clock(1'700'000'123);
    start({"-nogui"});
    EXPECT_FALSE(tarvex01.qsilent);
    EXPECT_FLOAT_EQ(rd_fpl_4.finishminalt, 0.0f);
    EXPECT_FALSE(rd_fpl_5.qas_disa[17]);
    EXPECT_FALSE(as0003.qlistas);
    EXPECT_TRUE(as0003.qcropas);
    EXPECT_EQ(inst00.condor_1_path, "XXXXX");
    EXPECT_EQ(run.t_start, 1'700'000'123);
    EXPECT_TRUE(exists("Tarvex.log"));
}

}  // namespace

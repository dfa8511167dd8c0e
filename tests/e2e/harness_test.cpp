// The end-to-end harness itself: running programs, the checks, and the demo
// layout in a fake prefix.

#include "e2e/harness/checks.h"
#include "e2e/harness/program_run.h"
#include "e2e/harness/tarvex_install.h"
#include "platform/process.h"
#include "support/demo_setup.h"
#include "support/temp_dir.h"

#include <gtest/gtest.h>

#include <sys/stat.h>

#include <filesystem>
#include <string>

namespace fs = std::filesystem;
using namespace tarvex_test;

namespace {

fs::path system_program(const std::string& name) {
    const std::optional<std::string> path = find_program(name);
    return path ? fs::path(*path) : fs::path("/usr/bin") / name;
}

ProgramRun plain_run(const std::string& program, std::vector<std::string> args = {}) {
    ProgramRun run;
    run.program = system_program(program);
    run.args = std::move(args);
    run.environment = {{"PATH", "/usr/bin:/bin"}};
    return run;
}

}  // namespace

TEST(ProgramRun, InputOutputEnvironmentFolderAndExitCode) {
    // Standard input reaches the program whole, standard output comes back whole.
    ProgramRun cat = plain_run("cat");
    cat.input = std::string(200000, 'x') + "\nend\n";
    RunOutcome outcome = run_program(cat);
    EXPECT_TRUE(ExitedWith(outcome, 0));
    EXPECT_EQ(outcome.out, cat.input);
    EXPECT_EQ(outcome.err, "");

    // The environment is exactly the one given.
    ProgramRun env = plain_run("env");
    env.environment.emplace_back("TARVEX_E2E", "a b=c");
    outcome = run_program(env);
    EXPECT_TRUE(HasLine(outcome.out, "TARVEX_E2E=a b=c"));
    EXPECT_TRUE(HasLine(outcome.out, "PATH=/usr/bin:/bin"));
    EXPECT_EQ(text_lines(outcome.out).size(), 2u);

    // The current folder.
    const TempDir dir("tarvex-run");
    ProgramRun pwd = plain_run("pwd");
    pwd.folder = dir.path();
    outcome = run_program(pwd);
    EXPECT_EQ(fs::canonical(text_lines(outcome.out).at(0)), fs::canonical(dir.path()));

    // Exit codes and standard error.
    outcome = run_program(plain_run("false"));
    EXPECT_TRUE(ExitedWith(outcome, 1));
    EXPECT_FALSE(ExitedWith(outcome, 0));
    outcome = run_program(plain_run("cat", {"/no/such/file"}));
    EXPECT_TRUE(ExitedWith(outcome, 1));
    EXPECT_TRUE(HasLineContaining(outcome.err, "/no/such/file"));
}

TEST(ProgramRun, ProgramThatStopsReadingEarly) {
    // "true" never reads its input: writing the rest must not stop the tests.
    ProgramRun run = plain_run("true");
    run.input = std::string(1 << 20, 'y');
    EXPECT_TRUE(ExitedWith(run_program(run), 0));
}

TEST(ProgramRun, NotStartedAndTimedOut) {
    ProgramRun missing = plain_run("cat");
    missing.program = "/no/such/program";
    RunOutcome outcome = run_program(missing);
    EXPECT_FALSE(outcome.started);
    EXPECT_NE(outcome.error.find("/no/such/program"), std::string::npos);
    EXPECT_FALSE(ExitedWith(outcome, 0));

    ProgramRun bad_folder = plain_run("true");
    bad_folder.folder = "/no/such/folder";
    EXPECT_FALSE(run_program(bad_folder).started);

    // A program that waits for ever is killed at the timeout.
    ProgramRun sleep = plain_run("sleep", {"60"});
    sleep.timeout = std::chrono::milliseconds(200);
    outcome = run_program(sleep);
    EXPECT_TRUE(outcome.started);
    EXPECT_TRUE(outcome.timed_out);
    EXPECT_EQ(outcome.exit_code, 128 + 9);
    EXPECT_FALSE(ExitedWith(outcome, 137));
}

TEST(Checks, LinesOfAnOutput) {
    const std::string text = "first\r\n  *** Message ***  \nlast line";
    EXPECT_EQ(text_lines(text), (std::vector<std::string>{"first", "  *** Message ***  ", "last line"}));
    EXPECT_EQ(text_lines(""), std::vector<std::string>{});
    EXPECT_EQ(text_lines("a\n\nb\n"), (std::vector<std::string>{"a", "", "b"}));

    EXPECT_TRUE(HasLine(text, "*** Message ***"));
    EXPECT_TRUE(HasLine(text, " first"));
    EXPECT_FALSE(HasLine(text, "*** Message"));  // a whole line, not a part of one
    EXPECT_TRUE(HasLineContaining(text, "Message"));
    EXPECT_FALSE(HasLineContaining(text, "first\r"));
    EXPECT_TRUE(HasNoLineContaining(text, "error"));
    EXPECT_FALSE(HasNoLineContaining(text, "last"));
    EXPECT_TRUE(HasLineEndingWith(text, "line"));
    EXPECT_FALSE(HasLineEndingWith(text, "last"));
    EXPECT_FALSE(HasLineEndingWith("ab", "xab"));
}

TEST(Checks, FilesByteForByte) {
    const TempDir dir("tarvex-checks");
    const fs::path file = dir.write("task.tsk", "line 1\r\nline 2\r\n");
    EXPECT_TRUE(FileHasBytes(file, "line 1\r\nline 2\r\n"));
    const ::testing::AssertionResult lf = FileHasBytes(file, "line 1\nline 2\n");
    EXPECT_FALSE(lf);
    EXPECT_NE(std::string(lf.message()).find("byte 6 (line 1, column 7)"), std::string::npos) << lf.message();
    const ::testing::AssertionResult longer = FileHasBytes(file, "line 1\r\nline 2\r\nline 3\r\n");
    EXPECT_NE(std::string(longer.message()).find("8 bytes are missing"), std::string::npos) << longer.message();
    const ::testing::AssertionResult shorter = FileHasBytes(file, "line 1\r\n");
    EXPECT_NE(std::string(shorter.message()).find("line 2"), std::string::npos) << shorter.message();
    EXPECT_FALSE(FileHasBytes(dir.path() / "missing.tsk", ""));
    EXPECT_TRUE(FileIsMissing(dir.path() / "missing.tsk"));
    EXPECT_FALSE(FileIsMissing(file));
}

TEST(DemoLayout, SettingsEdits) {
    const std::string ini = "# comment\r\nTarget=XCSoar\r\nWrite Default Files=0\r\nPost run script=\r\n";
    EXPECT_EQ(with_setting(ini, "Write Default Files", "1"),
              "# comment\r\nTarget=XCSoar\r\nWrite Default Files=1\r\nPost run script=\r\n");
    EXPECT_EQ(with_setting(ini, "Post run script", "C:\\run me.cmd"),
              "# comment\r\nTarget=XCSoar\r\nWrite Default Files=0\r\nPost run script=C:\\run me.cmd\r\n");
    EXPECT_EQ(with_setting(ini, "Language", "FR"), ini + "Language=FR\r\n");
    // Only a whole key at the start of a line is replaced.
    EXPECT_EQ(with_setting("Target=XCSoar\n", "Tar", "x"), "Target=XCSoar\nTar=x\n");
    EXPECT_EQ(with_setting("Units=0", "Units", "2"), "Units=2");
}

TEST(DemoLayout, EverythingWhereTheProgramLooks) {
    const TarvexInstall install;
    const DemoSetup& demo = install.demo();
    const FakeWinePrefix& prefix = install.prefix();
    for (const int version : {2, 3}) {
        const std::string landscape = FakeWinePrefix::landscape_dir(version, kDemoLandscape) + "\\" + kDemoLandscape;
        EXPECT_EQ(fs::file_size(install.host(landscape + ".trn")), 36u);
        EXPECT_EQ(fs::file_size(install.host(landscape + ".apt")) % 72, 0u);
        EXPECT_TRUE(fs::exists(install.host(landscape + ".cup")));
        EXPECT_EQ(fs::exists(install.host(landscape + ".air")), version == 3);
        EXPECT_TRUE(fs::exists(install.host(prefix.user_root(version) + "Turnpoints\\" + kDemoLandscape + ".cup")));
        EXPECT_TRUE(fs::exists(install.host(prefix.pilot_dir(version) + "\\Setup.ini")));
        EXPECT_TRUE(fs::exists(install.host(prefix.flight_plan(version))));
    }
    EXPECT_EQ(demo.condor3_plan, prefix.user_root(3) + "FlightPlans\\DemoRace3.fpl");
    EXPECT_EQ(demo.condor2_plan, prefix.user_root(2) + "FlightPlans\\DemoRace2.fpl");
    EXPECT_EQ(demo.seeyou_task, prefix.user_root(3) + "FlightPlans\\DemoTask.cup");
    EXPECT_TRUE(fs::is_directory(install.host(demo.xcsoar_tasks)));
    EXPECT_TRUE(fs::is_directory(install.host(demo.lk8000_tasks)));
    EXPECT_TRUE(fs::is_directory(install.host(demo.seeyou_tasks)));
    EXPECT_TRUE(fs::exists(install.host("C:\\XCSoarData\\default.prf")));
    EXPECT_TRUE(fs::exists(install.host("C:\\LK8000\\_Configuration\\DEFAULT_PROFILE.prf")));

    // Text files have CR LF line ends; binary files are copied as they are.
    const std::string plan = TempDir::read(install.host(demo.condor3_plan));
    EXPECT_EQ(plan.substr(0, 11), "[Version]\r\n");
    EXPECT_EQ(plan.find("\r\r"), std::string::npos);
    EXPECT_EQ(TempDir::read(install.host(FakeWinePrefix::landscape_dir(3, kDemoLandscape) + "\\DemoProvence.trn")),
              TempDir::read(demo_source_folder() / "landscape" / "DemoProvence.trn"));

    // The program, its settings file and map lists in its folder; runs start there.
    EXPECT_EQ(demo.program, std::string(kDemoProgramFolder) + "\\" + tarvex_program().filename().string());
    EXPECT_EQ(install.folder, install.host(kDemoProgramFolder));
    struct stat info {};
    ASSERT_EQ(::stat(install.host(demo.program).c_str(), &info), 0);
    EXPECT_NE(info.st_mode & S_IXUSR, 0u);
    EXPECT_EQ(install.settings().substr(0, 41), "# Tarvex.ini : settings file for Tarvex\r\n");
    EXPECT_TRUE(fs::exists(install.host(std::string(kDemoProgramFolder) + "\\Tarvex_maps.txt")));
    EXPECT_TRUE(fs::exists(install.host(std::string(kDemoProgramFolder) + "\\Tarvex_LK8000_maps.txt")));

    // The run environment points at the prefix.
    EXPECT_EQ(variable(install.environment, "WINEPREFIX"), prefix.root().string());
    EXPECT_EQ(variable(install.environment, "TARVEX_DIALOGS"), "console");
    EXPECT_EQ(variable(install.environment, "DISPLAY"), "");
}

TEST(DemoLayout, OnlyTheInstalledVersionsAndNoSettingsFile) {
    FakePrefixOptions only3;
    only3.condor2.reset();
    DemoOptions no_settings;
    no_settings.settings_file = false;
    TarvexInstall install(only3, no_settings);
    EXPECT_EQ(install.demo().condor2_plan, "");
    EXPECT_NE(install.demo().condor3_plan, "");
    EXPECT_FALSE(fs::exists(install.host("C:\\Condor2")));
    EXPECT_FALSE(fs::exists(install.host(install.demo().settings_file)));
    install.set_setting("Target", "LK8000");
    EXPECT_EQ(install.settings(), "Target=LK8000\n");
}

TEST(DemoLayout, KeptPrefixInAGivenFolder) {
    const TempDir dir("tarvex-kept");
    const fs::path folder = dir.path() / "wine";
    {
        FakePrefixOptions options;
        options.folder = folder;
        FakeWinePrefix prefix(options);
        lay_out_demo(prefix);
        EXPECT_EQ(prefix.root(), folder);
    }
    // The prefix outlives the object, and a second one is not laid over it.
    EXPECT_TRUE(fs::exists(folder / "user.reg"));
    EXPECT_TRUE(fs::exists(folder / "drive_c" / "Condor3" / "Landscapes" / "DemoProvence" / "DemoProvence.air"));
    FakePrefixOptions again;
    again.folder = folder;
    EXPECT_THROW(FakeWinePrefix{again}, std::invalid_argument);
}

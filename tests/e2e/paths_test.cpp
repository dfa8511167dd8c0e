// Paths as a pilot writes them, on the command line and in the settings file,
// and outputs that must not replace what the run reads: the real program in
// the demo's prefix.

#include "e2e/harness/checks.h"
#include "e2e/harness/tarvex_install.h"
#include "support/temp_dir.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <tuple>
#include <vector>

using namespace tarvex_test;
namespace fs = std::filesystem;

namespace {

constexpr const char* kTask = "C:\\XCSoarData\\Tasks\\DemoRace3.tsk";
constexpr const char* kTaskCopy = "C:\\XCSoarData\\Tasks\\Condor.tsk";
constexpr const char* kAirspace = "C:\\XCSoarData\\CondorAirspace.txt";
constexpr const char* kAirspaceCopy = "C:\\XCSoarData\\Condor-PZ.txt";
constexpr const char* kProfile = "C:\\XCSoarData\\Condor.prf";

class Paths : public ::testing::Test {
protected:
    std::string read(const std::string& windows_path) const { return TempDir::read(install.host(windows_path)); }
    bool exists(const std::string& windows_path) const { return fs::exists(install.host(windows_path)); }
    std::string host(const std::string& windows_path) const { return install.host(windows_path).string(); }
    RunOutcome convert(const std::string& input) const { return install.run({"-nogui", "-line", input}); }

    // The XCSoar files of a conversion of the Condor 3 plan, where the demo's
    // settings put them.
    void expect_xcsoar_files(const RunOutcome& outcome) const {
        EXPECT_TRUE(ExitedWith(outcome, exit_code::success));
        for (const char* file : {kTask, kTaskCopy, kAirspace, kAirspaceCopy, kProfile}) {
            EXPECT_TRUE(exists(file)) << file;
        }
        EXPECT_EQ(read(kTaskCopy), read(kTask));
    }

    TarvexInstall install;
    const DemoSetup& demo = install.demo();
};

TEST_F(Paths, AnOutputThatIsTheInputIsRefusedAndThePlanKept) {
    const std::string task = read(demo.seeyou_task);
    const std::string terrain = "C:\\Condor3\\Landscapes\\DemoProvence\\DemoProvence.trn";
    install.folder = install.host(demo.seeyou_task).parent_path();
    // The input named as the output in other letters, in the host's form, on
    // another drive: each is the SeeYou task itself.
    for (const std::string& output : {std::string("demotask.CUP"), host(demo.seeyou_task),
                                      "Z:" + host(demo.seeyou_task)}) {
        const RunOutcome outcome = install.run({"-nogui", "-line", "-cup", "DemoTask.cup", output}, terrain + "\n");
        EXPECT_TRUE(ExitedWith(outcome, exit_code::usage)) << output;
        EXPECT_TRUE(HasLineContaining(outcome.err, " : an output cannot be the input ***")) << outcome.err;
        EXPECT_TRUE(HasLine(outcome.err, "Nothing was written: choose another output"));
        EXPECT_TRUE(HasLineContaining(install.log(), " : an output cannot be the input ***"));
        EXPECT_TRUE(FileHasBytes(install.host(demo.seeyou_task), task));
    }

    // The settings file and a file of the landscape are read too.
    const std::string settings = install.settings();
    install.folder = install.host(demo.program_folder);
    install.set_setting("Airspace file", "c:\\tarvex\\TARVEX.INI");
    const std::string edited = install.settings();
    RunOutcome outcome = install.run({"-nogui", "-line", "-fr", demo.condor3_plan});
    EXPECT_TRUE(ExitedWith(outcome, exit_code::usage));
    EXPECT_TRUE(HasLine(outcome.err,
                        "*** c:\\tarvex\\TARVEX.INI : une sortie ne peut pas \xC3\xAAtre le fichier de "
                        "param\xC3\xA8tres ***"));
    EXPECT_TRUE(FileHasBytes(install.host(demo.settings_file), edited));
    install.prefix().add_file(demo.settings_file, settings);
    install.set_setting("Airspace file", terrain);
    const std::string header = read(terrain);
    outcome = install.run({"-nogui", "-line", demo.condor3_plan});
    EXPECT_TRUE(ExitedWith(outcome, exit_code::usage));
    EXPECT_TRUE(HasLine(outcome.err, "*** " + terrain + " : an output cannot be a file of the landscape ***"));
    EXPECT_TRUE(FileHasBytes(install.host(terrain), header));
    // Nothing else was written either.
    for (const char* file : {kTask, kTaskCopy, kAirspace, kAirspaceCopy, kProfile}) {
        EXPECT_TRUE(FileIsMissing(install.host(file)));
    }
    EXPECT_TRUE(FileIsMissing(install.host(demo.condor3_plan).parent_path() / "DemoRace3-AS_LIST.txt"));
}

TEST_F(Paths, NoOutputReplacesAnotherOutputOrAFileTheRunMayRead) {
    const std::string pilot_settings = install.prefix().pilot_dir(3) + "\\Setup.ini";
    install.prefix().add_file("C:\\XCSoarData\\profiles\\default.prf", "MapFile=\"\"\r\n");
    install.prefix().add_file(kProfile, "AirspaceFile=\"\"\r\n");
    struct Case {
        std::string key;
        std::string value;
        std::string file;  // the file the value names, kept
        std::string told;  // after "*** " and the path
    };
    const std::string landscape = "C:\\Condor3\\Landscapes\\DemoProvence\\New.txt";
    const std::vector<Case> cases = {
        {"Task warnings file", kTaskCopy, kTaskCopy, "the task's copy and the task summary file cannot be one file"},
        {"Airspace file", "condor.PRF.bak", "C:\\XCSoarData\\Condor.prf.bak",
         "the airspace file and the profile's backup cannot be one file"},
        {"Airspace file", "C:/XCSoarData/default.prf", "C:\\XCSoarData\\default.prf",
         "an output cannot be the default profile"},
        {"Airspace file", "C:\\XCSoarData\\profiles\\default.prf", "C:\\XCSoarData\\profiles\\default.prf",
         "an output cannot be the default profile"},
        {"Airspace file", pilot_settings, pilot_settings, "an output cannot be Condor's pilot settings"},
        {"Task warnings file", "C:\\Tarvex\\Tarvex_maps.txt", "C:\\Tarvex\\Tarvex_maps.txt",
         "an output cannot be a map list"},
        {"Airspace file", "C:\\Tarvex\\Template_V3.fpl", "C:\\Tarvex\\Template_V3.fpl",
         "an output cannot be a template flight plan"},
        {"Airspace file", "C:\\Tarvex\\tarvex", "C:\\Tarvex\\tarvex", "an output cannot be a file of the program"},
        {"Airspace file", landscape, landscape, "an output cannot be a file of Condor's landscapes"},
        // The log is written anew by every run: only the refusal is checked.
        {"Airspace file", "C:\\Tarvex\\Tarvex.log", "", "an output cannot be the log of the run"},
    };
    const std::string settings = install.settings();
    for (const Case& c : cases) {
        install.set_setting(c.key, c.value);
        const std::string before = !c.file.empty() && exists(c.file) ? read(c.file) : "";
        const RunOutcome outcome = convert(demo.condor3_plan);
        EXPECT_TRUE(ExitedWith(outcome, exit_code::usage)) << c.value;
        EXPECT_TRUE(HasLineContaining(outcome.err, " : " + c.told + " ***")) << outcome.err;
        EXPECT_TRUE(HasLine(outcome.err, "Nothing was written: choose another output"));
        EXPECT_EQ(!c.file.empty() && exists(c.file) ? read(c.file) : "", before) << c.value;
        EXPECT_TRUE(FileIsMissing(install.host(kTask)));
        EXPECT_EQ(read(kProfile), "AirspaceFile=\"\"\r\n");
        install.prefix().add_file(demo.settings_file, settings);
    }
    // An OUTPUT of another format (the pilot's profile) or without an
    // extension is refused before anything is read.
    for (const auto& [target, output, wanted] :
         {std::tuple{"-xcs", kProfile, ".tsk"}, {"-lk8", "C:\\users\\Mine.tsk", ".lkt"}, {"-lk8", "C:\\Mine", ".lkt"}}) {
        const RunOutcome outcome = install.run({"-nogui", "-line", target, demo.condor3_plan, output});
        EXPECT_TRUE(ExitedWith(outcome, exit_code::usage)) << output;
        EXPECT_TRUE(HasLine(outcome.err, std::string("*** ") + output + " : not a " + wanted + " file name ***"));
        EXPECT_TRUE(HasLine(outcome.err, std::string("Enter a ") + wanted + " file name"));
    }
    EXPECT_EQ(read(kProfile), "AirspaceFile=\"\"\r\n");
}

TEST_F(Paths, Lk8000FilesGoToItsTreeWhereverTheTaskGoes) {
    // OUTPUT outside the tree: only the task goes there.
    const std::string mine = install.prefix().documents() + "\\Mine.lkt";
    RunOutcome outcome = install.run({"-nogui", "-line", "-lk8", demo.condor3_plan, mine});
    ASSERT_TRUE(ExitedWith(outcome, exit_code::success)) << outcome.err;
    EXPECT_TRUE(exists(mine));
    EXPECT_TRUE(exists("C:\\LK8000\\_Airspaces\\CondorAirspace.txt"));
    EXPECT_TRUE(exists("C:\\LK8000\\_Configuration\\Condor.prf"));
    EXPECT_TRUE(FileIsMissing(install.host("C:\\LK8000\\CondorAirspace.txt")));

    // A destination naming its file with the default files: the file and
    // its copy Default.lkt beside it.
    install.set_setting("LK8000 Destination Path", "C:\\LK8000\\_Tasks\\Mine.lkt");
    install.set_setting("Write Default Files", "1");
    outcome = install.run({"-nogui", "-line", "-lk8", demo.condor3_plan});
    ASSERT_TRUE(ExitedWith(outcome, exit_code::success)) << outcome.err;
    EXPECT_TRUE(HasLine(outcome.out, " C:\\LK8000\\_Tasks\\Mine.lkt"));
    EXPECT_TRUE(HasLine(outcome.out, " C:\\LK8000\\_Tasks\\Default.lkt"));
    EXPECT_EQ(read("C:\\LK8000\\_Tasks\\Default.lkt"), read("C:\\LK8000\\_Tasks\\Mine.lkt"));
    EXPECT_TRUE(exists("C:\\LK8000\\_Configuration\\DEFAULT_PROFILE.prf"));
}

TEST_F(Paths, ADestinationFileGetsTheXcsoarCopyInItsFolder) {
    install.set_setting("XCsoar Destination Path", "C:\\XCSoarData\\Tasks\\Mine.tsk");
    const RunOutcome outcome = convert(demo.condor3_plan);
    ASSERT_TRUE(ExitedWith(outcome, exit_code::success));
    EXPECT_TRUE(HasLine(outcome.out, "C:\\XCSoarData\\Tasks\\Mine.tsk"));
    EXPECT_TRUE(HasLine(outcome.out, kTaskCopy));
    EXPECT_EQ(read(kTaskCopy), read("C:\\XCSoarData\\Tasks\\Mine.tsk"));
    EXPECT_TRUE(HasNoLineContaining(outcome.out, "Error writing"));
    // The other files go to the root above the file's folder.
    EXPECT_TRUE(exists(kAirspace));
    EXPECT_TRUE(exists(kProfile));
}

TEST_F(Paths, AnAirspaceNamedAsItsCopyIsNotCopiedOntoItself) {
    install.set_setting("Airspace file", "Condor-PZ.txt");
    // The second run finds the file of the first one there.
    for (int run = 0; run < 2; ++run) {
        const RunOutcome outcome = convert(demo.condor3_plan);
        ASSERT_TRUE(ExitedWith(outcome, exit_code::success)) << run;
        EXPECT_TRUE(HasNoLineContaining(outcome.out, "Error writing"));
        const std::string text = read(kAirspaceCopy);
        EXPECT_NE(text.find("CONDOR PENALTY ZONES"), std::string::npos);
        EXPECT_NE(text.find("AN PZ#00"), std::string::npos);
        EXPECT_FALSE(exists(kAirspace));
        // Named once, as the file written.
        const std::string message = install.log();
        const std::size_t first = message.find(kAirspaceCopy);
        ASSERT_NE(first, std::string::npos);
        EXPECT_EQ(message.find(kAirspaceCopy, first + 1), std::string::npos);
    }
}

TEST_F(Paths, LowerCaseAndLinuxDestinationsFindTheirRoot) {
    install.set_setting("XCsoar Destination Path", "c:\\xcsoardata\\tasks");
    RunOutcome outcome = convert(demo.condor3_plan);
    expect_xcsoar_files(outcome);
    EXPECT_TRUE(HasLine(outcome.out, "c:\\xcsoardata\\CondorAirspace.txt"));
    EXPECT_TRUE(FileIsMissing(install.host("C:\\XCSoarData\\Tasks\\CondorAirspace.txt")));

    for (const char* file : {kTask, kTaskCopy, kAirspace, kAirspaceCopy, kProfile}) {
        fs::remove(install.host(file));
    }
    // The host's own paths, as a Linux pilot writes them, and a flight-plans
    // folder of its own.
    install.set_setting("XCsoar Destination Path", host("C:\\XCSoarData") + "/Tasks");
    const TempDir plans;
    plans.write("Mine3.fpl", read(demo.condor3_plan));
    install.set_setting("Flightplans path", plans.path().string());
    outcome = convert("Mine3.fpl");
    EXPECT_TRUE(ExitedWith(outcome, exit_code::success));
    EXPECT_TRUE(HasLine(outcome.out, "C:\\XCSoarData\\Tasks\\Mine3.tsk"));
    EXPECT_TRUE(HasLine(outcome.out, kAirspace));
    EXPECT_TRUE(exists("C:\\XCSoarData\\Tasks\\Mine3.tsk"));
    EXPECT_TRUE(exists(kProfile));
}

TEST_F(Paths, ADrivePathWrittenWithSlashesIsADrivePath) {
    std::string input = demo.condor3_plan;
    for (char& c : input) {
        c = c == '\\' ? '/' : c;
    }
    install.set_setting("XCsoar Destination Path", "C:/XCSoarData/Tasks");
    const RunOutcome outcome = convert(input);
    expect_xcsoar_files(outcome);
    EXPECT_TRUE(HasLine(outcome.out, "INFILE:  " + demo.condor3_plan));
}

TEST_F(Paths, APathInAMessageIsShownWhole) {
    // A destination outside the prefix that cannot be written.
    install.set_setting("XCsoar Destination Path", "/nowhere/XCSoarData/Tasks");
    const RunOutcome outcome = convert(demo.condor3_plan);
    EXPECT_TRUE(ExitedWith(outcome, exit_code::conversion_failed));
    EXPECT_TRUE(HasLine(outcome.err, "Error writing:"));
    EXPECT_TRUE(HasLine(outcome.err, "Z:\\nowhere\\XCSoarData\\Tasks\\DemoRace3.tsk"));
}

}  // namespace

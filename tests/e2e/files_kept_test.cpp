// What the pilot has is never lost: the real program on a full disk, with
// read-only outputs, two runs at once in one installation, and runs killed
// at any moment. Every file is its old or its new content, whole, and every
// file not written is told, with exit code 1.

#include "e2e/harness/checks.h"
#include "e2e/harness/tarvex_install.h"
#include "support/temp_dir.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <chrono>
#include <filesystem>
#include <future>
#include <string>
#include <vector>

using namespace tarvex_test;
namespace fs = std::filesystem;

namespace {

constexpr const char* kProfile = "C:\\XCSoarData\\Condor.prf";
constexpr const char* kAirspace = "C:\\XCSoarData\\CondorAirspace.txt";
constexpr int kUserLines = 2000;

// A pilot's profile of about 95 KB: the keys the program sets among many of
// the pilot's own lines.
std::string large_profile() {
    std::string text = "AirspaceFile=\"\"\r\nMapFile=\"\"\r\nPlanePath=\"\"\r\nWPFile=\"\"\r\nStartMaxSpeed=\"0\"\r\n";
    for (int i = 0; i < kUserLines; ++i) {
        text += "PilotSetting" + std::to_string(i) + "=\"value of the pilot's own setting " + std::to_string(i) +
                "\"\r\n";
    }
    return text;
}

// The pilot's own lines of a profile are all there, each once.
::testing::AssertionResult HoldsEveryUserLine(const std::string& profile) {
    for (int i = 0; i < kUserLines; ++i) {
        const std::string line = "\r\nPilotSetting" + std::to_string(i) + "=\"value of the pilot's own setting " +
                                 std::to_string(i) + "\"\r\n";
        const std::size_t at = profile.find(line);
        if (at == std::string::npos || profile.find(line, at + 1) != std::string::npos) {
            return ::testing::AssertionFailure() << "line " << i << " lost or doubled (" << profile.size()
                                                 << " bytes)";
        }
    }
    return ::testing::AssertionSuccess();
}

std::size_t count_of(const std::string& text, const std::string& part) {
    std::size_t count = 0;
    for (std::size_t at = text.find(part); at != std::string::npos; at = text.find(part, at + 1)) {
        ++count;
    }
    return count;
}

class FilesKept : public ::testing::Test {
protected:
    FilesKept() { install.prefix().add_file(kProfile, large_profile()); }

    RunOutcome convert(const std::string& input = "") const {
        return install.run({"-nogui", "-line", install.host(install.demo().condor3_plan).string()}, input);
    }
    std::string read(const std::string& windows_path) const { return TempDir::read(install.host(windows_path)); }
    bool exists(const std::string& windows_path) const { return fs::exists(install.host(windows_path)); }
    // The temporary files of whole writes left anywhere on drive C:.
    std::vector<std::string> temporary_files() const {
        std::vector<std::string> names;
        for (const fs::directory_entry& entry : fs::recursive_directory_iterator(install.prefix().drive_c())) {
            if (entry.path().extension() == ".tmp") {
                names.push_back(entry.path().string());
            }
        }
        return names;
    }
    // The message of a file not written: on the console and in the log.
    void expect_told(const RunOutcome& outcome, const std::string& path) const {
        for (const std::string& text : {outcome.out, install.log()}) {
            EXPECT_TRUE(HasLine(text, "Error writing:"));
            EXPECT_TRUE(HasLine(text, path));
        }
    }

    TarvexInstall install;
};

TEST_F(FilesKept, AFullDiskKeepsTheProfileAndTheSettings) {
    const std::string profile = read(kProfile);
    const std::string old_backup = "PilotSetting0=\"the backup of an earlier run\"\r\n";
    install.prefix().add_file(std::string(kProfile) + ".bak", old_backup);
    const std::string settings = install.settings();
    install.file_size_limit = 16 * 1024;  // the task and the airspace fit, the profile does not
    const RunOutcome outcome = convert();
    EXPECT_TRUE(ExitedWith(outcome, exit_code::conversion_failed));
    EXPECT_TRUE(FileHasBytes(install.host(kProfile), profile));
    EXPECT_TRUE(FileHasBytes(install.host(std::string(kProfile) + ".bak"), old_backup));
    EXPECT_TRUE(FileHasBytes(install.host(install.demo().settings_file), settings));
    EXPECT_TRUE(HasLine(outcome.out, "*** Backup copy failed:"));
    expect_told(outcome, kProfile);
    // The result names what was written, and not the profile.
    EXPECT_TRUE(HasLine(outcome.out, "C:\\XCSoarData\\Tasks\\DemoRace3.tsk"));
    EXPECT_TRUE(HasLine(outcome.out, "Penalty zones written to :"));
    EXPECT_TRUE(HasNoLineContaining(outcome.out, "Profile written to"));
    EXPECT_TRUE(temporary_files().empty());
}

// A profile that cannot be made says why on standard error, before it names
// the profile.
TEST_F(FilesKept, AMissingDefaultProfileIsTheCauseOnStandardError) {
    install.prefix().remove(kProfile);
    install.prefix().remove("C:\\XCSoarData\\default.prf");
    const RunOutcome outcome = convert();
    EXPECT_TRUE(ExitedWith(outcome, exit_code::conversion_failed));
    EXPECT_EQ(outcome.err,
              "*** File not found\n C:\\XCSoarData\\profiles\\default.prf\n C:\\XCSoarData\\default.prf\n"
              "Error writing: \n C:\\XCSoarData\\Condor.prf\n");
}

TEST_F(FilesKept, ReadOnlyOutputsAreLeftAsTheyAre) {
    const std::string list = install.prefix().user_root(3) + "FlightPlans\\DemoRace3-AS_LIST.txt";
    const std::string task_copy = install.demo().xcsoar_tasks + "\\Condor.tsk";
    install.prefix().add_file(kAirspace, "AIRSPACE OF AN EARLIER RUN\r\n");
    install.prefix().add_file(list, "     1 ZONE OF AN EARLIER RUN\r\n");
    install.prefix().add_file(task_copy, "TASK OF AN EARLIER RUN\r\n");
    const std::string profile = read(kProfile);
    for (const std::string& file : {std::string(kProfile), std::string(kAirspace), task_copy}) {
        fs::permissions(install.host(file), fs::perms::owner_read | fs::perms::group_read | fs::perms::others_read);
    }
    const RunOutcome outcome = convert();
    EXPECT_TRUE(ExitedWith(outcome, exit_code::conversion_failed));
    EXPECT_TRUE(FileHasBytes(install.host(kProfile), profile));
    EXPECT_TRUE(FileHasBytes(install.host(kAirspace), "AIRSPACE OF AN EARLIER RUN\r\n"));
    EXPECT_TRUE(FileHasBytes(install.host(list), "     1 ZONE OF AN EARLIER RUN\r\n"));
    EXPECT_TRUE(FileHasBytes(install.host(task_copy), "TASK OF AN EARLIER RUN\r\n"));
    for (const std::string& file : {std::string(kProfile), std::string(kAirspace), task_copy}) {
        expect_told(outcome, file);
    }
    EXPECT_TRUE(HasLine(outcome.out, "C:\\XCSoarData\\Tasks\\DemoRace3.tsk"));
    EXPECT_TRUE(HasNoLineContaining(outcome.out, "Penalty zones written to"));
    EXPECT_TRUE(HasNoLineContaining(outcome.out, "Profile written to"));
    EXPECT_TRUE(HasNoLineContaining(outcome.out, "Condor-PZ.txt"));
    EXPECT_TRUE(temporary_files().empty());
}

TEST_F(FilesKept, TwoRunsAtOnceTakeTurns) {
    constexpr int kRounds = 20;
    for (int round = 0; round < kRounds; ++round) {
        SCOPED_TRACE(round);
        auto first = std::async(std::launch::async, [this] { return convert(); });
        auto second = std::async(std::launch::async, [this] { return convert(); });
        const RunOutcome a = first.get();
        const RunOutcome b = second.get();
        ASSERT_TRUE(ExitedWith(a, exit_code::success));
        ASSERT_TRUE(ExitedWith(b, exit_code::success));
        ASSERT_TRUE(HoldsEveryUserLine(read(kProfile)));
        ASSERT_TRUE(HoldsEveryUserLine(read(std::string(kProfile) + ".bak")));
        const std::string airspace = read(kAirspace);
        ASSERT_EQ(count_of(airspace, "AN PZ#00"), 1u);
        ASSERT_EQ(count_of(airspace, "AN PZ#01"), 1u);
        ASSERT_EQ(count_of(airspace, "CONDOR AIRSPACE AND PENALTY ZONES"), 1u);
    }
}

TEST_F(FilesKept, AKilledRunLeavesEveryFileOldOrNewAndWhole) {
    // The files before and after a whole run. Settings are written by a first
    // run, which asks for the task folders on the console.
    const std::string old_profile = read(kProfile);
    const std::string answers =
        install.demo().xcsoar_tasks + "\n" + install.demo().lk8000_tasks + "\n" + install.demo().seeyou_tasks + "\n";
    install.prefix().remove(install.demo().settings_file);
    ASSERT_TRUE(ExitedWith(convert(answers), exit_code::success));
    const std::string new_settings = install.settings();
    const std::string new_profile = read(kProfile);
    const std::string new_airspace = read(kAirspace);
    ASSERT_NE(new_profile, old_profile);

    // Killed ever later, until a run ends by itself: a tenth later each time,
    // so that every step of the run is met a few times.
    bool ended = false;
    for (int delay_ms = 1; !ended && delay_ms < 20000; delay_ms += delay_ms / 10 + 1) {
        SCOPED_TRACE(delay_ms);
        install.prefix().add_file(kProfile, old_profile);
        install.prefix().remove(std::string(kProfile) + ".bak");
        install.prefix().remove(install.demo().settings_file);
        install.timeout = std::chrono::milliseconds(delay_ms);
        const RunOutcome outcome = convert(answers);
        ended = !outcome.timed_out;
        const std::string profile = read(kProfile);
        EXPECT_TRUE(profile == old_profile || profile == new_profile) << profile.size() << " bytes";
        if (exists(std::string(kProfile) + ".bak")) {
            EXPECT_EQ(read(std::string(kProfile) + ".bak"), old_profile);
        }
        if (exists(install.demo().settings_file)) {
            EXPECT_EQ(install.settings(), new_settings);
        }
        if (exists(kAirspace)) {
            EXPECT_EQ(read(kAirspace), new_airspace);
        }
    }
    EXPECT_TRUE(ended);

    // A run killed half way, and the next one: the backup holds the old
    // profile whole.
    install.timeout = std::chrono::seconds(120);
    install.prefix().add_file(kProfile, old_profile);
    ASSERT_TRUE(ExitedWith(convert(), exit_code::success));
    EXPECT_TRUE(FileHasBytes(install.host(std::string(kProfile) + ".bak"), old_profile));
    EXPECT_TRUE(FileHasBytes(install.host(kProfile), new_profile));
}

}  // namespace

// Every writer of a conversion meeting a failing file step (the file layer's
// fault seam): the file keeps its old bytes, no temporary file is left, the
// failure is told naming the file, the steps that can still run do, and the
// run ends with exit code 1; and the lock of one conversion at a time.

#include "driver/installation_lock.h"
#include "driver/tarvex.h"

#include "driver_fixture.h"
#include "platform/file_lock.h"
#include "support/demo_setup.h"
#include "support/fake_wine_prefix.h"
#include "support/std_streams.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <optional>
#include <string>
#include <vector>

using namespace tarvex_test;
namespace fs = std::filesystem;

namespace {

constexpr const char* kOldBytes = "OLD BYTES OF THE PILOT\r\n";

// A conversion by the main program, in the demo's prefix, from Tarvex's own
// folder there.
class FileFailures : public DriverTest {
protected:
    FileFailures() : demo(lay_out_demo(prefix)), here_(prefix.host(demo.program_folder)) {
        set_program_folder(demo.program_folder + "\\");
        prefix.add_file("C:\\LK8000\\_Polars\\Discus.xcp", "Handicap=108\r\nDumpTime=180\r\nMaxSpeed=69.4\r\n");
    }

    // Runs the main program to its end; its exit code.
    int convert(const std::vector<std::string>& options, const std::string& input) {
        std::vector<std::string> args{"tarvex", "-nogui"};
        args.insert(args.end(), options.begin(), options.end());
        args.push_back(prefix.host(input).string());
        CapturedStdout out;
        try {
            return tarvex(args);
        } catch (const RunStopped& stopped) {
            return stopped.exit_code;
        }
    }
    std::string file(const std::string& windows_path) const { return TempDir::read(prefix.host(windows_path)); }
    bool told(const std::string& path) const {
        for (const Box& box : boxes) {
            if (box.status == 1 && box.text.find(path) != std::string::npos) {
                return true;
            }
        }
        return false;
    }
    std::string log_of_run() const { return file(demo.program_folder + "\\Tarvex.log"); }
    std::vector<std::string> temporary_files() const {
        std::vector<std::string> names;
        for (const fs::directory_entry& entry : fs::recursive_directory_iterator(prefix.drive_c())) {
            if (entry.path().extension() == ".tmp") {
                names.push_back(entry.path().string());
            }
        }
        return names;
    }

    FakeWinePrefix prefix;
    DemoSetup demo;
    ScopedCwd here_;
};

struct WriterCase {
    const char* writer;
    std::vector<std::string> options;
    bool condor2_plan;
    std::string file;  // the file the fault hits, as the messages name it
    FileStep step;
    std::string setting = {};  // "key=value" of the settings file for this run
};

std::vector<WriterCase> writer_cases() {
    const std::string lk_config = "C:\\LK8000\\_Configuration\\";
    const std::string plans3 = "C:\\users\\tester\\Documents\\Condor3\\FlightPlans\\";
    return {
        {"XCSoar task", {"-xcs"}, false, "C:\\XCSoarData\\Tasks\\DemoRace3.tsk", FileStep::create},
        {"LK8000 task", {"-lk8"}, false, "C:\\LK8000\\_Tasks\\DemoRace3.lkt", FileStep::write},
        {"SeeYou task", {"-cup"}, false, "C:\\SeeYou\\Tasks\\DemoRace3.cup", FileStep::flush},
        {"JSON task", {"-json"}, false, plans3 + "DemoRace3.json", FileStep::rename},
        {"airspace copy", {"-xcs"}, false, "C:\\XCSoarData\\CondorAirspace.txt", FileStep::write},
        {"airspace list", {"-xcs"}, false, plans3 + "DemoRace3-AS_LIST.txt", FileStep::rename},
        {"penalty zones", {"-xcs"}, true, "C:\\XCSoarData\\CondorAirspace.txt", FileStep::flush},
        {"XCSoar profile", {"-xcs"}, false, "C:\\XCSoarData\\Condor.prf", FileStep::rename},
        {"profile backup", {"-xcs"}, false, "C:\\XCSoarData\\Condor.prf.bak", FileStep::create},
        {"LK8000 profile", {"-lk8"}, false, lk_config + "Condor.prf", FileStep::write},
        {"aircraft file", {"-lk8"}, false, lk_config + "Discus.acf", FileStep::flush},
        {"notepad", {"-lk8"}, false, lk_config + "NOTEPAD.txt", FileStep::rename},
        {"copy as Condor.tsk", {"-xcs"}, false, "C:\\XCSoarData\\Tasks\\Condor.tsk", FileStep::rename},
        {"copy as Condor-PZ.txt", {"-xcs"}, false, "C:\\XCSoarData\\Condor-PZ.txt", FileStep::flush},
        {"copy as Default.tsk", {"-xcs"}, false, "C:\\XCSoarData\\Default.tsk", FileStep::create,
         "Write Default Files=1"},
        {"summary file", {"-xcs"}, false, "C:\\XCSoarData\\Summary.txt", FileStep::write,
         "Task warnings file=C:\\XCSoarData\\Summary.txt"},
    };
}

TEST_F(FileFailures, EveryWriterKeepsTheOldBytesAndTellsIt) {
    ASSERT_EQ(demo.condor3_plan, "C:\\users\\tester\\Documents\\Condor3\\FlightPlans\\DemoRace3.fpl");
    const std::string settings = file(demo.settings_file);
    for (const WriterCase& c : writer_cases()) {
        SCOPED_TRACE(c.writer);
        prefix.add_file(demo.settings_file, settings);
        if (!c.setting.empty()) {
            const std::size_t equals = c.setting.find('=');
            prefix.add_file(demo.settings_file,
                            with_setting(settings, c.setting.substr(0, equals), c.setting.substr(equals + 1)));
        }
        prefix.add_file(c.file, kOldBytes);
        if (c.file.ends_with(".bak")) {
            prefix.add_file(c.file.substr(0, c.file.size() - 4), "Pilot=\"me\"\r\n");
        }
        boxes.clear();
        reset_unwritten_files();
        arm_file_fault({c.step, 1, fs::path(prefix.host(c.file)).filename().string(), ENOSPC});
        EXPECT_EQ(convert(c.options, c.condor2_plan ? demo.condor2_plan : demo.condor3_plan), kExitConversionFailed);
        EXPECT_EQ(file(c.file), kOldBytes);
        EXPECT_TRUE(temporary_files().empty());
        EXPECT_TRUE(told(c.file));
        EXPECT_NE(log_of_run().find(c.file), std::string::npos);
        disarm_file_fault();
    }
}

TEST_F(FileFailures, TheStepsThatCanStillRunDo) {
    arm_file_fault({FileStep::flush, 1, "CondorAirspace.txt", EIO});
    EXPECT_EQ(convert({"-xcs", "-line"}, demo.condor3_plan), kExitConversionFailed);
    // The profile, the task and its copy were written all the same.
    EXPECT_NE(file("C:\\XCSoarData\\Condor.prf").find("DemoProvence.cup"), std::string::npos);
    EXPECT_EQ(file("C:\\XCSoarData\\Tasks\\Condor.tsk"), file("C:\\XCSoarData\\Tasks\\DemoRace3.tsk"));
    EXPECT_FALSE(fs::exists(prefix.host("C:\\XCSoarData\\CondorAirspace.txt")));
    EXPECT_FALSE(fs::exists(prefix.host("C:\\XCSoarData\\Condor-PZ.txt")));
    // The result is an error and names no file that was not written.
    const std::string result = log_of_run().substr(log_of_run().rfind("DemoRace3.fpl"));
    EXPECT_EQ(result.find("CondorAirspace.txt"), std::string::npos);
    EXPECT_NE(result.find("Profile written to:"), std::string::npos);
}

TEST_F(FileFailures, ASecondConversionWaitsForTheFirstThenGivesUp) {
    FakeWaitClock clock(1700000000);
    FileLock other_run;
    ASSERT_EQ(other_run.try_lock(demo.program_folder + "\\Tarvex.lock"), 0);
    prefix.add_file("C:\\XCSoarData\\Condor.prf", kOldBytes);
    EXPECT_EQ(convert({"-xcs"}, demo.condor3_plan), kExitConversionFailed);
    EXPECT_EQ(clock.slept_ms().size(), static_cast<std::size_t>(kInstallationLockWaitMs / kInstallationLockPollMs));
    ASSERT_FALSE(boxes.empty());
    EXPECT_EQ(boxes.back().text, "*** Another conversion of Tarvex is running in this installation (" +
                                     demo.program_folder + "\\Tarvex.lock)\nNothing was converted: please try "
                                                           "again once it has ended ***");
    EXPECT_FALSE(fs::exists(prefix.host("C:\\XCSoarData\\Tasks\\DemoRace3.tsk")));
    EXPECT_EQ(file("C:\\XCSoarData\\Condor.prf"), kOldBytes);

    // Once the other run has ended, the lock is taken at once.
    other_run.release();
    const std::size_t sleeps = clock.slept_ms().size();
    EXPECT_EQ(convert({"-xcs"}, demo.condor3_plan), kExitSuccess);
    EXPECT_EQ(clock.slept_ms().size(), sleeps);
    // And it is given back when the run ends.
    EXPECT_EQ(other_run.try_lock(demo.program_folder + "\\Tarvex.lock"), 0);
}

}  // namespace

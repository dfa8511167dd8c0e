#include "driver/tarvex.h"

#include "driver_fixture.h"
#include "support/fake_wine_prefix.h"
#include "support/std_streams.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

using tarvex_test::CapturedStdout;
using tarvex_test::crlf;
using tarvex_test::DriverTest;
using tarvex_test::FakeWinePrefix;
using tarvex_test::RunStopped;

namespace {

class MainProgram : public DriverTest {
protected:
    MainProgram() {
        write("Tarvex.ini", crlf({"Tarvex Version=4400", "Condor 2 Path=AUTO", "Condor root folder=AUTO",
                                  "XCsoar Destination Path=C:\\XCSoarData\\Tasks"}));
    }
    RunStopped run(const std::vector<std::string>& options, std::string* console = nullptr) {
        std::vector<std::string> args{"tarvex"};
        args.insert(args.end(), options.begin(), options.end());
        CapturedStdout out;
        const RunStopped stopped = stop_of([&] { tarvex(args); });
        const std::string text = out.finish();
        if (console != nullptr) {
            *console = text;
        }
        return stopped;
    }

    FakeWinePrefix prefix;
};

TEST_F(MainProgram, UsageEnds) {
    std::string console;
    EXPECT_EQ(run({"-help"}, &console).exit_code, kExitSuccess);
    EXPECT_NE(console.find("Usage :\ntarvex [-help]"), std::string::npos);
    EXPECT_EQ(run({"-nogui", "a.fpl", "b.tsk", "c.tsk"}, &console).exit_code, kExitUsage);
    EXPECT_NE(console.find("*** More than 2 filenames ***"), std::string::npos);
    EXPECT_EQ(run({"-nogui", "-quiet"}, &console).exit_code, kExitUsage);
    EXPECT_NE(console.find("-quiet : Unrecognized option"), std::string::npos);
}

TEST_F(MainProgram, InputChecks) {
    RunStopped stopped = run({"-nogui", "-line"});
    EXPECT_EQ(stopped.exit_code, kExitConversionFailed);
    EXPECT_EQ(stopped.text, "*** No input file specified ***");

    write("notes.txt", "not a plan");
    stopped = run({"-nogui", "-line", "notes.txt"});
    EXPECT_EQ(stopped.exit_code, kExitConversionFailed);
    EXPECT_NE(stopped.text.find("notes.txt : not a Condor flight plan (.fpl) or a SeeYou task (.cup)"),
              std::string::npos);
    EXPECT_TRUE(boxes.empty());
}

TEST_F(MainProgram, WithoutAFormWindowTheRunEndsWithExitCode3) {
    write("Race1.fpl", "");
    const RunStopped stopped = run({"Race1.fpl"});
    EXPECT_EQ(stopped.exit_code, kExitConfiguration);
    ASSERT_EQ(boxes.size(), 1u);
    EXPECT_EQ(boxes[0].text, tarvex_test::kNoFormWindow);
}

}  // namespace

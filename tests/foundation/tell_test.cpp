#include "foundation/layer_reset.h"
#include "foundation/log.h"
#include "foundation/message_records.h"
#include "foundation/messages.h"
#include "foundation/tell.h"
#include "foundation/unwritten_files.h"
#include "platform/console.h"
#include "support/temp_dir.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

using tarvex_test::ScopedCwd;
using tarvex_test::TempDir;

namespace {

struct Shown {
    std::string title;
    std::string text;
    int status = 0;
};

// Boxes recorded (a question answered 6), the log "test.log" in a fresh folder.
class Telling : public ::testing::Test {
protected:
    Telling() : cwd_(dir_.path()) {
        reset_foundation_layer();
        reset_log();
        set_log_clock([] { return LogDateTime{2024, 1, 2, 3, 4, 5}; });
        set_console_utf8(false);
        set_message_box([this](const std::string& title, const std::string& text, int& status) {
            boxes.push_back({title, text, status});
            if (status >= 3) {
                status = 6;
            }
        });
        log_message_f("CREATEtest.log");
    }
    ~Telling() override {
        set_message_box(nullptr);
        reset_log();
        reset_foundation_layer();
        clear_console_encoding();
    }
    // The log after its date line and empty line.
    std::string logged() const { return TempDir::read(dir_.path() / "test.log").substr(23); }

    TempDir dir_;
    ScopedCwd cwd_;
    std::vector<Shown> boxes;
};

TEST_F(Telling, TheRunsLanguageChoosesTheTwin) {
    EXPECT_EQ(in_user_language("File", "Fichier"), "File");
    cmndta001.qfr = true;
    EXPECT_EQ(in_user_language("File", "Fichier"), "Fichier");
    EXPECT_EQ(in_language(false, "File", "Fichier"), "File");
}

TEST_F(Telling, ShownInABoxOrOnTheConsoleAndLoggedWhenAsked) {
    EXPECT_EQ(tell(kWarning, "Careful/now"), kWarning);
    EXPECT_EQ(tell(4, "Go on ?"), 6);  // a question's answer comes back
    ASSERT_EQ(boxes.size(), 2u);
    EXPECT_EQ(boxes[0].title, "Tarvex");
    EXPECT_EQ(boxes[0].text, "Careful\nnow");
    EXPECT_EQ(boxes[0].status, kWarning);
    EXPECT_EQ(logged(), "");

    // A text beginning "CREATE" is a message, not a new log.
    tell_and_log(kError, "CREATE failed/twice", {.title = "Profile"});
    EXPECT_EQ(boxes.back().title, "Profile");
    EXPECT_EQ(logged(), "CREATE failed\r\ntwice\r\n");

    cmndta001.qline = true;
    testing::internal::CaptureStdout();
    tell(kInformation, "on the console");
    tell_and_log(kInformation, "a box all the same", {.qline = false});
    tell_and_log(kInformation, "silent: only logged", {.shown = false});
    const std::string console = testing::internal::GetCapturedStdout();
    EXPECT_NE(console.find(" on the console\n"), std::string::npos);
    EXPECT_EQ(boxes.size(), 4u);
    EXPECT_EQ(boxes.back().text, "a box all the same");
    EXPECT_NE(logged().find("silent: only logged"), std::string::npos);
}

TEST_F(Telling, CountedTextsAreFramedInTheLog) {
    tell_and_count(kWarning, "Zone A");
    EXPECT_EQ(cmndta001.nbwarn, 1);
    ASSERT_EQ(boxes.size(), 1u);
    EXPECT_EQ(logged(), std::string(kLogWarningBanner) + "\r\nZone A\r\n" + std::string(kLogClosingLine) + "\r\n");
}

TEST_F(Telling, AFatalErrorIsShownLoggedAndEndsTheRun) {
    testing::internal::CaptureStderr();
    try {
        fatal_error("*** Plan.fpl : error reading ***/Try again", kExitConversionFailed);
        ADD_FAILURE() << "the run went on";
    } catch (const RunStopped& stopped) {
        EXPECT_EQ(stopped.text, "*** Plan.fpl : error reading ***\nTry again");
        EXPECT_EQ(stopped.exit_code, kExitConversionFailed);
    }
    EXPECT_EQ(testing::internal::GetCapturedStderr(), "*** Plan.fpl : error reading ***\nTry again\n");
    ASSERT_EQ(boxes.size(), 1u);
    EXPECT_EQ(boxes[0].status, kError);
    EXPECT_EQ(logged(), "*** Plan.fpl : error reading ***\r\nTry again\r\n");
}

TEST_F(Telling, APathToldIsShownWhole) {
    // The "/" of a path is no line break of the message it is put into.
    report_unwritten_file("Z:\\home/me\\odd/x.tsk");
    ASSERT_EQ(boxes.size(), 1u);
    EXPECT_EQ(boxes[0].text, "Error writing: \n Z:\\home/me\\odd/x.tsk");
    EXPECT_EQ(logged(), "Error writing:\r\n Z:\\home/me\\odd/x.tsk\r\n");
    EXPECT_TRUE(any_file_unwritten());
}

TEST_F(Telling, AnEndRunTellsNobody) {
    testing::internal::CaptureStderr();
    try {
        end_run("", kExitSuccess);
    } catch (const RunStopped& stopped) {
        EXPECT_EQ(stopped.exit_code, kExitSuccess);
    }
    try {
        end_run("TPANG", kExitWaitTimedOut);
    } catch (const RunStopped& stopped) {
        EXPECT_EQ(stopped.text, "TPANG");
        EXPECT_EQ(stopped.exit_code, kExitWaitTimedOut);
    }
    EXPECT_EQ(testing::internal::GetCapturedStderr(), "TPANG\n");
    EXPECT_TRUE(boxes.empty());
    EXPECT_EQ(logged(), "");
}

TEST_F(Telling, AQuietEndWithAnExitCodeGivesTheLastErrorTold) {
    const auto stop_text = [](int exit_code) {
        try {
            end_run("", exit_code);
        } catch (const RunStopped& stopped) {
            return stopped.text;
        }
        return std::string("the run went on");
    };
    testing::internal::CaptureStderr();
    // Nothing told: the exit code, in the run's language.
    EXPECT_EQ(stop_text(kExitConfiguration), "*** Tarvex stopped with exit code 3 ***");
    cmndta001.qfr = true;
    EXPECT_EQ(stop_text(kExitUsage), "*** Tarvex s'est arr\xEAt\xE9 avec le code de sortie 2 ***");
    // The last error told, as shown, whether shown or only logged; warnings
    // and information are no reason.
    tell(kError, "*** Plan.fpl : cannot be opened ***/Check it");
    tell_and_log(kWarning, "a warning after it");
    EXPECT_EQ(stop_text(kExitConversionFailed), "*** Plan.fpl : cannot be opened ***\nCheck it");
    tell_and_log(kError, "silent error", {.shown = false});
    EXPECT_EQ(stop_text(kExitConversionFailed), "silent error");
    // A quiet end with exit code 0 stays quiet.
    EXPECT_EQ(stop_text(kExitSuccess), "");
    EXPECT_EQ(testing::internal::GetCapturedStderr(),
              "*** Tarvex stopped with exit code 3 ***\n*** Tarvex s'est arr\xEAt\xE9 avec le code de sortie 2 ***\n"
              "*** Plan.fpl : cannot be opened ***\nCheck it\nsilent error\n");
}

}  // namespace

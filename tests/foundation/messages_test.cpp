#include "foundation/layer_reset.h"
#include "foundation/log.h"
#include "foundation/message_records.h"
#include "foundation/messages.h"
#include "platform/console.h"
#include "platform/dialogs.h"
#include "support/temp_dir.h"
#include "support/zenity_stub.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <vector>

using tarvex_test::ScopedCwd;
using tarvex_test::TempDir;

namespace {

struct BoxCall {
    std::string title;
    std::string text;
    int status = 0;
};

// Records every box and answers questions with `answer`.
class Messages : public ::testing::Test {
protected:
    Messages() : cwd_(dir_.path()) {
        reset_foundation_layer();
        reset_log();
        set_log_clock([] { return LogDateTime{2024, 1, 2, 3, 4, 5}; });
        set_console_utf8(false);
        set_message_box([this](const std::string& title, const std::string& text, int& status) {
            boxes_.push_back({title, text, status});
            if (status >= 3 && status <= 5) {
                status = answer_;
            }
        });
        log_message_f("CREATEtest.log");
    }
    ~Messages() override {
        set_message_box(nullptr);
        reset_log();
        reset_foundation_layer();
        clear_console_encoding();
    }

    std::string log_text() const { return TempDir::read(dir_.path() / "test.log"); }

    TempDir dir_;
    ScopedCwd cwd_;
    std::vector<BoxCall> boxes_;
    int answer_ = 0;
};

}  // namespace

TEST_F(Messages, BoxesCarryTitleTextAndAnswer) {
    error_message(1, "Error here/next line", false);
    ASSERT_EQ(boxes_.size(), 1u);
    EXPECT_EQ(boxes_[0].title, "Tarvex");
    EXPECT_EQ(boxes_[0].text, "Error here\nnext line");
    EXPECT_EQ(boxes_[0].status, 1);

    answer_ = 7;
    int status = 3;
    error_message_tit(status, "My title   ", "Continue ?   ", false);
    EXPECT_EQ(status, 7);
    EXPECT_EQ(boxes_.back().title, "My title");
    EXPECT_EQ(boxes_.back().text, "Continue ?");
    EXPECT_EQ(boxes_.back().status, 3);

    status = 2;
    error_message(status, "warn", false);
    EXPECT_EQ(status, 2);
    EXPECT_EQ(boxes_.back().status, 2);

    // Boxes are never logged.
    EXPECT_EQ(log_text(), "2024-01-02 03:04:05\r\n\r\n");
}

TEST_F(Messages, ConsoleModeWritesOneLineAndKeepsTheStatus) {
    testing::internal::CaptureStdout();
    int status = 4;
    error_message(status, "first/second km\\/h   ", true);
    int question = 5;
    error_message_tit(question, "title", "q", true);
    const std::string out = testing::internal::GetCapturedStdout();
    EXPECT_EQ(out, " first\nsecond km/h\n q\n");
    EXPECT_EQ(status, 4);
    EXPECT_EQ(question, 5);
    EXPECT_TRUE(boxes_.empty());
}

TEST_F(Messages, SlashesAndEscapes) {
    EXPECT_EQ(message_display_text("a\\/b and c/d"), "a/b and c\nd");
    EXPECT_EQ(message_display_text("x\\//y"), "x/\ny");
    EXPECT_EQ(message_display_text("//"), "\n\n");
    EXPECT_EQ(message_display_text("/start"), "\nstart");
    EXPECT_EQ(message_display_text("a\\\\/b"), "a\\/b");
    EXPECT_EQ(message_display_text("\\/\\/"), "//");
    EXPECT_EQ(message_display_text("back\\slash  "), "back\\slash");
    EXPECT_EQ(message_display_text("lf\nkept"), "lf\nkept");
}

TEST_F(Messages, BoxTextAndTitleAreCut) {
    error_message_tit(0, std::string(70, 't'), std::string(600, 'm'), false);
    ASSERT_EQ(boxes_.size(), 1u);
    EXPECT_EQ(boxes_[0].title, std::string(63, 't'));
    EXPECT_EQ(boxes_[0].text, std::string(511, 'm'));

    // A title holding NUL characters is empty, as a C text is.
    error_message_tit(0, std::string(40, '\0'), "x", false);
    EXPECT_EQ(boxes_.back().title, "");
}

TEST_F(Messages, PxrLogsCountsAndShowsWithTheSharedTitle) {
    error_message_pxr(1, "ignored title", "Zone A/bad point", false);
    error_message_pxr(2, "t", "Zone B", false);
    error_message_pxr(2, "t", "Zone C", false);
    error_message_pxr(0, "t", "info", false);
    EXPECT_EQ(cmndta001.nberr, 1);
    EXPECT_EQ(cmndta001.nbwarn, 2);
    ASSERT_EQ(boxes_.size(), 4u);
    EXPECT_EQ(boxes_[0].title, "");
    EXPECT_EQ(boxes_[0].text, "Zone A\nbad point");
    EXPECT_EQ(boxes_[0].status, 1);
    EXPECT_EQ(boxes_[1].status, 2);
    EXPECT_EQ(boxes_[3].status, 0);

    const std::string e(kLogErrorBanner), w(kLogWarningBanner), i(kLogInfoBanner), c(kLogClosingLine);
    EXPECT_EQ(log_text(), "2024-01-02 03:04:05\r\n\r\n" + e + "\r\nZone A\r\nbad point\r\n" + c + "\r\n" + w +
                              "\r\nZone B\r\n" + c + "\r\n" + w + "\r\nZone C\r\n" + c + "\r\n" + i + "\r\ninfo\r\n" +
                              c + "\r\n");

    // A title set by a caller of the record is used.
    loca_c.msg_tit = "Airspace";
    error_message_pxr(0, "t", "x", false);
    EXPECT_EQ(boxes_.back().title, "Airspace");
}

TEST_F(Messages, PxrConsoleModeAndUnknownSeverity) {
    testing::internal::CaptureStdout();
    error_message_pxr(2, "t", "on the console/two", true);
    const std::string out = testing::internal::GetCapturedStdout();
    EXPECT_TRUE(boxes_.empty());
    EXPECT_NE(out.find(" error_message_pxr : F 2 on the console/two\n"), std::string::npos);
    EXPECT_NE(out.find("\n on the console\ntwo\n"), std::string::npos);
    EXPECT_EQ(cmndta001.nbwarn, 1);

    // A severity the sink does not know is reported as an error.
    error_message_pxr(7, "t", "odd", false);
    EXPECT_EQ(cmndta001.nberr, 1);
    ASSERT_EQ(boxes_.size(), 1u);
    EXPECT_EQ(boxes_[0].status, 1);
    EXPECT_NE(log_text().find(std::string(kLogErrorBanner) + "\r\nodd\r\n"), std::string::npos);
}

TEST_F(Messages, PxrScreenRoadSplitsTwoLinesAndShowsNoBox) {
    peldbg00.qdis_wrn = true;
    testing::internal::CaptureStdout();
    error_message_pxr(1, "t", "line one/line two/dropped", false);
    error_message_pxr(0, "t", "only\nline feed", false);
    error_message_pxr(0, "t", std::string(200, 'x'), false);
    const std::string out = testing::internal::GetCapturedStdout();
    EXPECT_TRUE(boxes_.empty());
    EXPECT_EQ(cmndta001.nberr, 1);
    // After each trace line come the screen lines, then the next message's echo.
    EXPECT_NE(out.find(" error_message_pxr : T 1 line one/line two/dropped\nline one\nline two\n >>> "),
              std::string::npos);
    EXPECT_NE(out.find(" error_message_pxr : T 0 only\nline feed\nonly\nline feed\n >>> "), std::string::npos);
    EXPECT_TRUE(out.ends_with(" error_message_pxr : T 0 " + std::string(200, 'x') + "\n" +
                              std::string(127, 'x') + "\n"));
    // The log still holds the whole message.
    EXPECT_NE(log_text().find("line one\r\nline two\r\ndropped\r\n"), std::string::npos);
}

TEST_F(Messages, PxrCEntry) {
    const std::string long_text = std::string(300, 'w');
    error_message_pxr_c(long_text.c_str(), 2);
    error_message_pxr_c("c text", 0);
    ASSERT_EQ(boxes_.size(), 2u);
    EXPECT_EQ(boxes_[0].text, std::string(256, 'w'));
    EXPECT_EQ(boxes_[0].title, "");
    EXPECT_EQ(boxes_[1].text, "c text");
    EXPECT_EQ(cmndta001.nbwarn, 1);
}

TEST(MessageRecords, ResetRestoresTheStart) {
    cmndta001 = {true, true, 4, 5, "told"};
    loca_c.msg_tit = "x";
    loca_c.infile = "y";
    peldbg00 = {true, true, true};
    reset_cmndta001();
    reset_loca_c();
    reset_peldbg00();
    EXPECT_FALSE(cmndta001.qfr || cmndta001.qline);
    EXPECT_EQ(cmndta001.nbwarn + cmndta001.nberr, 0);
    EXPECT_TRUE(cmndta001.last_error.empty());
    EXPECT_TRUE(loca_c.msg_tit.empty() && loca_c.infile.empty());
    EXPECT_FALSE(peldbg00.qdis_wrn || peldbg00.qdbg_l_0 || peldbg00.qdbg_l_1);
}

TEST_F(Messages, TheRealBoxShowsTitleLinesAndAnswers) {
    set_message_box(nullptr);
    reset_tinyfd();
    {
        const tarvex_test::ZenityStub zenity;
        error_message(1, "Failed/see the log", false);
        EXPECT_EQ(zenity.args(1), (std::vector<std::string>{"--error", "--title=Tarvex", "--text=Failed\nsee the log",
                                                            "--no-markup"}));
        zenity.answer(2, "", 0);
        int status = 3;
        error_message_tit(status, "Question", "Overwrite ?", false);
        EXPECT_EQ(status, 1);
        EXPECT_EQ(zenity.args(2).front(), "--question");

        // The airspace sink's boxes have an empty title.
        error_message_pxr(2, "ignored", "zone", false);
        EXPECT_EQ(zenity.args(3), (std::vector<std::string>{"--warning", "--text=zone", "--no-markup"}));

        // Console mode opens no box.
        testing::internal::CaptureStdout();
        error_message(1, "console", true);
        testing::internal::GetCapturedStdout();
        EXPECT_EQ(zenity.runs(), 3);
    }
    reset_tinyfd();
}

#include "foundation/log.h"
#include "foundation/paths_files.h"
#include "platform/console.h"
#include "platform/environment.h"
#include "support/temp_dir.h"

#include <gtest/gtest.h>

#include <filesystem>

using namespace std::string_literals;
using tarvex_test::ScopedCwd;
using tarvex_test::TempDir;

namespace {

constexpr LogDateTime kWhen{2024, 5, 1, 13, 45, 9};

class LogFile : public ::testing::Test {
protected:
    LogFile() : cwd_(dir_.path()) {
        reset_log();
        set_log_clock([] { return kWhen; });
        set_console_utf8(false);
    }
    ~LogFile() override {
        reset_log();
        clear_console_encoding();
    }

    std::string read(const std::string& name) const { return TempDir::read(dir_.path() / name); }
    bool exists(const std::string& name) const { return std::filesystem::exists(dir_.path() / name); }

    // The name the log gets from "CREATE" alone in this test program.
    static std::string dated_name_of_this_program() {
        std::string exe;
        EXPECT_GT(GetExePath(exe, 256), 0);
        return dated_log_name(extract_name(exe), kWhen);
    }

    TempDir dir_;
    ScopedCwd cwd_;
};

std::string crlf(std::initializer_list<std::string> lines) {
    std::string out;
    for (const std::string& line : lines) {
        out += line + "\r\n";
    }
    return out;
}

const std::string kError(kLogErrorBanner);
const std::string kWarning(kLogWarningBanner);
const std::string kInfo(kLogInfoBanner);
const std::string kClose(kLogClosingLine);

}  // namespace

TEST_F(LogFile, BannersHaveTheirLengths) {
    EXPECT_EQ(kLogErrorBanner.size(), 78u);
    EXPECT_EQ(kLogWarningBanner.size(), 78u);
    EXPECT_EQ(kLogInfoBanner.size(), 79u);
    EXPECT_EQ(kLogClosingLine.size(), 78u);
}

TEST_F(LogFile, CreateEmptiesAnExistingLogAndWritesTheDate) {
    dir_.write("Tarvex.log", std::string(5000, 'x') + "\r\nold line\r\n");
    log_message_f("CREATETarvex.log");
    EXPECT_EQ(read("Tarvex.log"), "2024-05-01 13:45:09\r\n\r\n");

    // Leading blanks of the name are dropped; other clocks give other dates.
    set_log_clock([] { return LogDateTime{999, 12, 31, 0, 0, 5}; });
    log_message_f("CREATE   other.log");
    EXPECT_EQ(read("other.log"), "0999-12-31 00:00:05\r\n\r\n");
}

TEST_F(LogFile, EntriesByteForByte) {
    log_message_f("CREATETarvex.log");
    log_message_f("{E}first text/second text");
    log_message_f("{W}careful");
    log_message_f("{I}");
    log_message_f("{I}  indented  /  second  ");
    log_message_f("plain line");
    log_message_f("\"quoted/not split\"");
    log_message_f(" \"leading blank/is split\"");
    log_message_f("line one\nline two");
    log_message_f("ab");
    log_message_f("");
    log_message_f("speed 100 km\\/h/next/");
    log_message_f("{X}not a tag");
    log_message_f("a//b");

    const std::string expected = crlf({
        "2024-05-01 13:45:09", "",
        kError, "first text", "second text", kClose,
        kWarning, "careful", kClose,
        kInfo, " ", kClose,
        kInfo, "  indented", "  second", kClose,
        "plain line",
        "quoted/not split",
        " \"leading blank", "is split\"",
        "line one", "line two",
        "ab",
        " ",
        "speed 100 km/h", "next", "",
        "{X}not a tag",
        "a", "", "b",
    });
    EXPECT_EQ(read("Tarvex.log"), expected);
}

TEST_F(LogFile, TextsAreCp1252BytesAndCutAt1024) {
    log_message_f("CREATEt.log");
    log_message_f("{W}d\xE9j\xE0 vu");
    const std::string long_text = std::string(1000, 'a') + std::string(100, 'b');
    log_message_f(long_text);
    log_message_f("{E}" + long_text);
    const std::string cut = std::string(1000, 'a') + std::string(24, 'b');
    EXPECT_EQ(read("t.log"), crlf({"2024-05-01 13:45:09", "", kWarning, "d\xE9j\xE0 vu", kClose, cut, kError, cut,
                                   kClose}));
}

TEST_F(LogFile, BeforeAnyCreateTheLogIsLogfileTxt) {
    log_message_f("early");
    EXPECT_EQ(read("Logfile.txt"), "early\r\n");
    log_message_f("CREATETarvex.log");
    log_message_f("later");
    EXPECT_EQ(read("Logfile.txt"), "early\r\n");
    EXPECT_EQ(read("Tarvex.log"), crlf({"2024-05-01 13:45:09", "", "later"}));
}

TEST_F(LogFile, DatedNames) {
    EXPECT_EQ(dated_log_name("Tarvex.exe", kWhen), "Tarvex_2024_05_01-13_45_09.log");
    EXPECT_EQ(dated_log_name("tarvex", kWhen), "tarvex_2024_05_01-13_45_09.log");
    EXPECT_EQ(dated_log_name("a.b.c", kWhen), "a_2024_05_01-13_45_09.log");
    EXPECT_EQ(dated_log_name("", kWhen), "_2024_05_01-13_45_09.log");
    EXPECT_EQ(dated_log_name(std::string(300, 'n'), kWhen), std::string(256, 'n'));
}

TEST_F(LogFile, CreateAloneAndSendNameGiveDatedLogs) {
    const std::string dated = dated_name_of_this_program();

    log_message_f("CREATE");
    EXPECT_EQ(read(dated), "2024-05-01 13:45:09\r\n\r\n");
    log_message_f("after create");
    EXPECT_EQ(read(dated), crlf({"2024-05-01 13:45:09", "", "after create"}));

    // Only "CREATE-SEND-NAME" hands the name back.
    std::filesystem::remove(dir_.path() / dated);
    std::string request = "CREATE-SEND-NAME";
    log_message_f(request);
    EXPECT_EQ(request, dated);
    EXPECT_EQ(read(dated), "2024-05-01 13:45:09\r\n\r\n");

    std::string named = "CREATEnamed.log";
    log_message_f(named);
    EXPECT_EQ(named, "CREATEnamed.log");
    EXPECT_TRUE(exists("named.log"));
    EXPECT_FALSE(exists("-SEND-NAME"));
}

TEST_F(LogFile, TextEntriesNeverStartALog) {
    log_message_f("CREATETarvex.log");
    log_message_text("CREATE.acf could not be read");
    const char c_text[] = "CREATEfrom C/second\0ignored";
    log_message(c_text);
    log_message(nullptr);
    EXPECT_FALSE(exists(".acf could not be read"));
    EXPECT_FALSE(exists("from C"));
    EXPECT_EQ(read("Tarvex.log"), crlf({"2024-05-01 13:45:09", "", "CREATE.acf could not be read", "CREATEfrom C",
                                        "second", " "}));

    // The C entry takes at most 1024 characters.
    const std::string long_text(1500, 'z');
    log_message_f("CREATEc.log");
    log_message(long_text.c_str());
    EXPECT_EQ(read("c.log"), crlf({"2024-05-01 13:45:09", "", std::string(1024, 'z')}));
}

TEST_F(LogFile, ConsoleEchoesTheMessageAndEveryLine) {
    log_message_f("CREATETarvex.log");
    testing::internal::CaptureStdout();
    log_message_f("{E}one/two   ");
    log_message_text("CREATEnot");
    const std::string out = testing::internal::GetCapturedStdout();
    EXPECT_EQ(out, " >>> {E}one/two\n" + kError + "\none\ntwo\n" + kClose + "\n >>> CREATEnot\nCREATEnot\n");

    testing::internal::CaptureStdout();
    log_message_f("CREATEx.log");
    EXPECT_EQ(testing::internal::GetCapturedStdout(), " >>> CREATEx.log\n CREATE x.log 0\n");
}

TEST_F(LogFile, ALogThatCannotBeOpenedIsSkipped) {
    testing::internal::CaptureStdout();
    log_message_f("CREATEmissing\\folder\\x.log");
    log_message_f("{I}still on the console");
    const std::string out = testing::internal::GetCapturedStdout();
    EXPECT_NE(out.find(" CREATE missing\\folder\\x.log "), std::string::npos);
    EXPECT_EQ(out.find(" CREATE missing\\folder\\x.log 0\n"), std::string::npos);
    EXPECT_NE(out.find("still on the console\n"), std::string::npos);
    EXPECT_FALSE(exists("missing"));
}

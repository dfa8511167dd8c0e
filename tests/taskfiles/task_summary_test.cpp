#include "taskfiles/task_summary.h"

#include "writer_support.h"

#include <gtest/gtest.h>

#include <string>

namespace {

using tarvex_test::WriterTest;

using TaskSummary = WriterTest;

TEST_F(TaskSummary, LinesFollowTheLineFeeds) {
    write_summary("AAT = 180 min\nRace in = 5 min\n", "summary.txt", false);
    EXPECT_EQ(read_file("summary.txt"), "AAT 180 min\r\nRace in 5 min\r\n\r\n");

    write_summary("One line   ", "summary.txt", false);
    EXPECT_EQ(read_file("summary.txt"), "One line\r\n");

    write_summary("One line", "notepad.txt", true);
    EXPECT_EQ(read_file("notepad.txt"), "[warnings]\r\nOne line\r\n");

    write_summary("", "notepad.txt", true);
    EXPECT_EQ(read_file("notepad.txt"), "[warnings]\r\n\r\n");
}

TEST_F(TaskSummary, EqualsSignsAndEscapedSlashesGo) {
    write_summary("a == b\nx=   y\nv = 80 km\\/h / 3\nq\\\\/r", "summary.txt", false);
    EXPECT_EQ(read_file("summary.txt"), "a b\r\nxy\r\nv 80 km/h / 3\r\nq/r\r\n");
}

TEST_F(TaskSummary, EachCallRewritesTheFile) {
    write_summary("first message\nwith two lines", "summary.txt", false);
    write_summary("second", "summary.txt", false);
    EXPECT_EQ(read_file("summary.txt"), "second\r\n");
}

TEST_F(TaskSummary, NotepadIsUtf8AndTheSummaryFileCp1252) {
    const std::string text = "D\xE9part r\xE9gate\nTP1 (Cr\xEAte): maximum altitude = 2000 m";
    write_summary(text, "summary.txt", false);
    write_summary(text, "notepad.txt", true);
    EXPECT_EQ(read_file("summary.txt"), "D\xE9part r\xE9gate\r\nTP1 (Cr\xEAte): maximum altitude 2000 m\r\n");
    EXPECT_EQ(read_file("notepad.txt"),
              "[warnings]\r\nD\xC3\xA9part r\xC3\xA9gate\r\nTP1 (Cr\xC3\xAAte): maximum altitude 2000 m\r\n");
}

TEST_F(TaskSummary, LongTextIsCutAndAMissingFolderIsSilent) {
    const std::string text = std::string(1020, 'x') + "\nabcdefgh";
    write_summary(text, "summary.txt", false);
    EXPECT_EQ(read_file("summary.txt"), std::string(1020, 'x') + "\r\nabc\r\n");

    write_summary("text", "missing\\summary.txt", false);
    EXPECT_FALSE(std::filesystem::exists(dir().path() / "missing"));
}

}  // namespace

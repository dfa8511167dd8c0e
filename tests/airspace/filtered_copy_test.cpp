#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "airspace/filtered_copy.h"
#include "airspace_fixture.h"
#include "platform/files.h"
#include "taskfiles/task_model.h"

namespace {

using airspace_test::AirspaceTest;

class FilteredCopyTest : public AirspaceTest {
protected:
    // Flushes a buffer holding `lines` into a fresh file and returns what it holds.
    std::string flush(const std::vector<std::string>& lines, bool qwrite, bool qlast, bool qdeldup,
                      std::vector<std::string>& kept) {
        CopyBuffer buffer;
        for (const std::string& line : lines) {
            buffer.append(line);
        }
        {
            FileWriter out("flush.txt");
            clean_crpbuf(buffer, qwrite, qlast, qdeldup, &out);
            EXPECT_EQ(out.close(), 0);
        }
        kept.clear();
        for (int k = 0; k < buffer.count(); ++k) {
            kept.emplace_back(buffer.line(k));
        }
        return read_file("flush.txt");
    }
};

TEST_F(FilteredCopyTest, CommentBlockAboveTheNextZoneStaysWithIt) {
    const std::vector<std::string> lines = {"AC D   ", "DP 1", "", "* about B", "", "* more", "AC C"};
    std::vector<std::string> kept;
    EXPECT_EQ(flush(lines, true, false, true, kept), "AC D\r\nDP 1\r\n\r\n");
    EXPECT_EQ(kept, (std::vector<std::string>{"* about B", "", "* more", "AC C"}));
    EXPECT_EQ(flush(lines, false, false, false, kept), "* AC D\r\n* DP 1\r\n* \r\n");
    EXPECT_EQ(flush(lines, false, false, true, kept), "");
    EXPECT_EQ(kept.size(), 4u);
    // At the end everything goes.
    EXPECT_EQ(flush(lines, true, true, true, kept), "AC D\r\nDP 1\r\n\r\n* about B\r\n\r\n* more\r\nAC C\r\n");
    EXPECT_TRUE(kept.empty());
    // A line not a comment ends the scan: only the AC line stays.
    EXPECT_EQ(flush({"* c", "DP 1", "AC C"}, true, false, true, kept), "* c\r\nDP 1\r\n");
    EXPECT_EQ(kept, (std::vector<std::string>{"AC C"}));
}

// Zone after zone through one buffer: the lines that stay start the next
// flush, trailing blanks go, blank lines count as blank however they are made.
TEST_F(FilteredCopyTest, SuccessiveFlushesOfOneBuffer) {
    CopyBuffer buffer;
    {
        FileWriter out("flush.txt");
        for (const char* line : {"AC D  ", "DP 1 ", "* about C   ", "   ", "AC C"}) {
            buffer.append(line);
        }
        clean_crpbuf(buffer, true, false, true, &out);
        EXPECT_EQ(buffer.count(), 3);
        EXPECT_EQ(buffer.line(0), "* about C");
        EXPECT_EQ(buffer.line(1), "");
        for (const char* line : {"DP 2", " ", "AC R"}) {
            buffer.append(line);
        }
        clean_crpbuf(buffer, false, false, false, &out);  // C commented out
        EXPECT_EQ(buffer.count(), 1);
        for (const char* line : {"DP 3", "* end  "}) {
            buffer.append(line);
        }
        clean_crpbuf(buffer, false, false, true, &out);  // R left out, the last line staying
        EXPECT_EQ(buffer.count(), 1);
        clean_crpbuf(buffer, true, true, true, &out);
        EXPECT_EQ(buffer.count(), 0);
        EXPECT_EQ(out.close(), 0);
    }
    EXPECT_EQ(read_file("flush.txt"), "AC D\r\nDP 1\r\n* * about C\r\n* \r\n* AC C\r\n* DP 2\r\n* \r\n* end\r\n");
}

TEST_F(FilteredCopyTest, BufferReusesItsLines) {
    CopyBuffer buffer;
    for (int i = 0; i < 5000; ++i) {
        buffer.append("DP 45:00:00 N 006:00:00 E");
    }
    buffer.append("AC D");
    clean_crpbuf(buffer, false, false, true, nullptr);
    EXPECT_EQ(buffer.count(), 1);
    EXPECT_EQ(buffer.line(0), "AC D");
}

TEST_F(FilteredCopyTest, NoticeHeaderByteForByte) {
    rd_fpl_2.fpl_000 = "C:\\Condor3\\FlightPlans\\User\\Task.fpl";
    {
        FileWriter out("hdr.txt");
        write_as_hdr(out);
        EXPECT_EQ(out.close(), 0);
    }
    const std::string rule(71, '*');
    const std::string empty = "***" + std::string(65, ' ') + "***";
    auto framed = [](const std::string& text) { return "*** " + text + std::string(64 - text.size(), ' ') + "***"; };
    const std::vector<std::string> expected = {rule,
                                               empty,
                                               framed("CONDOR AIRSPACE AND PENALTY ZONES"),
                                               empty,
                                               framed("NOT TO BE USED FOR REAL-LIFE FLYING"),
                                               framed("PLEASE DO NOT REMOVE THIS NOTICE"),
                                               empty,
                                               rule,
                                               empty,
                                               framed("This file has been created for Condor flight plan:"),
                                               framed(rd_fpl_2.fpl_000),
                                               empty,
                                               rule};
    EXPECT_EQ(read_lines("hdr.txt"), expected);
    EXPECT_EQ(empty.size(), 71u);

    // A path longer than 64 characters is overwritten at columns 69-71 by the
    // closing "***", its remainder following.
    rd_fpl_2.fpl_000 = "C:\\Users\\someone\\Documents\\Condor\\Pilots\\Name\\FlightPlans\\A long task name.fpl";
    {
        FileWriter out("hdr.txt");
        write_as_hdr(out);
        EXPECT_EQ(out.close(), 0);
    }
    const std::string& path = rd_fpl_2.fpl_000;
    std::string line = "*** " + path;
    line.replace(68, 3, "***");
    EXPECT_EQ(read_lines("hdr.txt")[10], line);
    EXPECT_EQ(line.size(), path.size() + 4);

    as0003.qdupas = true;
    {
        FileWriter out("hdr.txt");
        write_as_hdr(out);
        EXPECT_EQ(out.close(), 0);
    }
    EXPECT_EQ(read_lines("hdr.txt").size(), 8u);
}

TEST_F(FilteredCopyTest, IndexLines) {
    EXPECT_EQ(index_line(7, "NAME (D) : SFC - FL65   "), "     7 NAME (D) : SFC - FL65");
    EXPECT_EQ(index_line(123456, "X"), "123456 X");
    EXPECT_EQ(index_line(1234567, "X"), "****** X");
}

}  // namespace

#include "cpw_fixture.h"

#include "cpw/perfmarks.h"

#include "support/std_streams.h"

#include <string>
#include <vector>

using namespace cpw_test;

namespace {

std::vector<std::string> printed;

void keep_print(const char* text) {
    printed.emplace_back(text);
}

class CpwPerfTest : public CpwTest {
protected:
    void SetUp() override {
        CpwTest::SetUp();
        printed.clear();
        cpwInitPrintHandler(ctx, keep_print);
    }

    // One stretch of the mark lasting the milliseconds on the fake clock.
    void stretch(std::uint32_t mark, double milliseconds) {
        ASSERT_EQ(cpwEnterMark(ctx, mark), 1);
        null_host_advance(milliseconds);
        ASSERT_EQ(cpwExitMark(ctx, mark), 1);
    }
};

const std::string header = "\nPerformance Marks:\n---------------------------------------------\n";

TEST_F(CpwPerfTest, MarksSumOrAverageTheirStretches) {
    const std::uint32_t draw = cpwAddMark(ctx, "draw", false);
    const std::uint32_t swap = cpwAddMark(ctx, "swap", true);
    const std::uint32_t idle = cpwAddMark(ctx, "a name longer than fifteen", false);
    EXPECT_EQ(draw, 1u);
    EXPECT_EQ(swap, 2u);
    stretch(draw, 10);
    stretch(draw, 5);
    stretch(swap, 10);  // the first stretch stands alone
    stretch(swap, 20);  // then the mean of the time before and the new stretch
    stretch(swap, 40);
    EXPECT_EQ(cpwEnterMark(ctx, idle), 1);
    null_host_advance(3);
    EXPECT_EQ(cpw_perfmarks_text(ctx), header +
                                           "           draw  0.0150000\n"
                                           "           swap  0.0275000 av.\n"
                                           "a name longer than fifteen  0.0000000\n"
                                           "^unclosed\n");
    EXPECT_EQ(cpwExitMark(ctx, idle), 1);
    const std::string text = cpw_perfmarks_text(ctx);
    EXPECT_EQ(text.substr(text.find("a name")), "a name longer than fifteen  0.0030000\n");
    EXPECT_EQ(cpwGetLastError(ctx), 0);
}

TEST_F(CpwPerfTest, UnknownAndUnopenedMarks) {
    EXPECT_EQ(cpwAddMark(ctx, nullptr, false), 0u);
    EXPECT_EQ(cpwGetLastError(ctx), cpw_error_badargument);
    cpwSetLastError(ctx, 0);
    EXPECT_EQ(cpwEnterMark(ctx, 1), 0);
    EXPECT_EQ(cpwGetLastError(ctx), cpw_error_badargument);
    const std::uint32_t mark = cpwAddMark(ctx, "m", false);
    cpwSetLastError(ctx, 0);
    EXPECT_EQ(cpwExitMark(ctx, mark), 0);  // never entered
    EXPECT_EQ(cpwGetLastError(ctx), cpw_error_badargument);
    cpwSetLastError(ctx, 0);
    EXPECT_EQ(cpwExitMark(ctx, 0), 0);
    EXPECT_EQ(cpwGetLastError(ctx), cpw_error_badargument);
    EXPECT_EQ(cpw_perfmarks_text(ctx), header + "              m  0.0000000\n");
}

TEST_F(CpwPerfTest, DumpPrintsAndWaitsForOneCharacter) {
    cpwAddMark(ctx, "m", true);
    {
        const tarvex_test::ScopedStdin input("");  // the end of the input answers
        EXPECT_EQ(cpwDumpMarks(ctx), 1);
    }
    {
        const tarvex_test::ScopedStdin input("\n");
        EXPECT_EQ(cpwDumpMarks(ctx), 1);
    }
    const std::string text = header + "              m  0.0000000 av.\n";
    EXPECT_EQ(printed, (std::vector<std::string>{text, text}));
}

TEST_F(CpwPerfTest, FrameCounterOnTheFakeClock) {
    EXPECT_EQ(cpwFpsGet(ctx), 0u);
    EXPECT_EQ(cpwFpsInit(ctx), 1);
    for (int i = 0; i < 49; ++i) {
        null_host_advance(20);
        cpwFpsDraw(ctx, true);
    }
    EXPECT_EQ(cpwFpsGet(ctx), 0u);  // not a second yet
    null_host_advance(20);
    EXPECT_EQ(cpwFpsDraw(ctx, true), 1);
    EXPECT_EQ(cpwFpsGet(ctx), 50u);
    EXPECT_EQ(printed, (std::vector<std::string>{"fps: 50\n"}));
    // The next second counts afresh, and without printing.
    for (int i = 0; i < 25; ++i) {
        null_host_advance(40);
        cpwFpsDraw(ctx, false);
    }
    EXPECT_EQ(cpwFpsGet(ctx), 25u);
    EXPECT_EQ(printed.size(), 1u);
    EXPECT_EQ(cpwFpsInit(ctx), 1);
    EXPECT_EQ(cpwFpsGet(ctx), 0u);
}

TEST_F(CpwPerfTest, FrameCounterStartsItselfWithoutInit) {
    cpwFpsDraw(ctx, false);  // counting starts here
    for (int i = 0; i < 10; ++i) {
        null_host_advance(100);
        cpwFpsDraw(ctx, false);
    }
    EXPECT_EQ(cpwFpsGet(ctx), 11u);
}

}  // namespace

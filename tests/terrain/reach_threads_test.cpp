// The result of a reachability computation is the same bit for bit for 1, 2,
// 4 and 8 threads, at step 1, at step 3 (not a power of two) and through the
// driver's refinements from step 8 and from step 6 (through 3): each count in
// a process of its own (tarvex_reach_hash), with OpenMP offering 8 threads
// whatever the machine has.

#include <gtest/gtest.h>

#include <cstdlib>
#include <sstream>
#include <string>
#include <vector>

#include "platform/process.h"
#include "support/temp_dir.h"

namespace {

TEST(ReachThreads, OneTwoFourAndEightThreadsComputeTheSameCellsAtAnyStep) {
    tarvex_test::ScopedEnv available{"OMP_NUM_THREADS", "8"};
    std::vector<std::string> results;
    for (const int threads : {1, 2, 4, 8}) {
        ProcessOptions options;
        options.capture_output = true;
        options.no_input = true;
        const ProcessResult run = run_process({TARVEX_REACH_HASH_EXE, std::to_string(threads)}, options);
        ASSERT_TRUE(run.started);
        ASSERT_EQ(run.exit_status, 0) << run.output;
        std::istringstream line(run.output);
        std::string word;
        int used = 0;
        line >> word >> used;
        EXPECT_EQ(used, threads) << run.output;
        std::string hashes;
        std::getline(line, hashes);
        EXPECT_NE(hashes.find(" step3 "), std::string::npos) << run.output;
        results.push_back(hashes);
    }
    for (const std::string& r : results) {
        EXPECT_EQ(r, results.front());
    }
}

}  // namespace

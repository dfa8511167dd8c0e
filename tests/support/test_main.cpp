// Test entry: the program runs with floating-point traps on for invalid
// operations, division by zero and overflow, so every test does too.
// TARVEX_TEST_NO_TRAPS=1 switches them off when a debugging session needs it.
#include <gtest/gtest.h>

#include "support/fp_traps.h"

#include <cstdlib>

int main(int argc, char** argv) {
    ::testing::InitGoogleTest(&argc, argv);
    const char* off = std::getenv("TARVEX_TEST_NO_TRAPS");
    if (off == nullptr || off[0] != '1') {
        tarvex_test::enable_fp_traps();
    }
    return RUN_ALL_TESTS();
}

#include "cpw/gl_float_guard.h"

#include <gtest/gtest.h>

#include <cfenv>

namespace {

double divide(double a, double b) {
    volatile double numerator = a;  // computed at run time, not folded
    volatile double denominator = b;
    return numerator / denominator;
}

TEST(GlFloatGuard, TrapsAreOffInsideAndBackAfter) {
    const int traps = fegetexcept();
    ASSERT_NE(traps & FE_DIVBYZERO, 0) << "the tests run with traps on";
    {
        const CpwGlFloatGuard guard;
        EXPECT_EQ(fegetexcept(), 0);
        EXPECT_GT(divide(1.0, 0.0), 1.0e308);  // would trap outside
        {
            const CpwGlFloatGuard inner;  // guards nest
            EXPECT_EQ(fegetexcept(), 0);
        }
        EXPECT_EQ(fegetexcept(), 0);
    }
    EXPECT_EQ(fegetexcept(), traps);
    // The driver's exceptions do not stay raised.
    EXPECT_EQ(std::fetestexcept(FE_DIVBYZERO), 0);
}

}  // namespace

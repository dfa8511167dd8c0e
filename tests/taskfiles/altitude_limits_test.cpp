#include "taskfiles/altitude_limits.h"

#include "taskfiles/layer_reset.h"
#include "taskfiles/task_model.h"

#include <gtest/gtest.h>

#include <string>

namespace {

class AltitudeLimits : public testing::Test {
protected:
    void SetUp() override { reset_taskfiles_layer(); }
    void TearDown() override { reset_taskfiles_layer(); }

    // Runs altitude_limits on point 3 with a 32-character name and an
    // 80-character comment.
    void run(const std::string& name) {
        nam = name;
        comm = "old comment";
        altitude_limits(3, nam, 32, comm, 80);
    }

    static void window(float centre, float height) {
        rd_fpl_1.tpsec[3] = 1;
        rd_fpl_1.tpalt[3] = centre;
        rd_fpl_1.tphei[3] = height;
    }
    static void classic(float lower, float upper) {
        rd_fpl_1.tpsec[3] = 0;
        rd_fpl_1.tpwid[3] = lower;
        rd_fpl_1.tphei[3] = upper;
    }

    std::string nam;
    std::string comm;
};

}  // namespace

TEST_F(AltitudeLimits, Windows) {
    window(1500.0f, 1000.0f);
    run("Gap");
    EXPECT_EQ(comm, "Condor window : alt. limits=1000-2000");
    EXPECT_EQ(nam, "Gap [10-20]");

    window(1000.0f, 3000.0f);  // the low limit goes below zero
    run("Low");
    EXPECT_EQ(comm, "Condor window : alt. limits=-500-2500");
    EXPECT_EQ(nam, "Low [-5-25]");

    window(1000.0f, 0.0f);  // halves of hundreds go away from zero
    rd_fpl_1.tpalt[3] = 150.0f;
    run("Half");
    EXPECT_EQ(nam, "Half [2-2]");
}

TEST_F(AltitudeLimits, ClassicTurnpoints) {
    classic(0.0f, 10000.0f);  // the defaults: no limits
    run("Plain");
    EXPECT_EQ(comm, "");
    EXPECT_EQ(nam, "Plain");

    classic(0.0f, 0.0f);
    run("Zero");
    EXPECT_EQ(comm, "");
    EXPECT_EQ(nam, "Zero");

    classic(0.0f, 12000.0f);  // 10000 or more counts as no upper limit
    run("High");
    EXPECT_EQ(comm, "");

    classic(300.0f, 0.0f);
    run("Floor");
    EXPECT_EQ(comm, "Alt. limits=300-0");
    EXPECT_EQ(nam, "Floor [3-0]");

    classic(0.0f, 2460.0f);
    run("Ceiling");
    EXPECT_EQ(comm, "Alt. limits=0-2460");
    EXPECT_EQ(nam, "Ceiling [0-25]");

    classic(300.0f, 12000.0f);  // a floor alone gives limits, the high top included
    run("Both");
    EXPECT_EQ(comm, "Alt. limits=300-12000");
    EXPECT_EQ(nam, "Both [3-120]");
}

TEST_F(AltitudeLimits, OverflowShowsAsterisksAndCutsAtTheField) {
    classic(123456.0f, 9999.0f);
    run("Deep");
    EXPECT_EQ(comm, "Alt. limits=*****-9999");
    EXPECT_EQ(nam, "Deep [***-100]");

    window(0.0f, 3.0e38f);  // far beyond any field, and no overflow of the sum
    run("Huge");
    EXPECT_EQ(comm, "Condor window : alt. limits=*****-*****");
    EXPECT_EQ(nam, "Huge [***-***]");

    classic(300.0f, 2000.0f);
    run("ABCDEFGHIJKLMNOPQRSTUVWXYZ012345");  // a full field loses the whole tag
    EXPECT_EQ(nam, "ABCDEFGHIJKLMNOPQRSTUVWXYZ012345");
    run("ABCDEFGHIJKLMNOPQRSTUVWXYZ");
    EXPECT_EQ(nam, "ABCDEFGHIJKLMNOPQRSTUVWXYZ [3-20");

    nam = "Name";
    comm = "x";
    rd_fpl_1.tpsec[1] = 0;
    altitude_limits(1, nam, 32, comm, 10);
    EXPECT_EQ(comm, "");
    rd_fpl_1.tpwid[1] = 300.0f;
    altitude_limits(1, nam, 32, comm, 10);  // a short comment field cuts the comment
    EXPECT_EQ(comm, "Alt. limit");
}

TEST_F(AltitudeLimits, IndexOutsideTheTaskHasNoLimits) {
    nam = "Name";
    comm = "old";
    altitude_limits(31, nam, 32, comm, 80);
    EXPECT_EQ(comm, "");
    EXPECT_EQ(nam, "Name");
    altitude_limits(-1, nam, 32, comm, 80);
    EXPECT_EQ(nam, "Name");
}

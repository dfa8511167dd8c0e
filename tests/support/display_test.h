#pragma once

// The base of every test that needs an X server: the test process's own
// (support/xvfb_server.h), started at first use.

#include <gtest/gtest.h>

#include "support/xvfb_server.h"

namespace tarvex_test {

// Skips the test when no X server can be started, or fails it when
// CPW_REQUIRE_DISPLAY=1. A derived SetUp calls this one first and returns
// when the test is skipped or has failed.
class DisplayTest : public ::testing::Test {
protected:
    void SetUp() override {
        const XvfbServer& server = XvfbServer::instance();
        if (!server.running()) {
            if (display_required()) {
                FAIL() << server.failure();
            }
            GTEST_SKIP() << server.failure();
        }
    }
};

}  // namespace tarvex_test

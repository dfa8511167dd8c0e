#pragma once

// Shared set-up of the toolkit tests: a fresh null host and a started context,
// and callbacks that write what they receive into a log.

#include "cpw/cpw.h"
#include "cpw/hosts/null/null_host.h"
#include "cpw/internal.h"

#include "support/cpw_event_log.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace cpw_test {

using namespace cpw_events;

// Sends every queued event.
inline void drain(CpwContext* ctx) {
    for (int i = 0; i < 1000 && cpw_event_sendevent(ctx) == 1; ++i) {
    }
}

class CpwTest : public ::testing::Test {
protected:
    void SetUp() override {
        reset_null_host();
        seen.clear();
        ASSERT_TRUE(cpwInitContext(&ctx));
    }

    void TearDown() override {
        cpwFreeContext(&ctx);
        EXPECT_TRUE(null_host.windows.empty()) << "a host window outlived its context";
        EXPECT_TRUE(null_host.hosts.empty());
    }

    // A window whose creation events have been sent already.
    std::uint32_t make_window(const char* title = "w") {
        const std::uint32_t id = cpwCreateWindowEx(ctx, title, 10, 20, 400, 300);
        drain(ctx);
        return id;
    }

    CpwContext* ctx = nullptr;
};

}  // namespace cpw_test

// The real program's form window as other programs treat it: destroyed from
// outside, as a window manager or xkill may do.

// GoogleTest first: Xlib's macros would break its headers (form_screen.h has none).
#include <gtest/gtest.h>

#include "e2e/harness/checks.h"
#include "e2e/harness/form_screen.h"
#include "e2e/harness/tarvex_install.h"
#include "support/display_test.h"
#include "support/xvfb_server.h"

#include <future>
#include <string>

using namespace tarvex_test;

namespace {

constexpr const char* kConversionTitle = "Tarvex - Task conversion - V4.4.0.0";

class GuiWindow : public DisplayTest {
protected:
    void SetUp() override {
        DisplayTest::SetUp();
        if (IsSkipped() || HasFatalFailure()) {
            return;
        }
        display = XvfbServer::instance().display();
        screen = std::make_unique<FormScreen>(display);
        ASSERT_TRUE(screen->connected());
    }

    std::string display;
    std::unique_ptr<FormScreen> screen;
};

TEST_F(GuiWindow, AFormWindowDestroyedFromOutsideEndsTheRunAsTheCloseBox) {
    TarvexInstall install{FakePrefixOptions{}, DemoOptions{}};
    set_variable(install.environment, "DISPLAY", display);
    install.timeout = std::chrono::seconds(30);
    const std::string plan = install.host(install.demo().condor3_plan).string();
    const std::string settings = install.settings();

    auto run = std::async(std::launch::async, [&install, &plan] { return install.run({"-line", plan}); });
    std::string seen;
    if (screen->wait_for(kConversionTitle, seen)) {
        screen->destroy();
    } else {
        ADD_FAILURE() << "no conversion form (last seen: \"" << seen << "\")";
    }
    const RunOutcome outcome = run.get();
    EXPECT_TRUE(ExitedWith(outcome, exit_code::success));
    EXPECT_TRUE(FileIsMissing(install.host("C:\\XCSoarData\\Tasks\\DemoRace3.tsk")));
    EXPECT_TRUE(FileIsMissing(install.host("C:\\XCSoarData\\Condor.prf")));
    EXPECT_TRUE(FileHasBytes(install.host(install.demo().settings_file), settings));
}

}  // namespace

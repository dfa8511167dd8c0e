// The real program's form window as other programs treat it: destroyed from
// outside, as a window manager or xkill may do.

// GoogleTest first: Xlib's macros would break its headers (form_screen.h has none).
#include <gtest/gtest.h>

#include "e2e/harness/checks.h"
#include "e2e/harness/gui_fixture.h"

#include <future>
#include <memory>
#include <string>

using namespace tarvex_test;

namespace {

constexpr const char* kConversionTitle = "Tarvex - Task conversion - V4.4.0.0";

using GuiWindow = GuiTest;

TEST_F(GuiWindow, AFormWindowDestroyedFromOutsideEndsTheRunAsTheCloseBox) {
    const std::unique_ptr<TarvexInstall> install = installed();
    const std::string plan = install->host(install->demo().condor3_plan).string();
    const std::string settings = install->settings();

    auto run = std::async(std::launch::async, [&install, &plan] { return install->run({"-line", plan}); });
    std::string seen;
    if (screen->wait_for(kConversionTitle, seen)) {
        screen->destroy();
    } else {
        ADD_FAILURE() << "no conversion form (last seen: \"" << seen << "\")";
    }
    const RunOutcome outcome = run.get();
    EXPECT_TRUE(ExitedWith(outcome, exit_code::success));
    EXPECT_TRUE(FileIsMissing(install->host("C:\\XCSoarData\\Tasks\\DemoRace3.tsk")));
    EXPECT_TRUE(FileIsMissing(install->host("C:\\XCSoarData\\Condor.prf")));
    EXPECT_TRUE(FileHasBytes(install->host(install->demo().settings_file), settings));
}

}  // namespace

#include "e2e/harness/gui_fixture.h"

#include "support/xvfb_server.h"

#include <chrono>

namespace tarvex_test {

void GuiTest::SetUp() {
    DisplayTest::SetUp();
    if (IsSkipped() || HasFatalFailure()) {
        return;
    }
    display = XvfbServer::instance().display();
    screen = std::make_unique<FormScreen>(display);
    ASSERT_TRUE(screen->connected());
}

std::unique_ptr<TarvexInstall> GuiTest::installed(const DemoOptions& options) const {
    auto install = std::make_unique<TarvexInstall>(FakePrefixOptions{}, options);
    set_variable(install->environment, "DISPLAY", display);
    install->timeout = std::chrono::seconds(60);
    return install;
}

ScreenPixel GuiTest::inside_of(const FormRect& r, const ScreenPixel& expected) {
    const auto [x, y] = inside(r);
    return screen->pixel_when(x, y, [&expected](const ScreenPixel& p) { return p == expected; });
}

void GuiTest::choose_path(const FormRect& r) {
    screen->click(r);
    screen->click(r);
}

}  // namespace tarvex_test

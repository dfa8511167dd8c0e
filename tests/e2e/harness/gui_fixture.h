#pragma once

// The base of the tests that play the real program's forms: the tests' own X
// server, a FormScreen on it, Tarvex installed to show its forms there, and
// what those tests do with a box.

// GoogleTest first: Xlib's macros would break its headers (form_screen.h has none).
#include <gtest/gtest.h>

#include "e2e/harness/form_screen.h"
#include "e2e/harness/tarvex_install.h"
#include "support/display_test.h"

#include <array>
#include <memory>
#include <string>

namespace tarvex_test {

class GuiTest : public DisplayTest {
protected:
    void SetUp() override;

    // Tarvex installed in its own prefix, shown on the tests' display.
    std::unique_ptr<TarvexInstall> installed(const DemoOptions& options = {}) const;

    // A point inside a box, right of its text.
    static std::array<int, 2> inside(const FormRect& r) { return {r[2] - 4, (r[1] + r[3]) / 2}; }
    // The colour inside a box, waited for while the program may still be
    // redrawing: the colour `expected` (or what shows after a while).
    ScreenPixel inside_of(const FormRect& r, const ScreenPixel& expected);
    // Clicks a path box twice: the second click opens its dialog.
    void choose_path(const FormRect& r);

    std::string display;
    std::unique_ptr<FormScreen> screen;
};

}  // namespace tarvex_test

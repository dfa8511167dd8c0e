#pragma once

#include "platform/console.h"
#include "platform/dialogs.h"

#include "platform/layer_reset.h"
#include "support/fake_wine_prefix.h"
#include "support/std_streams.h"
#include "support/temp_dir.h"

#include <gtest/gtest.h>
#include <string>

// Runs `talk` with `input` as standard input and returns what it printed.
template <class Talk>
std::string converse(const std::string& input, Talk&& talk) {
    tarvex_test::ScopedStdin in(input);
    tarvex_test::CapturedStdout out;
    talk();
    return out.finish();
}

// The dialogs start from a clean state with cp1252 on the console and a fake
// Wine prefix for the paths; no graphic display is seen, whatever the machine
// running the tests has.
class DialogTest : public ::testing::Test {
protected:
    void SetUp() override {
        reset_platform_layer();
        set_console_utf8(false);
    }
    void TearDown() override {
        reset_platform_layer();
        clear_console_encoding();
    }

    tarvex_test::ScopedEnv display_{"DISPLAY", nullptr};
    tarvex_test::ScopedEnv wayland_{"WAYLAND_DISPLAY", nullptr};
    tarvex_test::ScopedEnv forced_{"TARVEX_DIALOGS", "console"};
    tarvex_test::FakeWinePrefix prefix;

    // The host path of a Windows path on C:, as text.
    std::string host(const std::string& windows_path) const { return prefix.host(windows_path).string(); }
};

// Counts the occurrences of `part` in `text`.
inline int count_of(const std::string& text, const std::string& part) {
    int n = 0;
    for (std::size_t pos = text.find(part); pos != std::string::npos; pos = text.find(part, pos + part.size())) {
        ++n;
    }
    return n;
}

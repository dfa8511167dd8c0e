#pragma once

#include <string>
#include <sys/types.h>

namespace tarvex_test {

// An X server of the test process's own, for the display tests: Xvfb with a
// 1280 x 1024 screen of 24-bit colour, started at first use with -displayfd
// (the server picks a free display number, so test processes running side by
// side never collide) and stopped when the process ends. The server ends
// with the process that started it, also when that one crashes.
class XvfbServer {
public:
    static XvfbServer& instance();

    XvfbServer(const XvfbServer&) = delete;
    XvfbServer& operator=(const XvfbServer&) = delete;

    bool running() const { return pid_ > 0; }
    // The display name (":N") while running.
    const std::string& display() const { return display_; }
    // Why the server is not running.
    const std::string& failure() const { return failure_; }

    static constexpr int screen_width = 1280;
    static constexpr int screen_height = 1024;

private:
    XvfbServer();
    ~XvfbServer();

    pid_t pid_ = 0;
    std::string display_;
    std::string failure_;
};

// True when CPW_REQUIRE_DISPLAY=1: a display test that cannot have a
// display fails instead of being skipped.
bool display_required();

}  // namespace tarvex_test

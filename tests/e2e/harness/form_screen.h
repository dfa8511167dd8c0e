#pragma once

// The forms of the real program on the test's own X server (Xvfb), played by
// a user through XTest: the program's window found by its title, clicks at
// form coordinates (y upward from the window's bottom, as the form kit
// counts), keys typed, the close box, pixels read back and screenshots saved as PNG.
// Where the boxes and buttons are comes from the form kit itself: the tool
// tarvex_frm_show lays the same form file out with the same fonts.

#include <array>
#include <chrono>
#include <filesystem>
#include <functional>
#include <map>
#include <memory>
#include <string>

namespace tarvex_test {

using FormRect = std::array<int, 4>;  // x1, y1, x2, y2 of the form, y upward

// A form file laid out by the form kit on `display`.
struct FormLayout {
    int width = 0;
    int height = 0;
    std::map<std::string, FormRect> boxes;  // by the box's name
    std::map<int, FormRect> buttons;        // by the button's type

    // Runs "tarvex_frm_show FILE --layout"; false when it fails.
    bool read(const std::filesystem::path& form_file, const std::string& display);
};

struct ScreenPixel {
    int r = -1, g = -1, b = -1;
    bool operator==(const ScreenPixel&) const = default;
};

class FormScreen {
public:
    explicit FormScreen(const std::string& display);
    ~FormScreen();
    FormScreen(const FormScreen&) = delete;
    FormScreen& operator=(const FormScreen&) = delete;

    bool connected() const;

    // Waits until a window titled `title` is on screen and drawn, and takes it
    // as the form's window; false after the timeout (the title of the window
    // shown then, if any, in `seen`).
    bool wait_for(const std::string& title, std::string& seen,
                  std::chrono::milliseconds timeout = std::chrono::seconds(30));
    int width() const;
    int height() const;

    // A click at (x, Y) of the form, and at the centre of a rectangle.
    void click(int x, int Y);
    void click(const FormRect& r);
    // Keys typed into the box that has the focus: digits, lower-case letters, "-" and
    // "." as they stand, "\b" a backspace, "\x7f" the Delete key.
    void type(const std::string& keys);
    // Ctrl+V: the clipboard pasted into the box that has the focus.
    void paste();
    // The close box, as a window manager reports it.
    void close();
    // The window destroyed by another program (as "xdotool windowclose" does).
    void destroy();

    ScreenPixel pixel(int x, int Y);
    // The pixel at (x, Y) once `wanted` holds for it, else as it is after
    // `timeout`: the program redraws after a click in its own time, later on
    // a busy machine (a click that reads a plan, then the whole form drawn
    // again with software GL, took over 10 s once beside a parallel build).
    ScreenPixel pixel_when(int x, int Y, const std::function<bool(const ScreenPixel&)>& wanted,
                           std::chrono::milliseconds timeout = std::chrono::seconds(30));
    bool screenshot(const std::filesystem::path& png);

private:
    struct Connection;
    std::unique_ptr<Connection> x_;
};

// Where the screenshots go: the build folder's "screenshots".
std::filesystem::path screenshot_folder();

}  // namespace tarvex_test

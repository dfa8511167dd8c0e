#include "e2e/harness/form_screen.h"

#include "e2e/harness/program_run.h"
#include "support/png_file.h"

#include <X11/Xatom.h>
#include <X11/Xlib.h>
#include <X11/Xutil.h>
#include <X11/extensions/XTest.h>
#include <X11/keysym.h>

#include <cstdio>
#include <sstream>
#include <thread>
#include <vector>

namespace tarvex_test {

namespace {

// The form's grey: a window drawn by the form kit shows it at its corner.
constexpr ScreenPixel kFormGrey{240, 240, 240};
// Time for the program to take an input event.
constexpr std::chrono::milliseconds kSettle{120};

std::string window_title(Display* d, Window w) {
    char* name = nullptr;
    if (XFetchName(d, w, &name) == 0 || name == nullptr) {
        return {};
    }
    std::string title(name);
    XFree(name);
    return title;
}

bool viewable(Display* d, Window w) {
    XWindowAttributes a{};
    return XGetWindowAttributes(d, w, &a) != 0 && a.map_state == IsViewable;
}

// The viewable top-level windows and their titles.
std::vector<std::pair<Window, std::string>> shown_windows(Display* d) {
    std::vector<std::pair<Window, std::string>> found;
    Window root = 0, parent = 0;
    Window* children = nullptr;
    unsigned int count = 0;
    if (XQueryTree(d, DefaultRootWindow(d), &root, &parent, &children, &count) == 0) {
        return found;
    }
    for (unsigned int i = 0; i < count; ++i) {
        if (viewable(d, children[i])) {
            found.emplace_back(children[i], window_title(d, children[i]));
        }
    }
    if (children != nullptr) {
        XFree(children);
    }
    return found;
}

int ignore_errors(Display*, XErrorEvent*) { return 0; }

}  // namespace

struct FormScreen::Connection {
    Display* display = nullptr;
    Window window = 0;
    int width = 0;
    int height = 0;
};

FormScreen::FormScreen(const std::string& display) : x_(std::make_unique<Connection>()) {
    x_->display = XOpenDisplay(display.c_str());
    // The program's window may go at any time: a request about it fails quietly.
    XSetErrorHandler(ignore_errors);
}

FormScreen::~FormScreen() {
    if (x_->display != nullptr) {
        XCloseDisplay(x_->display);
    }
}

bool FormScreen::connected() const { return x_->display != nullptr; }

bool FormScreen::wait_for(const std::string& title, std::string& seen, std::chrono::milliseconds timeout) {
    Display* d = x_->display;
    const auto deadline = std::chrono::steady_clock::now() + timeout;
    seen.clear();
    while (std::chrono::steady_clock::now() < deadline) {
        XSync(d, False);
        for (const auto& [window, name] : shown_windows(d)) {
            seen = name;
            if (name != title) {
                continue;
            }
            XWindowAttributes a{};
            XGetWindowAttributes(d, window, &a);
            x_->window = window;
            x_->width = a.width;
            x_->height = a.height;
            // Drawn: the form's grey at its corner.
            if (pixel(2, a.height - 3) == kFormGrey) {
                std::this_thread::sleep_for(kSettle);
                return true;
            }
        }
        std::this_thread::sleep_for(std::chrono::milliseconds(20));
    }
    x_->window = 0;
    return false;
}

int FormScreen::width() const { return x_->width; }
int FormScreen::height() const { return x_->height; }

void FormScreen::click(int x, int Y) {
    Display* d = x_->display;
    int root_x = 0, root_y = 0;
    Window child = 0;
    XTranslateCoordinates(d, x_->window, DefaultRootWindow(d), x, x_->height - Y, &root_x, &root_y, &child);
    XTestFakeMotionEvent(d, DefaultScreen(d), root_x, root_y, CurrentTime);
    XSync(d, False);
    std::this_thread::sleep_for(std::chrono::milliseconds(30));
    XTestFakeButtonEvent(d, 1, True, CurrentTime);
    XSync(d, False);
    std::this_thread::sleep_for(std::chrono::milliseconds(30));
    XTestFakeButtonEvent(d, 1, False, CurrentTime);
    XSync(d, False);
    std::this_thread::sleep_for(kSettle);
}

void FormScreen::click(const FormRect& r) { click((r[0] + r[2]) / 2, (r[1] + r[3]) / 2); }

void FormScreen::type(const std::string& keys) {
    Display* d = x_->display;
    for (const char key : keys) {
        // Printable ASCII keysyms are the characters' own codes.
        KeySym sym = static_cast<KeySym>(static_cast<unsigned char>(key));
        if (key == '\b') {
            sym = XK_BackSpace;
        } else if (key == '\x7f') {
            sym = XK_Delete;
        }
        const KeyCode code = XKeysymToKeycode(d, sym);
        XTestFakeKeyEvent(d, code, True, CurrentTime);
        XTestFakeKeyEvent(d, code, False, CurrentTime);
        XSync(d, False);
        std::this_thread::sleep_for(std::chrono::milliseconds(30));
    }
    std::this_thread::sleep_for(kSettle);
}

void FormScreen::paste() {
    Display* d = x_->display;
    const KeyCode control = XKeysymToKeycode(d, XK_Control_L);
    const KeyCode v = XKeysymToKeycode(d, XK_v);
    XTestFakeKeyEvent(d, control, True, CurrentTime);
    XTestFakeKeyEvent(d, v, True, CurrentTime);
    XTestFakeKeyEvent(d, v, False, CurrentTime);
    XTestFakeKeyEvent(d, control, False, CurrentTime);
    XSync(d, False);
    std::this_thread::sleep_for(kSettle);
}

void FormScreen::close() {
    Display* d = x_->display;
    XEvent event{};
    event.xclient.type = ClientMessage;
    event.xclient.window = x_->window;
    event.xclient.message_type = XInternAtom(d, "WM_PROTOCOLS", False);
    event.xclient.format = 32;
    event.xclient.data.l[0] = static_cast<long>(XInternAtom(d, "WM_DELETE_WINDOW", False));
    event.xclient.data.l[1] = CurrentTime;
    XSendEvent(d, x_->window, False, NoEventMask, &event);
    XSync(d, False);
    std::this_thread::sleep_for(kSettle);
}

void FormScreen::destroy() {
    XDestroyWindow(x_->display, x_->window);
    XSync(x_->display, False);
    std::this_thread::sleep_for(kSettle);
}

ScreenPixel FormScreen::pixel(int x, int Y) {
    Display* d = x_->display;
    XSync(d, False);
    XImage* image = XGetImage(d, x_->window, x, x_->height - 1 - Y, 1, 1, AllPlanes, ZPixmap);
    if (image == nullptr) {
        return {};
    }
    const unsigned long p = XGetPixel(image, 0, 0);
    XDestroyImage(image);
    return {static_cast<int>((p >> 16) & 255), static_cast<int>((p >> 8) & 255), static_cast<int>(p & 255)};
}

ScreenPixel FormScreen::pixel_when(int x, int Y, const std::function<bool(const ScreenPixel&)>& wanted,
                                   std::chrono::milliseconds timeout) {
    const auto end = std::chrono::steady_clock::now() + timeout;
    ScreenPixel p = pixel(x, Y);
    while (!wanted(p) && std::chrono::steady_clock::now() < end) {
        std::this_thread::sleep_for(std::chrono::milliseconds(20));
        p = pixel(x, Y);
    }
    return p;
}

bool FormScreen::screenshot(const std::filesystem::path& png) {
    Display* d = x_->display;
    XSync(d, False);
    XImage* image = XGetImage(d, x_->window, 0, 0, static_cast<unsigned>(x_->width),
                              static_cast<unsigned>(x_->height), AllPlanes, ZPixmap);
    if (image == nullptr) {
        return false;
    }
    RgbImage rgb;
    rgb.width = x_->width;
    rgb.height = x_->height;
    rgb.rgb.reserve(static_cast<std::size_t>(rgb.width) * static_cast<std::size_t>(rgb.height) * 3);
    for (int y = 0; y < rgb.height; ++y) {
        for (int x = 0; x < rgb.width; ++x) {
            const unsigned long p = XGetPixel(image, x, y);
            rgb.rgb.push_back(static_cast<std::uint8_t>((p >> 16) & 255));
            rgb.rgb.push_back(static_cast<std::uint8_t>((p >> 8) & 255));
            rgb.rgb.push_back(static_cast<std::uint8_t>(p & 255));
        }
    }
    XDestroyImage(image);
    std::filesystem::create_directories(png.parent_path());
    return write_png(png, rgb);
}

bool FormLayout::read(const std::filesystem::path& form_file, const std::string& display) {
    ProgramRun run;
    run.program = TARVEX_FRM_SHOW;
    run.args = {form_file.string(), "--layout"};
    set_variable(run.environment, "DISPLAY", display);
    for (const char* name : {"PATH", "HOME", "ASAN_OPTIONS", "UBSAN_OPTIONS", "LSAN_OPTIONS"}) {
        if (const char* value = std::getenv(name); value != nullptr) {
            set_variable(run.environment, name, value);
        }
    }
    // The tool closes its display at its end, and the GL driver goes with it:
    // what the driver keeps would be leaks of no library. The layout is all
    // that is wanted of it here.
    if (const std::string asan = variable(run.environment, "ASAN_OPTIONS"); !asan.empty()) {
        set_variable(run.environment, "ASAN_OPTIONS", asan + ":detect_leaks=0");
    }
    run.timeout = std::chrono::seconds(30);
    const RunOutcome outcome = run_program(run);
    if (outcome.exit_code != 0) {
        return false;
    }
    std::istringstream lines(outcome.out);
    for (std::string line; std::getline(lines, line);) {
        FormRect r{};
        int type = 0;
        if (line.starts_with("window ")) {
            std::sscanf(line.c_str(), "window %d x %d", &width, &height);
        } else if (line.starts_with("box ")) {
            // "box N NAME type T at (x1,y1)-(x2,y2) ...": the name may hold blanks.
            const std::size_t name_at = line.find(' ', 4) + 1;
            const std::size_t type_at = line.find(" type ", name_at);
            const std::size_t rect_at = line.find(" at (", type_at);
            if (type_at != std::string::npos && rect_at != std::string::npos &&
                std::sscanf(line.c_str() + rect_at, " at (%d,%d)-(%d,%d)", &r[0], &r[1], &r[2], &r[3]) == 4) {
                boxes[line.substr(name_at, type_at - name_at)] = r;
            }
        } else if (line.starts_with("button ")) {
            // "button N "CAPTION" type T at (x1,y1)-(x2,y2)".
            const std::size_t caption_end = line.rfind('"');
            if (caption_end != std::string::npos &&
                std::sscanf(line.c_str() + caption_end, "\" type %d at (%d,%d)-(%d,%d)", &type, &r[0], &r[1], &r[2],
                            &r[3]) == 5) {
                buttons[type] = r;
            }
        }
    }
    return width > 0 && !boxes.empty();
}

std::filesystem::path screenshot_folder() { return std::filesystem::path(TARVEX_BINARY_DIR) / "screenshots"; }

}  // namespace tarvex_test

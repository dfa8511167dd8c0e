#include "cpw/hosts/null/null_host.h"

#include "cpw/cpw.h"
#include "cpw/host_rules.h"
#include "cpw/internal.h"
#include "cpw/localhost.h"

#include <algorithm>

NullHost null_host;

void reset_null_host() {
    null_host = NullHost{};
}

void null_host_advance(double milliseconds) {
    null_host.clock += milliseconds / 1000.0 * null_host.frequency;
}

void null_host_post(NullHostMessage message) {
    null_host.messages.push_back(std::move(message));
}

void null_host_post_quit() {
    null_host.messages.push_back(NullHostMessage{});
}

CpwLocalhostWindow* null_host_window(std::uint32_t id) {
    for (const auto& w : null_host.windows) {
        if (w->id == id) {
            return w.get();
        }
    }
    return nullptr;
}

namespace {

std::string with_id(const std::string& call, const CpwLocalhostWindow* window) {
    return window == nullptr ? call + " -" : call + " " + std::to_string(window->id);
}

// Records a step; false (with the configured error code stored) when the
// test made it fail.
bool step(CpwContext* ctx, const std::string& failure_key, const std::string& record) {
    null_host.calls.push_back(record);
    const auto it = null_host.failures.find(failure_key);
    if (it == null_host.failures.end()) {
        return true;
    }
    if (it->second != 0) {
        cpw_error_set(ctx, it->second);
    }
    return false;
}

CpwLocalhostWindow* new_window(std::uint32_t id, const char* title) {
    auto window = std::make_unique<CpwLocalhostWindow>();
    window->id = id;
    window->title = title == nullptr ? "" : title;
    null_host.windows.push_back(std::move(window));
    return null_host.windows.back().get();
}

}  // namespace

bool cpw_localhost_init(CpwContext* ctx) {
    const std::string classname = cpw_next_classname();
    if (!step(ctx, "start host", "start host")) {
        return false;
    }
    ctx->cpw_screenwidth = null_host.screen_width;
    ctx->cpw_screenheight = null_host.screen_height;
    auto host = std::make_unique<CpwLocalhost>();
    host->classname = classname;
    ctx->ctx_localhost = host.get();
    null_host.hosts.push_back(std::move(host));
    return true;
}

void cpw_localhost_exit(CpwContext* ctx) {
    null_host.calls.push_back("stop host");
    std::erase_if(null_host.hosts, [ctx](const auto& h) { return h.get() == ctx->ctx_localhost; });
    ctx->ctx_localhost = nullptr;
}

bool cpw_localhost_modulestep(CpwContext* ctx, const char* module, bool starting) {
    const std::string name = std::string(starting ? "start " : "stop ") + module;
    return step(ctx, name, name);
}

CpwLocalhostWindow* cpw_localhost_createwindow(CpwContext* ctx, std::uint32_t id, const char* title,
                                               std::uint32_t x, std::uint32_t y, std::uint32_t width,
                                               std::uint32_t height, std::uint32_t properties, bool menu) {
    if (!step(ctx, "createwindow", "createwindow " + std::to_string(id))) {
        return nullptr;
    }
    CpwLocalhostWindow* w = new_window(id, title);
    w->x = x;
    w->y = y;
    w->width = width;
    w->height = height;
    w->properties = properties;
    w->menu = menu;
    return w;
}

CpwLocalhostWindow* cpw_localhost_createfullscreenwindow(CpwContext* ctx, std::uint32_t id, const char* title) {
    if (!step(ctx, "createfullscreenwindow", "createfullscreenwindow " + std::to_string(id))) {
        return nullptr;
    }
    CpwLocalhostWindow* w = new_window(id, title);
    w->width = ctx->cpw_screenwidth;
    w->height = ctx->cpw_screenheight;
    w->fullscreen = true;
    w->maximized = true;
    return w;
}

void cpw_localhost_destroywindow(CpwContext*, CpwLocalhostWindow* window) {
    null_host.calls.push_back(with_id("destroywindow", window));
    std::erase_if(null_host.windows, [window](const auto& w) { return w.get() == window; });
}

bool cpw_localhost_setpixelformat(CpwContext* ctx, CpwLocalhostWindow* window) {
    return step(ctx, "setpixelformat", with_id("setpixelformat", window));
}

bool cpw_localhost_createglcontext(CpwContext* ctx, CpwLocalhostWindow* window) {
    if (!step(ctx, "createglcontext", with_id("createglcontext", window))) {
        return false;
    }
    window->glcontext = true;
    return true;
}

bool cpw_localhost_makecurrent(CpwContext* ctx, CpwLocalhostWindow* window) {
    return step(ctx, "makecurrent", with_id("makecurrent", window));
}

void cpw_localhost_destroyglcontext(CpwContext*, CpwLocalhostWindow* window) {
    null_host.calls.push_back(with_id("destroyglcontext", window));
    if (window != nullptr) {
        window->glcontext = false;
    }
}

int cpw_localhost_swapbuffers(CpwLocalhostWindow* window) {
    null_host.calls.push_back(with_id("swapbuffers", window));
    return window == nullptr ? 0 : 1;
}

void cpw_localhost_setwindowtitle(CpwContext*, CpwLocalhostWindow* window, const char* title) {
    null_host.calls.push_back(with_id("setwindowtitle", window));
    if (title != nullptr && title[0] != '\0') {
        window->title = title;
    }
}

void cpw_localhost_positionwindow(CpwContext*, CpwLocalhostWindow* window, std::uint32_t x, std::uint32_t y) {
    null_host.calls.push_back(with_id("positionwindow", window));
    window->x = x;
    window->y = y;
}

void cpw_localhost_reshapewindow(CpwContext*, CpwLocalhostWindow* window, std::uint32_t width, std::uint32_t height) {
    null_host.calls.push_back(with_id("reshapewindow", window));
    window->width = width;
    window->height = height;
}

void cpw_localhost_maximizewindow(CpwContext* ctx, CpwLocalhostWindow* window) {
    null_host.calls.push_back(with_id("maximizewindow", window));
    window->maximized = true;
    window->x = 0;
    window->y = 0;
    window->width = ctx->cpw_screenwidth;
    window->height = ctx->cpw_screenheight;
}

void cpw_localhost_inconifywindow(CpwContext*, CpwLocalhostWindow* window) {
    null_host.calls.push_back(with_id("iconifywindow", window));
    window->iconic = true;
}

void cpw_localhost_restorewindow(CpwContext*, CpwLocalhostWindow* window) {
    null_host.calls.push_back(with_id("restorewindow", window));
    window->iconic = false;
    window->maximized = false;
}

int cpw_localhost_hidewindow(CpwContext*, CpwLocalhostWindow* window) {
    null_host.calls.push_back(with_id("hidewindow", window));
    const bool was = window->visible;
    window->visible = false;
    return was ? 1 : 0;
}

int cpw_localhost_showwindow(CpwContext*, CpwLocalhostWindow* window) {
    null_host.calls.push_back(with_id("showwindow", window));
    const bool was = window->visible;
    window->visible = true;
    return was ? 1 : 0;
}

int cpw_localhost_setforeground(CpwContext*, CpwLocalhostWindow* window) {
    null_host.calls.push_back(with_id("setforeground", window));
    return 1;
}

void cpw_localhost_windowinfo(CpwContext*, CpwLocalhostWindow* window, std::uint32_t* x, std::uint32_t* y,
                              std::uint32_t* width, std::uint32_t* height) {
    *x = window->x;
    *y = window->y;
    *width = window->width;
    *height = window->height;
}

void cpw_localhost_pushwindow(CpwContext*, CpwLocalhostWindow* window) {
    null_host.calls.push_back(with_id("pushwindow", window));
}

void cpw_localhost_popwindow(CpwContext*, CpwLocalhostWindow* window) {
    null_host.calls.push_back(with_id("popwindow", window));
}

void cpw_localhost_fullscreenwindow(CpwContext* ctx, CpwLocalhostWindow* window) {
    null_host.calls.push_back(with_id("fullscreenwindow", window));
    window->fullscreen = true;
    window->x = 0;
    window->y = 0;
    window->width = ctx->cpw_screenwidth;
    window->height = ctx->cpw_screenheight;
}

void cpw_localhost_standardizewindow(CpwContext*, CpwLocalhostWindow* window) {
    null_host.calls.push_back(with_id("standardizewindow", window));
    window->fullscreen = false;
    window->maximized = false;
}

void cpw_localhost_setcursor(CpwContext*, CpwLocalhostWindow* window, int cursor) {
    null_host.calls.push_back(with_id("setcursor", window) + " " + std::to_string(cursor));
    if (cursor >= cpw_cursor_arrow && cursor <= cpw_cursor_sizenwse) {
        window->cursor = cursor;
    }
}

void cpw_localhost_restorecursor(CpwContext*) {}

void cpw_localhost_positioncursor(CpwLocalhostWindow* window, std::uint32_t x, std::uint32_t y) {
    null_host.calls.push_back(with_id("positioncursor", window) + " " + std::to_string(x) + " " + std::to_string(y));
}

void cpw_localhost_centercursor(CpwLocalhostWindow* window) {
    null_host.calls.push_back(with_id("centercursor", window));
}

int cpw_localhost_processevents(CpwContext* ctx, int n) {
    for (int i = 0; i < n; ++i) {
        if (null_host.messages.empty()) {
            return 0;
        }
        const NullHostMessage message = std::move(null_host.messages.front());
        null_host.messages.pop_front();
        if (!message) {
            cpwBreakMainLoop(ctx);
            return 0;
        }
        message(ctx);
    }
    return 1;
}

double cpw_localhost_hpfreq() {
    return null_host.frequency;
}

double cpw_localhost_hpcount() {
    return null_host.clock;
}

void cpw_localhost_sleep(std::uint32_t milliseconds) {
    null_host_advance(milliseconds);
}

void cpw_localhost_waitevents(CpwContext*, int milliseconds) {
    // Nothing but the script brings messages: the clock goes on to the
    // timer due next (by 1 ms when there is none).
    null_host.waits.push_back(milliseconds);
    if (null_host.messages.empty()) {
        null_host_advance(milliseconds < 0 ? 1 : milliseconds);
    }
}

StringContext* cpw_localhost_fontpath() {
    return cstr::cpyString(null_host.fontfolder.c_str());
}

int cpw_localhost_iteratefiles(CpwContext*, int start, const char*, StringContext** name) {
    if (start == 1) {
        null_host.next_file = 0;
        return null_host.files.empty() ? 0 : 1;
    }
    if (name == nullptr || null_host.next_file >= null_host.files.size()) {
        return 0;
    }
    cstr::setString(name, null_host.files[null_host.next_file++].c_str());
    return 1;
}

void null_host_rawkey(const CpwRawKey& key) {
    if (null_host.rawkeyhook != nullptr) {
        null_host.rawkeyhook(key);
    }
}

CpwRawKeyHook cpw_rawkeyhook_set(CpwRawKeyHook hook) {
    const CpwRawKeyHook old = null_host.rawkeyhook;
    null_host.rawkeyhook = hook;
    return old;
}

bool cpw_clipboard_write(std::string_view text) {
    null_host.calls.push_back("clipboard write");
    if (null_host.clipboard_fails) {
        return false;
    }
    null_host.clipboard = std::string(text);
    return true;
}

bool cpw_clipboard_read(std::string& text) {
    null_host.calls.push_back("clipboard read");
    text = null_host.clipboard.value_or(std::string());
    return null_host.clipboard.has_value();
}

std::uintptr_t cpw_localhost_nativehandle(const CpwLocalhostWindow* window) {
    // A made-up handle that tells the windows apart.
    return window == nullptr ? 0 : 0x10000 + window->id;
}

int cpw_localhost_seticon(CpwLocalhostWindow* window, std::span<const CpwIconImage> images) {
    std::string record = with_id("seticon", window);
    std::vector<int> sizes;
    for (const CpwIconImage& image : images) {
        record += " " + std::to_string(image.size);
        sizes.push_back(image.size);
    }
    null_host.calls.push_back(record);
    const auto failure = null_host.failures.find("seticon");
    if (failure != null_host.failures.end()) {
        return failure->second;
    }
    if (window == nullptr) {
        return 1;
    }
    window->icon_sizes = sizes;
    return 0;
}

bool cpw_localhost_setmenubar(CpwContext* ctx, CpwLocalhostWindow* window, std::uint32_t menu) {
    if (!step(ctx, "setmenubar", with_id("setmenubar", window) + " " + std::to_string(menu))) {
        return false;
    }
    if (window != nullptr) {
        window->menubar = menu;
    }
    return window != nullptr;
}

void cpw_localhost_popupmenu(CpwContext*, CpwLocalhostWindow* window, std::uint32_t menu, int x, int y) {
    null_host.calls.push_back(with_id("popupmenu", window));
    null_host.popups.push_back(std::to_string(window == nullptr ? 0 : window->id) + " " + std::to_string(menu) + " " +
                               std::to_string(x) + " " + std::to_string(y));
}

bool cpw_localhost_listvideomodes(CpwContext* ctx, std::vector<CpwHostVideoMode>& modes) {
    if (!step(ctx, "listvideomodes", "listvideomodes")) {
        return false;
    }
    modes = null_host.videomodes;
    return true;
}

namespace {

void make_current(CpwContext* ctx, std::size_t index) {
    for (std::size_t i = 0; i < null_host.videomodes.size(); ++i) {
        null_host.videomodes[i].current = i == index;
    }
    null_host.screen_width = null_host.videomodes[index].width;
    null_host.screen_height = null_host.videomodes[index].height;
    ctx->cpw_screenwidth = null_host.screen_width;
    ctx->cpw_screenheight = null_host.screen_height;
}

}  // namespace

bool cpw_localhost_changevideomode(CpwContext* ctx, std::uint32_t width, std::uint32_t height, std::uint32_t depth) {
    const std::string record = "changevideomode " + std::to_string(width) + "x" + std::to_string(height) + "x" +
                               std::to_string(depth);
    if (!step(ctx, "changevideomode", record)) {
        return false;
    }
    auto& modes = null_host.videomodes;
    const auto wanted = std::find_if(modes.begin(), modes.end(), [&](const CpwHostVideoMode& m) {
        return m.width == width && m.height == height && m.depth == depth;
    });
    if (wanted == modes.end()) {
        return false;
    }
    if (!null_host.videooriginal) {
        const auto current = std::find_if(modes.begin(), modes.end(), [](const CpwHostVideoMode& m) { return m.current; });
        null_host.videooriginal = static_cast<std::size_t>(current - modes.begin());
    }
    make_current(ctx, static_cast<std::size_t>(wanted - modes.begin()));
    return true;
}

void cpw_localhost_resetvideomode(CpwContext* ctx) {
    null_host.calls.push_back("resetvideomode");
    if (null_host.videooriginal && *null_host.videooriginal < null_host.videomodes.size()) {
        make_current(ctx, *null_host.videooriginal);
    }
    null_host.videooriginal.reset();
}

void cpw_localhost_mousecapabilities(CpwContext*, CpwMouseInfo* info) {
    *info = null_host.mouseinfo;
}

void cpw_localhost_mousestate(CpwContext*, CpwMouseState* state) {
    *state = null_host.mousestate;
    null_host.mousestate = CpwMouseState{};
}

namespace {

NullJoystick* device_of(int joystick) {
    if (joystick < 1 || joystick > 2) {
        return nullptr;
    }
    auto& slot = null_host.joysticks[static_cast<std::size_t>(joystick - 1)];
    return slot ? &*slot : nullptr;
}

}  // namespace

bool cpw_localhost_joystickopen(CpwContext*, int joystick, CpwJoystickDevice* device) {
    null_host.calls.push_back("joystickopen " + std::to_string(joystick));
    NullJoystick* j = device_of(joystick);
    if (j == nullptr) {
        return false;
    }
    j->open = true;
    *device = j->device;
    return true;
}

bool cpw_localhost_joystickread(CpwContext*, int joystick, CpwJoystickRaw* raw) {
    const NullJoystick* j = device_of(joystick);
    if (j == nullptr || !j->open || !j->answers) {
        return false;
    }
    *raw = j->raw;
    return true;
}

void cpw_localhost_joystickclose(CpwContext*, int joystick) {
    null_host.calls.push_back("joystickclose " + std::to_string(joystick));
    if (NullJoystick* j = device_of(joystick)) {
        j->open = false;
    }
}

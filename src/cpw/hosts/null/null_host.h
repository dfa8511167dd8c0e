#pragma once

// The null host: the toolkit's back end for tests, with no display. The
// screen has a fixed size, windows are plain records, GL calls are skipped,
// the high-resolution clock is a number the test (and the host's sleep)
// advances, host messages come from a script, and every step of start-up and
// window creation can be made to fail. Every host call is recorded in order.

#include "cpw/host_services.h"
#include "cpw/joystick.h"
#include "cpw/keymouse.h"
#include "cpw/types.h"
#include "cpw/video.h"

#include <array>
#include <cstdint>
#include <deque>
#include <functional>
#include <map>
#include <optional>
#include <memory>
#include <string>
#include <vector>

struct CpwLocalhostWindow {
    std::uint32_t id = 0;
    std::string title;
    std::uint32_t x = 0, y = 0, width = 0, height = 0;
    std::uint32_t properties = 0;
    bool menu = false;
    bool visible = true;
    bool maximized = false;
    bool iconic = false;
    bool fullscreen = false;
    bool glcontext = false;
    int cursor = 1;
    std::uint32_t menubar = 0;  // the menu shown as its menu bar
    std::vector<int> icon_sizes;  // the sizes of the icon it was given
};

struct CpwLocalhost {
    std::string classname;
};

// A scripted host message: runs when the main loop pumps it, typically a call
// of a cpw_hostevent_* entry. An empty message is the quit message.
using NullHostMessage = std::function<void(CpwContext*)>;

// A joystick device of the null host.
struct NullJoystick {
    CpwJoystickDevice device{};
    CpwJoystickRaw raw{};
    bool answers = true;  // reads succeed
    bool open = false;
};

struct NullHost {
    std::uint32_t screen_width = 1280;
    std::uint32_t screen_height = 1024;
    double frequency = 1.0e6;  // clock counts per second
    double clock = 0.0;        // current count
    // Host calls in order: "start <module>", "stop <module>", "createwindow 1", ...
    std::vector<std::string> calls;
    // Steps made to fail, with the error code stored: "start <module>",
    // "createwindow", "createfullscreenwindow", "setpixelformat",
    // "createglcontext", "makecurrent", "setmenubar", "listvideomodes",
    // "changevideomode", "seticon" (whose code is the one returned).
    std::map<std::string, int> failures;
    std::deque<NullHostMessage> messages;
    std::vector<int> waits;  // the main loop's rests, in milliseconds (-1: no limit)
    std::vector<std::unique_ptr<CpwLocalhostWindow>> windows;  // the host windows alive
    std::vector<std::unique_ptr<CpwLocalhost>> hosts;          // the host records alive
    std::string fontfolder = "C:\\Windows\\fonts\\";
    std::vector<std::string> files;  // what a file search finds
    std::size_t next_file = 0;
    // Host services: the clipboard's text (none when unset), whether taking
    // the clipboard fails, and the raw key hook installed.
    std::optional<std::string> clipboard;
    bool clipboard_fails = false;
    CpwRawKeyHook rawkeyhook = nullptr;
    // Pop-up menus asked for: "<window id> <menu> <x> <y>".
    std::vector<std::string> popups;
    // The screen's modes; a change marks another one current and takes its
    // size as the screen's, the reset goes back to the one of before.
    std::vector<CpwHostVideoMode> videomodes = {{1280, 1024, 32, 60, true}, {1024, 768, 32, 75, false},
                                                {800, 600, 32, 0, false}, {640, 480, 16, 60, false}};
    std::optional<std::size_t> videooriginal;  // the current mode before the first change
    CpwMouseInfo mouseinfo{true, true, 3};
    CpwMouseState mousestate{};  // handed out and cleared by cpwMouseState
    std::array<std::optional<NullJoystick>, 2> joysticks;  // none: no device
};

extern NullHost null_host;
void reset_null_host();

void null_host_advance(double milliseconds);
void null_host_post(NullHostMessage message);
void null_host_post_quit();
CpwLocalhostWindow* null_host_window(std::uint32_t id);  // null when the host has no such window
// Hands a key to the raw key hook, as a key typed in a window would.
void null_host_rawkey(const CpwRawKey& key);

#include "x11_fixture.h"

#include <X11/Xatom.h>

#include <atomic>
#include <thread>

namespace x11_test {
namespace {

class X11ClipboardTest : public X11Test {
protected:
    // Another program asks for the clipboard in a format; our host answers
    // from its pump. The bytes that came, and their type.
    bool ask(Atom target, std::string& bytes, Atom& type) {
        const Window requestor = XCreateSimpleWindow(user, DefaultRootWindow(user), 0, 0, 1, 1, 0, 0, 0);
        const Atom property = XInternAtom(user, "TEST_CLIP", False);
        XConvertSelection(user, XInternAtom(user, "CLIPBOARD", False), target, property, requestor, CurrentTime);
        XFlush(user);
        XEvent event{};
        const bool answered =
            pump_until([&] { return XCheckTypedWindowEvent(user, requestor, SelectionNotify, &event) != 0; });
        bool ok = false;
        if (answered && event.xselection.property != None) {
            int format = 0;
            unsigned long count = 0, after = 0;
            unsigned char* data = nullptr;
            if (XGetWindowProperty(user, requestor, property, 0, 1 << 20, True, AnyPropertyType, &type, &format, &count,
                                   &after, &data) == Success &&
                data != nullptr) {
                bytes.assign(reinterpret_cast<const char*>(data), format == 32 ? count * sizeof(long) : count);
                ok = true;
            }
            if (data != nullptr) {
                XFree(data);
            }
        }
        XDestroyWindow(user, requestor);
        return ok;
    }
};

// Another program holding the clipboard, on a connection and thread of its
// own: it answers requests for the formats it offers until it is stopped.
class OtherProgram {
public:
    OtherProgram(std::string utf8, bool offers_utf8) : utf8_(std::move(utf8)), offers_utf8_(offers_utf8) {
        display_ = XOpenDisplay(nullptr);
        window_ = XCreateSimpleWindow(display_, DefaultRootWindow(display_), 0, 0, 1, 1, 0, 0, 0);
        clipboard_ = XInternAtom(display_, "CLIPBOARD", False);
        utf8_string_ = XInternAtom(display_, "UTF8_STRING", False);
        XSetSelectionOwner(display_, clipboard_, window_, CurrentTime);
        XSync(display_, False);
        thread_ = std::thread([this] { serve(); });
    }
    ~OtherProgram() {
        stop_ = true;
        thread_.join();
        XDestroyWindow(display_, window_);
        XCloseDisplay(display_);
    }
    bool owns() { return XGetSelectionOwner(display_, clipboard_) == window_; }

private:
    void serve() {
        while (!stop_) {
            XEvent e{};
            if (XCheckTypedWindowEvent(display_, window_, SelectionRequest, &e) == 0) {
                std::this_thread::sleep_for(std::chrono::milliseconds(1));
                continue;
            }
            const XSelectionRequestEvent& r = e.xselectionrequest;
            XSelectionEvent reply{};
            reply.type = SelectionNotify;
            reply.requestor = r.requestor;
            reply.selection = r.selection;
            reply.target = r.target;
            reply.time = r.time;
            reply.property = None;
            if (r.target == utf8_string_ && offers_utf8_) {
                XChangeProperty(display_, r.requestor, r.property, utf8_string_, 8, PropModeReplace,
                                reinterpret_cast<const unsigned char*>(utf8_.data()), static_cast<int>(utf8_.size()));
                reply.property = r.property;
            } else if (r.target == XA_STRING) {
                const std::string latin1 = "na\xEFve \x85";  // ends with a Latin-1 control character
                XChangeProperty(display_, r.requestor, r.property, XA_STRING, 8, PropModeReplace,
                                reinterpret_cast<const unsigned char*>(latin1.data()), static_cast<int>(latin1.size()));
                reply.property = r.property;
            }
            XSendEvent(display_, r.requestor, False, NoEventMask, reinterpret_cast<XEvent*>(&reply));
            XFlush(display_);
        }
    }

    std::string utf8_;
    bool offers_utf8_;
    Display* display_ = nullptr;
    Window window_ = 0;
    Atom clipboard_ = 0, utf8_string_ = 0;
    std::atomic<bool> stop_{false};
    std::thread thread_;
};

TEST_F(X11ClipboardTest, OurTextComesBackAndGoesToOtherPrograms) {
    make_window();
    const std::string text = "caf\xE9 \x80";
    ASSERT_TRUE(cpw_clipboard_write(text));
    std::string back;
    EXPECT_TRUE(cpw_clipboard_read(back));
    EXPECT_EQ(back, text);

    std::string bytes;
    Atom type = None;
    ASSERT_TRUE(ask(XInternAtom(user, "UTF8_STRING", False), bytes, type));
    EXPECT_EQ(type, XInternAtom(user, "UTF8_STRING", False));
    EXPECT_EQ(bytes, "caf\xC3\xA9 \xE2\x82\xAC");
    ASSERT_TRUE(ask(XA_STRING, bytes, type));
    EXPECT_EQ(type, XA_STRING);
    EXPECT_EQ(bytes, "caf\xE9 ?");  // Latin-1 has no euro sign
    ASSERT_TRUE(ask(XInternAtom(user, "TARGETS", False), bytes, type));
    EXPECT_EQ(type, XA_ATOM);
    ASSERT_GE(bytes.size(), 2 * sizeof(long));
    const auto* targets = reinterpret_cast<const long*>(bytes.data());
    const auto offered = [&](Atom a) {
        for (std::size_t i = 0; i < bytes.size() / sizeof(long); ++i) {
            if (static_cast<Atom>(targets[i]) == a) {
                return true;
            }
        }
        return false;
    };
    EXPECT_TRUE(offered(XInternAtom(user, "UTF8_STRING", False)));
    EXPECT_TRUE(offered(XA_STRING));
    // A format we do not have is refused.
    EXPECT_FALSE(ask(XInternAtom(user, "image/png", False), bytes, type));
}

TEST_F(X11ClipboardTest, TextOfAnotherProgramIsReadAsCp1252) {
    make_window();
    ASSERT_TRUE(cpw_clipboard_write("ours"));
    {
        OtherProgram other("na\xC3\xAFve \xE2\x82\xAC \xE2\x9C\x93", true);  // naïve € ✓
        // Our host learns it lost the clipboard when it pumps.
        ASSERT_TRUE(pump_until([] { return !cpw_x11_connection()->owns_clipboard; }));
        std::string text;
        EXPECT_TRUE(cpw_clipboard_read(text));
        EXPECT_EQ(text, "na\xEFve \x80 ?");
    }
    {
        OtherProgram other("unused", false);  // offers Latin-1 only
        std::string text;
        EXPECT_TRUE(cpw_clipboard_read(text));
        EXPECT_EQ(text, "na\xEFve ?");
    }
}

TEST_F(X11ClipboardTest, AnEmptyClipboardGivesNothing) {
    make_window();
    // Nobody holds the clipboard.
    XSetSelectionOwner(user, XInternAtom(user, "CLIPBOARD", False), None, CurrentTime);
    XSync(user, False);
    std::string text = "stale";
    EXPECT_FALSE(cpw_clipboard_read(text));
    EXPECT_TRUE(text.empty());
    // A holder that never answers: the read gives up.
    const Window silent = XCreateSimpleWindow(user, DefaultRootWindow(user), 0, 0, 1, 1, 0, 0, 0);
    XSetSelectionOwner(user, XInternAtom(user, "CLIPBOARD", False), silent, CurrentTime);
    XSync(user, False);
    EXPECT_FALSE(cpw_clipboard_read(text));
    EXPECT_TRUE(text.empty());
    XDestroyWindow(user, silent);
}

}  // namespace
}  // namespace x11_test

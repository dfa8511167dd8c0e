#include "x11_fixture.h"

#include "cpw/host_rules.h"

#include <X11/Xatom.h>
#include <X11/Xutil.h>

namespace x11_test {
namespace {

std::string text_property(Display* d, Window w, Atom property, Atom type) {
    Atom actual = None;
    int format = 0;
    unsigned long count = 0, after = 0;
    unsigned char* data = nullptr;
    std::string text;
    if (XGetWindowProperty(d, w, property, 0, 1024, False, type, &actual, &format, &count, &after, &data) ==
            Success &&
        data != nullptr) {
        text.assign(reinterpret_cast<const char*>(data), count);
    }
    if (data != nullptr) {
        XFree(data);
    }
    return text;
}

using X11WindowTest = X11Test;

TEST_F(X11WindowTest, ContextStartReadsTheScreenAndCountsClassNames) {
    EXPECT_EQ(ctx->cpw_screenwidth, 1280u);
    EXPECT_EQ(ctx->cpw_screenheight, 1024u);
    EXPECT_EQ(ctx->ctx_localhost->classname, "CPWWindow" + std::to_string(classregistercount - 1));
    CpwContext* second = nullptr;
    ASSERT_TRUE(cpwInitContext(&second));
    EXPECT_EQ(second->ctx_localhost->classname, "CPWWindow" + std::to_string(classregistercount - 1));
    EXPECT_NE(second->ctx_localhost->classname, ctx->ctx_localhost->classname);
    cpwFreeContext(&second);
    // The first context keeps the shared connection.
    EXPECT_NE(cpw_x11_connection(), nullptr);
}

TEST_F(X11WindowTest, FixedFrameWindowHasItsClientSizeAtItsPosition) {
    cpwInitWindowProperty(ctx, cpw_window_fixedframe, 0, 0);  // 0x101
    const std::uint32_t id = make_window(30, 40, 400, 300, "Caf\xE9 \x80");
    const Window w = x_window(id);
    ASSERT_NE(w, 0u);
    XWindowAttributes a{};
    ASSERT_NE(XGetWindowAttributes(user, w, &a), 0);
    EXPECT_EQ(a.width, 400);
    EXPECT_EQ(a.height, 300);
    EXPECT_EQ(a.map_state, IsViewable);
    int root_x = 0, root_y = 0;
    Window child = 0;
    XTranslateCoordinates(user, w, DefaultRootWindow(user), 0, 0, &root_x, &root_y, &child);
    EXPECT_EQ(root_x, 30);  // no window manager: the outer corner is the window's
    EXPECT_EQ(root_y, 40);

    // Not sizable: the size is both minimum and maximum, the corner the reference point.
    XSizeHints hints{};
    long supplied = 0;
    ASSERT_NE(XGetWMNormalHints(user, w, &hints, &supplied), 0);
    EXPECT_TRUE(hints.flags & PMinSize);
    EXPECT_TRUE(hints.flags & PMaxSize);
    EXPECT_EQ(hints.min_width, 400);
    EXPECT_EQ(hints.max_height, 300);
    EXPECT_EQ(hints.win_gravity, NorthWestGravity);

    // Titles: Latin-1 (the euro sign has none) and UTF-8.
    EXPECT_EQ(text_property(user, w, XA_WM_NAME, XA_STRING), "Caf\xE9 ?");
    EXPECT_EQ(text_property(user, w, XInternAtom(user, "_NET_WM_NAME", False), XInternAtom(user, "UTF8_STRING", False)),
              "Caf\xC3\xA9 \xE2\x82\xAC");
    XClassHint class_hint{};
    ASSERT_NE(XGetClassHint(user, w, &class_hint), 0);
    EXPECT_EQ(std::string(class_hint.res_class), ctx->ctx_localhost->classname);
    XFree(class_hint.res_name);
    XFree(class_hint.res_class);

    // The toolkit's view of it.
    CpwWindowInfo info{};
    ASSERT_EQ(cpwGetWindowInfo(ctx, &info, id), 1);
    EXPECT_EQ(info.width, 400u);
    EXPECT_EQ(info.height, 300u);
    EXPECT_EQ(info.x, 30u);
    EXPECT_EQ(info.y, 40u);
    EXPECT_TRUE(info.foreground);
}

TEST_F(X11WindowTest, SizingFrameLeavesTheSizeFreeAndTitlesChange) {
    const std::uint32_t id = make_window(50, 60, 320, 200);  // default 0x401
    const Window w = x_window(id);
    XSizeHints hints{};
    long supplied = 0;
    ASSERT_NE(XGetWMNormalHints(user, w, &hints, &supplied), 0);
    EXPECT_FALSE(hints.flags & PMaxSize);

    EXPECT_EQ(cpwSetWindowTitle(ctx, "Second", id), 1);
    sync_both();
    EXPECT_EQ(text_property(user, w, XA_WM_NAME, XA_STRING), "Second");
    EXPECT_EQ(cpwSetWindowTitle(ctx, "", id), 0);  // stored, not shown
    sync_both();
    EXPECT_EQ(text_property(user, w, XA_WM_NAME, XA_STRING), "Second");

    // Reshaping changes the client area; moving keeps the size.
    seen.clear();
    EXPECT_EQ(cpwReshapeWindow(ctx, 500, 250, id), 1);
    EXPECT_EQ(cpwPositionWindow(ctx, 70, 80, id), 1);
    settle();
    XWindowAttributes a{};
    ASSERT_NE(XGetWindowAttributes(user, w, &a), 0);
    EXPECT_EQ(a.width, 500);
    EXPECT_EQ(a.height, 250);
    EXPECT_EQ(a.x, 70);
    EXPECT_EQ(a.y, 80);
    EXPECT_EQ(std::count(seen.begin(), seen.end(), event_text("reshape", id, {500, 250})), 1);
    EXPECT_TRUE(was_seen(event_text("position", id, {70, 80})));
}

TEST_F(X11WindowTest, HideAndShowTellWhetherTheWindowWasVisible) {
    const std::uint32_t id = make_window();
    seen.clear();
    EXPECT_EQ(cpwHideWindow(ctx, id), 1);
    EXPECT_TRUE(pump_until_seen(event_text("visibility", id, {0})));
    EXPECT_EQ(cpwHideWindow(ctx, id), 0);
    EXPECT_EQ(cpwShowWindow(ctx, id), 0);
    EXPECT_TRUE(pump_until_seen(event_text("visibility", id, {1})));
    EXPECT_EQ(cpwShowWindow(ctx, id), 1);
    XWindowAttributes a{};
    ASSERT_NE(XGetWindowAttributes(user, x_window(id), &a), 0);
    EXPECT_EQ(a.map_state, IsViewable);
}

TEST_F(X11WindowTest, DestroyingTheWindowRemovesItFromTheServer) {
    const std::uint32_t id = make_window();
    const Window w = x_window(id);
    ASSERT_EQ(cpwDestroyWindow(ctx, id), 1);
    sync_both();
    XWindowAttributes a{};
    const XErrorHandler previous = XSetErrorHandler([](Display*, XErrorEvent*) { return 0; });
    EXPECT_EQ(XGetWindowAttributes(user, w, &a), 0);
    XSync(user, False);
    XSetErrorHandler(previous);
    EXPECT_EQ(cpw_x11_window(w), nullptr);
}

TEST_F(X11WindowTest, PixelFormatsFollowTheDisplayMode) {
    // The default mode: RGBA, double buffered, with a depth buffer.
    const std::uint32_t id = cpwCreateWindowEx(ctx, "default", 10, 10, 100, 100);
    ASSERT_NE(id, 0u);
    {
        const CpwGlFloatGuard guard;
        ASSERT_EQ(cpwSetWindow(ctx, id), 1);
        GLint depth = 0;
        GLboolean doublebuffer = GL_FALSE;
        glGetIntegerv(GL_DEPTH_BITS, &depth);
        glGetBooleanv(GL_DOUBLEBUFFER, &doublebuffer);
        EXPECT_GE(depth, 8);
        EXPECT_EQ(doublebuffer, GL_TRUE);
    }

    // Single buffered, with stencil and alpha.
    cpwInitDisplayMode(ctx, 0x1 | 0x4 | 0x20 | 0x40 | 0x400);
    const std::uint32_t single = cpwCreateWindowEx(ctx, "single", 10, 10, 100, 100);
    ASSERT_NE(single, 0u) << "error " << cpwGetLastError(ctx);
    {
        const CpwGlFloatGuard guard;
        ASSERT_EQ(cpwSetWindow(ctx, single), 1);
        GLint stencil = 0, alpha = 0;
        GLboolean doublebuffer = GL_TRUE;
        glGetIntegerv(GL_STENCIL_BITS, &stencil);
        glGetIntegerv(GL_ALPHA_BITS, &alpha);
        glGetBooleanv(GL_DOUBLEBUFFER, &doublebuffer);
        EXPECT_GE(stencil, 8);
        EXPECT_GE(alpha, 8);
        EXPECT_EQ(doublebuffer, GL_FALSE);
    }

    // Sixteen bits per channel and colour-index pixels: no visual has them.
    cpwSetLastError(ctx, 0);
    cpwInitDisplayMode(ctx, 0x1 | 0x800);
    EXPECT_EQ(cpwCreateWindowEx(ctx, "deep", 10, 10, 100, 100), 0u);
    EXPECT_EQ(cpwGetLastError(ctx), cpw_error_nopixelformat);
    cpwSetLastError(ctx, 0);
    cpwInitDisplayMode(ctx, 0x2);
    EXPECT_EQ(cpwCreateWindowEx(ctx, "index", 10, 10, 100, 100), 0u);
    EXPECT_EQ(cpwGetLastError(ctx), cpw_error_nopixelformat);
    // Only the two good windows exist, on the server too.
    EXPECT_EQ(cpw_x11_connection()->windows.size(), 2u);
}

TEST_F(X11WindowTest, CursorShapesAreSetOnTheWindow) {
    const std::uint32_t id = make_window();
    for (const int code : {cpw_cursor_hand, cpw_cursor_none, cpw_cursor_ibeam, 99}) {
        cpwSetCursor(ctx, code, id);
    }
    EXPECT_NE(cpw_x11_connection()->cursors[cpw_cursor_hand], 0u);
    EXPECT_NE(cpw_x11_connection()->cursors[cpw_cursor_none], 0u);
    EXPECT_NE(cpw_x11_connection()->cursors[cpw_cursor_ibeam], 0u);
    EXPECT_EQ(cpw_x11_connection()->cursors[cpw_cursor_wait], 0u);
    // The window's own cursor was shown when the focus brought the mouse in.
    EXPECT_NE(cpw_x11_connection()->cursors[cpw_cursor_arrow], 0u);
}

}  // namespace
}  // namespace x11_test

namespace x11_test {
namespace {

TEST_F(X11WindowTest, ScreenSizeFollowsTheRootWindow) {
    make_window();
    CpwContext* second = nullptr;
    ASSERT_TRUE(cpwInitContext(&second));
    // The root window's change as the server tells it (sent here by hand).
    XEvent e{};
    e.xconfigure.type = ConfigureNotify;
    e.xconfigure.event = DefaultRootWindow(user);
    e.xconfigure.window = DefaultRootWindow(user);
    e.xconfigure.width = 1000;
    e.xconfigure.height = 700;
    XSendEvent(user, DefaultRootWindow(user), False, StructureNotifyMask, &e);
    EXPECT_TRUE(pump_until([&] { return ctx->cpw_screenwidth == 1000; }));
    EXPECT_EQ(ctx->cpw_screenheight, 700u);
    EXPECT_EQ(second->cpw_screenwidth, 1000u);
    cpwFreeContext(&second);
}

}  // namespace
}  // namespace x11_test

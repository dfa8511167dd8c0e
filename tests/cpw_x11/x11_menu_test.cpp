#include "x11_fixture.h"

#include "cpw/menu.h"

namespace x11_test {
namespace {

std::vector<std::string> chosen;

void on_menu(CpwContext*, std::uint32_t window, std::uint32_t menu, std::uint32_t entry) {
    chosen.push_back(std::to_string(window) + " " + std::to_string(menu) + " " + std::to_string(entry));
}

std::string choice(std::uint32_t window, std::uint32_t menu, std::uint32_t entry) {
    return std::to_string(window) + " " + std::to_string(menu) + " " + std::to_string(entry);
}

// Windows at (100, 100), 400 x 300, with a pop-up menu on the right button:
// "One" (1), a separator, "Two" (3, checked), "More" (4) opening "Deep" (7).
class X11MenuTest : public X11Test {
protected:
    void SetUp() override {
        X11Test::SetUp();
        if (IsSkipped() || HasFatalFailure()) {
            return;
        }
        chosen.clear();
        menu = cpwCreateMenu(ctx, on_menu);
        sub = cpwCreateSubMenu(ctx);
        cpwAddMenuEntry(ctx, menu, "One", 1, false);
        cpwAddMenuSeperator(ctx, menu, 2);
        cpwAddMenuEntry(ctx, menu, "Two", 3, true);
        cpwAddSubMenu(ctx, menu, "More", sub, 4);
        cpwAddMenuEntry(ctx, sub, "Deep", 7, false);
    }

    void TearDown() override {
        XUngrabPointer(user, CurrentTime);
        X11Test::TearDown();
    }

    // The pointer to the middle of an entry of an open pop-up level.
    void pointer_to_entry(int level, std::uint32_t entry) {
        int x = 0, y = 0, w = 0, h = 0;
        ASSERT_TRUE(cpw_x11_popupentry(level, entry, &x, &y, &w, &h)) << "level " << level << " entry " << entry;
        pointer_to(x + w / 2, y + h / 2);
    }

    // Right button pressed and released at a client point: the pop-up opens.
    void open_popup(std::uint32_t id, int x = 50, int y = 60) {
        ASSERT_EQ(cpwAttachMenuToButton(ctx, menu, 2, id), 1);
        pointer_to(100 + x, 100 + y);
        button(3, true);
        ASSERT_TRUE(pump_until([] { return cpw_x11_popupopen(); })) << "the pop-up never opened";
        button(3, false);
        settle();
    }

    std::uint32_t menu = 0;
    std::uint32_t sub = 0;
};

TEST_F(X11MenuTest, PopUpOpensWhereClickedAndReportsTheChosenEntry) {
    const std::uint32_t id = make_window();
    seen.clear();
    open_popup(id);
    EXPECT_TRUE(chosen.empty());  // releasing where it opened chooses nothing
    int x = 0, y = 0, w = 0, h = 0;
    ASSERT_TRUE(cpw_x11_popupentry(0, 1, &x, &y, &w, &h));
    EXPECT_EQ(x, 151);  // inside the border, at the click
    EXPECT_EQ(y, 161);
    EXPECT_FALSE(cpw_x11_popupentry(0, 2, &x, &y, &w, &h));  // a separator is no entry
    EXPECT_FALSE(cpw_x11_popupentry(1, 1, &x, &y, &w, &h));  // no sub-menu open

    pointer_to_entry(0, 3);
    button(1, true);
    button(1, false);
    ASSERT_TRUE(pump_until([] { return !chosen.empty(); }));
    EXPECT_EQ(chosen, (std::vector<std::string>{choice(id, menu, 3)}));
    EXPECT_FALSE(cpw_x11_popupopen());
    EXPECT_TRUE(seen_of("click").empty());  // the menu's clicks are not the window's

    // The pointer is free again: the window gets its clicks.
    pointer_to(100 + 200, 100 + 200);
    button(1, true);
    button(1, false);
    EXPECT_TRUE(pump_until_seen(event_text("click", id, {1, 0, 200, 200})));
    EXPECT_EQ(cpwGetLastError(ctx), 0);
}

TEST_F(X11MenuTest, PressMoveAndReleaseChooses) {
    const std::uint32_t id = make_window();
    ASSERT_EQ(cpwAttachMenuToButton(ctx, menu, 2, id), 1);
    pointer_to(100 + 30, 100 + 30);
    button(3, true);
    ASSERT_TRUE(pump_until([] { return cpw_x11_popupopen(); }));
    pointer_to_entry(0, 1);
    settle();
    button(3, false);
    ASSERT_TRUE(pump_until([] { return !chosen.empty(); }));
    EXPECT_EQ(chosen, (std::vector<std::string>{choice(id, menu, 1)}));
}

TEST_F(X11MenuTest, SubMenusOpenOverTheirEntry) {
    const std::uint32_t id = make_window();
    open_popup(id);
    pointer_to_entry(0, 4);
    int x = 0, y = 0, w = 0, h = 0;
    ASSERT_TRUE(pump_until([&] { return cpw_x11_popupentry(1, 7, &x, &y, &w, &h); })) << "no sub-menu";
    int px = 0, py = 0, pw = 0, ph = 0;
    ASSERT_TRUE(cpw_x11_popupentry(0, 4, &px, &py, &pw, &ph));
    EXPECT_EQ(x, px + pw + 2);  // right of its parent, beside the entry
    EXPECT_EQ(y, py);
    // Back over a plain entry the sub-menu closes; over its entry it opens again.
    pointer_to_entry(0, 1);
    ASSERT_TRUE(pump_until([&] { return !cpw_x11_popupentry(1, 7, &x, &y, &w, &h); }));
    pointer_to_entry(0, 4);
    ASSERT_TRUE(pump_until([&] { return cpw_x11_popupentry(1, 7, &x, &y, &w, &h); }));
    pointer_to_entry(1, 7);
    settle();
    button(1, true);
    button(1, false);
    ASSERT_TRUE(pump_until([] { return !chosen.empty(); }));
    // Reported with the menu that was shown.
    EXPECT_EQ(chosen, (std::vector<std::string>{choice(id, menu, 7)}));
}

TEST_F(X11MenuTest, AClickBesideOrEscapeClosesIt) {
    const std::uint32_t id = make_window();
    open_popup(id);
    seen.clear();
    pointer_to(100 + 300, 100 + 250);  // in the window, beside the menu
    button(1, true);
    button(1, false);
    ASSERT_TRUE(pump_until([] { return !cpw_x11_popupopen(); }));
    settle();
    EXPECT_TRUE(chosen.empty());
    EXPECT_TRUE(seen_of("click").empty());  // the closing click belongs to the menu

    open_popup(id);
    tap(XK_Escape);
    ASSERT_TRUE(pump_until([] { return !cpw_x11_popupopen(); }));
    settle();
    EXPECT_TRUE(chosen.empty());
    EXPECT_TRUE(seen_of("skey").empty());
}

TEST_F(X11MenuTest, DestroyingTheWindowClosesItsPopUp) {
    const std::uint32_t id = make_window();
    open_popup(id);
    EXPECT_EQ(cpwDestroyWindow(ctx, id), 1);
    EXPECT_FALSE(cpw_x11_popupopen());
}

TEST_F(X11MenuTest, MenuBarAlongTheTop) {
    const std::uint32_t id = make_window();
    const std::uint32_t bar = cpwCreateMenu(ctx, on_menu);
    cpwAddMenuEntry(ctx, bar, "File", 1, false);
    cpwAddSubMenu(ctx, bar, "View", menu, 2);
    ASSERT_EQ(cpwAssignMenuToWindow(ctx, bar, id), 1);
    ASSERT_NE(host_window(id)->menubar, 0u);
    seen.clear();

    int x = 0, y = 0, w = 0, h = 0;
    ASSERT_TRUE(cpw_x11_menubarentry(*host_window(id), 1, &x, &y, &w, &h));
    EXPECT_EQ(x, 100);
    EXPECT_EQ(y, 100);
    pointer_to(x + w / 2, y + h / 2);
    button(1, true);
    button(1, false);
    ASSERT_TRUE(pump_until([] { return !chosen.empty(); }));
    EXPECT_EQ(chosen, (std::vector<std::string>{choice(id, bar, 1)}));

    // An entry with a sub-menu drops it down under itself.
    chosen.clear();
    ASSERT_TRUE(cpw_x11_menubarentry(*host_window(id), 2, &x, &y, &w, &h));
    pointer_to(x + w / 2, y + h / 2);
    button(1, true);
    button(1, false);
    ASSERT_TRUE(pump_until([] { return cpw_x11_popupopen(); }));
    int ex = 0, ey = 0, ew = 0, eh = 0;
    ASSERT_TRUE(cpw_x11_popupentry(0, 1, &ex, &ey, &ew, &eh));
    EXPECT_EQ(ex, x + 1);
    EXPECT_EQ(ey, y + h + 1);
    pointer_to_entry(0, 3);
    settle();
    button(1, true);
    button(1, false);
    ASSERT_TRUE(pump_until([] { return !chosen.empty(); }));
    EXPECT_EQ(chosen, (std::vector<std::string>{choice(id, bar, 3)}));
    settle();
    EXPECT_TRUE(seen_of("click").empty());  // clicks on the bar are the bar's

    // The bar follows the window's width and goes with the unassignment.
    cpwReshapeWindow(ctx, 500, 300, id);
    settle();
    sync_both();
    XWindowAttributes a{};
    ASSERT_NE(XGetWindowAttributes(user, host_window(id)->menubar, &a), 0);
    EXPECT_EQ(a.width, 500);
    EXPECT_EQ(cpwUnassignMenu(ctx, id), 1);
    EXPECT_EQ(host_window(id)->menubar, 0u);
    EXPECT_EQ(cpwGetLastError(ctx), 0);
}

TEST_F(X11MenuTest, AWindowMadeForAMenuHasAnEmptyBar) {
    cpwInitWindowProperty(ctx, cpw_window_menu, 0, 0);
    const std::uint32_t id = make_window();
    EXPECT_NE(host_window(id)->menubar, 0u);
    EXPECT_EQ(host_window(id)->menubarmenu, 0u);
    const std::uint32_t bar = cpwCreateMenu(ctx, on_menu);
    cpwAddMenuEntry(ctx, bar, "File", 1, false);
    const Window strip = host_window(id)->menubar;
    ASSERT_EQ(cpwAssignMenuToWindow(ctx, bar, id), 1);
    EXPECT_EQ(host_window(id)->menubar, strip);
    EXPECT_EQ(host_window(id)->menubarmenu, bar);
}

}  // namespace
}  // namespace x11_test

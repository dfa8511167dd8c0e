#include "cpw_fixture.h"

#include "cpw/menu.h"

#include <string>
#include <vector>

using namespace cpw_test;

namespace {

std::vector<std::string> chosen;

void on_menu(CpwContext*, std::uint32_t window, std::uint32_t menu, std::uint32_t entry) {
    chosen.push_back(std::to_string(window) + " " + std::to_string(menu) + " " + std::to_string(entry));
}

class CpwMenuTest : public CpwTest {
protected:
    void SetUp() override {
        CpwTest::SetUp();
        chosen.clear();
    }

    int setmenubar_calls() const {
        int n = 0;
        for (const std::string& c : null_host.calls) {
            n += c.rfind("setmenubar", 0) == 0 ? 1 : 0;
        }
        return n;
    }
};

TEST_F(CpwMenuTest, MenusEntriesAndTheirErrors) {
    const std::uint32_t menu = cpwCreateMenu(ctx, on_menu);
    const std::uint32_t sub = cpwCreateSubMenu(ctx);
    EXPECT_EQ(menu, 1u);
    EXPECT_EQ(sub, 2u);
    EXPECT_EQ(cpwAddMenuEntry(ctx, menu, "Open", 10, false), 1);
    EXPECT_EQ(cpwAddMenuSeperator(ctx, menu, 11), 1);
    EXPECT_EQ(cpwAddMenuEntry(ctx, sub, "Grid \xE9tendue", 20, true), 1);
    EXPECT_EQ(cpwAddSubMenu(ctx, menu, "View", sub, 12), 1);
    EXPECT_EQ(cpwGetLastError(ctx), 0);

    const std::vector<CpwMenuItemView> items = cpw_menus_items(ctx, menu);
    ASSERT_EQ(items.size(), 3u);
    EXPECT_EQ(items[0].entry, 10u);
    EXPECT_EQ(items[0].title, "Open");
    EXPECT_FALSE(items[0].checked);
    EXPECT_TRUE(items[1].separator);
    EXPECT_EQ(items[1].title, "");
    EXPECT_EQ(items[2].title, "View");
    EXPECT_EQ(items[2].submenu, sub);
    EXPECT_EQ(cpw_menus_items(ctx, sub).at(0).title, "Grid \xE9tendue");
    EXPECT_TRUE(cpw_menus_items(ctx, sub).at(0).checked);
    EXPECT_TRUE(cpw_menus_items(ctx, 99).empty());

    // Unknown menus: error 14.
    EXPECT_EQ(cpwAddMenuEntry(ctx, 99, "x", 1, false), 0);
    EXPECT_EQ(cpwGetLastError(ctx), cpw_error_unknownmenu);
    cpwSetLastError(ctx, 0);
    EXPECT_EQ(cpwAddMenuSeperator(ctx, 0, 1), 0);
    EXPECT_EQ(cpwGetLastError(ctx), cpw_error_unknownmenu);
    cpwSetLastError(ctx, 0);
    EXPECT_EQ(cpwAddSubMenu(ctx, menu, "x", 99, 1), 0);
    EXPECT_EQ(cpwGetLastError(ctx), cpw_error_unknownmenu);
    cpwSetLastError(ctx, 0);
    EXPECT_EQ(cpwCheckMenuEntry(ctx, 99, 10), 0);
    EXPECT_EQ(cpwGetLastError(ctx), cpw_error_unknownmenu);

    // A null title: error 3.
    cpwSetLastError(ctx, 0);
    EXPECT_EQ(cpwAddMenuEntry(ctx, menu, nullptr, 1, false), 0);
    EXPECT_EQ(cpwGetLastError(ctx), cpw_error_badargument);
    cpwSetLastError(ctx, 0);
    EXPECT_EQ(cpwAddSubMenu(ctx, menu, nullptr, sub, 1), 0);
    EXPECT_EQ(cpwGetLastError(ctx), cpw_error_badargument);
    EXPECT_EQ(cpw_menus_items(ctx, menu).size(), 3u);

    // Not offered: nothing changes.
    EXPECT_EQ(cpwDestroyMenu(ctx, menu), 0);
    EXPECT_EQ(cpwEditMenuItem(ctx, menu, 10, 13, "Close", 0), 0);
    EXPECT_EQ(cpwRemoveMenuItem(ctx, menu, 10), 0);
    EXPECT_EQ(cpw_menus_items(ctx, menu).size(), 3u);
    EXPECT_EQ(cpw_menus_items(ctx, menu)[0].title, "Open");
}

TEST_F(CpwMenuTest, AMenuHoldsAtMost301Entries) {
    const std::uint32_t menu = cpwCreateMenu(ctx, on_menu);
    for (std::uint32_t i = 1; i <= 300; ++i) {
        ASSERT_EQ(cpwAddMenuEntry(ctx, menu, "e", i, false), 1) << i;
    }
    EXPECT_EQ(cpwAddMenuSeperator(ctx, menu, 301), 1);  // the 301st
    EXPECT_EQ(cpwGetLastError(ctx), 0);
    EXPECT_EQ(cpwAddMenuEntry(ctx, menu, "e", 302, false), 0);
    EXPECT_EQ(cpwGetLastError(ctx), cpw_error_menufull);
    cpwSetLastError(ctx, 0);
    EXPECT_EQ(cpwAddSubMenu(ctx, menu, "s", cpwCreateSubMenu(ctx), 303), 0);
    EXPECT_EQ(cpwGetLastError(ctx), cpw_error_menufull);
    EXPECT_EQ(cpw_menus_items(ctx, menu).size(), 301u);
}

TEST_F(CpwMenuTest, NoMenuContainsItself) {
    const std::uint32_t a = cpwCreateMenu(ctx, on_menu);
    const std::uint32_t b = cpwCreateSubMenu(ctx);
    const std::uint32_t c = cpwCreateSubMenu(ctx);
    EXPECT_EQ(cpwAddSubMenu(ctx, a, "self", a, 1), 0);
    EXPECT_EQ(cpwGetLastError(ctx), cpw_error_badargument);
    EXPECT_EQ(cpwAddSubMenu(ctx, a, "b", b, 2), 1);
    EXPECT_EQ(cpwAddSubMenu(ctx, b, "c", c, 3), 1);
    cpwSetLastError(ctx, 0);
    EXPECT_EQ(cpwAddSubMenu(ctx, c, "a", a, 4), 0);  // a > b > c > a
    EXPECT_EQ(cpwGetLastError(ctx), cpw_error_badargument);
    EXPECT_EQ(cpwAddSubMenu(ctx, b, "a", a, 5), 0);
    EXPECT_TRUE(cpw_menus_items(ctx, c).empty());
    // The same sub-menu twice, or in two menus, is no cycle.
    EXPECT_EQ(cpwAddSubMenu(ctx, a, "c again", c, 6), 1);
    EXPECT_EQ(cpwAddMenuEntry(ctx, c, "deep", 7, false), 1);
    EXPECT_EQ(cpwCheckMenuEntry(ctx, a, 7), 1);
    EXPECT_EQ(cpwMenuEntryChecked(ctx, a, 7), 1);
}

TEST_F(CpwMenuTest, CheckMarksThroughSubMenus) {
    const std::uint32_t menu = cpwCreateMenu(ctx, on_menu);
    const std::uint32_t sub = cpwCreateSubMenu(ctx);
    cpwAddMenuEntry(ctx, menu, "Top", 1, true);
    cpwAddMenuSeperator(ctx, menu, 2);
    cpwAddSubMenu(ctx, menu, "More", sub, 3);
    cpwAddMenuEntry(ctx, sub, "Inner", 4, false);

    EXPECT_EQ(cpwMenuEntryChecked(ctx, menu, 1), 1);
    EXPECT_EQ(cpwMenuEntryChecked(ctx, menu, 4), 0);
    EXPECT_EQ(cpwCheckMenuEntry(ctx, menu, 4), 1);  // found in the sub-menu
    EXPECT_EQ(cpwMenuEntryChecked(ctx, menu, 4), 1);
    EXPECT_EQ(cpwMenuEntryChecked(ctx, sub, 4), 1);
    EXPECT_EQ(cpwUncheckMenuEntry(ctx, menu, 1), 1);
    EXPECT_EQ(cpwMenuEntryChecked(ctx, menu, 1), 0);
    EXPECT_EQ(cpwGetLastError(ctx), 0);

    // Unknown entries, separators included, and entries only a parent has: error 19.
    for (const std::uint32_t entry : {9u, 2u}) {
        cpwSetLastError(ctx, 0);
        EXPECT_EQ(cpwCheckMenuEntry(ctx, menu, entry), 0);
        EXPECT_EQ(cpwGetLastError(ctx), cpw_error_unknownentry) << entry;
        cpwSetLastError(ctx, 0);
        EXPECT_EQ(cpwMenuEntryChecked(ctx, menu, entry), 0);
        EXPECT_EQ(cpwGetLastError(ctx), cpw_error_unknownentry) << entry;
    }
    cpwSetLastError(ctx, 0);
    EXPECT_EQ(cpwUncheckMenuEntry(ctx, sub, 1), 0);
    EXPECT_EQ(cpwGetLastError(ctx), cpw_error_unknownentry);
}

TEST_F(CpwMenuTest, MenuBars) {
    const std::uint32_t id = make_window();
    const std::uint32_t menu = cpwCreateMenu(ctx, on_menu);
    cpwAddMenuEntry(ctx, menu, "File", 1, false);

    EXPECT_EQ(cpwAssignMenuToWindow(ctx, menu, 9), 0);
    EXPECT_EQ(cpwGetLastError(ctx), cpw_error_unknownwindow);
    cpwSetLastError(ctx, 0);
    EXPECT_EQ(cpwAssignMenuToWindow(ctx, 7, id), 0);
    EXPECT_EQ(cpwGetLastError(ctx), cpw_error_unknownmenu);
    cpwSetLastError(ctx, 0);
    EXPECT_EQ(cpwUnassignMenu(ctx, id), 0);  // no bar yet
    EXPECT_EQ(cpwGetLastError(ctx), cpw_error_nomenu);

    cpwSetLastError(ctx, 0);
    null_host.failures["setmenubar"] = 0;
    EXPECT_EQ(cpwAssignMenuToWindow(ctx, menu, id), 0);
    EXPECT_EQ(cpwGetLastError(ctx), cpw_error_menuattach);
    EXPECT_EQ(cpw_windowlist_lookup(ctx, id)->menuid, 0u);
    null_host.failures.clear();

    cpwSetLastError(ctx, 0);
    EXPECT_EQ(cpwAssignMenuToWindow(ctx, menu, id), 1);
    EXPECT_EQ(cpw_windowlist_lookup(ctx, id)->menuid, menu);
    EXPECT_EQ(null_host_window(id)->menubar, menu);

    // A change to the menu shows the bar again; a menu it does not show does not.
    const int before = setmenubar_calls();
    cpwAddMenuEntry(ctx, menu, "Edit", 2, false);
    cpwCheckMenuEntry(ctx, menu, 2);
    EXPECT_EQ(setmenubar_calls(), before + 2);
    const std::uint32_t other = cpwCreateMenu(ctx, on_menu);
    cpwAddMenuEntry(ctx, other, "x", 1, false);
    EXPECT_EQ(setmenubar_calls(), before + 2);

    // The host reports a choice on the bar.
    cpw_hostevent_menuselect(ctx, id, static_cast<int>(menu), 2);
    drain(ctx);
    EXPECT_EQ(chosen, (std::vector<std::string>{std::to_string(id) + " " + std::to_string(menu) + " 2"}));

    EXPECT_EQ(cpwUnassignMenu(ctx, id), 1);
    EXPECT_EQ(cpw_windowlist_lookup(ctx, id)->menuid, 0u);
    EXPECT_EQ(null_host_window(id)->menubar, 0u);
    EXPECT_EQ(cpwGetLastError(ctx), 0);
}

TEST_F(CpwMenuTest, PopUpMenusOnMouseButtons) {
    const std::uint32_t id = make_window();
    log_all_events(ctx);
    const std::uint32_t menu = cpwCreateMenu(ctx, on_menu);
    cpwAddMenuEntry(ctx, menu, "One", 1, false);

    EXPECT_EQ(cpwAttachMenuToButton(ctx, menu, 3, id), 0);
    EXPECT_EQ(cpwGetLastError(ctx), cpw_error_badargument);
    cpwSetLastError(ctx, 0);
    EXPECT_EQ(cpwAttachMenuToButton(ctx, menu, -1, id), 0);
    EXPECT_EQ(cpwGetLastError(ctx), cpw_error_badargument);
    cpwSetLastError(ctx, 0);
    EXPECT_EQ(cpwAttachMenuToButton(ctx, 5, 2, id), 0);
    EXPECT_EQ(cpwGetLastError(ctx), cpw_error_unknownmenu);
    cpwSetLastError(ctx, 0);
    EXPECT_EQ(cpwAttachMenuToButton(ctx, menu, 2, 8), 0);
    EXPECT_EQ(cpwGetLastError(ctx), cpw_error_unknownwindow);
    cpwSetLastError(ctx, 0);
    EXPECT_EQ(cpwDetachMenu(ctx, 3, id), 0);
    EXPECT_EQ(cpwGetLastError(ctx), cpw_error_badargument);

    cpwSetLastError(ctx, 0);
    EXPECT_EQ(cpwAttachMenuToButton(ctx, menu, 2, id), 1);
    EXPECT_EQ(cpw_windowlist_lookup(ctx, id)->buttonmenuid[2], menu);
    cpw_hostevent_mouseclick(ctx, id, 0, 2, 30, 40);  // press: the pop-up opens there
    cpw_hostevent_mouseclick(ctx, id, 1, 2, 30, 40);  // release: ignored
    cpw_hostevent_mouseclick(ctx, id, 0, 0, 5, 6);    // another button reaches the callback
    drain(ctx);
    EXPECT_EQ(null_host.popups, (std::vector<std::string>{std::to_string(id) + " " + std::to_string(menu) + " 30 40"}));
    EXPECT_EQ(seen, (std::vector<std::string>{event_text("click", id, {0, 0, 5, 6})}));

    // The entry the host reports goes to the menu's callback.
    cpw_hostevent_menuselect(ctx, id, static_cast<int>(menu), 1);
    drain(ctx);
    EXPECT_EQ(chosen, (std::vector<std::string>{std::to_string(id) + " " + std::to_string(menu) + " 1"}));

    EXPECT_EQ(cpwDetachMenu(ctx, 2, id), 1);
    seen.clear();
    cpw_hostevent_mouseclick(ctx, id, 0, 2, 30, 40);
    drain(ctx);
    EXPECT_EQ(seen, (std::vector<std::string>{event_text("click", id, {0, 2, 30, 40})}));
    EXPECT_EQ(null_host.popups.size(), 1u);
    EXPECT_EQ(cpwGetLastError(ctx), 0);
}

}  // namespace

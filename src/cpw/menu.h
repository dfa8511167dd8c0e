#pragma once

// The menu module: menus of entries, check marks, separators and sub-menus,
// kept in the context's list_menus (payload: CpwMenu*). A menu assigned to a
// window is shown as its menu bar; a menu attached to a mouse button of a
// window opens as a pop-up where the button is pressed. The entry the user
// chooses arrives as a menu-select event and goes to the callback of the menu
// that was shown (entries of its sub-menus included).
//
// Errors: 14 unknown menu, 15 a menu already holds 301 entries, 2 memory,
// 16 unknown window, 17 the host could not show the menu bar, 18 the window
// has no menu bar to remove, 19 unknown entry, 3 a null title, a button
// outside 0-2, or a sub-menu that would contain its own menu.

#include "cpw/types.h"

#include <cstdint>
#include <string>
#include <vector>

using CpwMenuCallback = void (*)(CpwContext* ctx, std::uint32_t window, std::uint32_t menu, std::uint32_t entry);

inline constexpr int cpw_menu_maxentries = 301;

struct CpwMenuEntry {
    std::uint32_t id;       // the caller's entry id
    StringContext* title;   // null for a separator
    bool checked;
    bool separator;
    bool submenu;           // the entry opens the menu `submenuid`
    std::uint32_t submenuid;
};

struct CpwMenu {
    CpwMenuCallback callback;  // null for a sub-menu
    std::vector<CpwMenuEntry> entries;  // at most cpw_menu_maxentries
};

// ---- public operations ----
std::uint32_t cpwCreateMenu(CpwContext* ctx, CpwMenuCallback callback);  // the menu id, 0 on failure
std::uint32_t cpwCreateSubMenu(CpwContext* ctx);                         // a menu without a callback
// Menus live until the context ends: destroying, editing and removing
// entries are not offered and return 0.
int cpwDestroyMenu(CpwContext* ctx, std::uint32_t menu);
int cpwAddMenuEntry(CpwContext* ctx, std::uint32_t menu, const char* title, std::uint32_t entry, bool mark);
int cpwAddMenuSeperator(CpwContext* ctx, std::uint32_t menu, std::uint32_t entry);
int cpwAddSubMenu(CpwContext* ctx, std::uint32_t menu, const char* title, std::uint32_t submenu, std::uint32_t entry);
int cpwEditMenuItem(CpwContext* ctx, std::uint32_t menu, std::uint32_t entry, std::uint32_t newentry,
                    const char* newtitle, std::uint32_t newsubmenu);
int cpwRemoveMenuItem(CpwContext* ctx, std::uint32_t menu, std::uint32_t entry);
int cpwAssignMenuToWindow(CpwContext* ctx, std::uint32_t menu, std::uint32_t window);
int cpwUnassignMenu(CpwContext* ctx, std::uint32_t window);
int cpwAttachMenuToButton(CpwContext* ctx, std::uint32_t menu, int button, std::uint32_t window);
int cpwDetachMenu(CpwContext* ctx, int button, std::uint32_t window);
// Check marks, on an entry of the menu or of any of its sub-menus.
int cpwCheckMenuEntry(CpwContext* ctx, std::uint32_t menu, std::uint32_t entry);
int cpwUncheckMenuEntry(CpwContext* ctx, std::uint32_t menu, std::uint32_t entry);
int cpwMenuEntryChecked(CpwContext* ctx, std::uint32_t menu, std::uint32_t entry);  // 1 checked; 0 not, or error 19

// ---- for the event dispatch and the hosts ----

// A click on a mouse button that has a pop-up menu: the host shows it at the
// client position; error 14 for an unknown menu.
void cpw_menus_popup(CpwContext* ctx, std::uint32_t window, std::uint32_t menu, int x, int y);
// A chosen entry goes to the menu's own callback; unknown menus are ignored.
void cpw_menus_select(CpwContext* ctx, std::uint32_t window, std::uint32_t menu, std::uint32_t entry);

// One entry as a host shows it (title in cp1252).
struct CpwMenuItemView {
    std::uint32_t entry;
    std::string title;
    bool checked;
    bool separator;
    std::uint32_t submenu;  // 0: a plain entry
};

// The entries of a menu as they are now; empty for an unknown menu.
std::vector<CpwMenuItemView> cpw_menus_items(CpwContext* ctx, std::uint32_t menu);

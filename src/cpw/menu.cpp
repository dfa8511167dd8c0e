#include "cpw/menu.h"

#include "cpw/internal.h"
#include "cpw/localhost.h"

#include <memory>
#include <new>

namespace {

CpwMenu* find_menu(CpwContext* ctx, std::uint32_t menu) {
    return menu == 0 ? nullptr : static_cast<CpwMenu*>(le_getVoid(ll_getElement(&ctx->list_menus, menu)));
}

// The menu with the id; error 14 when there is none.
CpwMenu* known_menu(CpwContext* ctx, std::uint32_t menu) {
    CpwMenu* m = find_menu(ctx, menu);
    if (m == nullptr) {
        cpw_error_set(ctx, cpw_error_unknownmenu);
    }
    return m;
}

CpwWindowStruct* known_window(CpwContext* ctx, std::uint32_t id) {
    CpwWindowStruct* w = cpw_windowlist_lookup(ctx, id);
    if (w == nullptr) {
        cpw_error_set(ctx, cpw_error_unknownwindow);
    }
    return w;
}

bool valid_button(CpwContext* ctx, int button) {
    if (button < 0 || button > 2) {
        cpw_error_set(ctx, cpw_error_badargument);
        return false;
    }
    return true;
}

void free_menu(CpwMenu* menu) {
    const std::unique_ptr<CpwMenu> owner(menu);
    if (owner) {
        for (CpwMenuEntry& e : owner->entries) {
            cstr::freeStr(&e.title);
        }
    }
}

// Whether `target` is `from` or lies anywhere below it. Sub-menus never form a
// cycle (cpwAddSubMenu refuses one), and the depth bound keeps the walk finite
// all the same.
bool reaches(CpwContext* ctx, std::uint32_t from, std::uint32_t target, int depth = 0) {
    if (from == target) {
        return true;
    }
    const CpwMenu* m = find_menu(ctx, from);
    if (m == nullptr || depth > ll_getLength(&ctx->list_menus)) {
        return false;
    }
    for (const CpwMenuEntry& e : m->entries) {
        if (e.submenu && reaches(ctx, e.submenuid, target, depth + 1)) {
            return true;
        }
    }
    return false;
}

// The entry with the id in the menu or, depth first, in its sub-menus.
CpwMenuEntry* find_entry(CpwContext* ctx, std::uint32_t menu, std::uint32_t entry, int depth = 0) {
    CpwMenu* m = find_menu(ctx, menu);
    if (m == nullptr || depth > ll_getLength(&ctx->list_menus)) {
        return nullptr;
    }
    for (CpwMenuEntry& e : m->entries) {
        if (e.id == entry && !e.separator) {
            return &e;
        }
        if (e.submenu) {
            if (CpwMenuEntry* found = find_entry(ctx, e.submenuid, entry, depth + 1)) {
                return found;
            }
        }
    }
    return nullptr;
}

// Menu bars showing the changed menu are shown again, so they show the change.
void refresh_menubars(CpwContext* ctx, std::uint32_t changed) {
    for (LinkedElement* e = ctx->list_win.baseElement; e != nullptr; e = e->childtomyright) {
        const auto* w = static_cast<const CpwWindowStruct*>(le_getVoid(e));
        if (w != nullptr && w->menuid != 0 && reaches(ctx, w->menuid, changed)) {
            cpw_localhost_setmenubar(ctx, w->plhwc, w->menuid);
        }
    }
}

std::uint32_t create_menu(CpwContext* ctx, CpwMenuCallback callback) {
    std::unique_ptr<CpwMenu> menu;
    try {
        menu = std::make_unique<CpwMenu>();
    } catch (const std::bad_alloc&) {
        cpw_error_set(ctx, cpw_error_nomemory);
        return 0;
    }
    menu->callback = callback;
    const std::uint32_t id = ll_addVoid(&ctx->list_menus, menu.get());
    if (id == 0) {
        cpw_error_set(ctx, cpw_error_nomemory);
        return 0;
    }
    menu.release();  // owned by the list now
    return id;
}

// Appends an entry; the title is copied.
int add_entry(CpwContext* ctx, std::uint32_t menu, CpwMenuEntry entry, const char* title) {
    CpwMenu* m = known_menu(ctx, menu);
    if (m == nullptr) {
        return 0;
    }
    if (m->entries.size() >= static_cast<std::size_t>(cpw_menu_maxentries)) {
        cpw_error_set(ctx, cpw_error_menufull);
        return 0;
    }
    if (title != nullptr) {
        entry.title = cstr::cpyString(title);
        if (entry.title == nullptr && title[0] != '\0') {
            cpw_error_set(ctx, cpw_error_nomemory);
            return 0;
        }
    }
    try {
        m->entries.push_back(entry);
    } catch (const std::bad_alloc&) {
        cstr::freeStr(&entry.title);
        cpw_error_set(ctx, cpw_error_nomemory);
        return 0;
    }
    refresh_menubars(ctx, menu);
    return 1;
}

int set_mark(CpwContext* ctx, std::uint32_t menu, std::uint32_t entry, bool checked) {
    if (known_menu(ctx, menu) == nullptr) {
        return 0;
    }
    CpwMenuEntry* e = find_entry(ctx, menu, entry);
    if (e == nullptr) {
        cpw_error_set(ctx, cpw_error_unknownentry);
        return 0;
    }
    e->checked = checked;
    refresh_menubars(ctx, menu);
    return 1;
}

}  // namespace

bool cpw_menus_init(CpwContext* ctx) {
    ll_initList(&ctx->list_menus);
    return true;
}

void cpw_menus_exit(CpwContext* ctx) {
    for (LinkedElement* e = ctx->list_menus.baseElement; e != nullptr; e = e->childtomyright) {
        free_menu(static_cast<CpwMenu*>(le_getVoid(e)));
        le_setVoid(e, nullptr);
    }
    ll_deleteList(&ctx->list_menus);
}

std::uint32_t cpwCreateMenu(CpwContext* ctx, CpwMenuCallback callback) {
    return create_menu(ctx, callback);
}

std::uint32_t cpwCreateSubMenu(CpwContext* ctx) {
    return create_menu(ctx, nullptr);
}

int cpwDestroyMenu(CpwContext*, std::uint32_t) {
    return 0;
}

int cpwEditMenuItem(CpwContext*, std::uint32_t, std::uint32_t, std::uint32_t, const char*, std::uint32_t) {
    return 0;
}

int cpwRemoveMenuItem(CpwContext*, std::uint32_t, std::uint32_t) {
    return 0;
}

int cpwAddMenuEntry(CpwContext* ctx, std::uint32_t menu, const char* title, std::uint32_t entry, bool mark) {
    if (title == nullptr) {
        cpw_error_set(ctx, cpw_error_badargument);
        return 0;
    }
    return add_entry(ctx, menu, CpwMenuEntry{entry, nullptr, mark, false, false, 0}, title);
}

int cpwAddMenuSeperator(CpwContext* ctx, std::uint32_t menu, std::uint32_t entry) {
    return add_entry(ctx, menu, CpwMenuEntry{entry, nullptr, false, true, false, 0}, nullptr);
}

int cpwAddSubMenu(CpwContext* ctx, std::uint32_t menu, const char* title, std::uint32_t submenu, std::uint32_t entry) {
    if (title == nullptr) {
        cpw_error_set(ctx, cpw_error_badargument);
        return 0;
    }
    if (known_menu(ctx, menu) == nullptr || known_menu(ctx, submenu) == nullptr) {
        return 0;
    }
    // A menu that would contain itself would open without end.
    if (reaches(ctx, submenu, menu)) {
        cpw_error_set(ctx, cpw_error_badargument);
        return 0;
    }
    return add_entry(ctx, menu, CpwMenuEntry{entry, nullptr, false, false, true, submenu}, title);
}

int cpwAssignMenuToWindow(CpwContext* ctx, std::uint32_t menu, std::uint32_t window) {
    CpwWindowStruct* w = known_window(ctx, window);
    if (w == nullptr || known_menu(ctx, menu) == nullptr) {
        return 0;
    }
    if (!cpw_localhost_setmenubar(ctx, w->plhwc, menu)) {
        cpw_error_set(ctx, cpw_error_menuattach);
        return 0;
    }
    w->menuid = menu;
    return 1;
}

int cpwUnassignMenu(CpwContext* ctx, std::uint32_t window) {
    CpwWindowStruct* w = known_window(ctx, window);
    if (w == nullptr) {
        return 0;
    }
    if (w->menuid == 0) {
        cpw_error_set(ctx, cpw_error_nomenu);
        return 0;
    }
    cpw_localhost_setmenubar(ctx, w->plhwc, 0);
    w->menuid = 0;
    return 1;
}

int cpwAttachMenuToButton(CpwContext* ctx, std::uint32_t menu, int button, std::uint32_t window) {
    CpwWindowStruct* w = known_window(ctx, window);
    if (w == nullptr || !valid_button(ctx, button) || known_menu(ctx, menu) == nullptr) {
        return 0;
    }
    w->buttonmenuid[static_cast<std::size_t>(button)] = menu;
    return 1;
}

int cpwDetachMenu(CpwContext* ctx, int button, std::uint32_t window) {
    CpwWindowStruct* w = known_window(ctx, window);
    if (w == nullptr || !valid_button(ctx, button)) {
        return 0;
    }
    w->buttonmenuid[static_cast<std::size_t>(button)] = 0;
    return 1;
}

int cpwCheckMenuEntry(CpwContext* ctx, std::uint32_t menu, std::uint32_t entry) {
    return set_mark(ctx, menu, entry, true);
}

int cpwUncheckMenuEntry(CpwContext* ctx, std::uint32_t menu, std::uint32_t entry) {
    return set_mark(ctx, menu, entry, false);
}

int cpwMenuEntryChecked(CpwContext* ctx, std::uint32_t menu, std::uint32_t entry) {
    if (known_menu(ctx, menu) == nullptr) {
        return 0;
    }
    const CpwMenuEntry* e = find_entry(ctx, menu, entry);
    if (e == nullptr) {
        cpw_error_set(ctx, cpw_error_unknownentry);
        return 0;
    }
    return e->checked ? 1 : 0;
}

void cpw_menus_popup(CpwContext* ctx, std::uint32_t window, std::uint32_t menu, int x, int y) {
    if (known_menu(ctx, menu) == nullptr) {
        return;
    }
    CpwWindowStruct* w = cpw_windowlist_lookup(ctx, window);
    if (w != nullptr) {
        cpw_localhost_popupmenu(ctx, w->plhwc, menu, x, y);
    }
}

void cpw_menus_select(CpwContext* ctx, std::uint32_t window, std::uint32_t menu, std::uint32_t entry) {
    const CpwMenu* m = find_menu(ctx, menu);
    if (m != nullptr && m->callback != nullptr) {
        m->callback(ctx, window, menu, entry);
    }
}

std::vector<CpwMenuItemView> cpw_menus_items(CpwContext* ctx, std::uint32_t menu) {
    std::vector<CpwMenuItemView> items;
    const CpwMenu* m = ctx == nullptr ? nullptr : find_menu(ctx, menu);
    if (m == nullptr) {
        return items;
    }
    items.reserve(m->entries.size());
    for (const CpwMenuEntry& e : m->entries) {
        std::string title;
        if (cstr::len(e.title) > 0) {
            title.assign(cstr::str(e.title), static_cast<std::size_t>(cstr::len(e.title)));
        }
        items.push_back(CpwMenuItemView{e.id, title, e.checked, e.separator, e.submenu ? e.submenuid : 0});
    }
    return items;
}

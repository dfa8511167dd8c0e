#include "cpw/menu.h"

#include "cpw/internal.h"

#include <cstdlib>

namespace {

CpwMenu* find_menu(CpwContext* ctx, std::uint32_t menu) {
    return static_cast<CpwMenu*>(le_getVoid(ll_getElement(&ctx->list_menus, menu)));
}

}  // namespace

bool cpw_menus_init(CpwContext* ctx) {
    ll_initList(&ctx->list_menus);
    return true;
}

void cpw_menus_exit(CpwContext* ctx) {
    for (LinkedElement* e = ctx->list_menus.baseElement; e != nullptr; e = e->childtomyright) {
        std::free(le_getVoid(e));
    }
    ll_deleteList(&ctx->list_menus);
}

void cpw_menus_popup(CpwContext* ctx, std::uint32_t /*window*/, std::uint32_t menu, int /*x*/, int /*y*/) {
    if (find_menu(ctx, menu) == nullptr) {
        cpw_error_set(ctx, cpw_error_unknownmenu);
    }
    // Showing the pop-up and reporting the chosen entry is the menu module's host part.
}

void cpw_menus_select(CpwContext* ctx, std::uint32_t window, std::uint32_t menu, std::uint32_t entry) {
    const CpwMenu* m = find_menu(ctx, menu);
    if (m != nullptr && m->callback != nullptr) {
        m->callback(ctx, window, menu, entry);
    }
}

#pragma once

// The part of the menu module the event dispatch reaches: menus live in the
// context's list_menus (payload: CpwMenu*).

#include "cpw/types.h"

#include <cstdint>

using CpwMenuCallback = void (*)(CpwContext* ctx, std::uint32_t window, std::uint32_t menu, std::uint32_t entry);

struct CpwMenu {
    CpwMenuCallback callback;
};

// A click on a mouse button that has a pop-up menu: error 14 for an unknown menu.
void cpw_menus_popup(CpwContext* ctx, std::uint32_t window, std::uint32_t menu, int x, int y);
// A chosen entry goes to the menu's own callback; unknown menus are ignored.
void cpw_menus_select(CpwContext* ctx, std::uint32_t window, std::uint32_t menu, std::uint32_t entry);

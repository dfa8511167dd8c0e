#include "cpw/internal.h"

std::uint32_t cpw_windowlist_insert(CpwContext* ctx, CpwWindowStruct* window) {
    const std::uint32_t id = ll_addVoid(&ctx->list_win, window);
    if (window != nullptr) {
        window->id = id;
    }
    return id;
}

int cpw_windowlist_replace(CpwContext* ctx, std::uint32_t id, CpwWindowStruct* window) {
    return ll_setVoid(&ctx->list_win, id, window);
}

CpwWindowStruct* cpw_windowlist_remove(CpwContext* ctx, std::uint32_t id) {
    auto* window = static_cast<CpwWindowStruct*>(le_getVoid(ll_getElement(&ctx->list_win, id)));
    if (window != nullptr) {
        ll_deleteElement(&ctx->list_win, id);
    }
    return window;
}

CpwWindowStruct* cpw_windowlist_lookup(CpwContext* ctx, std::uint32_t id) {
    if (id == 0) {
        id = ctx->win_foregroundid;
    }
    if (id == 0) {
        return nullptr;
    }
    return static_cast<CpwWindowStruct*>(le_getVoid(ll_getElement(&ctx->list_win, id)));
}

CpwWindowStruct* cpw_windowlist_iteratestart(CpwContext* ctx) {
    ll_initIterate(&ctx->list_win);
    return cpw_windowlist_iteratenext(ctx);
}

CpwWindowStruct* cpw_windowlist_iteratenext(CpwContext* ctx) {
    return static_cast<CpwWindowStruct*>(le_getVoid(ll_getNext(&ctx->list_win)));
}

int cpw_windowlist_length(CpwContext* ctx) {
    return ll_getLength(&ctx->list_win);
}

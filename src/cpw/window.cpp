#include "cpw/cpw.h"
#include "cpw/internal.h"
#include "cpw/localhost.h"

#include <cstdlib>

namespace {

// The window with the id; error 16 when there is none.
CpwWindowStruct* known_window(CpwContext* ctx, std::uint32_t id) {
    CpwWindowStruct* w = cpw_windowlist_lookup(ctx, id);
    if (w == nullptr) {
        cpw_error_set(ctx, cpw_error_unknownwindow);
    }
    return w;
}

void free_window(CpwWindowStruct* w) {
    cstr::freeStr(&w->title);
    std::free(w);
}

void save_geometry(CpwWindowStruct* w) {
    w->bx = w->x;
    w->by = w->y;
    w->bwidth = w->width;
    w->bheight = w->height;
}

void restore_geometry(CpwWindowStruct* w) {
    w->x = w->bx;
    w->y = w->by;
    w->width = w->bwidth;
    w->height = w->bheight;
}

int as_int(std::uint32_t v) {
    return static_cast<int>(v);
}

// Re-reads the client rectangle from the host into the record.
void reread_client_area(CpwContext* ctx, CpwWindowStruct* w) {
    cpw_localhost_windowinfo(ctx, w->plhwc, &w->x, &w->y, &w->width, &w->height);
}

void describe(CpwContext* ctx, CpwWindowStruct* w, CpwWindowInfo& info) {
    reread_client_area(ctx, w);
    info.id = w->id;
    info.x = w->x;
    info.y = w->y;
    info.width = w->width;
    info.height = w->height;
    info.foreground = w->id == ctx->win_foregroundid;
    info.fullscreen = w->fullscreen;
}

// Window creation shared by the ordinary and the full-screen window.
std::uint32_t create_window(CpwContext* ctx, const char* title, std::uint32_t x, std::uint32_t y,
                            std::uint32_t width, std::uint32_t height, bool fullscreen) {
    auto* w = static_cast<CpwWindowStruct*>(std::calloc(1, sizeof(CpwWindowStruct)));
    if (w == nullptr) {
        cpw_error_set(ctx, cpw_error_nomemory);
        return 0;
    }
    w->x = x;
    w->y = y;
    w->width = width;
    w->height = height;
    save_geometry(w);
    w->cursor = fullscreen ? cpw_cursor_none : cpw_cursor_arrow;
    w->fullscreen = fullscreen;

    const std::uint32_t id = cpw_windowlist_insert(ctx, w);
    if (id == 0) {
        free_window(w);
        cpw_error_set(ctx, cpw_error_nomemory);
        return 0;
    }
    const char* text = title == nullptr ? "" : title;
    w->plhwc = fullscreen ? cpw_localhost_createfullscreenwindow(ctx, id, text)
                          : cpw_localhost_createwindow(ctx, id, text, x, y, width, height, ctx->win_properties,
                                                       ctx->win_expectmenu);
    if (w->plhwc == nullptr || !cpw_localhost_setpixelformat(ctx, w->plhwc) ||
        !cpw_localhost_createglcontext(ctx, w->plhwc)) {
        // The host has stored its error code. The id stays used; no record
        // and no host window remain.
        if (w->plhwc != nullptr) {
            cpw_localhost_destroywindow(ctx, w->plhwc);
        }
        cpw_windowlist_remove(ctx, id);
        free_window(w);
        return 0;
    }

    cpw_localhost_setforeground(ctx, w->plhwc);
    ctx->win_foregroundid = id;
    ctx->win_currentid = 0;
    cpw_window_makecurrent(ctx, id);
    w->title = cstr::cpyString(text);

    cpw_event_insert(ctx, id, cpw_event_create);
    if (!fullscreen) {
        cpw_event_insert(ctx, id, cpw_event_position, as_int(x), as_int(y));
    }
    cpw_event_insert(ctx, id, cpw_event_reshape, as_int(width), as_int(height));
    cpw_event_insert(ctx, id, cpw_event_display);
    return id;
}

}  // namespace

std::uint32_t cpw_window_create(CpwContext* ctx, const char* title, std::uint32_t x, std::uint32_t y,
                                std::uint32_t width, std::uint32_t height) {
    return create_window(ctx, title, x, y, width, height, false);
}

int cpw_window_makecurrent(CpwContext* ctx, std::uint32_t id) {
    if (id != 0 && id == ctx->win_currentid) {
        return 1;
    }
    CpwWindowStruct* w = cpw_windowlist_lookup(ctx, id);
    if (w == nullptr) {
        return 0;
    }
    if (!cpw_localhost_makecurrent(ctx, w->plhwc)) {
        return 0;
    }
    ctx->win_currentid = w->id;
    return 1;
}

bool cpw_windows_init(CpwContext* ctx) {
    ll_initList(&ctx->list_win);
    return true;
}

void cpw_windows_close(CpwContext* ctx) {
    for (CpwWindowStruct* w = cpw_windowlist_iteratestart(ctx); w != nullptr; w = cpw_windowlist_iteratenext(ctx)) {
        cpw_event_insert(ctx, w->id, cpw_event_destroy);
    }
}

void cpw_windows_exit(CpwContext* ctx) {
    while (ctx->list_win.baseElement != nullptr) {
        LinkedElement* e = ctx->list_win.baseElement;
        if (le_getVoid(e) == nullptr || cpwDestroyWindow(ctx, le_getId(e)) == 0) {
            ll_deleteElement(&ctx->list_win, le_getId(e));
        }
    }
    ll_deleteList(&ctx->list_win);
}

std::uint32_t cpwCreateWindow(CpwContext* ctx, const char* title) {
    return cpw_window_create(ctx, title, ctx->win_initx, ctx->win_inity, ctx->win_initwidth, ctx->win_initheight);
}

std::uint32_t cpwCreateWindowEx(CpwContext* ctx, const char* title, std::uint32_t x, std::uint32_t y,
                                std::uint32_t width, std::uint32_t height) {
    return cpw_window_create(ctx, title, x, y, width, height);
}

int cpwCreateFullscreenWindow(CpwContext* ctx) {
    return create_window(ctx, "fullscreen", 0, 0, ctx->cpw_screenwidth, ctx->cpw_screenheight, true) != 0 ? 1 : 0;
}

int cpwDestroyWindow(CpwContext* ctx, std::uint32_t id) {
    CpwWindowStruct* w = known_window(ctx, id);
    if (w == nullptr) {
        return 0;
    }
    const std::uint32_t wid = w->id;
    cpw_windowlist_remove(ctx, wid);
    cpw_localhost_destroyglcontext(ctx, w->plhwc);
    cpw_localhost_destroywindow(ctx, w->plhwc);
    free_window(w);
    if (ctx->win_currentid == wid) {
        ctx->win_currentid = 0;
    }
    if (ctx->win_foregroundid == wid) {
        ctx->win_foregroundid = 0;
    }
    if (wid == 1) {
        cpwBreakMainLoop(ctx);
    }
    return 1;
}

int cpwSetWindowTitle(CpwContext* ctx, const char* title, std::uint32_t id) {
    CpwWindowStruct* w = known_window(ctx, id);
    if (w == nullptr) {
        return 0;
    }
    cstr::setString(&w->title, title);
    if (cstr::len(w->title) == 0) {
        return 0;
    }
    cpw_localhost_setwindowtitle(ctx, w->plhwc, cstr::str(w->title));
    return 1;
}

int cpwPositionWindow(CpwContext* ctx, std::uint32_t x, std::uint32_t y, std::uint32_t id) {
    CpwWindowStruct* w = known_window(ctx, id);
    if (w == nullptr) {
        return 0;
    }
    w->x = x;
    w->y = y;
    cpw_event_insert(ctx, w->id, cpw_event_position, as_int(x), as_int(y));
    cpw_event_insert(ctx, w->id, cpw_event_display);
    cpw_localhost_positionwindow(ctx, w->plhwc, x, y);
    return 1;
}

int cpwReshapeWindow(CpwContext* ctx, std::uint32_t width, std::uint32_t height, std::uint32_t id) {
    CpwWindowStruct* w = known_window(ctx, id);
    if (w == nullptr) {
        return 0;
    }
    w->width = width;
    w->height = height;
    cpw_event_insert(ctx, w->id, cpw_event_reshape, as_int(width), as_int(height));
    cpw_event_insert(ctx, w->id, cpw_event_display);
    cpw_localhost_reshapewindow(ctx, w->plhwc, width, height);
    return 1;
}

int cpwStandardWindow(CpwContext* ctx, std::uint32_t id) {
    CpwWindowStruct* w = known_window(ctx, id);
    if (w == nullptr) {
        return 0;
    }
    if (!w->fullscreen) {
        return 1;
    }
    restore_geometry(w);
    w->fullscreen = false;
    cpw_localhost_standardizewindow(ctx, w->plhwc);
    cpw_localhost_positionwindow(ctx, w->plhwc, w->x, w->y);
    cpw_localhost_reshapewindow(ctx, w->plhwc, w->width, w->height);
    cpw_localhost_setforeground(ctx, w->plhwc);
    cpw_event_insert(ctx, w->id, cpw_event_reshape, as_int(w->width), as_int(w->height));
    cpw_event_insert(ctx, w->id, cpw_event_display);
    return 1;
}

int cpwFullscreenWindow(CpwContext* ctx, std::uint32_t id) {
    CpwWindowStruct* w = cpw_windowlist_lookup(ctx, id);
    if (w == nullptr) {
        return 0;
    }
    if (w->fullscreen) {
        return 1;
    }
    save_geometry(w);
    cpw_localhost_fullscreenwindow(ctx, w->plhwc);
    w->fullscreen = true;
    cpw_localhost_setforeground(ctx, w->plhwc);
    cpw_event_insert(ctx, w->id, cpw_event_reshape, as_int(ctx->cpw_screenwidth), as_int(ctx->cpw_screenheight));
    cpw_event_insert(ctx, w->id, cpw_event_display);
    return 1;
}

int cpwMaximizeWindow(CpwContext* ctx, std::uint32_t id) {
    CpwWindowStruct* w = known_window(ctx, id);
    if (w == nullptr) {
        return 0;
    }
    save_geometry(w);
    cpw_localhost_maximizewindow(ctx, w->plhwc);
    reread_client_area(ctx, w);
    cpw_event_insert(ctx, w->id, cpw_event_display);
    return 1;
}

int cpwIconifyWindow(CpwContext* ctx, std::uint32_t id) {
    CpwWindowStruct* w = known_window(ctx, id);
    if (w == nullptr) {
        return 0;
    }
    save_geometry(w);
    cpw_localhost_inconifywindow(ctx, w->plhwc);
    return 1;
}

int cpwRestoreWindow(CpwContext* ctx, std::uint32_t id) {
    CpwWindowStruct* w = known_window(ctx, id);
    if (w == nullptr) {
        return 0;
    }
    cpw_localhost_restorewindow(ctx, w->plhwc);
    restore_geometry(w);
    cpw_event_insert(ctx, w->id, cpw_event_position, as_int(w->x), as_int(w->y));
    cpw_event_insert(ctx, w->id, cpw_event_reshape, as_int(w->width), as_int(w->height));
    cpw_event_insert(ctx, w->id, cpw_event_display);
    return 1;
}

std::uint32_t cpwGetWindow(CpwContext* ctx) {
    const CpwWindowStruct* w = known_window(ctx, 0);
    return w == nullptr ? 0 : w->id;
}

int cpwSetWindow(CpwContext* ctx, std::uint32_t id) {
    const CpwWindowStruct* w = known_window(ctx, id);
    return w == nullptr ? 0 : cpw_window_makecurrent(ctx, w->id);
}

int cpwSetForegroundWindow(CpwContext* ctx, std::uint32_t id) {
    CpwWindowStruct* w = known_window(ctx, id);
    if (w == nullptr) {
        return 0;
    }
    cpw_localhost_setforeground(ctx, w->plhwc);
    ctx->win_foregroundid = w->id;
    return 1;
}

int cpwPopWindow(CpwContext* ctx) {
    CpwWindowStruct* w = known_window(ctx, 0);
    if (w == nullptr) {
        return 0;
    }
    cpw_localhost_popwindow(ctx, w->plhwc);
    return 1;
}

int cpwPushWindow(CpwContext* ctx) {
    CpwWindowStruct* w = known_window(ctx, 0);
    if (w == nullptr) {
        return 0;
    }
    cpw_localhost_pushwindow(ctx, w->plhwc);
    return 1;
}

int cpwHideWindow(CpwContext* ctx, std::uint32_t id) {
    CpwWindowStruct* w = known_window(ctx, id);
    return w == nullptr ? 0 : cpw_localhost_hidewindow(ctx, w->plhwc);
}

int cpwShowWindow(CpwContext* ctx, std::uint32_t id) {
    CpwWindowStruct* w = known_window(ctx, id);
    return w == nullptr ? 0 : cpw_localhost_showwindow(ctx, w->plhwc);
}

int cpwPostRedisplay(CpwContext* ctx) {
    if (cpw_windowlist_length(ctx) == 0) {
        cpw_error_set(ctx, cpw_error_unknownwindow);
        return 0;
    }
    for (CpwWindowStruct* w = cpw_windowlist_iteratestart(ctx); w != nullptr; w = cpw_windowlist_iteratenext(ctx)) {
        cpw_event_insert(ctx, w->id, cpw_event_display);
    }
    return 1;
}

int cpwPostWindowRedisplay(CpwContext* ctx, std::uint32_t id) {
    cpw_event_insert(ctx, id, cpw_event_display);
    return 1;
}

int cpwSwapBuffers(CpwContext* ctx) {
    if (cpw_windowlist_length(ctx) == 0) {
        cpw_error_set(ctx, cpw_error_unknownwindow);
        return 0;
    }
    int all = 1;
    for (CpwWindowStruct* w = cpw_windowlist_iteratestart(ctx); w != nullptr; w = cpw_windowlist_iteratenext(ctx)) {
        if (cpw_localhost_swapbuffers(w->plhwc) == 0) {
            all = 0;
        }
    }
    return all;
}

int cpwSwapWindowBuffers(CpwContext* ctx, std::uint32_t id) {
    CpwWindowStruct* w = known_window(ctx, id);
    return w == nullptr ? 0 : cpw_localhost_swapbuffers(w->plhwc);
}

namespace {

// The pointer may be changed only over the foreground window.
CpwWindowStruct* pointer_window(CpwContext* ctx, std::uint32_t id) {
    CpwWindowStruct* w = known_window(ctx, id);
    if (w == nullptr || w->id != ctx->win_foregroundid || !w->cursorpresent) {
        return nullptr;
    }
    return w;
}

}  // namespace

int cpwSetCursor(CpwContext* ctx, int cursor, std::uint32_t id) {
    CpwWindowStruct* w = pointer_window(ctx, id);
    if (w != nullptr) {
        w->cursor = cursor;
        cpw_localhost_setcursor(ctx, w->plhwc, cursor);
    }
    return 0;
}

int cpwCenterCursor(CpwContext* ctx, std::uint32_t id) {
    CpwWindowStruct* w = pointer_window(ctx, id);
    if (w == nullptr) {
        return 0;
    }
    cpw_localhost_centercursor(w->plhwc);
    return 1;
}

int cpwPositionCursor(CpwContext* ctx, std::uint32_t x, std::uint32_t y, std::uint32_t id) {
    CpwWindowStruct* w = pointer_window(ctx, id);
    if (w == nullptr) {
        return 0;
    }
    cpw_localhost_positioncursor(w->plhwc, x, y);
    return 1;
}

int cpwListWindows(CpwContext* ctx, CpwWindowList* list) {
    if (list == nullptr) {
        cpw_error_set(ctx, cpw_error_badargument);
        return 0;
    }
    list->size = 0;
    for (CpwWindowStruct* w = cpw_windowlist_iteratestart(ctx); w != nullptr && list->size < list->list.size();
         w = cpw_windowlist_iteratenext(ctx)) {
        describe(ctx, w, list->list[list->size++]);
    }
    return 1;
}

int cpwGetWindowInfo(CpwContext* ctx, CpwWindowInfo* info, std::uint32_t id) {
    if (info == nullptr) {
        cpw_error_set(ctx, cpw_error_badargument);
        return 0;
    }
    CpwWindowStruct* w = cpw_windowlist_lookup(ctx, id);
    if (w == nullptr) {
        return 0;
    }
    describe(ctx, w, *info);
    return 1;
}

int cpwSetWindowUserdata(CpwContext* ctx, void* p, std::uint32_t id) {
    CpwWindowStruct* w = known_window(ctx, id);
    if (w == nullptr) {
        return 0;
    }
    w->userdata = p;
    return 1;
}

void* cpwGetWindowUserdata(CpwContext* ctx, std::uint32_t id) {
    CpwWindowStruct* w = known_window(ctx, id);
    return w == nullptr ? nullptr : w->userdata;
}

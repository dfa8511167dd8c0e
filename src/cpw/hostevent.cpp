#include "cpw/internal.h"
#include "cpw/localhost.h"

// What the host reports about a window. Painting and resizing are handed to
// the callbacks at once; everything else waits in the queue.

void cpw_hostevent_draw(CpwContext* ctx, std::uint32_t id) {
    cpw_event_insertnext(ctx, id, cpw_event_display);
}

void cpw_hostevent_reshape(CpwContext* ctx, std::uint32_t id, int width, int height) {
    cpw_event_insertnext(ctx, id, cpw_event_reshape, width, height);
    cpw_event_insertnext(ctx, id, cpw_event_display);
}

void cpw_hostevent_position(CpwContext* ctx, std::uint32_t id, int x, int y) {
    cpw_event_insert(ctx, id, cpw_event_position, x, y);
}

void cpw_hostevent_destroy(CpwContext* ctx, std::uint32_t id) {
    cpw_event_insert(ctx, id, cpw_event_destroy);
}

void cpw_hostevent_gone(CpwContext* ctx, std::uint32_t id) {
    if (ctx->win_currentid == id) {
        ctx->win_currentid = 0;  // its GL context is current no more
    }
    cpw_event_insert(ctx, id, cpw_event_destroy);
}

void cpw_hostevent_visibility(CpwContext* ctx, std::uint32_t id, int state) {
    cpw_event_insert(ctx, id, cpw_event_visibility, state);
}

void cpw_hostevent_setfocus(CpwContext* ctx, std::uint32_t id) {
    if (cpw_windowlist_lookup(ctx, id) == nullptr) {
        return;
    }
    ctx->win_foregroundid = id;
    ctx->win_currentid = 0;
    cpw_window_makecurrent(ctx, id);
    cpw_event_insert(ctx, id, cpw_event_visibility, 2);
}

void cpw_hostevent_lostfocus(CpwContext* ctx, std::uint32_t id) {
    CpwWindowStruct* w = cpw_windowlist_lookup(ctx, id);
    if (w == nullptr) {
        return;
    }
    if (ctx->win_foregroundid == id) {
        ctx->win_foregroundid = 0;
    }
    if (w->fullscreen) {
        cpw_localhost_inconifywindow(ctx, w->plhwc);
    }
    cpw_event_insert(ctx, id, cpw_event_visibility, 3);
}

void cpw_hostevent_cursorenter(CpwContext* ctx, std::uint32_t id) {
    CpwWindowStruct* w = cpw_windowlist_lookup(ctx, id);
    if (w == nullptr || w->cursorpresent) {
        return;
    }
    w->cursorpresent = true;
    cpw_localhost_setcursor(ctx, w->plhwc, w->cursor);
    cpw_event_insert(ctx, id, cpw_event_mouseentry, 0);
}

void cpw_hostevent_cursorleft(CpwContext* ctx, std::uint32_t id) {
    CpwWindowStruct* w = cpw_windowlist_lookup(ctx, id);
    if (w == nullptr || !w->cursorpresent) {
        return;
    }
    w->cursorpresent = false;
    cpw_event_insert(ctx, id, cpw_event_mouseentry, 1);
}

void cpw_hostevent_mouseclick(CpwContext* ctx, std::uint32_t id, int state, int button, int x, int y) {
    cpw_event_insert(ctx, id, cpw_event_mouseclick, state, button, x, y);
}

void cpw_hostevent_mousedrag(CpwContext* ctx, std::uint32_t id, int button, int x, int y) {
    cpw_event_insert(ctx, id, cpw_event_mousedrag, button, x, y);
}

void cpw_hostevent_mousemove(CpwContext* ctx, std::uint32_t id, int x, int y) {
    cpw_event_insert(ctx, id, cpw_event_mousemove, x, y);
}

void cpw_hostevent_keyboard(CpwContext* ctx, std::uint32_t id, int key, int shift, int state, int x, int y) {
    cpw_event_insert(ctx, id, cpw_event_keyboard, key, shift, state, x, y);
}

void cpw_hostevent_systemkeyboard(CpwContext* ctx, std::uint32_t id, int key, int state, int x, int y) {
    cpw_event_insert(ctx, id, cpw_event_systemkeyboard, key, state, x, y);
}

void cpw_hostevent_menuselect(CpwContext* ctx, std::uint32_t id, int menu, int entry) {
    cpw_event_insert(ctx, id, cpw_event_menuselect, menu, entry);
}

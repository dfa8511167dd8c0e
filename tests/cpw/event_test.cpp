#include "cpw_fixture.h"

#include "cpw/keymouse.h"
#include "cpw/menu.h"

#include <string>
#include <vector>

using namespace cpw_test;

namespace {

using CpwEventTest = CpwTest;

void own_display(CpwContext*, std::uint32_t id) { seen.push_back(event_text("own display", id)); }
void own_create(CpwContext*, std::uint32_t id, int flag) { seen.push_back(event_text("own create", id, {flag})); }

TEST_F(CpwEventTest, RingHolds256AndDropsThe257th) {
    const std::uint32_t id = make_window();
    for (int i = 0; i < 256; ++i) {
        ASSERT_EQ(cpw_event_insert(ctx, id, cpw_event_mousemove, i, 0), 1);
    }
    EXPECT_EQ(cpwStackDepth(ctx), 256);
    EXPECT_EQ(cpw_event_insert(ctx, id, cpw_event_mousemove, 999, 0), 1);  // dropped all the same
    EXPECT_EQ(cpwStackDepth(ctx), 256);
    log_all_events(ctx);
    drain(ctx);
    ASSERT_EQ(seen.size(), 256u);
    EXPECT_EQ(seen.front(), event_text("move", id, {0, 0}));
    EXPECT_EQ(seen.back(), event_text("move", id, {255, 0}));
    EXPECT_EQ(cpwStackDepth(ctx), 0);
    // The indices wrap round the ring.
    seen.clear();
    for (int i = 0; i < 300; ++i) {
        cpw_event_insert(ctx, id, cpw_event_mousemove, i, 1);
        cpw_event_sendevent(ctx);
    }
    EXPECT_EQ(seen.size(), 300u);
    EXPECT_EQ(seen.back(), event_text("move", id, {299, 1}));
}

TEST_F(CpwEventTest, RunsOfPositionAndReshapeCoalesce) {
    const std::uint32_t a = make_window();
    const std::uint32_t b = make_window();
    log_all_events(ctx);
    cpw_event_insert(ctx, a, cpw_event_reshape, 100, 100);
    cpw_event_insert(ctx, a, cpw_event_reshape, 200, 200);
    cpw_event_insert(ctx, a, cpw_event_reshape, 300, 250);
    drain(ctx);
    EXPECT_EQ(seen, (std::vector<std::string>{event_text("reshape", a, {300, 250})}));
    EXPECT_EQ(cpw_windowlist_lookup(ctx, a)->width, 300u);

    seen.clear();
    cpw_event_insert(ctx, a, cpw_event_position, 1, 1);
    cpw_event_insert(ctx, a, cpw_event_position, 2, 2);
    cpw_event_insert(ctx, b, cpw_event_position, 3, 3);  // another window's run
    cpw_event_insert(ctx, a, cpw_event_display);
    cpw_event_insert(ctx, a, cpw_event_position, 4, 4);
    drain(ctx);
    EXPECT_EQ(seen, (std::vector<std::string>{event_text("position", a, {2, 2}), event_text("position", b, {3, 3}),
                                              event_text("display", a), event_text("position", a, {4, 4})}));

    // A cleared event does not swallow the one before it.
    seen.clear();
    cpw_event_insert(ctx, a, cpw_event_reshape, 5, 5);
    cpw_event_insert(ctx, a, cpw_event_reshape, 6, 6);
    ctx->stack->slots[static_cast<std::uint8_t>(ctx->stack->writeindex - 1)].cleared = 1;
    drain(ctx);
    EXPECT_EQ(seen, (std::vector<std::string>{event_text("reshape", a, {5, 5})}));
}

TEST_F(CpwEventTest, FiltersDropEventsAtTheDoor) {
    const std::uint32_t id = make_window();
    EXPECT_EQ(cpwFilterEvent(ctx, cpw_event_mousemove, 1), 0);
    EXPECT_EQ(cpw_event_insert(ctx, id, cpw_event_mousemove, 1, 1), 0);
    EXPECT_EQ(cpwStackDepth(ctx), 0);
    EXPECT_EQ(cpwFilterEvent(ctx, cpw_event_mousemove, 0), 1);
    EXPECT_EQ(cpw_event_insert(ctx, id, cpw_event_mousemove, 1, 1), 1);
    EXPECT_EQ(cpwStackDepth(ctx), 1);
    EXPECT_EQ(cpwFilterEvent(ctx, 14, 1), 0);
    EXPECT_EQ(cpwFilterEvent(ctx, -1, 1), 0);
    EXPECT_EQ(cpw_event_insert(ctx, id, 14), 0);  // no such type
    EXPECT_EQ(cpw_event_insert(ctx, id, -3), 0);

    // Immediate dispatch passes the filter by.
    log_all_events(ctx);
    drain(ctx);
    seen.clear();
    cpwFilterEvent(ctx, cpw_event_display, 1);
    cpw_hostevent_draw(ctx, id);
    EXPECT_EQ(seen, (std::vector<std::string>{event_text("display", id)}));
}

TEST_F(CpwEventTest, ClearedEventsAreNotSent) {
    const std::uint32_t a = make_window();
    const std::uint32_t b = make_window();
    log_all_events(ctx);
    cpw_event_insert(ctx, a, cpw_event_display);
    cpw_event_insert(ctx, b, cpw_event_display);
    cpw_event_insert(ctx, a, cpw_event_mousemove, 1, 2);
    cpw_event_insert(ctx, b, cpw_event_mousemove, 3, 4);
    cpw_event_insert(ctx, a, cpw_event_visibility, 1);
    EXPECT_EQ(cpwNextEvent(ctx), cpw_event_display);
    EXPECT_EQ(cpwNextWindowEvent(ctx, b), cpw_event_display);
    EXPECT_EQ(cpwClearWindowEvent(ctx, cpw_event_display, a), 1);
    EXPECT_EQ(cpwNextWindowEvent(ctx, a), cpw_event_mousemove);
    EXPECT_EQ(cpwClearEvent(ctx, cpw_event_mousemove), 1);
    EXPECT_EQ(cpwClearWindowEvents(ctx, b), 1);
    EXPECT_EQ(cpwNextEvent(ctx), cpw_event_visibility);
    EXPECT_EQ(cpwNextWindowEvent(ctx, b), 0);
    EXPECT_EQ(cpwStackDepth(ctx), 5);  // cleared events keep their slots until passed
    drain(ctx);
    EXPECT_EQ(seen, (std::vector<std::string>{event_text("visibility", a, {1})}));
    EXPECT_EQ(cpwStackDepth(ctx), 0);
    EXPECT_EQ(cpwNextEvent(ctx), 0);

    seen.clear();
    cpw_event_insert(ctx, a, cpw_event_display);
    cpw_event_insert(ctx, b, cpw_event_display);
    EXPECT_EQ(cpwPopEvent(ctx), 1);  // drops the next event
    drain(ctx);
    EXPECT_EQ(seen, (std::vector<std::string>{event_text("display", b)}));
    EXPECT_EQ(cpwPopEvent(ctx), 0);

    cpw_event_insert(ctx, a, cpw_event_display);
    cpwFilterEvent(ctx, cpw_event_keyboard, 1);
    EXPECT_EQ(cpwClearEvents(ctx), 1);
    EXPECT_EQ(cpwStackDepth(ctx), 0);
    EXPECT_EQ(cpwFilterEvent(ctx, cpw_event_keyboard, 0), 0);  // filters are cleared too
    EXPECT_EQ(cpw_event_sendevent(ctx), 0);
}

TEST_F(CpwEventTest, DispatchPrefersWindowThenGlobalThenDefault) {
    const std::uint32_t a = make_window();
    const std::uint32_t b = make_window();
    EXPECT_EQ(cpwWindowDisplayCallback(ctx, own_display, a), 1);
    cpwDisplayCallback(ctx, on_display);
    cpw_event_insert(ctx, a, cpw_event_display);
    cpw_event_insert(ctx, b, cpw_event_display);
    drain(ctx);
    EXPECT_EQ(seen, (std::vector<std::string>{event_text("own display", a), event_text("display", b)}));

    // Without a global callback window b falls back on the default, which does nothing.
    seen.clear();
    cpwDisplayCallback(ctx, nullptr);
    cpw_event_insert(ctx, a, cpw_event_display);
    cpw_event_insert(ctx, b, cpw_event_display);
    drain(ctx);
    EXPECT_EQ(seen, (std::vector<std::string>{event_text("own display", a)}));

    // The default create callback destroys a window whose close box was pressed.
    seen.clear();
    cpwWindowCreateCallback(ctx, own_create, a);
    cpw_hostevent_destroy(ctx, a);
    cpw_hostevent_destroy(ctx, b);
    drain(ctx);
    EXPECT_EQ(seen, (std::vector<std::string>{event_text("own create", a, {0})}));
    EXPECT_NE(cpw_windowlist_lookup(ctx, a), nullptr);
    EXPECT_EQ(cpw_windowlist_lookup(ctx, b), nullptr);
    EXPECT_FALSE(ctx->mainloop_break);

    // Events for a window that is gone are consumed without effect.
    cpw_event_insert(ctx, b, cpw_event_display);
    cpw_event_insert(ctx, 0, cpw_event_display);
    drain(ctx);
    EXPECT_EQ(cpwStackDepth(ctx), 0);
}

TEST_F(CpwEventTest, CallbacksGetTheirParameters) {
    const std::uint32_t id = make_window();
    log_all_events(ctx);
    cpw_hostevent_mouseclick(ctx, id, 0, 2, 5, 6);
    cpw_hostevent_mouseclick(ctx, id, 2, 1, 1, 0);  // the wheel, one notch forward
    cpw_hostevent_mousedrag(ctx, id, 0, 7, 8);
    cpw_hostevent_mousemove(ctx, id, -3, 9);
    cpw_hostevent_keyboard(ctx, id, cpw_key_a, 1, 1, 10, 11);
    cpw_hostevent_keyboard(ctx, id, cpw_key_2, 1, 2, 10, 11);
    cpw_hostevent_systemkeyboard(ctx, id, cpw_key_f4, 1, 12, 13);
    cpw_hostevent_visibility(ctx, id, 4);
    cpw_hostevent_position(ctx, id, 40, 50);
    drain(ctx);
    EXPECT_EQ(seen, (std::vector<std::string>{
                        event_text("click", id, {0, 2, 5, 6}),
                        event_text("click", id, {2, 1, 1, 0}),
                        event_text("drag", id, {0, 7, 8}),
                        event_text("move", id, {-3, 9}),
                        event_text("key", id, {'A', 1, 10, 11}),
                        event_text("key", id, {'@', 2, 10, 11}),
                        event_text("skey", id, {cpw_key_f4, 1, 12, 13}),
                        event_text("visibility", id, {4}),
                        event_text("position", id, {40, 50}),
                    }));
    EXPECT_EQ(cpw_windowlist_lookup(ctx, id)->x, 40u);

    seen.clear();
    cpw_hostevent_reshape(ctx, id, 640, 480);  // at once, without the queue
    EXPECT_EQ(seen, (std::vector<std::string>{event_text("reshape", id, {640, 480}), event_text("display", id)}));
    EXPECT_EQ(cpwStackDepth(ctx), 0);
}

TEST_F(CpwEventTest, FocusAndPointerEntry) {
    const std::uint32_t a = make_window();
    const std::uint32_t b = make_window();
    log_all_events(ctx);
    cpw_hostevent_setfocus(ctx, a);
    EXPECT_EQ(ctx->win_foregroundid, a);
    EXPECT_EQ(ctx->win_currentid, a);
    cpw_hostevent_lostfocus(ctx, b);  // b did not have it
    EXPECT_EQ(ctx->win_foregroundid, a);
    cpw_hostevent_lostfocus(ctx, a);
    EXPECT_EQ(ctx->win_foregroundid, 0u);
    cpw_hostevent_cursorenter(ctx, a);
    cpw_hostevent_cursorenter(ctx, a);  // already inside
    cpw_hostevent_cursorleft(ctx, a);
    cpw_hostevent_cursorleft(ctx, a);
    cpw_hostevent_setfocus(ctx, 42);  // unknown windows are ignored
    drain(ctx);
    EXPECT_EQ(seen, (std::vector<std::string>{event_text("visibility", a, {2}), event_text("visibility", b, {3}),
                                              event_text("visibility", a, {3}), event_text("entry", a, {0}),
                                              event_text("entry", a, {1})}));

    // Losing the focus minimises a full-screen window.
    cpwFullscreenWindow(ctx, b);
    cpw_hostevent_lostfocus(ctx, b);
    EXPECT_TRUE(null_host_window(b)->iconic);
}

TEST_F(CpwEventTest, CreateDisplayAndReshapeMakeTheWindowCurrent) {
    const std::uint32_t a = make_window();
    const std::uint32_t b = make_window();
    log_all_events(ctx);
    EXPECT_EQ(ctx->win_currentid, b);
    cpw_event_insert(ctx, a, cpw_event_display);
    drain(ctx);
    EXPECT_EQ(ctx->win_currentid, a);
    cpw_event_insert(ctx, b, cpw_event_mousemove, 0, 0);
    drain(ctx);
    EXPECT_EQ(ctx->win_currentid, a);  // other events leave it
    cpw_event_insert(ctx, b, cpw_event_reshape, 1, 1);
    drain(ctx);
    EXPECT_EQ(ctx->win_currentid, b);
}

void destroy_self(CpwContext* ctx, std::uint32_t id) {
    seen.push_back(event_text("destroying", id));
    cpwDestroyWindow(ctx, id);
}

void clear_all(CpwContext* ctx, std::uint32_t) {
    cpwClearEvents(ctx);
}

TEST_F(CpwEventTest, CallbacksMayDestroyTheirWindowOrClearTheQueue) {
    const std::uint32_t a = make_window();
    const std::uint32_t b = make_window();
    cpwWindowDisplayCallback(ctx, destroy_self, a);
    cpwMouseMoveCallback(ctx, on_move);
    cpw_event_insert(ctx, a, cpw_event_display);
    cpw_event_insert(ctx, a, cpw_event_mousemove, 1, 1);  // for the window that will be gone
    cpw_event_insert(ctx, b, cpw_event_mousemove, 2, 2);
    drain(ctx);
    EXPECT_EQ(seen, (std::vector<std::string>{event_text("destroying", a), event_text("move", b, {2, 2})}));

    seen.clear();
    cpwWindowDisplayCallback(ctx, clear_all, b);
    cpw_event_insert(ctx, b, cpw_event_display);
    cpw_event_insert(ctx, b, cpw_event_mousemove, 3, 3);
    EXPECT_EQ(cpw_event_sendevent(ctx), 0);  // nothing left after the callback
    EXPECT_TRUE(seen.empty());
    cpw_event_insert(ctx, b, cpw_event_mousemove, 4, 4);
    drain(ctx);
    EXPECT_EQ(seen, (std::vector<std::string>{event_text("move", b, {4, 4})}));
}

TEST_F(CpwEventTest, SendEventsStopsWhenTheQueueRunsDry) {
    const std::uint32_t id = make_window();
    EXPECT_EQ(cpw_event_sendevents(ctx, 3), 0);
    for (int i = 0; i < 5; ++i) {
        cpw_event_insert(ctx, id, cpw_event_display);
    }
    EXPECT_EQ(cpw_event_sendevents(ctx, 3), 1);
    EXPECT_EQ(cpwStackDepth(ctx), 2);
    EXPECT_EQ(cpw_event_sendevents(ctx, 3), 0);
    EXPECT_EQ(cpwStackDepth(ctx), 0);
}

std::vector<std::string> menu_calls;
void on_menu(CpwContext*, std::uint32_t window, std::uint32_t menu, std::uint32_t entry) {
    menu_calls.push_back(std::to_string(window) + " " + std::to_string(menu) + " " + std::to_string(entry));
}

TEST_F(CpwEventTest, PopupButtonsAndMenuSelections) {
    const std::uint32_t id = make_window();
    log_all_events(ctx);
    cpw_windowlist_lookup(ctx, id)->buttonmenuid[2] = 5;  // a pop-up menu no one made
    cpw_hostevent_mouseclick(ctx, id, 1, 2, 3, 4);  // release: ignored
    drain(ctx);
    EXPECT_EQ(cpwGetLastError(ctx), 0);
    cpw_hostevent_mouseclick(ctx, id, 0, 2, 3, 4);
    cpw_hostevent_mouseclick(ctx, id, 0, 0, 3, 4);
    cpw_hostevent_mouseclick(ctx, id, 0, 7, 3, 4);  // a button beyond the three
    drain(ctx);
    EXPECT_EQ(cpwGetLastError(ctx), cpw_error_unknownmenu);
    EXPECT_EQ(seen, (std::vector<std::string>{event_text("click", id, {0, 0, 3, 4}), event_text("click", id, {0, 7, 3, 4})}));

    CpwMenu menu{on_menu, {}};
    const std::uint32_t menuid = ll_addVoid(&ctx->list_menus, nullptr);
    ll_setVoid(&ctx->list_menus, menuid, &menu);
    menu_calls.clear();
    cpw_hostevent_menuselect(ctx, id, static_cast<int>(menuid), 3);
    cpw_hostevent_menuselect(ctx, id, 99, 3);
    drain(ctx);
    EXPECT_EQ(menu_calls, (std::vector<std::string>{std::to_string(id) + " 1 3"}));
    ll_deleteElement(&ctx->list_menus, menuid);  // the record is the test's own
}

}  // namespace

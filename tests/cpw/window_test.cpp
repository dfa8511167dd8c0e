#include "cpw_fixture.h"

#include <algorithm>
#include <string>
#include <vector>

using namespace cpw_test;

namespace {

using CpwWindowTest = CpwTest;

std::vector<int> queued_types(CpwContext* ctx) {
    std::vector<int> types;
    const CpwEventStack& s = *ctx->stack;
    for (std::uint8_t i = s.readindex; s.slots[i].inuse != 0 && types.size() < 256; ++i) {
        types.push_back(s.slots[i].type);
    }
    return types;
}

bool called(const std::string& call) {
    return std::find(null_host.calls.begin(), null_host.calls.end(), call) != null_host.calls.end();
}

TEST_F(CpwWindowTest, CreationQueuesItsEventsAndTakesTheFront) {
    const std::uint32_t id = cpwCreateWindowEx(ctx, "Tarvex", 10, 20, 400, 300);
    EXPECT_EQ(id, 1u);
    EXPECT_EQ(queued_types(ctx), (std::vector<int>{cpw_event_create, cpw_event_position, cpw_event_reshape,
                                                   cpw_event_display}));
    EXPECT_EQ(ctx->win_foregroundid, 1u);
    EXPECT_EQ(ctx->win_currentid, 1u);
    const CpwWindowStruct* w = cpw_windowlist_lookup(ctx, 1);
    ASSERT_NE(w, nullptr);
    EXPECT_STREQ(cstr::str(w->title), "Tarvex");
    EXPECT_EQ(w->cursor, cpw_cursor_arrow);
    EXPECT_EQ(w->bwidth, 400u);
    const CpwLocalhostWindow* hw = null_host_window(1);
    ASSERT_NE(hw, nullptr);
    EXPECT_EQ(hw->properties, 0x401u);
    EXPECT_TRUE(hw->glcontext);
    const std::vector<std::string> steps(null_host.calls.end() - 5, null_host.calls.end());
    EXPECT_EQ(steps, (std::vector<std::string>{"createwindow 1", "setpixelformat 1", "createglcontext 1",
                                               "setforeground 1", "makecurrent 1"}));
    EXPECT_EQ(cpwCreateWindowEx(ctx, "second", 0, 0, 10, 10), 2u);

    cpwInitWindowPosition(ctx, 7, 8);
    cpwInitWindowSize(ctx, 70, 80);
    const std::uint32_t third = cpwCreateWindow(ctx, nullptr);
    ASSERT_EQ(third, 3u);
    EXPECT_EQ(null_host_window(3)->x, 7u);
    EXPECT_EQ(null_host_window(3)->height, 80u);
    EXPECT_STREQ(cstr::str(cpw_windowlist_lookup(ctx, 3)->title), nullptr);  // an empty title
}

TEST_F(CpwWindowTest, FailedCreationConsumesAnIdAndLeavesNoRecord) {
    const std::vector<std::pair<std::string, int>> failures = {
        {"createwindow", cpw_error_hostwindow},
        {"setpixelformat", cpw_error_nopixelformat},
        {"setpixelformat", cpw_error_setpixelformat},
        {"createglcontext", cpw_error_glcontext},
    };
    std::uint32_t expected_next = 1;
    for (const auto& [step, code] : failures) {
        null_host.failures = {{step, code}};
        EXPECT_EQ(cpwCreateWindowEx(ctx, "x", 0, 0, 10, 10), 0u) << step;
        EXPECT_EQ(cpwGetLastError(ctx), code);
        EXPECT_EQ(cpw_windowlist_length(ctx), 0);
        EXPECT_TRUE(null_host.windows.empty());
        EXPECT_EQ(cpwStackDepth(ctx), 0);
        ++expected_next;
    }
    null_host.failures.clear();
    EXPECT_EQ(make_window(), expected_next);
}

TEST_F(CpwWindowTest, MakeCurrentFailureKeepsTheWindow) {
    null_host.failures = {{"makecurrent", cpw_error_makecurrent}};
    const std::uint32_t id = cpwCreateWindowEx(ctx, "x", 0, 0, 10, 10);
    EXPECT_EQ(id, 1u);
    EXPECT_EQ(cpwGetLastError(ctx), cpw_error_makecurrent);
    EXPECT_EQ(ctx->win_currentid, 0u);
    EXPECT_EQ(cpwSetWindow(ctx, id), 0);
    null_host.failures.clear();
    EXPECT_EQ(cpwSetWindow(ctx, id), 1);
    EXPECT_EQ(ctx->win_currentid, id);
}

TEST_F(CpwWindowTest, FullscreenWindow) {
    EXPECT_EQ(cpwCreateFullscreenWindow(ctx), 1);
    const CpwWindowStruct* w = cpw_windowlist_lookup(ctx, 1);
    ASSERT_NE(w, nullptr);
    EXPECT_TRUE(w->fullscreen);
    EXPECT_EQ(w->cursor, cpw_cursor_none);
    EXPECT_STREQ(cstr::str(w->title), "fullscreen");
    EXPECT_EQ(w->width, null_host.screen_width);
    EXPECT_EQ(queued_types(ctx), (std::vector<int>{cpw_event_create, cpw_event_reshape, cpw_event_display}));
    null_host.failures = {{"createfullscreenwindow", cpw_error_hostwindow}};
    EXPECT_EQ(cpwCreateFullscreenWindow(ctx), 0);
    EXPECT_EQ(cpw_windowlist_length(ctx), 1);
}

TEST_F(CpwWindowTest, DestroyRemovesEverythingAndIdsAreNotReused) {
    const std::uint32_t a = make_window();
    const std::uint32_t b = make_window();
    EXPECT_EQ(cpwDestroyWindow(ctx, b), 1);
    EXPECT_TRUE(called("destroyglcontext 2"));
    EXPECT_TRUE(called("destroywindow 2"));
    EXPECT_EQ(null_host_window(b), nullptr);
    EXPECT_EQ(cpw_windowlist_lookup(ctx, b), nullptr);
    EXPECT_FALSE(ctx->mainloop_break);  // window 2 is not the main window
    EXPECT_EQ(ctx->win_foregroundid, 0u);
    EXPECT_EQ(ctx->win_currentid, 0u);
    EXPECT_EQ(make_window(), 3u);
    EXPECT_EQ(cpwDestroyWindow(ctx, b), 0);
    EXPECT_EQ(cpwGetLastError(ctx), cpw_error_unknownwindow);
    EXPECT_EQ(cpwDestroyWindow(ctx, a), 1);
    EXPECT_TRUE(ctx->mainloop_break);  // window 1 is
}

TEST_F(CpwWindowTest, UnknownIdsSetError16) {
    using Op = int (*)(CpwContext*);
    const std::vector<Op> ops = {
        [](CpwContext* c) { return cpwSetWindowTitle(c, "t", 9); },
        [](CpwContext* c) { return cpwPositionWindow(c, 1, 1, 9); },
        [](CpwContext* c) { return cpwReshapeWindow(c, 1, 1, 9); },
        [](CpwContext* c) { return cpwStandardWindow(c, 9); },
        [](CpwContext* c) { return cpwMaximizeWindow(c, 9); },
        [](CpwContext* c) { return cpwIconifyWindow(c, 9); },
        [](CpwContext* c) { return cpwRestoreWindow(c, 9); },
        [](CpwContext* c) { return static_cast<int>(cpwGetWindow(c)); },
        [](CpwContext* c) { return cpwSetWindow(c, 9); },
        [](CpwContext* c) { return cpwSetForegroundWindow(c, 9); },
        [](CpwContext* c) { return cpwPopWindow(c); },
        [](CpwContext* c) { return cpwPushWindow(c); },
        [](CpwContext* c) { return cpwHideWindow(c, 9); },
        [](CpwContext* c) { return cpwShowWindow(c, 9); },
        [](CpwContext* c) { return cpwPostRedisplay(c); },
        [](CpwContext* c) { return cpwSwapBuffers(c); },
        [](CpwContext* c) { return cpwSwapWindowBuffers(c, 9); },
        [](CpwContext* c) { return cpwSetCursor(c, 2, 9); },
        [](CpwContext* c) { return cpwCenterCursor(c, 9); },
        [](CpwContext* c) { return cpwPositionCursor(c, 1, 1, 9); },
        [](CpwContext* c) { return cpwSetWindowUserdata(c, nullptr, 9); },
        [](CpwContext* c) { return cpwWindowDisplayCallback(c, nullptr, 9); },
        [](CpwContext* c) { return cpwWindowCreateCallback(c, nullptr, 9); },
    };
    for (std::size_t i = 0; i < ops.size(); ++i) {
        cpw_error_set(ctx, 0);
        EXPECT_EQ(ops[i](ctx), 0) << i;
        EXPECT_EQ(cpwGetLastError(ctx), cpw_error_unknownwindow) << i;
    }
    cpw_error_set(ctx, 0);
    EXPECT_EQ(cpwGetWindowUserdata(ctx, 9), nullptr);
    EXPECT_EQ(cpwGetLastError(ctx), cpw_error_unknownwindow);
    // These two report an unknown window without an error code.
    cpw_error_set(ctx, 0);
    EXPECT_EQ(cpwFullscreenWindow(ctx, 9), 0);
    CpwWindowInfo info{};
    EXPECT_EQ(cpwGetWindowInfo(ctx, &info, 9), 0);
    EXPECT_EQ(cpwGetLastError(ctx), 0);
}

TEST_F(CpwWindowTest, TitlePositionAndSize) {
    const std::uint32_t id = make_window("old");
    EXPECT_EQ(cpwSetWindowTitle(ctx, "new", id), 1);
    EXPECT_EQ(null_host_window(id)->title, "new");
    EXPECT_EQ(cpwSetWindowTitle(ctx, "", id), 0);  // stored, not shown
    EXPECT_EQ(cstr::len(cpw_windowlist_lookup(ctx, id)->title), 0);
    EXPECT_EQ(null_host_window(id)->title, "new");

    EXPECT_EQ(cpwPositionWindow(ctx, 30, 40, id), 1);
    EXPECT_EQ(null_host_window(id)->x, 30u);
    EXPECT_EQ(cpw_windowlist_lookup(ctx, id)->y, 40u);
    EXPECT_EQ(queued_types(ctx), (std::vector<int>{cpw_event_position, cpw_event_display}));
    drain(ctx);
    EXPECT_EQ(cpwReshapeWindow(ctx, 500, 600, id), 1);
    EXPECT_EQ(null_host_window(id)->width, 500u);
    EXPECT_EQ(cpw_windowlist_lookup(ctx, id)->height, 600u);
    EXPECT_EQ(queued_types(ctx), (std::vector<int>{cpw_event_reshape, cpw_event_display}));
}

TEST_F(CpwWindowTest, FullscreenAndBack) {
    const std::uint32_t id = make_window();
    EXPECT_EQ(cpwStandardWindow(ctx, id), 1);  // not full screen: nothing to do
    EXPECT_TRUE(queued_types(ctx).empty());
    EXPECT_EQ(cpwFullscreenWindow(ctx, id), 1);
    CpwWindowStruct* w = cpw_windowlist_lookup(ctx, id);
    EXPECT_TRUE(w->fullscreen);
    EXPECT_EQ(w->bx, 10u);
    EXPECT_EQ(w->bwidth, 400u);
    log_all_events(ctx);
    drain(ctx);
    EXPECT_EQ(seen, (std::vector<std::string>{event_text("reshape", id, {1280, 1024}), event_text("display", id)}));
    EXPECT_EQ(cpwFullscreenWindow(ctx, id), 1);
    EXPECT_TRUE(queued_types(ctx).empty());
    seen.clear();
    EXPECT_EQ(cpwStandardWindow(ctx, id), 1);
    EXPECT_FALSE(w->fullscreen);
    drain(ctx);
    EXPECT_EQ(seen, (std::vector<std::string>{event_text("reshape", id, {400, 300}), event_text("display", id)}));
    EXPECT_EQ(w->x, 10u);
    EXPECT_EQ(null_host_window(id)->width, 400u);
    EXPECT_FALSE(null_host_window(id)->fullscreen);
}

TEST_F(CpwWindowTest, MaximizeIconifyRestore) {
    const std::uint32_t id = make_window();
    EXPECT_EQ(cpwMaximizeWindow(ctx, id), 1);
    CpwWindowStruct* w = cpw_windowlist_lookup(ctx, id);
    EXPECT_EQ(w->x, 0u);
    EXPECT_EQ(w->width, null_host.screen_width);
    EXPECT_EQ(w->bwidth, 400u);
    EXPECT_EQ(queued_types(ctx), (std::vector<int>{cpw_event_display}));
    drain(ctx);
    EXPECT_EQ(cpwRestoreWindow(ctx, id), 1);
    EXPECT_EQ(w->x, 10u);
    EXPECT_EQ(w->height, 300u);
    EXPECT_EQ(queued_types(ctx), (std::vector<int>{cpw_event_position, cpw_event_reshape, cpw_event_display}));
    drain(ctx);
    EXPECT_EQ(cpwIconifyWindow(ctx, id), 1);
    EXPECT_TRUE(null_host_window(id)->iconic);
    EXPECT_TRUE(queued_types(ctx).empty());
}

TEST_F(CpwWindowTest, ForegroundHideShowAndStacking) {
    const std::uint32_t a = make_window();
    const std::uint32_t b = make_window();
    EXPECT_EQ(cpwGetWindow(ctx), b);
    EXPECT_EQ(cpwSetForegroundWindow(ctx, a), 1);
    EXPECT_EQ(cpwGetWindow(ctx), a);
    EXPECT_EQ(cpwPopWindow(ctx), 1);
    EXPECT_TRUE(called("popwindow 1"));
    EXPECT_EQ(cpwPushWindow(ctx), 1);
    EXPECT_TRUE(called("pushwindow 1"));
    EXPECT_EQ(cpwHideWindow(ctx, a), 1);
    EXPECT_EQ(cpwHideWindow(ctx, a), 0);
    EXPECT_EQ(cpwShowWindow(ctx, a), 0);
    EXPECT_EQ(cpwShowWindow(ctx, a), 1);
    EXPECT_EQ(cpwSetWindow(ctx, b), 1);
    EXPECT_EQ(ctx->win_currentid, b);
}

TEST_F(CpwWindowTest, RedisplayAndSwaps) {
    const std::uint32_t a = make_window();
    const std::uint32_t b = make_window();
    EXPECT_EQ(cpwPostRedisplay(ctx), 1);
    EXPECT_EQ(queued_types(ctx), (std::vector<int>{cpw_event_display, cpw_event_display}));
    EXPECT_EQ(cpwPostWindowRedisplay(ctx, 77), 1);  // not looked up
    EXPECT_EQ(cpwStackDepth(ctx), 3);
    null_host.calls.clear();
    EXPECT_EQ(cpwSwapBuffers(ctx), 1);
    EXPECT_EQ(null_host.calls, (std::vector<std::string>{"swapbuffers 1", "swapbuffers 2"}));
    EXPECT_EQ(cpwSwapWindowBuffers(ctx, b), 1);
    (void)a;
}

TEST_F(CpwWindowTest, CursorOnlyOverTheForegroundWindow) {
    const std::uint32_t a = make_window();
    const std::uint32_t b = make_window();
    cpw_hostevent_cursorenter(ctx, a);
    EXPECT_EQ(cpwSetCursor(ctx, cpw_cursor_hand, a), 0);  // a is not in the foreground
    EXPECT_EQ(cpw_windowlist_lookup(ctx, a)->cursor, cpw_cursor_arrow);
    EXPECT_EQ(cpwCenterCursor(ctx, a), 0);
    EXPECT_EQ(cpwSetCursor(ctx, cpw_cursor_hand, b), 0);  // b has no mouse over it
    EXPECT_EQ(cpw_windowlist_lookup(ctx, b)->cursor, cpw_cursor_arrow);
    cpwSetForegroundWindow(ctx, a);
    EXPECT_EQ(cpwSetCursor(ctx, cpw_cursor_hand, a), 0);  // always 0
    EXPECT_EQ(cpw_windowlist_lookup(ctx, a)->cursor, cpw_cursor_hand);
    EXPECT_EQ(null_host_window(a)->cursor, cpw_cursor_hand);
    EXPECT_EQ(cpwCenterCursor(ctx, a), 1);
    EXPECT_EQ(cpwPositionCursor(ctx, 3, 4, a), 1);
    EXPECT_TRUE(called("positioncursor 1 3 4"));
}

TEST_F(CpwWindowTest, ListAndInfo) {
    EXPECT_EQ(cpwListWindows(ctx, nullptr), 0);
    EXPECT_EQ(cpwGetLastError(ctx), cpw_error_badargument);
    CpwWindowList list{};
    EXPECT_EQ(cpwListWindows(ctx, &list), 1);
    EXPECT_EQ(list.size, 0u);
    for (int i = 0; i < 32; ++i) {
        make_window();
    }
    EXPECT_EQ(cpwListWindows(ctx, &list), 1);
    EXPECT_EQ(list.size, 30u);  // the record holds thirty
    EXPECT_EQ(list.list[0].id, 1u);
    EXPECT_EQ(list.list[29].id, 30u);
    EXPECT_EQ(list.list[0].width, 400u);
    EXPECT_FALSE(list.list[0].foreground);

    CpwWindowInfo info{};
    EXPECT_EQ(cpwGetWindowInfo(ctx, nullptr, 1), 0);
    EXPECT_EQ(cpwGetLastError(ctx), cpw_error_badargument);
    EXPECT_EQ(cpwGetWindowInfo(ctx, &info, 32), 1);
    EXPECT_TRUE(info.foreground);
    EXPECT_EQ(info.x, 10u);
    EXPECT_EQ(info.height, 300u);
}

TEST_F(CpwWindowTest, WindowListAndUserdata) {
    const std::uint32_t a = make_window();
    int data = 0;
    EXPECT_EQ(cpwSetWindowUserdata(ctx, &data, a), 1);
    EXPECT_EQ(cpwGetWindowUserdata(ctx, a), &data);
    EXPECT_EQ(cpw_windowlist_lookup(ctx, 0), cpw_windowlist_lookup(ctx, a));  // 0: the foreground window
    ctx->win_foregroundid = 0;
    EXPECT_EQ(cpw_windowlist_lookup(ctx, 0), nullptr);

    // The window list as the form engine reads it.
    void* p = nullptr;
    EXPECT_EQ(ll_getVoid(&ctx->list_win, a, &p), 1);
    ASSERT_NE(p, nullptr);
    EXPECT_EQ(static_cast<CpwWindowStruct*>(p)->plhwc, null_host_window(a));
    EXPECT_EQ(ll_getVoid(&ctx->list_win, 99, &p), 1);
    EXPECT_EQ(p, nullptr);

    CpwWindowStruct* w = cpw_windowlist_lookup(ctx, a);
    EXPECT_EQ(cpw_windowlist_replace(ctx, a, w), 1);
    EXPECT_EQ(cpw_windowlist_replace(ctx, 99, w), 0);
    EXPECT_EQ(cpw_windowlist_remove(ctx, 99), nullptr);
    EXPECT_EQ(cpw_windowlist_iteratestart(ctx), w);
    EXPECT_EQ(cpw_windowlist_iteratenext(ctx), nullptr);
}

}  // namespace

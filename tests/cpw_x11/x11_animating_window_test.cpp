#include "x11_fixture.h"

namespace x11_test {
namespace {

// A window that animates: every draw asks for the next one, so the
// toolkit's queue is never empty while the main loop runs.
int draws = 0;

void draw_and_ask_again(CpwContext* ctx, std::uint32_t id) {
    ++draws;
    cpwPostWindowRedisplay(ctx, id);
}

// The keys the raw key hook was handed, as virtual key and message.
std::vector<std::pair<int, int>> hooked;

void record_key(const CpwRawKey& key) { hooked.emplace_back(key.vk, key.message); }

// The close box: logged, and the main loop ends (the window stays).
void close_asked(CpwContext* ctx, std::uint32_t id, int flag) {
    seen.push_back(event_text("create", id, {flag}));
    if (flag == 0) {
        cpwBreakMainLoop(ctx);
    }
}

// Whether the main loop was ended by the guard rather than by the close box.
bool guard_fired = false;

class X11AnimatingWindowTest : public X11Test {};

// The position in the log of the first entry that begins with `prefix`; the
// log's length when none does.
std::size_t first_entry(const std::string& prefix) {
    const auto at = std::find_if(seen.begin(), seen.end(),
                                 [&](const std::string& entry) { return entry.rfind(prefix, 0) == 0; });
    return static_cast<std::size_t>(at - seen.begin());
}

TEST_F(X11AnimatingWindowTest, KeysAndTheCloseBoxReachAWindowThatAlwaysHasADrawQueued) {
    const std::uint32_t id = make_window();
    pointer_to(150, 160);
    settle();
    cpwWindowDisplayCallback(ctx, draw_and_ask_again, id);
    cpwCreateCallback(ctx, close_asked);
    cpw_rawkeyhook_set(record_key);
    draws = 0;
    hooked.clear();
    seen.clear();
    guard_fired = false;
    cpwPostWindowRedisplay(ctx, id);

    // The key, then the close box, wait in the server for the main loop.
    tap(XK_a);
    ask_to_close(x_window(id));
    cpwTimerCallback(ctx, 30000, 9, false, [](CpwContext* c, int) {
        guard_fired = true;
        cpwBreakMainLoop(c);
    });
    EXPECT_EQ(cpwMainLoop(ctx), 1);
    cpwWindowDisplayCallback(ctx, nullptr, id);

    EXPECT_FALSE(guard_fired) << "the close box was never handled; " << draws << " draws, " << hooked.size()
                              << " keys hooked";
    EXPECT_GT(draws, 0);
    const std::vector<std::pair<int, int>> typed{{'A', cpw_rawkey_keydown}, {'A', cpw_rawkey_keyup}};
    EXPECT_EQ(hooked, typed);
    const std::size_t press = first_entry(event_text("key", id, {'a', 1}) + " ");
    const std::size_t release = first_entry(event_text("key", id, {'a', 2}) + " ");
    const std::size_t close = first_entry(event_text("create", id, {0}));
    ASSERT_LT(close, seen.size());
    EXPECT_LT(press, release);
    EXPECT_LT(release, close);
}

}  // namespace
}  // namespace x11_test

// Starting and closing the form's window on the null host, the fonts, the
// callbacks of other windows, the keyboard hook's chain and the file dialogs.
#include "engine_fixture.h"

#include "forms/kit/engine_draw.h"

#include "support/zenity_stub.h"

#include <algorithm>
#include <filesystem>
#include <fstream>

namespace engine_test {
namespace {

class Window : public EngineTest {
protected:
    void SetUp() override {
        EngineTest::SetUp();
        add_inpt(2, 0, box(20, 60, 10, frm_type_chr, "Name", "abc"));
        add_inpt(2, 1, box(20, 30, 20, frm_type_ifp, "Plan", "C:\\old.fpl"));
        add_butt(1, 0, "OK", {20, 5}, 60, 1);
    }
    std::string log_text() const {
        const auto file = folder.path() / "Logfile.txt";
        return std::filesystem::exists(file) ? tarvex_test::TempDir::read(file) : std::string();
    }
    bool host_called(const std::string& call) const {
        return std::find(null_host.calls.begin(), null_host.calls.end(), call) != null_host.calls.end();
    }
};

TEST_F(Window, StartOpensASizedWindowWithTheFormsCallbacks) {
    start();
    const CpwLocalhostWindow* w = null_host_window(window);
    ASSERT_NE(w, nullptr);
    EXPECT_EQ(w->title, "Test");
    EXPECT_EQ(w->x, 100u);
    EXPECT_EQ(static_cast<int>(w->width), engine_metrics.windowInfo.width);
    EXPECT_EQ(w->properties & cpw_window_framemask, cpw_window_fixedframe);
    EXPECT_EQ(engine_window.hwnd, 0x10000u + window);
    EXPECT_EQ(ctx->displayCallback, frm_draw);
    EXPECT_EQ(ctx->mouseclickCallback, frm_mouseclick);
    EXPECT_EQ(ctx->keyCallback, nullptr);  // keys come through the hook only
    EXPECT_TRUE(host_called("swapbuffers " + std::to_string(window)));
    EXPECT_NE(engine_metrics.Txt_Font, 0u);
    EXPECT_NE(engine_metrics.Inp_Font, 0u);

    // A second form closes the first one's window.
    set_opt({0, 12, 0});
    add_inpt(1, 0, box(20, 20, 10, frm_type_chr, "Only"));
    start();
    EXPECT_EQ(null_host.windows.size(), 1u);
    EXPECT_EQ(null_host.windows.front()->properties & cpw_window_kindmask, cpw_window_caption);
}

TEST_F(Window, TheWindowGetsTheProgramsIconAndAFailureIsLogged) {
    start();
    EXPECT_TRUE(host_called("seticon " + std::to_string(window) + " 32 16"));
    EXPECT_EQ(null_host_window(window)->icon_sizes, (std::vector<int>{32, 16}));
    EXPECT_EQ(log_text().find("LoadIcon Error"), std::string::npos);
    // A window that cannot take it opens all the same.
    null_host.failures["seticon"] = 3;
    start();
    ASSERT_NE(null_host_window(window), nullptr);
    EXPECT_TRUE(null_host_window(window)->icon_sizes.empty());
    EXPECT_NE(log_text().find("LoadIcon Error: 3"), std::string::npos);
}

TEST_F(Window, NoToolkitOrNoWindowGivesWindowIdZero) {
    null_host.failures["start host"] = cpw_error_windowclass;
    EXPECT_EQ(frm_start_graphics("arial.ttf", "Test"), 0);
    EXPECT_EQ(engine_window.this_cpw, nullptr);
    EXPECT_NE(log_text().find("the windowing toolkit could not start (error 5)"), std::string::npos);
    EXPECT_EQ(frm_do_graphics(), 0);
    EXPECT_EQ(frm_new_form_gr(), 0);

    null_host.failures.clear();
    null_host.failures["createwindow"] = cpw_error_hostwindow;
    EXPECT_EQ(frm_start_graphics("arial.ttf", "Test"), 0);
    EXPECT_EQ(engine_window.this_cpw, nullptr);
    EXPECT_TRUE(null_host.hosts.empty());
    EXPECT_EQ(frm_do_graphics(), 0);
}

TEST_F(Window, AnUnknownLabelFontFallsBackToArialAndNoFontAtAllRefusesTheForm) {
    EXPECT_GT(frm_start_graphics("nosuchfont.ttf", "Test"), 0);
    EXPECT_EQ(engine_window.font_name, "arial.ttf");
    EXPECT_NE(log_text().find("Txt_Font : nosuchfont.ttf could not be loaded - arial.ttf selected"), std::string::npos);

    // Font files that are no fonts: nothing loads, the form is refused.
    fonts.write("arial.ttf", "not a font");
    fonts.write("cour.ttf", "not a font either");
    EXPECT_EQ(frm_start_graphics("arial.ttf", "Test"), 0);
    EXPECT_EQ(engine_window.this_cpw, nullptr);
    EXPECT_TRUE(null_host.windows.empty());
    EXPECT_NE(log_text().find("Inp_Font : cour.ttf could not be loaded - arial.ttf selected"), std::string::npos);
}

TEST_F(Window, CallbacksOfOtherWindowsAreIgnored) {
    start();
    const std::uint32_t other = cpwCreateWindowEx(ctx, "other", 10, 10, 50, 50);
    send();
    null_host.calls.clear();
    cpw_hostevent_mouseclick(ctx, other, 0, 0, 30, height() - 65);
    cpw_hostevent_mouseclick(ctx, other, 1, 0, 30, height() - 65);
    cpw_hostevent_draw(ctx, other);
    cpw_hostevent_destroy(ctx, other);  // the default closes it; the form stays
    send();
    EXPECT_EQ(engine_state.CurInpt, -1);
    EXPECT_FALSE(host_called("swapbuffers " + std::to_string(other)));
    EXPECT_EQ(engine_metrics.windowInfo.id, window);
    EXPECT_EQ(engine_state.ExitStat, 0);
    frm_reshape(ctx, other, 5, 5);
    EXPECT_NE(engine_metrics.windowInfo.width, 5);
    // A key of another window reaches the hooks after ours, not the box.
    click(30, 65);
    ASSERT_EQ(engine_state.CurInpt, 0);
    CpwRawKey k{};
    k.message = cpw_rawkey_keydown;
    k.vk = 'X';
    k.character = 'x';
    k.keyscan = 'X';
    k.context = ctx;
    k.window = other;
    null_host_rawkey(k);
    EXPECT_EQ(engine_tables.inpt_cval[0], "abc");
}

std::vector<int> hooked;
void earlier_hook(const CpwRawKey& key) {
    hooked.push_back(key.vk);
}

TEST_F(Window, TheHookHandsEveryKeyOnAndGivesTheEarlierHookBack) {
    hooked.clear();
    cpw_rawkeyhook_set(earlier_hook);
    start();
    click(20 + margin + 3 * input_char + 2, 65);  // after the text
    EXPECT_NE(null_host.rawkeyhook, earlier_hook);
    type_char('d', 'D', 32, 'D');
    EXPECT_EQ(engine_tables.inpt_cval[0], "abcd");
    EXPECT_EQ(hooked, (std::vector<int>{'D', 'D'}));
    frm_KdbHookProc(-1, cpw_rawkey_keydown, CpwRawKey{});  // only logged and handed on
    EXPECT_EQ(hooked.size(), 3u);
    EXPECT_NE(log_text().find("KBD nCode : -1 0"), std::string::npos);
    click(300, 300);  // off every box
    EXPECT_EQ(null_host.rawkeyhook, earlier_hook);
    cpw_rawkeyhook_set(nullptr);
}

TEST_F(Window, AFileBoxIsFocusedFirstThenOpensItsDialog) {
    tarvex_test::ZenityStub zenity;
    const std::filesystem::path plan = folder.write("task.fpl", "x");  // the dialog answers existing files only
    zenity.answer(1, plan.string() + "\n");
    zenity.answer(2, "", 1);  // cancelled
    start();
    calls.clear();
    click(40, 35);
    EXPECT_EQ(zenity.runs(), 0);
    EXPECT_EQ(engine_state.CurInpt, 1);
    EXPECT_NE(null_host.rawkeyhook, nullptr);
    click(40, 35);
    ASSERT_EQ(zenity.runs(), 1);
    EXPECT_EQ(engine_tables.inpt_cval[1].back(), 'l');
    EXPECT_NE(engine_tables.inpt_cval[1].find("task.fpl"), std::string::npos);
    EXPECT_EQ(engine_tables.inpt_cval[1].find('/'), std::string::npos);  // Windows form
    const std::vector<std::string> args = zenity.args(1);
    EXPECT_NE(std::find(args.begin(), args.end(), "--title=Test"), args.end());

    // Cancelled: the text stays, an error box says so. (The dialog's window
    // took the pointer: the next click is a first one again.)
    mouse_leaves();
    const std::string before = engine_tables.inpt_cval[1];
    click(40, 35);
    click(40, 35);
    EXPECT_EQ(engine_tables.inpt_cval[1], before);
    const std::vector<std::string> box_args = zenity.args(3);
    EXPECT_NE(std::find(box_args.begin(), box_args.end(), "--text=No file specification returned"), box_args.end());
    EXPECT_EQ(calls_of("callback").size(), 4u);

    // Delete empties a focused file box and takes the focus away.
    mouse_leaves();
    click(40, 35);
    key(cpw_rawkey_keydown, 46, 83, 0, 0, 0, cpw_rawkey_flag_extended);
    EXPECT_EQ(engine_tables.inpt_cval[1], "");
    EXPECT_EQ(engine_state.CurInpt, -1);
}

TEST_F(Window, DialogAnswersLongerThanTheBoxAreCut) {
    tarvex_test::ZenityStub zenity;
    const std::filesystem::path deep = zenity.folder() / std::string(120, 'd') / std::string(120, 'e');
    std::filesystem::create_directories(deep);
    zenity.answer(1, deep.string() + "\n");
    engine_tables.inpt_typ[1] = frm_type_fld;
    start();
    click(40, 35);
    click(40, 35);
    ASSERT_EQ(zenity.runs(), 1);
    EXPECT_EQ(engine_tables.inpt_cval[1].size(), engine_value_chars);
}

TEST_F(Window, AColourBoxTakesTheChosenColour) {
    tarvex_test::ZenityStub zenity;
    zenity.answer(1, "rgb(255,128,0)\n");
    engine_tables.inpt_typ[0] = frm_type_col;
    engine_tables.inpt_cval[0] = "#000080";
    engine_tables.inpt_ival[0] = 128;
    start();
    click(30, 65);
    ASSERT_EQ(zenity.runs(), 1);
    const std::vector<std::string> args = zenity.args(1);
    EXPECT_NE(std::find(args.begin(), args.end(), "--color=#000080"), args.end());
    EXPECT_EQ(engine_tables.inpt_ival[0], 0xFF8000);
    EXPECT_EQ(engine_tables.inpt_cval[0].size(), 7u);
    EXPECT_EQ(calls_of("callback"), std::vector<std::string>{"callback 1 1 16744448"});
}

TEST_F(Window, NewFormGrLaysOutAgainAndResizes) {
    start();
    engine_tables.inpt_siz[0] = 40;
    EXPECT_EQ(frm_new_form_gr(), static_cast<int>(window));
    EXPECT_EQ(static_cast<int>(null_host_window(window)->width), engine_metrics.windowInfo.width);
    EXPECT_EQ(engine_tables.inpt_pos[0][2], 20 + 40 * input_char + 2 * margin);
}

}  // namespace
}  // namespace engine_test

// A loaded form on the null host, played with mouse events handed to the
// toolkit and keys handed to the raw key hook as the X11 host reports them.
#include "engine_fixture.h"

#include "forms/kit/engine_draw.h"

namespace engine_test {
namespace {

inline constexpr int int_box = 0, chr_box = 1, ddl_box = 2, key_box = 3, tck_box = 4, fld_box = 5;
inline constexpr int ok_button = 0, cancel_button = 1, apply_button = 2;

// Virtual keys and scan codes of a US keyboard.
inline constexpr int vk_ctrl = 162, sc_ctrl = 29;
inline constexpr int vk_shift = 160, sc_shift = 42;

class Interaction : public EngineTest {
protected:
    void SetUp() override {
        EngineTest::SetUp();
        FrmInptDef count = box(20, 260, 10, frm_type_int, "Count", "12");
        count.arrows = 1;
        count.ival = 12;
        add_inpt(6, int_box, count);
        add_inpt(6, chr_box, box(20, 230, 10, frm_type_chr, "Name", "abc"));
        FrmInptDef list = box(20, 200, 12, frm_type_ddl, "List", "Entry 1");
        list.list = 0;
        add_inpt(6, ddl_box, list);
        add_inpt(6, key_box, box(20, 170, 15, frm_type_key, "Key"));
        add_inpt(6, tck_box, box(20, 140, 16, frm_type_tck, "Tick"));
        add_inpt(6, fld_box, box(20, 110, 10, frm_type_fld, "Folder", "C:\\Condor3\\Landscapes\\Provence"));
        for (int j = 0; j < 30; ++j) {
            add_ddl(0, 30, j, "Entry " + std::to_string(j + 1));
        }
        add_butt(3, ok_button, "OK", {20, 20}, 60, 1);
        add_butt(3, cancel_button, "Cancel", {100, 20}, 60, -1);
        add_butt(3, apply_button, "Apply", {180, 20}, 60, 2);
        start();
        calls.clear();
    }

    // A point of box i, `chars` characters into its text.
    void click_text(int i, int chars) {
        const Rect& r = engine_tables.inpt_pos[static_cast<std::size_t>(i)];
        click(r[0] + margin + chars * input_char + 2, r[1] + 5);
    }
    const std::string& text(int i) const { return engine_tables.inpt_cval[static_cast<std::size_t>(i)]; }

    // Plays a script inside the main loop, then runs the form; the loop is
    // ended by the host's quit message some cycles later, should the script
    // not end it.
    int run(const std::function<void()>& script) {
        null_host_post([script](CpwContext*) { script(); });
        quit_after(300);
        return frm_do_graphics();
    }
    static void quit_after(int messages) {
        if (messages == 0) {
            null_host_post_quit();
        } else {
            null_host_post([messages](CpwContext*) { quit_after(messages - 1); });
        }
    }
    void post_click_button(int b) {
        const Rect& r = engine_tables.butt_pos[static_cast<std::size_t>(b)];
        const int x = (r[0] + r[2]) / 2, y = height() - (r[1] + r[3]) / 2;
        cpw_hostevent_mouseclick(ctx, window, 0, 0, x, y);
        cpw_hostevent_mouseclick(ctx, window, 1, 0, x, y);
    }
};

TEST_F(Interaction, AClickFocusesABoxAndAnIntBoxTakesOnlyNumberCharacters) {
    click_text(int_box, 5);  // beyond the text: the caret goes to its end
    EXPECT_EQ(engine_state.CurInpt, int_box);
    EXPECT_EQ(engine_state.CurPos_1, 2);
    EXPECT_EQ(engine_state.CurPos_2, 2);
    EXPECT_NE(null_host.rawkeyhook, nullptr);
    EXPECT_EQ(calls, std::vector<std::string>{"callback 1 1 12"});

    type_char('a', 'A', 30, 'A');
    type_char(',', 188, 51, 188);
    key(cpw_rawkey_keydown, 9, 15, 9, 9);                                   // Tab
    key(cpw_rawkey_keydown, 13, 28, 13, 13);                                // Enter
    key(cpw_rawkey_keydown, 'A', 30, 1, cpw_keyscan_ctrl | 'A', cpw_rawkey_leftctrl);  // Ctrl+A
    EXPECT_EQ(text(int_box), "12");
    type_char('1', '1', 2, '1');
    type_char('E', 'E', 18, cpw_keyscan_shift | 'E');
    type_char('-', 189, 12, 189);
    EXPECT_EQ(text(int_box), "121E-");
    EXPECT_EQ(engine_state.CurPos_1, 5);

    // The text box takes any character; other boxes see nothing.
    click_text(chr_box, 3);
    type_char(',', 188, 51, 188);
    EXPECT_EQ(text(chr_box), "abc,");
    mouse_leaves();
    EXPECT_EQ(engine_state.CurInpt, -1);
    EXPECT_EQ(null_host.rawkeyhook, nullptr);
    type_char('x', 'X', 45, 'X');
    EXPECT_EQ(text(chr_box), "abc,");
}

TEST_F(Interaction, AValueItsBoundsRefuseStaysAsTyped) {
    // The value checks show the number as the box reads it; the bounds refuse it.
    set_engine_checks({[](int, int, int&, float&, std::string& cval, std::string&) {
                           cval = "1.2E+01";
                           return 1;
                       },
                       [](int, int&, float&, std::string&, std::string& msg) {
                           msg = "Value must be <= 10";
                           return 0;
                       },
                       fake_incrm_val});
    click_button(ok_button);
    EXPECT_EQ(engine_tables.inpt_OK[int_box], 0);
    EXPECT_EQ(text(int_box), "12");
}

TEST_F(Interaction, OkWithARefusedBoxKeepsTheFormOpenAndShowsItsMessage) {
    refused_boxes = {int_box};
    click_button(ok_button);
    EXPECT_EQ(engine_tables.inpt_OK[int_box], 0);
    EXPECT_EQ(engine_tables.inpt_OK[chr_box], 1);
    EXPECT_EQ(calls_of("check").size(), 6u);  // every box checked
    EXPECT_TRUE(calls_of("callback").empty());
    EXPECT_FALSE(ctx->mainloop_break);

    const Rect& r = engine_tables.inpt_pos[int_box];
    press(r[0] + 5, r[1] + 5, 2);
    EXPECT_EQ(engine_state.MsgInpt, int_box);
    EXPECT_EQ(engine_state.xmsg, r[0] + 5);
    EXPECT_EQ(engine_tables.inpt_msg[int_box], "Integer value required");
    release(r[0] + 5, r[1] + 5, 2);
    EXPECT_EQ(engine_state.xmsg, -1);

    // Cancel ends the form with neither checks nor callback.
    calls.clear();
    EXPECT_EQ(run([this] { post_click_button(cancel_button); }), -1);
    EXPECT_TRUE(calls.empty());
}

TEST_F(Interaction, OkCallsBackAndEndsTheFormApplyCallsBackWithoutChecks) {
    EXPECT_EQ(run([this] {
                  post_click_button(apply_button);
                  post_click_button(ok_button);
              }),
              1);
    const std::vector<std::string> back = calls_of("callback");
    ASSERT_EQ(back.size(), 2u);
    EXPECT_EQ(back[0], "callback 6 3 2");
    EXPECT_EQ(back[1], "callback 6 1 1");
    EXPECT_EQ(calls_of("check").size(), 6u);  // for OK only
    EXPECT_FALSE(null_host_window(window)->visible);  // hidden, not destroyed
    EXPECT_EQ(engine_metrics.windowInfo.id, window);
}

TEST_F(Interaction, TheCloseBoxEndsTheFormWithoutCallback) {
    EXPECT_EQ(run([this] { cpw_hostevent_destroy(ctx, window); }), frm_exit_closed);
    EXPECT_TRUE(calls.empty());
    EXPECT_EQ(null_host_window(window), nullptr);
    EXPECT_EQ(frm_do_graphics(), 0);  // no window any more
    set_inpt_val(int_box, 5, 0.0f, "5");  // no window to redraw: nothing happens
    EXPECT_EQ(text(int_box), "5");
}

TEST_F(Interaction, ArrowsStepTheValueOfTheirBoxOnly) {
    const Rect& r = engine_tables.inpt_pos[int_box];
    const int arrow_x = r[2] + input_char;
    const int mid = (r[1] + r[3]) / 2;
    press(arrow_x, mid + 3);
    EXPECT_EQ(engine_tables.inpt_inc[int_box], 1);
    EXPECT_EQ(calls, (std::vector<std::string>{"check 0 12", "step 0 1"}));
    EXPECT_EQ(text(int_box), "13");
    release(arrow_x, mid + 3);
    EXPECT_EQ(engine_tables.inpt_inc[int_box], 0);
    click(arrow_x, r[1] + 2);
    EXPECT_EQ(text(int_box), "12");

    // Right of a box without arrows (its label) nothing is stepped.
    calls.clear();
    const Rect& c = engine_tables.inpt_pos[chr_box];
    click(c[2] + input_char, (c[1] + c[3]) / 2 + 3);
    EXPECT_TRUE(calls_of("step").empty());
}

TEST_F(Interaction, AListOpensScrollsBetweenItsLimitsAndGivesTheChosenEntry) {
    click_box(ddl_box);
    ASSERT_EQ(engine_state.CurDDL, 0);
    EXPECT_EQ(engine_state.Scroll, 1);
    EXPECT_EQ(engine_state.DxScrl, 2 * input_char);
    const Rect& r = engine_tables.inpt_pos[ddl_box];
    const int rh = r[3] - r[1];
    // Ten rows hang below the box.
    EXPECT_EQ(engine_state.ddl_pos, (Rect{r[0], r[1], r[2], r[1] - 10 * rh}));
    calls.clear();

    wheel(-50);
    EXPECT_EQ(engine_state.ddl_offset, 20);
    wheel(3);
    EXPECT_EQ(engine_state.ddl_offset, 17);
    wheel(50);
    EXPECT_EQ(engine_state.ddl_offset, 0);
    for (int i = 0; i < 25; ++i) {
        key(cpw_rawkey_keydown, 40, 80, 0, 0, 0, cpw_rawkey_flag_extended);  // Down
    }
    EXPECT_EQ(engine_state.ddl_offset, 20);
    key(cpw_rawkey_keydown, 38, 72, 0, 0, 0, cpw_rawkey_flag_extended);  // Up
    EXPECT_EQ(engine_state.ddl_offset, 19);

    // The pointer over the third row marks it; a click chooses it.
    const auto [left, top, right, bottom] = engine_state.ddl_pos;
    const int row_y = top - 2 * rh - rh / 2;
    cpw_hostevent_mousemove(ctx, window, left + 10, height() - row_y);
    send();
    EXPECT_EQ(engine_state.CurDDL_N, 21);
    click(left + 10, row_y);
    EXPECT_EQ(engine_tables.inpt_ival[ddl_box], 21);
    EXPECT_EQ(text(ddl_box), "Entry 22");
    EXPECT_EQ(calls, std::vector<std::string>{"callback 1 3 22"});
    EXPECT_EQ(engine_state.CurDDL, -1);
    EXPECT_EQ(engine_state.CurInpt, -1);
    EXPECT_EQ(engine_state.ddl_offset, 0);
    EXPECT_EQ(null_host.rawkeyhook, nullptr);
    int iv = 0;
    float rv = 0;
    std::string cv;
    get_box_val(ddl_box, iv, rv, cv);
    EXPECT_EQ(iv, 22);
}

TEST_F(Interaction, TheScrollBarsArrowsAndThumbMoveTheList) {
    click_box(ddl_box);
    const auto [left, top, right, bottom] = engine_state.ddl_pos;
    const int bar_x = right - input_char;
    click(bar_x, bottom + 3);  // lower arrow
    EXPECT_EQ(engine_state.ddl_offset, 1);
    click(bar_x, top - 3);  // upper arrow
    EXPECT_EQ(engine_state.ddl_offset, 0);
    EXPECT_EQ(engine_state.CurDDL, 0);
    // Dragging the thumb to the bottom of the track shows the last rows.
    const int thumb = (engine_state.YScrl0 + engine_state.YScrl1) / 2;
    press(bar_x, thumb);
    EXPECT_EQ(engine_state.ScrollDrag, 1);
    cpw_hostevent_mousedrag(ctx, window, 0, bar_x, height() - (bottom + 1));
    send();
    EXPECT_EQ(engine_state.ddl_offset, 20);
    release(bar_x, bottom + 1);
    EXPECT_EQ(engine_state.CurDDL, 0);  // the drag kept the list open
    click(right + 30, top + 30);        // anywhere else closes it
    EXPECT_EQ(engine_state.CurDDL, -1);
    EXPECT_EQ(engine_tables.inpt_ival[ddl_box], 0);
}

TEST_F(Interaction, ShortListsHaveNoScrollBarAndStayInsideTheWindow) {
    engine_tables.ddl_nbli[0] = 10;
    click_box(ddl_box);
    EXPECT_EQ(engine_state.Scroll, 0);
    EXPECT_EQ(engine_state.DxScrl, 0);
    click_box(ddl_box);
    engine_tables.ddl_nbli[0] = 11;
    engine_tables.inpt_pos[ddl_box][1] = 40;  // too low for ten rows
    engine_tables.inpt_pos[ddl_box][3] = 55;
    click_box(ddl_box);
    EXPECT_EQ(engine_state.Scroll, 1);
    EXPECT_EQ(engine_state.ddl_pos[3], 12);
    EXPECT_EQ(engine_state.ddl_pos[1], 10 * 15 + 12);
}

TEST_F(Interaction, AKeyBoxCapturesALongCtrlF5AndCtrlEnterClearsIt) {
    click_box(key_box);
    EXPECT_EQ(engine_state.CurInpt, key_box);
    now_ms = 1000;
    key(cpw_rawkey_keydown, vk_ctrl, sc_ctrl, 0, 0, cpw_rawkey_leftctrl);
    now_ms = 1100;
    key(cpw_rawkey_keydown, 0x74, 63, 0, 0, cpw_rawkey_leftctrl);
    now_ms = 1600;
    key(cpw_rawkey_keydown, 0x74, 63, 0, 0, cpw_rawkey_leftctrl);  // the held key repeats
    now_ms = 2050;
    key(cpw_rawkey_keyup, 0x74, 63, 0, 0, cpw_rawkey_leftctrl);
    EXPECT_EQ(engine_tables.inpt_ival[key_box], 89937);
    EXPECT_EQ(text(key_box), "LONG+CTRL+F5");
    EXPECT_EQ(engine_state.CurInpt, -1);  // the focus left the box
    key(cpw_rawkey_keyup, vk_ctrl, sc_ctrl, 0, 0, 0);
    EXPECT_EQ(engine_tables.inpt_ival[key_box], 89937);

    click_box(key_box);
    key(cpw_rawkey_keydown, vk_ctrl, sc_ctrl, 0, 0, cpw_rawkey_leftctrl);
    key(cpw_rawkey_keydown, 13, 28, 10, cpw_keyscan_ctrl | 13, cpw_rawkey_leftctrl);
    key(cpw_rawkey_keyup, 13, 28, 10, cpw_keyscan_ctrl | 13, cpw_rawkey_leftctrl);
    EXPECT_EQ(engine_tables.inpt_ival[key_box], 0);
    EXPECT_EQ(text(key_box), " ");
}

TEST_F(Interaction, AKeyBoxNamesCharactersScanCodesAndTheDigitRow) {
    const auto capture = [this](int vk, int scancode, int character, int keyscan, int modifiers, int flags = 0) {
        click_box(key_box);
        key(cpw_rawkey_keydown, vk, scancode, character, keyscan, modifiers, flags);
        key(cpw_rawkey_keyup, vk, scancode, character, keyscan, modifiers, flags);
        return std::to_string(engine_tables.inpt_ival[key_box]) + " " + text(key_box);
    };
    EXPECT_EQ(capture('A', 30, 'a', 'A', 0), "65 A");
    EXPECT_EQ(capture('A', 30, 'A', cpw_keyscan_shift | 'A', cpw_rawkey_leftshift), "19970 SHFT+A");
    EXPECT_EQ(capture('1', 2, '1', '1', 0), "49 1");
    EXPECT_EQ(capture('1', 2, '!', cpw_keyscan_shift | '1', cpw_rawkey_leftshift), "20033 SHFT+!");
    EXPECT_EQ(capture(46, 83, 0, 0, 0, cpw_rawkey_flag_extended), "-339 Delete");  // an extended key
    // A modifier alone has no modifier flags of its own.
    EXPECT_EQ(capture(vk_shift, sc_shift, 0, 0, 0), "-42 Shift");
    // Right Alt (AltGr) keeps the focus for the key that follows.
    click_box(key_box);
    key(cpw_rawkey_keydown, 165, 56, 0, 0, cpw_rawkey_rightalt, cpw_rawkey_flag_extended);
    key(cpw_rawkey_keyup, 165, 56, 0, 0, 0, cpw_rawkey_flag_extended);
    EXPECT_EQ(engine_state.CurInpt, key_box);
}

TEST_F(Interaction, EditingKeysAndTheClipboard) {
    click_text(chr_box, 1);
    key(cpw_rawkey_keydown, 46, 83, 0, 0, 0, cpw_rawkey_flag_extended);  // Delete
    EXPECT_EQ(text(chr_box), "ac");
    key(cpw_rawkey_keydown, 39, 77, 0, 0, 0, cpw_rawkey_flag_extended);  // Right
    EXPECT_EQ(engine_state.CurPos_1, 2);
    key(cpw_rawkey_keydown, 39, 77, 0, 0, 0, cpw_rawkey_flag_extended);  // at the end: stays
    key(cpw_rawkey_keydown, 46, 83, 0, 0, 0, cpw_rawkey_flag_extended);  // at the end: nothing
    EXPECT_EQ(text(chr_box), "ac");
    EXPECT_EQ(engine_state.CurPos_1, 2);
    key(cpw_rawkey_keydown, 8, 14, 8, 8);  // Backspace
    EXPECT_EQ(text(chr_box), "a");
    key(cpw_rawkey_keydown, 37, 75, 0, 0, 0, cpw_rawkey_flag_extended);  // Left
    EXPECT_EQ(engine_state.CurPos_1, 0);
    type_char('z', 'Z', 44, 'Z');
    EXPECT_EQ(text(chr_box), "za");

    // A drag selects; Ctrl+C copies, Ctrl+X cuts, typing replaces.
    const Rect& r = engine_tables.inpt_pos[chr_box];
    press(r[0] + margin + 2, r[1] + 5);
    release(r[0] + margin + 2 * input_char + 2, r[1] + 5);
    EXPECT_EQ(engine_state.CurPos_1, 0);
    EXPECT_EQ(engine_state.CurPos_2, 2);
    key(cpw_rawkey_keydown, 'C', 46, 3, cpw_keyscan_ctrl | 'C', cpw_rawkey_leftctrl);
    EXPECT_EQ(null_host.clipboard, std::optional<std::string>("za"));
    key(cpw_rawkey_keydown, 'X', 45, 24, cpw_keyscan_ctrl | 'X', cpw_rawkey_leftctrl);
    EXPECT_EQ(text(chr_box), "");
    // Pasting a long text fills the box to its capacity, the caret kept inside it.
    null_host.clipboard = std::string(300, 'p');
    key(cpw_rawkey_keydown, 'V', 47, 22, cpw_keyscan_ctrl | 'V', cpw_rawkey_leftctrl);
    EXPECT_EQ(text(chr_box), std::string(engine_value_chars, 'p'));
    EXPECT_EQ(engine_state.CurPos_1, 10);
    EXPECT_EQ(engine_tables.inpt_ofs[chr_box], static_cast<int>(engine_value_chars) - 10);
    // No clipboard text pastes nothing; a clipboard that cannot be taken is only logged.
    click_text(int_box, 2);
    null_host.clipboard.reset();
    key(cpw_rawkey_keydown, 'V', 47, 22, cpw_keyscan_ctrl | 'V', cpw_rawkey_leftctrl);
    EXPECT_EQ(text(int_box), "12");
    null_host.clipboard_fails = true;
    press(r[0] + margin + 2, engine_tables.inpt_pos[int_box][1] + 5);
    release(r[0] + margin + 2 * input_char + 2, engine_tables.inpt_pos[int_box][1] + 5);
    key(cpw_rawkey_keydown, 'C', 46, 3, cpw_keyscan_ctrl | 'C', cpw_rawkey_leftctrl);
    EXPECT_EQ(text(int_box), "12");
}

TEST_F(Interaction, APasteIntoANumberBoxKeepsAllButTheLineEnds) {
    // What typing would refuse stays, for the value checks to refuse it:
    // "12,5" is never pasted as 125.
    click_text(int_box, 2);
    null_host.clipboard = std::string("150XYZ,\t-3e\r\n");
    key(cpw_rawkey_keydown, 'V', 47, 22, cpw_keyscan_ctrl | 'V', cpw_rawkey_leftctrl);
    EXPECT_EQ(text(int_box), "12150XYZ,\t-3e");
    // A text box takes what shows, as from the keyboard.
    click_text(chr_box, 3);
    null_host.clipboard = std::string("d\te f\r\n\xE9");
    key(cpw_rawkey_keydown, 'V', 47, 22, cpw_keyscan_ctrl | 'V', cpw_rawkey_leftctrl);
    EXPECT_EQ(text(chr_box), "abcde f\xE9");
}

// Refuses the text box while its text holds an "x".
int refuse_x(int n, int, int&, float&, std::string& cval, std::string& msg) {
    if (n == chr_box && cval.find('x') != std::string::npos) {
        msg = "No x";
        return 0;
    }
    return 1;
}

TEST_F(Interaction, ARefusedBoxIsMarkedWhileItsValueIsWrong) {
    set_engine_checks({refuse_x, fake_check_minmax, fake_incrm_val});
    click_text(chr_box, 3);
    type_char('x', 'X', 45, 'X');
    EXPECT_EQ(engine_tables.inpt_OK[chr_box], 1);  // not marked before a validation
    click_button(ok_button);
    EXPECT_EQ(engine_tables.inpt_OK[chr_box], 0);
    click_text(chr_box, 4);
    type_char('x', 'X', 45, 'X');  // still wrong
    EXPECT_EQ(engine_tables.inpt_OK[chr_box], 0);
    key(cpw_rawkey_keydown, 37, 75, 0, 0, 0, cpw_rawkey_flag_extended);  // Left
    key(cpw_rawkey_keydown, 8, 14, 8, 8);                                // Backspace
    EXPECT_EQ(text(chr_box), "abcx");
    EXPECT_EQ(engine_tables.inpt_OK[chr_box], 0);
    key(cpw_rawkey_keydown, 46, 83, 0, 0, 0, cpw_rawkey_flag_extended);  // Delete: corrected
    EXPECT_EQ(text(chr_box), "abc");
    EXPECT_EQ(engine_tables.inpt_OK[chr_box], 1);
    type_char('x', 'X', 45, 'X');  // wrong again: marked by the next validation only
    EXPECT_EQ(engine_tables.inpt_OK[chr_box], 1);
    click_button(ok_button);
    EXPECT_EQ(engine_tables.inpt_OK[chr_box], 0);
    EXPECT_EQ(engine_tables.inpt_msg[chr_box], "No x");
    set_inpt_val(chr_box, 0, 0.0f, "abd");  // corrected by the application
    EXPECT_EQ(engine_tables.inpt_OK[chr_box], 1);
    EXPECT_TRUE(calls_of("callback 6").empty());
}

TEST_F(Interaction, TickBoxesToggleAndRadioButtonsExcludeEachOther) {
    click_box(tck_box);
    EXPECT_EQ(engine_tables.inpt_ival[tck_box], 1);
    EXPECT_EQ(calls.back(), "callback 1 5 1");
    click_box(tck_box);
    EXPECT_EQ(engine_tables.inpt_ival[tck_box], 0);

    std::array<int, engine_max_groups> counts{};
    std::array<std::array<int, engine_max_members>, engine_max_groups> members{};
    counts[0] = 2;
    members[0] = {tck_box + 1, chr_box + 1};
    engine_tables.inpt_typ[chr_box] = frm_type_tck;
    engine_tables.inpt_ival[chr_box] = 1;
    add_rdio(1, counts, members);
    click_box(tck_box);
    EXPECT_EQ(engine_tables.inpt_ival[tck_box], 1);
    EXPECT_EQ(engine_tables.inpt_ival[chr_box], 0);
    click_box(tck_box);  // a ticked radio button stays ticked
    EXPECT_EQ(engine_tables.inpt_ival[tck_box], 1);
}

TEST_F(Interaction, AGreyedBoxTakesNoFocusAndALongFolderShowsItsMarker) {
    engine_tables.inpt_act[chr_box] = 0;
    click_text(chr_box, 1);
    EXPECT_EQ(engine_state.CurInpt, -1);
    EXPECT_TRUE(calls.empty());

    // The marker under the folder box's right end pops its whole text up.
    frm_draw(ctx, window);
    const Rect marker = engine_tables.inpt_ovr[fld_box];
    EXPECT_EQ(marker[2], engine_tables.inpt_pos[fld_box][2]);
    EXPECT_EQ(engine_tables.inpt_ovr[int_box], (Rect{0, 0, 0, 0}));
    press((marker[0] + marker[2]) / 2, (marker[1] + marker[3]) / 2);
    EXPECT_EQ(engine_state.CurOvfl, fld_box);
    release((marker[0] + marker[2]) / 2, (marker[1] + marker[3]) / 2);
    EXPECT_EQ(engine_state.CurOvfl, -1);
}

}  // namespace
}  // namespace engine_test

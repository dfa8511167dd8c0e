// The form engine in a real window: what it draws, read back from the
// screen, and the user typing and clicking through XTest.
#include "engine_x11_fixture.h"

#include "forms/kit/engine_dialogs.h"

#include "cpw/gl_float_guard.h"
#include "platform/dialog_paths.h"

#include <GL/gl.h>
#include <X11/Xatom.h>

#include "support/x11_clipboard_holder.h"
#include "support/zenity_stub.h"

#include <atomic>
#include <cmath>

namespace engine_x11_test {
namespace {

inline constexpr int plain_box = 0, focus_box = 1, greyed_box = 2, refused_box = 3;

class FormOnScreen : public FormX11Test {
protected:
    void SetUp() override {
        FormX11Test::SetUp();
        if (IsSkipped() || HasFatalFailure()) {
            return;
        }
        set_opt({1, 12, 0});
        add(plain_box, 150, "Plain", "abc");
        add(focus_box, 120, "Focused", "");
        add(greyed_box, 90, "Greyed", "");
        engine_tables.inpt_act[greyed_box] = 0;
        add(refused_box, 60, "Refused", "x");
        add_butt(2, 0, "OK", {20, 15}, 60, 1);
        add_butt(2, 1, "Cancel", {100, 15}, 60, -1);
        start();
    }
    void add(int i, int y, const char* label, const char* value) {
        FrmInptDef d;
        d.label = label;
        d.value = value;
        d.position = {20, y, -1, -1};
        d.size = 10;
        d.type = frm_type_chr;
        add_inpt(4, i, d);
        if (i == greyed_box) {
            engine_tables.inpt_act[static_cast<std::size_t>(i)] = 0;
        }
    }
    // A point inside box i, right of its text.
    std::array<int, 2> inside(int i) const {
        const Rect& r = engine_tables.inpt_pos[static_cast<std::size_t>(i)];
        return {r[2] - 4, (r[1] + r[3]) / 2};
    }
    Pixel pixel_of(int i) {
        const auto p = inside(i);
        return pixel(p[0], p[1]);
    }
    void click_box(int i, int chars) {
        const Rect& r = engine_tables.inpt_pos[static_cast<std::size_t>(i)];
        click_at(r[0] + engine_metrics.Yoffset + chars * engine_metrics.DxI + 2, (r[1] + r[3]) / 2);
    }
    void click_button(int b) {
        const Rect& r = engine_tables.butt_pos[static_cast<std::size_t>(b)];
        click_at((r[0] + r[2]) / 2, (r[1] + r[3]) / 2);
    }
};

TEST_F(FormOnScreen, BoxesAreDrawnInTheColoursOfTheirState) {
    refused_boxes = {refused_box};
    click_button(0);  // OK: the refused box is marked, the form stays
    click_box(focus_box, 0);
    ASSERT_EQ(engine_state.CurInpt, focus_box);
    redraw();
    EXPECT_EQ(pixel(5, 5), (Pixel{240, 240, 240}));  // the form's grey
    EXPECT_EQ(pixel_of(plain_box), (Pixel{255, 255, 255}));
    EXPECT_EQ(pixel_of(focus_box), (Pixel{224, 240, 255}));
    EXPECT_EQ(pixel_of(greyed_box), (Pixel{170, 170, 170}));
    const Pixel red = pixel_of(refused_box);  // white under red at half strength
    EXPECT_EQ(red.r, 255);
    EXPECT_NEAR(red.g, 128, 2);
    EXPECT_NEAR(red.b, 128, 2);
    EXPECT_EQ(calls, std::vector<std::string>{"callback 1 2 0"});  // the focusing click, no OK
    // Something dark where the label's text is.
    const std::array<int, 2>& label = engine_tables.inpt_ptx[plain_box];
    int darkest = 255;
    for (int x = label[0]; x < label[0] + 30; ++x) {
        for (int y = label[1]; y < label[1] + 10; ++y) {
            darkest = std::min(darkest, pixel(x, y).r);
        }
    }
    EXPECT_LT(darkest, 100);
}

TEST_F(FormOnScreen, TypingAndClickingReachTheFocusedBox) {
    click_box(plain_box, 3);
    ASSERT_EQ(engine_state.CurInpt, plain_box);
    EXPECT_EQ(engine_state.CurPos_1, 3);
    tap(XK_x);
    key(XK_Shift_L, true);
    tap(XK_y);
    key(XK_Shift_L, false);
    tap(XK_Delete);  // at the end: nothing
    tap(XK_Left);
    tap(XK_BackSpace);
    settle();
    EXPECT_EQ(engine_tables.inpt_cval[plain_box], "abcY");
    // A greyed box takes no focus; keys typed then reach no box.
    click_box(greyed_box, 0);
    EXPECT_EQ(engine_state.CurInpt, -1);
    tap(XK_z);
    settle();
    EXPECT_EQ(engine_tables.inpt_cval[plain_box], "abcY");
    EXPECT_EQ(engine_tables.inpt_cval[greyed_box], "");
}

TEST_F(FormOnScreen, AKeyTypedRightAfterTheFocusingClickReachesTheBox) {
    // The click and the key reach the program together, as they do from a
    // quick hand or on a busy machine.
    const Rect& r = engine_tables.inpt_pos[plain_box];
    pointer_at(r[0] + engine_metrics.Yoffset + 3 * engine_metrics.DxI + 2, (r[1] + r[3]) / 2);
    button(true);
    button(false);
    tap(XK_q);
    settle();
    EXPECT_EQ(engine_state.CurInpt, plain_box);
    EXPECT_EQ(engine_tables.inpt_cval[plain_box], "abcq");
}

TEST_F(FormOnScreen, TheClipboardGoesToAndComesFromAnotherProgram) {
    // Select "bc" with a drag and copy it.
    const Rect& r = engine_tables.inpt_pos[plain_box];
    const int y = (r[1] + r[3]) / 2;
    const int dx = engine_metrics.DxI;
    pointer_at(r[0] + engine_metrics.Yoffset + dx + 2, y);
    button(true);
    pointer_at(r[0] + engine_metrics.Yoffset + 3 * dx + 2, y);
    button(false);
    settle();
    ASSERT_EQ(engine_state.CurPos_1, 1);
    ASSERT_EQ(engine_state.CurPos_2, 3);
    ctrl_tap(XK_c);
    std::string copied;
    Atom type = None;
    EXPECT_TRUE(ask_clipboard(XInternAtom(user, "UTF8_STRING", False), copied, type));
    EXPECT_EQ(copied, "bc");

    // Another program's text is pasted at the caret.
    click_box(focus_box, 0);
    {
        // Another program holding the clipboard, the same text in both formats.
        const tarvex_test::ClipboardHolder other({{"UTF8_STRING", "pasted \xC3\xA9"}, {"STRING", "pasted \xC3\xA9"}});
        ctrl_tap(XK_v);
    }
    EXPECT_EQ(engine_tables.inpt_cval[focus_box], "pasted \xE9");
}

TEST_F(FormOnScreen, TheFormIsRedrawnWhileADialogIsOpen) {
    // A folder dialog stays open while another window covers part of the
    // form and goes again: the form shows its grey there before the dialog ends.
    const tarvex_test::ZenityStub zenity;
    zenity.hold(1);
    zenity.answer(1, "", 1);
    engine_tables.inpt_typ[plain_box] = frm_type_fld;
    std::atomic<bool> redrawn{false};
    std::thread other_program([&] {
        Display* d = XOpenDisplay(nullptr);
        const auto screen_pixel = [d](int x, int y) {
            XImage* image = XGetImage(d, DefaultRootWindow(d), x, y, 1, 1, AllPlanes, ZPixmap);
            const unsigned long p = image != nullptr ? XGetPixel(image, 0, 0) & 0xFFFFFF : 1;
            if (image != nullptr) {
                XDestroyImage(image);
            }
            return p;
        };
        const auto wait_until = [](const std::function<bool()>& done) {
            const auto end = std::chrono::steady_clock::now() + std::chrono::seconds(5);
            while (!done() && std::chrono::steady_clock::now() < end) {
                std::this_thread::sleep_for(std::chrono::milliseconds(10));
            }
            return done();
        };
        const int x = window_x + 3, y = window_y + 3;
        wait_until([&] { return zenity.runs() >= 1; });
        XSetWindowAttributes a{};
        a.override_redirect = True;
        a.background_pixel = BlackPixel(d, DefaultScreen(d));
        const Window cover = XCreateWindow(d, DefaultRootWindow(d), window_x, window_y, 60, 40, 0, CopyFromParent,
                                           InputOutput, CopyFromParent, CWOverrideRedirect | CWBackPixel, &a);
        XMapRaised(d, cover);
        XSync(d, False);
        wait_until([&] { return screen_pixel(x, y) == 0; });
        XDestroyWindow(d, cover);
        XSync(d, False);
        redrawn = wait_until([&] { return screen_pixel(x, y) == 0xF0F0F0; });
        zenity.release();
        XCloseDisplay(d);
    });
    engine_choose_path(plain_box);
    other_program.join();
    EXPECT_TRUE(redrawn);
    EXPECT_EQ(zenity.runs(), 2);  // the folder dialog, then the box telling none was chosen
}

TEST_F(FormOnScreen, ADoubleClickOnAFocusedFileBoxOpensOneDialog) {
    // The double click's first click opens the dialog; its second click,
    // and one more, come while the dialog is open. Neither is played after
    // the dialog: one dialog, its answer taken.
    const tarvex_test::TempDir plans("double-click");
    const std::string chosen = plans.write("Chosen.fpl", "").string();
    const tarvex_test::ZenityStub zenity;
    zenity.hold(1);
    zenity.answer(1, chosen);
    engine_tables.inpt_typ[plain_box] = frm_type_ifp;
    click_box(plain_box, 0);  // the focus
    ASSERT_EQ(engine_state.CurInpt, plain_box);
    std::thread other_hand([&zenity] {
        Display* d = XOpenDisplay(nullptr);
        const auto end = std::chrono::steady_clock::now() + std::chrono::seconds(5);
        while (zenity.runs() < 1 && std::chrono::steady_clock::now() < end) {
            std::this_thread::sleep_for(std::chrono::milliseconds(10));
        }
        for (int i = 0; i < 4; ++i) {
            XTestFakeButtonEvent(d, 1, i % 2 == 0 ? True : False, CurrentTime);
        }
        XSync(d, False);
        zenity.release();
        XCloseDisplay(d);
    });
    button(true);
    button(false);
    settle();
    other_hand.join();
    settle();
    EXPECT_EQ(zenity.runs(), 1);
    EXPECT_EQ(engine_tables.inpt_cval[plain_box], dialog_path_from_host(chosen));
    EXPECT_EQ(engine_state.CurInpt, plain_box);
}

TEST_F(FormOnScreen, TheFlatAndThePerspectiveProjections) {
    ASSERT_EQ(cpwSetWindow(ctx, window), 1);  // the form's GL context current
    const CpwGlFloatGuard guard;
    std::array<float, 16> m{};
    const float w = static_cast<float>(engine_metrics.windowInfo.width);
    const float h = static_cast<float>(engine_metrics.windowInfo.height);
    set3DMatrix();
    glGetFloatv(GL_PROJECTION_MATRIX, m.data());
    const float f = 1.0f / std::tan(22.5f * 3.14159265f / 180.0f);
    EXPECT_NEAR(m[0], f * h / w, 1e-4);
    EXPECT_NEAR(m[5], f, 1e-4);
    EXPECT_NEAR(m[10], -1001.0f / 999.0f, 1e-4);
    EXPECT_EQ(m[11], -1.0f);
    EXPECT_NEAR(m[14], -2000.0f / 999.0f, 1e-4);
    set2DMatrix();
    glGetFloatv(GL_PROJECTION_MATRIX, m.data());
    EXPECT_NEAR(m[0], 2.0f / w, 1e-6);
    EXPECT_NEAR(m[12], -1.0f, 1e-6);
    EXPECT_EQ(m[11], 0.0f);
}

TEST_F(FormOnScreen, TheWindowShowsTheProgramsIcon) {
    const Atom icon = XInternAtom(user, "_NET_WM_ICON", False);
    Atom type = 0;
    int format = 0;
    unsigned long count = 0;
    unsigned long after = 0;
    unsigned char* data = nullptr;
    ASSERT_EQ(XGetWindowProperty(user, xwin, icon, 0, 4096, False, XA_CARDINAL, &type, &format, &count, &after, &data),
              Success);
    ASSERT_NE(data, nullptr);
    const auto* values = reinterpret_cast<const unsigned long*>(data);
    std::vector<unsigned long> cardinals(values, values + count);
    XFree(data);
    EXPECT_EQ(type, XA_CARDINAL);
    EXPECT_EQ(format, 32);
    ASSERT_EQ(cardinals.size(), 2u + 32u * 32u + 2u + 16u * 16u);
    EXPECT_EQ(cardinals[0], 32u);
    EXPECT_EQ(cardinals[1], 32u);
    EXPECT_EQ(cardinals[2], 0u);                              // a clear corner
    EXPECT_EQ(cardinals[2 + 16 * 32 + 16] & 0xFFFFFFFF, 0xFFFFFFFFu);  // the glider's white at the centre
    EXPECT_EQ(cardinals[2 + 32 * 32], 16u);
    EXPECT_EQ(cardinals[3 + 32 * 32], 16u);
}

TEST_F(FormOnScreen, TheCloseBoxEndsTheRunWithMinus999) {
    ask_to_close(xwin);
    break_loop_after_five_seconds(1);
    EXPECT_EQ(frm_do_graphics(), frm_exit_closed);
    EXPECT_FALSE(loop_timed_out());
    EXPECT_TRUE(calls.empty());
    EXPECT_TRUE(cpw_x11_connection()->windows.empty());
}

TEST_F(FormOnScreen, AWindowDestroyedByAnotherProgramEndsTheRunAsTheCloseBox) {
    // Destroyed while the loop runs, with redraws asked for before and
    // after: the run ends, with -999 and no callback.
    cpwTimerCallback(ctx, 50, 2, false, [](CpwContext* c, int) {
        engine_redraw();
        cpw_event_insert(c, engine_metrics.windowInfo.id, cpw_event_display);
    });
    cpwTimerCallback(ctx, 100, 3, false, [](CpwContext*, int) {
        Display* other = XOpenDisplay(nullptr);
        XDestroyWindow(other, static_cast<Window>(engine_window.hwnd));
        XCloseDisplay(other);
        engine_redraw();
    });
    break_loop_after_five_seconds(1);
    EXPECT_EQ(frm_do_graphics(), frm_exit_closed);
    EXPECT_FALSE(loop_timed_out());
    EXPECT_TRUE(calls.empty());
    EXPECT_TRUE(cpw_x11_connection()->windows.empty());
    EXPECT_EQ(engine_metrics.windowInfo.id, 0u);
}

TEST_F(FormOnScreen, AButtonClickedInTheRunEndsIt) {
    const Rect& r = engine_tables.butt_pos[0];
    pointer_at((r[0] + r[2]) / 2, (r[1] + r[3]) / 2);
    button(true);
    button(false);
    break_loop_after_five_seconds(1);
    EXPECT_EQ(frm_do_graphics(), 1);
    EXPECT_FALSE(loop_timed_out());
    EXPECT_EQ(calls, std::vector<std::string>{"callback 6 1 1"});
    sync_both();  // the server has carried out the program's hiding
    XWindowAttributes a{};
    XGetWindowAttributes(user, xwin, &a);
    EXPECT_NE(a.map_state, IsViewable);  // hidden
}

TEST(FormWithoutDisplay, StartGivesWindowIdZero) {
    const tarvex_test::ScopedEnv no_display("DISPLAY", nullptr);
    const tarvex_test::TempDir folder("engine-nodisplay");
    const tarvex_test::ScopedCwd cwd(folder.path());
    reset_engine();
    set_opt({1, 12, 0});
    FrmInptDef d;
    d.position = {20, 20, -1, -1};
    d.size = 10;
    d.type = frm_type_chr;
    add_inpt(1, 0, d);
    EXPECT_EQ(frm_start_graphics("arial.ttf", "No display"), 0);
    EXPECT_EQ(engine_window.this_cpw, nullptr);
    EXPECT_EQ(frm_do_graphics(), 0);
    reset_engine();
}

}  // namespace
}  // namespace engine_x11_test

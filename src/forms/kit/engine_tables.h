#pragma once

// The form engine's records: the 0-based tables of the form on screen, the
// metrics of its fonts, the interaction state the mouse and the keyboard
// change and the drawing shows, and the window's own record. Coordinates
// are window pixels, origin at the bottom left, y growing upward.

#include "forms/kit/engine.h"
#include "forms/kit/form_model.h"

#include "cpw/font.h"
#include "cpw/host_services.h"
#include "cpw/types.h"

#include <array>
#include <cstdint>
#include <string>
#include <vector>

// Capacities of the engine's texts.
inline constexpr std::size_t engine_label_chars = 127;
inline constexpr std::size_t engine_value_chars = kValueLength;
inline constexpr std::size_t engine_pattern_chars = 31;
inline constexpr std::size_t engine_entry_chars = 31;
inline constexpr int engine_circle_points = 100;

template <typename T>
using BoxTable = std::array<T, engine_max_boxes>;
using Rect = std::array<int, 4>;  // x1, y1, x2, y2

struct EngineTables {
    // Input boxes.
    int nb_inpt = 0;
    BoxTable<std::string> inpt_txt;   // label
    BoxTable<std::string> inpt_cval;  // shown text
    BoxTable<std::string> inpt_msg;   // message of the last refused check
    BoxTable<std::string> inpt_ext;   // file pattern
    BoxTable<Rect> inpt_pos{};        // box rectangle (x1, y1 from the form; x2, y2 by form_setup)
    BoxTable<std::array<int, 2>> inpt_ptx{};  // label position; before layout x may be a placement code
    BoxTable<Rect> inpt_ovr{};        // overflow marker, all 0 when none
    BoxTable<int> inpt_siz{};
    BoxTable<int> inpt_typ{};
    BoxTable<int> inpt_arr{};
    BoxTable<int> inpt_OK{};   // 1 the last validation passed
    BoxTable<int> inpt_inc{};  // arrow pressed: +1 upper, -1 lower, 0 none
    BoxTable<int> inpt_ofs{};  // first shown character
    BoxTable<int> inpt_act{};
    BoxTable<int> inpt_dep{};
    BoxTable<int> inpt_ddl{};  // drop-down list shown, -1 none
    BoxTable<int> inpt_ival{};
    BoxTable<float> inpt_rval{};
    BoxTable<int> rdio_set{};  // radio group of a tick box, -1 none

    // Titles.
    int nb_subt = 0;
    std::array<std::string, engine_max_titles> subt_txt;
    std::array<std::array<int, 2>, engine_max_titles> subt_pos{};

    // Buttons.
    int nb_butt = 0;
    std::array<std::string, engine_max_buttons> butt_txt;
    std::array<Rect, engine_max_buttons> butt_pos{};
    std::array<int, engine_max_buttons> butt_siz{};
    std::array<int, engine_max_buttons> butt_typ{};
    std::array<int, engine_max_buttons> butt_down{};

    // Separators.
    int nb_sepa = 0;
    std::array<Rect, engine_max_separators> sepa_pos{};

    // Drop-down lists; one of them may be the landscape list (LndDDL), whose
    // entries are lnd_nam.
    std::array<int, engine_max_lists> ddl_nbli{};
    std::array<std::array<std::string, engine_max_entries>, engine_max_lists> ddl_txt;
    std::array<int, engine_max_lists> ddl_inpt{};  // box showing the list, -1 none
    std::vector<std::string> lnd_nam = std::vector<std::string>(engine_max_landscapes);
    int LndDDL = -1;

    // Radio groups (members are 0-based boxes).
    int nb_rdio = 0;
    std::array<std::array<int, engine_max_members>, engine_max_groups> tick_rdio{};
    std::array<int, engine_max_groups> tick_rdio_count{};

    // The unit circle of the radio buttons: NCRad points (cos, sin).
    int NCRad = 0;
    std::array<std::array<float, 2>, engine_circle_points> pprad{};

    EngineTables();
};
extern EngineTables engine_tables;
void reset_engine_tables();

struct EngineWindowInfo {
    std::uint32_t id = 0;
    int x = 100, y = 100;
    int width = 250, height = 300;
};

struct EngineMetrics {
    int font_size = 0;
    int ActWin = 0;
    int DEBUG = 0;
    CpwFontFace Txt_Font = 0;  // label font
    CpwFontFace Inp_Font = 0;  // input font (fixed pitch)
    int DxI = 0, DyI = 0;      // size of "0" in the input font
    int Yoffset = 0;           // descent of "_" in the input font: the inner margin
    EngineWindowInfo windowInfo;
};
extern EngineMetrics engine_metrics;
void reset_engine_metrics();

struct EngineState {
    int CurInpt = -1;     // box with the focus
    int CurInptOld = -1;  // box that had it before the last press
    int CurPos_1 = -1;    // caret / selection start, relative to inpt_ofs
    int CurPos_2 = -1;    // selection end
    int CurButt = -1;     // pressed button
    int CurOvfl = -1;     // box whose whole text is popped up
    int CurDDL = -1;      // open list
    int CurDDL_N = -1;    // list row under the pointer
    int ddl_offset = 0;   // first shown row of the open list
    Rect ddl_pos{-1, -1, -1, -1};  // open list: left, top, right, bottom
    int Scroll = 0;       // the open list has a scroll bar
    int DxScrl = 0;       // scroll-bar width
    int YScrl0 = 0, YScrl1 = 0;  // lower and upper y of the thumb
    int ScrollDrag = 0;
    int DyScrl0 = -1;     // grab offset of the thumb
    int xmsg = -1, ymsg = -1;    // message bubble position
    int MsgInpt = -1;     // box whose message the bubble shows
    int ExitStat = 0;
    int PathChosen = -1;  // box whose value a file or folder dialog gave in the event being handled
};
extern EngineState engine_state;
void reset_engine_state();

// The form window's record.
struct EngineWindow {
    CpwContext* this_cpw = nullptr;
    std::string font_name = "arial.ttf";
    std::string Title = "Form";
    std::uintptr_t hwnd = 0;
    bool kbd_hook = false;              // the key hook is installed
    CpwRawKeyHook next_hook = nullptr;  // the hook installed before ours
    int LastDwnTime = 0;                // elapsed_ms of the last key-down of a new key
    int scancode_old = 0;
    int AltGr_Down_SVE = 0;
    FrmCallback callback = nullptr;
    EngineChecks checks;
};
extern EngineWindow engine_window;
void reset_engine_window();

// Every engine record back to its start.
void reset_engine();

// Asks for a redraw of the form's window; nothing without a context or window.
void engine_redraw();

// The application's callback, when one is set.
void engine_callback(int kind, int number, int value);

// A value of the form changed: every box the last validation refused is
// checked again, so that its mark follows its value. The checks work on
// copies of the box's values: the text being typed is not rewritten.
void engine_recheck_refused();

// True for a box index of the registered form.
inline bool engine_box_ok(int index) {
    return index >= 0 && index < engine_tables.nb_inpt;
}

// The shown text of entry `entry` of list `list`; empty for numbers outside it.
std::string engine_list_entry(int list, int entry);
// The entry count of list `list`; 0 outside the lists.
int engine_list_count(int list);

#pragma once

// The form model: the global records that hold one form read from a
// form-definition file (form_reader.h). Every part of the form kit reads and
// writes them: the value checks, the accessors, the form creation and the
// values file. Boxes, titles, separators, buttons, radio groups and lists are
// numbered from 1; element 0 of every table is unused. The form engine keeps
// 0-based copies of its own.
//
// Texts hold the trimmed value of a fixed-capacity field; the capacities are
// the constants below.

#include "foundation/path_length.h"

#include <array>
#include <cstddef>
#include <string>
#include <string_view>

// Limits of the model.
inline constexpr int kMaxInpt = 100;         // input boxes
inline constexpr int kMaxRdio = 10;          // radio groups
inline constexpr int kMaxRdioMembers = 10;   // tick boxes of one radio group
inline constexpr int kMaxSepa = 20;          // separator lines
inline constexpr int kMaxTitl = 20;          // titles (free texts)
inline constexpr int kMaxButt = 10;          // buttons
inline constexpr int kMaxDdl = 30;           // drop-down lists
inline constexpr int kMaxDdlEntries = 50;    // entries of one drop-down list

// Capacities of the texts.
inline constexpr std::size_t kFontNameLength = 128;   // f_name
inline constexpr std::size_t kWinTitLength = 127;     // wintit
inline constexpr std::size_t kLabelLength = 127;      // inpt_txt, titl_txt, butt_txt
inline constexpr std::size_t kDdlEntryLength = 31;    // ddl_txt
inline constexpr std::size_t kNameLength = 127;       // inpt_nam, inpt_var
inline constexpr std::size_t kExtLength = 31;         // inpt_ext
// inpt_cval: a whole path of the program (foundation/path_length.h) and one
// character more, so that a path too long for the program stays too long in
// its box, where the value checks refuse it, and is never taken cut.
inline constexpr std::size_t kValueLength = kPathLength + 1;

// The "no bound" values of inpt_min and inpt_max.
inline constexpr float kNoLowerBound = -2.0e25F;
inline constexpr float kNoUpperBound = 2.0e25F;

// Box types (inpt_typ); 0 is undefined.
inline constexpr int kTypeInt = 1;   // integer
inline constexpr int kTypeFlt = 2;   // real
inline constexpr int kTypeChr = 3;   // free text
inline constexpr int kTypeTck = 4;   // tick box (0/1)
inline constexpr int kTypeKey = 5;   // key or shortcut
inline constexpr int kTypeCol = 6;   // colour
inline constexpr int kTypeIfp = 7;   // input file path
inline constexpr int kTypeOfp = 8;   // output file path
inline constexpr int kTypeFld = 9;   // folder
inline constexpr int kTypeDdl = 10;  // drop-down list

// Three-letter names of the types, at their type numbers.
inline constexpr std::array<std::string_view, 11> typ_nam = {
    "", "INT", "FLT", "CHR", "TCK", "KEY", "COL", "IFP", "OFP", "FLD", "DDL"};

// Section numbers and the header lines that select them.
inline constexpr int kSecInputBoxes = 1;
inline constexpr int kSecRadioButtons = 2;
inline constexpr int kSecGeneral = 3;
inline constexpr int kSecSeparators = 4;
inline constexpr int kSecText = 5;
inline constexpr int kSecButtons = 6;
inline constexpr std::array<std::string_view, 7> sec_nam = {
    "", "[Input-boxes]", "[Radio-buttons]", "[General]", "[Separators]", "[Text]", "[Buttons]"};

// The label of the drop-down list that lists the installed landscapes.
inline constexpr std::string_view kLandscapeListLabel = "Landscape";

template <class T, std::size_t N>
constexpr std::array<T, N> filled_array(const T& value) {
    std::array<T, N> table{};
    table.fill(value);
    return table;
}

// Counts and form-wide numbers.
struct Frm000 {
    int nb_rdio = 0;        // radio groups read
    int nb_inpt = 0;        // input boxes read
    int nb_sepa = 0;        // separators read
    int nb_titl = 0;        // titles read
    int nb_file = 0;        // reserved, only ever reset
    float tick_size = 0.0F; // side of the tick boxes ("TickSize")
    int f_size = 0;         // font size ("FontSize")
    int nb_butt = 0;        // buttons read
    int nvers = 0;          // version of the form file ("Version")
};
extern Frm000 frm000;
void reset_frm000();

// Window and switches.
struct Frm999 {
    int window_id = 0;      // the form's window, 0 = none (kept by frm_init_form)
    int iact = 0;           // "Active": 1 or 0
    bool qfr = false;       // texts in French (kept by frm_init_form)
    bool qdebug = false;    // trace lines on the console ("Debug")
};
extern Frm999 frm999;
void reset_frm999();

struct Frmc00 {
    std::string f_name;  // font file ("FontName")
    std::string wintit;  // window title ("Window Title")
};
extern Frmc00 frmc00;
void reset_frmc00();

// Labels.
struct Frmc01 {
    std::array<std::string, kMaxInpt + 1> inpt_txt;  // label of each box
    std::array<std::string, kMaxTitl + 1> titl_txt;  // text of each title
    std::array<std::string, kMaxButt + 1> butt_txt;  // caption of each button
    // Entries of each list: ddl_txt[list][entry].
    std::array<std::array<std::string, kMaxDdlEntries + 1>, kMaxDdl + 1> ddl_txt;
};
extern Frmc01 frmc01;
void reset_frmc01();

// Geometry, types and links. A position tuple holds, in this order: box x,
// box y, label x, label y (inpt_pos); x1, y1, x2, y2 (sepa_pos); horizontal
// position code, y (titl_pos, butt_pos).
struct Frmi01 {
    std::array<std::array<int, 4>, kMaxInpt + 1> inpt_pos = filled_array<std::array<int, 4>, kMaxInpt + 1>({-1, -1, -1, -1});
    std::array<int, kMaxInpt + 1> inpt_siz{};                                     // width in characters
    std::array<int, kMaxInpt + 1> inpt_typ{};                                     // type 1..10, 0 undefined
    std::array<int, kMaxInpt + 1> inpt_arr{};                                     // arrows, 0 none
    std::array<int, kMaxInpt + 1> inpt_act = filled_array<int, kMaxInpt + 1>(1);  // 1 active, 0 greyed
    // -1 none; 0..999 the 0-based box that must be ticked; 1000 + that box: must be unticked.
    std::array<int, kMaxInpt + 1> inpt_dep = filled_array<int, kMaxInpt + 1>(-1);
    std::array<std::array<int, 4>, kMaxSepa + 1> sepa_pos{};
    std::array<std::array<int, 2>, kMaxTitl + 1> titl_pos{};
    std::array<std::array<int, 2>, kMaxButt + 1> butt_pos{};
    std::array<int, kMaxButt + 1> butt_siz{};
    std::array<int, kMaxButt + 1> butt_typ{};                                     // exit code of the button
    std::array<int, kMaxInpt + 1> inpt_ddl = filled_array<int, kMaxInpt + 1>(-1); // list 1..30 of a list box
    std::array<int, kMaxDdl + 1> ddl_nbli{};                                      // entries of each list (kept by frm_init_form)
};
extern Frmi01 frmi01;
void reset_frmi01();

// Texts of the input boxes.
struct Frmi02 {
    std::array<std::string, kMaxInpt + 1> inpt_cval;  // value as text
    std::array<std::string, kMaxInpt + 1> inpt_nam;   // unique name
    std::array<std::string, kMaxInpt + 1> inpt_ext;   // file pattern of a file box
    std::array<std::string, kMaxInpt + 1> inpt_var;   // second unique name ("Var")
};
extern Frmi02 frmi02;
void reset_frmi02();

// Numbers of the input boxes.
struct Frmi03 {
    std::array<float, kMaxInpt + 1> inpt_min = filled_array<float, kMaxInpt + 1>(kNoLowerBound);
    std::array<float, kMaxInpt + 1> inpt_max = filled_array<float, kMaxInpt + 1>(kNoUpperBound);
    std::array<float, kMaxInpt + 1> inpt_rval{};  // value of a real box
    std::array<int, kMaxInpt + 1> inpt_ival{};    // value of an integer, tick, key, colour or list box
};
extern Frmi03 frmi03;
void reset_frmi03();

// Radio groups: tick_rdio[group][member] is a box number, -1 for a name that
// matched no box.
struct Frmt01 {
    std::array<std::array<int, kMaxRdioMembers + 1>, kMaxRdio + 1> tick_rdio{};
    std::array<int, kMaxRdio + 1> tick_rdio_count{};
};
extern Frmt01 frmt01;
void reset_frmt01();

// Resets the model to its start values, keeping the window id, the French
// switch and the list lengths.
void frm_init_form();

// Every record to its start values, those three included (tests).
void reset_form_model();

// The entry of list `list` that a list box of value `entry` shows: entry held
// to 1..ddl_nbli. A list whose entries the model does not hold (ddl_nbli 0,
// as the "Landscape" list before the form is created) holds it to 1 and
// above only; a list number outside 1..30 gives 1.
int ddl_entry_clamped(int list, int entry);

#pragma once

// The form engine: what the form model and the application call. The model's
// load_form copies a read form into the engine's own tables, item by item and
// 0-based (model item n is engine item n - 1); the engine lays the form out,
// opens its window, draws it, edits its boxes and runs the toolkit's main loop
// until a button or the close box ends it. Texts handed in are cp1252; each
// is cut to the capacity of its table. All engine state is process-global;
// one form window exists at a time.
//
// Registration order (load_form): set_opt, then titles, separators, boxes,
// drop-down lists, radio groups, buttons; then frm_start_graphics and
// frm_do_graphics. set_opt opens a new registration: it empties every table,
// so nothing of an earlier form stays behind.
//
// An index outside its table (boxes 0-99, buttons 0-9, titles and
// separators 0-19, lists 0-29, entries 0-49, landscape entries 0-332, radio
// groups and members 0-9) is refused: nothing is stored and the call
// returns false. A count beyond its table is held at the table's size.

#include <array>
#include <span>
#include <string>
#include <string_view>

// ---- table sizes ----
inline constexpr int engine_max_boxes = 100;
inline constexpr int engine_max_titles = 20;
inline constexpr int engine_max_buttons = 10;
inline constexpr int engine_max_separators = 20;
inline constexpr int engine_max_lists = 30;
inline constexpr int engine_max_entries = 50;
inline constexpr int engine_max_landscapes = 333;
inline constexpr int engine_max_groups = 10;
inline constexpr int engine_max_members = 10;

// ---- box types (the form model's numbering) ----
inline constexpr int frm_type_int = 1;
inline constexpr int frm_type_flt = 2;
inline constexpr int frm_type_chr = 3;
inline constexpr int frm_type_tck = 4;
inline constexpr int frm_type_key = 5;
inline constexpr int frm_type_col = 6;
inline constexpr int frm_type_ifp = 7;
inline constexpr int frm_type_ofp = 8;
inline constexpr int frm_type_fld = 9;
inline constexpr int frm_type_ddl = 10;

// Exit status of a form whose window was closed by its close box.
inline constexpr int frm_exit_closed = -999;

// ---- options: the form's [General] switches ----
struct FrmOptions {
    int active = 0;     // "Active": 1 the window has the normal frame buttons, 0 a caption only
    int font_size = 0;  // point size of the texts (the first title is drawn 2 points larger)
    int debug = 0;      // 1: trace lines on the console
};

// Stores the options and empties the engine's tables (a new registration).
void set_opt(const FrmOptions& options);

// ---- registration ----

// One input box as load_form hands it over.
struct FrmInptDef {
    std::string_view label;    // cut at 127 characters
    std::string_view value;    // shown text, cut at engine_value_chars
    // x, y of the box (a negative x: the label comes first, see form_setup),
    // then the label's x (or its placement code: -1 "R", -2 "L", -3 "LA",
    // -4 "TC", -5 "TL") and y.
    std::array<int, 4> position{-1, -1, -1, -1};
    int ival = 0;         // integer value (a list box: the 0-based entry)
    float rval = 0.0f;    // real value
    int size = 0;         // width in characters (a tick box: side in pixels)
    int type = 0;         // frm_type_*, 0 undefined
    int arrows = 0;       // 1: up/down arrows beside the box
    int active = 1;       // 1 editable, 0 greyed
    int dependency = -1;  // -1 none; k: active when tick box k is ticked; 1000 + k: when it is not
    int list = -1;        // 0-based drop-down list shown by the box; negative: none
    std::string_view pattern;  // file pattern of a file box, cut at 31 characters
};

// Sets the box count (held at 100) and stores box `index`. A KEY box with a
// non-zero value shows the key's name ("??????" when none can be made).
bool add_inpt(int count, int index, const FrmInptDef& box);

// Sets the title count (held at 20) and stores title `index` at (x, y); x
// may be a horizontal position code, y negative (above everything).
bool add_subt(int count, int index, std::string_view text, const std::array<int, 2>& position);

// Stores the first `count` separators (x1, y1, x2, y2 each; held at 20 and
// at the size of the span).
bool add_sepa(int count, std::span<const std::array<int, 4>> positions);

// Sets the entry count of list `list` (held at 50) and stores entry `entry`.
bool add_ddl(int list, int count, int entry, std::string_view text);

// Makes list `list` the landscape list, sets its count (held at 333) and
// stores a copy of landscape name `entry`.
bool add_lnd(int list, int count, int entry, std::string_view text);

// Radio groups: member_counts[g] members in group g (0-based, held at 10),
// members[g][j] the form model's 1-based box number of member j, -1 for a
// name that matched no box (skipped).
bool add_rdio(int count, const std::array<int, engine_max_groups>& member_counts,
              const std::array<std::array<int, engine_max_members>, engine_max_groups>& members);

// Sets the button count (held at 10) and stores button `index`: its caption,
// position (x may be a horizontal position code), width in pixels and type
// (1 OK, -1 Cancel, others the application's).
bool add_butt(int count, int index, std::string_view text, const std::array<int, 2>& position, int width, int type);

// ---- updates while the form exists (the form API) ----

// Label, active flag, type and pattern of box `index`; a redraw when refresh is non-zero.
void set_inpt_props(int index, std::string_view label, int active, int type, std::string_view pattern, int refresh);

// Values of box `index`: a list box shows its entry `ival` (held within the
// list), a KEY box its key's name, any other box `text`; then the
// dependencies are applied again and the form redrawn.
void set_inpt_val(int index, int ival, float rval, std::string_view text);

// Text of title `index`; a redraw when refresh is non-zero.
void set_subt(int index, std::string_view text, int refresh);

// The live values of box `index`: 1, or 0 for an index outside the boxes.
// A list box gives its 1-based entry number.
int get_box_val(int index, int& ival, float& rval, std::string& text);

// True while the application's callback handles a change of box `index` that
// a file or folder dialog gave: the user chose a name, perhaps the very name
// the box showed (a file rewritten in place is chosen again).
bool get_path_chosen(int index);

// Validates box `index` as the OK button does (the value checks, then the
// bounds) and marks it passed or refused: 1 passed, 0 refused or an index
// outside the boxes.
int validate_box(int index);

// 1 when the last validation of box `index` refused it, else 0.
int box_refused(int index);

// ---- layout ----

// Applies the dependency codes to every box; returns the box count.
int check_depend();

// Computes the layout of every item and the window's size.
void form_setup();

// ---- window and run loop ----

// Creates the toolkit context and the form's window, loads the label font
// `font_file` (a Windows font file name; "arial.ttf" when it cannot be
// loaded) and the input font "cour.ttf", lays the form out and registers the
// window's callbacks. The window id, or 0 when the toolkit cannot start, no
// window opens or no font loads (nothing is left open then). A window of an
// earlier form is closed, its context once the new one stands (so that the
// display connection stays from form to form).
int frm_start_graphics(std::string_view font_file, std::string_view title);

// Shows the window and runs the main loop until a closing button (the window
// is hidden) or the close box (the window is destroyed). The type of the
// button that ended the loop, frm_exit_closed for the close box, 0 at once
// when there is no window.
int frm_do_graphics();

// Closes the form's window and the toolkit context (at the program's end).
void frm_close_graphics();

// Lays the registered form out again and gives the window its new size; the
// window id, 0 when there is none.
int frm_new_form_gr();

// ---- calls out ----

// The application's callback: kind 1 box `number` (1-based) changed, with
// its value as the engine holds it (a list box: 1-based when chosen from the
// list, 0-based on other releases); kind 6 button `number` (1-based)
// pressed, with the button's type. None set: nothing is called.
using FrmCallback = void (*)(int kind, int number, int value);
void set_frm_callback(FrmCallback callback);

// The form model's value checks, called with the engine's 0-based box index
// and the engine's own fields of the box (the texts are changed in place;
// msg receives the message of a refusal). Results 1 accepted, 0 refused.
struct EngineChecks {
    int (*check_values)(int n, int kact, int& ival, float& rval, std::string& cval, std::string& msg) = nullptr;
    int (*check_minmax)(int n, int& ival, float& rval, std::string& cval, std::string& msg) = nullptr;
    int (*incrm_val)(int n, int& ival, float& rval, std::string& cval, int incr) = nullptr;
};

// frm_create_form installs the form model's checks; tests put others in
// their place. A null member accepts (incrm_val: steps nothing).
void set_engine_checks(const EngineChecks& checks);
const EngineChecks& engine_checks();

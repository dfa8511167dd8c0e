#pragma once

// The form API: how the application reads and changes the form's boxes and
// titles. Numbers are the form model's (1-based); a change that must show at
// once is passed on to the form engine (engine.h) with its 0-based index.

#include <string>
#include <string_view>

// Item classes of frm_set_prop and frm_get_prop (the section numbers).
inline constexpr int kClassInputBox = 1;
inline constexpr int kClassTitle = 5;

// Property codes.
inline constexpr int kPropActive = 101;   // iv: 1 active, 0 greyed
inline constexpr int kPropType = 102;     // iv: box type
inline constexpr int kPropMin = 201;      // rv: lower bound (model only)
inline constexpr int kPropMax = 202;      // rv: upper bound (model only)
inline constexpr int kPropLabel = 301;    // cv: label (a title: its text)
inline constexpr int kPropPattern = 302;  // cv: file pattern
inline constexpr int kPropName = 303;     // cv: name
inline constexpr int kPropVar = 304;      // cv: second name (read only)

// The number of input boxes, of titles, and the form file's version.
int frm_get_count();
int frm_get_txt_count();
int frm_get_version();

// Sets the box count: false (nothing changed) for nn outside 0..100.
bool frm_set_count(int nn);

// The first counted box whose name is `name` (trailing blanks aside); 0 when none.
int frm_get_number(std::string_view name);

// The name of box n, for any n of the table (1..100, beyond the count too).
bool frm_get_name(int n, std::string& nam);

// The text of title n, for n in 1..20.
bool frm_get_txt_name(int n, std::string& nam);

// The values the model holds for box n (1..count): integer, real, text, type.
bool frm_get_value(int n, int& iv, float& rv, std::string& cv, int& it);

// The live values of box n (1..count) from the engine (a list box: its
// 1-based entry), with the model's type.
bool frm_get_cur_value(int n, int& iv, float& rv, std::string& cv, int& it);

// True while the application's callback handles a change of box n that a
// file or folder dialog gave (the name chosen may be the one shown before).
bool frm_chosen_in_dialog(int n);

// Validates box n as the OK button does and marks it passed or refused
// (shown red): true when it passed.
bool frm_validate_value(int n);

// True when the last validation of box n refused it.
bool frm_value_refused(int n);

// Stores the values of box n (1..count); the text follows the type when cv
// is blank (integer, real, colour), a list box shows its entry iv (held
// within the list), a key box its key's name. With qupd the engine shows
// them at once.
bool frm_set_value(int n, int iv, float rv, std::string_view cv, bool qupd);

// Sets property npro of item n of class ncla (see the codes above); false
// for another class, an item out of range or a property that cannot be set.
// The engine is told of every change but the bounds, and redraws with qrefresh.
bool frm_set_prop(int ncla, int n, int npro, int iv, float rv, std::string_view cv, bool qrefresh);

// Reads property npro of item n of class ncla into iv, rv or cv. An input
// box out of range or an unknown code gives false; a title answers 301 only
// (other codes: nothing, true); other classes: nothing, true.
bool frm_get_prop(int ncla, int n, int npro, int& iv, float& rv, std::string& cv);

#pragma once

// The boxes of the program's two forms bound to the settings they show. Each
// form file names its boxes; after reading it the form binds every named box
// to its field (tvxfrm for the conversion form, stpfrm for the setup form:
// the 1-based box number, 0 when none), and the tables below say, field by
// field, the box's name, the setting it shows and how.

#include "driver/forms_gui.h"
#include "forms/program/form_boxes.h"

#include <span>
#include <string>
#include <string_view>
#include <variant>

// The setup form's field numbers; 0 means the form has no such box.
struct Stpfrm {
    int nb__xcsoar_tasks = 0;
    int nb__lk8000_tasks = 0;
    int nb__seeyou_tasks = 0;
    int nb__defpath = 0;
    int nb__scrnam = 0;
    int nb__qwrprf = 0;
    int nb__qdeftsk = 0;
    int nb__qdeftsklk8000 = 0;
    int nb__qdeffplfil = 0;
    int nb__qaat_detect = 0;
    int nb__qmapfold = 0;
    int nb__qpolfold = 0;
    int nb__qverb_0 = 0;
    int nb__qsilent = 0;
    int nb__qtskwrn = 0;
    int nb__nauto = 0;
    int nb__nunit = 0;
    int nb__nlang = 0;
};
extern Stpfrm stpfrm;
void reset_stpfrm();

// Which settings of the conversion form the user changed (for the traces).
struct TvxfrmM {
    bool qm__qaat = false;
    bool qm__qxcs = false;
    bool qm__qlk8000 = false;
    bool qm__qcup = false;
    bool qm__qaltcup = false;
    bool qm__t_aat = false;
    bool qm__start_margin = false;
    bool qm__finishminalt = false;
    bool qm__start_max_speed = false;
    bool qm__infile = false;
    bool qm__mapname = false;
    bool qm__terrainname = false;
    bool qm__altcupfile = false;
    bool qm__outfile = false;
    bool qm__prfnam = false;
    bool qm__airnam = false;
};
extern TvxfrmM tvxfrm_m;
void reset_tvxfrm_m();

// Which settings of the setup form the user changed (for the traces).
struct StpfrmM {
    bool qm__xcsoar_tasks = false;
    bool qm__lk8000_tasks = false;
    bool qm__seeyou_tasks = false;
    bool qm__defpath = false;
    bool qm__scrnam = false;
    bool qm__qwrprf = false;
    bool qm__qdeftsk = false;
    bool qm__qdeftsklk8000 = false;
    bool qm__qdeffplfil = false;
    bool qm__qaat_detect = false;
    bool qm__qmapfold = false;
    bool qm__qpolfold = false;
    bool qm__qverb_0 = false;
    bool qm__qsilent = false;
    bool qm__qtskwrn = false;
    bool qm__nauto = false;
    bool qm__nunit = false;
    bool qm__nlang = false;
};
extern StpfrmM stpfrm_m;
void reset_stpfrm_m();

// The setting a box shows, by its kind: a tick (integer 1/0 in the box), an
// integer (a list box: its 1-based entry), a real, a text.
using FieldSetting = std::variant<bool*, int*, float*, std::string*>;

// The boxes whose value is shown in the display units (tarvex01.nunitalt 1:
// feet and knots); the settings stay in metres and km/h.
enum class FieldUnit { none, height, speed };

struct FormField {
    std::string_view name;  // the box's name in the form file
    int* box;               // its field of tvxfrm or stpfrm
    bool* changed;          // its flag of tvxfrm_m or stpfrm_m
    FieldSetting setting;
    // A target box shows whether target_asked_for() is this target (the
    // first of the targets asked for, as the conversion writes it); 0 for
    // the other boxes.
    int target = 0;
    FieldUnit unit = FieldUnit::none;
};

// The sixteen fields of the conversion form and the eighteen of the setup
// form, in the order of tvxfrm and stpfrm.
std::span<const FormField> conversion_fields();
std::span<const FormField> setup_fields();

// Binds the boxes of the form just read to `fields`: every field to 0, then
// each box whose name is a field's name (exactly, trailing blanks aside; a
// later box of the same name wins) to that field. A box of any other name
// (a blank one too) writes "*** form file corrupted ***" on the console and
// the form runs on. The first field left unbound ends the run with its name
// followed by " NOT DEFINED" (told, logged, exit code 3). A form without any
// box binds nothing and checks nothing.
void bind_fields(std::span<const FormField> fields);

// Puts each setting into its box (update on). A box that cannot be filled
// writes its name followed by ": COULD NOT BE LOADED" on the console and ends
// the run (exit code 3).
void fill_fields(std::span<const FormField> fields);

// Copies each box into its setting: ticks as (value != 0), integers, reals
// and texts as the form holds them after the validation; a unit box shown in
// feet or knots gives its live value back in metres or km/h (the box keeps
// showing it as it is). Each change sets the field's flag and writes a trace
// line. A box that cannot be read writes its name followed by ": COULD NOT BE
// LOADED" on the console and ends the run (exit code 3); a text too long for
// a path field (which the validation refuses, so only a greyed box may hold
// one) ends it too (path_field, exit code 1).
void copy_fields(std::span<const FormField> fields);

// Stores `value` (in metres and km/h for a unit box) into the setting of
// `field` as copy_fields does, with its flag and trace line.
void store_field_value(const FormField& field, const BoxValue& value);

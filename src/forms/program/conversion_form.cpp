#include "forms/program/conversion_form.h"

#include "driver/fpl_preread.h"
#include "forms/kit/form_accessors.h"
#include "forms/kit/form_create.h"
#include "forms/program/field_maps.h"
#include "forms/program/field_rules.h"
#include "forms/program/form_boxes.h"
#include "forms/program/form_file.h"
#include "forms/program/form_plan.h"
#include "forms/program/held_form.h"
#include "forms/program/proposed_names.h"
#include "forms/program/setup_form.h"
#include "forms/program/unit_boxes.h"
#include "foundation/fixed_text.h"
#include "foundation/form_files.h"
#include "foundation/fortran_format.h"
#include "foundation/message_records.h"
#include "foundation/number_text.h"
#include "foundation/option_records.h"
#include "foundation/paths_files.h"
#include "foundation/run_stop.h"
#include "foundation/tell.h"
#include "platform/console.h"
#include "taskfiles/task_model.h"

#include <optional>
#include <string>

namespace {

// The setup button's type.
constexpr int kSetupButton = -100;

// The form file must be of the program's version, the last two digits aside.
void check_form_version() {
    const int version = frm_get_version();
    if (version / 100 != tarvex01.nvers / 100) {
        fatal_error("Version numbers do not match:/App:" + fmt_i(tarvex01.nvers, 4, 4) + "/Form:" +
                        fmt_i(version, 4, 4),
                    kExitConfiguration);
    }
}

// Takes the input named as the form's input (take_input): how it was taken.
// `aat_guess` receives what the AAT box is to show instead of the plan's flag
// (the guess from the cylinders, for a plan that is no AAT while the guess is
// on).
TakenInput read_named_input(std::optional<bool>& aat_guess) {
    const TakenInput taken = take_input(tarvex_c.infile);
    if (taken == TakenInput::plan && !rd_fpl_6.qaat && tarvex01.qaat_detect) {
        aat_guess = detect_aat();
    }
    return taken;
}

// One showing of the form; the form's result. The plan is read before the
// boxes are filled, so that they show its rules; the output, profile and
// airspace names proposed for the input fill only the boxes that the options
// leave blank: a name the options give (the command line's output, the
// settings file's profile) is shown as it is. After the setup form the boxes
// show what they showed when its button was pressed (held_form.h).
int show_conversion_form() {
    trace_auto_load("tarvex_gui");
    define_units();
    read_form_file(form_file_path(cmndta001.qfr ? kFrenchFormFile : kFormFile));
    check_form_version();
    bind_fields(conversion_fields());
    add_version_to_titles();
    reset_proposed_names();
    const bool held = conversion_form_held();
    std::optional<bool> aat_guess;
    TakenInput taken = TakenInput::no_plan;
    if (!held) {
        reset_condor3_lock();
        reset_seeyou_input_hold();
        taken = read_named_input(aat_guess);
    }
    // The output named on the command line is the pilot's own.
    const bool output_given = !is_blank(tarvex_c.outfile);
    fill_fields(conversion_fields());
    if (aat_guess) {
        set_box_tick(tvxfrm.nb__qaat, *aat_guess);
    }
    open_form_window();
    show_display_units(conversion_fields());
    set_activity();
    if (held) {
        give_back_conversion_form();
    } else {
        if (output_given) {
            keep_chosen_name(tvxfrm.nb__outfile);
        }
        if (taken == TakenInput::plan || taken == TakenInput::seeyou_task) {
            update_files(ProposedNames::where_blank);
        } else if (taken == TakenInput::unreadable) {
            // Refused from the start, as when it is chosen.
            frm_validate_value(tvxfrm.nb__infile);
        }
    }
    lock_condor3_boxes();

    const int result = frm_do_form();
    console_line(" tarvex_gui : form result " + i2b(result));
    if (result == kSetupButton) {
        hold_conversion_form();
        // The setup form shows the lasting switches, not a SeeYou input's.
        give_back_seeyou_input_switches();
    }
    return result;
}

}  // namespace

void tarvex_gui() {
    reset_tvxfrm();
    keep_run_task_model();
    int result = show_conversion_form();
    while (result == kSetupButton) {
        tarvex_setup();
        result = show_conversion_form();
    }
    if (result <= 0) {
        end_run("", kExitSuccess);
    }
    tarvex_c.prfnam = extract_name(trim_right(tarvex_c.prfnam));
    tarvex01.qauto = tarvex01.nauto == 2;
    tarvex01.qwait = tarvex01.nauto == 3;
    trace_auto_load("tarvex_gui end");
}

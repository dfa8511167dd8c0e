#include "forms/program/field_rules.h"

#include "driver/fpl_preread.h"
#include "forms/kit/form_accessors.h"
#include "forms/kit/form_model.h"
#include "forms/program/field_maps.h"
#include "forms/program/form_boxes.h"
#include "forms/program/form_plan.h"
#include "forms/program/unit_boxes.h"
#include "foundation/condor_install.h"
#include "foundation/fixed_text.h"
#include "foundation/number_text.h"
#include "foundation/option_records.h"
#include "foundation/output_targets.h"
#include "foundation/paths_files.h"
#include "foundation/task_rule_limits.h"
#include "foundation/tell.h"
#include "foundation/text_edit.h"
#include "platform/console.h"
#include "platform/files.h"
#include "taskfiles/map_lists.h"
#include "taskfiles/task_model.h"

#include <array>
#include <functional>
#include <optional>
#include <string>
#include <tuple>

namespace {

// What infile_ok reports for a name that does not exist.
constexpr int kMissingStatus = 9876;
constexpr std::size_t kUpperCopyLength = 512;

// A task folder that is set: neither blank nor "XXXXX".
bool folder_set(std::string_view folder) {
    const std::string text = trim_right(folder);
    return !text.empty() && !text.starts_with(kFolderNotSet);
}

// What the task rule boxes showed before a Condor 3 plan locked them; none
// when the form opened on such a plan.
struct Condor3Lock {
    std::optional<std::array<BoxValue, 3>> shown_before;
};

Condor3Lock condor3_lock;

// The numbers of the task rules a pilot can mean: from 0 up to the largest
// value the command line (for the start margin the settings file) takes for
// the same rule (none where nothing bounds it), in metres, km/h or minutes.
struct RuleRange {
    int* box;
    FieldUnit unit;
    std::optional<double> largest;
};

std::array<RuleRange, 4> rule_ranges() {
    return {{{&tvxfrm.nb__finishminalt, FieldUnit::height, kMaxFinishAltitude},
             {&tvxfrm.nb__start_max_speed, FieldUnit::speed, kMaxStartSpeed},
             {&tvxfrm.nb__start_margin, FieldUnit::height, kMaxStartMargin},
             {&tvxfrm.nb__t_aat, FieldUnit::none, kMaxAatTime}}};
}

// 1 when `value`, as box n shows it, lies in `range`; else 0 with the range
// in the box's units in msg.
int check_rule_range(int n, const RuleRange& range, double value, std::string& msg) {
    if (!range.largest) {
        if (value >= 0.0) {
            return 1;
        }
        msg = in_user_language("Enter a value of 0 or more", "Indiquez une valeur positive ou nulle");
        return 0;
    }
    const double largest = largest_shown(n, range.unit, *range.largest);
    if (value >= 0.0 && value <= largest) {
        return 1;
    }
    const std::string bound = i2b(static_cast<int>(largest));
    msg = in_user_language("Enter a value from 0 to " + bound, "Indiquez une valeur de 0 \xE0 " + bound);
    return 0;
}

// The switches a SeeYou task input turns off for its conversion: the
// targets, the profile and the task summary.
using SeeYouInputSwitches = std::tuple<bool, bool, bool, bool, bool>;
auto seeyou_input_switches() {
    return std::tie(tarvex01.qxcs, tarvex01.qlk8000, tarvex01.qcup, tarvex01.qwrprf, tarvex01.qtskwrn);
}

// Those switches as they were before a SeeYou task input turned them off.
struct SeeYouInputHold {
    std::optional<SeeYouInputSwitches> switches;
};

SeeYouInputHold seeyou_input_hold;

struct TargetBox {
    int* box;
    int ntarg;
    bool Tarvex01::*asked;
    std::string TarvexC::*folder;
};

std::array<TargetBox, 3> target_boxes() {
    return {{{&tvxfrm.nb__qxcs, kTargetTsk, &Tarvex01::qxcs, &TarvexC::xcsoar_tasks},
             {&tvxfrm.nb__qlk8000, kTargetLkt, &Tarvex01::qlk8000, &TarvexC::lk8000_tasks},
             {&tvxfrm.nb__qcup, kTargetCup, &Tarvex01::qcup, &TarvexC::seeyou_tasks}}};
}

// The Dest box of the conversion form: 1 when the conversion can write the
// name it shows, else 0 with msg. A blank box leaves the name to the
// conversion.
int check_output_box(const std::string& output, std::string& msg) {
    const int target = form_target();
    if (target == 0) {
        msg = in_user_language("No target software: tick XCSoar, LK8000 or SeeYou",
                               "Aucun logiciel cible : cochez XCSoar, LK8000 ou SeeYou");
        return 0;
    }
    const std::string name = trim_right(output);
    if (name.empty() || names_target_file(name, target)) {
        return 1;
    }
    msg = ask_for_target_file_name(target);
    return 0;
}

}  // namespace

int infile_ok(std::string_view cv) {
    const std::string name = trim_right(cv);
    const bool exists = !name.empty() && (file_exists(name) || folder_exists(name));
    int status = kMissingStatus;
    if (exists) {
        const TextFileReader file(name);
        status = file.is_open() ? 0 : (file.open_status() != 0 ? file.open_status() : 1);
    }
    const std::string rule(31, '-');
    console_line(rule);
    console_line(" infile_ok " + name + " " + (exists ? "T" : "F") + " " + i2b(status));
    console_line(rule);
    if (status == 0) {
        return 1;
    }
    std::string upper = fit_field(name, kUpperCopyLength);
    majusc(upper);
    if (exists && upper.find(".FPL") == std::string::npos && upper.find(".CUP") == std::string::npos) {
        return -1;
    }
    return 0;
}

bool input_usable(std::string_view cv) { return infile_ok(cv) == 1 && !input_unreadable(cv); }

void drop_targets_without_folder() {
    for (const TargetBox& target : target_boxes()) {
        // The box too: a form given back after the setup form shows its ticks as they were.
        if (!folder_set(tarvex_c.*target.folder) && (tarvex01.*target.asked || live_int(*target.box) != 0)) {
            tarvex01.*target.asked = false;
            set_box_tick(*target.box, false);
        }
    }
}

int form_target() {
    if (!tarvex01.qcup_in && target_asked_for() == 0) {
        return 0;
    }
    return target_of_options(tarvex01.qcup_in);
}

bool form_writes_airspace() {
    const int target = form_target();
    return task_has_airspace() && target != 0 && !target_facts(target).ends_with_writer;
}

void set_activity() {
    if (tarvex01.qcup_in) {
        switch_off_for_seeyou_input();
        for (const TargetBox& target : target_boxes()) {
            set_box_active(*target.box, false);
            set_box_tick(*target.box, false);
        }
    } else {
        drop_targets_without_folder();
        for (const TargetBox& target : target_boxes()) {
            set_box_active(*target.box, folder_set(tarvex_c.*target.folder));
        }
    }
    const bool readable = input_usable(live_text(tvxfrm.nb__infile));
    const int target = target_asked_for();
    const bool profile = readable && tarvex01.qwrprf && (target == kTargetTsk || target == kTargetLkt);
    set_box_active(tvxfrm.nb__prfnam, profile);
    set_box_active(tvxfrm.nb__mapname, profile);
    set_box_active(tvxfrm.nb__terrainname, profile && target == kTargetLkt);
    set_box_active(tvxfrm.nb__outfile, readable);
    set_box_active(tvxfrm.nb__airnam, form_writes_airspace());
}

std::array<int, 3> task_rule_boxes() { return {tvxfrm.nb__qaat, tvxfrm.nb__t_aat, tvxfrm.nb__start_max_speed}; }

void show_task_rules(const RdFpl6& rules) {
    set_box_tick(tvxfrm.nb__qaat, rules.qaat);
    frm_set_value(tvxfrm.nb__t_aat, 0, rules.t_aat, "", true);
    const int shown = shown_in_imperial(tvxfrm.nb__start_max_speed, FieldUnit::speed)
                          ? to_imperial_units(rules.start_max_speed, FieldUnit::speed)
                          : rules.start_max_speed;
    set_box_whole(tvxfrm.nb__start_max_speed, shown);
    for (const int box : task_rule_boxes()) {
        set_box_active(box, true);
    }
}

void hold_task_rule_boxes() {
    std::array<BoxValue, 3> shown;
    const std::array<int, 3> boxes = task_rule_boxes();
    for (std::size_t i = 0; i < boxes.size(); ++i) {
        live_value(boxes[i], shown[i]);
    }
    condor3_lock.shown_before = shown;
}

void give_back_task_rule_boxes() {
    if (!condor3_lock.shown_before) {
        show_task_rules(run_task_rules());
        return;
    }
    const std::array<int, 3> boxes = task_rule_boxes();
    for (std::size_t i = 0; i < boxes.size(); ++i) {
        const BoxValue& shown = (*condor3_lock.shown_before)[i];
        frm_set_value(boxes[i], shown.iv, shown.rv, shown.cv, true);
        set_box_active(boxes[i], true);
    }
    condor3_lock.shown_before.reset();
}

void reset_condor3_lock() { condor3_lock = Condor3Lock{}; }

void switch_off_for_seeyou_input() {
    if (!tarvex01.qcup_in) {
        return;
    }
    if (!seeyou_input_hold.switches) {
        seeyou_input_hold.switches = seeyou_input_switches();
    }
    seeyou_input_switches() = SeeYouInputSwitches{};
}

void give_back_seeyou_input_switches() {
    if (!seeyou_input_hold.switches) {
        return;
    }
    seeyou_input_switches() = *seeyou_input_hold.switches;
    seeyou_input_hold.switches.reset();
    for (const TargetBox& target : target_boxes()) {
        set_box_tick(*target.box, target_asked_for() == target.ntarg);
    }
}

void with_lasting_switches(const std::function<void()>& write) {
    if (!seeyou_input_hold.switches) {
        write();
        return;
    }
    const SeeYouInputSwitches run = seeyou_input_switches();
    seeyou_input_switches() = *seeyou_input_hold.switches;
    write();
    seeyou_input_switches() = run;
}

void reset_seeyou_input_hold() { seeyou_input_hold = SeeYouInputHold{}; }

void held_task_rule_boxes_in_display_units(bool speed_was_imperial) {
    if (condor3_lock.shown_before) {
        in_display_unit_now(tvxfrm.nb__start_max_speed, FieldUnit::speed, speed_was_imperial,
                            (*condor3_lock.shown_before)[2]);
    }
}

bool condor3_lock_holds() { return !tarvex01.qsetup && plan_gives_task_rules(); }

void lock_condor3_boxes() {
    if (!condor3_lock_holds()) {
        return;
    }
    console_line(" Condor 3 flight plan: AAT, AAT time and start speed from the plan");
    show_task_rules(rd_fpl_6);
    for (const int box : task_rule_boxes()) {
        set_box_active(box, false);
    }
}

void set_flight_plans_box_kind(bool file) {
    set_box_type(stpfrm.nb__defpath, file ? kTypeIfp : kTypeFld);
    set_box_pattern(stpfrm.nb__defpath, file ? "*.fpl;*.cup" : "");
}

namespace tarvex_forms {

int check_values_app(int n, const std::string& nam, int ival, float rval, const std::string& cval, std::string& msg) {
    console_line(" check_values_app " + i2b(n) + " " + trim_right(nam) + " " + i2b(ival) + " " +
                 f2b(rval, "(F16.6)") + " " + trim_right(cval));
    msg.clear();
    if (!box_active(n)) {
        return 1;
    }
    if (tarvex01.qsetup) {
        if (n == stpfrm.nb__xcsoar_tasks || n == stpfrm.nb__lk8000_tasks || n == stpfrm.nb__seeyou_tasks) {
            const auto given = [](int box) {
                const std::string text = trim_right(live_text(box));
                return !text.empty() && text != kFolderNotSet;
            };
            if (!given(stpfrm.nb__xcsoar_tasks) && !given(stpfrm.nb__lk8000_tasks) && !given(stpfrm.nb__seeyou_tasks)) {
                msg = in_user_language("At least one destination path must be specified",
                                       "Au moins une destination doit \xEAtre renseign\xE9" "e");
                return 0;
            }
        } else if (n == stpfrm.nb__defpath && is_blank(cval)) {
            msg = in_user_language("Enter a folder", "Indiquez un dossier");
            return 0;
        }
        return 1;
    }
    for (const RuleRange& range : rule_ranges()) {
        if (n == *range.box) {
            return check_rule_range(n, range, rval, msg);
        }
    }
    if (n == tvxfrm.nb__outfile) {
        return check_output_box(live_text(n), msg);
    }
    if (n == tvxfrm.nb__infile) {
        const std::string input = live_text(n);
        switch (infile_ok(input)) {
            case 1:
                if (!input_unreadable(input)) {
                    return 1;
                }
                msg = unreadable_input_reason();
                if (msg.empty()) {
                    msg = in_user_language("Not a Condor flight plan (.fpl) or a SeeYou task (.cup)",
                                           "Ni un plan de vol Condor (.fpl) ni un circuit SeeYou (.cup)");
                }
                return 0;
            case -1:
                msg = in_user_language("Enter a .fpl or .cup file name", "Indiquez un nom de fichier .fpl ou .cup");
                return 0;
            default:
                msg = in_user_language("This file cannot be opened", "Ce fichier ne peut pas \xEAtre ouvert");
                return 0;
        }
    }
    return 1;
}

}  // namespace tarvex_forms

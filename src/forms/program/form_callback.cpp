#include "forms/program/form_callback.h"

#include "driver/fpl_preread.h"
#include "driver/settings_file.h"
#include "forms/kit/form_accessors.h"
#include "forms/program/field_maps.h"
#include "forms/program/field_rules.h"
#include "forms/program/form_boxes.h"
#include "forms/program/form_plan.h"
#include "forms/program/held_form.h"
#include "forms/program/proposed_names.h"
#include "foundation/condor_install.h"
#include "foundation/fixed_text.h"
#include "foundation/message_records.h"
#include "foundation/number_text.h"
#include "foundation/option_records.h"
#include "foundation/output_targets.h"
#include "foundation/paths_files.h"
#include "platform/console.h"
#include "platform/files.h"
#include "taskfiles/map_lists.h"
#include "taskfiles/task_model.h"

#include <array>
#include <string>

namespace {

constexpr int kOk = 1;
constexpr int kSaveSettings = 102;
constexpr int kSaveSettingsToo = 104;

bool automatic(std::string_view folder) {
    const std::string text = trim_right(folder);
    return text.empty() || text == kAutomatic;
}

// The Condor version whose folders the automatic settings stand for: the
// plan's when one was read, else the active one.
int condor_version_in_use() {
    return rd_fpl_0.nvcnd == 2 || rd_fpl_0.nvcnd == 3 ? rd_fpl_0.nvcnd : inst00.condor_version;
}

void take_setup_form() {
    copy_fields(setup_fields());
    // The conversion form held behind this one: its rule boxes are the
    // rules its own save would keep.
    take_held_task_rules();
    // The settings file says "Flightplans path=AUTO" while qauto_defpath
    // holds (reading "AUTO" sets it): a flight-plans path the user changed is
    // no longer the automatic one, or the settings file written after the form
    // (its save buttons, a first run's setup) would say "AUTO" and lose it.
    if (stpfrm_m.qm__defpath) {
        tarvex01.qauto_defpath = trim_right(tarvex_c.defpath) == kAutomatic;
    }
    // The setup form shows neither Condor folder: an automatic one stays so.
    tarvex01.qauto_c2_inst = tarvex01.qauto_c2_inst || automatic(inst00.cndrinstpath);
    tarvex01.qauto_c2_root = tarvex01.qauto_c2_root || automatic(inst00.pilot_path);
    tarvex01.qauto = tarvex01.nauto == 2;
    tarvex01.qwait = tarvex01.nauto == 3;
    const bool condor3 = condor_version_in_use() == 3;
    const std::string& install = condor3 ? inst00.instpath3 : inst00.instpath2;
    const std::string& pilot = condor3 ? inst00.pilpath3 : inst00.pilpath2;
    if (tarvex01.qauto_c2_inst && !is_blank(install)) {
        inst00.cndrinstpath = install;
    }
    if (tarvex01.qauto_c2_root && !is_blank(pilot)) {
        inst00.pilot_path = pilot;
    }
}

void take_conversion_form(int type) {
    const std::string profile = tarvex_c.prfnam;
    const bool profile_named = box_active(tvxfrm.nb__prfnam) && !profile_from_default_files();
    const std::string airspace = tarvex_c.airnam;
    const bool airspace_chosen = box_active(tvxfrm.nb__airnam) && name_chosen(tvxfrm.nb__airnam);
    copy_fields(conversion_fields());
    // Only a profile the pilot can name becomes the setting: neither the
    // name the default-files rule gives (LK8000's), nor a greyed or blank box
    // (a target or an input that writes no profile).
    if (!profile_named || is_blank(tarvex_c.prfnam)) {
        tarvex_c.prfnam = profile;
    }
    // The airspace name proposed after the plan is converted to, never saved:
    // a save keeps the lasting airspace setting unless the pilot chose the
    // name in the dialog, so that another plan's zones never go into it.
    if (type != kOk && !airspace_chosen) {
        tarvex_c.airnam = airspace;
    }
    // The rules saved (102, 104) or converted with stay the run's: a later
    // input starts from them.
    keep_run_task_rules();
    // The boxes of the Condor 3 lock show that plan's own rules, which its
    // conversion reads again: it starts from the run's, for a plan that
    // gives none (one waited for).
    if (condor3_lock_holds() && type == kOk) {
        restore_run_task_rules();
    }
    // The target ticked is the one asked for, the JSON export included.
    for (const auto& [box, ntarg] : {std::pair{tvxfrm.nb__qxcs, kTargetTsk}, std::pair{tvxfrm.nb__qlk8000, kTargetLkt},
                                     std::pair{tvxfrm.nb__qcup, kTargetCup}}) {
        int iv = 0;
        float rv = 0.0f;
        std::string cv;
        int it = 0;
        if (frm_get_value(box, iv, rv, cv, it) && iv != 0) {
            ask_for_target(ntarg);
            break;
        }
    }
}

void button_pressed(int num, int type) {
    console_line(" frm_callback button " + i2b(num) + " type " + i2b(type));
    if (type != kOk && type != kSaveSettings && type != kSaveSettingsToo) {
        return;
    }
    if (tarvex01.qsetup) {
        take_setup_form();
    } else {
        take_conversion_form(type);
    }
    if (type != kOk) {
        // Never one Condor 3 plan's rules as the lasting ones, from either
        // form, nor the switches a SeeYou task input turns off for its run.
        with_lasting_switches([] {
            with_run_task_rules(
                [] { create_ini(cmndta001.qline, tarvex01.qverb_0, tarvex01.qaat_ini, false, tarvex01.nvers); });
        });
    }
}

// A new input: its plan or SeeYou task read (a blank text, a folder or a name
// that does not exist is neither) and its names proposed, none the pilot
// chose for the input before kept; a file that cannot be converted (or a
// path too long) gets no names, those of an earlier input cleared, and the
// input box's check refuses it at once. The AAT, AAT time and start speed
// boxes keep what they show, but for the Condor 3 lock: a Condor 3 plan
// locks them with its own rules, and the input after it gives them back what
// they showed before the lock; the AAT guess of a Condor 2 plan ticks or
// clears the AAT box. A click that leaves the input as it was changes
// nothing, so that names the user edited stay; a name chosen in the file
// dialog is read again even so (Condor rewrites its plan in place).
void input_changed(const std::string& text, bool chosen) {
    if (!chosen && input_taken(text)) {
        return;
    }
    const bool was_locked = condor3_lock_holds();
    if (!was_locked) {
        hold_task_rule_boxes();
    }
    tarvex01.qcup_in = text.find(".cup") != std::string::npos;
    if (!tarvex01.qcup_in) {
        give_back_seeyou_input_switches();
    }
    TakenInput taken = TakenInput::no_plan;
    if (file_exists(text) || folder_exists(text)) {
        taken = take_input(text);
    } else {
        take_input_without_plan(text);
    }
    if (was_locked && !condor3_lock_holds()) {
        give_back_task_rule_boxes();
    }
    if (taken == TakenInput::plan && rd_fpl_0.nvcnd == 2 && !rd_fpl_6.qaat && tarvex01.qaat_detect) {
        set_box_tick(tvxfrm.nb__qaat, detect_aat());
    }
    forget_chosen_names();
    update_files();
    // An input that cannot be converted is refused (red) as soon as it is
    // chosen, not only by the Convert button.
    frm_validate_value(tvxfrm.nb__infile);
}

// The map and terrain of the landscape as the map list of the target keeps them.
void map_changed(const std::string& map_text, const std::string& terrain_text) {
    const int target = target_asked_for();
    const std::string map = extract_name(map_text);
    if (target == kTargetLkt) {
        const std::string terrain = extract_name(terrain_text);
        if (!map.empty() && !terrain.empty()) {
            write_map_list(map, terrain);
        }
    } else if (target == kTargetTsk && !map.empty()) {
        console_line(" map for landscape " + trim_right(rd_fpl_2.landscape));
        write_map_list(map, " ");
    }
}

void target_ticked(int ntarg, std::string TarvexC::*folder, std::string_view pattern) {
    ask_for_target(ntarg);
    set_box_pattern(tvxfrm.nb__outfile, pattern);
    std::string dest = trim_right(tarvex_c.*folder);
    if (dest.empty() || dest.back() != '\\') {
        dest += '\\';
    }
    set_box_text(tvxfrm.nb__outfile, dest);
    forget_chosen_names();
    update_files();
}

void conversion_box_changed(int num, const std::string& name, const BoxValue& value) {
    const std::string text = trim_right(value.cv);
    if (name == "Infile") {
        input_changed(text, frm_chosen_in_dialog(num));
    } else if ((num == tvxfrm.nb__outfile || num == tvxfrm.nb__airnam || num == tvxfrm.nb__prfnam) &&
               frm_chosen_in_dialog(num)) {
        keep_chosen_name(num);
    } else if (name == "MapName") {
        if (target_asked_for() == kTargetLkt || !text.empty()) {
            map_changed(text, trim_right(live_text(tvxfrm.nb__terrainname)));
        }
    } else if (name == "TerrainName") {
        if (target_asked_for() == kTargetLkt) {
            map_changed(trim_right(live_text(tvxfrm.nb__mapname)), text);
        }
    } else if (value.iv == 1 && name == "LK8") {
        target_ticked(kTargetLkt, &TarvexC::lk8000_tasks, "*.lkt");
    } else if (value.iv == 1 && name == "XCS") {
        target_ticked(kTargetTsk, &TarvexC::xcsoar_tasks, "*.tsk");
    } else if (value.iv == 1 && name == "CU") {
        target_ticked(kTargetCup, &TarvexC::seeyou_tasks, "*.cup");
    }
}

void setup_box_changed(const std::string& name, int val) {
    if (name != "FplFil") {
        return;
    }
    set_flight_plans_box_kind(val == 1);
}

void box_changed(int num, int val) {
    std::string name;
    frm_get_name(num, name);
    name = trim_right(name);
    BoxValue value;
    live_value(num, value);
    console_line(" frm_callback box " + i2b(num) + " " + name + " " + i2b(val) + " : " + i2b(value.iv) + " " +
                 f2b(value.rv, "(F16.6)") + " " + trim_right(value.cv) + " " + i2b(value.type));
    if (tarvex01.qsetup) {
        setup_box_changed(name, val);
    } else {
        conversion_box_changed(num, name, value);
    }
}

}  // namespace

void frm_callback(int ncla, int num, int val) {
    if (ncla == 6) {
        // An AAT time typed last is known once the button validated it: the
        // names follow it before the boxes are copied.
        follow_aat_mark();
        button_pressed(num, val);
    } else if (ncla == 1) {
        box_changed(num, val);
    }
    lock_condor3_boxes();
    follow_aat_mark();
}

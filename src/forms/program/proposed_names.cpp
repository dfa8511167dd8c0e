#include "forms/program/proposed_names.h"

#include "driver/fpl_preread.h"
#include "driver/output_naming.h"
#include "forms/kit/value_checks.h"
#include "forms/program/field_maps.h"
#include "forms/program/field_rules.h"
#include "forms/program/form_boxes.h"
#include "forms/program/form_plan.h"
#include "foundation/condor_install.h"
#include "foundation/fixed_text.h"
#include "foundation/option_records.h"
#include "foundation/output_targets.h"
#include "foundation/paths_files.h"
#include "taskfiles/map_lists.h"
#include "taskfiles/task_model.h"

#include <algorithm>
#include <optional>
#include <string>
#include <vector>

namespace {

// The names proposed last: the task rules' AAT state they carry the mark
// for (none before any proposal), and the name boxes whose name the pilot chose.
struct ProposedNamesState {
    std::optional<bool> aat;
    std::vector<int> chosen;
};

ProposedNamesState proposed_names;

// `name` in `folder`: one "\" between them. A name too long for a path field
// is proposed all the same: its box refuses it, as one the pilot chose.
std::string in_folder(std::string_view folder, std::string_view name) {
    std::string path = trim_right(folder);
    if (path.empty() || path.back() != '\\') {
        path += '\\';
    }
    return path + std::string(name);
}

// The input's file name without its extension: from ".cup" (a SeeYou input,
// which sets qcup_in) or from ".fpl" on; both searched with their case.
std::string input_base() {
    std::string base = extract_name(trim_right(live_text(tvxfrm.nb__infile)));
    const std::size_t cup = base.find(".cup");
    tarvex01.qcup_in = cup != std::string::npos;
    const std::size_t cut = tarvex01.qcup_in ? cup : base.find(".fpl");
    if (cut != std::string::npos) {
        base.erase(cut);
    }
    return base;
}

// Puts a proposed name into a name box (see ProposedNames) that does not
// hold a name the pilot chose.
void propose(int box, const std::string& name, ProposedNames names) {
    if (name_chosen(box) || (names == ProposedNames::where_blank && !is_blank(live_text(box)))) {
        return;
    }
    set_box_text(box, name);
}

void propose_map_and_terrain(int target) {
    std::string map;
    std::string map_pattern;
    std::string terrain;
    std::string terrain_pattern;
    if (target == kTargetLkt) {
        const bool found = find_lk8000_map();
        const std::string maps = in_folder(tarvex_c.lk8000_root, "_Maps\\");
        map = maps + (found ? trim_right(tarvex_c.mapname) : std::string());
        terrain = maps + (found ? trim_right(tarvex_c.terrainname) : std::string());
        map_pattern = "*.lkm";
        terrain_pattern = "*.dem";
    } else if (target == kTargetTsk) {
        map = in_folder(tarvex_c.xcsoar_root, tarvex01.qmapfold ? "Maps\\" : "");
        if (find_xcsoar_map()) {
            map += trim_right(tarvex_c.mapname);
        }
        map_pattern = "*.xcm";
    }
    set_box_pattern(tvxfrm.nb__mapname, map_pattern);
    set_box_text(tvxfrm.nb__mapname, map);
    set_box_pattern(tvxfrm.nb__terrainname, terrain_pattern);
    set_box_text(tvxfrm.nb__terrainname, terrain);
}

// The profile setting's file name, Condor.prf when it is blank.
std::string profile_setting() {
    const std::string name = extract_name(trim_right(tarvex_c.prfnam));
    return name.empty() ? std::string(kDefaultProfileName) : name;
}

// No profile is proposed while the profile switch is off: no profile is written.
void propose_profile(int target, const std::string& out) {
    std::string profile;
    if (tarvex01.qwrprf && target == kTargetLkt) {
        std::string name = default_file_name(target_facts(target), DefaultFile::profile, out);
        if (name.empty()) {
            name = profile_setting();
        }
        profile = in_folder(in_folder(tarvex_c.lk8000_root, "_Configuration"), name);
    } else if (tarvex01.qwrprf && target == kTargetTsk) {
        profile = in_folder(tarvex_c.xcsoar_root, profile_setting());
    }
    propose(tvxfrm.nb__prfnam, profile, ProposedNames::replace);
}

// The task file: where the conversion writes it for the target asked for.
// A JSON export goes beside the input, a SeeYou task's Condor plan into the
// FlightPlans folder, the other targets into their task destinations as the
// conversion names the file there (destination_file): a folder, or the task
// file it names. `base`: the input's name without its extension; the name
// proposed carries "-AAT" for an assigned area task (`aat`). Returns the
// base of the name proposed, mark included.
std::string propose_output(int target, const std::string& input, const std::string& base, bool aat,
                           ProposedNames names) {
    std::string out = aat_marked_base(base, aat, input);
    std::string dest;
    std::string pattern;
    if (target == kTargetJson) {
        std::string folder;
        std::string name;
        extract_path_name(input, folder, name);
        dest = in_folder(folder, out + std::string(target_facts(kTargetJson).extension));
        pattern = "*.json";
    } else if (tarvex01.qcup_in) {
        dest = in_folder(in_folder(inst00.cndrrootpath, "FlightPlans"), out + "_CUP.fpl");
        pattern = "*.fpl";
    } else if (target == kTargetLkt || target == kTargetTsk || target == kTargetCup) {
        const TargetFacts& facts = target_facts(target);
        const std::string extension(facts.extension);
        const DestinationFile file = destination_file(facts, tarvex_c.*facts.task_folder, base + extension);
        out = aat_marked_base(output_base_name(file.name, target), aat, input);
        dest = in_folder(file.folder, out + extension);
        pattern = "*" + extension;
    }
    set_box_pattern(tvxfrm.nb__outfile, pattern);
    propose(tvxfrm.nb__outfile, dest, names);
    return out;
}

void propose_airspace(int target, const std::string& base, const std::string& out, ProposedNames names) {
    if (!form_writes_airspace()) {
        set_box_active(tvxfrm.nb__airnam, false);
        return;
    }
    set_box_active(tvxfrm.nb__airnam, true);
    std::string name;
    if (out != base) {
        name = out + "-PZ.txt";
    } else if (!is_blank(tarvex_c.airnam)) {
        name = extract_name(trim_right(tarvex_c.airnam));
    } else {
        name = base + "-PZ.txt";
    }
    std::string folder = tarvex_c.seeyou_root;
    if (target == kTargetLkt) {
        folder = in_folder(tarvex_c.lk8000_root, "_Airspaces");
    } else if (target == kTargetTsk) {
        folder = tarvex_c.xcsoar_root;
    }
    propose(tvxfrm.nb__airnam, in_folder(folder, name), names);
}

}  // namespace

void update_files(ProposedNames names) {
    const std::string input = trim_right(live_text(tvxfrm.nb__infile));
    const std::string base = input_base();
    // A SeeYou task's names are those of its own target, a Condor plan.
    switch_off_for_seeyou_input();
    // Nothing is converted into a task folder that is not set.
    drop_targets_without_folder();
    if (input_unreadable(input)) {
        // Nothing of an earlier input's names stays, nothing is named after
        // an input that cannot be converted.
        proposed_names.aat.reset();
        for (const int box : {tvxfrm.nb__mapname, tvxfrm.nb__terrainname, tvxfrm.nb__prfnam, tvxfrm.nb__outfile,
                              tvxfrm.nb__airnam}) {
            propose(box, "", ProposedNames::replace);
        }
        set_activity();
        return;
    }
    const bool aat = form_task_is_aat();
    proposed_names.aat = aat;
    const int target = target_asked_for();
    propose_map_and_terrain(target);
    // LK8000's profile under "Write Default Files=2" is named after the task file.
    propose_profile(target, propose_output(target, input, base, aat, names));
    propose_airspace(target, base, aat_marked_base(base, aat, input), names);
    set_activity();
}

bool form_task_is_aat() {
    if (plan_gives_task_rules()) {
        return aat_with_time(rd_fpl_6.qaat, rd_fpl_6.t_aat);
    }
    // The time as typed, read as the box's check reads it: the box's value is
    // read only when a button validates it.
    BoxValue time;
    live_value(tvxfrm.nb__t_aat, time);
    float minutes = time.rv;
    read_box_real(time.cv, minutes);
    return aat_with_time(live_int(tvxfrm.nb__qaat) != 0, minutes);
}

void follow_aat_mark() {
    if (!tarvex01.qsetup && proposed_names.aat && *proposed_names.aat != form_task_is_aat()) {
        update_files();
    }
}

void keep_chosen_name(int box) {
    if (!name_chosen(box)) {
        proposed_names.chosen.push_back(box);
    }
}

bool name_chosen(int box) {
    return std::find(proposed_names.chosen.begin(), proposed_names.chosen.end(), box) != proposed_names.chosen.end();
}

void forget_chosen_names() { proposed_names.chosen.clear(); }

bool profile_from_default_files() { return default_files_name_profile(target_facts(target_asked_for())); }

void reset_proposed_names() { proposed_names = ProposedNamesState{}; }

// The names a conversion writes to besides its task file: the airspace
// output file, the profile and the LK8000 aircraft file, in the target
// software's folders.
#include "driver/conversion.h"

#include "driver/output_naming.h"
#include "foundation/fixed_text.h"
#include "foundation/option_records.h"
#include "foundation/output_targets.h"
#include "foundation/paths_files.h"
#include "taskfiles/profile_writer.h"
#include "taskfiles/task_model.h"

#include <string>
#include <string_view>

namespace {

constexpr std::string_view kDefaultAirspaceName = "CondorAirspace.txt";
// The mark of a glider whose mass the plan fixes.
constexpr std::string_view kFixedMassMark = "-FXB";

std::string target_root() {
    const TargetFacts& target = chosen_target();
    if (target.root == nullptr || (target.root_for_seeyou_input_only && !tarvex01.qcup_in)) {
        return {};
    }
    return trim_right(tarvex_c.*target.root);
}

void set_airspace_file(Conversion& c) {
    if (!task_has_airspace()) {
        c.airspace_file.clear();
        tarvex_c.airnam.clear();
    } else if (is_blank(tarvex_c.airnam)) {
        c.airspace_file = path_field(join_path(c.destination, kDefaultAirspaceName));
        tarvex_c.airnam = std::string(kDefaultAirspaceName);
    } else if (tarvex_c.airnam.find('\\') != std::string::npos) {
        c.airspace_file = trim_right(tarvex_c.airnam);
    } else {
        c.airspace_file = path_field(join_path(c.destination, trim_right(tarvex_c.airnam)));
    }
}

// The profile switch qwrprf decides (the settings file's "Profile file=0",
// the setup form's tick): off, no profile is written, default files or not;
// on, the name comes from the default files, the setting, or Condor.prf. A
// name "0" still asks for none. An XCSoar profile is looked for where XCSoar
// keeps it (profile_writer.h); the default profile it would be made from is
// noted with it.
void set_profile(Conversion& c) {
    std::string& prfnam = tarvex_c.prfnam;
    const TargetFacts& target = chosen_target();
    if (target.switches_profile_off) {
        tarvex01.qwrprf = false;
        prfnam.clear();
        tarvex01.ndeftsk = 0;
    } else if (!tarvex01.qwrprf) {
        prfnam.clear();
    } else if (default_files_name_profile(target)) {
        prfnam = path_field(default_file_name(target, DefaultFile::profile, c.base_name));
    } else if (is_blank(prfnam)) {
        prfnam = std::string(kDefaultProfileName);
    } else if (trim_right(prfnam) == kNoProfileName) {
        prfnam.clear();
        tarvex01.qwrprf = false;
    }
    c.profile_file = path_field(join_path(c.destination, trim_right(prfnam)));
    c.default_profile.clear();
    if (!tarvex01.qwrprf) {
        return;
    }
    switch (target.profile) {
        case ProfileKind::xcsoar:
            c.profile_file = path_field(xcsoar_profile_file(c.destination, trim_right(prfnam)));
            c.default_profile = path_field(xcsoar_default_profile(c.destination));
            break;
        case ProfileKind::lk8000: c.default_profile = path_field(lk8000_default_profile(c.destination)); break;
        case ProfileKind::none: break;
    }
}

}  // namespace

void set_output_names(Conversion& c) {
    const TargetFacts& target = chosen_target();
    c.target_root = target_root();
    c.base_name = output_base_name(extract_name(tarvex_c.outname), tarvex01.ntarg);

    c.destination = target_tree_folder(c.target_root, &FolderTree::airspaces);
    set_airspace_file(c);

    c.destination = target_tree_folder(c.target_root, &FolderTree::configuration);
    set_profile(c);

    if (target.checks_waypoints) {
        tarvex01.qchkwp = true;
    }

    std::string glider = trim_right(ggg001.glnam());
    if (gggmas.fmass > 0.0f) {
        glider += kFixedMassMark;
    }
    c.glider_name = fit_field(glider, kGliderNameLength);

    c.aircraft_file.clear();
    // Without a glider the pilot's aircraft file stays (write_target_task).
    if (target.aircraft_file && task_names_glider()) {
        std::string name = default_file_name(target, DefaultFile::aircraft, c.base_name);
        if (name.empty()) {
            name = c.glider_name + ".acf";
        }
        c.aircraft_file = path_field(join_path(c.destination, name));
    }

    if (tarvex01.qcup_in) {
        tarvex01.qwrprf = false;
        c.default_profile.clear();
        tarvex01.qchkwp = false;
    }
}

#include "foundation/output_targets.h"

#include "foundation/fixed_text.h"
#include "foundation/paths_files.h"
#include "foundation/tell.h"
#include "platform/case_fold.h"

#include <array>

namespace {

// Indexed by the target number; element 0 is no target. Members follow the
// order of their declaration.
constexpr std::array<TargetFacts, kTargetJson + 1> kTargets = {{
    {},
    {
        .ntarg = kTargetTsk,
        .extension = ".tsk",
        .task_folder_kind = TaskFolder::option,
        .task_folder = &TarvexC::xcsoar_tasks,
        .software = "XCsoar",
        .root = &TarvexC::xcsoar_root,
        .profile = ProfileKind::xcsoar,
        .xcsoar_copies = true,
        .checks_finish_altitude = true,
    },
    {
        .ntarg = kTargetLkt,
        .extension = ".lkt",
        .task_folder_kind = TaskFolder::option,
        .task_folder = &TarvexC::lk8000_tasks,
        .software = "LK8000",
        .root = &TarvexC::lk8000_root,
        .tree = &kLk8000Tree,
        .profile = ProfileKind::lk8000,
        .default_file_names = true,
        .aircraft_file = true,
        .notepad = "NOTEPAD.txt",
        .checks_waypoints = true,
        .airports_signed = true,
        .checks_finish_altitude = true,
    },
    {
        .ntarg = kTargetCup,
        .extension = ".cup",
        .task_folder_kind = TaskFolder::option,
        .task_folder = &TarvexC::seeyou_tasks,
        .software = "SeeYou",
        .root = &TarvexC::seeyou_root,
        .switches_profile_off = true,
        .checks_waypoints = true,
        .airports_signed = true,
    },
    // Made from a SeeYou task; its airspace and profile names are XCSoar's.
    {
        .ntarg = kTargetFpl,
        .extension = ".fpl",
        .task_folder_kind = TaskFolder::condor_flight_plans,
        .root = &TarvexC::xcsoar_root,
    },
    {
        .ntarg = kTargetJson,
        .extension = ".json",
        .task_folder_kind = TaskFolder::beside_input,
        .root = &TarvexC::xcsoar_root,
        .root_for_seeyou_input_only = true,
        .ends_with_writer = true,
        .seeyou_task_as_read = true,
    },
}};

}  // namespace

bool is_output_target(int ntarg) { return ntarg >= kTargetTsk && ntarg <= kTargetJson; }

const TargetFacts& target_facts(int ntarg) {
    return kTargets[is_output_target(ntarg) ? static_cast<std::size_t>(ntarg) : 0];
}

const TargetFacts& chosen_target() { return target_facts(tarvex01.ntarg); }

int target_asked_for() {
    if (tarvex01.qlk8000) {
        return kTargetLkt;
    }
    if (tarvex01.qcup) {
        return kTargetCup;
    }
    if (tarvex01.qjson) {
        return kTargetJson;
    }
    return tarvex01.qxcs ? kTargetTsk : 0;
}

void ask_for_target(int ntarg) {
    if (ntarg != kTargetTsk && ntarg != kTargetLkt && ntarg != kTargetCup && ntarg != kTargetJson) {
        return;
    }
    tarvex01.qxcs = ntarg == kTargetTsk;
    tarvex01.qlk8000 = ntarg == kTargetLkt;
    tarvex01.qcup = ntarg == kTargetCup;
    tarvex01.qjson = ntarg == kTargetJson;
}

int target_of_options(bool seeyou_input) {
    const int asked = target_asked_for();
    if (asked == kTargetLkt || asked == kTargetCup || asked == kTargetJson) {
        return asked;
    }
    return seeyou_input ? kTargetFpl : kTargetTsk;
}

bool names_target_file(std::string_view path, int ntarg) {
    return is_output_target(ntarg) &&
           matches_wildcard_cp1252(trim_right(path), "*" + std::string(target_facts(ntarg).extension));
}

std::string ask_for_target_file_name(int ntarg) {
    const std::string wanted(target_facts(ntarg).extension);
    return in_user_language("Enter a " + wanted + " file name", "Indiquez un nom de fichier " + wanted);
}

std::string target_tree_folder(std::string_view root, std::string_view FolderTree::*which) {
    const FolderTree* tree = chosen_target().tree;
    if (!tarvex01.qarbo || tree == nullptr) {
        return std::string(root);
    }
    return path_field(join_path(root, tree->*which));
}

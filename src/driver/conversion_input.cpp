// The first steps of a conversion: the target, the output name, the reading
// of the input and its checks against the installed Condor versions.
#include "driver/conversion.h"

#include "driver/fpl_preread.h"
#include "driver/input_kind.h"
#include "driver/output_naming.h"
#include "driver/trace_text.h"
#include "foundation/condor_install.h"
#include "foundation/fixed_text.h"
#include "foundation/message_records.h"
#include "foundation/number_text.h"
#include "foundation/option_records.h"
#include "foundation/output_targets.h"
#include "foundation/paths_files.h"
#include "foundation/run_stop.h"
#include "foundation/tell.h"
#include "platform/case_fold.h"
#include "platform/console.h"
#include "platform/files.h"
#include "taskfiles/cup_reader.h"
#include "taskfiles/map_lists.h"
#include "taskfiles/task_checks.h"
#include "taskfiles/task_model.h"

#include <string>

namespace {

void refuse_plan_version(int version) {
    const std::string v = i2b(version);
    fatal_error(in_user_language("*** Flight plan version = " + v + " - Condor " + v + " installation not found ***",
                                 "*** Plan de vol version = " + v + " - installation de Condor " + v +
                                     " non d\xE9tect\xE9" "e ***"),
                kExitConversionFailed);
}

// The value of the plan or the SeeYou task outside its range, named by its key.
[[noreturn]] void refuse_plan_value(const std::string& infile) {
    const PlanValueOutOfRange value =
        (tarvex01.qcup_in ? seeyou_value_out_of_range() : plan_value_out_of_range()).value_or(PlanValueOutOfRange{});
    const std::string unit = value.unit.empty() ? "" : " " + std::string(value.unit);
    const std::string range = i2b(nearest_int(value.lowest)) + " - " + i2b(nearest_int(value.highest)) + unit;
    fatal_error("*** " + infile + " : " + value.key +
                    in_user_language(" out of range (" + range + ") ***", " hors limites (" + range + ") ***"),
                kExitConversionFailed);
}

}  // namespace

void choose_target() {
    tarvex01.qcup_in = input_kind(tarvex_c.infile) == InputKind::seeyou_task;
    tarvex01.ntarg = target_of_options(tarvex01.qcup_in);
    console_line("qxcs,qlk8000,qcup,qcup_in,ntarg");
    console_line(target_switches_trace() + " " + trace_flag(tarvex01.qcup_in) + " " + i2b(tarvex01.ntarg));
    console_line("Infile=" + tarvex_c.infile);
    console_line("Outfile=" + tarvex_c.outfile);
}

void name_output() {
    tarvex_c.tskname = extract_name(trim_right(tarvex_c.infile));
    tarvex_c.outname = extract_name(tarvex_c.outfile);
    if (!tarvex01.qgui || is_blank(tarvex_c.outname)) {
        set_outfile();
    }
}

void mark_output_tree_and_aat() {
    const TargetFacts& target = chosen_target();
    const FolderTree* tree = target.tree;
    // The root is the configured destination cut before its tree's task
    // folder (get_root_names): when the destination lies in the tree, so do
    // the other files, wherever OUTPUT puts the task.
    const auto in_tree = [tree](const std::string& path) {
        return find_ignoring_case_cp1252(path, "\\" + std::string(tree->tasks)) != std::string::npos;
    };
    tarvex01.qarbo = tree != nullptr && (in_tree(tarvex_c.outfile) ||
                                         (target.task_folder != nullptr && in_tree(tarvex_c.*target.task_folder)));
    if (tarvex_c.infile.find(kAatMark) != std::string::npos) {
        rd_fpl_6.qaat = true;
    }
}

void read_input() {
    const std::string infile = trim_right(tarvex_c.infile);
    // The input as the messages name it, shown whole.
    const std::string shown = slashes_kept(infile);
    int status = 0;
    int lines = 0;
    if (tarvex01.qcup_in) {
        read_cup(infile, kMaxLandscapeWaypoints, tarvewp2, tarvewp3, tarvex01.nb_wp_file, false, cmndta001.qline,
                 tarvex01.qsilent, status);
        console_line("return read_cup " + i2b(status) + " " + i2b(tarvex01.nb_wp_file));
        for (int n = 0; n <= rd_cup_0.nb_cup && n < kCupTaskSlots; ++n) {
            console_line(" " + i2b(n) + " " + rd_cup_2.cupnam[static_cast<std::size_t>(n)]);
        }
    } else {
        if (!file_exists(infile)) {
            // The reader tells the user that the plan cannot be opened.
            read_fpl_1(infile, lines);
            end_run("", kExitConversionFailed);
        }
        status = read_fpl_1(infile, lines);
    }
    switch (input_fault(tarvex01.qcup_in, status)) {
        case InputFault::none: return;
        case InputFault::read_error:
            console_line("read status " + i2b(status) + " line " + i2b(lines));
            fatal_error("*** " + shown + in_user_language(" : error reading ***", " : erreur de lecture ***"),
                        kExitConversionFailed);
        case InputFault::too_many_turnpoints:
            fatal_error(too_many_turnpoints_text(tarvex01.qcup_in), kExitConversionFailed);
        case InputFault::unexpected_end:
            fatal_error(
                "*** " + shown + in_user_language(" : unexpected end of file ***", " : fin de fichier atteinte ***"),
                kExitConversionFailed);
        case InputFault::no_landscape:
            // No landscape file could be found for it.
            fatal_error("*** " + shown +
                            in_user_language(" : flight plan cannot be read, no landscape ***",
                                             " : plan de vol illisible, aucun paysage ***"),
                        kExitConversionFailed);
        case InputFault::no_task:
            fatal_error("*** " + shown + in_user_language(" : no task found ***", " : aucun circuit trouv\xE9 ***"),
                        kExitConversionFailed);
        case InputFault::bad_zone:
            fatal_error("*** " + shown + " : " + seeyou_zone_fault() + " ***", kExitConversionFailed);
        case InputFault::value_not_given:
        case InputFault::value_out_of_range:
            // Told once the plan's version is found installed (check_plan_version).
            return;
    }
}

void keep_form_task_rules(Conversion& conversion) {
    if (tarvex01.qgui) {
        conversion.form_rules = FormTaskRules{rd_fpl_6.qaat, rd_fpl_6.t_aat, rd_fpl_6.start_max_speed};
    }
}

void apply_form_task_rules(const Conversion& conversion) {
    if (!conversion.form_rules || tarvex01.qcup_in || plan_gives_task_rules()) {
        return;
    }
    const FormTaskRules& rules = *conversion.form_rules;
    rd_fpl_6.t_aat = rules.t_aat;
    rd_fpl_6.qaat = aat_with_time(rules.qaat, rules.t_aat);
    rd_fpl_6.start_max_speed = rules.start_max_speed;
    console_line(" form rules: qaat " + trace_flag(rd_fpl_6.qaat) + " t_aat " + f2b(rd_fpl_6.t_aat, "(F16.6)") +
                 " start_max_speed " + i2b(rd_fpl_6.start_max_speed));
}

namespace {

// Ends the run when the plan's Condor version is not installed; else makes it the active one.
void require_plan_version(const RunState& run) {
    switch (rd_fpl_0.nvcnd) {
        case 1:
            if (!inst00.qc1) {
                refuse_plan_version(1);
            }
            if (run.qwrnc1) {
                tell_and_log(kWarning, in_user_language(
                                           "Condor 1 flight plan\nIf your flight plan is in the southern hemisphere\n"
                                           "Be sure that you are using NaviCon.dll from Condor1",
                                           "Plan de vol Condor 1\nSi votre plan de vol est dans l'h\xE9misphere Sud\n"
                                           "V\xE9rifiez que vous utilisez NaviCon.dll correspondant \xE0 Condor 1"));
            }
            break;
        case 2:
        case 3: {
            const int version = rd_fpl_0.nvcnd;
            if (!(version == 2 ? inst00.qc2 : inst00.qc3)) {
                refuse_plan_version(version);
            }
            // The plan's version becomes the active one: its install, user
            // root and pilot folders.
            make_condor_version_active(version);
            break;
        }
        default:
            break;
    }
}

}  // namespace

void check_plan_version(const RunState& run) {
    if (!tarvex01.qcup_in) {
        require_plan_version(run);
    }
    // The values come after the version: a plan of a Condor not installed
    // gets the version's message, whatever it holds.
    const std::string infile = trim_right(tarvex_c.infile);
    switch (input_value_fault(tarvex01.qcup_in)) {
        case InputFault::value_not_given:
            fatal_error("*** " + slashes_kept(infile) + " : " + plan_value_not_given() + " ***", kExitConversionFailed);
        case InputFault::value_out_of_range: refuse_plan_value(infile);
        default: return;
    }
}

void settle_aat_and_map() {
    if (!tarvex01.qgui) {
        if (tarvex01.qaat_detect && detect_aat()) {
            rd_fpl_6.qaat = true;
        }
        switch (chosen_target().profile) {
            case ProfileKind::lk8000: find_lk8000_map(); break;
            case ProfileKind::xcsoar: find_xcsoar_map(); break;
            case ProfileKind::none: break;
        }
    }
    // On both roads an AAT without a time is none, a Condor 3 plan's too.
    rd_fpl_6.qaat = aat_with_time(rd_fpl_6.qaat, rd_fpl_6.t_aat);
    add_aat_to_outfile();
}

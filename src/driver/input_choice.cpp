#include "driver/input_choice.h"

#include "driver/command_line.h"
#include "driver/forms_gui.h"
#include "driver/input_kind.h"
#include "foundation/condor_install.h"
#include "foundation/condor_waits.h"
#include "foundation/fixed_text.h"
#include "foundation/message_records.h"
#include "foundation/option_records.h"
#include "foundation/path_length.h"
#include "foundation/paths_files.h"
#include "foundation/run_stop.h"
#include "foundation/tell.h"
#include "foundation/text_edit.h"
#include "platform/case_fold.h"
#include "platform/console.h"
#include "platform/glue_dialogs.h"

#include <string>
#include <string_view>

namespace {

constexpr std::string_view kCondorFlightPlan = "Flightplan.fpl";
// Condor may still be writing its plan when the wait sees it.
constexpr int kWriteGraceMs = 4000;

bool names_flight_plan(std::string_view path) {
    return find_ignoring_case_cp1252(path, ".fpl") != std::string_view::npos;
}

// A run without an INPUT whose options need one ends as a usage error: wait
// mode takes the output's name from the INPUT, and "-auto" without the forms
// converts the configured flight plan, which a folder is not.
void needed_input_given() {
    if (!is_blank(tarvex_c.infile)) {
        return;
    }
    if (tarvex01.qwait) {
        end_run(in_user_language("*** Wait mode needs an INPUT on the command line: it names the output ***",
                                 "*** Le mode attente demande un fichier en argument : il donne son nom au "
                                 "fichier produit ***"),
                kExitUsage);
    }
    if (!tarvex01.qgui && auto_load_on_command_line() && !names_flight_plan(tarvex_c.defpath)) {
        end_run("*** " + slashes_kept(trim_right(tarvex_c.inifile)) +
                    in_user_language(" : \"Flightplans path\" names no flight plan (.fpl) for -auto to convert, "
                                     "and no INPUT is given ***",
                                     " : \"Flightplans path\" ne d\xE9signe aucun plan de vol (.fpl) \xE0 "
                                     "convertir pour -auto, et aucun fichier n'est donn\xE9 en argument ***"),
                kExitUsage);
    }
}

}  // namespace

void choose_input() {
    std::string& infile = tarvex_c.infile;
    std::string& defpath = tarvex_c.defpath;
    needed_input_given();
    if (!tarvex01.qwait && is_blank(infile)) {
        defpath = trim_right(defpath);
        if (!names_flight_plan(defpath) && !defpath.empty() && defpath.back() != '\\') {
            defpath = fit_field(defpath + "\\", kOptionPathCapacity);
        }
        console_line("FPL path :" + defpath);
        if ((tarvex01.qauto || tarvex01.qgui) && names_flight_plan(defpath)) {
            infile = defpath;
        } else if (!tarvex01.qgui && !cmndta001.qline) {
            std::string chosen;
            int len = 0;
            GetFileName(chosen, "Tarvex : Select flight plan", defpath, "*.fpl", "Condor Flight Plans (*.fpl)", 0,
                        len);
            remove_trail_0(chosen);
            if (chosen_path_fits(chosen)) {
                infile = chosen;
            }
        }
    }
    if (tarvex01.qgui) {
        if (is_blank(infile)) {
            infile = defpath;
        }
        console_line("Infile   :" + infile);
        console_line("FPL path :" + defpath);
        run_conversion_form();
    }
}

void check_input() {
    const InputKind kind = input_kind(tarvex_c.infile);
    if (kind == InputKind::none) {
        // On the error output only: no box and no log entry.
        end_run(in_user_language("*** No input file specified ***", "*** Aucun fichier \xE0 lire ***"),
                kExitConversionFailed);
    }
    if (kind == InputKind::unknown && !tarvex01.qwait) {
        fatal_error("*** " + slashes_kept(trim_right(tarvex_c.infile)) +
                        in_user_language(" : not a Condor flight plan (.fpl) or a SeeYou task (.cup) ***",
                                         " : ni un plan de vol Condor (.fpl) ni un circuit SeeYou (.cup) ***"),
                    kExitConversionFailed);
    }
}

void wait_for_input(std::int64_t t_start) {
    std::string& infile = tarvex_c.infile;
    // Condor's plans, whose pilot folders the installation gives: a path too
    // long to wait for is a configuration that cannot be used.
    if (inst00.qc2 && inst00.qc3) {
        const std::string plan2 = fitting_path(join_path(inst00.pilpath2, kCondorFlightPlan), kExitConfiguration);
        const std::string plan3 = fitting_path(join_path(inst00.pilpath3, kCondorFlightPlan), kExitConfiguration);
        int which = 0;
        wait_for_2_files(t_start, plan2, plan3, which);
        const int version = which == 1 ? 2 : 3;
        make_condor_version_active(version);
        infile = version == 2 ? plan2 : plan3;
    } else {
        infile = fitting_path(join_path(inst00.pilot_path, kCondorFlightPlan), kExitConfiguration);
        wait_for_file(t_start, infile);
    }
    console_line("waiting for " + infile + " 4 more seconds");
    wait_sleep_ms(kWriteGraceMs);
}

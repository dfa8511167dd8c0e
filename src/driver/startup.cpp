#include "driver/startup.h"

#include "airspace/airspace_records.h"
#include "driver/command_line.h"
#include "driver/flight_plans_path.h"
#include "driver/forms_gui.h"
#include "driver/fpl_preread.h"
#include "driver/settings_file.h"
#include "driver/trace_text.h"
#include "driver/user_language.h"
#include "foundation/condor_install.h"
#include "foundation/condor_waits.h"
#include "foundation/fixed_text.h"
#include "foundation/log.h"
#include "foundation/message_records.h"
#include "foundation/messages.h"
#include "foundation/number_text.h"
#include "foundation/option_records.h"
#include "foundation/output_targets.h"
#include "foundation/program_folder.h"
#include "foundation/run_stop.h"
#include "foundation/tell.h"
#include "platform/console.h"
#include "platform/environment.h"
#include "platform/files.h"
#include "taskfiles/task_model.h"

#include <string>

namespace {

constexpr std::string_view kSettingsFile = "%INST%\\Tarvex.ini";

std::string position(std::size_t at) { return at == std::string::npos ? "0" : i2b(static_cast<int>(at) + 1); }

// A cancelled setup form ends the run quietly.
void setup_form_or_end() {
    if (run_setup_form() <= 0) {
        end_run("", kExitSuccess);
    }
}

int write_settings(bool qaat_0, const RunState& run) {
    return create_ini(cmndta001.qline, tarvex01.qverb_0, qaat_0, run.qwrnc1, tarvex01.nvers);
}

// A settings file the run cannot go on without: a failure (already told)
// ends the run.
void write_needed_settings(bool qaat_0, const RunState& run) {
    if (write_settings(qaat_0, run) != 0) {
        end_run("", kExitConfiguration);
    }
}

void trace_options() {
    console_line("qxcs qlk8000 qcup target qchkwp qwait qline");
    console_line(target_switches_trace() + " " + i2b(tarvex01.ntarg) + " " + trace_flag(tarvex01.qchkwp) + " " +
                 trace_flag(tarvex01.qwait) + " " + trace_flag(cmndta001.qline));
    console_line("Tarvex Version=" + tarvex_c.cvers);
    console_line("Condor_1_path=" + inst00.condor_1_path);
    console_line("InstPath2=" + inst00.instpath2);
    console_line("InstPath3=" + inst00.instpath3);
    console_line("pilot_path=" + inst00.pilot_path);
    console_line("Flightplans_path=" + tarvex_c.defpath);
    console_line("Xcsoar_path=" + tarvex_c.xcsoar_tasks);
    console_line("Xcsoar_Root=" + tarvex_c.xcsoar_root);
    console_line("LK8000_path=" + tarvex_c.lk8000_tasks);
    console_line("LK8000_Root=" + tarvex_c.lk8000_root);
    console_line("SeeYou_path=" + tarvex_c.seeyou_tasks);
    console_line("SeeYou_Root=" + tarvex_c.seeyou_root);
}

}  // namespace

void vers_num(int& num) { num = kProgramVersion; }

void set_startup_defaults() {
    reset_option_records();
    reset_cmndta001();
    cmndta001.qfr = IsLanguageFrench() != 0;
    reset_inst00();
    inst00.condor_1_path = kFolderNotSet;
    reset_as0003();
    reset_task_model();
    reset_tvxfrm();
}

void settings_file_startup(RunState& run) {
    tarvex_c.inifile = std::string(kSettingsFile);
    locate_file(tarvex_c.inifile, false);
    console_line("INIFILE : " + tarvex_c.inifile);
    run.qex = file_exists(tarvex_c.inifile);

    if (!run.qex) {
        tarvex01.qkeepwnd = tarvex01.qkeepwnd || cmndta001.qline || tarvex01.qverb_0;
        if (!tarvex01.qkeepwnd) {
            HideConsole();
        }
        if (tarvex01.qgui) {
            setup_form_or_end();
        }
        write_needed_settings(rd_fpl_6.qaat, run);
    }

    run.settings_date = file_modification_time(tarvex_c.inifile);
    while (true) {
        const int status =
            read_ini(run.file_verbose, cmndta001.qline, tarvex01.qaat_ini, run.qwrnc1, run.file_version);
        if (status != kSettingsMissingData && run.file_version / 100 >= tarvex01.nvers / 100) {
            return;
        }
        if (!tarvex01.qgui) {
            const std::string text = in_user_language(
                "The Tarvex.ini file needs updating/Please run Tarvex with GUI to update the file",
                "Le fichier Tarvex.ini doit \xEAtre mis \xE0 jour/Veuillez ex\xE9" "cuter Tarvex avec l'interface "
                "graphique pour mettre \xE0 jour le fichier");
            // Shown, not logged.
            tell(kWarning, text);
            end_run(message_display_text(text), kExitConfiguration);
        }
        setup_form_or_end();
        write_needed_settings(rd_fpl_6.qaat, run);
    }
}

void rewrite_older_settings(const RunState& run) {
    if (run.qex && run.file_version / 10 < tarvex01.nvers / 10) {
        // The file read stays usable: a failure is told and the run goes on.
        write_settings(tarvex01.qaat_ini, run);
    }
}

void start_up(RunState& run) {
    run.t_start = wall_clock_seconds();
    log_message_f("CREATETarvex.log");
    set_startup_defaults();
    vers_num(tarvex01.nvers);
    int length = 0;
    numver_to_char(tarvex01.nvers, tarvex_c.cvers, length);

    const std::string program = program_path_argument();
    console_line(" " + program);
    const std::size_t colon = program.find(':');
    const std::size_t backslash = program.find('\\');
    // Started by its bare name from a console window (no drive, no folder of
    // either form): the console stays.
    tarvex01.qkeepwnd =
        colon == std::string::npos && backslash == std::string::npos && program.find('/') == std::string::npos;
    console_line("*** Console window *** " + position(colon) + " " + position(backslash) + " " +
                 trace_flag(tarvex01.qkeepwnd));

    // Read once before anything is shown, so that "-help", "-line", "-en" and
    // "-fr" act from the first message.
    get_arguments();
    if (check_condor_install("") == 0) {
        fatal_error(in_user_language("*** No Condor installation found (2 or 3) ***",
                                     "*** Aucune installation de Condor (2 ou 3) trouv\xE9" "e ***"),
                    kExitConfiguration);
    }
    get_active_condor_version();
    get_arguments();

    settings_file_startup(run);

    apply_language_setting();
    // The target the settings file asks for checks the waypoints (the command
    // line's own target does so when the conversion names its files).
    if (target_facts(target_asked_for()).checks_waypoints) {
        tarvex01.qchkwp = true;
    }
    run.summary_name_length = trimmed_length(tarvex_c.tskwrnfile);
    get_root_names();

    // The command line overrides the settings file; what it ignores is told
    // once, in the language the settings file may have chosen.
    get_arguments();
    warn_ignored_values();
    console_line("start_max_speed " + i2b(rd_fpl_6.start_max_speed));
    if (tarvex01.qwait) {
        tarvex01.qgui = false;
    }
    if (tarvex01.qverb_0) {
        trace_options();
    }

    rewrite_older_settings(run);

    rd_fpl_6.qaat = rd_fpl_6.qaat || tarvex01.qaat_ini;
    tarvex01.qverb_0 = tarvex01.qverb_0 || run.file_verbose;
    complete_defpath();

    tarvex01.qkeepwnd = tarvex01.qkeepwnd || cmndta001.qline || tarvex01.qverb_0 || tarvex01.qwait;
    if (run.qex && !tarvex01.qkeepwnd) {
        HideConsole();
    }
}

#include "driver/settings_file.h"

#include "airspace/airspace_records.h"
#include "foundation/condor_install.h"
#include "foundation/fixed_text.h"
#include "foundation/fortran_format.h"
#include "foundation/number_text.h"
#include "foundation/option_records.h"
#include "foundation/paths_files.h"
#include "foundation/run_stop.h"
#include "foundation/tell.h"
#include "platform/console.h"
#include "platform/files.h"
#include "platform/glue_dialogs.h"
#include "taskfiles/task_model.h"

#include <algorithm>
#include <array>
#include <string>
#include <utility>
#include <vector>

namespace {

constexpr int kLastBackupNumber = 9999;
constexpr std::size_t kMessageLength = 256;
constexpr std::size_t kTitleLength = 80;
constexpr std::size_t kNoFolderMessageLength = 200;
constexpr std::size_t kFolderAnswerLength = 255;

std::string digit(int value) { return fmt_i(value, 1); }
std::string flag(bool value) { return value ? "1" : "0"; }

std::string target_text() {
    if (tarvex01.qlk8000) {
        return "LK8000";
    }
    return tarvex01.qcup ? "SeeYou" : "XCSoar";
}

std::string language_text() {
    if (tarvex01.nlang <= 1) {
        return "AUTO";
    }
    return tarvex01.nlang == 2 ? "EN" : "FR";
}

// The first free backup name of the settings file's folder, or nothing once
// every number up to 9999 is taken.
bool find_backup_name(const std::string& folder, bool qverb, std::string& backup) {
    for (int number = 0; number <= kLastBackupNumber; ++number) {
        const std::string candidate = join_path(folder, "Tarvex_" + fmt_i(number, 4, 4) + ".ini");
        if (qverb) {
            console_line(" " + candidate);
        }
        if (!file_exists(candidate)) {
            backup = candidate;
            return true;
        }
    }
    return false;
}

[[noreturn]] void cannot_create(const std::string& inifile) {
    fatal_error(fit_field(in_user_language("*** File ", "*** Le fichier ") + inifile +
                              in_user_language(" : cannot be created ***", " n'a pas pu \xEAtre cr\xE9\xE9 ***"),
                          kMessageLength),
                kExitConfiguration);
}

// Moves the existing settings file aside under a numbered name.
void move_aside(const std::string& inifile, bool qverb) {
    std::string folder;
    std::string name;
    extract_path_name(inifile, folder, name);
    std::string backup;
    if (!find_backup_name(folder, qverb, backup)) {
        fatal_error(fit_field(in_user_language("*** File ", "*** Fichier ") + inifile +
                                  std::string(in_user_language(
                                      " : no free backup name, Tarvex_0000.ini to Tarvex_9999.ini all exist ***",
                                      " : plus de nom de sauvegarde libre, Tarvex_0000.ini \xE0 Tarvex_9999.ini "
                                      "existent tous ***")),
                              kMessageLength),
                    kExitConfiguration);
    }
    const int status = rename_file(inifile, backup);
    console_line(" " + extract_name(backup) + " " + i2b(status));
}

// The lines of the file, in their fixed order, each comment above its key.
std::vector<std::string> settings_lines(bool qverb, bool qaat_0, int nv1) {
    const int aat = tarvex01.qaat_detect ? 2 : (qaat_0 ? 1 : 0);
    const int folders = (tarvex01.qpolfold ? 1 : 0) + (tarvex01.qmapfold ? 2 : 0);
    return {
        "# Tarvex.ini : settings file for Tarvex",
        "# This file is automatically created or updated at the first run",
        "# It can be edited to reflect your local configuration",
        "",
        "# Tarvex version number - please do not modify",
        "Tarvex Version=" + fmt_i(nv1, 4, 4),
        "",
        "# Target software (XCSoar/LK8000/SeeYou - default=XCSoar)",
        "Target=" + target_text(),
        "",
        "# path to Condor 2 installation folder - default OR AUTO: read from registry",
        "Condor 2 Path=" + (tarvex01.qauto_c2_inst ? std::string("AUTO") : trim_right(inst00.cndrinstpath)),
        "",
        "# Condor user folder (usually DOCUMENTS\\Condor - default OR AUTO:read from registry)",
        "Condor root folder=" + (tarvex01.qauto_c2_root ? std::string("AUTO") : trim_right(inst00.pilot_path)),
        "",
        "# destination path (folder or filename) for convertedXCSoartasks",
        "XCsoar Destination Path=" + trim_right(tarvex_c.xcsoar_tasks),
        "",
        "# destination path (folder or filename) for convertedLK8000tasks",
        "LK8000 Destination Path=" + trim_right(tarvex_c.lk8000_tasks),
        "",
        "# destination path (folder or filename) for convertedSeeYoutasks",
        "SeeYou Destination Path=" + trim_right(tarvex_c.seeyou_tasks),
        "",
        "# Alternate CUP file for turnpoints",
        "Alt Cup file=" + trim_right(tarvex_c.altcupfile),
        "",
        "# Default path (folder or whole path or filename or AUTO) for flightplans - def = AUTO",
        "# if filename only, the path will be the default Condor Flightplans folder",
        "Flightplans path=" + (tarvex01.qauto_defpath ? std::string("AUTO") : trim_right(tarvex_c.defpath)),
        "",
        "# If \"Flightplans path\" is a file :",
        "# 0=ask for file anyway, 1=use specified file without asking, 2=wait for new version of file",
        "AutoLoad=" + digit(tarvex01.nauto - 1),
        "",
        "# Language (AUTO/EN/FR) :",
        "Language=" + language_text(),
        "",
        "# verbose mode (0/1) :",
        "verbose=" + flag(qverb),
        "",
        "# AAT mode (0=no,default ; 1=yes ; 2=auto-detect) : ",
        "AAT=" + digit(aat),
        "",
        "# Manual [1] or automatic start [0], def=0",
        "Arm_start_manually=" + flag(tarvex01.qman_arm_start_rt),
        "",
        "# AAT Manual [1] or automatic start [0], def=0",
        "AAT_Arm_start_manually=" + flag(tarvex01.qman_arm_start_aat),
        "",
        "# Task rules warnings (0/1) : ",
        "Task warnings=" + flag(tarvex01.qtskwrn),
        "",
        "# Task rules file - default=None",
        "Task warnings file=" + trim_right(tarvex_c.tskwrnfile),
        "",
        "# Suppress task rules and summary pop-up messages - 0/1, default=0",
        "Silent=" + flag(tarvex01.qsilent),
        "",
        "# Default Files",
        "# XCSoar: copy task to Default.tsk (0/1)",
        "# LK8000: (0/1/2) 1=overwrite all default files, 2=write all files with specified outfile name",
        "Write Default Files=" + digit(tarvex01.ndeftsk),
        "",
        "# Polars and maps are stored in a specific folder (Polars resp. Maps)(XCSoar only)",
        "0=none, 1=Polars, 2=Maps, 3=Polars and maps",
        "Use Polars folder=" + digit(folders),
        "",
        "# Height margin for max start altitude (m)",
        "Start height margin=" + i2b(tarvex01.start_margin),
        "",
        "# Maximum speed when crossing start line (kph - default=0)",
        "Start max speed=" + i2b(rd_fpl_6.start_max_speed),
        "",
        "# Profile file (name or 0=NO - default=Condor.prf) : ",
        "Profile file=" + (tarvex01.qwrprf ? extract_name(tarvex_c.prfnam) : std::string("0")),
        "",
        "# Airspace file (name - default=FLIGHTPLAN-PZ.txt) : ",
        "Airspace file=" + extract_name(tarvex_c.airnam),
        "",
        "# Remove airspace outside task area [0/1], def=1",
        "Crop_Airspace=" + flag(as0003.qcropas),
        "",
        "# Airspace margin around task area (km), def=37 (20nm)",
        "Airspace_margin=" + i2b(tarvex01.maxtaskmargin),
        "",
        "# Delete inactive airspaces from airspace file generated",
        "# [0/1], 0=write commented out (\"*\"), 1=delete, def=1",
        "Delete_Inactive_AS=" + flag(as0003.qdeldup),
        "",
        "# Units : 0=Auto, 1=Metric, 2=Imperial",
        "Units=" + digit(tarvex01.nunit - 1),
        "",
        "# SeeYou format: 0=Old, 1=New",
        "CUP format=" + digit(tarvex01.nform_cup),
        "",
        "# FAI sectors (500m/360\xB0 TPs, SeeYou and json only) [0/1], default=0",
        "FAI_Sectors=" + flag(tarvex01.qfaisector),
        "",
        "# Write max altitudes in .cup task files [0/1],default=1",
        "CUP_max_alt=" + flag(tarvex01.qmaxalt_cup),
        "",
        "# Add TP numbers to names (LK8000 ONLY) [0/1],default=0",
        "LK8000_turnpoint_numbers=" + flag(tarvex01.qlk_tp_num),
        "",
        "# When converting .cup -> .fpl, ask for template [0/1], def=0",
        "Ask_for_template=" + flag(tarvex01.qtemplate),
        "",
        "# Script to run once the task conversion has been processed (default: no script)",
        "Post run script=" + trim_right(tarvex_c1.scrnam),
    };
}

}  // namespace

void get_dest_path(std::string_view nam, std::string& path) {
    const std::string target(nam);
    const std::string title =
        fit_field(in_user_language("Destination folder for converted " + target + " tasks",
                                   "Dossier de destination pour les circuits " + target + " convertis"),
                  kTitleLength);
    int len = 0;
    std::string folder;
    if (GetFolder(title, "", len, folder) != 0) {
        path.clear();
        tell_and_log(kInformation,
                     fit_field(in_user_language(
                                   "*** No destination folder for converted " + target + " tasks ***",
                                   "*** Pas de dossier de destination pour les circuits " + target + " convertis ***"),
                               kNoFolderMessageLength));
        return;
    }
    path = fit_field(folder.substr(0, static_cast<std::size_t>(std::max(len, 0))), kFolderAnswerLength);
    console_line(" get_dest_path " + i2b(len) + " " + path);
}

void create_ini(bool qlin1, bool qverb, bool qaat_0, bool /*qwrnc1*/, int nv1) {
    const std::string inifile = trim_right(tarvex_c.inifile);
    const bool existed = file_exists(inifile);
    console_line(std::string(" create_ini ") + (existed ? "T" : "F"));
    if (existed) {
        move_aside(inifile, qverb);
    }
    if (file_exists(inifile)) {
        // The rename failed: the file in place is never overwritten.
        cannot_create(inifile);
    }
    FileWriter writer(inifile);
    if (!writer.is_open()) {
        cannot_create(inifile);
    }

    const std::array<std::pair<std::string*, std::string_view>, 3> destinations = {{
        {&tarvex_c.xcsoar_tasks, "XCsoar"},
        {&tarvex_c.lk8000_tasks, "LK8000"},
        {&tarvex_c.seeyou_tasks, "SeeYou"},
    }};
    for (const auto& [folder, name] : destinations) {
        if (folder->starts_with(kFolderNotSet)) {
            get_dest_path(name, *folder);
        }
    }

    if (!tarvex01.qaltcup) {
        tarvex_c.altcupfile.clear();
    }
    tarvex01.nauto = tarvex01.qwait ? 3 : (tarvex01.qauto ? 2 : 1);
    tarvex01.ndeftsk = tarvex01.qdeftsklk8000 ? 2 : (tarvex01.qdeftsk ? 1 : 0);

    for (const std::string& line : settings_lines(qverb, qaat_0, nv1)) {
        writer.write_line(line);
        if (line.starts_with("Flightplans path=")) {
            console_line("Create_ini, NAUTO " + i2b(tarvex01.nauto) + " " + (tarvex01.qauto ? "T" : "F") + " " +
                         (tarvex01.qwait ? "T" : "F"));
        }
    }
    if (writer.close() != 0) {
        cannot_create(inifile);
    }

    tell_and_log(kInformation,
                 fit_field(in_user_language("File " + inifile +
                                                " was successfully created or updated\n\n"
                                                "You may edit it at any time to to reflect your local configuration",
                                            "Le fichier " + inifile +
                                                " a \xE9te cr\xE9\xE9 ou mis \xE0 jour\n\n"
                                                "Vous pouvez l'\xE9" "diter \xE0 tout moment"),
                           kMessageLength),
                 {.qline = qlin1});
}

#include "driver/settings_file.h"

#include "driver/installation_lock.h"
#include "driver/settings_keys.h"
#include "foundation/condor_install.h"
#include "foundation/file_backup.h"
#include "foundation/fixed_text.h"
#include "foundation/fortran_format.h"
#include "foundation/number_text.h"
#include "foundation/option_records.h"
#include "foundation/paths_files.h"
#include "foundation/tell.h"
#include "foundation/unwritten_files.h"
#include "platform/console.h"
#include "platform/files.h"
#include "platform/glue_dialogs.h"

#include <algorithm>
#include <array>
#include <cerrno>
#include <string>
#include <utility>
#include <vector>

namespace {

constexpr int kLastBackupNumber = 9999;
constexpr std::size_t kMessageLength = 256;
constexpr std::size_t kTitleLength = 80;
constexpr std::size_t kNoFolderMessageLength = 200;

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

// Tells that the settings file was not written (the old one stays).
void cannot_create(const std::string& inifile) {
    const std::string shown = slashes_kept(inifile);
    report_unwritten_file(inifile,
                          fit_field("*** File " + shown + " : cannot be created ***", kMessageLength),
                          fit_field("*** Le fichier " + shown + " n'a pas pu \xEAtre cr\xE9\xE9 ***", kMessageLength));
}

// Keeps the existing settings file under the first free numbered name, from
// its bytes as read: 0 when it is kept (an empty file needs no backup), else
// the failure, told.
int back_up_settings(const std::string& inifile, bool qverb) {
    ByteFileReader reader(inifile);
    std::string bytes;
    if (!reader.is_open() || !reader.read_all(bytes)) {
        const int status = reader.is_open() ? reader.read_status() : reader.open_status();
        const std::string shown = slashes_kept(inifile);
        report_unwritten_file(inifile,
                              fit_field("*** File " + shown + ": error reading ***", kMessageLength),
                              fit_field("*** Fichier " + shown + " : erreur de lecture ***", kMessageLength));
        return status;
    }
    if (bytes.empty()) {
        console_line(" create_ini : empty file, no backup");
        return 0;
    }
    std::string folder;
    std::string name;
    extract_path_name(inifile, folder, name);
    std::string backup;
    if (!find_backup_name(folder, qverb, backup)) {
        report_unwritten_file(
            inifile,
            fit_field("*** File " + inifile +
                          " : no free backup name, Tarvex_0000.ini to Tarvex_9999.ini all exist ***",
                      kMessageLength),
            fit_field("*** Fichier " + inifile +
                          " : plus de nom de sauvegarde libre, Tarvex_0000.ini \xE0 Tarvex_9999.ini existent tous ***",
                      kMessageLength));
        return EEXIST;
    }
    const int status = write_backup(backup, bytes);
    console_line(" " + extract_name(backup) + " " + i2b(status));
    return status;
}

// The lines of the file: its head, then each setting written with its
// comment lines above it, an empty line before each.
std::vector<std::string> settings_lines(const SettingsFileSwitches& file) {
    std::vector<std::string> lines = {
        "# Tarvex.ini : settings file for Tarvex",
        "# This file is automatically created or updated at the first run",
        "# It can be edited to reflect your local configuration",
    };
    for (const Setting& setting : settings_table()) {
        if (setting.comment.empty()) {
            continue;
        }
        lines.emplace_back();
        std::string_view comment = setting.comment;
        while (true) {
            const std::size_t end = comment.find('\n');
            lines.emplace_back(comment.substr(0, end));
            if (end == std::string_view::npos) {
                break;
            }
            comment.remove_prefix(end + 1);
        }
        lines.push_back(std::string(setting.key) + "=" + written_value(setting, file));
    }
    return lines;
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
    const bool chosen = GetFolder(title, "", len, folder) == 0;
    folder.resize(std::min(folder.size(), static_cast<std::size_t>(std::max(len, 0))));
    if (!chosen || !chosen_path_fits(folder)) {
        path.clear();
        tell_and_log(kInformation,
                     fit_field(in_user_language(
                                   "*** No destination folder for converted " + target + " tasks ***",
                                   "*** Pas de dossier de destination pour les circuits " + target + " convertis ***"),
                               kNoFolderMessageLength));
        return;
    }
    path = folder;
    console_line(" get_dest_path " + i2b(len) + " " + path);
}

int create_ini(bool qlin1, bool qverb, bool qaat_0, bool /*qwrnc1*/, int nv1) {
    const std::string inifile = trim_right(tarvex_c.inifile);
    console_line(std::string(" create_ini ") + (file_exists(inifile) ? "T" : "F"));

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

    // No other run of the installation reads or rewrites the file meanwhile.
    const InstallationHold hold = hold_installation_lock();
    if (file_exists(inifile)) {
        const int backup = back_up_settings(inifile, qverb);
        if (backup != 0) {
            cannot_create(inifile);
            return backup;
        }
    }
    FileWriter writer(inifile);
    for (const std::string& line : settings_lines({.verbose = qverb, .aat = qaat_0, .version = nv1})) {
        writer.write_line(line);
        if (line.starts_with("Flightplans path=")) {
            console_line("Create_ini, NAUTO " + i2b(tarvex01.nauto) + " " + (tarvex01.qauto ? "T" : "F") + " " +
                         (tarvex01.qwait ? "T" : "F"));
        }
    }
    const int status = writer.close();
    if (status != 0) {
        cannot_create(inifile);
        return status;
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
    return 0;
}

#include "driver/settings_file.h"

#include "driver/settings_keys.h"
#include "driver/user_language.h"
#include "foundation/condor_install.h"
#include "foundation/fixed_text.h"
#include "foundation/key_value.h"
#include "foundation/number_text.h"
#include "foundation/option_records.h"
#include "foundation/paths_files.h"
#include "foundation/run_stop.h"
#include "foundation/tell.h"
#include "foundation/text_edit.h"
#include "platform/console.h"
#include "platform/encoding.h"
#include "platform/files.h"
#include "platform/path_map.h"

#include <cstdint>
#include <string>
#include <vector>

namespace {

// Versions up to this one kept one destination folder for every target.
constexpr int kLastSingleDestinationVersion = 3899;
constexpr std::size_t kMessageLength = 256;

// The first line of the file whose value the program cannot use; `lacking`:
// the first character of it the program's code page lacks (0 for none).
struct RefusedSetting {
    const Setting* setting = nullptr;
    std::string value;
    char32_t lacking = 0;
};

// Why it is refused, "<key>=<value> : <reason>", in the run's language (told
// once the file's own language is known).
std::string refusal_text(const RefusedSetting& refused) {
    if (refused.lacking == 0) {
        return setting_refusal(*refused.setting, refused.value);
    }
    // The value holds "?" where the character stood: the message names it.
    const std::string character = code_point_text(refused.lacking);
    return std::string(refused.setting->key) + "=" + slashes_kept(refused.value) +
           in_user_language(" : a character Tarvex cannot hold (" + character + ")",
                            " : un caract\xE8re que Tarvex ne peut pas lire (" + character + ")");
}

// One line of the file: comments and blank lines are skipped (false),
// "verbose" and "AAT" may stand alone. A value the program cannot use is
// kept in `refused` (the first one) instead of applied; so is one that held
// a character the program's code page lacks (`lacking`), which would name
// another file or say another thing.
bool apply_line(const std::string& line, char32_t lacking, SettingsFileSwitches& file, RefusedSetting& refused) {
    if (is_blank(line) || line.front() == '#') {
        return false;
    }
    if (line == "verbose") {
        file.verbose = true;
        return true;
    }
    if (line == "AAT") {
        file.aat = true;
        return true;
    }
    std::string key;
    std::string value;
    extract_key_val(line, key, value);
    // Keys that name no setting are ignored.
    if (const Setting* setting = find_setting(fit_field(key, kIniKeyLength))) {
        if (setting->type == SettingType::text) {
            // A path takes the forms the command line takes: a host path, a
            // drive path written with "/".
            value = windows_path_from_setting(value);
        }
        const bool fits = setting_refusal(*setting, value).empty();
        if (fits && lacking == 0) {
            read_setting(*setting, fit_field(value, kIniValueLength), file);
        } else if (refused.setting == nullptr) {
            refused = {setting, value, fits ? lacking : 0};
        }
    }
    return true;
}

// The newest numbered backup of the settings file ("Tarvex_NNNN.ini" beside
// it, by modification time, the higher number on a tie) that holds something;
// empty when there is none.
std::string last_settings_backup() {
    std::string folder;
    std::string name;
    extract_path_name(trim_right(tarvex_c.inifile), folder, name);
    std::vector<std::string> names;
    list_folder(folder, names, "Tarvex_????.ini");
    std::string newest;
    std::int64_t newest_time = -1;
    for (const std::string& candidate : names) {
        const std::string path = folder + candidate;
        const std::int64_t time = file_modification_time(path);
        if (file_size(path) > 0 && time >= newest_time) {
            newest = path;
            newest_time = time;
        }
    }
    return newest;
}

// A message about a settings file that gives no settings, with the backup
// that holds the last ones when there is one.
std::string with_last_settings(const std::string& message) {
    const std::string backup = last_settings_backup();
    if (backup.empty()) {
        return message;
    }
    const std::string shown = slashes_kept(backup);
    return fit_field(message + in_user_language("/The last settings are in " + shown,
                                                "/Les derniers param\xE8tres sont dans " + shown),
                     kBoxTextLength);
}

std::string file_message(std::string_view english_tail, std::string_view french_tail) {
    const std::string name = slashes_kept(trim_right(tarvex_c.inifile));
    return fit_field(in_user_language("*** File ", "*** Fichier ") + name +
                         in_user_language(english_tail, french_tail),
                     kMessageLength);
}

// Files of the old layout had one destination, written under the XCSoar key.
void convert_single_destination(bool qlin1) {
    if (tarvex01.qlk8000 && !tarvex_c.xcsoar_tasks.starts_with(kFolderNotSet)) {
        tarvex_c.lk8000_tasks = tarvex_c.xcsoar_tasks;
        tarvex_c.xcsoar_tasks = kFolderNotSet;
    }
    if (tarvex01.qcup && !tarvex_c.xcsoar_tasks.starts_with(kFolderNotSet)) {
        tarvex_c.seeyou_tasks = tarvex_c.xcsoar_tasks;
        tarvex_c.xcsoar_tasks = kFolderNotSet;
    }
    const std::string message =
        fit_field(slashes_kept(trim_right(tarvex_c.inifile)) +
                      std::string(in_user_language(": version < V4.0/File will be converted",
                                                   " : version < V4.0/Le fichier va \xEAtre converti")),
                  kMessageLength);
    tell_and_log(kInformation, message, {.qline = qlin1});
}

bool data_missing() {
    return inst00.cndrinstpath.starts_with(kFolderNotSet) ||
           (tarvex_c.xcsoar_tasks.starts_with(kFolderNotSet) && tarvex_c.lk8000_tasks.starts_with(kFolderNotSet) &&
            tarvex_c.seeyou_tasks.starts_with(kFolderNotSet));
}

}  // namespace

int read_ini(bool& qverb, bool qlin1, bool& qaat_0, bool& qwrnc1, int& nv1) {
    tarvex01.qpolfold = true;
    SettingsFileSwitches file{qverb, qaat_0, qwrnc1, nv1};

    TextFileReader reader(trim_right(tarvex_c.inifile));
    if (!reader.is_open()) {
        fatal_error(with_last_settings(file_message(" : cannot be opened ***", " : ouverture impossible ***")),
                    kExitConfiguration);
    }
    std::string line;
    int settings = 0;
    RefusedSetting refused;
    bool first_line = true;
    bool utf8 = false;
    while (reader.read_line(line)) {
        if (first_line && line.starts_with(kUtf8Bom)) {
            // Saved as UTF-8 by an editor: the mark is no text, the rest is UTF-8.
            line.erase(0, kUtf8Bom.size());
            utf8 = true;
        }
        first_line = false;
        // A file saved as UTF-8 (it began with the byte-order mark) read in
        // the program's code page.
        char32_t lacking = 0;
        if (utf8) {
            line = utf8_to_cp1252(line, lacking);
        }
        if (apply_line(fit_field(line, kIniLineLength), lacking, file, refused)) {
            ++settings;
        }
    }
    qverb = file.verbose;
    qaat_0 = file.aat;
    qwrnc1 = file.condor1_warnings;
    nv1 = file.version;
    if (reader.failed()) {
        fatal_error(with_last_settings(file_message(": error reading ***", " : erreur de lecture ***")),
                    kExitConfiguration);
    }

    apply_language_setting();
    if (refused.setting != nullptr) {
        fatal_error(in_user_language("*** File ", "*** Fichier ") + slashes_kept(trim_right(tarvex_c.inifile)) + " : " +
                        refusal_text(refused) + " ***",
                    kExitConfiguration);
    }

    if (nv1 <= kLastSingleDestinationVersion) {
        convert_single_destination(qlin1);
    }

    console_line(" condor_1_path " + inst00.condor_1_path);
    console_line(" cndrinstpath  " + inst00.cndrinstpath);
    console_line(" xcsoar_tasks  " + tarvex_c.xcsoar_tasks);
    console_line(" lk8000_tasks  " + tarvex_c.lk8000_tasks);
    console_line(" seeyou_tasks  " + tarvex_c.seeyou_tasks);
    console_line(" defpath       " + tarvex_c.defpath);

    int result = kSettingsRead;
    if (data_missing()) {
        // A file without a single setting (empty, as a rewrite cut short by an
        // older program leaves it) says where the last settings are.
        std::string message = file_message(": missing data ***", " : donn\xE9" "es manquantes ***");
        if (settings == 0) {
            message = with_last_settings(message);
        }
        tell_and_log(kError, message, {.qline = qlin1});
        result = kSettingsMissingData;
    }

    if (is_blank(inst00.cndrinstpath) || inst00.cndrinstpath.starts_with(kFolderNotSet) || tarvex01.qauto_c2_inst) {
        inst00.cndrinstpath = inst00.condor_version == 2 ? inst00.instpath2 : inst00.instpath3;
    }
    std::string upper = tarvex_c.defpath;
    majusc(upper);
    tarvex01.qdeffplfil = upper.find(".FPL") != std::string::npos;

    console_line("Read_ini, NAUTO " + i2b(tarvex01.nauto) + " " + (tarvex01.qauto ? "T" : "F") + " " +
                 (tarvex01.qwait ? "T" : "F"));
    return result;
}

#include "driver/settings_keys.h"

#include "airspace/airspace_records.h"
#include "foundation/condor_install.h"
#include "foundation/fixed_text.h"
#include "foundation/fortran_format.h"
#include "foundation/key_value.h"
#include "foundation/number_text.h"
#include "foundation/option_records.h"
#include "foundation/output_targets.h"
#include "foundation/path_length.h"
#include "foundation/paths_files.h"
#include "foundation/read_one_number.h"
#include "foundation/task_rule_limits.h"
#include "foundation/tell.h"
#include "foundation/text_edit.h"
#include "taskfiles/task_model.h"

#include <algorithm>
#include <array>
#include <climits>

namespace {

// The largest version the file's four digits hold.
constexpr int kLargestVersion = 9999;

// An integer value, 0 when the value is not an integer.
int integer_or_zero(std::string_view value) {
    int number = 0;
    int ios = 0;
    str2int(value, number, ios);
    return ios == 0 ? number : 0;
}

// n + 1 held within the range of int.
int plus_one(int n) { return n == INT_MAX ? n : n + 1; }

std::string digit(int value) { return fmt_i(value, 1); }
std::string flag(bool value) { return value ? "1" : "0"; }

// "AUTO" (or nothing) makes a folder found automatically; else it is the folder.
void read_auto_folder(const std::string& value, bool& automatic, std::string& folder) {
    automatic = value.empty() || value == kAutomatic;
    if (!automatic) {
        folder = value;
    }
}

void read_default_files(const std::string& value, SettingsFileSwitches&) {
    tarvex01.ndeftsk = integer_or_zero(value);
    tarvex01.qdeftsk = tarvex01.ndeftsk > 0;
    tarvex01.qdeftsklk8000 = tarvex01.ndeftsk == 2;
}

void read_target(const std::string& value, SettingsFileSwitches&) {
    std::string upper = value;
    majusc(upper);
    if (upper == "LK8000" || upper == "SEEYOU" || upper == "XCSOAR" || upper == "JSON") {
        tarvex01.qlk8000 = upper == "LK8000";
        tarvex01.qcup = upper == "SEEYOU";
        tarvex01.qxcs = upper == "XCSOAR";
        tarvex01.qjson = upper == "JSON";
    }
}

// The target the switches ask for, as read_target reads it back (JSON
// included, so that a rewrite keeps a JSON target).
std::string target_text(const SettingsFileSwitches&) {
    switch (target_asked_for()) {
        case kTargetLkt: return "LK8000";
        case kTargetCup: return "SeeYou";
        case kTargetJson: return "JSON";
        default: return "XCSoar";
    }
}

void read_language(const std::string& value, SettingsFileSwitches&) {
    std::string upper = value;
    majusc(upper);
    if (upper == "FR") {
        tarvex01.nlang = 3;
    } else if (upper == "EN") {
        tarvex01.nlang = 2;
    } else if (upper == kAutomatic || upper.empty()) {
        tarvex01.nlang = 1;
    }
}

std::string language_text(const SettingsFileSwitches&) {
    if (tarvex01.nlang <= 1) {
        return std::string(kAutomatic);
    }
    return tarvex01.nlang == 2 ? "EN" : "FR";
}

void read_autoload(const std::string& value, SettingsFileSwitches&) {
    const int n = integer_or_zero(value);
    tarvex01.qauto = tarvex01.qauto || n == 1;
    tarvex01.qwait = tarvex01.qwait || n == 2;
    tarvex01.nauto = plus_one(n);
}

void read_aat(const std::string& value, SettingsFileSwitches& file) {
    const int n = integer_or_zero(value);
    file.aat = n == 1;
    tarvex01.qaat_detect = n == 2;
}

// "<key>=<value> : <reason>", the reason in the run's language.
std::string refused(std::string_view key, const std::string& value, std::string_view english,
                    std::string_view french) {
    return std::string(key) + "=" + slashes_kept(value) + in_user_language(english, french);
}

// A whole number as the file writes one: an optional sign and digits, within
// the range of int ("12abc", "50.7" and "1e3" are none).
bool read_whole_number(std::string_view value, int& number) {
    const bool signed_number = !value.empty() && (value.front() == '-' || value.front() == '+');
    return is_uint(signed_number ? value.substr(1) : value) && read_one_int(value, number);
}

// The refusal of a value that is not a whole number within lowest .. highest
// (`unit` after the range the message gives).
std::string whole_number_outside(std::string_view key, const std::string& value, int lowest, int highest,
                                 std::string_view unit) {
    const std::string range = i2b(lowest) + " - " + i2b(highest) + (unit.empty() ? "" : " ") + std::string(unit);
    int number = 0;
    if (!read_whole_number(value, number)) {
        return refused(key, value, " : not a whole number (" + range + ")", " : pas un nombre entier (" + range + ")");
    }
    if (number < lowest || number > highest) {
        return refused(key, value, " : out of range (" + range + ")", " : hors limites (" + range + ")");
    }
    return {};
}

// A setting whose comment lists the numbers 0 to Highest.
template <int Highest>
std::string choice_outside(std::string_view key, const std::string& value) {
    return whole_number_outside(key, value, 0, Highest, "");
}

// "Write Default.tsk", the older name, also takes a blank value (0).
std::string old_default_files_outside(std::string_view key, const std::string& value) {
    return value.empty() ? std::string() : choice_outside<2>(key, value);
}

// A switch is written "0" or "1"; a hand-written "Y"/"yes" or "N"/"no" has
// always been read too (is_true reads the first letter), so it still is.
std::string not_a_switch(std::string_view key, const std::string& value) {
    constexpr std::string_view kLetters = "YyNn";
    if (value == "0" || value == "1" || (!value.empty() && kLetters.find(value.front()) != std::string_view::npos)) {
        return {};
    }
    return refused(key, value, " : neither 0 nor 1", " : ni 0 ni 1");
}

// The version is written with four digits.
std::string version_outside(std::string_view key, const std::string& value) {
    return whole_number_outside(key, value, 0, kLargestVersion, "");
}

// A negative margin would crop the task's own area out of the airspace.
std::string margin_outside(std::string_view key, const std::string& value) {
    int margin = 0;
    if (!read_whole_number(value, margin)) {
        return refused(key, value, " : not a whole number (km)", " : pas un nombre entier (km)");
    }
    if (margin < 0) {
        return refused(key, value, " : the margin cannot be negative", " : la marge ne peut pas \xEAtre n\xE9gative");
    }
    return {};
}

// The ranges of foundation/task_rule_limits.h: a number no task file has room
// for beyond them.
std::string start_margin_outside(std::string_view key, const std::string& value) {
    return whole_number_outside(key, value, 0, static_cast<int>(kMaxStartMargin), "m");
}

std::string start_speed_outside(std::string_view key, const std::string& value) {
    return whole_number_outside(key, value, 0, static_cast<int>(kMaxStartSpeed), "km\\/h");
}

std::string target_outside(std::string_view key, const std::string& value) {
    std::string upper = value;
    majusc(upper);
    if (upper == "LK8000" || upper == "SEEYOU" || upper == "XCSOAR" || upper == "JSON") {
        return {};
    }
    return refused(key, value, " : not XCSoar, LK8000, SeeYou or JSON", " : ni XCSoar, ni LK8000, ni SeeYou, ni JSON");
}

// A blank language is the automatic one.
std::string language_outside(std::string_view key, const std::string& value) {
    std::string upper = value;
    majusc(upper);
    if (upper.empty() || upper == kAutomatic || upper == "EN" || upper == "FR") {
        return {};
    }
    return refused(key, value, " : not AUTO, EN or FR", " : ni AUTO, ni EN, ni FR");
}

// "Profile file=0" turns the profile off and names none; any other value
// names the profile (by its file name) and turns it on.
void read_profile(const std::string& value, SettingsFileSwitches&) {
    const std::string name = extract_name(value);
    tarvex01.qwrprf = name != kNoProfileName;
    tarvex_c.prfnam = tarvex01.qwrprf ? name : std::string();
}

void read_folders(const std::string& value, SettingsFileSwitches&) {
    int n = 0;
    if (read_one_int(value, n)) {
        tarvex01.qpolfold = (n & 1) != 0;
        tarvex01.qmapfold = (n & 2) != 0;
    }
}

// Comment lines of the settings written.
constexpr std::string_view kFlightplansComment =
    "# Default path (folder or whole path or filename or AUTO) for flightplans - def = AUTO\n"
    "# if filename only, the path will be the default Condor Flightplans folder";
constexpr std::string_view kAutoLoadComment =
    "# If \"Flightplans path\" is a file :\n"
    "# 0=ask for file anyway, 1=use specified file without asking, 2=wait for new version of file";
constexpr std::string_view kDefaultFilesComment =
    "# Default Files\n"
    "# XCSoar: copy task to Default.tsk (0/1)\n"
    "# LK8000: (0/1/2) 1=overwrite all default files, 2=write all files with specified outfile name";
// The second line has no "#": the file has always been written so; read back,
// it is a key "0" that nothing knows.
constexpr std::string_view kFoldersComment =
    "# Polars and maps are stored in a specific folder (Polars resp. Maps)(XCSoar only)\n"
    "0=none, 1=Polars, 2=Maps, 3=Polars and maps";
constexpr std::string_view kDeleteInactiveComment =
    "# Delete inactive airspaces from airspace file generated\n"
    "# [0/1], 0=write commented out (\"*\"), 1=delete, def=1";

using Type = SettingType;

constexpr auto kSettings = std::to_array<Setting>({
    {"Tarvex Version", "# Tarvex version number - please do not modify", Type::integer, {}, false,
     [](const std::string& value, SettingsFileSwitches& file) { file.version = integer_or_zero(value); },
     [](const SettingsFileSwitches& file) { return fmt_i(file.version, 4, 4); }, version_outside},
    {"Target", "# Target software (XCSoar/LK8000/SeeYou/JSON - default=XCSoar)", Type::choice, {}, false,
     read_target, target_text, target_outside},
    {"Condor 2 Path", "# path to Condor 2 installation folder - default OR AUTO: read from registry", Type::text,
     &inst00.cndrinstpath, true,
     [](const std::string& value, SettingsFileSwitches&) {
         read_auto_folder(value, tarvex01.qauto_c2_inst, inst00.cndrinstpath);
     },
     [](const SettingsFileSwitches&) {
         return tarvex01.qauto_c2_inst ? std::string(kAutomatic) : trim_right(inst00.cndrinstpath);
     }},
    {"Condor root folder", "# Condor user folder (usually DOCUMENTS\\Condor - default OR AUTO:read from registry)",
     Type::text, &inst00.pilot_path, true,
     [](const std::string& value, SettingsFileSwitches&) {
         read_auto_folder(value, tarvex01.qauto_c2_root, inst00.pilot_path);
     },
     [](const SettingsFileSwitches&) {
         return tarvex01.qauto_c2_root ? std::string(kAutomatic) : trim_right(inst00.pilot_path);
     }},
    {"XCsoar Destination Path", "# destination path (folder or filename) for convertedXCSoartasks", Type::text,
     &tarvex_c.xcsoar_tasks, true},
    {"LK8000 Destination Path", "# destination path (folder or filename) for convertedLK8000tasks", Type::text,
     &tarvex_c.lk8000_tasks, true},
    {"SeeYou Destination Path", "# destination path (folder or filename) for convertedSeeYoutasks", Type::text,
     &tarvex_c.seeyou_tasks, true},
    {"Alt Cup file", "# Alternate CUP file for turnpoints", Type::text, &tarvex_c.altcupfile, false,
     [](const std::string& value, SettingsFileSwitches&) {
         tarvex_c.altcupfile = value;
         tarvex01.qaltcup = true;
     }},
    {"Flightplans path", kFlightplansComment, Type::text, &tarvex_c.defpath, false,
     [](const std::string& value, SettingsFileSwitches&) {
         tarvex_c.defpath = value;
         tarvex01.qauto_defpath = value == kAutomatic;
     },
     [](const SettingsFileSwitches&) {
         return tarvex01.qauto_defpath ? std::string(kAutomatic) : trim_right(tarvex_c.defpath);
     }},
    {"AutoLoad", kAutoLoadComment, Type::choice, &tarvex01.nauto, false, read_autoload,
     [](const SettingsFileSwitches&) { return digit(tarvex01.nauto - 1); }, choice_outside<2>},
    {"Language", "# Language (AUTO/EN/FR) :", Type::choice, &tarvex01.nlang, true, read_language, language_text,
     language_outside},
    {"verbose", "# verbose mode (0/1) :", Type::flag, {}, false,
     [](const std::string& value, SettingsFileSwitches& file) { file.verbose = is_true(value); },
     [](const SettingsFileSwitches& file) { return flag(file.verbose); }},
    {"AAT", "# AAT mode (0=no,default ; 1=yes ; 2=auto-detect) : ", Type::choice, {}, false, read_aat,
     [](const SettingsFileSwitches& file) { return digit(tarvex01.qaat_detect ? 2 : (file.aat ? 1 : 0)); },
     choice_outside<2>},
    {"Arm_start_manually", "# Manual [1] or automatic start [0], def=0", Type::flag, &tarvex01.qman_arm_start_rt},
    {"AAT_Arm_start_manually", "# AAT Manual [1] or automatic start [0], def=0", Type::flag,
     &tarvex01.qman_arm_start_aat},
    {"Task warnings", "# Task rules warnings (0/1) : ", Type::flag, &tarvex01.qtskwrn},
    {"Task warnings file", "# Task rules file - default=None", Type::text, &tarvex_c.tskwrnfile},
    // "-silent" on the command line wins over the file.
    {"Silent", "# Suppress task rules and summary pop-up messages - 0/1, default=0", Type::flag, &tarvex01.qsilent,
     false,
     [](const std::string& value, SettingsFileSwitches&) { tarvex01.qsilent = tarvex01.qsilent || is_true(value); }},
    {"Write Default Files", kDefaultFilesComment, Type::choice, &tarvex01.ndeftsk, false, read_default_files,
     [](const SettingsFileSwitches&) { return digit(tarvex01.ndeftsk); }, choice_outside<2>},
    {"Use Polars folder", kFoldersComment, Type::choice, {}, false, read_folders,
     [](const SettingsFileSwitches&) { return digit((tarvex01.qpolfold ? 1 : 0) + (tarvex01.qmapfold ? 2 : 0)); },
     choice_outside<3>},
    {"Start height margin", "# Height margin for max start altitude (m)", Type::integer, &tarvex01.start_margin,
     false, nullptr, nullptr, start_margin_outside},
    {"Start max speed", "# Maximum speed when crossing start line (kph - default=0)", Type::integer,
     &rd_fpl_6.start_max_speed, false, nullptr, nullptr, start_speed_outside},
    // The profile is a name; its folder comes from the target.
    {"Profile file", "# Profile file (name or 0=NO - default=Condor.prf) : ", Type::text, &tarvex_c.prfnam, false,
     read_profile,
     [](const SettingsFileSwitches&) {
         return tarvex01.qwrprf ? extract_name(tarvex_c.prfnam) : std::string(kNoProfileName);
     }},
    {"Airspace file", "# Airspace file (name - default=FLIGHTPLAN-PZ.txt) : ", Type::text, &tarvex_c.airnam, false,
     nullptr, [](const SettingsFileSwitches&) { return extract_name(tarvex_c.airnam); }},
    {"Crop_Airspace", "# Remove airspace outside task area [0/1], def=1", Type::flag, &as0003.qcropas},
    {"Airspace_margin", "# Airspace margin around task area (km), def=37 (20nm)", Type::integer,
     &tarvex01.maxtaskmargin, false, nullptr, nullptr, margin_outside},
    {"Delete_Inactive_AS", kDeleteInactiveComment, Type::flag, &as0003.qdeldup},
    {"Units", "# Units : 0=Auto, 1=Metric, 2=Imperial", Type::choice, &tarvex01.nunit, false,
     [](const std::string& value, SettingsFileSwitches&) { tarvex01.nunit = plus_one(integer_or_zero(value)); },
     [](const SettingsFileSwitches&) { return digit(tarvex01.nunit - 1); }, choice_outside<2>},
    {"CUP format", "# SeeYou format: 0=Old, 1=New", Type::integer, &tarvex01.nform_cup, false, nullptr,
     [](const SettingsFileSwitches&) { return digit(tarvex01.nform_cup); }, choice_outside<1>},
    {"FAI_Sectors", "# FAI sectors (500m/360\xB0 TPs, SeeYou and json only) [0/1], default=0", Type::flag,
     &tarvex01.qfaisector},
    {"CUP_max_alt", "# Write max altitudes in .cup task files [0/1],default=1", Type::flag, &tarvex01.qmaxalt_cup},
    {"LK8000_turnpoint_numbers", "# Add TP numbers to names (LK8000 ONLY) [0/1],default=0", Type::flag,
     &tarvex01.qlk_tp_num},
    {"Ask_for_template", "# When converting .cup -> .fpl, ask for template [0/1], def=0", Type::flag,
     &tarvex01.qtemplate},
    {"Post run script", "# Script to run once the task conversion has been processed (default: no script)",
     Type::text, &tarvex_c1.scrnam},

    // Read only: older names of the XCSoar destination and of the default
    // files (which, unlike the new one, also applies a blank value), the
    // Condor 1 folder and the Condor 1 warnings.
    {"XCSoar Path", "", Type::text, &tarvex_c.xcsoar_tasks, true},
    {"Destination Path", "", Type::text, &tarvex_c.xcsoar_tasks, true},
    {"Destination Folder", "", Type::text, &tarvex_c.xcsoar_tasks, true},
    {"Write Default.tsk", "", Type::choice, &tarvex01.ndeftsk, true, read_default_files, nullptr,
     old_default_files_outside},
    {"Condor 1 Path", "", Type::text, &inst00.condor_1_path, true},
    {"Condor 1 warnings", "", Type::flag, {}, false,
     [](const std::string& value, SettingsFileSwitches& file) { file.condor1_warnings = is_true(value); }},
});

}  // namespace

std::span<const Setting> settings_table() { return kSettings; }

const Setting* find_setting(std::string_view key) {
    const auto found =
        std::find_if(kSettings.begin(), kSettings.end(), [&](const Setting& setting) { return setting.key == key; });
    return found == kSettings.end() ? nullptr : &*found;
}

std::string setting_refusal(const Setting& setting, const std::string& value) {
    if (value.empty() && !setting.blank_applies) {
        return {};  // read as no value at all
    }
    if (setting.refusal != nullptr) {
        return setting.refusal(setting.key, value);
    }
    if (setting.type == SettingType::flag) {
        return not_a_switch(setting.key, value);
    }
    if (setting.type == SettingType::text && !path_fits(value)) {
        return path_too_long_text(std::string(setting.key) + "=" + slashes_kept(value));
    }
    return {};
}

void read_setting(const Setting& setting, const std::string& value, SettingsFileSwitches& file) {
    if (value.empty() && !setting.blank_applies) {
        return;
    }
    if (setting.read != nullptr) {
        setting.read(value, file);
    } else if (std::string* const* text = std::get_if<std::string*>(&setting.member)) {
        **text = value;
    } else if (bool* const* on = std::get_if<bool*>(&setting.member)) {
        **on = is_true(value);
    } else if (int* const* number = std::get_if<int*>(&setting.member)) {
        read_one_int(value, **number);
    }
}

std::string written_value(const Setting& setting, const SettingsFileSwitches& file) {
    if (setting.write != nullptr) {
        return setting.write(file);
    }
    if (std::string* const* text = std::get_if<std::string*>(&setting.member)) {
        return trim_right(**text);
    }
    if (bool* const* on = std::get_if<bool*>(&setting.member)) {
        return flag(**on);
    }
    if (int* const* number = std::get_if<int*>(&setting.member)) {
        return i2b(**number);
    }
    return {};
}

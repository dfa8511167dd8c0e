#include "driver/settings_file.h"

#include "airspace/airspace_records.h"
#include "driver/user_language.h"
#include "foundation/condor_install.h"
#include "foundation/fixed_text.h"
#include "foundation/key_value.h"
#include "foundation/number_text.h"
#include "foundation/option_records.h"
#include "foundation/paths_files.h"
#include "foundation/read_one_number.h"
#include "foundation/run_stop.h"
#include "foundation/tell.h"
#include "foundation/text_edit.h"
#include "platform/console.h"
#include "platform/environment.h"
#include "platform/files.h"
#include "taskfiles/task_model.h"

#include <climits>

namespace {

// Versions up to this one kept one destination folder for every target.
constexpr int kLastSingleDestinationVersion = 3899;
constexpr std::size_t kMessageLength = 256;
constexpr std::string_view kAuto = "AUTO";

// An integer value, 0 when the value is not an integer.
int integer_or_zero(std::string_view value) {
    int number = 0;
    int ios = 0;
    str2int(value, number, ios);
    return ios == 0 ? number : 0;
}

// n + 1 held within the range of int.
int plus_one(int n) { return n == INT_MAX ? n : n + 1; }

void set_default_files(std::string_view value) {
    tarvex01.ndeftsk = integer_or_zero(value);
    tarvex01.qdeftsk = tarvex01.ndeftsk > 0;
    tarvex01.qdeftsklk8000 = tarvex01.ndeftsk == 2;
}

void set_target(std::string value) {
    majusc(value);
    if (value == "LK8000" || value == "SEEYOU" || value == "XCSOAR" || value == "JSON") {
        tarvex01.qlk8000 = value == "LK8000";
        tarvex01.qcup = value == "SEEYOU";
        tarvex01.qxcs = value == "XCSOAR";
        tarvex01.qjson = value == "JSON";
    }
}

void set_language(std::string value) {
    majusc(value);
    if (value == "FR") {
        tarvex01.nlang = 3;
    } else if (value == "EN") {
        tarvex01.nlang = 2;
    } else if (value == kAuto || value.empty()) {
        tarvex01.nlang = 1;
    }
}

// The switches read_ini hands back to its caller.
struct FileSwitches {
    bool& qverb;
    bool& qaat_0;
    bool& qwrnc1;
    int& nv1;
};

// Applies one key=value line; keys that match no rule are ignored.
void apply_setting(const std::string& key, const std::string& value, FileSwitches& file) {
    const bool blank = value.empty();
    if (key == "Condor 1 Path") {
        inst00.condor_1_path = value;
    } else if (key == "Condor 2 Path") {
        tarvex01.qauto_c2_inst = blank || value == kAuto;
        if (!tarvex01.qauto_c2_inst) {
            inst00.cndrinstpath = value;
        }
    } else if (key == "Condor root folder") {
        tarvex01.qauto_c2_root = blank || value == kAuto;
        if (!tarvex01.qauto_c2_root) {
            inst00.pilot_path = value;
        }
    } else if (key == "XCSoar Path" || key == "Destination Path" || key == "Destination Folder" ||
               key == "XCsoar Destination Path") {
        tarvex_c.xcsoar_tasks = value;
    } else if (key == "LK8000 Destination Path") {
        tarvex_c.lk8000_tasks = value;
    } else if (key == "SeeYou Destination Path") {
        tarvex_c.seeyou_tasks = value;
    } else if (key == "Language") {
        set_language(value);
    } else if (key == "Write Default.tsk") {
        set_default_files(value);
    } else if (blank) {
        // The remaining rules apply only to a value.
    } else if (key == "verbose") {
        file.qverb = is_true(value);
    } else if (key == "AAT") {
        const int n = integer_or_zero(value);
        file.qaat_0 = n == 1;
        tarvex01.qaat_detect = n == 2;
    } else if (key == "Condor 1 warnings") {
        file.qwrnc1 = is_true(value);
    } else if (key == "Task warnings") {
        tarvex01.qtskwrn = is_true(value);
    } else if (key == "Tarvex Version") {
        file.nv1 = integer_or_zero(value);
    } else if (key == "Profile file") {
        // The profile is a name; its folder comes from the target.
        tarvex_c.prfnam = extract_name(value);
    } else if (key == "Alt Cup file") {
        tarvex_c.altcupfile = value;
        tarvex01.qaltcup = true;
    } else if (key == "Airspace file") {
        tarvex_c.airnam = value;
    } else if (key == "Crop_Airspace") {
        as0003.qcropas = is_true(value);
    } else if (key == "Airspace_margin") {
        read_one_int(value, tarvex01.maxtaskmargin);
    } else if (key == "Delete_Inactive_AS") {
        as0003.qdeldup = is_true(value);
    } else if (key == "Post run script") {
        tarvex_c1.scrnam = value;
    } else if (key == "Task warnings file") {
        tarvex_c.tskwrnfile = value;
    } else if (key == "Flightplans path") {
        tarvex_c.defpath = value;
        tarvex01.qauto_defpath = value == kAuto;
    } else if (key == "Target") {
        set_target(value);
    } else if (key == "Write Default Files") {
        set_default_files(value);
    } else if (key == "Units") {
        tarvex01.nunit = plus_one(integer_or_zero(value));
    } else if (key == "AutoLoad") {
        const int n = integer_or_zero(value);
        tarvex01.qauto = tarvex01.qauto || n == 1;
        tarvex01.qwait = tarvex01.qwait || n == 2;
        tarvex01.nauto = plus_one(n);
    } else if (key == "Silent") {
        tarvex01.qsilent = tarvex01.qsilent || is_true(value);
    } else if (key == "Use Polars folder") {
        int n = 0;
        if (read_one_int(value, n)) {
            tarvex01.qpolfold = (n & 1) != 0;
            tarvex01.qmapfold = (n & 2) != 0;
        }
    } else if (key == "CUP format") {
        read_one_int(value, tarvex01.nform_cup);
    } else if (key == "FAI_Sectors") {
        tarvex01.qfaisector = is_true(value);
    } else if (key == "CUP_max_alt") {
        tarvex01.qmaxalt_cup = is_true(value);
    } else if (key == "LK8000_turnpoint_numbers") {
        tarvex01.qlk_tp_num = is_true(value);
    } else if (key == "Ask_for_template") {
        tarvex01.qtemplate = is_true(value);
    } else if (key == "Start max speed") {
        read_one_int(value, rd_fpl_6.start_max_speed);
    } else if (key == "Start height margin") {
        read_one_int(value, tarvex01.start_margin);
    } else if (key == "Arm_start_manually") {
        tarvex01.qman_arm_start_rt = is_true(value);
    } else if (key == "AAT_Arm_start_manually") {
        tarvex01.qman_arm_start_aat = is_true(value);
    }
}

// One line of the file: comments and blank lines are skipped, "verbose" and
// "AAT" may stand alone.
void apply_line(const std::string& line, FileSwitches& file) {
    if (is_blank(line) || line.front() == '#') {
        return;
    }
    if (line == "verbose") {
        file.qverb = true;
        return;
    }
    if (line == "AAT") {
        file.qaat_0 = true;
        return;
    }
    std::string key;
    std::string value;
    extract_key_val(line, key, value);
    apply_setting(fit_field(key, kIniKeyLength), fit_field(value, kIniValueLength), file);
}

std::string file_message(std::string_view english_tail, std::string_view french_tail) {
    const std::string name = trim_right(tarvex_c.inifile);
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
        fit_field(trim_right(tarvex_c.inifile) +
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
    FileSwitches file{qverb, qaat_0, qwrnc1, nv1};

    TextFileReader reader(trim_right(tarvex_c.inifile));
    if (!reader.is_open()) {
        fatal_error(file_message(" : cannot be opened ***", " : ouverture impossible ***"), kExitConfiguration);
    }
    std::string line;
    while (reader.read_line(line)) {
        apply_line(fit_field(line, kIniLineLength), file);
    }
    if (reader.failed()) {
        fatal_error(file_message(": error reading ***", " : erreur de lecture ***"), kExitConfiguration);
    }

    apply_language_setting();

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
        const std::string message = file_message(": missing data ***", " : donn\xE9" "es manquantes ***");
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

#include "foundation/condor_install.h"

#include "foundation/condor_waits.h"
#include "foundation/fixed_text.h"
#include "foundation/log.h"
#include "foundation/path_length.h"
#include "foundation/paths_files.h"
#include "foundation/read_one_number.h"
#include "foundation/tell.h"
#include "platform/console.h"
#include "platform/environment.h"
#include "platform/files.h"
#include "platform/glue_dialogs.h"
#include "platform/registry.h"

#include <algorithm>
#include <array>
#include <cstdint>

Inst00 inst00;

void reset_inst00() { inst00 = Inst00{}; }

namespace {

constexpr std::array<std::string_view, 3> kInstallKeys = {"SOFTWARE\\Condor\\", "SOFTWARE\\Condor2\\",
                                                          "SOFTWARE\\Condor3\\"};
constexpr std::string_view kDocumentsKey =
    "Software\\Microsoft\\Windows\\CurrentVersion\\Explorer\\User Shell Folders\\";
constexpr std::string_view kLogName = "Logs\\Logfile.txt";
constexpr std::string_view kFlightPlanName = "FlightPlan.fpl";
constexpr std::string_view kVersionLine = "Condor version:";
constexpr int kLogLinesLooked = 6;
constexpr std::size_t kLogLineLength = 132;
constexpr int kEnvValueLength = 256;

// A registry string, or false when the key or the value is missing.
bool read_registry(std::string_view key, std::string_view name, std::string& value) {
    int len = 0;
    std::string out;
    const int status = RdUsrReg(std::string(key), std::string(name), out, len);
    if (status != kRegistryOk || len == 0) {
        console_line(" registry status " + std::to_string(status == kRegistryOk ? kRegistryNotFound : status));
        return false;
    }
    value = trim_right(out);
    return true;
}

// The major version named by an installation's log, 0 when none is.
int version_from_log(const std::string& log_name) {
    TextFileReader log(log_name);
    if (!log.is_open()) {
        return 0;
    }
    std::string line;
    for (int i = 0; i < kLogLinesLooked && log.read_line(line); ++i) {
        line = fit_field(line, kLogLineLength);
        if (line.starts_with(kVersionLine)) {
            int number = 0;
            if (!read_one_int(std::string_view(line).substr(kVersionLine.size()), number)) {
                return 0;
            }
            return number / 1000;
        }
    }
    return 0;
}

struct VersionFolders {
    const std::string& install;
    const std::string& root;
    const std::string& pilot;
};

VersionFolders folders_of(int version) {
    if (version == 2) {
        return {inst00.instpath2, inst00.rootpath2, inst00.pilpath2};
    }
    return {inst00.instpath3, inst00.rootpath3, inst00.pilpath3};
}

void make_active(int version) {
    const VersionFolders f = folders_of(version);
    inst00.pilot_path = f.pilot;
    inst00.cndrrootpath = f.root;
    inst00.cndrinstpath = f.install;
}

// Fills a version's pilot and root folders.
void find_user_folders(int version, std::string_view msgpltfldr) {
    std::string& pilot = version == 2 ? inst00.pilpath2 : inst00.pilpath3;
    std::string& root = version == 2 ? inst00.rootpath2 : inst00.rootpath3;
    const std::string selector = version == 3 ? "3" : "";
    pilot = selector;
    get_condor_2_path(msgpltfldr, false, true, pilot);
    root = selector;
    get_condor_2_path(msgpltfldr, false, false, root);
}

}  // namespace

void make_condor_version_active(int version) {
    const int active = version == 2 ? 2 : 3;
    inst00.condor_version = active;
    make_active(active);
}

int get_condor_inst_dir(int nc, std::string& path, bool silent) {
    if (nc == -2 && !is_blank(inst00.instpath2)) {
        path = inst00.instpath2;
        return 2;
    }
    if (nc == -3 && !is_blank(inst00.instpath3)) {
        path = inst00.instpath3;
        return 3;
    }
    const int version = nc < 0 && nc >= -3 ? -nc : nc;
    if (version < 1 || version > 3) {
        console_line(" get_condor_inst_dir " + std::to_string(nc));
        end_run("get_condor_inst_dir : incorrect Condor version", kExitConfiguration);
    }
    std::string folder;
    if (!read_registry(kInstallKeys[static_cast<std::size_t>(version - 1)], "InstallDir", folder)) {
        path.clear();
        if (!silent) {
            tell(kInformation,
                 "*** Condor" + std::to_string(version) + " installation not detected on this computer ***");
        }
        return 0;
    }
    path = fitting_path(folder, kExitConfiguration);
    const std::string log_name = join_path(path, kLogName);
    console_line(" get_condor_inst_dir " + path + " " + log_name);
    const int result = version_from_log(log_name);
    console_line(" get_condor_inst_dir version " + std::to_string(result));
    return result;
}

int check_condor_install(std::string_view msgpltfldr) {
    inst00.qc2 = get_condor_inst_dir(2, inst00.instpath2, false) == 2 &&
                 file_exists(join_path(inst00.instpath2, "Condor.exe"));
    inst00.qc3 = get_condor_inst_dir(3, inst00.instpath3, false) == 3 &&
                 file_exists(join_path(inst00.instpath3, "Condor.exe"));
    if (inst00.qc2) {
        log_message_text("Condor 2 install path: " + inst00.instpath2);
        find_user_folders(2, msgpltfldr);
    }
    if (inst00.qc3) {
        log_message_text("Condor 3 install path: " + inst00.instpath3);
        find_user_folders(3, msgpltfldr);
    }
    if (inst00.qc2 && inst00.qc3) {
        inst00.condor_version = 0;
        make_active(3);
    } else if (inst00.qc2) {
        inst00.condor_version = 2;
        make_active(2);
    } else if (inst00.qc3) {
        inst00.condor_version = 3;
        make_active(3);
    }
    return inst00.qc3 ? 3 : inst00.qc2 ? 2 : 0;
}

void get_active_condor_version() {
    if (!inst00.qc2 && !inst00.qc3) {
        check_condor_install("");
    }
    console_line(" get_active_condor_version");
    console_line("");
    if (inst00.qc2 && inst00.qc3) {
        const std::int64_t fpl2 = modified_date(join_path(inst00.pilpath2, kFlightPlanName));
        // A Condor 3 plan that is missing counts 0 and cannot win by itself.
        const std::int64_t fpl3 =
            std::max<std::int64_t>(0, modified_date(join_path(inst00.pilpath3, kFlightPlanName)));
        const std::int64_t log2 = modified_date(join_path(inst00.instpath2, kLogName));
        const std::int64_t log3 = modified_date(join_path(inst00.instpath3, kLogName));
        const bool condor3 = (fpl3 < fpl2 && fpl2 < log3 && log3 >= log2) ||
                             (fpl2 <= fpl3 && fpl3 < log3 && log3 >= log2) ||
                             (fpl3 >= fpl2 && fpl3 >= log3 && fpl3 > 0 && fpl3 >= log2);
        inst00.condor_version = condor3 ? 3 : 2;
    } else if (inst00.qc3) {
        inst00.condor_version = 3;
    } else if (inst00.qc2) {
        inst00.condor_version = 2;
    }
    make_active(inst00.condor_version == 2 ? 2 : 3);
    console_line(" condor_version " + std::to_string(inst00.condor_version) + " " + inst00.cndrinstpath + " " +
                 inst00.pilot_path);
}

int get_condor_2_path(std::string_view msgpltfldr, bool qconfirm, bool qpilot, std::string& condoruserpath) {
    const int result = get_condor_user_path(msgpltfldr, qconfirm, qpilot, true, condoruserpath);
    console_line(" get_condor_user_path=" + std::to_string(result));
    return result;
}

int get_condor_user_path(std::string_view msgpltfldr, bool qconfirm, bool qpilot, bool qdocreg,
                         std::string& condoruserpath) {
    console_line(" get_condor_user_path qconfirm,qpilot,qdocreg " + std::to_string(qconfirm) + " " +
                 std::to_string(qpilot) + " " + std::to_string(qdocreg) + " " + condoruserpath);
    const bool condor3 = !condoruserpath.empty() && condoruserpath.front() == '3';
    const std::string subfolder = condor3 ? "Condor3" : "Condor";
    const std::string key_name = condor3 ? "Condor3" : "Condor2";

    std::string documents;
    bool have_documents = false;
    if (qdocreg) {
        if (!read_registry(kDocumentsKey, "Personal", documents)) {
            console_line(" Software\\Microsoft\\Windows\\CurrentVersion\\Explorer\\User Shell Folders NOT READABLE");
        } else {
            have_documents = true;
            console_line(" path " + documents);
            const std::size_t first = documents.find('%');
            const std::size_t second = first == std::string::npos ? first : documents.find('%', first + 1);
            if (second != std::string::npos) {
                const std::string variable = documents.substr(first + 1, second - first - 1);
                console_line(" ENV " + variable);
                std::string value;
                const int length = MyGetEnv(variable, value, kEnvValueLength);
                if (length > 0 && length < kEnvValueLength) {
                    documents = documents.substr(0, first) + value.substr(0, static_cast<std::size_t>(length)) +
                                documents.substr(second + 1);
                    console_line(" folder " + documents);
                } else {
                    have_documents = false;
                    tell(kError, "Error getting environment variable/" + variable, {.title = "get_condor_user_path"});
                }
            }
        }
    }

    std::string result;
    if (have_documents) {
        if (qpilot) {
            std::string player;
            if (read_registry("SOFTWARE\\" + key_name + "\\", "LastPlayer", player)) {
                player = fit_field(player, kPlayerNameLength);
                console_line(" player " + player);
                result = join_path(join_path(documents, subfolder), "Pilots\\" + player);
            } else {
                result = documents;
            }
        } else {
            result = join_path(documents, subfolder) + "\\";
        }
    }
    console_line(" Final Path : " + result);
    condoruserpath = fitting_path(result, kExitConfiguration);
    if (qconfirm) {
        const std::string prompt = qpilot ? trim_right(msgpltfldr) + " DOCUMENTS\\" + subfolder + "\\Pilots\\NAME"
                                          : "Path to the Condor user files folder: usually DOCUMENTS\\" + subfolder;
        int length = 0;
        std::string chosen;
        if (GetFolder(prompt, condoruserpath, length, chosen) == 0 && chosen_path_fits(chosen)) {
            condoruserpath = chosen;
        }
    }
    return is_blank(condoruserpath) ? 1 : 0;
}

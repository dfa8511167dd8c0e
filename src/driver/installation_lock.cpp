#include "driver/installation_lock.h"

#include "foundation/condor_waits.h"
#include "foundation/fixed_text.h"
#include "foundation/number_text.h"
#include "foundation/option_records.h"
#include "foundation/paths_files.h"
#include "foundation/program_folder.h"
#include "foundation/run_stop.h"
#include "foundation/tell.h"
#include "platform/console.h"
#include "platform/file_lock.h"

#include <cerrno>
#include <string>

namespace {

FileLock installation_lock;
int holds = 0;

// Beside the settings file; in the program's folder before it is named.
std::string lock_file() {
    std::string folder;
    std::string name;
    std::string inifile = trim_right(tarvex_c.inifile);
    if (inifile.empty()) {
        inifile = "%INST%\\Tarvex.ini";
        locate_file(inifile, false);
    }
    extract_path_name(trim_right(inifile), folder, name);
    return folder + kInstallationLockFile;
}

}  // namespace

InstallationHold::InstallationHold() { ++holds; }

InstallationHold::~InstallationHold() {
    if (--holds == 0) {
        installation_lock.release();
    }
}

InstallationHold hold_installation_lock() {
    if (installation_lock.held()) {
        return InstallationHold{};
    }
    const std::string file = lock_file();
    int waited = 0;
    for (;;) {
        const int status = installation_lock.try_lock(file);
        if (status == 0) {
            return InstallationHold{};
        }
        if (status != EWOULDBLOCK) {
            console_line("Lock file " + file + " : " + i2b(status) + ", going on without it");
            return InstallationHold{};
        }
        if (waited >= kInstallationLockWaitMs) {
            fatal_error(in_user_language("*** Another conversion of Tarvex is running in this installation (" + file +
                                             ")/Nothing was converted: please try again once it has ended ***",
                                         "*** Une autre conversion de Tarvex est en cours dans cette installation (" +
                                             file + ")/Rien n'a \xE9t\xE9 converti : veuillez r\xE9" "essayer quand "
                                             "elle sera termin\xE9" "e ***"),
                        kExitConversionFailed);
        }
        if (waited == 0) {
            console_line("Waiting for the other run of Tarvex to end (" + file + ")");
        }
        wait_sleep_ms(kInstallationLockPollMs);
        waited += kInstallationLockPollMs;
    }
}

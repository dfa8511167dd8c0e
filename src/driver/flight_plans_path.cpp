#include "driver/flight_plans_path.h"

#include "foundation/condor_install.h"
#include "foundation/fixed_text.h"
#include "foundation/option_records.h"
#include "foundation/path_length.h"
#include "foundation/paths_files.h"
#include "foundation/run_stop.h"
#include "platform/case_fold.h"
#include "platform/console.h"

#include <string_view>

namespace {

constexpr std::string_view kFlightPlansFolder = "FlightPlans\\";

}  // namespace

std::string completed_defpath() {
    const std::string path = trim_right(tarvex_c.defpath);
    if (is_blank(inst00.cndrrootpath)) {
        // No Condor user root known: no FlightPlans folder to point at.
        return path == kAutomatic ? std::string() : path;
    }
    const std::string flight_plans = join_path(inst00.cndrrootpath, kFlightPlansFolder);
    if (path == kAutomatic) {
        return flight_plans;
    }
    if (!tarvex01.qauto_c2_inst || !tarvex01.qauto_c2_root) {
        return path;
    }
    if (path.find('\\') == std::string::npos) {
        return fitting_path(flight_plans + path, kExitConfiguration);
    }
    return path;
}

std::string flight_plans_folder() {
    const std::string path = completed_defpath();
    if (find_ignoring_case_cp1252(path, ".fpl") == std::string::npos) {
        return path;
    }
    std::string folder;
    std::string name;
    extract_path_name(path, folder, name);
    return folder;
}

void complete_defpath() {
    tarvex_c.defpath = completed_defpath();
    console_line("Flightplans_path=" + tarvex_c.defpath);
}

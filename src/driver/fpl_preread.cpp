#include "driver/fpl_preread.h"

#include "driver/output_naming.h"
#include "driver/trace_text.h"
#include "foundation/condor_install.h"
#include "foundation/fixed_text.h"
#include "foundation/message_records.h"
#include "foundation/number_text.h"
#include "foundation/option_records.h"
#include "foundation/paths_files.h"
#include "foundation/pilot_settings.h"
#include "foundation/tell.h"
#include "foundation/units.h"
#include "platform/case_fold.h"
#include "platform/console.h"
#include "platform/files.h"
#include "taskfiles/fpl_reader.h"
#include "taskfiles/landscape_records.h"
#include "taskfiles/task_checks.h"
#include "taskfiles/task_model.h"
#include "taskfiles/task_zones.h"

#include <algorithm>
#include <string_view>
#include <utility>

namespace {

constexpr std::size_t kMessageLength = 256;
// A zone at least this wide (m) marks an assigned area.
constexpr int kAatMinimumRadius = 5000;
// Below this an AAT time or a start speed counts as not given by the plan.
constexpr float kNotGiven = 0.01f;

void set_display_units(bool imperial) {
    tarvex01.nunitalt = imperial ? 1 : 0;
    tarvex01.fmulalt = imperial ? kMetreInFeet : 1.0f;
    tarvex01.fmulspd = imperial ? kKmhInKnots : 1.0f;
    tarvex_c.cunitalt = imperial ? "ft" : "m";
    tarvex_c.cunitspd = imperial ? "kt" : "km\\/h";
}

// The root of a task destination: its folder cut before the first marker,
// letters compared as Windows compares them.
std::string root_of(const std::string& tasks, std::string_view marker) {
    const std::string folder = destination_folder(tasks);
    const std::size_t at = find_ignoring_case_cp1252(folder, marker);
    return at == std::string::npos ? folder : trim_right(folder.substr(0, at));
}

}  // namespace

int read_fpl_1(const std::string& cv, int& nl) {
    const std::string name = trim_right(cv);
    console_line("READ_FPL_1 " + name);
    TextFileReader plan(name);
    if (!plan.is_open()) {
        tell_and_log(kError, fit_field("*** " + slashes_kept(name) +
                                           in_user_language(" : cannot be opened ***", " : ouverture impossible ***"),
                                       kMessageLength));
        nl = 0;
        return plan.open_status() != 0 ? plan.open_status() : 1;
    }
    int ios = 0;
    nl = 0;
    read_fpl(std::move(plan), true, tarvex01.qverb_0, cmndta001.qfr, nl, ios);

    console_line(" qaat " + trace_flag(rd_fpl_6.qaat) + " qaat_arg " + trace_flag(tarvex01.qaat_arg));
    console_line(" t_aat_arg " + f2b(tarvex01.t_aat_arg, "(F16.6)") + " t_aat " + f2b(rd_fpl_6.t_aat, "(F16.6)"));
    console_line(" start_max_speed_arg " + i2b(tarvex01.start_max_speed_arg) + " start_max_speed " +
                 i2b(rd_fpl_6.start_max_speed));

    if (rd_fpl_0.nvcnd == 2) {
        if (tarvex01.qaat_arg) {
            rd_fpl_6.qaat = true;
        }
        if (tarvex01.t_aat_arg > 0.0f && rd_fpl_6.t_aat < kNotGiven) {
            rd_fpl_6.t_aat = tarvex01.t_aat_arg;
        }
        if (tarvex01.start_max_speed_arg > 0 && rd_fpl_6.start_max_speed < kNotGiven) {
            rd_fpl_6.start_max_speed = tarvex01.start_max_speed_arg;
        }
    } else if (plan_gives_task_rules()) {
        // Condor 3 gives the AAT time in hours.
        convert_and_round(rd_fpl_6.t_aat, kHourInMinutes);
    }
    return ios;
}

int read_fpl_1(const std::string& cv) {
    int nl = 0;
    return read_fpl_1(cv, nl);
}

bool plan_gives_task_rules() { return rd_fpl_0.nvcnd == 3; }

bool aat_with_time(bool qaat, float t_aat) { return qaat && t_aat > 0.0f; }

InputFault input_fault(bool seeyou_task, int status) {
    if (status >= 1) {
        return InputFault::read_error;
    }
    if (seeyou_task) {
        if (seeyou_task_turnpoints() > kMaxTaskPoints - 1) {
            return InputFault::too_many_turnpoints;
        }
        // Points 0..nb_cup-1 are converted (the last, the landing, is not).
        if (rd_cup_0.nb_cup < kFewestPlanPoints) {
            return InputFault::no_task;
        }
        if (!seeyou_zone_fault().empty()) {
            return InputFault::bad_zone;
        }
        return input_value_fault(seeyou_task);
    }
    if (rd_fpl_0.nb_wp > kMaxTaskPoints) {
        return InputFault::too_many_turnpoints;
    }
    if (status < 0 && rd_fpl_0.nwpmax < rd_fpl_0.nb_wp - 1) {
        return InputFault::unexpected_end;
    }
    if (is_blank(rd_fpl_2.landscape)) {
        return InputFault::no_landscape;
    }
    if (!plan_has_task()) {
        return InputFault::no_task;
    }
    return input_value_fault(seeyou_task);
}

InputFault input_value_fault(bool seeyou_task) {
    if (seeyou_task) {
        return seeyou_value_out_of_range() ? InputFault::value_out_of_range : InputFault::none;
    }
    if (!plan_value_not_given().empty()) {
        return InputFault::value_not_given;
    }
    return plan_value_out_of_range() ? InputFault::value_out_of_range : InputFault::none;
}

std::string too_many_turnpoints_text(bool seeyou_task) {
    const std::string most = i2b(kMaxTaskPoints - 1);
    const std::string count =
        seeyou_task ? i2b(seeyou_task_turnpoints()) +
                          in_user_language(" points from the start to the finish", " points du d\xE9part \xE0 l'arriv\xE9" "e")
                    : "Count=" + i2b(rd_fpl_0.nb_wp);
    return in_user_language(count + " : a task holds at most " + most + " turnpoints",
                            count + " : un circuit compte au plus " + most + " points de virage");
}

bool detect_aat() {
    int count = 0;
    const int last = std::min(rd_fpl_0.nb_wp - 1, kTurnpointSlots - 1);
    for (int n = 2; n <= last; ++n) {
        const auto i = static_cast<std::size_t>(n);
        if (rd_fpl_1.tpsec[i] == kClassicSectorType && rd_fpl_1.tprad[i] >= kAatMinimumRadius) {
            ++count;
        }
    }
    const bool aat = count >= 1;
    console_line("detect_aat " + trace_flag(aat));
    return aat;
}

void define_units() {
    bool imperial = false;
    if (tarvex01.nunit == 3) {
        imperial = true;
    } else if (tarvex01.nunit == 1) {
        const std::string settings = path_field(join_path(inst00.pilot_path, "Setup.ini"));
        console_line(" define_units " + settings);
        // A file without "Units" stands for Condor's metric default.
        rdstng00.nunit_cndr = 0;
        const int status = read_settings(settings, true);
        console_line(" read_settings " + i2b(status));
        imperial = status == 0 && rdstng00.nunit_cndr > 0;
    }
    set_display_units(imperial);
    console_line("NUNIT " + i2b(tarvex01.nunit) + " " + tarvex_c.cunitalt + " " + f2b(tarvex01.fmulalt, "(F16.6)"));
}

void get_root_names() {
    tarvex_c.xcsoar_root = root_of(tarvex_c.xcsoar_tasks, "\\Task");
    tarvex_c.lk8000_root = root_of(tarvex_c.lk8000_tasks, "\\_Tasks");
    tarvex_c.seeyou_root = root_of(tarvex_c.seeyou_tasks, "\\Task");
}

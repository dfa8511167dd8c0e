// The landscape of a conversion: its terrain header and local frame, its
// airports and turnpoints, the task tied to them, and the finish altitude
// checked against the ground.
#include "driver/conversion.h"

#include "foundation/condor_install.h"
#include "foundation/fixed_text.h"
#include "foundation/fortran_format.h"
#include "foundation/local_frame.h"
#include "foundation/message_records.h"
#include "foundation/number_text.h"
#include "foundation/option_records.h"
#include "foundation/output_targets.h"
#include "foundation/paths_files.h"
#include "foundation/run_stop.h"
#include "foundation/tell.h"
#include "foundation/terrain_extents.h"
#include "foundation/text_edit.h"
#include "platform/case_fold.h"
#include "platform/console.h"
#include "platform/files.h"
#include "platform/glue_dialogs.h"
#include "taskfiles/apt_file.h"
#include "taskfiles/cup_reader.h"
#include "taskfiles/landscape_match.h"
#include "taskfiles/landscape_records.h"
#include "taskfiles/task_model.h"

#include <algorithm>
#include <cstdint>
#include <limits>
#include <string>
#include <string_view>

namespace {

constexpr std::string_view kTerrainExtension = ".trn";

// The path up to the extension ".trn" of its file name (any letter case), the
// whole path when its name has none.
std::string without_terrain_extension(const std::string& path) {
    const std::size_t name_at = path.rfind('\\') == std::string::npos ? 0 : path.rfind('\\') + 1;
    const std::size_t at = find_ignoring_case_cp1252(path, kTerrainExtension, name_at);
    return at == std::string::npos ? path : path.substr(0, at);
}

// The terrain header of a SeeYou task's landscape, chosen by the user; the
// landscape is named after it.
std::string choose_terrain_file(const std::string& landscape_folder) {
    std::string chosen;
    int length = 0;
    GetFileName(chosen, "Tarvex : Select landscape terrain file", landscape_folder + "\\", "*.trn",
                "Condor Terrain files (*.trn)", 0, length);
    remove_trail_0(chosen);
    chosen = trim_right(chosen);
    rd_fpl_2.landscape = fit_field(extract_name(without_terrain_extension(chosen)), kLandscapeCapacity);
    return chosen;
}

void verbose_trace(const Conversion& c) {
    console_line("Landscape=   " + rd_fpl_2.landscape);
    console_line("AAT time=    " + f2b(rd_fpl_6.t_aat, "(F16.6)"));
    console_line("Tasks=       " + tarvex_c.xcsoar_tasks);
    console_line("Root=        " + c.target_root);
    console_line("pilot_path=" + inst00.pilot_path);
    console_line("Outname=     " + tarvex_c.outname);
    console_line("Outfile=     " + tarvex_c.outfile);
    console_line("Oafile=      " + c.airspace_file);
    console_line("Airnam=      " + tarvex_c.airnam);
    console_line("Prffile=     " + c.profile_file);
    if (chosen_target().aircraft_file) {
        console_line("Acffile=     " + c.aircraft_file);
    }
    console_line("Trnfile=     " + trn00c.trnfile);
}

// The SeeYou task's points as read and as the task model now holds them.
void trace_seeyou_task() {
    const int last = std::min(rd_cup_0.nb_cup, kCupTaskSlots - 1);
    for (int n = 0; n <= last; ++n) {
        const auto i = static_cast<std::size_t>(n);
        const RdCup1& c = rd_cup_1;
        console_line(fortran_write("(I2,1X,A,2(1X,F12.6),1X,F8.1,1X,I2,2(1X,F8.1))",
                                   {n, rd_cup_2.cupnam[i], c.cuplat[i], c.cuplon[i], c.cupalt[i], c.cupsty[i],
                                    c.cuprad[1][i], c.cupang[1][i]}));
        if (n >= kTurnpointSlots) {
            break;  // the landing of a task of 30 turnpoints: the task model holds no more
        }
        const RdFpl1& t = rd_fpl_1;
        for (const std::string& line :
             fortran_records("(I2,1X,A,3(1X,F12.3),1X,2I6/)",
                             {n, rd_fpl_2.tpnam[i], t.tpx[i], t.tpy[i], t.tpz[i], t.tprad[i], t.tpang[i]})) {
            console_line(line);
        }
    }
}

}  // namespace

void set_up_landscape(Conversion& c) {
    c.landscape_folder = path_field(join_path(inst00.cndrinstpath, "Landscapes"));
    // A SeeYou task exported as read needs neither a terrain dialog nor a frame.
    const bool as_read = tarvex01.qcup_in && chosen_target().seeyou_task_as_read;
    if (!tarvex01.qcup_in || as_read) {
        const std::string landscape = trim_right(rd_fpl_2.landscape);
        trn00c.trnfile = path_field(join_path(join_path(c.landscape_folder, landscape), landscape + ".trn"));
    } else {
        trn00c.trnfile = path_field(choose_terrain_file(c.landscape_folder));
    }

    if (!as_read) {
        const std::string trnfile = trim_right(trn00c.trnfile);
        if (!file_exists(trnfile)) {
            fatal_error(slashes_kept(trnfile) + "\n" +
                            in_user_language("*** File not found ***", "*** fichier introuvable ***"),
                        kExitConversionFailed);
        }
        float width = 0.0f;
        float height = 0.0f;
        if (utm_init(trnfile, width, height) != 1) {
            // Named as a missing header is: the path, then the reason.
            fatal_error(slashes_kept(trnfile) + "\n" +
                            in_user_language("*** Impossible to initialize coordinates conversion ***",
                                             "*** Initialisation de la conversion coordonn\xE9" "es : Erreur ***"),
                        kExitConversionFailed);
        }
        trn001.x_scn_mx = width;
        trn001.y_scn_mx = height;
        if (tarvex01.qcup_in) {
            utm_init(trnfile, trn001.xmax, trn001.ymax);
        }
    }
    if (tarvex01.qverb_0) {
        verbose_trace(c);
    }
}

void match_landscape(Conversion& c, const RunState& run) {
    // A SeeYou task exported as read is not matched.
    const bool as_read = tarvex01.qcup_in && chosen_target().seeyou_task_as_read;
    if (tarvex01.qchkwp || (tarvex01.qcup_in && !as_read)) {
        c.airport_file = path_field(without_terrain_extension(trim_right(trn00c.trnfile)) + ".apt");
        int status = 0;
        read_apt(c.airport_file, kMaxLandscapeAirports, tarveap2, tarveap3, tarvex01.nb_apt, status);
        if (status != 0) {
            fatal_error("*** " + slashes_kept(c.airport_file) + " : Error ***", kExitConversionFailed);
        }
        if (tarvex01.qverb_0) {
            console_line(i2b(tarvex01.nb_apt) + " airports read");
        }
    }

    if (tarvex01.qchkwp) {
        c.turnpoint_file =
            tarvex01.qaltcup
                ? trim_right(tarvex_c.altcupfile)
                : path_field(join_path(inst00.cndrrootpath, "Turnpoints\\" + trim_right(rd_fpl_2.landscape) + ".cup"));
        int status = 0;
        read_cup(c.turnpoint_file, kMaxLandscapeWaypoints, tarvewp2, tarvewp3, tarvex01.nb_wp_file, false,
                 cmndta001.qline, tarvex01.qsilent, status);
        if (status != 0) {
            fatal_error("*** " + slashes_kept(c.turnpoint_file) + " : Error ***", kExitConversionFailed);
        }
        if (tarvex01.qverb_0) {
            console_line(i2b(tarvex01.nb_wp_file) + " waypoints read");
        }
    }

    if (!tarvex01.qcup_in) {
        // The settings date is handed on as the matching's caller always did;
        // the matching does not use it.
        const auto date = static_cast<int>(std::clamp<std::int64_t>(
            run.settings_date, std::numeric_limits<int>::min(), std::numeric_limits<int>::max()));
        get_wp_data(tarvex01.qverb_0, date);
    } else if (as_read) {
        copy_wp_data();
        trace_seeyou_task();
    } else {
        set_wp_data(tarvex01.qverb_0);
        trace_seeyou_task();
    }
}

void check_finish_altitude() {
    if (!chosen_target().checks_finish_altitude) {
        return;
    }
    const int last = rd_fpl_0.nb_wp - 1;
    if (last < 0 || last >= kTurnpointSlots) {
        return;
    }
    const float minimum = rd_fpl_4.finishminalt;
    const float ground = rd_fpl_1.tpz[static_cast<std::size_t>(last)];
    if (minimum > 0.0f && minimum < ground) {
        const std::string minimum_text = f2b(minimum, "(F8.1)");
        const std::string ground_text = f2b(ground, "(F8.1)");
        fatal_error(in_user_language("Finish Min Altitude (" + minimum_text + ") below ground elevation (" +
                                         ground_text + ")",
                                     "Altitude min. d'arriv\xE9" "e (" + minimum_text +
                                         ") sous l'altitude du sol (" + ground_text + ")"),
                    kExitConversionFailed);
    }
}

// What a conversion writes: the target's task file, the airspace and penalty
// zones, the profile; and the AAT check on what was written.
#include "driver/conversion.h"

#include "airspace/airspace_reader.h"
#include "airspace/airspace_records.h"
#include "airspace/airspace_window.h"
#include "airspace/filtered_copy.h"
#include "airspace/penalty_zones.h"
#include "driver/trace_text.h"
#include "foundation/condor_install.h"
#include "foundation/fixed_text.h"
#include "foundation/geometry.h"
#include "foundation/list_read.h"
#include "foundation/local_frame.h"
#include "foundation/number_text.h"
#include "foundation/option_records.h"
#include "foundation/output_targets.h"
#include "foundation/paths_files.h"
#include "foundation/run_stop.h"
#include "foundation/tell.h"
#include "foundation/terrain_extents.h"
#include "foundation/units.h"
#include "foundation/unwritten_files.h"
#include "platform/case_fold.h"
#include "platform/console.h"
#include "platform/files.h"
#include "platform/path_map.h"
#include "platform/system_memory.h"
#include "taskfiles/acf_writer.h"
#include "taskfiles/cup_writer.h"
#include "taskfiles/fpl_writer.h"
#include "taskfiles/json_writer.h"
#include "taskfiles/lkt_writer.h"
#include "taskfiles/profile_writer.h"
#include "taskfiles/task_geometry.h"
#include "taskfiles/task_model.h"
#include "taskfiles/task_zones.h"
#include "taskfiles/tsk_writer.h"

#include <algorithm>
#include <array>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace {

// The working window starts empty: minima above, maxima below any position.
constexpr float kWindowStartMinimum = 1.0e7f;

// The JSON export of a flight plan draws in the landscape's frame.
void write_json_task(std::string_view outfile, int& status) {
    if (!tarvex01.qcup_in) {
        utm_init(trim_right(trn00c.trnfile), trn001.xmax, trn001.ymax);
    }
    write_json(outfile, status);
}

// The task writers by target number (output_targets.h); element 0 is no target.
using TaskWriter = void (*)(std::string_view outfile, int& status);
constexpr std::array<TaskWriter, kTargetJson + 1> kTaskWriters = {
    nullptr, write_tsk, write_lkt, write_cup, write_fpl, write_json_task,
};

// The working window: the task's box, grown by the margin and held in the frame.
void set_task_window() {
    float xmin = kWindowStartMinimum;
    float xmax = 0.0f;
    float ymin = kWindowStartMinimum;
    float ymax = 0.0f;
    const int nb_wp = std::clamp(rd_fpl_0.nb_wp, 0, kTurnpointSlots);
    task_minmax(nb_wp, rd_fpl_1.tpx, rd_fpl_1.tpy, rd_fpl_1.tprad, xmin, xmax, ymin, ymax);
    const float margin = static_cast<float>(tarvex01.maxtaskmargin) * kKilometreInMetres;
    xmin = std::max(xmin - margin, 0.0f);
    ymin = std::max(ymin - margin, 0.0f);
    xmax = std::min(xmax + margin, trn001.x_scn_mx);
    ymax = std::min(ymax + margin, trn001.y_scn_mx);
    init_airspace_map_1(xmin, xmax, ymin, ymax);
}

// The list of "-listAS" is not there (or cannot be read): the run ends,
// saying where it was looked for.
[[noreturn]] void refuse_missing_airspace_list() {
    const std::string list(kAirspaceListFile);
    const std::string folder = slashes_kept(current_folder_windows());
    fatal_error(in_user_language("*** -listAS : " + list + " not found in " + folder + " ***",
                                 "*** -listAS : " + list + " introuvable dans " + folder + " ***"),
                kExitConversionFailed);
}

// "-listAS": only the airspaces the list file names stay enabled.
void enable_listed_airspaces() {
    rd_fpl_5.qas_disa.fill(true);
    TextFileReader list{kAirspaceListFile};
    if (!list.is_open()) {
        refuse_missing_airspace_list();
    }
    std::string line;
    while (list.read_line(line)) {
        if (is_blank(line)) {
            continue;
        }
        // One number a line, read as the program reads every number; a line
        // that holds none ends the list.
        int number = 0;
        if (list_read(line, number) != kReadOk) {
            break;
        }
        console_line(i2b(number));
        if (number < 0 || number >= static_cast<int>(rd_fpl_5.qas_disa.size())) {
            console_line(" airspace number out of range, ignored");
            continue;
        }
        rd_fpl_5.qas_disa[static_cast<std::size_t>(number)] = false;
    }
}

// The landscape's airspace of a Condor 3 plan, filtered into the airspace
// output `out`. True when the filtered copy was read whole.
bool filter_landscape_airspace(const Conversion& c, FileWriter& out) {
    as000c.aspfile = landscape_airspace_file();
    as000c.new_aspfile = path_field(c.airspace_file);
    as000c.asp_d_file = airspace_list_file();
    as0003.qwriteas = true;
    console_line("qCropAS " + trace_flag(as0003.qcropas));
    if (as0003.qcropas) {
        set_task_window();
    } else {
        init_airspace_map();
    }
    if (as0003.qlistas) {
        enable_listed_airspaces();
    }

    AirspacePens sp{};
    AirspaceBrushes sb{};
    int nbzon = 0;
    // The filter keeps one zone at a time in these tables: of their capacity
    // a run uses the first entries only.
    ZeroedTable<AirspaceZone> zon(kConversionMaxZones);
    ZeroedTable<PlanePoint> pp(kConversionMaxPoints);
    read_airspace_into(out, 0, sp, sb, nbzon, zon.entries(), pp.entries(), kConversionMaxZones, kConversionMaxPoints);
    // The reader's result does not tell whether its copy was written.
    const int status = filtered_copy_status();
    console_line("airspace copy status " + i2b(status));
    return status == 0;
}

// The airspace output of a Condor 3 plan, written whole: the landscape's
// airspace filtered and cropped, then the penalty zones. When the landscape's
// airspace cannot be read (reported by the reader), the output starts anew
// with the notice header, so that it never keeps zones of an earlier run.
// Returns 0 when the file was written.
int write_condor3_airspace(const Conversion& c) {
    std::optional<FileWriter> out(std::in_place, c.airspace_file);
    if (!out->is_open()) {
        report_unwritten_file(c.airspace_file);
        return out->open_status();
    }
    if (!filter_landscape_airspace(c, *out) && out->status() == 0) {
        out.emplace(c.airspace_file);
        write_as_hdr(*out);
    }
    if (rd_fpl_0.nb_pz > 0) {
        write_pz_zones(*out);
    }
    const int status = out->close();
    if (status != 0) {
        report_unwritten_file(c.airspace_file);
    }
    return status;
}

[[noreturn]] void fail_task_writer(const std::string& outfile) {
    const std::string shown = slashes_kept(outfile);
    fatal_error(in_user_language("Error writing: \n " + shown, "*** Erreur d'\xE9" "criture : \n " + shown),
                kExitConversionFailed);
}

// The template of the Condor flight plan writer, as a whole path shown in a
// message: a bare name is looked for in the current folder.
std::string template_path() {
    const std::string& name = fpl_template_file();
    const bool bare = name.find('\\') == std::string::npos && name.find(':') == std::string::npos;
    return slashes_kept(bare ? join_path(current_folder_windows(), name) : name);
}

// A task writer that failed: the Condor flight plan writer's template
// failures name the template and what is wrong with it; any other failure
// names the task file.
[[noreturn]] void fail_task_writer(const std::string& outfile, int status) {
    if (chosen_target().ntarg == kTargetFpl) {
        switch (status) {
            case kTemplateMissing:
                fatal_error(in_user_language("Template flight plan missing: \n " + template_path(),
                                             "Plan de vol mod\xE8le manquant : \n " + template_path()),
                            kExitConversionFailed);
            case kTemplateUnreadable:
            case kTemplateWithoutTask:
                fatal_error(in_user_language("Template flight plan cannot be used: \n " + template_path(),
                                             "Plan de vol mod\xE8le inutilisable : \n " + template_path()),
                            kExitConversionFailed);
            case kTemplateNotChosen:
                fatal_error(in_user_language("No template flight plan chosen", "Aucun plan de vol mod\xE8le choisi"),
                            kExitConversionFailed);
            default: break;
        }
    }
    fail_task_writer(outfile);
}

// A task without a glider name has no polar: the profile's polar and the
// aircraft file are left as they are, and the pilot is told so where the
// target would have set them. A SeeYou task never names one: nothing to tell.
void warn_no_glider(const TargetFacts& target) {
    const bool xcsoar_polar = target.profile == ProfileKind::xcsoar && tarvex01.qwrprf;
    if (tarvex01.qcup_in || (!target.aircraft_file && !xcsoar_polar)) {
        return;
    }
    const std::string input = extract_name(trim_right(tarvex_c.infile));
    const std::string left = target.aircraft_file
                                 ? in_user_language("The aircraft file and its polar are left as they are",
                                                    "Le fichier de l'appareil et sa polaire restent tels quels")
                                 : in_user_language("The profile's polar is left as it is",
                                                    "La polaire du profil reste telle quelle");
    tell_and_log(kWarning, input + in_user_language(" names no glider ([Plane] Name)/",
                                                    " ne nomme aucun planeur ([Plane] Name)/") +
                               left);
}

}  // namespace

std::string airspace_list_file() {
    const std::string infile = trim_right(tarvex_c.infile);
    const std::size_t at = find_ignoring_case_cp1252(infile, ".fpl");
    const std::string stem = at == std::string::npos ? infile : infile.substr(0, at);
    return path_field(stem + (as0003.qlistas ? "-AS_DISABLED.txt" : "-AS_LIST.txt"));
}

bool writes_landscape_airspace() { return rd_fpl_0.nvcnd == 3 && !chosen_target().ends_with_writer; }

void find_airspace_list() {
    if (as0003.qlistas && writes_landscape_airspace() && !TextFileReader{kAirspaceListFile}.is_open()) {
        refuse_missing_airspace_list();
    }
}

std::string landscape_airspace_file() {
    const std::string landscape = trim_right(rd_fpl_2.landscape);
    return path_field(join_path(inst00.instpath3, "Landscapes\\" + landscape + "\\" + landscape + ".air"));
}

std::vector<BatchedWrite> settle_written_files(Conversion& c) {
    const std::vector<BatchedWrite> outcomes = finish_write_batch();
    const std::string outfile = trim_right(tarvex_c.outfile);
    for (const BatchedWrite& outcome : outcomes) {
        if (outcome.status == 0) {
            continue;
        }
        console_line("put in place " + outcome.windows_path + " : " + i2b(outcome.status));
        if (outcome.windows_path == outfile) {
            fail_task_writer(outfile);
        }
        report_unwritten_file(outcome.windows_path);
        if (outcome.windows_path == c.airspace_file) {
            c.airspace_status = outcome.status;
        } else if (outcome.windows_path == c.profile_file) {
            c.profile_status = outcome.status;
        }
    }
    return outcomes;
}

bool write_target_task(Conversion& c) {
    const std::string outfile = trim_right(tarvex_c.outfile);
    int& status = c.writer_status;
    const TargetFacts& target = chosen_target();
    const TaskWriter writer = kTaskWriters[static_cast<std::size_t>(target.ntarg)];
    if (writer != nullptr) {
        writer(outfile, status);
    } else {
        status = 1;
    }
    // A task that was not written ends the run before anything else is touched.
    if (status != 0) {
        fail_task_writer(outfile, status);
    }
    make_keystone(outfile);
    if (!task_names_glider()) {
        warn_no_glider(target);
    } else if (target.aircraft_file) {
        c.polar_file =
            path_field(join_path(target_tree_folder(c.target_root, &FolderTree::polars), c.glider_name + ".xcp"));
        console_line("Polar file " + c.polar_file);
        int acf_status = 0;
        write_acf(c.aircraft_file, c.polar_file, c.glider_name, acf_status);
        if (acf_status != 0) {
            // No aircraft file names the polar: LK8000 is given none.
            c.polar_file.clear();
        }
    }
    return !target.ends_with_writer;
}

void write_task_airspace(Conversion& c) {
    c.airspace_status = 0;
    if (writes_landscape_airspace()) {
        c.airspace_status = write_condor3_airspace(c);
    } else if (rd_fpl_0.nb_pz > 0) {
        write_pz(c.airspace_file, c.airspace_status);
    }
}

void update_profile(Conversion& c) {
    c.profile_status = 0;
    if (!tarvex01.qwrprf) {
        return;
    }
    switch (chosen_target().profile) {
        case ProfileKind::xcsoar:
            write_prf(c.profile_file, c.airspace_file, c.selected_polar, c.profile_status);
            break;
        case ProfileKind::lk8000:
            write_prf_lk8000(c.profile_file, target_tree_folder(c.target_root, &FolderTree::configuration),
                             c.airspace_file, target_tree_folder(c.target_root, &FolderTree::maps), c.profile_status);
            break;
        case ProfileKind::none: break;
    }
}

void check_aat_areas() {
    if (!rd_fpl_6.qaat) {
        return;
    }
    const int nb_wp = std::clamp(rd_fpl_0.nb_wp, 0, kTurnpointSlots);
    int cylinders = 0;
    for (int n = 2; n <= nb_wp - 2; ++n) {
        if (rd_fpl_1.tpang[static_cast<std::size_t>(n)] == kCylinderAngle) {
            ++cylinders;
        }
    }
    tarvex01.nb_cyl = cylinders;
    console_line("NB_CYL " + i2b(cylinders) + " " + i2b(nb_wp - 3));
    if (cylinders < nb_wp - 3) {
        tell_and_log(kWarning, in_user_language("AAT defined, some areas are not circular",
                                                "AAT activ\xE9, certains secteurs ne sont pas circulaires"));
    }
}

#include "taskfiles/profile_writer.h"

#include "foundation/fixed_text.h"
#include "foundation/key_value.h"
#include "foundation/number_text.h"
#include "foundation/option_records.h"
#include "foundation/output_targets.h"
#include "foundation/paths_files.h"
#include "foundation/tell.h"
#include "foundation/text_edit.h"
#include "foundation/units.h"
#include "foundation/unwritten_files.h"
#include "platform/console.h"
#include "platform/encoding.h"
#include "platform/files.h"
#include "platform/glue_dialogs.h"
#include "taskfiles/list_rewrite.h"
#include "taskfiles/map_lists.h"
#include "taskfiles/task_model.h"

#include <algorithm>
#include <optional>
#include <string>
#include <utility>
#include <vector>

namespace {

// A key the writer sets, and its value (written between double quotes). A
// list key (XCSoar's "AirspaceFileList", "WPFileList": entries joined by "|")
// gets the value as its first entry; its other entries keep their bytes.
struct ProfileSetting {
    std::string key;
    std::string value;
    bool first_of_list = false;
};
using ProfileSettings = std::vector<ProfileSetting>;

constexpr std::string_view kLocalPath = "%LOCAL_PATH%\\";
// The folder of XCSoar's data folder that holds its profiles since 7.45.
constexpr std::string_view kXcsoarProfilesFolder = "profiles";
constexpr char kListSeparator = '|';

// The first of `places` that exists; none when none does.
std::optional<std::string> first_existing(const std::vector<std::string>& places) {
    const auto found =
        std::find_if(places.begin(), places.end(), [](const std::string& place) { return file_exists(place); });
    return found == places.end() ? std::nullopt : std::optional<std::string>(*found);
}

std::string landscape_name() { return trim_right(rd_fpl_2.landscape); }

// Asks for a file with the open-file dialog. True when one was chosen: `name`
// then holds its name without the folder. A cancelled dialog leaves `name` as
// it is, so a cancel never throws away a map the list knew.
bool ask_file_name(std::string_view title, std::string_view start, std::string_view filter,
                   std::string_view description, std::string& name) {
    console_line(std::string(start));
    std::string answer;
    int length = 0;
    if (GetFileName(answer, title, start, filter, description, 0, length) != 1) {
        return false;
    }
    remove_trail_0(answer);
    name = extract_name(answer);
    return true;
}

// Reads the profile to rewrite into `lines`: the profile itself, whose ".bak"
// is made from the bytes read, or else the first default profile of
// `default_places` that exists. 0 when one was read (and backed up), else
// kProfileNotRead or the backup's status, with the messages of the failure
// shown (as the cause of the profile not written): a profile that could not
// be backed up is not rewritten.
int read_source_profile(std::string_view prffile, const std::vector<std::string>& default_places,
                        std::vector<std::string>& lines) {
    std::string source;
    if (file_exists(prffile)) {
        source = std::string(prffile);
    } else {
        const std::optional<std::string> found = first_existing(default_places);
        if (!found) {
            std::string places;
            for (const std::string& place : default_places) {
                places += "\n " + place;
            }
            tell_unwritten_cause(
                in_user_language("*** File not found" + places, "*** Fichier non trouv\xE9 : " + places));
            return kProfileNotRead;
        }
        source = *found;
    }
    TextFileContent content;
    bool opened = false;
    if (read_text_file(source, content, opened) != 0) {
        if (opened) {
            tell_unwritten_cause(
                in_user_language("*** Error reading: \n " + source, "*** Erreur de lecture : \n " + source));
        }
        return kProfileNotRead;
    }
    if (source == prffile) {
        const int backup = make_backup_copy(prffile, content.bytes);
        if (backup != 0) {
            return backup;
        }
    }
    lines = std::move(content.lines);
    return 0;
}

// The line written for a profile line: the setting of its key, or the line
// itself without its trailing blanks. `met` collects the keys that were set.
std::string profile_line(const std::string& line, const ProfileSettings& settings, std::vector<std::string>& met) {
    std::string key;
    std::string value;
    extract_key_val(line, key, value);
    const auto setting =
        std::find_if(settings.begin(), settings.end(), [&](const ProfileSetting& s) { return s.key == key; });
    if (setting == settings.end()) {
        return trim_right(line);
    }
    met.push_back(key);
    // XCSoar and LK8000 read their profiles as UTF-8: the value set is written
    // so (a file name with an accent names the file as the disk does).
    std::string written = cp1252_to_utf8(setting->value);
    if (setting->first_of_list) {
        const std::string as_read = trim_right(value);
        std::string_view list = as_read;
        if (list.size() >= 2 && list.front() == '"' && list.back() == '"') {
            list = list.substr(1, list.size() - 2);
        }
        const std::size_t separator = list.find(kListSeparator);
        if (separator != std::string_view::npos) {
            // The other entries as read; an empty first entry is left out, as
            // XCSoar leaves out an empty "AirspaceFile" when it makes the list.
            const std::string_view others = list.substr(separator + 1);
            written = written.empty() ? std::string(others) : written + kListSeparator + std::string(others);
        }
    }
    return setting->key + "=\"" + written + "\"";
}

// Rewrites the profile with the settings; returns iosp and the keys set.
int rewrite_profile(std::string_view prffile, const std::vector<std::string>& default_places,
                    const ProfileSettings& settings, std::vector<std::string>& met) {
    std::vector<std::string> lines;
    int iosp = read_source_profile(prffile, default_places, lines);
    if (iosp == 0) {
        FileWriter out(prffile);
        // Put in place only after its backup (when one was made).
        out.depends_on(std::string(prffile) + ".bak");
        if (!out.is_open()) {
            iosp = out.open_status();
        } else {
            for (const std::string& line : lines) {
                out.write_line(profile_line(line, settings, met));
            }
            iosp = out.close();
        }
    }
    if (iosp != 0) {
        report_unwritten_file(trim_right(prffile));
    }
    return iosp;
}

bool was_set(const std::vector<std::string>& met, std::string_view key) {
    return std::find(met.begin(), met.end(), key) != met.end();
}

// The airspace file name for the profile, shown on the console; blank when
// the task has none.
std::string airspace_file_name(std::string_view oafile) {
    if (!task_has_airspace()) {
        return {};
    }
    const std::string name = extract_name(oafile);
    console_line("PRF - AirspaceFile " + name);
    return name;
}

// The XCSoar polar of the plan's glider, "-FXB" for a fixed ballast.
std::string xcsoar_polar_path() {
    std::string path(kLocalPath);
    if (tarvex01.qpolfold) {
        path += "Polars\\";
    }
    path += trim_right(ggg001.glider);
    path += gggmas.fmass > 0.0f ? "-FXB.xcp" : ".xcp";
    return path;
}

}  // namespace

std::vector<std::string> xcsoar_profile_places(std::string_view root, std::string_view name) {
    return {join_path(join_path(root, kXcsoarProfilesFolder), name), join_path(root, name)};
}

std::string xcsoar_default_profile(std::string_view root) {
    return first_existing(xcsoar_profile_places(root, kXcsoarDefaultProfile))
        .value_or(join_path(root, kXcsoarDefaultProfile));
}

std::string xcsoar_profile_file(std::string_view root, std::string_view name) {
    const std::vector<std::string> places = xcsoar_profile_places(root, name);
    if (const std::optional<std::string> found = first_existing(places)) {
        return *found;
    }
    // Made from the default profile, beside it.
    return file_exists(xcsoar_profile_places(root, kXcsoarDefaultProfile).front()) ? places.front() : places.back();
}

std::string lk8000_default_profile(std::string_view dest) { return join_path(dest, kLk8000DefaultProfile); }

void write_prf(std::string_view prffile, std::string_view oafile, std::string& selpol, int& iosp) {
    const std::string landscape = landscape_name();

    if (!find_xcsoar_map() || tarvex01.qmapalways) {
        const std::string start = join_path(tarvex_c.xcsoar_root, landscape + ".xcm");
        if (ask_file_name("Tarvex : Select map for landscape : " + landscape, start, "*.xcm", "XCSoar maps (*.xcm)",
                          tarvex_c.mapname) &&
            !is_blank(tarvex_c.mapname)) {
            write_map_list(tarvex_c.mapname, " ");
        }
    }

    const std::string airspace = airspace_file_name(oafile);
    const std::string polar = xcsoar_polar_path();
    const std::string map_folder = tarvex01.qmapfold ? std::string(kLocalPath) + "Maps\\" : std::string(kLocalPath);
    const std::string airspace_value = airspace.empty() ? std::string() : std::string(kLocalPath) + airspace;
    const std::string waypoints = std::string(kLocalPath) + landscape + ".cup";
    // XCSoar 7.44 and later keep the files in the list keys, earlier
    // versions in the single keys: whichever the profile holds is set.
    ProfileSettings settings = {
        {"AirspaceFile", airspace_value},
        {"AirspaceFileList", airspace_value, true},
        {"MapFile", map_folder + trim_right(tarvex_c.mapname)},
        {"WPFile", waypoints},
        {"WPFileList", waypoints, true},
        {"StartMaxSpeed", f2b(kmh_to_metres_per_second(static_cast<float>(rd_fpl_6.start_max_speed)), "(F8.3)")},
    };
    // No glider, no polar of it: the pilot's polar stays.
    if (task_names_glider()) {
        settings.push_back({"PlanePath", polar});
    }

    std::vector<std::string> met;
    iosp = rewrite_profile(prffile, xcsoar_profile_places(tarvex_c.xcsoar_root, kXcsoarDefaultProfile), settings, met);
    if (was_set(met, "PlanePath")) {
        const std::size_t slash = polar.find('\\');
        selpol = slash == std::string::npos ? polar : polar.substr(slash + 1);
    }
}

void write_prf_lk8000(std::string_view prffile, std::string_view dest, std::string_view oafile,
                      std::string_view map_dir, int& iosp) {
    console_line("write_prf_lk8000 " + i2b(rd_fpl_0.nb_pz) + " " + i2b(rd_fpl_0.nvcnd));
    const std::string landscape = landscape_name();

    const bool found = find_lk8000_map();
    if (!found || tarvex01.qmapalways) {
        if (!found) {
            // A terrain left from an earlier lookup belongs to no map of this landscape.
            tarvex_c.terrainname.clear();
        }
        ask_file_name("Tarvex : Select map for landscape : " + landscape, join_path(map_dir, landscape + ".LKM"),
                      "*.LKM", "LK8000 maps (*.LKM)", tarvex_c.mapname);
        ask_file_name("Tarvex : Select terrain for landscape : " + landscape, join_path(map_dir, landscape + ".DEM"),
                      "*.DEM", "LK8000 terrain (*.DEM)", tarvex_c.terrainname);
        if (!found && !is_blank(tarvex_c.mapname) && !is_blank(tarvex_c.terrainname)) {
            write_map_list(tarvex_c.mapname, tarvex_c.terrainname);
        }
    }

    const ProfileSettings settings = {
        {"AirspaceFile", airspace_file_name(oafile)},
        {"MapFile", trim_right(tarvex_c.mapname)},
        {"TerrainFile", trim_right(tarvex_c.terrainname)},
        {"WPFile", landscape + ".cup"},
    };
    std::vector<std::string> met;
    iosp = rewrite_profile(prffile, {lk8000_default_profile(dest)}, settings, met);
}

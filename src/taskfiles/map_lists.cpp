#include "taskfiles/map_lists.h"

#include "foundation/fixed_text.h"
#include "foundation/key_value.h"
#include "foundation/option_records.h"
#include "foundation/output_targets.h"
#include "foundation/unwritten_files.h"
#include "platform/console.h"
#include "platform/files.h"
#include "taskfiles/list_rewrite.h"
#include "taskfiles/task_model.h"

#include <array>
#include <string>
#include <vector>

namespace {

constexpr std::array<std::string_view, 4> kXcsoarHeader = {
    "# Tarvex_maps.txt : XCSoar maps for Condor lanscapes",
    "# On each line :",
    "# Landscape_name=XCSoar_map",
    "",
};
constexpr std::array<std::string_view, 4> kLk8000Header = {
    "# Tarvex_LK8000_maps.txt : LK8000 maps for Condor lanscapes",
    "# On each line :",
    "# Landscape_name=MAP.LKM,TERRAIN.DEM",
    "",
};

bool is_comment(std::string_view line) { return !line.empty() && line.front() == '#'; }

// True when the line is the entry of the landscape: not a comment, and its key
// (blank lines have none) equals the landscape name.
bool is_entry_of(std::string_view line, std::string_view landscape, std::string& key, std::string& value) {
    if (is_comment(line)) {
        key.clear();
        value.clear();
        return false;
    }
    extract_key_val(line, key, value);
    return !is_blank(key) && blank_equal(key, landscape);
}

// The value of the landscape's entry in `list`. False when the list is missing,
// cannot be read to that entry, or has none.
bool find_entry(std::string_view list, std::string& value) {
    value.clear();
    if (!file_exists(list)) {
        return false;
    }
    TextFileReader reader(list);
    if (!reader.is_open()) {
        return false;
    }
    std::string line;
    std::string key;
    while (reader.read_line(line)) {
        if (is_entry_of(line, rd_fpl_2.landscape, key, value)) {
            return true;
        }
    }
    value.clear();
    return false;
}

const char* yes_no(bool found) { return found ? "T" : "F"; }

}  // namespace

bool find_xcsoar_map() {
    tarvex_c.mapname.clear();
    console_line("Landscape : " + rd_fpl_2.landscape);
    std::string value;
    const bool found = find_entry(kXcsoarMapList, value);
    if (found) {
        tarvex_c.mapname = fit_field(value, kOptionPathCapacity);
    }
    console_line(std::string("find_XCSoar_map ") + yes_no(found) + " " + tarvex_c.mapname);
    return found;
}

bool find_lk8000_map() {
    tarvex_c.mapname.clear();
    console_line("Landscape : " + rd_fpl_2.landscape);
    std::string value;
    const bool found = find_entry(kLk8000MapList, value);
    if (found) {
        std::string map;
        std::string terrain;
        extract_comma(value, map);
        extract_comma(value, terrain);
        tarvex_c.mapname = fit_field(map, kOptionPathCapacity);
        tarvex_c.terrainname = fit_field(terrain, kOptionPathCapacity);
    }
    console_line(std::string("find_lk8000_map ") + yes_no(found) + " " + tarvex_c.mapname + " " +
                 tarvex_c.terrainname);
    return found;
}

void write_map_list(std::string_view mmm, std::string_view ttt) {
    // Called by the profile writers and by the conversion form, which may
    // change the switches before any target is chosen: the list is that of
    // the target the switches ask for now.
    const ProfileKind software = target_facts(target_asked_for()).profile;
    if (software == ProfileKind::none) {
        console_line("write_map_list : no XCSoar or LK8000 target, nothing written");
        return;
    }
    const bool xcsoar = software == ProfileKind::xcsoar;
    const std::string list(xcsoar ? kXcsoarMapList : kLk8000MapList);
    const std::string landscape = trim_right(rd_fpl_2.landscape);

    TextFileContent content;
    const bool existed = file_exists(list);
    if (existed) {
        bool opened = false;
        if (read_text_file(list, content, opened) != 0) {
            report_unwritten_file(list, "*** " + list + ": Error reading ***", "*** " + list + " : Erreur de lecture ***");
            return;
        }
        // A list that cannot be backed up is not rewritten.
        if (make_backup_copy(list, content.bytes) != 0) {
            return;
        }
    }
    const std::vector<std::string>& lines = content.lines;

    FileWriter out(list);
    out.depends_on(list + ".bak");
    if (!out.is_open()) {
        report_unwritten_file(list, "*** " + list + ": Error opening ***", "*** " + list + " : Ouverture impossible ***");
        return;
    }
    if (!existed) {
        for (const std::string_view header : xcsoar ? kXcsoarHeader : kLk8000Header) {
            out.write_line(header);
        }
    }
    std::string key;
    std::string value;
    for (const std::string& line : lines) {
        const bool replaced = is_entry_of(line, landscape, key, value);
        console_line("write_map_list " + key + " / " + landscape);
        if (!replaced) {
            out.write_line(trim_right(line));
        }
    }
    std::string entry = landscape + "=" + trim_right(mmm);
    if (!xcsoar) {
        entry += "," + trim_right(ttt);
    }
    out.write_line(entry);
    if (out.close() != 0) {
        report_unwritten_file(list, "*** " + list + ": Error writing ***",
                              "*** " + list + " : Erreur d'\xE9" "criture ***");
    }
}

#include "forms/kit/engine_dialogs.h"

#include "forms/kit/engine_tables.h"

#include "cpw/cpw.h"
#include "platform/dialogs.h"
#include "platform/environment.h"

#include <optional>
#include <string>
#include <vector>

namespace {

void take(int i, const std::string& text) {
    engine_tables.inpt_cval[static_cast<std::size_t>(i)] = text.substr(0, engine_value_chars);
}

void no_choice(const char* english, const char* french) {
    tinyfd_messageBox("Error", IsLanguageFrench() != 0 ? french : english, "ok", "error", 1);
}

}  // namespace

void engine_choose_colour(int i) {
    const auto k = static_cast<std::size_t>(i);
    const int value = engine_tables.inpt_ival[k];
    const Rgb start{static_cast<unsigned char>((value >> 16) & 255), static_cast<unsigned char>((value >> 8) & 255),
                    static_cast<unsigned char>(value & 255)};
    Rgb chosen = start;
    const std::optional<std::string> text =
        tinyfd_colorChooser("choose a nice color", engine_tables.inpt_cval[k], start, chosen);
    if (text) {
        take(i, *text);
        engine_tables.inpt_ival[k] = chosen[0] * 65536 + chosen[1] * 256 + chosen[2];
    }
}

bool get_path_chosen(int index) { return index >= 0 && engine_state.PathChosen == index; }

void engine_choose_path(int i) {
    engine_state.PathChosen = -1;
    const auto k = static_cast<std::size_t>(i);
    const int type = engine_tables.inpt_typ[k];
    const std::string& current = engine_tables.inpt_cval[k];
    const std::string& title = engine_window.Title;
    std::vector<std::string> patterns;
    if (!engine_tables.inpt_ext[k].empty()) {
        patterns.push_back(engine_tables.inpt_ext[k]);
    }
    std::optional<std::string> chosen;
    if (type == frm_type_ifp) {
        chosen = tinyfd_openFileDialog(title, current, patterns, "", false);
    } else if (type == frm_type_ofp) {
        chosen = tinyfd_saveFileDialog(title, current, patterns, "");
    } else {
        chosen = tinyfd_selectFolderDialog(title, current);
    }
    if (chosen) {
        take(i, *chosen);
        engine_state.PathChosen = i;
    } else if (type == frm_type_fld) {
        no_choice("No folder selected", "Aucun dossier s\xE9lectionn\xE9");
    } else {
        no_choice("No file specification returned", "Aucun fichier sp\xE9" "cifi\xE9");
    }
    engine_state.CurInptOld = -1;
    if (type != frm_type_fld && engine_window.this_cpw != nullptr && engine_metrics.windowInfo.id != 0) {
        cpwSetCursor(engine_window.this_cpw, cpw_cursor_arrow, engine_metrics.windowInfo.id);
    }
}

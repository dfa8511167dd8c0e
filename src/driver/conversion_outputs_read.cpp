// No output of a conversion may be a file the conversion reads, nor another
// of its outputs: written whole, it would replace the input, the settings,
// the landscape, the program's own files or an output written before it, and
// what the pilot had would be lost.
#include "driver/conversion.h"

#include "airspace/airspace_reader.h"
#include "driver/forms_gui.h"
#include "driver/task_summary_text.h"
#include "foundation/condor_install.h"
#include "foundation/fixed_text.h"
#include "foundation/log.h"
#include "foundation/form_files.h"
#include "foundation/option_records.h"
#include "foundation/output_targets.h"
#include "foundation/paths_files.h"
#include "foundation/program_folder.h"
#include "foundation/run_stop.h"
#include "foundation/tell.h"
#include "platform/environment.h"
#include "platform/files.h"
#include "taskfiles/fpl_writer.h"
#include "taskfiles/map_lists.h"
#include "taskfiles/profile_writer.h"
#include "taskfiles/task_model.h"

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace {

constexpr std::string_view kCondorPilotSettings = "Setup.ini";
constexpr int kExePathLength = 512;

// A file of the conversion and what it is to the pilot, in English and French.
struct NamedFile {
    std::string path;
    std::string english;
    std::string french;
    // An output: the output of which it is a copy (a copy onto its source is
    // not made).
    std::optional<std::size_t> copy_of = std::nullopt;
    // The profile rewritten, or a file its writer reads for it.
    bool profile = false;
};

class Files {
public:
    // Adds `path` unless it is blank; its index when added.
    std::optional<std::size_t> add(const std::string& path, std::string_view english, std::string_view french,
                                   bool profile = false) {
        const std::string trimmed = trim_right(path);
        if (trimmed.empty()) {
            return std::nullopt;
        }
        files_.push_back({trimmed, std::string(english), std::string(french), std::nullopt, profile});
        return files_.size() - 1;
    }
    // A file of a folder: nothing when the folder is blank (a bare name
    // would name a file of the current folder instead).
    void add_in(const std::string& folder, std::string_view name, std::string_view english, std::string_view french,
                bool profile = false) {
        if (!is_blank(folder)) {
            add(join_path(trim_right(folder), name), english, french, profile);
        }
    }
    // Adds the copy `path` of the file of index `source`.
    void add_copy(const std::string& path, std::optional<std::size_t> source, std::string_view english,
                  std::string_view french) {
        if (add(path, english, french)) {
            files_.back().copy_of = source;
        }
    }
    const std::vector<NamedFile>& all() const { return files_; }

private:
    std::vector<NamedFile> files_;
};

// The profiles the profile writer may read for the profile it rewrites: the
// profile itself, and the target's default profile it starts from when the
// profile does not exist yet, where the software looks for them (for XCSoar
// both of its places, since the pilot's profile may lie in either).
void add_profile_sources(const Conversion& c, Files& read) {
    constexpr std::string_view english = "the profile";
    constexpr std::string_view french = "le profil";
    constexpr std::string_view default_english = "the default profile";
    constexpr std::string_view default_french = "le profil par d\xE9" "faut";
    read.add(c.profile_file, english, french, true);
    read.add(c.default_profile, default_english, default_french, true);
    if (chosen_target().profile == ProfileKind::xcsoar) {
        const std::string root = trim_right(tarvex_c.xcsoar_root);
        for (const std::string& place : xcsoar_profile_places(root, extract_name(trim_right(c.profile_file)))) {
            read.add(place, english, french, true);
        }
        for (const std::string& place : xcsoar_profile_places(root, kXcsoarDefaultProfile)) {
            read.add(place, default_english, default_french, true);
        }
    }
}

// The map list of the target's profile, which the profile writer may
// rewrite (its backup beside it); blank for a target without one.
std::string map_list() {
    switch (chosen_target().profile) {
        case ProfileKind::xcsoar: return std::string(kXcsoarMapList);
        case ProfileKind::lk8000: return std::string(kLk8000MapList);
        case ProfileKind::none: break;
    }
    return {};
}

// Every file the conversion writes, the task first.
Files outputs(const Conversion& c, const RunState& run) {
    Files out;
    const std::optional<std::size_t> task = out.add(tarvex_c.outfile, "the task", "le circuit");
    if (chosen_target().ends_with_writer) {
        return out;
    }
    const std::optional<std::size_t> airspace =
        out.add(c.airspace_file, "the airspace file", "le fichier des espaces a\xE9riens");
    if (tarvex01.qwrprf && !is_blank(c.profile_file)) {
        out.add(c.profile_file, "the profile", "le profil", true);
        out.add(trim_right(c.profile_file) + ".bak", "the profile's backup", "la copie de sauvegarde du profil");
        if (!map_list().empty()) {
            out.add(map_list() + ".bak", "the map list's backup", "la copie de sauvegarde de la liste des cartes");
        }
    }
    out.add(c.aircraft_file, "the aircraft file", "le fichier de l'appareil");
    const XcsoarCopies copies = xcsoar_copies(c);
    out.add_copy(copies.task, task, "the task's copy", "la copie du circuit");
    out.add_copy(default_task_copy(), task, "the task's copy", "la copie du circuit");
    out.add_copy(copies.airspace, airspace, "the airspace file's copy",
                 "la copie du fichier des espaces a\xE9riens");
    if (run.summary_name_length > 0) {
        out.add(tarvex_c.tskwrnfile, "the task summary file", "le fichier de r\xE9sum\xE9 du circuit");
    }
    if (tarvex01.qtskwrn || run.summary_name_length > 0) {
        out.add(notepad_file(), "LK8000's notepad", "le bloc-notes de LK8000");
    }
    if (writes_landscape_airspace()) {
        out.add(airspace_list_file(), "the list of airspaces beside the plan",
                "la liste des espaces a\xE9riens \xE0 c\xF4t\xE9 du plan");
        out.add(kCroppedAirspaceFile, "the index of the airspaces kept",
                "l'index des espaces a\xE9riens gard\xE9s");
    }
    return out;
}

// Every file the conversion reads or may read, as far as its names are known
// before the writers run, and the files the program is made of.
Files files_read(const Conversion& c) {
    Files read;
    read.add(tarvex_c.infile, "the input", "le fichier d'entr\xE9" "e");
    read.add(tarvex_c.inifile, "the settings file", "le fichier de param\xE8tres");
    constexpr std::string_view landscape_en = "a file of the landscape";
    constexpr std::string_view landscape_fr = "un fichier du paysage";
    read.add(trn00c.trnfile, landscape_en, landscape_fr);
    read.add(c.airport_file, landscape_en, landscape_fr);
    read.add(c.turnpoint_file, landscape_en, landscape_fr);
    if (tarvex01.qaltcup) {
        read.add(tarvex_c.altcupfile, landscape_en, landscape_fr);
    }
    if (writes_landscape_airspace()) {
        read.add(landscape_airspace_file(), landscape_en, landscape_fr);
    }
    if (tarvex01.qwrprf) {
        // Read whole before it is rewritten: no other output may replace it.
        add_profile_sources(c, read);
    }
    read.add_in(inst00.pilot_path, kCondorPilotSettings, "Condor's pilot settings",
                "les param\xE8tres du pilote de Condor");
    for (const std::string_view list : {kXcsoarMapList, kLk8000MapList}) {
        read.add(std::string(list), "a map list", "une liste des cartes");
    }
    read.add(std::string(kAirspaceListFile), "the list of -listAS", "la liste de -listAS");
    for (const std::string_view model : {kCondor2Template, kCondor3Template}) {
        read.add(std::string(model), "a template flight plan", "un plan de vol mod\xE8le");
    }
    // Written all through the run: an output there would be mixed with it.
    read.add(current_log_file(), "the log of the run", "le journal de la conversion");
    if (tarvex01.qscr && !tarvex01.qcup_in) {
        read.add(tarvex_c1.scrnam, "the post-run script", "le script lanc\xE9 apr\xE8s la conversion");
    }
    constexpr std::string_view program_en = "a file of the program";
    constexpr std::string_view program_fr = "un fichier du programme";
    std::string exe;
    if (GetExePath(exe, kExePathLength) > 0) {
        read.add(exe, program_en, program_fr);
    }
    std::string program_folder;
    get_inst_path(program_folder);
    read.add_in(program_folder, kFormsModuleFile, program_en, program_fr);
    for (const std::string_view form : kFormFiles) {
        read.add_in(program_folder, form, program_en, program_fr);
    }
    return read;
}

// The folders of Condor whose files are Condor's own, never an output: the
// Landscapes folder of every install, the Turnpoints folder of every user root.
std::vector<std::string> condor_folders() {
    std::vector<std::string> folders;
    for (const std::string* install : {&inst00.instpath1, &inst00.instpath2, &inst00.instpath3}) {
        if (!is_blank(*install)) {
            folders.push_back(join_path(trim_right(*install), "Landscapes"));
        }
    }
    for (const std::string* root : {&inst00.rootpath2, &inst00.rootpath3, &inst00.cndrrootpath}) {
        if (!is_blank(*root)) {
            folders.push_back(join_path(trim_right(*root), "Turnpoints"));
        }
    }
    return folders;
}

[[noreturn]] void refuse(const std::string& output, const std::string& english, const std::string& french) {
    const std::string shown = slashes_kept(output);
    fatal_error(in_user_language("*** " + shown + " : " + english + " ***/Nothing was written: choose another output",
                                 "*** " + shown + " : " + french +
                                     " ***/Rien n'a \xE9t\xE9 \xE9" "crit : choisissez une autre sortie"),
                kExitUsage);
}

}  // namespace

void refuse_outputs_read(const Conversion& c, const RunState& run) {
    const std::vector<NamedFile> out = outputs(c, run).all();
    const std::vector<NamedFile> read = files_read(c).all();
    const std::vector<std::string> condor = condor_folders();
    for (std::size_t n = 0; n < out.size(); ++n) {
        const NamedFile& output = out[n];
        for (const NamedFile& file : read) {
            // The profile writer reads and rewrites its own profile.
            if (output.profile && file.profile && same_file(file.path, output.path)) {
                continue;
            }
            if (same_file(output.path, file.path)) {
                refuse(output.path, "an output cannot be " + file.english,
                       "une sortie ne peut pas \xEAtre " + file.french);
            }
        }
        for (const std::string& folder : condor) {
            if (lies_in_folder(output.path, folder)) {
                refuse(output.path, "an output cannot be a file of Condor's landscapes",
                       "une sortie ne peut pas \xEAtre un fichier des paysages de Condor");
            }
        }
        for (std::size_t m = 0; m < n; ++m) {
            if (output.copy_of != m && same_file(output.path, out[m].path)) {
                refuse(out[m].path, out[m].english + " and " + output.english + " cannot be one file",
                       out[m].french + " et " + output.french + " ne peuvent pas \xEAtre un seul fichier");
            }
        }
    }
}

// No output of a conversion may be a file the conversion reads: written
// whole, it would replace the input, the settings or the landscape before (or
// while) they are read, and what the pilot had would be lost.
#include "driver/conversion.h"

#include "foundation/fixed_text.h"
#include "foundation/option_records.h"
#include "foundation/output_targets.h"
#include "foundation/run_stop.h"
#include "foundation/tell.h"
#include "platform/files.h"
#include "taskfiles/task_model.h"

#include <string>
#include <vector>

namespace {

// A file the conversion reads, and what it is to the pilot.
struct FileRead {
    std::string path;
    std::string what;  // in the run's language
};

void add(std::vector<std::string>& paths, const std::string& path) {
    const std::string trimmed = trim_right(path);
    if (!trimmed.empty()) {
        paths.push_back(trimmed);
    }
}

void add(std::vector<FileRead>& files, const std::string& path, std::string_view english, std::string_view french) {
    const std::string trimmed = trim_right(path);
    if (!trimmed.empty()) {
        files.push_back({trimmed, in_user_language(english, french)});
    }
}

// Every file the conversion writes, the task first.
std::vector<std::string> outputs(const Conversion& c, const RunState& run) {
    std::vector<std::string> paths;
    add(paths, tarvex_c.outfile);
    if (chosen_target().ends_with_writer) {
        return paths;
    }
    add(paths, c.airspace_file);
    if (tarvex01.qwrprf) {
        add(paths, c.profile_file);
    }
    add(paths, c.aircraft_file);
    const XcsoarCopies copies = xcsoar_copies(c);
    add(paths, copies.task);
    add(paths, copies.airspace);
    if (run.summary_name_length > 0) {
        add(paths, tarvex_c.tskwrnfile);
    }
    return paths;
}

// Every file the conversion reads, as far as its names are known before the
// writers run.
std::vector<FileRead> files_read(const Conversion& c) {
    std::vector<FileRead> files;
    add(files, tarvex_c.infile, "the input", "le fichier d'entr\xE9" "e");
    add(files, tarvex_c.inifile, "the settings file", "le fichier de param\xE8tres");
    constexpr std::string_view landscape_en = "a file of the landscape";
    constexpr std::string_view landscape_fr = "un fichier du paysage";
    add(files, trn00c.trnfile, landscape_en, landscape_fr);
    add(files, c.airport_file, landscape_en, landscape_fr);
    add(files, c.turnpoint_file, landscape_en, landscape_fr);
    if (rd_fpl_0.nvcnd == 3 && !chosen_target().ends_with_writer) {
        add(files, landscape_airspace_file(), landscape_en, landscape_fr);
    }
    if (tarvex01.qwrprf) {
        // Read whole before it is rewritten: no other output may replace it.
        add(files, c.profile_file, "the profile", "le profil");
    }
    if (tarvex01.qscr && !tarvex01.qcup_in) {
        add(files, tarvex_c1.scrnam, "the post-run script", "le script lanc\xE9 apr\xE8s la conversion");
    }
    return files;
}

}  // namespace

void refuse_outputs_read(const Conversion& c, const RunState& run) {
    const std::vector<FileRead> read = files_read(c);
    const std::string profile = trim_right(c.profile_file);
    for (const std::string& output : outputs(c, run)) {
        for (const FileRead& file : read) {
            // The profile is read and rewritten by its own writer.
            if (file.path == profile && output == profile) {
                continue;
            }
            if (same_file(output, file.path)) {
                const std::string shown = slashes_kept(output);
                fatal_error(in_user_language("*** " + shown + " : an output cannot be " + file.what +
                                                 " ***/Nothing was written: choose another output",
                                             "*** " + shown + " : une sortie ne peut pas \xEAtre " + file.what +
                                                 " ***/Rien n'a \xE9t\xE9 \xE9" "crit : choisissez une autre sortie"),
                            kExitUsage);
            }
        }
    }
}

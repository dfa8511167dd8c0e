#include "driver/output_naming.h"

#include "driver/input_kind.h"
#include "driver/trace_text.h"
#include "foundation/condor_install.h"
#include "foundation/fixed_text.h"
#include "foundation/number_text.h"
#include "foundation/option_records.h"
#include "foundation/output_targets.h"
#include "foundation/paths_files.h"
#include "foundation/run_stop.h"
#include "foundation/tell.h"
#include "platform/case_fold.h"
#include "platform/console.h"
#include "platform/files.h"
#include "taskfiles/task_model.h"

#include <string>
#include <string_view>
#include <utility>

namespace {

constexpr std::string_view kLk8000DefaultAircraft = "DEFAULT_AIRCRAFT.acf";

// The position of the target's extension in a file name: a four-letter
// extension (".tsk") must end the name, ".json" may stand anywhere.
std::size_t find_extension(std::string_view name, std::string_view extension) {
    std::size_t from = 0;
    while (true) {
        const std::size_t at = find_ignoring_case_cp1252(name, extension, from);
        if (at == std::string_view::npos) {
            return at;
        }
        const std::size_t end = at + extension.size();
        if (extension.size() > 4 || end == name.size() || name[end] == ' ') {
            return at;
        }
        from = at + 1;
    }
}

// The part of a text before the first occurrence of a mark, any letter case;
// empty when the mark does not occur.
std::string part_before(std::string_view text, std::size_t at) {
    return at == std::string_view::npos ? std::string() : std::string(text.substr(0, at));
}

[[noreturn]] void no_default_file_name() {
    fatal_error(in_user_language("Write Default Files=2 : No file name specified",
                                 "Write Default Files=2 : Pas de nom de fichier sp\xE9" "cifi\xE9"),
                kExitConfiguration);
}

// The task folder of a target software; a blank one or one not set ends the run.
std::string task_folder(const std::string& folder, std::string_view software) {
    if (is_blank(folder) || folder.starts_with(kFolderNotSet)) {
        const std::string target(software);
        fatal_error(in_user_language("*** No destination folder for converted " + target + " tasks ***",
                                       "*** Pas de dossier de destination pour les circuits " + target +
                                           " convertis ***"),
                    kExitConversionFailed);
    }
    return trim_right(folder);
}

// An output given (the command line's OUTPUT) that does not end with the
// target's extension ends the run before anything is read or written: no
// file of one format is written under another format's name, nor without one.
void refuse_output_of_another_format(int ntarg) {
    if (names_target_file(tarvex_c.outfile, ntarg)) {
        return;
    }
    const std::string shown = slashes_kept(trim_right(tarvex_c.outfile));
    const std::string wanted(target_facts(ntarg).extension);
    fatal_error(in_user_language("*** " + shown + " : not a " + wanted + " file name ***/",
                                 "*** " + shown + " : pas un nom de fichier " + wanted + " ***/") +
                    ask_for_target_file_name(ntarg),
                kExitUsage);
}

}  // namespace

void set_outfile() {
    const int ntarg = tarvex01.ntarg;
    if (!is_output_target(ntarg)) {
        end_run("set_outfile : no output target chosen (" + i2b(ntarg) + ")", kExitConversionFailed);
    }
    const TargetFacts& target = target_facts(ntarg);
    const std::string extension(target.extension);
    const std::string infile = trim_right(tarvex_c.infile);
    tarvex_c.tskname = extract_name(infile);
    console_line("Set_Outfile");
    console_line(" " + tarvex_c.tskname);
    console_line(" " + target_switches_trace() + " " + i2b(ntarg));
    console_line(" " + i2b(static_cast<int>(trimmed_length(tarvex_c.outfile))) + " " + tarvex_c.outfile);
    console_line(" " + infile);

    std::string folder;
    std::string name;
    const bool given = !is_blank(tarvex_c.outfile);
    if (given) {
        refuse_output_of_another_format(ntarg);
        extract_path_name(tarvex_c.outfile, folder, name);
        tarvex_c.outname = name;
    } else {
        const InputKind kind = tarvex01.qcup_in ? InputKind::seeyou_task : InputKind::flight_plan;
        const std::string& task = tarvex_c.tskname;
        // Named after the input, unless the destination names the file.
        std::string outname = part_before(task, find_ignoring_case_cp1252(task, input_extension(kind))) + extension;
        switch (target.task_folder_kind) {
            case TaskFolder::option: {
                const std::string destination = task_folder(tarvex_c.*target.task_folder, target.software);
                if (target.default_file_names && tarvex01.ndeftsk == 2 && !names_task_file(destination)) {
                    no_default_file_name();
                }
                DestinationFile file = destination_file(target, destination, outname);
                folder = std::move(file.folder);
                outname = std::move(file.name);
                break;
            }
            case TaskFolder::condor_flight_plans:
                folder = join_path(inst00.cndrrootpath, "FlightPlans");
                break;
            case TaskFolder::beside_input:
            case TaskFolder::none:
                extract_path_name(infile, folder, name);
                console_line(" " + infile + " " + folder);
                break;
        }
        tarvex_c.outname = path_field(outname);
    }

    const std::string base = output_base_name(tarvex_c.outname, ntarg);
    if (target.default_file_names && tarvex01.ndeftsk == 2 && is_blank(base)) {
        no_default_file_name();
    }
    if (tarvex01.qverb_0) {
        console_line(" " + folder + (folder_exists(folder) ? " exists" : " does not exist"));
    }
    while (!folder.empty() && folder.back() == '\\') {
        folder.pop_back();
    }

    BuiltOutfile& built = tarvex_c.built_outfile;
    built.pending = !given;
    if (!given) {
        built.folder = folder;
        built.base = trim_right(base);
        built.extension = extension;
        built.infile = infile;
        tarvex_c.outfile = path_field(join_path(folder, built.base + extension));
    }
    console_line("Set_Outfile=" + tarvex_c.outfile);
}

DestinationFile destination_file(const TargetFacts& target, std::string_view destination,
                                 std::string_view named_after_input) {
    DestinationFile file{destination_folder(destination), std::string(named_after_input)};
    const std::string default_task = default_file_name(target, DefaultFile::task, "");
    if (names_task_file(destination)) {
        // The default task is then its copy (default_task_copy).
        file.name = extract_name(trim_right(destination));
    } else if (!default_task.empty()) {
        file.name = default_task;
    }
    return file;
}

bool names_task_file(std::string_view destination) {
    for (const int target : {kTargetTsk, kTargetLkt, kTargetCup}) {
        if (find_ignoring_case_cp1252(destination, target_facts(target).extension) != std::string::npos) {
            return true;
        }
    }
    return false;
}

std::string destination_folder(std::string_view destination) {
    std::string folder = trim_right(destination);
    if (names_task_file(folder)) {
        std::string name;
        extract_path_name(std::string(folder), folder, name);
    }
    while (!folder.empty() && folder.back() == '\\') {
        folder.pop_back();
    }
    return folder;
}

std::string output_base_name(std::string_view outname, int ntarg) {
    if (!is_output_target(ntarg)) {
        return {};
    }
    return trim_right(part_before(outname, find_extension(outname, target_facts(ntarg).extension)));
}

void add_aat_to_outfile() {
    BuiltOutfile& built = tarvex_c.built_outfile;
    if (!built.pending) {
        return;
    }
    built.pending = false;
    const std::string base = aat_marked_base(built.base, rd_fpl_6.qaat, built.infile);
    if (base != built.base) {
        tarvex_c.outfile = path_field(join_path(built.folder, base + built.extension));
        console_line("Set_Outfile=" + tarvex_c.outfile);
    }
}

std::string aat_marked_base(std::string_view base, bool aat, std::string_view input) {
    std::string marked(base);
    if (aat && extract_name(trim_right(input)).find(kAatMark) == std::string::npos && base != kDefaultTaskBase &&
        base != "default") {
        marked += kAatMark;
    }
    return marked;
}

std::string default_file_name(const TargetFacts& target, DefaultFile file, std::string_view base) {
    if (!target.default_file_names || (tarvex01.ndeftsk != 1 && tarvex01.ndeftsk != 2)) {
        return {};
    }
    const bool after_default = tarvex01.ndeftsk == 1;
    switch (file) {
        case DefaultFile::task:
            return after_default ? std::string(kDefaultTaskBase) + std::string(target.extension) : std::string();
        case DefaultFile::profile:
            return after_default ? std::string(kLk8000DefaultProfile) : std::string(base) + ".prf";
        case DefaultFile::aircraft:
            return after_default ? std::string(kLk8000DefaultAircraft) : std::string(base) + ".acf";
    }
    return {};
}

bool default_files_name_profile(const TargetFacts& target) {
    return !default_file_name(target, DefaultFile::profile, "").empty();
}

// The end of a conversion: the result message, the copies under the names
// XCSoar loads, the post-run script, the summary and the final message.
#include "driver/conversion.h"

#include "driver/output_naming.h"
#include "driver/task_summary_text.h"
#include "driver/trace_text.h"
#include "foundation/fixed_text.h"
#include "foundation/message_records.h"
#include "foundation/number_text.h"
#include "foundation/option_records.h"
#include "foundation/output_targets.h"
#include "foundation/paths_files.h"
#include "foundation/run_stop.h"
#include "foundation/tell.h"
#include "foundation/unwritten_files.h"
#include "platform/case_fold.h"
#include "platform/console.h"
#include "platform/encoding.h"
#include "platform/files.h"
#include "platform/path_map.h"
#include "platform/process.h"
#include "platform/write_batch.h"
#include "taskfiles/task_model.h"

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace {

// The names under which XCSoar finds the converted task and airspace: the
// task's base name followed by the target's extension.
constexpr std::string_view kCondorBase = "Condor";
constexpr std::string_view kCondorAirspace = "Condor-PZ.txt";

void add_to_message(Conversion& c, std::string_view text) {
    c.message = c.message + std::string(text);
    if (c.message.size() > kResultMessageLength) {
        c.message.resize(kResultMessageLength);
    }
}

// Copies `from` over `to` (a whole write); true when the copy was made, a
// failed copy is told. A file is not copied onto itself (the task written as
// the copy's name, the airspace named as its copy): there is nothing to do,
// and false.
bool copy_under_loaded_name(const std::string& from, const std::string& to) {
    if (to.empty() || same_file(from, to)) {
        return false;
    }
    const int status = copy_file_over(from, to);
    console_line("copy " + from + " -> " + to + " : " + i2b(status));
    if (status != 0) {
        report_unwritten_file(to);
    }
    return status == 0;
}

// True when the batch put the file in place, or had nothing to do with it.
bool put_in_place(const std::vector<BatchedWrite>& outcomes, const std::string& windows_path) {
    return std::none_of(outcomes.begin(), outcomes.end(), [&windows_path](const BatchedWrite& outcome) {
        return outcome.windows_path == windows_path && outcome.status != 0;
    });
}

// The first "/" of a path shown in a message becomes "\", so that it does not
// break the line.
std::string first_slash_as_backslash(std::string text) {
    const std::size_t at = text.find('/');
    if (at != std::string::npos) {
        text[at] = '\\';
    }
    return text;
}

// A Windows batch file (".bat", ".cmd", any case): a program of the host
// cannot be one.
bool is_windows_batch_file(std::string_view script) {
    const std::string name = extract_name(script);
    return matches_wildcard_cp1252(name, "*.bat") || matches_wildcard_cp1252(name, "*.cmd");
}

// Why a program was not started, from the system's error number: a file the
// system cannot execute (no execute permission, a folder, no program of this
// system) is "not executable"; anything else says the system's own words.
// Why the script, there (host path `host`), did not start.
std::string not_started_reason(int error, const std::string& host) {
    if (error == EACCES || error == ENOEXEC || error == EISDIR) {
        return in_user_language("not executable", "non ex\xE9" "cutable");
    }
    // The script is there: what the system did not find is its interpreter.
    if (const std::optional<std::string> interpreter = error == ENOENT ? script_interpreter(host) : std::nullopt) {
        const std::string shown = slashes_kept(utf8_to_cp1252(*interpreter));
        return in_user_language("its interpreter " + shown + " is missing",
                                "son interpr\xE9teur " + shown + " est introuvable");
    }
    if (error == 0) {
        return in_user_language("cannot be started", "ne peut pas \xEAtre lanc\xE9");
    }
    return utf8_to_cp1252(std::strerror(error));
}

void fail_script(Conversion& c, const std::string& script, std::string_view english, std::string_view french) {
    c.message = fit_field(slashes_kept(script) + "\n" + in_user_language(english, french), kResultMessageLength);
    c.message_status = 1;
    c.script_failed = true;
    // Shown once, whatever "-silent" says: the converted files stand, but
    // what the user expected to follow did not happen.
    tell_and_log(kError, c.message);
}

}  // namespace

XcsoarCopies xcsoar_copies(const Conversion& c) {
    XcsoarCopies copies;
    const TargetFacts& target = chosen_target();
    if (!target.xcsoar_copies) {
        return copies;
    }
    // The names compared as Windows compares file names.
    const bool named_default = equal_ignoring_case_cp1252(c.base_name, kDefaultTaskBase);
    const bool named_condor = equal_ignoring_case_cp1252(c.base_name, kCondorBase);
    const std::string extension(target.extension);
    if (tarvex01.ndeftsk == 1 && !named_default) {
        copies.task = join_path(c.target_root, std::string(kDefaultTaskBase) + extension);
    } else if (!named_condor) {
        copies.task = join_path(destination_folder(tarvex_c.xcsoar_tasks), std::string(kCondorBase) + extension);
    }
    if (task_has_airspace() && !named_condor) {
        copies.airspace = join_path(c.target_root, kCondorAirspace);
    }
    return copies;
}

std::string default_task_copy() {
    const TargetFacts& target = chosen_target();
    const std::string name = default_file_name(target, DefaultFile::task, "");
    if (name.empty() || target.task_folder == nullptr) {
        return {};
    }
    return join_path(destination_folder(tarvex_c.*target.task_folder), name);
}

void compose_result(Conversion& c) {
    const std::string outfile = trim_right(tarvex_c.outfile);
    const TargetFacts& target = chosen_target();
    const auto airspace_written = [&c] { return task_has_airspace() && c.airspace_status == 0; };

    // The copies under XCSoar's names; they and every file of the run are put
    // in place before the message names any of them.
    const XcsoarCopies copies = xcsoar_copies(c);
    const std::string& task_copy = copies.task;
    const std::string& airspace_copy = copies.airspace;
    const std::string default_copy = default_task_copy();
    bool task_copied = copy_under_loaded_name(outfile, task_copy);
    bool default_copied = copy_under_loaded_name(outfile, default_copy);
    bool airspace_copied = airspace_written() && copy_under_loaded_name(c.airspace_file, airspace_copy);
    const std::vector<BatchedWrite> outcomes = settle_written_files(c);
    task_copied = task_copied && put_in_place(outcomes, task_copy);
    default_copied = default_copied && put_in_place(outcomes, default_copy);
    airspace_copied = airspace_copied && put_in_place(outcomes, airspace_copy);

    c.message_status = 0;
    c.message = fit_field(trim_right(tarvex_c.tskname) + "\n" + trim_right(rd_fpl_2.landscape) + "\n" +
                              in_user_language("Task written to :", "Plan de vol \xE9" "crit dans :") + "\n " +
                              slashes_kept(outfile),
                          kResultMessageLength);
    if (task_copied) {
        add_to_message(c, "\n " + slashes_kept(task_copy));
    }
    if (default_copied) {
        add_to_message(c, "\n " + slashes_kept(default_copy));
    }
    if (airspace_written()) {
        add_to_message(c, in_user_language("\nPenalty zones written to :\n ",
                                           "\nZones de p\xE9nalit\xE9 \xE9" "crites dans :\n ") +
                              slashes_kept(c.airspace_file));
        if (airspace_copied) {
            add_to_message(c, "\n " + slashes_kept(airspace_copy));
        }
    }

    if (tarvex01.qwrprf && c.profile_status == 0 && target.profile != ProfileKind::none) {
        add_to_message(c,
                       in_user_language("\nProfile written to:\n ", "\nProfil \xE9" "crit dans :\n ") +
                              slashes_kept(c.profile_file));
        // The polar the flight software is given: the XCSoar profile's, the
        // one the LK8000 aircraft file names (none without the file).
        std::string polar;
        switch (target.profile) {
            case ProfileKind::xcsoar: polar = first_slash_as_backslash(c.selected_polar); break;
            case ProfileKind::lk8000:
                if (put_in_place(outcomes, c.aircraft_file)) {
                    polar = slashes_kept(c.polar_file);
                }
                break;
            case ProfileKind::none: break;
        }
        add_to_message(c, !polar.empty()
                              ? in_user_language("\nSelected polar:\n ", "\nPolaire s\xE9lectionn\xE9" "e :\n ") + polar
                              : in_user_language("\nNo polar set", "\nAucune polaire d\xE9" "finie"));
    }
}

void run_post_run_script(Conversion& c) {
    const std::string script = trim_right(tarvex_c1.scrnam);
    if (!tarvex01.qscr || tarvex01.qcup_in || script.empty()) {
        return;
    }
    const bool exists = file_exists(script);
    console_line("Post run script " + script + " " + trace_flag(exists));
    if (!exists) {
        fail_script(c, script, "File not found", "Introuvable");
        return;
    }
    if (is_windows_batch_file(script)) {
        // No shell of Windows runs here, and none is ever started.
        fail_script(c, script, "Execution error: a Windows batch file cannot run here",
                    "Erreur d'ex\xE9" "cution : un fichier de commandes Windows ne peut pas s'ex\xE9" "cuter ici");
        return;
    }
    // Run directly, without a shell and without arguments, and waited for.
    const std::optional<std::string> host = map_to_host(script);
    ProcessResult result;
    if (host) {
        result = run_process({*host});
    }
    console_line("Script status " + i2b(result.exit_status) + " " + trace_flag(result.started) + " " + script);
    if (!result.started) {
        const std::string why = not_started_reason(result.start_error, host.value_or(""));
        fail_script(c, script, "Execution error: " + why, "Erreur d'ex\xE9" "cution : " + why);
    } else if (result.signal != 0) {
        const std::string signal = i2b(result.signal) + ", " + signal_name(result.signal);
        fail_script(c, script, "Execution error (ended by signal " + signal + ")",
                    "Erreur d'ex\xE9" "cution (arr\xEAt\xE9 par le signal " + signal + ")");
    } else if (result.exit_status != 0) {
        const std::string code = i2b(result.exit_status);
        fail_script(c, script, "Execution error (exit code " + code + ")",
                    "Erreur d'ex\xE9" "cution (code de sortie " + code + ")");
    }
}

int finish_conversion(Conversion& c, const RunState& run) {
    console_line("qsilent " + trace_flag(tarvex01.qsilent) + " qline " + trace_flag(cmndta001.qline));
    console_line(c.message);
    if (c.summary_built) {
        output_task_summary(c.summary, run.summary_name_length > 0);
    }
    settle_written_files(c);
    // A file that was not written was told when it failed; the run says so
    // by its exit code, after every step that could still run.
    const int exit_code = any_file_unwritten() ? kExitConversionFailed
                          : c.script_failed    ? kExitScriptFailed
                                               : kExitSuccess;
    if (c.script_failed) {
        // Already shown and logged when the script failed.
        return exit_code;
    }
    if (any_file_unwritten()) {
        c.message_status = 1;
    }
    tell_and_log(c.message_status, c.message, {.shown = !tarvex01.qsilent});
    return exit_code;
}

#include "platform/dialog_backends.h"
#include "platform/dialog_support.h"
#include "platform/dialogs.h"
#include "platform/encoding.h"
#include "platform/process.h"

namespace {

// zenity exits with 255 when it rejects its arguments (an older zenity that
// lacks an option): the dialog was never shown.
constexpr int kZenityRejected = 255;

std::string option(std::string_view name, std::string_view cp1252_value) {
    return std::string(name) + cp1252_to_utf8(cp1252_value);
}

// The dialog text of an entry or a notification is read with backslash
// escapes ("\n"); doubling every backslash shows paths as they are.
std::string escaped_text(std::string_view cp1252_value) {
    std::string out = "--text=";
    for (const char c : cp1252_to_utf8(cp1252_value)) {
        if (c == '\\') {
            out += '\\';
        }
        out += c;
    }
    return out;
}

void add_title(std::vector<std::string>& args, std::string_view title) {
    if (!title.empty()) {
        args.push_back(option("--title=", title));
    }
}

// Starts a file or folder selection in the folder itself when the default names one.
void add_start(std::vector<std::string>& args, const std::string& host_default) {
    if (host_default.empty()) {
        return;
    }
    args.push_back("--filename=" + (isFolder(host_default) ? ensureFinalSlash(host_default, '/') : host_default));
}

// zenity's globs of the patterns: one pattern may hold several separated by
// ";" (as "*.fpl;*.cup" of a form file), and zenity takes them separated by
// blanks.
std::string zenity_globs(const std::vector<std::string>& patterns) {
    std::vector<std::string> globs;
    for (const std::string& pattern : patterns) {
        std::size_t start = 0;
        for (;;) {
            const std::size_t end = pattern.find(';', start);
            std::string glob = pattern.substr(start, end == std::string::npos ? end : end - start);
            glob.erase(0, glob.find_first_not_of(' '));
            glob.erase(glob.find_last_not_of(' ') + 1);
            if (!glob.empty()) {
                globs.push_back(std::move(glob));
            }
            if (end == std::string::npos) {
                break;
            }
            start = end + 1;
        }
    }
    return join_texts(globs, " ");
}

// The patterns as the first filter, named by the description or else by the
// patterns themselves, and "All Files" as the second.
void add_filters(std::vector<std::string>& args, const std::vector<std::string>& patterns,
                 std::string_view description) {
    const std::string globs = zenity_globs(patterns);
    if (globs.empty()) {
        return;
    }
    const std::string name = description.empty() ? join_texts(patterns, ";") : std::string(description);
    args.push_back("--file-filter=" + cp1252_to_utf8(name) + " | " + cp1252_to_utf8(globs));
    args.emplace_back("--file-filter=All Files | *");
}

bool is_question(std::string_view dialog_type) {
    return dialog_type == "okcancel" || dialog_type == "yesno" || dialog_type == "yesnocancel";
}

}  // namespace

ZenityRun run_zenity(const std::vector<std::string>& args) {
    ProcessOptions options;
    options.capture_output = true;
    options.no_input = true;
    options.watch_fd = dialog_wait().fd;
    options.on_watch = dialog_wait().serve;
    const DialogShown shown;
    const ProcessResult result = run_process(args, options);
    ZenityRun run;
    run.ran = result.started && result.exit_status != kZenityRejected;
    run.exit_status = result.exit_status;
    run.output = result.output;
    if (!run.output.empty() && run.output.back() == '\n') {
        run.output.pop_back();
    }
    return run;
}

std::vector<std::string> zenity_message_args(std::string_view title, std::string_view message,
                                             std::string_view dialog_type, std::string_view icon_type,
                                             int default_button) {
    std::vector<std::string> args = {"zenity"};
    if (!is_question(dialog_type)) {
        args.emplace_back(icon_type == "warning" ? "--warning" : icon_type == "error" ? "--error" : "--info");
    } else {
        args.emplace_back("--question");
    }
    add_title(args, title);
    args.push_back(option("--text=", message));
    args.emplace_back("--no-markup");
    if (dialog_type == "okcancel") {
        args.insert(args.end(), {"--ok-label=OK", "--cancel-label=Cancel"});
    } else if (dialog_type == "yesno") {
        args.insert(args.end(), {"--ok-label=Yes", "--cancel-label=No"});
    } else if (dialog_type == "yesnocancel") {
        // "No" as the extra button: it prints its label, so that closing the
        // window (which answers like the cancel button) is told apart from No.
        args.insert(args.end(), {"--ok-label=Yes", "--cancel-label=Cancel", "--extra-button=No"});
    }
    if (is_question(dialog_type) && default_button == 0) {
        args.emplace_back("--default-cancel");
    }
    return args;
}

int zenity_message_answer(std::string_view dialog_type, const ZenityRun& run) {
    if (!is_question(dialog_type)) {
        return 1;
    }
    if (run.exit_status == 0) {
        return 1;
    }
    if (dialog_type == "yesnocancel" && run.output == "No") {
        return 2;
    }
    return 0;
}

std::vector<std::string> zenity_input_args(std::string_view title, std::string_view message,
                                           std::optional<std::string_view> default_input) {
    std::vector<std::string> args = {"zenity", "--entry"};
    add_title(args, title);
    args.push_back(escaped_text(message));
    if (default_input) {
        args.push_back(option("--entry-text=", *default_input));
    } else {
        args.emplace_back("--hide-text");
    }
    return args;
}

std::vector<std::string> zenity_open_args(std::string_view title, const std::string& host_default,
                                          const std::vector<std::string>& patterns, std::string_view description,
                                          bool allow_multiple) {
    std::vector<std::string> args = {"zenity", "--file-selection"};
    add_title(args, title);
    add_start(args, host_default);
    if (allow_multiple) {
        args.insert(args.end(), {"--multiple", "--separator=|"});
    }
    add_filters(args, patterns, description);
    return args;
}

std::vector<std::string> zenity_save_args(std::string_view title, const std::string& host_default,
                                          const std::vector<std::string>& patterns, std::string_view description) {
    std::vector<std::string> args = {"zenity", "--file-selection", "--save", "--confirm-overwrite"};
    add_title(args, title);
    add_start(args, host_default);
    add_filters(args, patterns, description);
    return args;
}

std::vector<std::string> zenity_folder_args(std::string_view title, const std::string& host_default) {
    std::vector<std::string> args = {"zenity", "--file-selection", "--directory"};
    add_title(args, title);
    add_start(args, host_default);
    return args;
}

std::vector<std::string> zenity_colour_args(std::string_view title, std::string_view hex) {
    std::vector<std::string> args = {"zenity", "--color-selection"};
    add_title(args, title);
    args.push_back("--color=" + std::string(hex));
    return args;
}

std::vector<std::string> zenity_notify_args(std::string_view title, std::string_view message) {
    std::string text(title);
    if (!text.empty() && !message.empty()) {
        text += '\n';
    }
    text += message;
    return {"zenity", "--notification", escaped_text(text)};
}

std::optional<std::string> zenity_text_answer(const ZenityRun& run) {
    if (run.exit_status != 0) {
        return std::nullopt;
    }
    return utf8_to_cp1252(run.output);
}

std::optional<std::string> zenity_path_answer(const ZenityRun& run) {
    if (run.exit_status != 0) {
        return std::nullopt;
    }
    return run.output;
}

#include "platform/dialogs.h"

#include "platform/case_fold.h"
#include "platform/console.h"
#include "platform/dialog_backends.h"
#include "platform/dialog_paths.h"
#include "platform/encoding.h"
#include "platform/environment.h"
#include "platform/process.h"

#include <cstdio>
#include <cstdlib>
#include <utility>

const std::string_view tinyfd_needs =
    " ___________________\n"
    "|                   |\n"
    "|     tiny file     |\n"
    "|      dialogs      |\n"
    "|_______     _______|\n"
    "        \\   |\n"
    "         \\  |\n"
    "          \\ |\n"
    "           \\|\n"
    "tiny file dialogs on Linux needs:\n"
    "   a graphic display and zenity\n"
    "or a console for basic input\n";

int tinyfd_verbose = 0;
int tinyfd_silent = 1;
int tinyfd_forceConsole = 0;
int tinyfd_winUtf8 = 0;
std::string tinyfd_response;

namespace {

constexpr std::string_view kQueryTitle = "tinyfd_query";

// The input box's previous answer, returned by a call without arguments.
std::optional<std::string> previous_input;

DialogWait the_dialog_wait;

bool env_set(const char* name) {
    const char* value = std::getenv(name);
    return value != nullptr && value[0] != '\0';
}

bool is_query(std::string_view title) { return title == kQueryTitle; }

// Names the back end in tinyfd_response; true for the graphic one.
bool answer_query(const BackendChoice& choice) {
    const bool graphic = choice.backend == DialogBackend::zenity;
    tinyfd_response = graphic ? "zenity" : "basicinput";
    return graphic;
}

std::optional<std::string> query_marker(const BackendChoice& choice) {
    return answer_query(choice) ? std::optional<std::string>(std::string()) : std::nullopt;
}

// The console is about to ask: the notice is due unless the console was asked for.
void before_console(const BackendChoice& choice) {
    if (!choice.forced) {
        console_dialog_notice();
    }
}

// The folder a console path question starts from: the dialog's default
// (Windows form) when it is a folder, else the folder holding it; nothing
// when the host has no such folder (the current folder is offered then).
struct OfferedFolder {
    std::string windows;  // as the program names it
    std::string host;     // as the host names it
};

std::optional<OfferedFolder> offered_folder(std::string_view default_path) {
    if (default_path.empty()) {
        return std::nullopt;
    }
    const std::string host = dialog_path_to_host(default_path);
    if (!host.empty() && isFolder(host)) {
        return OfferedFolder{std::string(default_path), host};
    }
    const std::string parent = getPathWithoutFinalSlash(default_path);
    const std::string parent_host = parent.empty() ? std::string() : dialog_path_to_host(parent);
    if (parent_host.empty() || !isFolder(parent_host)) {
        return std::nullopt;
    }
    return OfferedFolder{parent, parent_host};
}

bool is_absolute(std::string_view typed) {
    return (!typed.empty() && (typed.front() == '/' || typed.front() == '\\')) ||
           (typed.size() >= 2 && typed[1] == ':');
}

// A typed path as a host path: a relative one is taken in the offered folder.
std::optional<std::string> typed_path_to_host(const std::string& typed, const std::optional<OfferedFolder>& folder) {
    if (!folder || typed.empty() || is_absolute(typed)) {
        return dialog_typed_path_to_host(typed);
    }
    const bool host_form = typed.find('/') != std::string::npos && typed.find('\\') == std::string::npos;
    if (host_form) {
        return dialog_typed_path_to_host(ensureFinalSlash(utf8_to_cp1252(folder->host), '/') + typed);
    }
    return dialog_typed_path_to_host(ensureFinalSlash(folder->windows, '\\') + typed);
}

// Asks for a path on the console, offering the dialog's default folder; the
// answer as a host path. With `several` the answer may list paths separated
// by "|": those the host has are kept. `lacking` as console_read_line gives it.
std::optional<std::string> console_path(std::string_view title, std::string_view what, std::string_view default_path,
                                        bool several = false, char32_t* lacking = nullptr) {
    const std::optional<OfferedFolder> folder = offered_folder(default_path);
    const std::string message = std::string(what) + utf8_to_cp1252(folder ? folder->host : getCurDir());
    const std::optional<std::string> line = console_input_box(title, message, false, lacking);
    if (!line) {
        return std::nullopt;
    }
    if (!several) {
        return typed_path_to_host(*line, folder);
    }
    std::vector<std::string> hosts;
    for (const std::string& typed : split_path_list(*line)) {
        if (const std::optional<std::string> host = typed_path_to_host(typed, folder)) {
            hosts.push_back(*host);
        }
    }
    return join_texts(hosts, "|");
}

// Each path of a "|" list in the program's form.
std::string paths_from_host(std::string_view host_list) {
    std::vector<std::string> paths;
    for (const std::string& host : split_path_list(host_list)) {
        paths.push_back(dialog_path_from_host(host));
    }
    return join_texts(paths, "|");
}

// Why a folder whose name holds `lacking` is asked for again, in the user's language.
std::string lacking_character_text(char32_t lacking) {
    const std::string character = code_point_text(lacking);
    if (IsLanguageFrench() != 0) {
        return "Le nom du dossier contient un caract\xE8re que Tarvex ne peut pas lire (" + character +
               ") : choisissez-en un autre";
    }
    return "The folder's name holds a character Tarvex cannot hold (" + character + "): choose another one";
}

}  // namespace

void set_dialog_wait(DialogWait wait) { the_dialog_wait = std::move(wait); }

const DialogWait& dialog_wait() { return the_dialog_wait; }

DialogShown::DialogShown() {
    if (the_dialog_wait.opened) {
        the_dialog_wait.opened();
    }
}

DialogShown::~DialogShown() {
    if (the_dialog_wait.ended) {
        the_dialog_wait.ended();
    }
}

BackendChoice choose_dialog_backend() {
    if (tinyfd_forceConsole != 0) {
        return {DialogBackend::console, true};
    }
    const bool zenity_found = find_program("zenity").has_value();
    if (const char* forced = std::getenv("TARVEX_DIALOGS"); forced != nullptr) {
        if (equal_ignoring_case_cp1252(forced, "console")) {
            return {DialogBackend::console, true};
        }
        if (equal_ignoring_case_cp1252(forced, "zenity")) {
            return {zenity_found ? DialogBackend::zenity : DialogBackend::console, zenity_found};
        }
    }
    if ((env_set("DISPLAY") || env_set("WAYLAND_DISPLAY")) && zenity_found) {
        return {DialogBackend::zenity, false};
    }
    return {DialogBackend::console, false};
}

void reset_tinyfd() {
    tinyfd_verbose = 0;
    tinyfd_silent = 1;
    tinyfd_forceConsole = 0;
    tinyfd_winUtf8 = 0;
    tinyfd_response.clear();
    previous_input.reset();
    reset_console_dialogs();
}

int tinyfd_messageBox(std::string_view title, std::string_view message, std::string_view dialog_type,
                      std::string_view icon_type, int default_button) {
    const BackendChoice choice = choose_dialog_backend();
    if (is_query(title)) {
        return answer_query(choice) ? 1 : 0;
    }
    if (choice.backend == DialogBackend::zenity) {
        const ZenityRun run = run_zenity(zenity_message_args(title, message, dialog_type, icon_type, default_button));
        if (run.ran) {
            return zenity_message_answer(dialog_type, run);
        }
    }
    before_console(choice);
    return console_message_box(title, message, dialog_type);
}

std::optional<std::string> tinyfd_inputBox(std::optional<std::string_view> title,
                                           std::optional<std::string_view> message,
                                           std::optional<std::string_view> default_input) {
    if (!title && !message && !default_input) {
        return previous_input;
    }
    const BackendChoice choice = choose_dialog_backend();
    if (is_query(title.value_or(""))) {
        return query_marker(choice);
    }
    if (choice.backend == DialogBackend::zenity) {
        const ZenityRun run =
            run_zenity(zenity_input_args(title.value_or(""), message.value_or(""), default_input));
        if (run.ran) {
            previous_input = zenity_text_answer(run);
            return previous_input;
        }
    }
    before_console(choice);
    previous_input = console_input_box(title.value_or(""), message.value_or(""), !default_input);
    return previous_input;
}

std::optional<std::string> tinyfd_openFileDialog(std::string_view title, std::string_view default_path_and_file,
                                                 const std::vector<std::string>& filter_patterns,
                                                 std::string_view filter_description, bool allow_multiple) {
    const BackendChoice choice = choose_dialog_backend();
    if (is_query(title)) {
        return query_marker(choice);
    }
    std::optional<std::string> host;
    bool asked = false;
    if (choice.backend == DialogBackend::zenity) {
        console_line("aDefaultPathAndFile ; lBuff : " + getPathWithoutFinalSlash(default_path_and_file) + " ; " +
                     getLastName(default_path_and_file));
        const ZenityRun run = run_zenity(zenity_open_args(title, dialog_path_to_host(default_path_and_file),
                                                          filter_patterns, filter_description, allow_multiple));
        asked = run.ran;
        host = zenity_path_answer(run);
    }
    if (!asked) {
        before_console(choice);
        host = console_path(title, "Open file from ", default_path_and_file, allow_multiple);
    }
    if (!host) {
        return std::nullopt;
    }
    const std::string existing = allow_multiple ? ensureFilesExist(*host) : (fileExists(*host) ? *host : "");
    if (existing.empty()) {
        return std::nullopt;
    }
    return paths_from_host(existing);
}

std::optional<std::string> tinyfd_saveFileDialog(std::string_view title, std::string_view default_path_and_file,
                                                 const std::vector<std::string>& filter_patterns,
                                                 std::string_view filter_description) {
    const BackendChoice choice = choose_dialog_backend();
    if (is_query(title)) {
        return query_marker(choice);
    }
    std::optional<std::string> host;
    bool asked = false;
    if (choice.backend == DialogBackend::zenity) {
        const ZenityRun run = run_zenity(
            zenity_save_args(title, dialog_path_to_host(default_path_and_file), filter_patterns, filter_description));
        asked = run.ran;
        host = zenity_path_answer(run);
    }
    if (!asked) {
        before_console(choice);
        host = console_path(title, "Save file in ", default_path_and_file);
    }
    // A name that is an existing folder cannot become the file.
    if (!host || host->empty() || !dirExists(getPathWithoutFinalSlash(*host)) ||
        !filenameValid(getLastName(*host)) || isFolder(*host)) {
        return std::nullopt;
    }
    return dialog_path_from_host(*host);
}

std::optional<std::string> tinyfd_selectFolderDialog(std::string_view title, std::string_view default_path) {
    const BackendChoice choice = choose_dialog_backend();
    if (is_query(title)) {
        return query_marker(choice);
    }
    std::optional<std::string> host;
    for (;;) {
        bool asked = false;
        char32_t lacking = 0;
        if (choice.backend == DialogBackend::zenity) {
            const ZenityRun run = run_zenity(zenity_folder_args(title, dialog_path_to_host(default_path)));
            asked = run.ran;
            host = zenity_path_answer(run);
            lacking = host ? first_lacking_cp1252(*host) : 0;
        }
        if (!asked) {
            before_console(choice);
            host = console_path(title, "Select folder from ", default_path, false, &lacking);
        }
        if (!host || lacking == 0) {
            break;
        }
        // The program's paths are cp1252: such a folder would become another.
        const std::string reason = lacking_character_text(lacking);
        if (asked) {
            tinyfd_messageBox(title, reason, "ok", "error", 1);
        } else {
            console_line(reason);
        }
    }
    // An empty answer (Enter alone on the console) chooses nothing.
    if (!host || host->empty() || !dirExists(*host)) {
        return std::nullopt;
    }
    return dialog_path_from_host(*host);
}

std::optional<std::string> tinyfd_colorChooser(std::string_view title, std::optional<std::string_view> default_hex,
                                               const Rgb& default_rgb, Rgb& result_rgb) {
    const std::optional<Rgb> from_text = default_hex ? Hex2RGB(*default_hex) : std::nullopt;
    const Rgb start = from_text ? *from_text : default_rgb;
    const std::string start_text = from_text ? std::string(*default_hex) : RGB2Hex(default_rgb);

    const BackendChoice choice = choose_dialog_backend();
    if (is_query(title)) {
        return query_marker(choice);
    }
    if (choice.backend == DialogBackend::zenity) {
        const ZenityRun run = run_zenity(zenity_colour_args(title, RGB2Hex(start)));
        if (run.ran) {
            const std::optional<Rgb> chosen = run.exit_status == 0 ? parse_colour_answer(run.output) : std::nullopt;
            result_rgb = chosen ? *chosen : start;
            return chosen ? RGB2Hex(*chosen) : start_text;
        }
    }
    before_console(choice);
    for (;;) {
        const std::optional<std::string> line =
            console_input_box(title, "Enter hex rgb color (i.e. #f5ca20)", false);
        if (!line) {
            result_rgb = start;
            return start_text;
        }
        if (const std::optional<Rgb> chosen = Hex2RGB(*line)) {
            result_rgb = *chosen;
            return RGB2Hex(*chosen);
        }
    }
}

int tinyfd_notifyPopup(std::string_view title, std::string_view message,
                       [[maybe_unused]] std::string_view icon_type) {
    const BackendChoice choice = choose_dialog_backend();
    if (is_query(title)) {
        return answer_query(choice) ? 1 : 0;
    }
    if (choice.backend == DialogBackend::zenity && run_zenity(zenity_notify_args(title, message)).ran) {
        return 1;
    }
    before_console(choice);
    console_message_box(title, message, "ok");
    return 1;
}

void tinyfd_beep() {
    console_out("\a");
    std::fflush(stdout);
}

int tinyfd_setWinUtf8(int flag) {
    tinyfd_winUtf8 = flag;
    return flag;
}

std::optional<std::u16string> tinyfd_utf8to16(std::optional<std::string_view> utf8) {
    return utf8 ? utf8_to_utf16(*utf8) : std::nullopt;
}

std::optional<std::string> tinyfd_utf16to8(std::optional<std::u16string_view> utf16) {
    return utf16 ? utf16_to_utf8(*utf16) : std::nullopt;
}

std::optional<std::string> tinyfd_utf8toMbcs(std::optional<std::string_view> utf8) {
    if (!utf8 || !utf8_to_utf16(*utf8)) {
        return std::nullopt;
    }
    return utf8_to_cp1252(*utf8);
}

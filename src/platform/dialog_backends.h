#pragma once

#include "platform/dialogs.h"

#include <optional>
#include <string>
#include <string_view>
#include <vector>

// The two back ends behind platform/dialogs.h. Texts are cp1252 except where
// a function says host or UTF-8.

enum class DialogBackend { console, zenity };

struct BackendChoice {
    DialogBackend backend = DialogBackend::console;
    bool forced = false;  // chosen by TARVEX_DIALOGS or tinyfd_forceConsole rather than by what was found
};

// tinyfd_forceConsole, then TARVEX_DIALOGS ("console" or "zenity", any case),
// then zenity when DISPLAY or WAYLAND_DISPLAY is set and zenity is on PATH.
// Forcing zenity when it is not on PATH gives the console.
BackendChoice choose_dialog_backend();

// The wait set by set_dialog_wait.
const DialogWait& dialog_wait();

// Lives while a dialog shows and waits for its answer: it tells the wait's
// `opened` and, at its end, `ended`.
class DialogShown {
public:
    DialogShown();
    ~DialogShown();
    DialogShown(const DialogShown&) = delete;
    DialogShown& operator=(const DialogShown&) = delete;
};

// ---- zenity ----

struct ZenityRun {
    bool ran = false;      // false: zenity could not be started or rejected its arguments
    int exit_status = -1;  // 0 for OK / Yes / a choice
    std::string output;    // its standard output (UTF-8) less one final line feed
};

ZenityRun run_zenity(const std::vector<std::string>& args);

std::vector<std::string> zenity_message_args(std::string_view title, std::string_view message,
                                             std::string_view dialog_type, std::string_view icon_type,
                                             int default_button);
int zenity_message_answer(std::string_view dialog_type, const ZenityRun& run);

// default_input absent: a hidden entry.
std::vector<std::string> zenity_input_args(std::string_view title, std::string_view message,
                                           std::optional<std::string_view> default_input);

// host_default is a host path (UTF-8).
std::vector<std::string> zenity_open_args(std::string_view title, const std::string& host_default,
                                          const std::vector<std::string>& patterns, std::string_view description,
                                          bool allow_multiple);
std::vector<std::string> zenity_save_args(std::string_view title, const std::string& host_default,
                                          const std::vector<std::string>& patterns, std::string_view description);
std::vector<std::string> zenity_folder_args(std::string_view title, const std::string& host_default);
std::vector<std::string> zenity_colour_args(std::string_view title, std::string_view hex);
std::vector<std::string> zenity_notify_args(std::string_view title, std::string_view message);

// The answered text (cp1252) of an entry, or nothing when cancelled.
std::optional<std::string> zenity_text_answer(const ZenityRun& run);

// The answered host path(s) of a file or folder selection, or nothing when cancelled.
std::optional<std::string> zenity_path_answer(const ZenityRun& run);

// ---- console ----

// Prints tinyfd_needs once per run (the caller decides whether it is due).
void console_dialog_notice();

int console_message_box(std::string_view title, std::string_view message, std::string_view dialog_type);

// One line; nothing at end of input, on a read error or when the line holds an Escape character.
// `lacking` as console_read_line gives it.
std::optional<std::string> console_input_box(std::string_view title, std::string_view message, bool hidden,
                                             char32_t* lacking = nullptr);

// Forgets that the notice was printed.
void reset_console_dialogs();

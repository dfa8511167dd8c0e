#pragma once

#include "platform/dialog_support.h"

#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

// Native dialogs: message and question boxes, a text input box, the open-file,
// save-file and folder dialogs, a colour chooser, a notification and a beep.
//
// Two back ends, chosen at each call:
// - graphic: zenity, started directly with an argument vector, when DISPLAY or
//   WAYLAND_DISPLAY is set and zenity is found on PATH;
// - console: questions on standard output, answers read line by line from
//   standard input. End of input or a read error is a cancel, so no question
//   is ever asked again on a closed input.
// The environment variable TARVEX_DIALOGS ("console" or "zenity") forces one;
// tinyfd_forceConsole = 1 forces the console. When zenity cannot be run at all
// the call falls back to the console.
//
// Texts in and out are cp1252. Paths handed in are Windows-form and are shown
// as host paths; the answers come back in Windows form (platform/dialog_paths.h).
// On the console the user may type a host path, a Windows path or a name
// relative to the current folder.
// A result that is absent (std::nullopt) means cancelled or rejected.
//
// A title of exactly "tinyfd_query" shows nothing: tinyfd_response receives
// the back end's name ("zenity" or "basicinput") and the call returns 1 (or an
// empty text) for the graphic back end, 0 (or nothing) for the console.

inline constexpr std::string_view tinyfd_version = "3.6.3";

// Printed once per run before the first console dialog when no graphic back end was found.
extern const std::string_view tinyfd_needs;

extern int tinyfd_verbose;        // not consulted
extern int tinyfd_silent;         // not consulted
extern int tinyfd_forceConsole;   // 1: use the console back end
extern int tinyfd_winUtf8;        // kept for callers; texts are cp1252 whatever its value
extern std::string tinyfd_response;

// Restores the switches and forgets the layer's state (the console notice, the
// previous input-box answer, tinyfd_response).
void reset_tinyfd();

// dialog_type: "ok", "okcancel", "yesno", "yesnocancel"; icon_type: "info",
// "warning", "error", "question"; default_button: 0 cancel/no, 1 ok/yes, 2 no
// in "yesnocancel". Result: 0 cancel/no, 1 ok/yes, 2 no in "yesnocancel";
// always 1 for a type other than the three question types.
int tinyfd_messageBox(std::string_view title, std::string_view message, std::string_view dialog_type,
                      std::string_view icon_type, int default_button);

// A line of text; no default input (std::nullopt) asks for a hidden password.
// With all three arguments absent it returns the previous answer without a dialog.
std::optional<std::string> tinyfd_inputBox(std::optional<std::string_view> title,
                                           std::optional<std::string_view> message,
                                           std::optional<std::string_view> default_input);

// A file to write: only when its folder part exists (or it has none) and its
// name is valid (filenameValid).
std::optional<std::string> tinyfd_saveFileDialog(std::string_view title, std::string_view default_path_and_file,
                                                 const std::vector<std::string>& filter_patterns,
                                                 std::string_view filter_description);

// An existing file; with allow_multiple, existing files joined by "|".
std::optional<std::string> tinyfd_openFileDialog(std::string_view title, std::string_view default_path_and_file,
                                                 const std::vector<std::string>& filter_patterns,
                                                 std::string_view filter_description, bool allow_multiple);

// An existing folder. A folder whose name holds a character code page 1252
// lacks (the program could not name it) is refused with the reason (an error
// box, a console line) and asked for again.
std::optional<std::string> tinyfd_selectFolderDialog(std::string_view title, std::string_view default_path);

// The chosen colour as "#rrggbb" with result_rgb set. The start colour is
// default_hex when it is a valid "#rrggbb", else default_rgb. Cancelled: the
// start colour is returned (as given when default_hex is valid) and result_rgb
// is set to it, so a text is always returned except for a console query.
std::optional<std::string> tinyfd_colorChooser(std::string_view title, std::optional<std::string_view> default_hex,
                                               const Rgb& default_rgb, Rgb& result_rgb);

// A passing notification (icon_type "info", "warning", "error"); the console
// shows an "ok" message box instead. Always 1.
int tinyfd_notifyPopup(std::string_view title, std::string_view message, std::string_view icon_type);

// While a graphic dialog is open the program keeps serving its own windows:
// `serve` is called whenever `fd` (its display connection) has something to
// read. A dialog of either back end calls `opened` before it shows and
// `ended` when it is over: the clicks and keys the windows got in between
// are dropped there, since they were not meant for what the dialog left.
// The windowing toolkit sets it while it holds a display; the default
// (fd -1, no calls) serves nothing.
struct DialogWait {
    int fd = -1;
    std::function<void()> serve;
    std::function<void()> opened;
    std::function<void()> ended;
};
void set_dialog_wait(DialogWait wait);

// Rings the terminal bell.
void tinyfd_beep();

// Sets tinyfd_winUtf8 and returns the flag.
int tinyfd_setWinUtf8(int flag);

// Conversions between UTF-8, UTF-16 and the program's code page (cp1252);
// nothing when the input is absent or not well-formed. Characters cp1252 lacks become "?".
std::optional<std::u16string> tinyfd_utf8to16(std::optional<std::string_view> utf8);
std::optional<std::string> tinyfd_utf16to8(std::optional<std::u16string_view> utf16);
std::optional<std::string> tinyfd_utf8toMbcs(std::optional<std::string_view> utf8);

#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

// Windows-form paths and host paths.
//
// Inside the program every path is in Windows form: "C:\Condor3\Landscapes\AA3\AA3.trn",
// ".\Template.fpl" or a bare name, cp1252 bytes, "\" between folders. Condor runs
// under Wine, so the drives are those of the Wine prefix. Host paths are UTF-8.
//
// Only the platform layer maps Windows paths to host paths (the file layer, and the
// dialogs that must show a host folder). Host paths that enter the program (command
// line arguments, dialog answers, the program's own location, the current folder)
// are turned into Windows form with map_from_host or windows_path_from_argument.

// The Wine prefix as a host folder: $WINEPREFIX, or ~/.wine when it is unset or empty.
std::string wine_prefix();

// A drive of the Wine prefix: its upper-case letter and the host folder that is its root.
struct WineDrive {
    char letter = 'C';
    std::string root;
};

// Every drive of the prefix: each symbolic link "x:" in $WINEPREFIX/dosdevices (lower-case
// letter) names a drive whose root is the link's target; without such a link C: is
// $WINEPREFIX/drive_c and Z: is "/". Sorted by letter. The folder is listed once per
// prefix: a prefix's drives do not change during a run.
std::vector<WineDrive> wine_drives();

// Makes the next wine_drives() list the folder again (tests that add a drive).
void forget_wine_drives();

// The host path of a Windows path; no value when the path is empty or names a drive
// the prefix does not have.
// - Repeated "\" are collapsed, "." and ".." resolved as text ("C:\.." stays "C:\");
//   "/" counts as a separator as well, as it does for Windows itself; trailing blanks
//   of the whole path are ignored.
// - "X:\rest" (and "X:rest") starts at the drive's root; "\rest" at the root of the
//   drive of the current folder; any other path at the process's current folder.
// - Each component that does not exist with its exact spelling is matched without
//   regard to case against the folder's entries; a component that matches nothing
//   (a new file) keeps the given spelling, and so do all components after it.
// - Components are cp1252 in the Windows path and UTF-8 in the host path.
std::optional<std::string> map_to_host(std::string_view windows_path);

// The Windows form of a host path (relative host paths are taken from the current
// folder): the drive whose root is the longest leading part of the path (C: when two
// drives share it), else "Z:" followed by the path with "/" turned into "\". Symbolic
// links are followed only when no drive other than the whole-file-system one holds
// the path as written. The result names a folder without a final "\" except for a
// drive root ("C:\").
std::string map_from_host(std::string_view host_path);

// The Windows form of the process's current folder.
std::string current_folder_windows();

// A path as the user writes it, on the command line, in the settings file or
// in a console dialog, in Windows form. One rule for all of them:
// - a drive path ("C:\x", "C:/x", "c:x") is a Windows path whatever its
//   separators: every "/" becomes "\";
// - a path that holds "/" and no "\" is a host path ("/home/me/plans",
//   "plans/x.fpl" from the current folder), turned into Windows form by
//   map_from_host;
// - any other path is a Windows path or a bare name, which mean the same on
//   both sides; a "/" in it becomes "\" as well.
// The argument is UTF-8 (the command line, a console answer); a setting is
// cp1252 (the settings file's own code page).
std::string windows_path_from_argument(std::string_view argument);
std::string windows_path_from_setting(std::string_view value);

#pragma once

#include <optional>
#include <string>
#include <string_view>

// The places where paths cross between the program and the dialogs. The
// program holds Windows-form paths (cp1252); the dialogs show and answer host
// paths (UTF-8). Every path handed to a dialog and every path a dialog answers
// goes through these functions and nowhere else.

// A Windows-form path handed to a dialog as its starting point, as the host
// names it; empty when it names nothing the host has (the dialog then starts
// where it likes).
std::string dialog_path_to_host(std::string_view program_path);

// A host path the user chose in a dialog, in Windows form.
std::string dialog_path_from_host(std::string_view host_path);

// A path typed on the console (cp1252): a host path when it holds "/" and no
// "\", else a Windows path or a bare name. Its host path, for the checks the
// answer must pass; nothing when it names a drive the prefix lacks or is empty.
std::optional<std::string> dialog_typed_path_to_host(std::string_view typed);

#pragma once

#include <string>
#include <string_view>

// The two places where paths cross between the program and the dialogs. The
// program holds paths in its own form (cp1252 text); the dialogs show and
// answer host paths (UTF-8 bytes). Every path handed to a dialog and every
// path a dialog answers goes through these two functions and nowhere else.

// A path the program hands to a dialog as its starting point, as the host names it.
std::string dialog_path_to_host(std::string_view program_path);

// A path the user chose in a dialog, in the program's form.
std::string dialog_path_from_host(std::string_view host_path);

#pragma once

// What the program's two forms share to get a form on screen: the form file
// of the program's folder read into the form model, the version in the
// titles, the window opened with the program's callback and check.

#include <string>
#include <string_view>

// A console trace of the automatic loading (nauto, qauto, qwait) at `where`.
void trace_auto_load(std::string_view where);

// The form file `name` in the program's folder.
std::string form_file_path(std::string_view name);

// Reads the form file at `path` into the form model, the form kit's messages
// in the run's language. A file that cannot be read ends the run: the path
// followed by " ERROR OPENING", told as an error, logged, exit code 3.
void read_form_file(const std::string& path);

// Title 1 and the window's title, each followed by " - V" and the program's
// version text (tarvex_c.cvers).
void add_version_to_titles();

// Installs the program's callback and value check and opens the form's
// window. A form without boxes ends the run with "ERROR CREATING FORM"; a
// window that cannot be opened (no display, no OpenGL) with "The form window
// cannot be opened; run Tarvex with -nogui" (both told as errors, logged,
// exit code 3).
void open_form_window();

#pragma once

// Reading a form-definition file (".frm") into the form model
// (form_model.h). The file is Windows-1252 text of sections ("[General]",
// "[Input-boxes]", ...) holding items in braces, each item a list of
// key=value pairs separated by ";". Problems are written to the error log
// "frm_forms.log" in the current folder, which each reading starts afresh.

#include <string>
#include <string_view>

// The reader's error log, in the current folder.
inline constexpr std::string_view kFormLogName = "frm_forms.log";

// Resets the model (frm_init_form) and reads the file `fnam` (trailing
// blanks ignored) into it. Result 0: the form is usable. Otherwise: the
// status of the failed opening of the file; 1 after a repeated box name or
// second name (nothing further is read); else the number of errors the checks
// after reading found (one log line each, and one error message naming the
// count). A current folder where the log cannot be written reads the form
// all the same, without a log.
int frm_read_form(std::string_view fnam);

// The horizontal position code of a title's or button's x text: an optional
// anchor letter ("L" 0, "C" 1, "R" 2) and a number m give anchor x 10000 + m;
// a number ending in "%" is a share of the window width in per mille and
// gives -(anchor x 10000 + per mille), rounded half away from zero ("C50%"
// gives -10500, "R20" 20020). 0 when the number cannot be read or the code
// does not fit an int. The anchor letter and the "%" are blanked in `text`.
int get_hor_pos(std::string& text);

#pragma once

#include <string>
#include <string_view>
#include <vector>

// The program's dialog and message-box routines, over the native dialogs of
// platform/dialogs.h. Each sets tinyfd_forceConsole and tinyfd_winUtf8 to 0
// first. Texts are cp1252; paths come back in the program's form.

// Open-file dialog. `filter` is a comma list of patterns ("*.fpl,*.cup");
// `desc` is not passed on. Chosen: `file` and `len` hold the path (with
// `multi`, existing paths joined by "|"), result 1. Cancelled: an "Error" box
// ("No file specification returned", in French when the user's language is), `file`
// empty, `len` 0, result 0.
int GetFileName(std::string& file, std::string_view title, std::string_view path, std::string_view filter,
                std::string_view desc, int multi, int& len);

// Save-file dialog; the same contract as GetFileName without multiple selection.
int SaveFileName(std::string& file, std::string_view title, std::string_view path, std::string_view filter,
                 std::string_view desc, int& len);

// Text input box preset with `def`. Answered: `string` and `len` hold the
// text. Cancelled: `len` 0 and `string` unchanged.
void GetString(std::string_view title, std::string_view prompt, std::string& string, std::string_view def,
               int& len);

// Folder dialog starting at `deflt`. Chosen: `folder` and `len` hold the
// folder, result 0. Cancelled: an "Error" box "No folder selected" (English
// only), `len` 0, `folder` unchanged, result 1.
int GetFolder(std::string_view title, std::string_view deflt, int& len, std::string& folder);

// Message box by `status`: 0 information, 1 error, 2 warning (OK alone, the
// answer not stored); 3 yes/no, 4 ok/cancel, 5 yes/no/cancel with the answer
// stored in `status` (0 cancel/no, 1 ok/yes, 2 no of yes/no/cancel); any other
// value shows nothing and leaves `status` as it is.
void DisplayMessage(std::string_view title, std::string_view message, int& status);

// The patterns of a comma list: a comma in the first position of the
// remaining text does not separate; an empty filter gives none.
std::vector<std::string> split_filter_patterns(std::string_view filter);

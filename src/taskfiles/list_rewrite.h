#pragma once

#include <string>
#include <string_view>
#include <vector>

// Support shared by the writers that update a text file in place (profiles
// and map lists): the file is read whole first, its ".bak" copy is made next,
// and only then is it rewritten from memory, so that a failure at any step
// leaves the user's file and its content intact.

// Every line of a text file, whole (no cut), without line ends. Status: 0 when
// the file was read to its end, else the open or read status (`lines` then
// holds what was read before the failure); `opened` tells which of the two
// failed.
int read_text_lines(std::string_view path, std::vector<std::string>& lines, bool& opened);
int read_text_lines(std::string_view path, std::vector<std::string>& lines);

// Copies `path` to `path` followed by ".bak" (replacing an older copy). A
// failure is shown as a warning and logged, in the language of cmndta001.qfr;
// the copy's status is returned (0 made).
int make_backup_copy(std::string_view path);

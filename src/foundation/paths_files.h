#pragma once

// Windows paths taken apart and put together, a file deleted, a folder tested
// for writing. Only "\" separates folders; "/" is an ordinary character.
// Outputs are fields of `capacity` characters: a longer result is cut there.

#include "foundation/path_length.h"

#include <cstddef>
#include <string>
#include <string_view>

// The file name: the part of `path` after its last "\", the whole trimmed path
// when it has none, blank for a blank path. `path` and `name` may be the same text.
void extract_name(std::string_view path, std::string& name, std::size_t capacity = kPathLength);
std::string extract_name(std::string_view path);

// Splits a path into its folder `p1` (ending with "\") and its file name:
// "C:\x\task.fpl" gives "C:\x\" and "task.fpl"; "task.fpl" gives ".\" and
// "task.fpl"; ".." gives "..\" and a blank name; a blank path gives two blanks.
// Only the first 1024 characters of `path` are looked at.
void extract_path_name(std::string_view path, std::string& p1, std::string& name,
                       std::size_t capacity = kPathLength);

// The parent folder without its final "\": "C:\a\b" and "C:\a\b\" give "C:\a",
// "C:\a" gives "C:". A path whose only "\" is its first character (before its
// last one) is its own parent; a path without "\" has a blank parent.
void updir(std::string_view path, std::string& parent, std::size_t capacity = kPathLength);

// Deletes the file `fnam`: 0 when it was deleted, -1 when no such file exists
// (a folder is not a file), else the system's error number. Writes trace lines.
int delete_file(std::string_view fnam);

// Name of the test file of check_writable_folder.
inline constexpr std::string_view kWritableTestFile = "tmp_TMP_tmp_TMP_tmp_TMP_tmp_TMP_tmp.txt";

// Creates, writes and deletes a test file in `folder`; when any step fails,
// shows an error message (severity 1, title msg_tit, console when
// cmndta001.qline is set, French when cmndta001.qfr is set). No result.
void check_writable_folder(std::string_view folder, std::string_view msg_tit);

// A folder and a name joined by one "\": "C:\a" + "b.txt" and "C:\a\" +
// "b.txt" both give "C:\a\b.txt"; a blank folder gives the name alone (the
// current folder).
std::string join_path(std::string_view folder, std::string_view name);

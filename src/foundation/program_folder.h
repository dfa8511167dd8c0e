#pragma once

// The program's own folder, and file names resolved against it.

#include <string>
#include <string_view>

// The folder of the running program, ending with "\", its drive letter in
// upper case; blank when the program's path cannot be had.
void get_inst_path(std::string& instpath);

// Tests put the program's folder elsewhere (a Windows path ending with "\"),
// so that the settings file of a test run lives in its own folder; an empty
// text restores the running program's folder.
void set_program_folder(std::string_view folder);

// Resolves a file name: "%INST%\" at its start becomes the program's folder; a
// name holding a "\" stays as it is; a bare name stays when qcur is set and
// such a file is in the current folder, else the program's folder is put in
// front of it. A path so made that does not fit a path field ends the run
// (exit code 3: the program is installed too deep).
void locate_file(std::string& fff, bool qcur);

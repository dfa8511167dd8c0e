#pragma once

// The program's own folder, and file names resolved against it.

#include <string>

// The folder of the running program, ending with "\", its drive letter in
// upper case; blank when the program's path cannot be had.
void get_inst_path(std::string& instpath);

// Resolves a file name: "%INST%\" at its start becomes the program's folder; a
// name holding a "\" stays as it is; a bare name stays when qcur is set and
// such a file is in the current folder, else the program's folder is put in
// front of it.
void locate_file(std::string& fff, bool qcur);

#pragma once

// The files a run could not write. A writer that fails to create, write,
// flush, rename or copy a file tells the user and the log here, naming the
// file, and goes on with what can still be done; the conversion then ends
// with exit code 1, and its result message names none of these files.

#include <string>
#include <string_view>
#include <vector>

struct UnwrittenFiles {
    std::vector<std::string> names;  // the files, as the messages named them
};
extern UnwrittenFiles unwritten_files;
void reset_unwritten_files();

// Tells of a file not written with the program's usual text, "Error writing:",
// a line break, a blank and the path (in French "*** Erreur d'écriture :"),
// as an error (a box, or the console in console mode) and in the log.
void report_unwritten_file(std::string_view path);
// The same with the writer's own texts.
void report_unwritten_file(std::string_view path, std::string_view english, std::string_view french);

// Notes a file not written by a writer that told the user itself.
void note_unwritten_file(std::string_view path);

// True once a file of this run was not written.
bool any_file_unwritten();

// The files not written, one line each ("Error writing: " and the path, in
// French "*** Erreur d'écriture : "): what a run that ends for them says on
// standard error. Empty when every file was written.
std::string unwritten_files_text();

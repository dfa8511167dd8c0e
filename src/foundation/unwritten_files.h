#pragma once

// The files a run could not write. A writer that fails to create, write,
// flush, rename or copy a file tells the user and the log here, naming the
// file, and goes on with what can still be done; the conversion then ends
// with exit code 1, and its result message names none of these files.

#include <string>
#include <string_view>
#include <vector>

struct UnwrittenFiles {
    std::vector<std::string> names;    // the files, as the messages named them
    std::vector<std::string> reasons;  // what was told of them, as shown, causes first, in order told
};
extern UnwrittenFiles unwritten_files;
void reset_unwritten_files();

// Tells of a file not written with the program's usual text, "Error writing:",
// a line break, a blank and the path (in French "*** Erreur d'écriture :"),
// as an error (a box, or the console in console mode) and in the log.
void report_unwritten_file(std::string_view path);
// The same with the writer's own texts.
void report_unwritten_file(std::string_view path, std::string_view english, std::string_view french);

// Tells, as an error, logged, why a writer is about to leave a file unwritten
// (a file it needed is missing); it then reports the file itself. The text is
// the cause of the file's own message on standard error.
void tell_unwritten_cause(std::string_view text);

// Notes a file not written by a writer that told the user itself, just
// before: the error it told last is the file's reason.
void note_unwritten_file(std::string_view path);

// True once a file of this run was not written.
bool any_file_unwritten();

// What a run that ends for the files not written says on standard error:
// every reason told of them, each cause before the message of its file, in
// the order told, as the messages showed them, one after the other. Empty
// when every file was written.
std::string unwritten_files_text();

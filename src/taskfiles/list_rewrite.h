#pragma once

#include <string>
#include <string_view>
#include <vector>

// Support shared by the writers that update a text file in place (profiles
// and map lists): the file is read whole first, its ".bak" copy is made from
// the bytes read, and only then is it rewritten from memory, as a whole write,
// so that a failure at any step leaves the user's file and its backup intact.

// A text file read whole: its bytes as they stand, and its lines without line
// ends (no cut).
struct TextFileContent {
    std::string bytes;
    std::vector<std::string> lines;
};

// Reads a text file whole. Status: 0 when the file was read to its end, else
// the open or read status (`content` is then empty); `opened` tells which of
// the two failed.
int read_text_file(std::string_view path, TextFileContent& content, bool& opened);
// Every line of a text file, as above.
int read_text_lines(std::string_view path, std::vector<std::string>& lines);

// Writes the bytes of `path` as read to `path` followed by ".bak" (replacing
// an older copy, except that an empty file never replaces a backup holding
// something). 0 when the backup holds them; a failure is told as an error,
// logged and noted as a file not written, and the file must then not be
// rewritten.
int make_backup_copy(std::string_view path, std::string_view bytes_as_read);

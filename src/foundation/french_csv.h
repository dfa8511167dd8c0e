#pragma once

// Separator and decimal rewrites between the comma-separated form of a line
// and the French spreadsheet form (";" between fields, "," as the decimal
// mark). All act in place on the text up to its last non-blank character.
// Offered to the forms and the terrain code: the conversion calls none of
// these.

#include <string>

// Every "," becomes ";".
void subs_comma(std::string& ligne);

// Every "," becomes ";" and every "." becomes ",".
void subs_dot_comma(std::string& ligne);

// Back from the French form: every "," becomes "." and every ";" becomes ","
// in one pass.
void from_frcsv(std::string& ligne);

// French form of a comma-separated line: "," becomes ";", and "." becomes ","
// inside fields that are numbers (is_num) and outside double quotes. Writes the
// first field to the console.
void to_frcsv(std::string& ligne);

#pragma once

#include <cstddef>
#include <string_view>

// Case-blind comparison of cp1252 texts, the way Windows compares file names
// and registry keys: the letters A-Z, the accented capitals of code page 1252
// (À..Þ except ×, Š, Œ, Ž, Ÿ) and their small twins are taken as the same.

// The small letter of a cp1252 byte (the byte itself when it is no capital).
char fold_case_cp1252(char c);

// True when both texts have the same length and equal folded bytes.
bool equal_ignoring_case_cp1252(std::string_view a, std::string_view b);

// The position of the first occurrence of `part` in `text` at or after
// `from`, letters compared as above; npos when there is none. An empty part
// is found at `from` (when `from` lies within the text).
std::size_t find_ignoring_case_cp1252(std::string_view text, std::string_view part, std::size_t from = 0);

// Matches a cp1252 name against a wildcard pattern of the Windows kind,
// ignoring case: "*" any run of characters, "?" one character. An empty
// pattern, "*" and "*.*" match every name.
bool matches_wildcard_cp1252(std::string_view name, std::string_view pattern);

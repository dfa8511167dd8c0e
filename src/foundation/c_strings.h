#pragma once

// The border between the program's texts and NUL-terminated character
// arrays (the Windows glue, the native dialogs, the windowing toolkit).
// Every copy is held within the arrays it is given: nothing is written or
// read past their ends.

#include <cstddef>
#include <span>
#include <string>
#include <string_view>

// Copies characters of in_str until its NUL or until ls characters into a
// field of `capacity` characters; ls on entry is the most to copy, 0 (or a
// value beyond the capacity) meaning the capacity. On return ls is the number
// of characters copied. A null in_str copies nothing.
void strcpy_c2f(const char* in_str, std::string& out_str, int& ls, std::size_t capacity);

// Copies the text without its trailing blanks into out_str and appends a NUL;
// ls = the number of characters copied. An array too small for them gets what
// fits before the NUL; an empty array gets nothing and ls = 0.
void strcpy_f2c(std::string_view in_str, std::span<char> out_str, int& ls);

// Copies the l characters of s from the 0-based position p into sub and
// appends a NUL. The copy is held to the characters s has from p and to the
// room in sub.
void substring(std::string_view s, std::span<char> sub, int p, int l);

// Copies the characters of s from the 0-based position p1 to p2 inclusive
// into sub and appends a NUL; p2 < p1 gives an empty text. Held as substring.
void substrpos(std::string_view s, std::span<char> sub, int p1, int p2);

#pragma once

// Numbers and logicals to text and back, in the look every output file of the
// program shares: left-adjusted, no blanks, trailing decimal zeros dropped.
// The formatting itself is fortran_format's; the reading list_read's.

#include <cstddef>
#include <string>
#include <string_view>

// Widest field i2b writes a number in.
inline constexpr std::size_t kI2bMaxWidth = 16;

// Integer part of x (towards zero), held within the range of int; 0 for a NaN.
int trunc_to_int(double x);

// The nearest whole number, halves away from zero, held within the range of
// int, so that no value read from a file can overflow the conversion.
int nearest_int(double x);

// The integer written right-adjusted in min(capacity, 16) characters, then
// left-adjusted: -42 gives "-42". A number wider than that field gives the
// field of asterisks (1234567 into 5 characters: "*****"). lb = the length.
void i2b(int value, std::string& buff, int& lb, std::size_t capacity = kI2bMaxWidth);
std::string i2b(int value);

// The real written with the format fstr (fixed "(F16.6)" or exponent
// "(1PE16.9)"; upper case), left-adjusted, with:
// - in the fixed form, trailing zeros after the point and a bare final point
//   removed; above 1 in magnitude, at most max(0, 8 - int(log10|x|)) decimals,
//   so about nine significant digits remain (123456.7 in F16.6 is written
//   with F16.3, 1e9 with F16.0);
// - in the exponent form, the zeros before the exponent letter removed
//   (0.25 gives "2.5E-01", 0.5 "5.E-01", 0 gives "0").
// A number too wide for the format gives its field of asterisks.
void f2b(float rr4, std::string& buff, std::string_view fstr, int& lb);
std::string f2b(float rr4, std::string_view fstr);
// The same text appended to `out`, for lines built field by field.
void append_f2b(std::string& out, float rr4, std::string_view fstr);

// Hours as "hh:mm:ss" ("(I2.2,':',I2.2,':',I2.2)"), truncating minutes and
// seconds; left-adjusted.
void t2b(float rr4, std::string& buff, int& lb);

// "1" for true, "0" for false; lb = 1.
void l2b(bool value, std::string& buff, int& lb);

// 1 for true, 0 for false.
int log2int(bool value);

// True exactly when the first character is "1", "Y" or "y" (a leading blank,
// "T" and "true" give false).
bool is_true(std::string_view cc);

// True when the text is not blank and every character up to its last
// non-blank one is a digit, "-", "+", ".", "E" or "e" (in any order).
bool is_num(std::string_view str);

// True when the text is not blank and every character up to its last
// non-blank one is a digit.
bool is_uint(std::string_view str);

// Reads an integer (real) list-directed (list_read.h). A blank text: ios = 0
// and val unchanged. Else ios is the read status and val is set only when it
// is 0.
void str2int(std::string_view buff, int& val, int& ios);
void str2flt(std::string_view buff, float& val, int& ios);

// The integer as text, left-adjusted, when it fits a field of `capacity`
// characters: ios = 0. Otherwise ios is nonzero and buff is left unchanged.
void int2str(int val, std::string& buff, int& ios, std::size_t capacity);

// Dotted version text: 4400 gives "4.4.0.0", 12345 "12.3.4.5" (thousands with
// I2, the other three digits with I1). length = its length.
void numver_to_char(int numver, std::string& cc1, int& length);

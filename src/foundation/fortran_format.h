#pragma once

// Fortran-style output formatting: the one module that gives every number and
// text written by the program its look. Writers quote their layouts as Fortran
// format texts, for example "(I2,':',I2.2,':',I2.2)" or "(2X,A,T20,F8.1,/)",
// and hand them to fortran_write / fortran_records with the values; the
// per-descriptor functions below serve callers that need one field.
//
// Supported edit descriptors (letters in either case, blanks outside quoted
// texts ignored, commas between items optional):
//   Iw, Iw.m   integer right-adjusted in w characters, at least m digits
//              (leading zeros); Iw.0 of 0 is w blanks; I0 takes the width needed
//   Fw.d       real with d decimals, right-adjusted; F0.d takes the width needed
//   Ew.d       real as 0.ddddE+xx (with a scale factor kP: k digits before the
//              point, see 1PEw.d)
//   1PEw.d     (kP scale factor followed by E) real as d.dddE+xx; a kP stays in
//              force for the following F and E descriptors of the same write,
//              and scales an F value by 10**k as Fortran does
//   A, Aw      text: A the whole text; Aw the first w characters, or the text
//              right-adjusted in w characters when shorter
//   Lw         logical as T or F right-adjusted in w characters
//   Zw, Zw.m   integer in upper-case hexadecimal (two's complement of 32 bits
//              for a negative int32)
//   nX, Tn, TLn, TRn   move right n, to column n, left n, right n; a move alone
//              writes nothing: blanks appear only when something is written
//              beyond them
//   /          ends the record (a new line); n/ ends n records
//   :          stops the write when no value is left
//   'text', "text", nHtext   copied unchanged ('' and "" stand for one quote)
//   n(...), nI.., nF.., ...  repeat counts for groups and descriptors
// The write stops at the first data descriptor that has no value left, so
// texts before it are written. When values remain at the end of the format, a
// new record starts and the format resumes at the last top-level group (with
// its repeat count), or at its beginning when it has no group.
//
// Numbers:
// - A number that does not fit its width shows as w asterisks.
// - F and E round as printf rounds (the exact binary value, ties to even);
//   reals given as float are formatted from their exact float value.
// - The optional leading zero of a value below 1 ("0.25") is dropped only when
//   the field is too narrow for it (F3.2 of 0.25 gives ".25").
// - A negative value whose shown digits are all zero (-0.0, or -0.001 in F8.2)
//   is written without a minus sign ("    0.00"), so no "-0" ever reaches a
//   file.
// - Exponents: E+dd, or +ddd without the letter for three-digit exponents.
// - An infinity shows as "Infinity" or "Inf" (with "-" when negative), a NaN as
//   "NaN", right-adjusted; asterisks when the width is too small.
//
// A format text that is malformed, uses a descriptor not listed here, or gets
// a value of the wrong kind (a text for I, a real for I or Z, a number for A,
// a number for L) throws FortranFormatError: formats are part of the program,
// and such a fault must show in the tests. F and E take integers as well as
// reals.

#include <concepts>
#include <initializer_list>
#include <span>
#include <stdexcept>
#include <string>
#include <string_view>
#include <variant>
#include <vector>

class FortranFormatError : public std::invalid_argument {
public:
    using std::invalid_argument::invalid_argument;
};

// One value of a formatted write: an integer, a real, a logical or a text
// (cp1252 bytes, written as they are).
class FortranValue {
public:
    template <std::integral T>
        requires(!std::same_as<T, bool>)
    FortranValue(T value) : value_(static_cast<long long>(value)) {}
    template <std::floating_point T>
    FortranValue(T value) : value_(static_cast<double>(value)) {}
    FortranValue(bool value) : value_(value) {}
    FortranValue(const char* text) : value_(std::string(text)) {}
    FortranValue(std::string_view text) : value_(std::string(text)) {}
    FortranValue(const std::string& text) : value_(text) {}

    const std::variant<long long, double, bool, std::string>& value() const { return value_; }

private:
    std::variant<long long, double, bool, std::string> value_;
};

// A format text is parsed once (per thread) and kept for the writes after.
//
// Writes the values with the format and returns the records (lines, without
// line ends). There is always at least one record; a format ending in "/"
// gives a last, empty record.
std::vector<std::string> fortran_records(std::string_view format, std::span<const FortranValue> values);
std::vector<std::string> fortran_records(std::string_view format, std::initializer_list<FortranValue> values);

// The same, for a write into a text: the records joined by '\n' (one record,
// the usual case, comes back as it is).
std::string fortran_write(std::string_view format, std::span<const FortranValue> values);
std::string fortran_write(std::string_view format, std::initializer_list<FortranValue> values);

// One field each. A width w of 0 means the width needed (I0, F0.d, ...);
// m < 0 means no minimum of digits.
std::string fmt_i(long long value, int w, int m = -1);               // Iw, Iw.m
std::string fmt_f(double value, int w, int d, int scale = 0);        // Fw.d (kP scaled)
std::string fmt_e(double value, int w, int d, int scale = 0);        // Ew.d, kPEw.d
std::string fmt_1pe(double value, int w, int d);                     // 1PEw.d
std::string fmt_a(std::string_view text, int w = -1);                // A (w < 0), Aw
std::string fmt_l(bool value, int w);                                // Lw
std::string fmt_z(long long value, int w, int m = -1);               // Zw, Zw.m

// Iw.m and Fw.d appended to `out`, for callers that build a text field by
// field without a string per field.
void append_fmt_i(std::string& out, long long value, int w, int m = -1);
void append_fmt_f(std::string& out, double value, int w, int d);

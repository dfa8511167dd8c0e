#pragma once

#include <string>
#include <string_view>

// The console: the program's text is cp1252; it reaches the terminal as UTF-8
// when the locale's character set is UTF-8, as cp1252 bytes otherwise. The
// locale is read from LC_ALL, LC_CTYPE and LANG (the first one set), without
// calling setlocale, which would change how numbers are formatted; it is read
// once, at the first text written or read.

bool console_is_utf8();

// Writes text to standard output, resp. standard error, converted as above.
void console_out(std::string_view text);
void console_err(std::string_view text);

// Writes a text and a line end to standard output.
void console_line(std::string_view text);

// Reads one line from standard input without its line end (LF or CR LF),
// converted to cp1252. False at end of input or on a read error: callers take
// that as a cancel. `lacking`, when given, receives the first character typed
// that code page 1252 lacks (turned into "?" in the line), 0 for none.
bool console_read_line(std::string& line, char32_t* lacking = nullptr);

// Forces the console encoding (tests); clear_console_encoding() returns to the
// locale, read afresh.
void set_console_utf8(bool utf8);
void clear_console_encoding();

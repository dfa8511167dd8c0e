#pragma once

// Splitting texts: key=value lines, relations such as "alt>=500", and items
// of separated lists. Inputs are blank-padded fields held as std::string;
// an output may be the same object as an input.

#include <array>
#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

// The relation codes, in the order they are tried; each is matched without
// its trailing blank.
inline constexpr std::array<std::string_view, 7> reltxt = {"= ", "!=", "< ", "<=", "> ", ">=", "[]"};

// Each list item passes through a work field of this many characters.
inline constexpr std::size_t kListItemLength = 256;

// Splits the line at its first "=" or, without one, at its first ":". key and
// val are the parts before and after it, left-adjusted. Without either
// character, key is the whole line as it stands and val is blank. No case
// folding, comment handling or quote removal.
void extract_key_val(std::string_view ligne, std::string& key, std::string& val);

// Splits the line at a relation code of reltxt: of the codes found in the
// line (each at its first occurrence), the last one in table order wins, so
// "<=" and ">=" win over "<", ">" and "=", and "!=" over "=". key and val are
// the parts before and after it, left-adjusted; rel is the code without its
// trailing blank. Without a code, key is the line and val and rel are blank.
void extract_key_val_rel(std::string_view ligne, std::string& key, std::string& val, std::string& rel);

// Takes the first item off the list `val` into `buff`; `val` keeps the rest,
// moved to the front but not left-adjusted. The separator is the first
// character of `sep` (a blank when sep is empty).
// - A blank list gives a blank item and a blank rest.
// - Without a separator the item is the whole list as it stands (leading
//   blanks kept) and the rest is blank.
// - Otherwise the item (left-adjusted) runs to the first separator, unless a
//   double quote stands before that separator and a second one follows it:
//   then the item runs to the first separator after that closing quote, or,
//   when none follows, to the closing quote (the character right after it is
//   skipped). The quotes stay in the item.
// - An empty item between two separators is blank.
void extract_list(std::string& val, std::string& buff, std::string_view sep);

// The same on a view: the next item of `rest` (a view into it), `rest`
// advanced past it; no text is copied, so a long list is taken apart in time
// proportional to its length.
std::string_view next_list_item(std::string_view& rest, char separator);

// extract_list with the separator ",".
void extract_comma(std::string& val, std::string& buff);

// Takes items off `val` with extract_list until a blank item; `lst` receives
// them at 1 .. count (element 0 is unused and blank). Each item is cut at
// kListItemLength characters.
void read_list(std::string& val, int& count, std::vector<std::string>& lst, std::string_view sep);

#pragma once

// Fortran list-directed ("free-form") reading of numbers from a text: the one
// module through which the program reads every number typed by the user or
// found in a settings, task or landscape text.
//
// Items and separators:
// - An item ends at a blank, a comma or a slash. Blanks, tabs, CR and LF are
//   blanks. A comma with blanks around it is one separator; two commas in a
//   row (or a comma first) give a null item, which leaves its target as it
//   was. A slash ends the read: the targets not yet read keep their values.
// - "r*c" stands for r times the item c, "r*" for r null items (r > 0).
// - An integer item is an optional sign and decimal digits: "12.5", "1e3",
//   "12abc" are errors, not 12. The value must fit the target (int: 32 bits).
// - A real item is an optional sign, digits with an optional decimal point
//   (at least one digit), and an optional exponent: a letter E, D or Q (either
//   case) with an optional sign and digits, or a sign and digits alone
//   ("1.5+3" is 1500). "1,5" is the item 1 followed by the item 5.
//   Infinities, NaN and values beyond the target's range are errors; values too
//   small for it read as zero (with their sign).
// - Whatever follows the last item needed is not looked at.
//
// Status (as Fortran's iostat):
//   kReadOk (0)          every target was read (or left by a null item or a slash)
//   kReadEnd (< 0)       the text ended before every target was read: a blank
//                        text reads nothing and keeps every value
//   kReadBadItem (> 0)   an item is not a number of the target's kind
//   kReadOutOfRange (> 0) a number beyond the range of its target
// On an error or at the end, the targets before the failing one hold what was
// read; the failing one and those after it keep their values.

#include <array>
#include <span>
#include <string_view>
#include <variant>
#include <vector>

inline constexpr int kReadOk = 0;
inline constexpr int kReadEnd = -1;
inline constexpr int kReadBadItem = 1;
inline constexpr int kReadOutOfRange = 2;

// One target of a read.
using ListTarget = std::variant<int*, float*, double*>;

// Reads the targets in order from the text; `stored`, when given, receives
// how many of them were given a value (a null item or a slash gives none).
int list_read_items(std::string_view text, std::span<const ListTarget> targets, std::size_t* stored = nullptr);

// The common case of reading one real, without the machinery of a list: a
// text that is, after blanks, one item of an optional "-", digits and an
// optional point with digits (no exponent), small enough to be exact (at
// most 16,777,216 before the point is placed, ten decimals). The value is
// the one list_read gives; false for any other text, which list_read then
// reads. A text of zeros alone is left to list_read too (its sign).
bool read_exact_decimal(std::string_view text, float& value);

// The same for one integer: a text that is, after blanks, an optional sign
// and at most nine digits. The value is the one list_read gives; false for any
// other text, which list_read then reads.
bool read_plain_integer(std::string_view text, int& value);

// The plain reading of one number above, for the type of its target (none
// for a double).
inline bool read_plain_number(std::string_view text, float& value) { return read_exact_decimal(text, value); }
inline bool read_plain_number(std::string_view text, int& value) { return read_plain_integer(text, value); }
inline bool read_plain_number(std::string_view /*text*/, double& /*value*/) { return false; }

// Reads one or several numbers: list_read(text, hours, minutes, seconds). One
// number of the common form is read by its plain reading, with the same value.
template <class... T>
int list_read(std::string_view text, T&... targets) {
    if constexpr (sizeof...(T) == 1) {
        if ((read_plain_number(text, targets) && ...)) {
            return kReadOk;
        }
    }
    const std::array<ListTarget, sizeof...(T)> list{ListTarget(&targets)...};
    return list_read_items(text, list);
}

// Reads every element of an array, in order.
template <class T>
int list_read_array(std::string_view text, std::span<T> values) {
    std::vector<ListTarget> list;
    list.reserve(values.size());
    for (T& value : values) {
        list.emplace_back(&value);
    }
    return list_read_items(text, list);
}

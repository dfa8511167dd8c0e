#pragma once

#include <cstddef>
#include <string>
#include <string_view>

// Rules of fixed-capacity, blank-padded text fields held as std::string.
//
// A field's value is kept without its trailing blanks; leading blanks are part
// of the value. Only the blank ' ' pads a field: a NUL or a tab is a character
// like any other.

// Position of the last non-blank character (0 for an empty or all-blank text).
// Inline: the readers of long files call it for every field.
inline std::size_t trimmed_length(std::string_view text) {
    std::size_t length = text.size();
    while (length > 0 && text[length - 1] == ' ') {
        --length;
    }
    return length;
}

// The text without its trailing blanks.
std::string trim_right(std::string_view text);

// True when the text holds nothing but blanks.
bool is_blank(std::string_view text);

// The text moved left past its leading blanks, without trailing blanks.
std::string left_adjust(std::string_view text);

// Equality of two blank-padded fields: trailing blanks do not count, case does.
inline bool blank_equal(std::string_view a, std::string_view b) {
    // Two fields whose first characters differ differ (a blank one starts
    // with a blank, any other with its first character).
    if (!a.empty() && !b.empty() && a.front() != b.front()) {
        return false;
    }
    return a.substr(0, trimmed_length(a)) == b.substr(0, trimmed_length(b));
}

// The value a field of `capacity` characters holds after the text is assigned
// to it: the text cut at the capacity, without trailing blanks.
std::string fit_field(std::string_view text, std::size_t capacity);

// The same value as a view of the text.
inline std::string_view fitted_view(std::string_view text, std::size_t capacity) {
    const std::string_view cut = text.substr(0, capacity);
    return cut.substr(0, trimmed_length(cut));
}

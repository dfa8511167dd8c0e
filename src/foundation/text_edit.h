#pragma once

// In-place edits of blank-padded text fields (held as std::string without
// trailing blanks, see fixed_text.h): case folding, case-blind comparison,
// quotes, NUL characters and the "/" line-break marker of messages. Letters
// are the ASCII letters only; the other cp1252 bytes never change.

#include "foundation/fixed_text.h"

#include <cstddef>
#include <string>
#include <string_view>

// A letter a-z as A-Z; any other byte as it is.
inline char upper_letter(char c) { return (c >= 'a' && c <= 'z') ? static_cast<char>(c - 'a' + 'A') : c; }

// Letters a-z become A-Z.
void majusc(std::string& strng);

// Letters A-Z become a-z.
void minusc(std::string& strng);

// True when both texts have the same trimmed length and are equal with a-z and
// A-Z taken as the same; two blank texts are equal.
bool case_blind_compare(std::string_view s1, std::string_view s2);

// Removes a pair of double quotes that begins and ends the text ("x y" gives
// x y). A text that is one double quote alone becomes blank. Otherwise the
// text is unchanged; a leading blank before the quote counts as a beginning
// other than a quote.
void remove_quotes(std::string& buff);
// The same with single quotes.
void remove_simple_quotes(std::string& buff);

// The part of `text` that remove_quotes (with `quote` '"') or
// remove_simple_quotes (with '\'') would leave, as a view. Inline: the readers
// of long files call it for every field.
inline std::string_view without_enclosing(std::string_view text, char quote) {
    text = text.substr(0, trimmed_length(text));
    if (text.empty() || text.front() != quote || text.back() != quote) {
        return text;
    }
    if (text.size() == 1) {
        return {};
    }
    text = text.substr(1, text.size() - 2);
    return text.substr(0, trimmed_length(text));
}
// The part of `text` remove_quotes would leave, as a view.
inline std::string_view without_quotes(std::string_view text) { return without_enclosing(text, '"'); }

// When the text holds a blank, encloses it in double quotes, cut at the
// field's capacity. Writes the text to the console before and after.
void quote_spaces(std::string& strng, std::size_t capacity);

// Every line feed becomes "/", the line-break marker of messages.
void make_printable(std::string& str);

// Cuts the text at its first NUL.
void remove_trail_0(std::string& buff);

// Removes every NUL; the text closes up over it. Writes the length and the
// text to the console before and after.
void remove_0(std::string& buff);

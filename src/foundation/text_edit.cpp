#include "foundation/text_edit.h"

#include "foundation/fixed_text.h"
#include "platform/console.h"

#include <algorithm>

namespace {

char lower(char c) { return (c >= 'A' && c <= 'Z') ? static_cast<char>(c - 'A' + 'a') : c; }

// Drops the trailing blanks in place.
void drop_trailing_blanks(std::string& text) { text.erase(trimmed_length(text)); }

void remove_enclosing(std::string& buff, char quote) { buff.assign(without_enclosing(buff, quote)); }

}  // namespace

void majusc(std::string& strng) {
    drop_trailing_blanks(strng);
    std::transform(strng.begin(), strng.end(), strng.begin(), upper_letter);
}

void minusc(std::string& strng) {
    drop_trailing_blanks(strng);
    std::transform(strng.begin(), strng.end(), strng.begin(), lower);
}

bool case_blind_compare(std::string_view s1, std::string_view s2) {
    const std::size_t length = trimmed_length(s1);
    if (length != trimmed_length(s2)) {
        return false;
    }
    for (std::size_t i = 0; i < length; ++i) {
        if (upper_letter(s1[i]) != upper_letter(s2[i])) {
            return false;
        }
    }
    return true;
}

void remove_quotes(std::string& buff) { remove_enclosing(buff, '"'); }

void remove_simple_quotes(std::string& buff) { remove_enclosing(buff, '\''); }

void quote_spaces(std::string& strng, std::size_t capacity) {
    strng = fit_field(strng, capacity);
    console_line("quote_spaces in : [" + strng + "]");
    if (strng.find(' ') != std::string::npos) {
        strng = fit_field("\"" + strng + "\"", capacity);
    }
    console_line("quote_spaces out: [" + strng + "]");
}

void make_printable(std::string& str) {
    drop_trailing_blanks(str);
    std::replace(str.begin(), str.end(), '\n', '/');
}

void remove_trail_0(std::string& buff) {
    const std::size_t nul = buff.find('\0');
    if (nul != std::string::npos) {
        buff.erase(nul);
    }
    drop_trailing_blanks(buff);
}

void remove_0(std::string& buff) {
    drop_trailing_blanks(buff);
    console_line("remove_0 in : " + std::to_string(buff.size()) + " [" + buff + "]");
    std::erase(buff, '\0');
    drop_trailing_blanks(buff);
    console_line("remove_0 out: " + std::to_string(buff.size()) + " [" + buff + "]");
}

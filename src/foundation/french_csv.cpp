#include "foundation/french_csv.h"

#include "foundation/fixed_text.h"
#include "foundation/number_text.h"
#include "platform/console.h"

#include <algorithm>
#include <string_view>

namespace {

// The field that starts at `from`: up to the next "," or the end of the text.
// An empty field is no number.
bool numeric_field(std::string_view text, std::size_t from) {
    std::size_t end = text.find(',', from);
    if (end == std::string_view::npos) {
        end = text.size();
    }
    const std::string_view field = text.substr(from, end - from);
    return !field.empty() && is_num(field);
}

}  // namespace

void subs_comma(std::string& ligne) {
    ligne = trim_right(ligne);
    for (char& c : ligne) {
        if (c == ',') {
            c = ';';
        }
    }
}

void subs_dot_comma(std::string& ligne) {
    ligne = trim_right(ligne);
    for (char& c : ligne) {
        if (c == ',') {
            c = ';';
        } else if (c == '.') {
            c = ',';
        }
    }
}

void from_frcsv(std::string& ligne) {
    ligne = trim_right(ligne);
    for (char& c : ligne) {
        if (c == ',') {
            c = '.';
        } else if (c == ';') {
            c = ',';
        }
    }
}

void to_frcsv(std::string& ligne) {
    ligne = trim_right(ligne);
    const std::string original = ligne;
    bool numeric = numeric_field(original, 0);
    console_line("to_frcsv first field: [" + original.substr(0, std::min(original.find(','), original.size())) +
                 "] " + (numeric ? "number" : "text"));
    bool inside_quotes = false;
    for (std::size_t i = 0; i < ligne.size(); ++i) {
        const char c = original[i];
        if (c == ',') {
            ligne[i] = ';';
            numeric = numeric_field(original, i + 1);
            inside_quotes = false;
        } else if (c == '"') {
            inside_quotes = !inside_quotes;
        } else if (c == '.' && numeric && !inside_quotes) {
            ligne[i] = ',';
        }
    }
}

#include "foundation/key_value.h"

#include "foundation/fixed_text.h"

void extract_key_val(std::string_view ligne, std::string& key, std::string& val) {
    const std::string line = trim_right(ligne);
    std::size_t at = line.find('=');
    if (at == std::string::npos) {
        at = line.find(':');
    }
    if (at == std::string::npos) {
        key = line;
        val.clear();
        return;
    }
    key = left_adjust(std::string_view(line).substr(0, at));
    val = left_adjust(std::string_view(line).substr(at + 1));
}

void extract_key_val_rel(std::string_view ligne, std::string& key, std::string& val, std::string& rel) {
    const std::string line = trim_right(ligne);
    std::size_t at = std::string::npos;
    std::string_view code;
    for (const std::string_view padded : reltxt) {
        const std::string_view candidate = padded.substr(0, trimmed_length(padded));
        const std::size_t found = line.find(candidate);
        if (found != std::string::npos) {
            at = found;
            code = candidate;
        }
    }
    if (at == std::string::npos) {
        key = line;
        val.clear();
        rel.clear();
        return;
    }
    key = left_adjust(std::string_view(line).substr(0, at));
    val = left_adjust(std::string_view(line).substr(at + code.size()));
    rel = std::string(code);
}

namespace {

// Position of the first `c` in text[from, size), or `size` when there is none.
// The items of a list are short: a plain loop beats a library search here.
std::size_t find_from(const char* text, std::size_t from, std::size_t size, char c) {
    while (from < size && text[from] != c) {
        ++from;
    }
    return from;
}

}  // namespace

std::string_view next_list_item(std::string_view& rest, char separator) {
    const char* const p = rest.data();
    std::size_t size = rest.size();
    while (size > 0 && p[size - 1] == ' ') {
        --size;
    }
    if (size == 0) {
        rest = {};
        return {};
    }
    // One pass to the first separator or quote. A quote before the separator
    // whose closing quote follows keeps the separators between them in the
    // item; a list without any separator is one item as it stands.
    std::size_t cut = 0;
    for (; cut < size; ++cut) {  // two tests of their own: a tighter loop than one joined test
        const char c = p[cut];
        if (c == separator) {
            break;
        }
        if (c == '"') {
            break;
        }
    }
    const bool quoted = cut < size && p[cut] == '"' && separator != '"';
    if (quoted) {
        const std::size_t open = cut;
        const std::size_t close = find_from(p, open + 1, size, '"');
        cut = close < size ? find_from(p, close + 1, size, separator) : size;
        if (cut == size) {
            // No separator after the closing quote, or no closing quote: the
            // separators after the opening quote decide.
            const std::size_t inside = find_from(p, open + 1, close, separator);
            if (inside == close) {
                rest = {};
                return {p, size};  // no separator at all
            }
            // A closing quote: the item ends at it; without one, at the first
            // separator.
            cut = close < size ? close + 1 : inside;
        }
    } else if (cut == size) {
        rest = {};
        return {p, size};
    }
    std::size_t first = 0;
    while (first < cut && p[first] == ' ') {
        ++first;
    }
    std::size_t last = cut;
    while (last > first && p[last - 1] == ' ') {
        --last;
    }
    rest = cut + 1 < size ? std::string_view(p + cut + 1, size - cut - 1) : std::string_view();
    return first < last ? std::string_view(p + first, last - first) : std::string_view();
}

void extract_list(std::string& val, std::string& buff, std::string_view sep) {
    std::string_view rest = val;
    std::string item(next_list_item(rest, sep.empty() ? ' ' : sep.front()));
    std::string left(rest);
    buff = std::move(item);
    val = std::move(left);
}

void extract_comma(std::string& val, std::string& buff) { extract_list(val, buff, ","); }

void read_list(std::string& val, int& count, std::vector<std::string>& lst, std::string_view sep) {
    count = 0;
    lst.assign(1, std::string());
    std::string_view rest = val;
    const char separator = sep.empty() ? ' ' : sep.front();
    while (true) {
        std::string item = fit_field(next_list_item(rest, separator), kListItemLength);
        if (item.empty()) {
            val = std::string(rest);
            return;
        }
        ++count;
        lst.push_back(std::move(item));
    }
}

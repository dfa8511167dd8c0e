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

std::string_view next_list_item(std::string_view& rest, char separator) {
    const std::string_view list = rest.substr(0, trimmed_length(rest));
    if (list.empty()) {
        rest = {};
        return {};
    }
    std::size_t cut = list.find(separator);
    if (cut == std::string_view::npos) {
        rest = {};
        return list;
    }
    const std::size_t open = list.find('"');
    if (open < cut) {
        const std::size_t close = list.find('"', open + 1);
        if (close != std::string_view::npos) {
            cut = list.find(separator, close + 1);
            if (cut == std::string_view::npos) {
                cut = close + 1;
            }
        }
    }
    std::string_view item = list.substr(0, cut);
    const std::size_t first = item.find_first_not_of(' ');
    item = first == std::string_view::npos ? std::string_view() : item.substr(first, trimmed_length(item) - first);
    rest = cut + 1 < list.size() ? list.substr(cut + 1) : std::string_view();
    return item;
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

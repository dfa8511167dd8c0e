#include "platform/case_fold.h"

#include <cstddef>

char fold_case_cp1252(char c) {
    const auto b = static_cast<unsigned char>(c);
    if (b >= 'A' && b <= 'Z') {
        return static_cast<char>(b + ('a' - 'A'));
    }
    if (b >= 0xC0 && b <= 0xDE && b != 0xD7) {
        return static_cast<char>(b + 0x20);
    }
    switch (b) {
        case 0x8A: return static_cast<char>(0x9A);  // S caron
        case 0x8C: return static_cast<char>(0x9C);  // OE ligature
        case 0x8E: return static_cast<char>(0x9E);  // Z caron
        case 0x9F: return static_cast<char>(0xFF);  // Y diaeresis
        default: return c;
    }
}

bool equal_ignoring_case_cp1252(std::string_view a, std::string_view b) {
    if (a.size() != b.size()) {
        return false;
    }
    for (std::size_t i = 0; i < a.size(); ++i) {
        if (fold_case_cp1252(a[i]) != fold_case_cp1252(b[i])) {
            return false;
        }
    }
    return true;
}

std::size_t find_ignoring_case_cp1252(std::string_view text, std::string_view part, std::size_t from) {
    if (part.size() > text.size()) {
        return std::string_view::npos;
    }
    for (std::size_t i = from; i + part.size() <= text.size(); ++i) {
        if (equal_ignoring_case_cp1252(text.substr(i, part.size()), part)) {
            return i;
        }
    }
    return std::string_view::npos;
}

bool matches_wildcard_cp1252(std::string_view name, std::string_view pattern) {
    if (pattern.empty() || pattern == "*" || pattern == "*.*") {
        return true;
    }
    // Greedy match with one back-tracking point: the last "*" seen.
    std::size_t n = 0;
    std::size_t p = 0;
    std::size_t star = std::string_view::npos;
    std::size_t resume = 0;
    while (n < name.size()) {
        if (p < pattern.size() && pattern[p] == '*') {
            star = p++;
            resume = n;
        } else if (p < pattern.size() &&
                   (pattern[p] == '?' || fold_case_cp1252(pattern[p]) == fold_case_cp1252(name[n]))) {
            ++p;
            ++n;
        } else if (star != std::string_view::npos) {
            p = star + 1;
            n = ++resume;
        } else {
            return false;
        }
    }
    while (p < pattern.size() && pattern[p] == '*') {
        ++p;
    }
    return p == pattern.size();
}

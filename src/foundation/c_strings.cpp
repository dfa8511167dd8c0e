#include "foundation/c_strings.h"

#include "foundation/fixed_text.h"

#include <algorithm>

namespace {

// Copies up to `count` characters of `text` into `out` and closes it with a
// NUL, all within `out`; returns the number copied.
std::size_t copy_terminated(std::string_view text, std::span<char> out) {
    if (out.empty()) {
        return 0;
    }
    const std::size_t n = std::min(text.size(), out.size() - 1);
    std::copy_n(text.begin(), n, out.begin());
    out[n] = '\0';
    return n;
}

}  // namespace

void strcpy_c2f(const char* in_str, std::string& out_str, int& ls, std::size_t capacity) {
    std::size_t limit = capacity;
    if (ls > 0 && static_cast<std::size_t>(ls) < capacity) {
        limit = static_cast<std::size_t>(ls);
    }
    std::size_t copied = 0;
    if (in_str != nullptr) {
        while (copied < limit && in_str[copied] != '\0') {
            ++copied;
        }
    }
    out_str = trim_right(std::string_view(in_str == nullptr ? "" : in_str, copied));
    ls = static_cast<int>(copied);
}

void strcpy_f2c(std::string_view in_str, std::span<char> out_str, int& ls) {
    ls = static_cast<int>(copy_terminated(in_str.substr(0, trimmed_length(in_str)), out_str));
}

namespace {

void copy_range(std::string_view s, std::span<char> sub, long long from, long long count) {
    if (from < 0) {
        count += from;
        from = 0;
    }
    if (count <= 0 || from >= static_cast<long long>(s.size())) {
        copy_terminated({}, sub);
        return;
    }
    copy_terminated(s.substr(static_cast<std::size_t>(from), static_cast<std::size_t>(count)), sub);
}

}  // namespace

void substring(std::string_view s, std::span<char> sub, int p, int l) { copy_range(s, sub, p, l); }

void substrpos(std::string_view s, std::span<char> sub, int p1, int p2) {
    copy_range(s, sub, p1, static_cast<long long>(p2) - p1 + 1);
}

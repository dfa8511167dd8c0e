#include "cpw/sl_string.h"

#include <algorithm>
#include <cctype>
#include <cstdlib>
#include <cstring>
#include <string>
#include <string_view>

namespace {

std::string_view view(const char* text) {
    return text == nullptr ? std::string_view() : std::string_view(text);
}

// A new heap text holding the bytes of v.
char* make_text(std::string_view v) {
    auto* text = static_cast<char*>(std::calloc(v.size() + 1, 1));
    if (text != nullptr && !v.empty()) {
        std::memcpy(text, v.data(), v.size());
    }
    return text;
}

unsigned char lower(char c) {
    return static_cast<unsigned char>(std::tolower(static_cast<unsigned char>(c)));
}

bool matches_at(std::string_view text, std::string_view t, std::size_t p, bool any_case) {
    if (!any_case) {
        return text.compare(p, t.size(), t) == 0;
    }
    for (std::size_t i = 0; i < t.size(); ++i) {
        if (lower(text[p + i]) != lower(t[i])) {
            return false;
        }
    }
    return true;
}

int find_from(const char* text, const char* t, int from, bool any_case) {
    if (text == nullptr || t == nullptr) {
        return -1;
    }
    const std::string_view tv(text);
    const std::string_view sv(t);
    if (sv.empty() || sv.size() > tv.size()) {
        return -1;
    }
    const auto start = static_cast<std::size_t>(slWrapPos(text, from));
    for (std::size_t p = start; p + sv.size() <= tv.size(); ++p) {
        if (matches_at(tv, sv, p, any_case)) {
            return static_cast<int>(p);
        }
    }
    return -1;
}

char* map_bytes(const char* text, int (*fn)(int)) {
    std::string s(view(text));
    for (char& c : s) {
        c = static_cast<char>(fn(static_cast<unsigned char>(c)));
    }
    return make_text(s);
}

}  // namespace

int slLength(const char* text) {
    return static_cast<int>(view(text).size());
}

char* slStringOfSize(int n) {
    return static_cast<char*>(std::calloc(static_cast<std::size_t>(std::max(n, 0)) + 1, 1));
}

void slFree(char* text) {
    std::free(text);
}

int slClear(char* text) {
    const int n = slLength(text);
    if (n > 0) {
        std::memset(text, 0, static_cast<std::size_t>(n));
    }
    return n;
}

char* slStringFromBuffer(const char* bytes, int n) {
    if (bytes == nullptr || n <= 0) {
        return make_text({});
    }
    return make_text(std::string_view(bytes, static_cast<std::size_t>(n)));
}

char* slSizeTo(const char* text, int n) {
    const auto size = static_cast<std::size_t>(std::max(n, 0));
    std::string s(view(text).substr(0, size));
    s.resize(size, ' ');
    return make_text(s);
}

char* slCopy(const char* text) {
    return make_text(view(text));
}

int slDropLastChar(char* text) {
    const int n = slLength(text);
    if (n == 0) {
        return -1;
    }
    text[n - 1] = '\0';
    return n - 1;
}

char* slAppend(const char* a, const char* b) {
    std::string s(view(a));
    s += view(b);
    return make_text(s);
}

char* slAppendAndFree(char* a, const char* b) {
    char* joined = slAppend(a, b);
    slFree(a);
    return joined;
}

char* slLower(const char* text) {
    return map_bytes(text, std::tolower);
}

char* slUpper(const char* text) {
    return map_bytes(text, std::toupper);
}

int slEquals(const char* a, const char* b) {
    if (a == nullptr || b == nullptr) {
        return a == b ? 1 : 0;
    }
    return view(a) == view(b) ? 1 : 0;
}

int slWrapPos(const char* text, int pos) {
    const int n = slLength(text);
    if (pos > n) {
        return n;
    }
    if (pos < 0) {
        return std::max(n + pos, 0);
    }
    return pos;
}

int slCharAt(const char* text, int pos) {
    const int n = slLength(text);
    if (text == nullptr || pos > n) {
        return 0;
    }
    return static_cast<unsigned char>(text[slWrapPos(text, pos)]);
}

int slSetCharAt(char* text, int pos, int c) {
    const int n = slLength(text);
    const int p = slWrapPos(text, pos);
    // Only a character of the text may change: the NUL at the end stays.
    if (pos > n || p >= n) {
        return 0;
    }
    text[p] = static_cast<char>(c);
    return 1;
}

int slDropCharAt(char* text, int pos) {
    const int n = slLength(text);
    const int p = slWrapPos(text, pos);
    if (p >= n) {
        return 0;
    }
    std::memmove(text + p, text + p + 1, static_cast<std::size_t>(n - p));
    return 1;
}

char* slSubString(const char* text, int from, int to) {
    const int n = slLength(text);
    const int a = slWrapPos(text, from);
    const int b = std::min(slWrapPos(text, to), n - 1);
    if (b < a) {
        return make_text({});
    }
    return make_text(view(text).substr(static_cast<std::size_t>(a), static_cast<std::size_t>(b - a + 1)));
}

char* slInsert(const char* text, const char* t, int pos) {
    std::string s(view(text));
    s.insert(static_cast<std::size_t>(slWrapPos(text, pos)), view(t));
    return make_text(s);
}

int slFindFrom(const char* text, const char* t, int from) {
    return find_from(text, t, from, false);
}

int slFind(const char* text, const char* t) {
    return slFindFrom(text, t, 0);
}

int slContains(const char* text, const char* t) {
    return slFind(text, t) != -1 ? 1 : 0;
}

int slCount(const char* text, const char* t) {
    const int step = slLength(t);
    int count = 0;
    for (int p = slFind(text, t); p != -1; p = slFindFrom(text, t, p + step)) {
        ++count;
    }
    return count;
}

char* slReplace(const char* text, const char* t, const char* r) {
    if (text == nullptr || t == nullptr || r == nullptr) {
        return nullptr;
    }
    const int step = slLength(t);
    if (step == 0 || step > slLength(text)) {
        return nullptr;
    }
    std::string out;
    int done = 0;
    for (int p = slFind(text, t); p != -1; p = slFindFrom(text, t, done)) {
        out.append(text + done, static_cast<std::size_t>(p - done));
        out += r;
        done = p + step;
    }
    out += text + done;
    return make_text(out);
}

int slRFindFrom(const char* text, const char* t, int from) {
    if (text == nullptr || t == nullptr) {
        return -1;
    }
    const int n = slLength(text);
    const int lt = slLength(t);
    if (lt == 0 || lt > n) {
        return -1;
    }
    // The last occurrence that ends at most one place behind `from`, never
    // one that runs past the end of the text. A match at position 0 counts.
    const int start = std::min(slWrapPos(text, from) - lt + 2, n - lt);
    for (int p = start; p >= 0; --p) {
        if (matches_at(text, t, static_cast<std::size_t>(p), false)) {
            return p;
        }
    }
    return -1;
}

int slFindAnyCaseFrom(const char* text, const char* t, int from) {
    return find_from(text, t, from, true);
}

int slFindAnyCase(const char* text, const char* t) {
    return slFindAnyCaseFrom(text, t, 0);
}

int slContainsAnyCase(const char* text, const char* t) {
    return slFindAnyCase(text, t) != -1 ? 1 : 0;
}

int slEqualsAnyCase(const char* a, const char* b) {
    if (a == nullptr || b == nullptr || slLength(a) != slLength(b)) {
        return 0;
    }
    return slContainsAnyCase(a, b);
}

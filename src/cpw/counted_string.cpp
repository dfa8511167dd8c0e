#include "cpw/counted_string.h"

#include "cpw/sl_string.h"
#include "platform/float_traps.h"

#include <algorithm>
#include <cctype>
#include <cerrno>
#include <charconv>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <limits>
#include <string_view>

namespace cstr {
namespace {

// A new string holding n bytes copied from bytes (empty for n = 0).
StringContext* from_bytes(const char* bytes, std::size_t n) {
    StringContext* s = newString();
    if (s == nullptr || n == 0 || bytes == nullptr) {
        return s;
    }
    s->str = slStringFromBuffer(bytes, static_cast<int>(n));
    if (s->str == nullptr) {
        std::free(s);
        return nullptr;
    }
    s->len = static_cast<std::uint32_t>(n);
    return s;
}

// Replaces the caller's string by `fresh`; the old one is freed only now, so
// `fresh` may have been built from it.
void replace_with(StringContext** s, StringContext* fresh) {
    freeStr(s);
    *s = fresh;
}

bool is_empty(const StringContext* s) {
    return s == nullptr || s->len == 0 || s->str == nullptr;
}

std::string_view view(const StringContext* s) {
    return is_empty(s) ? std::string_view() : std::string_view(s->str, s->len);
}

// Compares at most n bytes of two texts of which `a_size` and `b_size` bytes
// exist (the NUL included), so a shorter text ends the comparison at its NUL.
int compare_bytes(const char* a, std::size_t a_size, const char* b, std::size_t b_size,
                  int n, bool any_case) {
    const std::size_t limit = std::min({static_cast<std::size_t>(std::max(n, 0)), a_size, b_size});
    for (std::size_t i = 0; i < limit; ++i) {
        int ca = static_cast<unsigned char>(a[i]);
        int cb = static_cast<unsigned char>(b[i]);
        if (any_case) {
            ca = std::tolower(ca);
            cb = std::tolower(cb);
        }
        if (ca != cb) {
            return ca - cb;
        }
    }
    return 0;
}

// The null rules shared by every comparison; true when they decide `result`.
bool null_rule(const void* a, const void* b, int& result) {
    if (a == nullptr && b == nullptr) {
        result = 0;
        return true;
    }
    if (a == nullptr || b == nullptr) {
        result = -1;
        return true;
    }
    return false;
}

int compare_str(const StringContext* s, const StringContext* t, int n, bool any_case) {
    int result = 0;
    if (null_rule(s, t, result) || null_rule(s->str, t->str, result)) {
        return result;
    }
    return compare_bytes(s->str, s->len + 1, t->str, t->len + 1, n, any_case);
}

int compare_string(const StringContext* s, const char* text, int n, bool any_case) {
    // A null record has a null text.
    int result = 0;
    if (null_rule(s == nullptr ? nullptr : s->str, text, result)) {
        return result;
    }
    return compare_bytes(s->str, s->len + 1, text, std::strlen(text) + 1, n, any_case);
}

}  // namespace

StringContext* newString() {
    return static_cast<StringContext*>(std::calloc(1, sizeof(StringContext)));
}

StringContext* crtStr() {
    return newString();
}

StringContext* crtStrLen(int n) {
    StringContext* s = newString();
    if (s == nullptr || n <= 0) {
        return s;
    }
    s->str = slStringOfSize(n);
    if (s->str == nullptr) {
        std::free(s);
        return nullptr;
    }
    s->len = static_cast<std::uint32_t>(n);
    return s;
}

void freeStr(StringContext** s) {
    if (s == nullptr || *s == nullptr) {
        return;
    }
    slFree((*s)->str);
    std::free(*s);
    *s = nullptr;
}

void strClr(StringContext* s) {
    if (s == nullptr) {
        return;
    }
    slFree(s->str);
    s->str = nullptr;
    s->len = 0;
}

StringContext* strCpy(const StringContext* s) {
    const std::string_view v = view(s);
    return from_bytes(v.data(), v.size());
}

StringContext* cpyString(const char* text) {
    return from_bytes(text, text == nullptr ? 0 : std::strlen(text));
}

StringContext* cpyStrLen(const StringContext* s, int n) {
    const std::string_view v = view(s).substr(0, static_cast<std::size_t>(std::max(n, 0)));
    return from_bytes(v.data(), v.size());
}

StringContext* cpyStringLen(const char* bytes, int n) {
    return from_bytes(bytes, static_cast<std::size_t>(std::max(n, 0)));
}

void setStr(StringContext** s, const StringContext* t) {
    if (s == nullptr) {
        return;
    }
    replace_with(s, strCpy(t));
}

StringContext** setString(StringContext** s, const char* text) {
    if (s == nullptr) {
        return nullptr;
    }
    replace_with(s, cpyString(text));
    return s;
}

int sizeStr(StringContext** s, int n) {
    if (s == nullptr || n <= 0) {
        return 0;
    }
    StringContext* fresh = crtStrLen(n);
    if (fresh == nullptr) {
        return 0;
    }
    replace_with(s, fresh);
    return n;
}

StringContext* getString(StringContext** s) {
    return s == nullptr ? nullptr : *s;
}

char* str(const StringContext* s) {
    return s == nullptr ? nullptr : s->str;
}

int len(const StringContext* s) {
    return s == nullptr ? 0 : static_cast<int>(s->len);
}

int strLen(const StringContext* s) {
    return len(s);
}

int getChar(const StringContext* s, int pos) {
    if (is_empty(s) || pos < 0 || static_cast<std::uint32_t>(pos) > s->len) {
        return 0;
    }
    return static_cast<unsigned char>(s->str[pos]);
}

int setChar(StringContext* s, int pos, int c) {
    if (is_empty(s) || pos < 0 || static_cast<std::uint32_t>(pos) >= s->len) {
        return 0;
    }
    s->str[pos] = static_cast<char>(c);
    return 1;
}

int delChar(StringContext** s, int pos) {
    if (s == nullptr || is_empty(*s) || pos < 0 || static_cast<std::uint32_t>(pos) >= (*s)->len) {
        return 0;
    }
    StringContext* t = *s;
    std::memmove(t->str + pos, t->str + pos + 1, t->len - static_cast<std::uint32_t>(pos));
    --t->len;
    if (t->len == 0) {
        strClr(t);  // the empty string keeps no text
    }
    return 1;
}

int dropChar(StringContext** s) {
    if (s == nullptr) {
        return 0;
    }
    if (is_empty(*s)) {
        return 1;
    }
    StringContext* fresh = cpyStrLen(*s, static_cast<int>((*s)->len) - 1);
    if (fresh == nullptr) {
        return 0;
    }
    replace_with(s, fresh);
    return 1;
}

StringContext* subStr(const StringContext* s, int from, int to) {
    const int n = len(s);
    if (from < 0 || from > n) {
        return crtStr();
    }
    const int end = (to < 0 || to > n) ? n : to;
    return subStrLen(s, from, std::max(end - from, 0));
}

StringContext* subStrShort(const StringContext* s, int from) {
    return subStr(s, from, -1);
}

StringContext* subStrLen(const StringContext* s, int from, int n) {
    if (from < 0 || from > len(s) || n <= 0) {
        return crtStr();
    }
    const std::string_view v = view(s).substr(static_cast<std::size_t>(from), static_cast<std::size_t>(n));
    return from_bytes(v.data(), v.size());
}

StringContext* strToken(StringContext** s, const char* separator) {
    if (s == nullptr || is_empty(*s) || separator == nullptr) {
        return nullptr;
    }
    const int p = slFind((*s)->str, separator);
    if (p > 0) {
        StringContext* token = cpyStrLen(*s, p);
        // The rest begins behind the whole separator.
        const int rest = p + slLength(separator);
        replace_with(s, from_bytes((*s)->str + rest, (*s)->len - static_cast<std::uint32_t>(rest)));
        return token;
    }
    StringContext* whole = strCpy(*s);
    freeStr(s);
    return whole;
}

int concatString(StringContext** s, const char* text) {
    if (s == nullptr || text == nullptr) {
        return 0;
    }
    if (is_empty(*s)) {
        StringContext* fresh = cpyString(text);
        if (fresh == nullptr) {
            return 0;
        }
        replace_with(s, fresh);
        return 1;
    }
    char* joined = slAppend((*s)->str, text);
    if (joined == nullptr) {
        return 0;
    }
    setString(s, joined);
    slFree(joined);
    return *s == nullptr ? 0 : 1;
}

int concatStr(StringContext** s, const StringContext* t) {
    if (s == nullptr || t == nullptr) {
        return 0;
    }
    if (is_empty(t)) {
        if (*s == nullptr) {
            *s = crtStr();
        }
        return 1;
    }
    // Copy t first: it may be *s itself, which the append replaces.
    StringContext* copy = strCpy(t);
    if (copy == nullptr) {
        return 0;
    }
    const int result = concatString(s, copy->str);
    freeStr(&copy);
    return result;
}

int concatStringLen(StringContext** s, const char* text) {
    if (s == nullptr || text == nullptr) {
        return 0;
    }
    // Grows the string and copies the text behind its old end, keeping the
    // characters it had.
    const std::size_t old_len = static_cast<std::size_t>(len(*s));
    const std::size_t add = std::strlen(text);
    StringContext* fresh = crtStrLen(static_cast<int>(old_len + add));
    if (fresh == nullptr) {
        return 0;
    }
    if (old_len > 0) {
        std::memcpy(fresh->str, (*s)->str, old_len);
    }
    if (add > 0) {
        std::memcpy(fresh->str + old_len, text, add);
    }
    replace_with(s, fresh);
    return 1;
}

int concatChar(StringContext** s, int c) {
    const char text[2] = {static_cast<char>(c), '\0'};
    return concatString(s, text);
}

namespace detail {
int concat_texts(StringContext** s, std::initializer_list<const char*> texts) {
    if (s == nullptr || texts.size() == 0 || *texts.begin() == nullptr) {
        return 0;
    }
    for (const char* text : texts) {
        if (text == nullptr || text[0] == '\0') {
            break;
        }
        if (concatString(s, text) == 0) {
            return 0;
        }
    }
    return 1;
}
}  // namespace detail

int compareStrCs(const StringContext* s, const StringContext* t) {
    return compare_str(s, t, len(s), false);
}

int compareStrLenCs(const StringContext* s, const StringContext* t, int n) {
    return compare_str(s, t, n, false);
}

int compareStringLenCs(const StringContext* s, const char* text, int n) {
    return compare_string(s, text, n, false);
}

int compareStrNc(const StringContext* s, const StringContext* t) {
    return compare_str(s, t, len(s), true);
}

int compareStringNc(const StringContext* s, const char* text) {
    return compare_string(s, text, len(s), true);
}

int compareStrLenNc(const StringContext* s, const StringContext* t, int n) {
    return compare_str(s, t, n, true);
}

int compareStringLenNc(const StringContext* s, const char* text, int n) {
    return compare_string(s, text, n, true);
}

int replaceString(StringContext** s, const char* a, const char* b) {
    if (a == nullptr || b == nullptr || slEquals(a, b) == 1) {
        return -1;
    }
    if (s == nullptr || is_empty(*s)) {
        return 0;
    }
    char* replaced = slReplace((*s)->str, a, b);
    if (replaced != nullptr) {
        setString(s, replaced);
        slFree(replaced);
    }
    return 1;
}

int containsStr(const StringContext* s, const StringContext* t) {
    if (s == nullptr || t == nullptr || s->str == nullptr || t->str == nullptr) {
        return 0;
    }
    return slFind(s->str, t->str);
}

int containsString(const StringContext* s, const char* text) {
    if (is_empty(s) || text == nullptr) {
        return 0;
    }
    return slFind(s->str, text);
}

int strToInt32(const StringContext* s) {
    if (is_empty(s)) {
        return 0;
    }
    const long long v = std::strtoll(s->str, nullptr, 10);
    return static_cast<int>(std::clamp<long long>(v, std::numeric_limits<std::int32_t>::min(),
                                                  std::numeric_limits<std::int32_t>::max()));
}

double strToFloat64(const StringContext* s) {
    if (is_empty(s)) {
        return 0.0;
    }
    // The reader raises overflow for out-of-range texts; the program runs with
    // that trap on, so the conversion runs with the traps held.
    double v = 0.0;
    {
        const FloatTrapsHeld held;
        const int saved_errno = errno;
        v = std::strtod(s->str, nullptr);
        errno = saved_errno;
    }
    if (std::isnan(v)) {
        return 0.0;
    }
    if (std::isinf(v)) {
        v = std::signbit(v) ? -std::numeric_limits<double>::max() : std::numeric_limits<double>::max();
    }
    return v;
}

StringContext* int32ToStr(std::int32_t n) {
    char buffer[16];
    const int written = std::snprintf(buffer, sizeof buffer, "%i", n);
    return cpyStringLen(buffer, written);
}

StringContext* float64ToStr(double x) {
    char buffer[32];
    const auto result = std::to_chars(buffer, buffer + sizeof buffer, x);
    return cpyStringLen(buffer, static_cast<int>(result.ptr - buffer));
}

}  // namespace cstr

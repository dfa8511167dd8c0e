#include "foundation/list_read.h"

#include <algorithm>
#include <array>
#include <charconv>
#include <cstdint>
#include <limits>
#include <string>
#include <system_error>

namespace {

// The blanks all come before '!': one comparison tells most characters apart.
bool is_blank_char(char c) { return c <= ' ' && (c == ' ' || c == '\t' || c == '\r' || c == '\n'); }

bool is_separator(char c) { return is_blank_char(c) || c == ',' || c == '/'; }

bool is_digit(char c) { return c >= '0' && c <= '9'; }

int read_integer(std::string_view item, int& target) {
    std::size_t i = 0;
    bool negative = false;
    if (i < item.size() && (item[i] == '+' || item[i] == '-')) {
        negative = item[i] == '-';
        ++i;
    }
    if (i == item.size()) {
        return kReadBadItem;
    }
    long long magnitude = 0;
    bool too_large = false;
    for (; i < item.size(); ++i) {
        if (!is_digit(item[i])) {
            return kReadBadItem;
        }
        if (!too_large) {
            magnitude = magnitude * 10 + (item[i] - '0');
            too_large = magnitude > 4294967296LL;
        }
    }
    const long long value = negative ? -magnitude : magnitude;
    if (too_large || value > std::numeric_limits<int>::max() || value < std::numeric_limits<int>::min()) {
        return kReadOutOfRange;
    }
    target = static_cast<int>(value);
    return kReadOk;
}

// Checks the Fortran form of a real item. `lead` is the decimal exponent of
// its first significant digit (a value of 1.x has 0); `zero` tells a mantissa
// of zeros alone; `plain` tells an item std::from_chars takes as it stands
// (no "+" sign, an exponent letter "e" or "E" with at most six digits).
// With `normalized` given, the item is rewritten there in the form
// from_chars takes ("-12.5e-3").
constexpr std::size_t kPlainExponentDigits = 6;

bool scan_real(std::string_view item, long& lead, bool& zero, bool& plain, std::string* normalized) {
    const auto put = [normalized](char c) {
        if (normalized != nullptr) {
            *normalized += c;
        }
    };
    std::size_t i = 0;
    plain = true;
    if (normalized != nullptr) {
        normalized->clear();
    }
    if (i < item.size() && (item[i] == '+' || item[i] == '-')) {
        if (item[i] == '-') {
            put('-');
        } else {
            plain = false;
        }
        ++i;
    }
    long before = 0;         // significant digits before the point
    long zeros_after = 0;    // zeros after the point before the first significant digit
    bool seen_significant = false;
    int digits = 0;
    for (; i < item.size() && is_digit(item[i]); ++i, ++digits) {
        put(item[i]);
        if (item[i] != '0' || seen_significant) {
            seen_significant = true;
            ++before;
        }
    }
    if (i < item.size() && item[i] == '.') {
        put('.');
        for (++i; i < item.size() && is_digit(item[i]); ++i, ++digits) {
            put(item[i]);
            if (!seen_significant) {
                if (item[i] == '0') {
                    ++zeros_after;
                } else {
                    seen_significant = true;
                }
            }
        }
    }
    if (digits == 0) {
        return false;
    }
    long exponent = 0;
    if (i < item.size()) {
        const char c = item[i];
        const bool letter = c == 'E' || c == 'e' || c == 'D' || c == 'd' || c == 'Q' || c == 'q';
        if (!letter && c != '+' && c != '-') {
            return false;
        }
        plain = plain && (c == 'E' || c == 'e');
        if (letter) {
            ++i;
        }
        bool negative_exponent = false;
        if (i < item.size() && (item[i] == '+' || item[i] == '-')) {
            negative_exponent = item[i] == '-';
            ++i;
        }
        if (i == item.size()) {
            return false;
        }
        plain = plain && item.size() - i <= kPlainExponentDigits;
        for (; i < item.size(); ++i) {
            if (!is_digit(item[i])) {
                return false;
            }
            if (exponent < 1000000) {
                exponent = exponent * 10 + (item[i] - '0');
            }
        }
        if (negative_exponent) {
            exponent = -exponent;
        }
        if (normalized != nullptr) {
            *normalized += 'e';
            *normalized += std::to_string(exponent);
        }
    }
    zero = !seen_significant;
    lead = (before > 0 ? before - 1 : -zeros_after - 1) + exponent;
    return true;
}

// Reals that read exactly without std::from_chars: an optional "-", digits
// and an optional point with digits, no exponent, whose digits make a whole
// number M small enough to be exact in the target, with k decimals where
// 10^k is exact too. The value is then M / 10^k, and the division, correctly
// rounded, gives the same value as from_chars' correctly rounded reading of
// the text. A mantissa of zeros alone is left to the general reading (its sign).
template <class Real>
struct ExactDecimal;
template <>
struct ExactDecimal<float> {
    static constexpr long long kLargestMantissa = 1LL << 24;
    static constexpr int kLargestDecimals = 10;
};
template <>
struct ExactDecimal<double> {
    static constexpr long long kLargestMantissa = 1LL << 53;
    static constexpr int kLargestDecimals = 22;
};

// 10^k, k = 0..22: exact in double, and for k <= 10 in float too.
template <class Real>
constexpr std::array<Real, 23> kExactTens = [] {
    std::array<Real, 23> tens{};
    Real power = 1;
    for (Real& ten : tens) {
        ten = power;
        power *= 10;
    }
    return tens;
}();

// The digits from `p` on, into `mantissa`; returns where they end.
const char* take_digits(const char* p, const char* end, unsigned long long& mantissa) {
    for (; p != end; ++p) {
        const unsigned digit = static_cast<unsigned char>(*p) - unsigned{'0'};
        if (digit > 9) {
            break;
        }
        mantissa = mantissa * 10 + digit;
    }
    return p;
}

// The digits of a mantissa that count towards its size: those from the first
// one that is not zero on.
std::size_t significant_digits(std::string_view mantissa) {
    std::size_t count = 0;
    bool seen = false;
    for (const char c : mantissa) {
        seen = seen || (c >= '1' && c <= '9');
        count += seen && c != '.' ? 1 : 0;
    }
    return count;
}

template <class Real>
bool exact_decimal(std::string_view item, Real& value) {
    using Limits = ExactDecimal<Real>;
    const char* p = item.data();
    const char* const end = p + item.size();
    const bool negative = p != end && *p == '-';
    if (negative) {
        ++p;
    }
    const char* const first = p;
    unsigned long long mantissa = 0;
    p = take_digits(p, end, mantissa);
    std::size_t digits = static_cast<std::size_t>(p - first);
    std::size_t decimals = 0;
    if (p != end && *p == '.') {
        const char* const fraction = p + 1;
        p = take_digits(fraction, end, mantissa);
        decimals = static_cast<std::size_t>(p - fraction);
        digits += decimals;
    }
    // Past 18 significant digits the mantissa may have wrapped; it is too
    // large to be exact anyway.
    constexpr std::size_t kMostSignificant = 18;
    if (p != end || digits == 0 || mantissa == 0 ||
        mantissa > static_cast<unsigned long long>(Limits::kLargestMantissa) ||
        decimals > static_cast<std::size_t>(Limits::kLargestDecimals) ||
        (digits > kMostSignificant &&
         significant_digits(std::string_view(first, static_cast<std::size_t>(end - first))) > kMostSignificant)) {
        return false;
    }
    Real result = static_cast<Real>(mantissa);
    if (decimals > 0) {
        result /= kExactTens<Real>[decimals];
    }
    value = negative ? -result : result;
    return true;
}

template <class Real>
int read_real(std::string_view item, Real& target) {
    if (Real exact{}; exact_decimal(item, exact)) {
        target = exact;
        return kReadOk;
    }
    long lead = 0;
    bool zero = false;
    bool plain = false;
    if (!scan_real(item, lead, zero, plain, nullptr)) {
        return kReadBadItem;
    }
    // Most items go to from_chars as they stand; the others are rewritten.
    std::string normalized;
    std::string_view text = item;
    if (!plain) {
        scan_real(item, lead, zero, plain, &normalized);
        text = normalized;
    }
    const bool negative = !text.empty() && text[0] == '-';
    if (zero) {
        target = negative ? -Real(0) : Real(0);
        return kReadOk;
    }
    Real value{};
    const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
    if (error == std::errc::result_out_of_range) {
        if (lead >= 0) {
            return kReadOutOfRange;
        }
        value = negative ? -Real(0) : Real(0);
    } else if (error != std::errc() || end != text.data() + text.size()) {
        return kReadBadItem;
    }
    target = value;
    return kReadOk;
}

int store(std::string_view item, const ListTarget& target) {
    if (const auto* real = std::get_if<float*>(&target)) {
        return read_real(item, **real);
    }
    if (const auto* integer = std::get_if<int*>(&target)) {
        return read_integer(item, **integer);
    }
    return read_real(item, *std::get<double*>(target));
}

// The text without the blanks (list_read's: tabs, CR and LF too) around it.
inline std::string_view without_blanks(std::string_view text) {
    std::size_t first = 0;
    while (first < text.size() && is_blank_char(text[first])) {
        ++first;
    }
    std::size_t end = text.size();
    while (end > first && is_blank_char(text[end - 1])) {
        --end;
    }
    return text.substr(first, end - first);
}

}  // namespace

bool read_exact_decimal(std::string_view text, float& value) { return exact_decimal(without_blanks(text), value); }

bool read_plain_integer(std::string_view given, int& value) {
    const std::string_view text = without_blanks(given);
    const std::size_t end = text.size();
    std::size_t i = 0;
    const bool negative = i < end && text[i] == '-';
    if (i < end && (text[i] == '-' || text[i] == '+')) {
        ++i;
    }
    // Nine digits at most: the value fits an int whatever they are.
    constexpr std::size_t kMostDigits = 9;
    if (i == end || end - i > kMostDigits) {
        return false;
    }
    int magnitude = 0;
    for (; i < end; ++i) {
        if (!is_digit(text[i])) {
            return false;
        }
        magnitude = magnitude * 10 + (text[i] - '0');
    }
    value = negative ? -magnitude : magnitude;
    return true;
}

int list_read_items(std::string_view text, std::span<const ListTarget> targets, std::size_t* stored) {
    std::size_t given = 0;
    if (stored == nullptr) {
        stored = &given;
    }
    *stored = 0;
    std::size_t pos = 0;
    const auto skip_blanks = [&] {
        while (pos < text.size() && is_blank_char(text[pos])) {
            ++pos;
        }
    };
    std::size_t k = 0;
    long repeat_left = 0;
    std::string_view repeated;
    while (k < targets.size()) {
        if (repeat_left > 0) {
            if (!repeated.empty()) {
                if (const int status = store(repeated, targets[k]); status != kReadOk) {
                    return status;
                }
                ++*stored;
            }
            ++k;
            --repeat_left;
            continue;
        }
        skip_blanks();
        if (pos >= text.size()) {
            return kReadEnd;
        }
        if (text[pos] == '/') {
            return kReadOk;
        }
        if (text[pos] == ',') {
            ++pos;
            ++k;
            continue;
        }
        const std::size_t start = pos;
        std::size_t star = std::string_view::npos;
        while (pos < text.size() && !is_separator(text[pos])) {
            if (text[pos] == '*' && star == std::string_view::npos) {
                star = pos - start;
            }
            ++pos;
        }
        const std::string_view item = text.substr(start, pos - start);
        skip_blanks();
        if (pos < text.size() && text[pos] == ',') {
            ++pos;
        }
        if (star != std::string_view::npos) {
            long count = 0;
            for (std::size_t i = 0; i < star; ++i) {
                if (!is_digit(item[i])) {
                    return kReadBadItem;
                }
                count = std::min(count * 10 + (item[i] - '0'), 100000000L);
            }
            if (star == 0 || count == 0) {
                return kReadBadItem;
            }
            repeat_left = count;
            repeated = item.substr(star + 1);
            continue;
        }
        if (const int status = store(item, targets[k]); status != kReadOk) {
            return status;
        }
        ++*stored;
        ++k;
    }
    return kReadOk;
}

#include "foundation/number_text.h"

#include "foundation/fixed_text.h"
#include "foundation/fortran_format.h"
#include "foundation/list_read.h"

#include <algorithm>
#include <array>
#include <bit>
#include <charconv>
#include <climits>
#include <cmath>
#include <cstdint>

namespace {

void finish(std::string& buff, const std::string& text, int& lb) {
    buff = left_adjust(text);
    lb = static_cast<int>(buff.size());
}

// Drops the zeros that stand right before the exponent letter.
void drop_mantissa_zeros(std::string& text) {
    const std::size_t letter = text.find('E');
    if (letter == std::string::npos) {
        return;
    }
    std::size_t first_zero = letter;
    while (first_zero > 0 && text[first_zero - 1] == '0') {
        --first_zero;
    }
    text.erase(first_zero, letter - first_zero);
}

// The decimals d of a fixed format: the digits between its first "." and its
// first ")"; -1 when there are none to read.
int format_decimals(std::string_view fstr, std::size_t dot, std::size_t paren) {
    int d = -1;
    const char* first = fstr.data() + dot + 1;
    const char* last = fstr.data() + paren;
    const auto [end, error] = std::from_chars(first, last, d);
    if (error != std::errc() || end != last) {
        return -1;
    }
    return d;
}

// A format of exactly the form "(Fw.d)" (F in either case, at most six
// digits each): its w and d. Such a format is written by the field function
// itself.
bool plain_fixed_format(std::string_view fstr, int& w, int& d) {
    if (fstr == "(F16.6)") {  // the format of most numbers written
        w = 16;
        d = 6;
        return true;
    }
    constexpr std::size_t kMostDigits = 6;
    if (fstr.size() < 5 || fstr.front() != '(' || (fstr[1] != 'F' && fstr[1] != 'f') || fstr.back() != ')') {
        return false;
    }
    std::size_t i = 2;
    const auto digits = [&fstr, &i](int& value) {
        const std::size_t first = i;
        value = 0;
        while (i < fstr.size() && fstr[i] >= '0' && fstr[i] <= '9' && i - first < kMostDigits) {
            value = value * 10 + (fstr[i] - '0');
            ++i;
        }
        return i > first;
    };
    if (!digits(w) || fstr[i] != '.') {
        return false;
    }
    ++i;
    return digits(d) && i == fstr.size() - 1;
}

// int(log10(magnitude)) for a magnitude above 1, as std::log10 gives it. Away
// from the powers of ten the answer is the number of powers below the value,
// whatever the last bit of the logarithm; near one of them log10 itself is asked.
int decimal_exponent(float magnitude) {
    static constexpr std::array<float, 39> kPowers = {
        1e0f,  1e1f,  1e2f,  1e3f,  1e4f,  1e5f,  1e6f,  1e7f,  1e8f,  1e9f,  1e10f, 1e11f, 1e12f,
        1e13f, 1e14f, 1e15f, 1e16f, 1e17f, 1e18f, 1e19f, 1e20f, 1e21f, 1e22f, 1e23f, 1e24f, 1e25f,
        1e26f, 1e27f, 1e28f, 1e29f, 1e30f, 1e31f, 1e32f, 1e33f, 1e34f, 1e35f, 1e36f, 1e37f, 1e38f};
    constexpr float kNear = 1.0e-4f;
    // The number of powers below the value, from its binary exponent e
    // (2^e <= magnitude < 2^(e+1)): floor(e log10(2)) = (e x 1233) / 4096 for
    // the exponents of float, or one more.
    constexpr int kExponentBias = 127;
    constexpr int kFractionBits = 23;
    const int binary = static_cast<int>(std::bit_cast<std::uint32_t>(magnitude) >> kFractionBits) - kExponentBias;
    std::size_t k = static_cast<std::size_t>((binary * 1233) >> 12);
    if (k + 1 < kPowers.size() && magnitude >= kPowers[k + 1]) {
        ++k;
    }
    const bool near_below = magnitude < kPowers[k] * (1.0f + kNear);
    const bool near_above = k + 1 < kPowers.size() && magnitude > kPowers[k + 1] * (1.0f - kNear);
    if (near_below || near_above) {
        return static_cast<int>(std::log10(magnitude));
    }
    return static_cast<int>(k);
}

// The decimals f2b shows of a value in a fixed format of d decimals: at
// most max(0, 8 - int(log10|x|)) above 1 in magnitude.
int shown_decimals(float rr4, int d) {
    if (std::isfinite(rr4) && std::fabs(rr4) > 1.0f) {
        const int ie = decimal_exponent(std::fabs(rr4));
        return std::min(d, std::max(0, 8 - ie));
    }
    return d;
}

// Below this magnitude, with at most kDirectDecimals decimals, a float's
// fixed form is built straight from its digits (append_trimmed_fixed).
constexpr float kDirectBelow = 1.0e9f;
constexpr int kDirectDecimals = 9;
constexpr std::array<unsigned long long, kDirectDecimals + 1> kDirectTens = {
    1ULL, 10ULL, 100ULL, 1000ULL, 10000ULL, 100000ULL, 1000000ULL, 10000000ULL, 100000000ULL, 1000000000ULL};

// Appends the trimmed text of Fw.d (trimmed_fixed of the field), built from
// the digits of the value: |rr4| x 10^d is exact in double (24 bits of the
// float and at most 21 of 5^d), so rounding it to a whole number, ties to
// even, rounds as printf and the field function do. False, with nothing
// appended, for a value this does not cover (not below kDirectBelow, more than
// kDirectDecimals decimals, or a field too narrow for its digits), which the
// field function then writes.
bool append_trimmed_fixed(std::string& out, float rr4, int w, int d) {
    if (!std::isfinite(rr4) || std::fabs(rr4) >= kDirectBelow || d < 0 || d > kDirectDecimals) {
        return false;
    }
    const unsigned long long tens = kDirectTens[static_cast<std::size_t>(d)];
    const auto whole =
        static_cast<unsigned long long>(std::nearbyint(std::fabs(static_cast<double>(rr4)) * static_cast<double>(tens)));
    const unsigned long long integer = whole / tens;
    unsigned long long fraction = whole % tens;
    // The field as the field function writes it: the sign of a value not
    // shown as zero, the integer digits, the point and d decimals.
    const bool negative = std::signbit(rr4) && whole != 0;
    std::array<char, 32> text;
    char* p = text.data();
    if (negative) {
        *p++ = '-';
    }
    p = std::to_chars(p, text.data() + text.size(), integer).ptr;
    if (w > 0 && (p - text.data()) + 1 + d > w) {
        return false;
    }
    // Its trailing zeros after the point and a bare final point dropped.
    int decimals = fraction == 0 ? 0 : d;
    while (decimals > 0 && fraction % 10 == 0) {
        fraction /= 10;
        --decimals;
    }
    if (decimals > 0) {
        *p++ = '.';
        for (char* digit = p + decimals - 1; digit >= p; --digit) {
            *digit = static_cast<char>('0' + fraction % 10);
            fraction /= 10;
        }
        p += decimals;
    }
    out.append(text.data(), static_cast<std::size_t>(p - text.data()));
    return true;
}

// Drops the trailing blanks, then the trailing zeros after a point and a
// bare final point, of a fixed-form number; then its leading blanks.
std::string_view trimmed_fixed(std::string_view text) {
    if (text.find('.') != std::string_view::npos) {
        text = text.substr(0, trimmed_length(text));
        while (!text.empty() && text.back() == '0') {
            text.remove_suffix(1);
        }
        if (!text.empty() && text.back() == '.') {
            text.remove_suffix(1);
        }
    }
    const std::size_t first = text.find_first_not_of(' ');
    return first == std::string_view::npos ? std::string_view() : text.substr(first, trimmed_length(text) - first);
}

}  // namespace

int trunc_to_int(double x) {
    if (std::isnan(x)) {
        return 0;
    }
    if (x >= static_cast<double>(INT_MAX)) {
        return INT_MAX;
    }
    if (x <= static_cast<double>(INT_MIN)) {
        return INT_MIN;
    }
    return static_cast<int>(x);
}

int nearest_int(double x) { return trunc_to_int(std::round(x)); }

void i2b(int value, std::string& buff, int& lb, std::size_t capacity) {
    const int width = static_cast<int>(std::min(capacity, kI2bMaxWidth));
    if (width == 0) {
        buff.clear();
        lb = 0;
        return;
    }
    finish(buff, fmt_i(value, width), lb);
}

std::string i2b(int value) {
    std::string text;
    int lb = 0;
    i2b(value, text, lb);
    return text;
}

void append_f2b(std::string& out, float rr4, std::string_view fstr) {
    const double value = rr4;
    int w = 0;
    int d = 0;
    if (plain_fixed_format(fstr, w, d)) {
        const int shown = shown_decimals(rr4, d);
        if (append_trimmed_fixed(out, rr4, w, shown)) {
            return;
        }
        thread_local std::string field;
        field.clear();
        append_fmt_f(field, value, w, shown);
        out.append(trimmed_fixed(field));
        return;
    }
    std::string text = fortran_write(fstr, {value});
    if (fstr.find('E') != std::string_view::npos) {
        if (text.find('.') != std::string::npos) {
            drop_mantissa_zeros(text);
            if (left_adjust(text) == "0.E+00") {
                text = "0";
            }
        }
        out.append(left_adjust(text));
        return;
    }
    const std::size_t dot = fstr.find('.');
    const std::size_t paren = fstr.find(')');
    if (dot != std::string_view::npos && paren != std::string_view::npos && dot < paren) {
        const int decimals = format_decimals(fstr, dot, paren);
        const int shown = shown_decimals(rr4, decimals);
        if (shown < decimals) {
            const std::string capped =
                std::string(fstr.substr(0, dot + 1)) + i2b(shown) + std::string(fstr.substr(paren));
            text = fortran_write(capped, {value});
        }
    }
    out.append(trimmed_fixed(text));
}

void f2b(float rr4, std::string& buff, std::string_view fstr, int& lb) {
    buff.clear();
    append_f2b(buff, rr4, fstr);
    lb = static_cast<int>(buff.size());
}

std::string f2b(float rr4, std::string_view fstr) {
    std::string text;
    int lb = 0;
    f2b(rr4, text, fstr, lb);
    return text;
}

void t2b(float rr4, std::string& buff, int& lb) {
    const int hours = trunc_to_int(rr4);
    const float t = (rr4 - static_cast<float>(hours)) * 3600.0f;
    const int minutes = trunc_to_int(t / 60.0f);
    const int seconds = trunc_to_int(std::fmod(t, 60.0f));
    finish(buff, fortran_write("(I2.2,':',I2.2,':',I2.2)", {hours, minutes, seconds}), lb);
}

void l2b(bool value, std::string& buff, int& lb) {
    buff = value ? "1" : "0";
    lb = 1;
}

int log2int(bool value) { return value ? 1 : 0; }

bool is_true(std::string_view cc) {
    return !cc.empty() && (cc[0] == '1' || cc[0] == 'Y' || cc[0] == 'y');
}

bool is_num(std::string_view str) {
    const std::size_t length = trimmed_length(str);
    if (length == 0) {
        return false;
    }
    return std::all_of(str.begin(), str.begin() + static_cast<std::ptrdiff_t>(length), [](char c) {
        return (c >= '0' && c <= '9') || c == '-' || c == '+' || c == '.' || c == 'E' || c == 'e';
    });
}

bool is_uint(std::string_view str) {
    const std::size_t length = trimmed_length(str);
    if (length == 0) {
        return false;
    }
    return std::all_of(str.begin(), str.begin() + static_cast<std::ptrdiff_t>(length),
                       [](char c) { return c >= '0' && c <= '9'; });
}

void str2int(std::string_view buff, int& val, int& ios) {
    if (is_blank(buff)) {
        ios = 0;
        return;
    }
    int value = val;
    ios = list_read(buff, value);
    if (ios == kReadOk) {
        val = value;
    }
}

void str2flt(std::string_view buff, float& val, int& ios) {
    if (is_blank(buff)) {
        ios = 0;
        return;
    }
    float value = val;
    ios = list_read(buff, value);
    if (ios == kReadOk) {
        val = value;
    }
}

void int2str(int val, std::string& buff, int& ios, std::size_t capacity) {
    const std::string text = fmt_i(val, 0);
    if (text.size() > capacity) {
        ios = kReadOutOfRange;
        return;
    }
    buff = text;
    ios = 0;
}

void numver_to_char(int numver, std::string& cc1, int& length) {
    const int thousands = numver / 1000;
    const int hundreds = (numver % 1000) / 100;
    const int tens = (numver % 100) / 10;
    const int units = numver % 10;
    finish(cc1, fortran_write("(I2,'.',I1,'.',I1,'.',I1)", {thousands, hundreds, tens, units}), length);
}

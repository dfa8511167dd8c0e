#include "foundation/number_text.h"

#include "foundation/fixed_text.h"
#include "foundation/fortran_format.h"
#include "foundation/list_read.h"

#include <algorithm>
#include <charconv>
#include <climits>
#include <cmath>

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

void f2b(float rr4, std::string& buff, std::string_view fstr, int& lb) {
    const double value = rr4;
    std::string text = fortran_write(fstr, {value});
    if (fstr.find('E') != std::string_view::npos) {
        if (text.find('.') != std::string::npos) {
            drop_mantissa_zeros(text);
            if (left_adjust(text) == "0.E+00") {
                text = "0";
            }
        }
        finish(buff, text, lb);
        return;
    }
    if (std::isfinite(rr4) && std::fabs(rr4) > 1.0f) {
        const int ie = static_cast<int>(std::log10(std::fabs(rr4)));
        const int allowed = std::max(0, 8 - ie);
        const std::size_t dot = fstr.find('.');
        const std::size_t paren = fstr.find(')');
        if (dot != std::string_view::npos && paren != std::string_view::npos && dot < paren) {
            const int d = format_decimals(fstr, dot, paren);
            if (d > allowed) {
                const std::string capped =
                    std::string(fstr.substr(0, dot + 1)) + i2b(allowed) + std::string(fstr.substr(paren));
                text = fortran_write(capped, {value});
            }
        }
    }
    if (text.find('.') != std::string::npos) {
        text = trim_right(text);
        while (!text.empty() && text.back() == '0') {
            text.pop_back();
        }
        if (!text.empty() && text.back() == '.') {
            text.pop_back();
        }
    }
    finish(buff, text, lb);
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

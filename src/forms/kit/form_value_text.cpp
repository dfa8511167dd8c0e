#include "forms/kit/form_value_text.h"

#include "foundation/number_text.h"

#include <cmath>

namespace {

constexpr std::size_t kColourDigits = 6;

int hex_digit(char c) {
    if (c >= '0' && c <= '9') {
        return c - '0';
    }
    if (c >= 'A' && c <= 'F') {
        return c - 'A' + 10;
    }
    if (c >= 'a' && c <= 'f') {
        return c - 'a' + 10;
    }
    return -1;
}

}  // namespace

std::string real_box_text(float v) {
    const float magnitude = std::fabs(v);
    const bool fixed = magnitude >= 0.001F && magnitude <= 1.0e6F;
    return f2b(v, fixed ? "(F16.6)" : "(1PE16.9)");
}

bool read_colour_text(std::string_view text, int& colour) {
    if (text.size() < 1 + kColourDigits || text.front() != '#') {
        return false;
    }
    int value = 0;
    for (std::size_t i = 1; i <= kColourDigits; ++i) {
        const int digit = hex_digit(text[i]);
        if (digit < 0) {
            return false;
        }
        value = value * 16 + digit;
    }
    colour = value;
    return true;
}

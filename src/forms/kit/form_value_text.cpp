#include "forms/kit/form_value_text.h"

#include "foundation/number_text.h"
#include "platform/dialog_support.h"

#include <algorithm>
#include <cmath>
#include <optional>

namespace {

// "#" and the six hexadecimal digits of a colour.
constexpr std::size_t kColourTextLength = 7;

}  // namespace

std::string real_box_text(float v) {
    const float magnitude = std::fabs(v);
    const bool fixed = magnitude >= 0.001F && magnitude <= 1.0e6F;
    return f2b(v, fixed ? "(F16.6)" : "(1PE16.9)");
}

bool read_colour_text(std::string_view text, int& colour) {
    const std::optional<Rgb> rgb = Hex2RGB(text.substr(0, std::min(text.size(), kColourTextLength)));
    if (!rgb) {
        return false;
    }
    colour = (*rgb)[0] * 65536 + (*rgb)[1] * 256 + (*rgb)[2];
    return true;
}

#include "forms/kit/value_checks.h"

#include "forms/kit/form_model.h"
#include "forms/kit/form_value_text.h"
#include "foundation/fixed_text.h"
#include "foundation/number_text.h"
#include "foundation/path_length.h"
#include "foundation/read_one_number.h"
#include "platform/console.h"
#include "platform/files.h"

#include <algorithm>
#include <climits>
#include <cmath>
#include <utility>

namespace {

// Messages stay below the 256 bytes the engine keeps for them.
constexpr std::size_t kMessageLength = 255;

// Keys of KEY boxes: codes 5001..9999 of the key part are negative keys under
// modifiers; keys beyond this magnitude are no keys at all.
constexpr int kKeyModulus = 10000;
constexpr int kNegativeKeyStart = 5001;
constexpr int kLargestKey = 382;
constexpr int kLargestCharacterKey = 255;
constexpr int kExtendedKeyShift = 128;

// Bounds beyond these magnitudes are absent in a message.
constexpr float kAbsentBound = 1.0e25F;

// Values of an integer box below this magnitude step by 1.
constexpr int kUnitStepLimit = 30;

AppValueCheck app_check;

// The model's table index of engine box n, 0 when there is none.
int model_box(int n) { return n >= 0 && n < kMaxInpt ? n + 1 : 0; }

int refuse(std::string& msg, std::string_view text) {
    msg = std::string(text);
    console_line(msg);
    return 0;
}

bool path_box(int type) { return type == kTypeIfp || type == kTypeOfp || type == kTypeFld; }

// The text of a number box without the blanks around it, when it holds
// nothing but the characters of one number (is_num): "12,5" or "1 000" is no
// number, never the first of a list of numbers.
bool number_text(std::string_view text, std::string& number) {
    number = left_adjust(text);
    return is_num(number);
}

// Checks the text of box b by its type; stores an accepted value in the
// model and normalises `text`. 1 accepted, 0 refused with msg.
int check_by_type(int b, int& ival, float& rval, std::string& text, std::string& msg) {
    if (path_box(frmi01.inpt_typ[b]) && !path_fits(text)) {
        return refuse(msg, path_too_long_text());
    }
    switch (frmi01.inpt_typ[b]) {
    case kTypeInt: {
        if (is_blank(text)) {
            return 1;
        }
        int value = 0;
        if (!read_box_int(text, value)) {
            return refuse(msg, "Integer value required");
        }
        frmi03.inpt_ival[b] = value;
        frmi03.inpt_rval[b] = static_cast<float>(value);
        frmi02.inpt_cval[b] = text;
        text = i2b(value);
        ival = value;
        return 1;
    }
    case kTypeFlt: {
        if (is_blank(text)) {
            return 1;
        }
        float value = 0.0F;
        if (!read_box_real(text, value)) {
            return refuse(msg, "Floating-point value required");
        }
        frmi03.inpt_rval[b] = value;
        frmi03.inpt_ival[b] = nearest_int(value);
        frmi02.inpt_cval[b] = text;
        text = real_box_text(value);
        rval = value;
        return 1;
    }
    case kTypeChr:
        frmi02.inpt_cval[b] = text;
        frmi03.inpt_ival[b] = 0;
        frmi03.inpt_rval[b] = 0.0F;
        return 1;
    case kTypeTck:
        if (ival != 0 && ival != 1) {
            return refuse(msg, "Value must be 0/1");
        }
        frmi03.inpt_ival[b] = ival;
        frmi02.inpt_cval[b] = ival == 1 ? "1" : "0";
        frmi03.inpt_rval[b] = static_cast<float>(ival);
        return 1;
    case kTypeKey: {
        int key = ival % kKeyModulus;
        if (key >= kNegativeKeyStart) {
            key -= kKeyModulus;
        }
        if (key < -kLargestKey || key > kLargestKey) {
            return 1;
        }
        if (key > kLargestCharacterKey) {
            ival -= kExtendedKeyShift;
        }
        frmi02.inpt_cval[b] = text;
        frmi03.inpt_ival[b] = ival;
        frmi03.inpt_rval[b] = rval;
        return 1;
    }
    case kTypeCol: {
        int colour = 0;
        if (!read_colour_text(text, colour)) {
            return refuse(msg, "Format: #RRGGBB");
        }
        frmi02.inpt_cval[b] = text;
        frmi03.inpt_ival[b] = colour;
        frmi03.inpt_rval[b] = static_cast<float>(colour);
        return 1;
    }
    case kTypeIfp:
        if (is_blank(text)) {
            return 1;
        }
        if (text.back() == '\\') {
            frmi02.inpt_cval[b].clear();
            return 1;
        }
        if (!file_exists(text)) {
            return refuse(msg, "File does not exist");
        }
        frmi02.inpt_cval[b] = text;
        return 1;
    case kTypeOfp:
    case kTypeFld:
        frmi02.inpt_cval[b] = text;
        return 1;
    case kTypeDdl:
        frmi03.inpt_ival[b] = ival < INT_MAX ? ival + 1 : ival;
        frmi03.inpt_rval[b] = static_cast<float>(frmi03.inpt_ival[b]);
        frmi02.inpt_cval[b] = text;
        return 1;
    default:
        return 1;
    }
}

// The bound as the message of a box of type `type` writes it.
std::string bound_text(int type, float bound) {
    return type == kTypeInt ? i2b(nearest_int(bound)) : f2b(bound, "(F16.6)");
}

// a + incr x step for an integer box, held within int.
int stepped_int(int a, int incr, int step) {
    const double sum = static_cast<double>(a) + static_cast<double>(incr) * static_cast<double>(step);
    return trunc_to_int(sum);
}

int increment_int(int b, int& ival, std::string& cval, int incr) {
    const int old_value = frmi03.inpt_ival[b];
    const int step = std::fabs(static_cast<double>(old_value)) < kUnitStepLimit
                         ? 1
                         : nearest_int(get_incr(static_cast<float>(old_value)));
    int value = 0;
    if (!read_one_int(cval, value)) {
        console_line("");
        return 0;
    }
    value = stepped_int(value, incr, step);
    value = std::max(value, nearest_int(frmi03.inpt_min[b]));
    value = std::min(value, nearest_int(frmi03.inpt_max[b]));
    frmi03.inpt_ival[b] = value;
    frmi03.inpt_rval[b] = static_cast<float>(value);
    cval = i2b(value);
    frmi02.inpt_cval[b] = cval;
    ival = value;
    return 1;
}

int increment_real(int b, float& rval, std::string& cval, int incr) {
    const float lower = frmi03.inpt_min[b];
    const float upper = frmi03.inpt_max[b];
    float step = get_incr(frmi03.inpt_rval[b]);
    if (std::fabs(frmi03.inpt_rval[b]) < 1.0e-10F) {
        const double half_range = (static_cast<double>(upper) - static_cast<double>(lower)) / 2.0;
        step = lower < upper ? get_incr(static_cast<float>(half_range)) : 1.0F;
    }
    float old_value = 0.0F;
    if (!read_one_real(cval, old_value)) {
        console_line("Floating-point value required");
        return 0;
    }
    double value = static_cast<double>(old_value) + static_cast<double>(incr) * static_cast<double>(step);
    if (!(value >= lower)) {
        value = lower;
    } else if (value > upper) {
        value = upper;
    }
    const float stored = static_cast<float>(value);
    frmi03.inpt_rval[b] = stored;
    frmi03.inpt_ival[b] = nearest_int(stored);
    cval = real_box_text(stored);
    frmi02.inpt_cval[b] = cval;
    rval = stored;
    return 1;
}

}  // namespace

int check_values(int n, int kact, int& ival, float& rval, std::string& cval, std::string& msg) {
    msg.clear();
    const int b = model_box(n);
    if (b == 0) {
        return 0;
    }
    std::string text = fit_field(cval, kValueLength);
    frmi01.inpt_act[b] = kact;
    if (kact == 0) {
        cval = std::move(text);
        return 1;
    }
    int status = check_by_type(b, ival, rval, text, msg);
    if (status == 1) {
        status = check_values_app(b, frmc01.inpt_txt[b], frmi03.inpt_ival[b], frmi03.inpt_rval[b],
                                  frmi02.inpt_cval[b], msg);
    }
    msg = fit_field(msg, kMessageLength);
    // A refused value stays as it was typed: only an accepted one is shown
    // as the box reads it.
    if (status == 1) {
        cval = std::move(text);
    }
    return status;
}

int check_minmax(int n, int& /*ival*/, float& /*rval*/, std::string& /*cval*/, std::string& msg) {
    msg.clear();
    const int b = model_box(n);
    if (b == 0) {
        return 0;
    }
    const int type = frmi01.inpt_typ[b];
    if (type != kTypeInt && type != kTypeFlt) {
        return 1;
    }
    const float lower = frmi03.inpt_min[b];
    const float upper = frmi03.inpt_max[b];
    if (check_minmax_0(frmi03.inpt_rval[b], lower, upper)) {
        return 1;
    }
    if (lower <= -kAbsentBound) {
        msg = "Value must be <= " + bound_text(type, upper);
    } else if (upper >= kAbsentBound) {
        msg = "Value must be >= " + bound_text(type, lower);
    } else {
        msg = "Value must be in [" + bound_text(type, lower) + "," + bound_text(type, upper) + "]";
    }
    console_line(msg);
    return 0;
}

bool check_minmax_0(float val, float vmin, float vmax) {
    return !(vmin < vmax) || (vmin <= val && val <= vmax);
}

int incrm_val(int n, int& ival, float& rval, std::string& cval, int incr) {
    const int b = model_box(n);
    if (b == 0) {
        return 0;
    }
    switch (frmi01.inpt_typ[b]) {
    case kTypeInt:
        return increment_int(b, ival, cval, incr);
    case kTypeFlt:
        return increment_real(b, rval, cval, incr);
    default:
        return 0;
    }
}

float get_incr(float v) {
    if (v == 0.0F) {
        return 1.0F;
    }
    const double b = std::log10(std::fabs(static_cast<double>(v)) / 25.0);
    const double p = std::floor(b);
    const double d = std::pow(10.0, b - p);
    double mantissa = 1.0;
    if (d > 7.071) {
        mantissa = 10.0;
    } else if (d > 3.1623) {
        mantissa = 5.0;
    } else if (d > 1.414) {
        mantissa = 2.0;
    }
    return static_cast<float>(mantissa * std::pow(10.0, p));
}

int get_key_num(std::string_view key, int& key_num) {
    const std::size_t underscore = key.find('_');
    const std::string_view number = underscore == std::string_view::npos ? key : key.substr(underscore + 1);
    int value = 0;
    if (!read_one_int(number, value)) {
        value = 0;
    }
    key_num = std::max(key_num, value);
    return value;
}

bool read_box_int(std::string_view text, int& value) {
    std::string number;
    return number_text(text, number) && read_one_int(number, value);
}

bool read_box_real(std::string_view text, float& value) {
    std::string number;
    return number_text(text, number) && read_one_real(number, value);
}

void set_check_values_app(AppValueCheck check) { app_check = std::move(check); }

int check_values_app(int n, const std::string& nam, int ival, float rval, const std::string& cval, std::string& msg) {
    return app_check ? app_check(n, nam, ival, rval, cval, msg) : 1;
}

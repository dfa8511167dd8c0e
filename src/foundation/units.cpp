#include "foundation/units.h"

#include "foundation/fixed_text.h"
#include "foundation/fortran_format.h"
#include "foundation/list_read.h"
#include "foundation/number_text.h"
#include "foundation/text_edit.h"
#include "platform/console.h"

#include <algorithm>
#include <array>
#include <charconv>
#include <cfloat>
#include <cmath>
#include <string>

namespace {

constexpr int kNoNumber = 1;

// Room for convert_length's trace up to its value: the fixed texts, the text
// looked at twice and five numbers of at most kIntRoom characters.
constexpr std::ptrdiff_t kIntRoom = 11;
constexpr std::size_t kLengthTraceRoom = 128 + 2 * kLengthTextLength;

// 1-based position of `unit` in `text`, 0 when absent.
int position(std::string_view text, std::string_view unit) {
    const std::size_t at = text.find(unit);
    return at == std::string_view::npos ? 0 : static_cast<int>(at) + 1;
}

// The text in lower case, where the units typed on the command line are
// looked for ("1500FT" is 1500 ft).
std::string units_in_lower_case(std::string_view text) {
    std::string lower(text);
    minusc(lower);
    return lower;
}

// The product in float, or kReadOutOfRange when it leaves the range of float.
int scale(float value, float factor, float& result) {
    const double exact = static_cast<double>(value) * static_cast<double>(factor);
    if (std::fabs(exact) > static_cast<double>(FLT_MAX)) {
        return kReadOutOfRange;
    }
    result = value * factor;
    return kReadOk;
}

// Reads the text before the 1-based position `unit_at` (the whole text for 0)
// and applies the factor; `xx` changes only on success.
int read_scaled(std::string_view text, int unit_at, float factor, float& xx) {
    const std::string_view number = unit_at > 0 ? text.substr(0, static_cast<std::size_t>(unit_at - 1)) : text;
    float value = 0.0f;
    int status = list_read(number, value);
    if (status == kReadOk) {
        status = scale(value, factor, value);
    }
    if (status == kReadOk) {
        xx = value;
    }
    return status;
}

// The 1-based positions of the first "m", "ft", "nm" and "ml" of a SeeYou
// length (0 for a unit absent), found in one pass over the text.
struct LengthUnits {
    int m = 0;
    int ft = 0;
    int nm = 0;
    int ml = 0;
};

LengthUnits length_units(std::string_view text) {
    LengthUnits at;
    const std::size_t size = text.size();
    for (std::size_t i = 0; i < size; ++i) {
        const char c = text[i];
        if (c < 'f' || (c != 'm' && c != 'f' && c != 'n')) {  // one comparison passes digits and points
            continue;
        }
        const char next = i + 1 < size ? text[i + 1] : ' ';
        const int here = static_cast<int>(i) + 1;
        if (c == 'm') {
            at.m = at.m == 0 ? here : at.m;
            at.ml = at.ml == 0 && next == 'l' ? here : at.ml;
        } else if (c == 'f') {
            at.ft = at.ft == 0 && next == 't' ? here : at.ft;
        } else {
            at.nm = at.nm == 0 && next == 'm' ? here : at.nm;
        }
    }
    return at;
}

int no_number(float& xx) {
    xx = kNoNumberValue;
    return kNoNumber;
}

}  // namespace

int convert_length(std::string_view bb, float& xxx) {
    // The text looked at: its first kLengthTextLength characters without
    // trailing blanks (fit_field), as a view.
    std::string_view work = bb.substr(0, std::min(bb.size(), kLengthTextLength));
    work = work.substr(0, trimmed_length(work));
    // Both trace lines go to the console in one write: the text, then the
    // units found, the number read, the status and the value. All but the
    // value are put together in a buffer on the stack (the texts are at most
    // kLengthTextLength characters, the numbers a few digits): a landscape's
    // waypoint file calls this up to three times per line.
    std::array<char, kLengthTraceRoom> line;
    char* at = line.data();
    const auto put = [&at](std::string_view text) { at = std::copy(text.begin(), text.end(), at); };
    const auto put_int = [&at](int value) { at = std::to_chars(at, at + kIntRoom, value).ptr; };
    put("convert_length: [");
    put(work);
    put("]\nconvert_length: m ");
    const auto [m, ft, nm, ml] = length_units(work);
    const int cut = nm > 0 ? nm : ml > 0 ? ml : m > 0 ? m : ft;
    if (cut > 0) {
        work = work.substr(0, static_cast<std::size_t>(cut - 1));
    }
    float factor = 1.0f;
    if (ft > 0) {
        factor = kFootInMetres;
    } else if (nm > 0) {
        factor = kNauticalMileInMetres;
    } else if (ml > 0) {
        factor = kStatuteMileInMetres;
    }
    const int status = read_scaled(work, 0, factor, xxx);
    put_int(m);
    put(" ft ");
    put_int(ft);
    put(" nm ");
    put_int(nm);
    put(" ml ");
    put_int(ml);
    put(" [");
    put(work);
    put("] status ");
    put_int(status);
    put(" value ");
    // The text is kept from call to call, and with it its room.
    thread_local std::string trace;
    trace.clear();
    trace.append(line.data(), static_cast<std::size_t>(at - line.data()));
    append_f2b(trace, xxx, "(F16.6)");
    console_line(trace);
    return status;
}

int convert_zone_length(std::string_view bb, float& xxx) {
    std::string_view work = bb.substr(0, std::min(bb.size(), kLengthTextLength));
    work = work.substr(0, trimmed_length(work));
    const int km = position(work, "km");
    return km > 0 ? read_scaled(work, km, kKilometreInMetres, xxx) : convert_length(bb, xxx);
}

int decode_alt(std::string_view val, int nunitalt, float& xx) {
    const std::string lower = units_in_lower_case(val);
    const int m = position(lower, "m");
    const int f = position(lower, "ft");
    if (m > 1) {
        return read_scaled(val, m, 1.0f, xx);
    }
    if (f > 1) {
        return read_scaled(val, f, kFootInMetres, xx);
    }
    if (m == 1 || f == 1) {
        return no_number(xx);
    }
    return read_scaled(val, 0, nunitalt > 0 ? kFootInMetres : 1.0f, xx);
}

int decode_dist(std::string_view val, int nunitdis, float& xx) {
    const int km = position(val, "km");
    const int nm = position(val, "nm");
    const int m = position(val, "m");
    if (km > 1) {
        return read_scaled(val, km, kKilometreInMetres, xx);
    }
    if (nm > 1) {
        return read_scaled(val, nm, kNauticalMileInMetres, xx);
    }
    if (km == 0 && nm == 0 && m > 1) {
        return read_scaled(val, m, 1.0f, xx);
    }
    if (km == 1 || nm == 1 || m == 1) {
        return no_number(xx);
    }
    return read_scaled(val, 0, nunitdis > 0 ? kNauticalMileInMetres : 1.0f, xx);
}

int decode_speed(std::string_view val, int nunitv, float& xx) {
    const std::string lower = units_in_lower_case(val);
    const int t = position(lower, "kt");
    const int k = std::max({position(lower, "kph"), position(lower, "kmh"), position(lower, "km/h")});
    int status = kReadOk;
    if (k > 1) {
        status = read_scaled(val, k, 1.0f, xx);
    } else if (t > 1) {
        status = read_scaled(val, t, kKnotInKmh, xx);
    } else if (t == 1 || k == 1) {
        status = no_number(xx);
    } else {
        status = read_scaled(val, 0, nunitv > 0 ? kKnotInKmh : 1.0f, xx);
    }
    console_line("decode_speed: [" + trim_right(val) + "] status " + std::to_string(status) + " value " +
                 f2b(xx, "(F16.6)"));
    return status;
}

void convert_and_round(float& rv, float fact) {
    const bool round_it = std::fabs(rv) < 10000.0f;
    float product = 0.0f;
    if (scale(rv, fact, product) != kReadOk) {
        const bool negative = std::signbit(rv) != std::signbit(fact);
        rv = negative ? -FLT_MAX : FLT_MAX;
        return;
    }
    rv = round_it ? std::round(product) : product;
}

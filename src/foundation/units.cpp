#include "foundation/units.h"

#include "foundation/fixed_text.h"
#include "foundation/fortran_format.h"
#include "foundation/list_read.h"
#include "foundation/number_text.h"
#include "platform/console.h"

#include <algorithm>
#include <cfloat>
#include <cmath>
#include <string>

namespace {

constexpr int kNoNumber = 1;

// 1-based position of `unit` in `text`, 0 when absent.
int position(std::string_view text, std::string_view unit) {
    const std::size_t at = text.find(unit);
    return at == std::string_view::npos ? 0 : static_cast<int>(at) + 1;
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
    int status = read_exact_decimal(number, value) ? kReadOk : list_read(number, value);
    if (status == kReadOk) {
        status = scale(value, factor, value);
    }
    if (status == kReadOk) {
        xx = value;
    }
    return status;
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
    // The trace lines are built in one text kept from call to call: a
    // landscape's waypoint file calls this up to three times per line.
    thread_local std::string trace;
    trace.assign("convert_length: [");
    trace.append(work);
    trace.push_back(']');
    console_line(trace);
    const int m = position(work, "m");
    const int ft = position(work, "ft");
    const int nm = position(work, "nm");
    const int ml = position(work, "ml");
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
    trace.assign("convert_length: m ");
    append_fmt_i(trace, m, 0);
    trace.append(" ft ");
    append_fmt_i(trace, ft, 0);
    trace.append(" nm ");
    append_fmt_i(trace, nm, 0);
    trace.append(" ml ");
    append_fmt_i(trace, ml, 0);
    trace.append(" [");
    trace.append(work);
    trace.append("] status ");
    append_fmt_i(trace, status, 0);
    trace.append(" value ");
    append_f2b(trace, xxx, "(F16.6)");
    console_line(trace);
    return status;
}

int decode_alt(std::string_view val, int nunitalt, float& xx) {
    const int m = position(val, "m");
    const int f = position(val, "ft");
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
    const int t = position(val, "kt");
    const int k = std::max({position(val, "kph"), position(val, "kmh"), position(val, "km/h")});
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

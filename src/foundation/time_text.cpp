#include "foundation/time_text.h"

#include "foundation/fixed_text.h"
#include "foundation/fortran_format.h"
#include "foundation/list_read.h"
#include "foundation/number_text.h"
#include "platform/console.h"

#include <algorithm>
#include <climits>
#include <cmath>

namespace {

constexpr int kUnreadable = -999;

std::string hms_text(float secs, bool hundredths_allowed) {
    const int whole = trunc_to_int(secs);
    const int hours = whole / 3600;
    const int minutes = (whole % 3600) / 60;
    const int seconds = whole % 60;
    const int hundredths = trunc_to_int(100.0f * (secs - std::trunc(secs)));
    if (hundredths_allowed && hundredths >= 1) {
        return fortran_write("(I2,':',I2.2,':',I2.2,'.',I2.2)", {hours, minutes, seconds, hundredths});
    }
    return fortran_write("(I2,':',I2.2,':',I2.2)", {hours, minutes, seconds});
}

}  // namespace

void to_hms(float secs, std::string& ccc, std::size_t capacity) {
    ccc = fit_field(hms_text(secs, capacity >= kHmsHundredthsWidth), capacity);
}

void to_hms_c(float secs, std::span<char> ccc) {
    console_line("to_hms_c: " + f2b(secs, "(F16.6)") + " s");
    if (ccc.empty()) {
        return;
    }
    const std::string text = hms_text(secs, false);
    const std::size_t n = std::min(text.size(), ccc.size() - 1);
    std::copy_n(text.begin(), n, ccc.begin());
    ccc[n] = '\0';
}

int hms2sec(std::string_view cc1) {
    const std::string_view text = cc1.substr(0, std::min(cc1.size(), kHmsTextLength));
    const std::size_t first = text.find(':');
    if (first == std::string_view::npos) {
        return kUnreadable;
    }
    const std::size_t second = text.find(':', first + 1);
    if (second == std::string_view::npos) {
        return kUnreadable;
    }
    int hours = 0;
    int minutes = 0;
    int seconds = 0;
    if (list_read(text.substr(0, first), hours) != kReadOk ||
        list_read(text.substr(first + 1, second - first - 1), minutes) != kReadOk ||
        list_read(text.substr(second + 1), seconds) != kReadOk) {
        return kUnreadable;
    }
    const long long total = 3600LL * hours + 60LL * minutes + seconds;
    if (total > INT_MAX || total < INT_MIN) {
        return kUnreadable;
    }
    return static_cast<int>(total);
}

std::string clock_text(int seconds) {
    const int whole = std::max(seconds, 0);
    const auto two_digits = [](int part) { return (part < 10 ? "0" : "") + i2b(part); };
    return two_digits(whole / 3600) + ":" + two_digits((whole % 3600) / 60) + ":" + two_digits(whole % 60);
}

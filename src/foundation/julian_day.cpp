#include "foundation/julian_day.h"

#include <climits>
#include <cstdint>

namespace {

// Results are held within int; the arithmetic runs in 64 bits so that no
// intermediate product overflows for any int argument.
int to_int(std::int64_t value) {
    if (value > INT_MAX) {
        return INT_MAX;
    }
    if (value < INT_MIN) {
        return INT_MIN;
    }
    return static_cast<int>(value);
}

}  // namespace

int jd(int year, int month, int day) {
    const std::int64_t y = year;
    const std::int64_t m = month;
    const std::int64_t c = (m - 14) / 12;
    return to_int(1461 * (y + 4800 + c) / 4 + 367 * (m - 2 - 12 * c) / 12 - 3 * ((y + 4900 + c) / 100) / 4 + day -
                  32075);
}

void gdate(int jd, int& year, int& month, int& day) {
    std::int64_t l = static_cast<std::int64_t>(jd) + 68569;
    const std::int64_t n = 4 * l / 146097;
    l = l - (146097 * n + 3) / 4;
    const std::int64_t i = 4000 * (l + 1) / 1461001;
    l = l - 1461 * i / 4 + 31;
    const std::int64_t j = 80 * l / 2447;
    day = to_int(l - 2447 * j / 80);
    l = j / 11;
    month = to_int(j + 2 - 12 * l);
    year = to_int(100 * (n - 49) + i + l);
}

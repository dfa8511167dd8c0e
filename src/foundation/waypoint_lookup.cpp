#include "foundation/waypoint_lookup.h"

#include "foundation/fixed_text.h"

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <vector>

namespace {

// The last entry number usable with arrays of these sizes (element 0 unused).
int last_entry(int count, std::size_t smallest_size) {
    if (count <= 0 || smallest_size < 2) {
        return 0;
    }
    return static_cast<int>(std::min<std::size_t>(static_cast<std::size_t>(count), smallest_size - 1));
}

}  // namespace

int rech(std::string_view name, int altitude, int count, const ShortTextTable& names, std::span<const int> elev) {
    const int last = last_entry(count, std::min(names.size(), elev.size()));
    std::vector<int> matches;
    for (int k = 1; k <= last; ++k) {
        if (blank_equal(names[static_cast<std::size_t>(k)], name)) {
            matches.push_back(k);
        }
    }
    if (matches.empty()) {
        return 0;
    }
    if (matches.size() == 1) {
        return matches.front();
    }
    int same_altitude = 0;
    int last_same = 0;
    for (const int k : matches) {
        if (elev[static_cast<std::size_t>(k)] == altitude) {
            ++same_altitude;
            last_same = k;
        }
    }
    return same_altitude == 1 ? last_same : -last_same;
}

int rech_2(std::string_view name, float latitude, float longitude, int altitude, int count,
           const ShortTextTable& nam, std::span<const float> lat, std::span<const float> lon,
           std::span<const int> elev) {
    const int last = last_entry(count, std::min({nam.size(), lat.size(), lon.size(), elev.size()}));
    const bool check_altitude = altitude >= -500;
    int found = 0;
    int last_match = 0;
    // The table's names hold no trailing blanks: one blank-equal to the name
    // sought is that name without its trailing blanks, of its length and with
    // its last character, where most names are told apart without comparing.
    const std::string_view sought = name.substr(0, trimmed_length(name));
    for (int j = 1; j <= last; ++j) {
        const auto k = static_cast<std::size_t>(j);
        const std::string_view candidate = nam[k];
        if (candidate.size() != sought.size() || (!sought.empty() && candidate.back() != sought.back()) ||
            candidate != sought) {
            continue;
        }
        if (check_altitude && std::llabs(static_cast<long long>(altitude) - elev[k]) >= 10) {
            continue;
        }
        if (std::fabs(latitude - lat[k]) < 0.001f && std::fabs(longitude - lon[k]) < 0.001f) {
            ++found;
            last_match = j;
        }
    }
    if (found == 0) {
        return 0;
    }
    return found == 1 ? last_match : -last_match;
}

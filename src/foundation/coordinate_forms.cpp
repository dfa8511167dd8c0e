#include "foundation/coordinate_forms.h"

#include "foundation/dms_text.h"
#include "foundation/read_one_number.h"
#include "foundation/seeyou_coordinates.h"
#include "foundation/tell.h"
#include "platform/console.h"

#include <algorithm>
#include <cmath>
#include <limits>

namespace {

constexpr float kLatitudeLimit = 90.0f;
constexpr float kLongitudeLimit = 360.0f;

// A double held within the range of float, so that storing it cannot overflow.
float held_float(double value) {
    const double largest = std::numeric_limits<float>::max();
    return static_cast<float>(std::clamp(value, -largest, largest));
}

}  // namespace

int what_format(std::string_view lat, float& xlat, std::string_view c_ori) {
    const bool latitude = c_ori == "NS";
    const bool has_letter = !c_ori.empty() && lat.find_first_of(c_ori) != std::string_view::npos;
    if (lat.find('\xB0') != std::string_view::npos) {
        xlat = decode_lat_lon(lat);
    } else if (has_letter) {
        xlat = latitude ? decode_lat_cu(lat) : decode_lon_cu(lat);
    } else if (!read_one_real(lat, xlat)) {
        xlat = kNotACoordinate;
        return 0;
    }
    const float limit = latitude ? kLatitudeLimit : kLongitudeLimit;
    return std::fabs(xlat) > limit ? 0 : 1;
}

void decode_coord(std::string_view lat, std::string_view lon, float& xlat, float& xlon, int& type) {
    const int lat_ok = what_format(lat, xlat, "NS");
    const int lon_ok = what_format(lon, xlon, "WE");
    type = lat_ok == 1 && lon_ok == 1 ? 1 : 0;
}

void cnv_coord(int nb_wp, std::span<const int> wpnum, std::span<const float> tpx, std::span<const float> tpy,
               std::span<float> tplat, std::span<float> tplon) {
    console_line(" CNV_COORD");
    const std::size_t table = std::min({wpnum.size(), tpx.size(), tpy.size(), tplat.size(), tplon.size()});
    const std::size_t count = nb_wp <= 0 ? 0 : std::min(static_cast<std::size_t>(nb_wp), table);
    if (count == 0) {
        end_run("Conversion impossible", kExitConversionFailed);
    }
    std::size_t farthest = 0;
    double best = -1.0;
    for (std::size_t i = 1; i < count; ++i) {
        if (wpnum[i] < 1) {
            continue;
        }
        const double dx = static_cast<double>(tpx[i]) - tpx[0];
        const double dy = static_cast<double>(tpy[i]) - tpy[0];
        const double d = dx * dx + dy * dy;
        if (d > best) {
            best = d;
            farthest = i;
        }
    }
    if (farthest == 0 || tpx[farthest] == tpx[0] || tpy[farthest] == tpy[0]) {
        end_run("Conversion impossible", kExitConversionFailed);
    }
    const double lon_per_x =
        (static_cast<double>(tplon[farthest]) - tplon[0]) / (static_cast<double>(tpx[farthest]) - tpx[0]);
    const double lat_per_y =
        (static_cast<double>(tplat[farthest]) - tplat[0]) / (static_cast<double>(tpy[farthest]) - tpy[0]);
    for (std::size_t i = 1; i < count; ++i) {
        if (wpnum[i] >= 1) {
            continue;
        }
        tplon[i] = held_float(tplon[0] + (static_cast<double>(tpx[i]) - tpx[0]) * lon_per_x);
        tplat[i] = held_float(tplat[0] + (static_cast<double>(tpy[i]) - tpy[0]) * lat_per_y);
    }
}

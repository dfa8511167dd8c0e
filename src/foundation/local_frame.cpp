#include "foundation/local_frame.h"

#include "foundation/c_strings.h"
#include "foundation/fixed_text.h"
#include "foundation/fortran_format.h"
#include "foundation/log.h"
#include "foundation/number_text.h"
#include "foundation/terrain_headers.h"
#include "foundation/utm_frame.h"
#include "platform/console.h"

#include <algorithm>
#include <string>

namespace {

enum class TerrainKind { trn, dem, asc, unknown };

bool holds(std::string_view path, std::string_view lower, std::string_view upper) {
    return path.find(lower) != std::string_view::npos || path.find(upper) != std::string_view::npos;
}

TerrainKind terrain_kind(std::string_view path) {
    if (holds(path, ".trn", ".TRN")) {
        return TerrainKind::trn;
    }
    if (holds(path, ".dem", ".DEM")) {
        return TerrainKind::dem;
    }
    if (holds(path, ".asc", ".ASC")) {
        return TerrainKind::asc;
    }
    return TerrainKind::unknown;
}

// Grid frames are fitted in steps of this many metres.
constexpr float kFitStep = 90.0f;
// A walk of more steps than this (45,000 km) has left the Earth: the fit fails.
constexpr int kMaxFitSteps = 500000;
// Start value of the search for the largest y of a southern grid's bottom edge.
constexpr float kSouthEdgeStart = -10000000.0f;

struct GridLimits {
    double latmin = 0.0;
    double latmax = 0.0;
    double lonmin = 0.0;
    double lonmax = 0.0;
    int ncols = 0;
    int nrows = 0;
};

bool to_xy(double lat, double lon, float& x, float& y) {
    return latlontoxy(static_cast<float>(lat), static_cast<float>(lon), x, y) == 1;
}

bool to_latlon(float x, float y, float& lat, float& lon) { return xytolatlon(x, y, lat, lon) == 1; }

// The smallest (or largest) y of the points (lat, lon) for lon from lonmax
// down by the grid's longitude step until a longitude at or below lonmin has
// been taken.
bool edge_extreme_y(const GridLimits& g, double lat, bool smallest, float& result) {
    const double dlon = (g.lonmax - g.lonmin) / g.ncols;
    double lon = g.lonmax;
    bool first = true;
    // The walk takes ncols + 1 points; rounding may add one. A step too small
    // to change the longitude ends it as well.
    for (long long taken = 0; taken <= static_cast<long long>(g.ncols) + 1; ++taken) {
        float x = 0.0f;
        float y = 0.0f;
        if (!to_xy(lat, lon, x, y)) {
            return false;
        }
        if (first && !smallest) {
            result = std::max(result, y);
        } else if (first) {
            result = y;
        } else {
            result = smallest ? std::min(result, y) : std::max(result, y);
        }
        first = false;
        if (lon <= g.lonmin) {
            break;
        }
        lon -= dlon;
    }
    return true;
}

// From x, moves by `step` while the point (x, y) lies at or east of `lon_limit`
// (east = true) or at or west of it.
bool walk_x(float& x, float y, float step, double lon_limit, bool east) {
    for (int steps = 0; steps < kMaxFitSteps; ++steps) {
        float lat = 0.0f;
        float lon = 0.0f;
        if (!to_latlon(x, y, lat, lon)) {
            return false;
        }
        const bool beyond = east ? lon >= lon_limit : lon <= lon_limit;
        if (!beyond) {
            return true;
        }
        x += step;
    }
    return false;
}

// From y, moves by `step` while the point (x, y) lies above (above = true) or
// below `lat_limit`; `last` is the last y that did.
bool walk_y(float x, float y, float step, double lat_limit, bool above, float& last) {
    last = y;
    for (int steps = 0; steps < kMaxFitSteps; ++steps) {
        float lat = 0.0f;
        float lon = 0.0f;
        if (!to_latlon(x, y, lat, lon)) {
            return false;
        }
        const bool inside = above ? lat > lat_limit : lat < lat_limit;
        if (!inside) {
            return true;
        }
        last = y;
        y += step;
    }
    return false;
}

// The largest frame in whole 90 m steps inside a grid's limits.
bool fit_grid(const GridLimits& g, float& rxm, float& rym) {
    utm000.orig_e = 0.0;
    utm000.orig_n = 0.0;
    console_line(" limits " + fortran_write("(4F14.6)", {g.latmin, g.latmax, g.lonmin, g.lonmax}));
    console_line(" steps (arc-seconds) " + fortran_write("(2F12.4)", {(g.latmax - g.latmin) * 3600.0 / g.nrows,
                                                                      (g.lonmax - g.lonmin) * 3600.0 / g.ncols}));
    float x_east = 0.0f;
    float x_west = 0.0f;
    float y_top = 0.0f;
    float y_bottom = 0.0f;
    float unused = 0.0f;
    if (utm000.zlat != 'S') {
        if (!edge_extreme_y(g, g.latmax, true, y_top) || !to_xy(g.latmin, g.lonmax, x_east, unused) ||
            !walk_x(x_east, y_top, kFitStep, g.lonmax, true) || !to_xy(g.latmin, g.lonmin, x_west, unused) ||
            !walk_x(x_west, y_top, -kFitStep, g.lonmin, false)) {
            return false;
        }
        float y_at_lonmin = 0.0f;
        float y_at_lonmax = 0.0f;
        if (!to_xy(g.latmin, g.lonmin, unused, y_at_lonmin) || !to_xy(g.latmin, g.lonmax, unused, y_at_lonmax)) {
            return false;
        }
        const float x_start = y_at_lonmin < y_at_lonmax ? x_east : x_west;
        if (!walk_y(x_start, y_top, -kFitStep, g.latmin, true, y_bottom)) {
            return false;
        }
    } else {
        y_bottom = kSouthEdgeStart;
        if (!edge_extreme_y(g, g.latmin, false, y_bottom) || !to_xy(g.latmax, g.lonmax, x_east, unused) ||
            !walk_x(x_east, y_bottom, kFitStep, g.lonmax, true) || !to_xy(g.latmax, g.lonmin, x_west, unused) ||
            !walk_x(x_west, y_bottom, -kFitStep, g.lonmin, false)) {
            return false;
        }
        float y_at_lonmax = 0.0f;
        float y_at_lonmin = 0.0f;
        if (!to_xy(g.latmax, g.lonmax, unused, y_at_lonmax) || !to_xy(g.latmax, g.lonmin, unused, y_at_lonmin)) {
            return false;
        }
        const float x_start = y_at_lonmax < y_at_lonmin ? x_east : x_west;
        if (!walk_y(x_start, y_bottom, kFitStep, g.latmax, false, y_top)) {
            return false;
        }
    }
    utm000.orig_e = -static_cast<double>(x_east);
    utm000.orig_n = y_bottom;
    rxm = kFitStep * static_cast<float>(trunc_to_int((x_west - x_east) / kFitStep));
    rym = kFitStep * static_cast<float>(trunc_to_int((y_top - y_bottom) / kFitStep));
    utm000.xmax = rxm;
    utm000.ymax = rym;
    utm000.ori = kFitStep;
    console_line(" utm_init frame " + fortran_write("(2F14.1)", {rxm, rym}));
    return true;
}

// True when the four corners of the frame just set have a real latitude and
// longitude: a header's origin may lie anywhere UTM reaches, but one far off
// (an easting of 1e38) would put every point of the landscape off the earth.
bool corners_on_earth(float width, float height) {
    for (const float x : {0.0f, width}) {
        for (const float y : {0.0f, height}) {
            float lat = 0.0f;
            float lon = 0.0f;
            if (xytolatlon(x, y, lat, lon) != 1 || !position_on_earth(lat, lon)) {
                return false;
            }
        }
    }
    return true;
}

void mark_failed(const std::string& log_line) {
    log_message_f(std::string_view(log_line));
    utm001.initialized = false;
}

}  // namespace

int utm_init(std::string_view fich, float& rxm, float& rym) {
    const std::string path = fit_field(fich, kTerrainPathLength);
    console_line(" utm_init " + path);
    if (utm001.initialized && path == utm001.frame_file) {
        console_line(" utm_init : ALREADY INITIALIZED " + fmt_l(utm001.initialized, 1));
        rxm = static_cast<float>(utm000.xmax);
        rym = static_cast<float>(utm000.ymax);
        return 1;
    }
    utm000.raddeg = kDegreesPerRadian;
    utm000.degrad = kRadiansPerDegree;

    const TerrainKind kind = terrain_kind(path);
    if (kind == TerrainKind::unknown) {
        console_line(" unrecognised file type " + path);
        mark_failed("UTM unrecognised file type " + path);
        return 0;
    }
    float width = 0.0f;
    float height = 0.0f;
    float easting = 0.0f;
    float northing = 0.0f;
    float third = 0.0f;
    GridLimits grid;
    int zone = 0;
    char hemisphere = 'N';
    int status = 0;
    if (kind == TerrainKind::trn) {
        status = read_trn_hdr(path, width, height, easting, northing, third, zone, hemisphere);
    } else if (kind == TerrainKind::dem) {
        status = read_dem_hdr(path, grid.latmin, grid.latmax, grid.lonmin, grid.lonmax, grid.ncols, grid.nrows, zone,
                              hemisphere);
    } else {
        status = read_ascdem_hdr(path, grid.latmin, grid.latmax, grid.lonmin, grid.lonmax, grid.ncols, grid.nrows,
                                 zone, hemisphere);
    }
    if (status != 0) {
        mark_failed("UTM unable to read " + path);
        return 0;
    }

    utm001.initialized = true;
    utm001.frame_file = path;
    utm000.nzon = zone;
    utm000.zlat = hemisphere;
    utm000.rlon0 = 6.0 * zone - 183.0;
    utm000.n0 = hemisphere == 'S' ? kSouthFalseNorthing : 0.0;

    if (kind == TerrainKind::trn) {
        utm000.orig_e = easting;
        utm000.orig_n = northing;
        utm000.ori = third;
        utm000.xmax = width;
        utm000.ymax = height;
        if (!corners_on_earth(width, height)) {
            utm001.frame_file.clear();
            mark_failed("UTM frame off the earth " + path);
            return 0;
        }
        rxm = width;
        rym = height;
        return 1;
    }
    float fitted_x = 0.0f;
    float fitted_y = 0.0f;
    if (!fit_grid(grid, fitted_x, fitted_y)) {
        utm001.frame_file.clear();
        mark_failed("UTM unable to read " + path);
        return 0;
    }
    rxm = fitted_x;
    rym = fitted_y;
    return 1;
}

int utm_init_c(const char* fich, float& rxm, float& rym) {
    std::string path;
    int length = 0;
    strcpy_c2f(fich, path, length, kTerrainPathLength);
    return utm_init(path, rxm, rym);
}

int get_trn_lim(std::string_view trnfil, float& rlatmin1, float& rlatmax1, float& rlonmin1, float& rlonmax1) {
    float rxm = 0.0f;
    float rym = 0.0f;
    const int frame = utm_init(trnfil, rxm, rym);
    float xmax = 0.0f;
    float ymax = 0.0f;
    float easting = 0.0f;
    float northing = 0.0f;
    float third = 0.0f;
    int zone = 0;
    char hemisphere = ' ';
    const int status = read_trn_hdr(trim_right(trnfil), xmax, ymax, easting, northing, third, zone, hemisphere);
    if (status != 0) {
        return status;
    }
    if (frame != 1) {
        return kHeaderBadValue;
    }
    // The corners and points along the four edges.
    constexpr int kEdgeParts = 100;
    bool first = true;
    for (int edge = 0; edge < 4; ++edge) {
        for (int i = 0; i <= kEdgeParts; ++i) {
            const float f = static_cast<float>(i) / kEdgeParts;
            const float x = edge == 0 ? f * xmax : edge == 1 ? xmax : edge == 2 ? (1.0f - f) * xmax : 0.0f;
            const float y = edge == 0 ? 0.0f : edge == 1 ? f * ymax : edge == 2 ? ymax : (1.0f - f) * ymax;
            float lat = 0.0f;
            float lon = 0.0f;
            if (xytolatlon(x, y, lat, lon) != 1) {
                continue;
            }
            if (first) {
                rlatmin1 = rlatmax1 = lat;
                rlonmin1 = rlonmax1 = lon;
                first = false;
            }
            rlatmin1 = std::min(rlatmin1, lat);
            rlatmax1 = std::max(rlatmax1, lat);
            rlonmin1 = std::min(rlonmin1, lon);
            rlonmax1 = std::max(rlonmax1, lon);
        }
    }
    return first ? kHeaderBadValue : 0;
}

int get_latlon_lim(std::string_view trnfil, float& rlatmin1, float& rlatmax1, float& rlonmin1, float& rlonmax1) {
    const std::string path = trim_right(trnfil);
    if (holds(path, ".trn", ".TRN")) {
        return get_trn_lim(path, rlatmin1, rlatmax1, rlonmin1, rlonmax1);
    }
    const bool asc = holds(path, ".asc", ".ASC");
    if (!asc && !holds(path, ".dem", ".DEM")) {
        return 1;
    }
    GridLimits g;
    int zone = 0;
    char hemisphere = ' ';
    const int status = asc ? read_ascdem_hdr(path, g.latmin, g.latmax, g.lonmin, g.lonmax, g.ncols, g.nrows, zone,
                                             hemisphere)
                           : read_dem_hdr(path, g.latmin, g.latmax, g.lonmin, g.lonmax, g.ncols, g.nrows, zone,
                                          hemisphere);
    if (status == 0) {
        rlatmin1 = static_cast<float>(g.latmin);
        rlatmax1 = static_cast<float>(g.latmax);
        rlonmin1 = static_cast<float>(g.lonmin);
        rlonmax1 = static_cast<float>(g.lonmax);
    }
    return status;
}

void reset_local_frame() {
    reset_utm000();
    reset_utm001();
}

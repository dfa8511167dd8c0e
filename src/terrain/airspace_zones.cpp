#include "terrain/airspace_zones.h"

#include <algorithm>

#include "airspace/plane_geometry.h"
#include "terrain/grid_access.h"

int model_zones() {
    const AirspaceMod& mod = airspace_mod;
    return std::max(0, std::min({as0001.nb_zon, static_cast<int>(mod.as_nb.size()),
                                 static_cast<int>(as0001.as_lim.size()), static_cast<int>(mod.as_act.size()),
                                 static_cast<int>(mod.as_in.size()), static_cast<int>(mod.as_near.size()),
                                 static_cast<int>(mod.as_is_derog.size())}));
}

std::span<const PlanePoint> zone_ring(int nz) {
    const AirspaceRing& ring = airspace_mod.as_nb[static_cast<std::size_t>(nz)];
    const std::span<const PlanePoint> points(airspace_mod.as_pp);
    if (ring.first < 0 || ring.count < 0 ||
        static_cast<std::size_t>(ring.first) + static_cast<std::size_t>(ring.count) > points.size()) {
        return {};
    }
    return points.subspan(static_cast<std::size_t>(ring.first), static_cast<std::size_t>(ring.count));
}

int zone_class(int nz) { return airspace_mod.as_nb[static_cast<std::size_t>(nz)].typ; }

bool zone_selected(int nz) {
    const int typ = zone_class(nz);
    return typ >= 0 && typ < kAirspaceClasses && as0001.qseltyp[static_cast<std::size_t>(typ)];
}

bool zone_active(int nz) { return airspace_mod.as_act[static_cast<std::size_t>(nz)]; }

bool derogation_class(int typ) { return typ == kClassG || typ == kClassGsec; }

const AirspaceLimits& zone_limits(int nz) { return as0001.as_lim[static_cast<std::size_t>(nz)]; }

bool in_zone_box(int nz, float xx, float yy) {
    const AirspaceLimits& lim = zone_limits(nz);
    return lim[kLimXmin] <= xx && xx <= lim[kLimXmax] && lim[kLimYmin] <= yy && yy <= lim[kLimYmax];
}

bool in_zone_ring(int nz, float xx, float yy) {
    const std::span<const PlanePoint> ring = zone_ring(nz);
    return wn_poly(PlanePoint{xx, yy}, ring, static_cast<int>(ring.size())) != 0;
}

bool ground_at(float xx, float yy, float& zg) { return ground_height(xx, yy, altitude.zp, zg); }

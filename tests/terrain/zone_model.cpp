#include "zone_model.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <string>

#include "airspace/airspace_grid.h"
#include "airspace/airspace_mod.h"
#include "airspace/module_tables.h"
#include "foundation/airspace_names.h"

namespace terrain_test {

void ZoneModel::add_zone(int typ, std::vector<PlanePoint> ring, float floor, float ceiling) {
    ring.push_back(ring.front());
    const int first = static_cast<int>(pp_.size());
    AirspaceLimits lim{};
    lim[kLimXmin] = lim[kLimYmin] = 1e10f;
    lim[kLimXmax] = lim[kLimYmax] = -1e10f;
    for (const PlanePoint& p : ring) {
        pp_.push_back(p);
        lim[kLimXmin] = std::min(lim[kLimXmin], p.x);
        lim[kLimXmax] = std::max(lim[kLimXmax], p.x);
        lim[kLimYmin] = std::min(lim[kLimYmin], p.y);
        lim[kLimYmax] = std::max(lim[kLimYmax], p.y);
    }
    lim[kLimFloor] = floor;
    lim[kLimCeiling] = ceiling;
    limits_.push_back(lim);
    add_as_name(static_cast<int>(zon_.size()), "Zone " + std::to_string(zon_.size()));
    zon_.push_back({typ, first, static_cast<int>(pp_.size()) - 1});
}

std::vector<PlanePoint> ZoneModel::square(float x0, float y0, float size) {
    return {{x0, y0}, {x0 + size, y0}, {x0 + size, y0 + size}, {x0, y0 + size}};
}

void ZoneModel::build() {
    as0001.as_lim = limits_;
    int nbzon = 0;
    std::vector<PlanePoint> pp = pp_;
    copy_to_local(nbzon, zon_, pp, static_cast<int>(pp.size()), static_cast<int>(zon_.size()), 16);
    ASSERT_EQ(airspace_grid(nbzon), 1);
    airspace_mod.as_possible.assign(33, std::vector<bool>(zon_.size(), false));
}

}  // namespace terrain_test

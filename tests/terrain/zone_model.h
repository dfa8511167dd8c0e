#pragma once

// Zones of the in-memory airspace model for the terrain tests, given in the
// grid frame and built through the airspace code's own copy and raster.

#include <vector>

#include "airspace/airspace_records.h"
#include "foundation/geometry.h"

namespace terrain_test {

class ZoneModel {
protected:
    // A zone of the ring `ring` (closed here), floor and ceiling in metres.
    void add_zone(int typ, std::vector<PlanePoint> ring, float floor, float ceiling);
    static std::vector<PlanePoint> square(float x0, float y0, float size);
    // The model through the airspace code's own copy and raster.
    void build();

    std::vector<AirspaceZone> zon_;
    std::vector<PlanePoint> pp_;
    std::vector<AirspaceLimits> limits_;
};

}  // namespace terrain_test

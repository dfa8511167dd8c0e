#pragma once

#include "foundation/utm_frame.h"

namespace tarvex_test {

// The local frame of a 200 km square landscape in UTM zone 32 north, its
// east edge at easting 600 km and its south edge at northing 5,000 km:
// x = 600 km - easting, y = northing - 5,000 km.
inline void set_zone32_frame() {
    utm000.nzon = 32;
    utm000.zlat = 'N';
    utm000.rlon0 = 9.0;
    utm000.raddeg = kDegreesPerRadian;
    utm000.degrad = kRadiansPerDegree;
    utm000.orig_e = 600000.0;
    utm000.orig_n = 5000000.0;
    utm000.n0 = 0.0;
    utm000.xmax = 200000.0;
    utm000.ymax = 200000.0;
    utm001.initialized = true;
}

}  // namespace tarvex_test

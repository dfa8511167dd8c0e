#include "taskfiles/sector_bisector.h"

#include "foundation/geometry.h"
#include "taskfiles/task_model.h"

#include <algorithm>
#include <cmath>
#include <limits>

namespace {

constexpr float kPi = 3.1415927f;

// The difference b - a, held within the range of float so that no position
// read from a file can overflow it.
float difference(float b, float a) {
    const double largest = std::numeric_limits<float>::max();
    return static_cast<float>(std::clamp(double{b} - double{a}, -largest, largest));
}

// Bearing from point `from` to point `to` of the task model.
float leg_bearing(int from, int to) {
    const RdFpl1& t = rd_fpl_1;
    return landscape_bearing(difference(t.tpx[to], t.tpx[from]), difference(t.tpy[to], t.tpy[from]));
}

}  // namespace

float landscape_bearing(float dx, float dy) {
    const float theta = std::atan2(dx, dy) * 180.0f / kPi;
    return theta > 0.0f ? 360.0f - theta : -theta;
}

float sector_bisector(int n) {
    const int last = std::min(rd_fpl_0.nb_wp, kTurnpointSlots) - 1;
    if (n < 1 || n > last) {
        return 0.0f;
    }
    const float alm = leg_bearing(n - 1, n);
    if (n == last) {
        return modang(alm, 0.0f);
    }
    const float alp = leg_bearing(n, n + 1);
    const float dal = modang(alm - alp - 180.0f, -180.0f);
    return modang(alm - 0.5f * dal, 0.0f);
}

#include "reach_fixture.h"

#include <algorithm>
#include <cmath>
#include <string>

#include "foundation/reach_settings.h"
#include "foundation/terrain_extents.h"
#include "terrain/grid_access.h"
#include "terrain/reach_clock.h"
#include "terrain/reach_driver.h"
#include "terrain/reach_records.h"

namespace terrain_test {

ReachTest::ReachTest() {
    set_reach_clock([] { return 0.0f; });
    loca00.sfty_g = kSafety;
    loca00.fcalc_inv = 1.0f / kGlideRatio;
    loca00.vtrans = 25.0f;
    pelrn00.num_threads = 4;
    pelrn00.min_gri = 1;
    pelrn00.max_gri = 8;
}

ReachTest::~ReachTest() { set_reach_clock(nullptr); }

void ReachTest::run_passes(int n, int ngri, float xg, float yg, float z0, float t0) {
    n_ = n;
    nex1_ = kNewComputation;
    ASSERT_TRUE(get_reach_p(n, n, ppp_, state_, nex1_, ngri, trn001.x_scn_mx - xg, yg, z0, t0, 0, xdcnt_, ydcnt_));
    nex2_ = 0;
    ASSERT_TRUE(get_reach_p(n, n, ppp_, state_, nex2_, ngri, trn001.x_scn_mx - xg, yg, z0, t0, 0, xdcnt_, ydcnt_));
}

float ReachTest::cell_x(int ii) const { return trn001.x_scn_mx - ppp_(ii, 1).x; }
float ReachTest::cell_y(int jj) const { return ppp_(1, jj).y; }

double GlideCheck::ground(double x, double y) {
    // Heights stand at the cell centres 90 (i - 1) + 45 (origin cell 1).
    const double u = (x - 45.0) / 90.0 + 1.0;
    const double v = (y - 45.0) / 90.0 + 1.0;
    const int i = std::clamp(static_cast<int>(std::floor(u)), 1, trn001.ni_00 - 1);
    const int j = std::clamp(static_cast<int>(std::floor(v)), 1, trn001.nj_00 - 1);
    const double tx = u - i;
    const double ty = v - j;
    const auto z = [](int a, int b) { return static_cast<double>(altitude.zp(a, b)); };
    return (1 - tx) * (1 - ty) * z(i, j) + tx * (1 - ty) * z(i + 1, j) + (1 - tx) * ty * z(i, j + 1) +
           tx * ty * z(i + 1, j + 1);
}

double GlideCheck::loss(double x1, double y1, double x2, double y2) {
    const double d = std::hypot(x2 - x1, y2 - y1);
    double f = 1.0;
    if (pelrn00.qwind && d > 0.0) {
        const double vx = loca00.vtrans * (x2 - x1) / d - loca00.wnd_x;
        const double vy = loca00.vtrans * (y2 - y1) / d - loca00.wnd_y;
        f = loca00.vtrans / std::hypot(vx, vy);
    }
    return d * f / kGlideRatio;
}

double GlideCheck::least_clearance(double x1, double y1, double z1, double x2, double y2) {
    const double d = std::hypot(x2 - x1, y2 - y1);
    const double drop = loss(x1, y1, x2, y2);
    const int samples = std::max(1, static_cast<int>(std::ceil(d / 10.0)));
    double least = 1.0e30;
    for (int k = 0; k <= samples; ++k) {
        const double t = static_cast<double>(k) / samples;
        least = std::min(least, z1 - t * drop - ground(x1 + t * (x2 - x1), y1 + t * (y2 - y1)));
    }
    return least;
}

double GlideCheck::steepest_slope() {
    double steepest = 0.0;
    for (int i = 1; i < trn001.ni_00; ++i) {
        for (int j = 1; j < trn001.nj_00; ++j) {
            steepest = std::max({steepest, std::fabs(altitude.zp(i + 1, j) - altitude.zp(i, j)) / 90.0,
                                 std::fabs(altitude.zp(i, j + 1) - altitude.zp(i, j)) / 90.0});
        }
    }
    return steepest;
}

bool GlideCheck::path_clears(int ii, int jj, const CellTable<GlidePoint>& ppp, const CellTable<int>& state,
                             std::string& why) const {
    const CellTable<int>& l_connect = reachable_mod.l_connect;
    const int nrc1 = ppp.ni();
    for (int legs = 0; legs < nrc1 * ppp.nj(); ++legs) {
        if (state(ii, jj) == kReachFilled) {
            return true;
        }
        const GlidePoint& cell = ppp(ii, jj);
        const double xc = trn001.x_scn_mx - cell.x;
        const int k = l_connect(ii, jj);
        double xf = xs;
        double yf = ys;
        int ic = 0;
        int jc = 0;
        if (k != 0) {
            if (k < 1) {
                why = "cell " + std::to_string(ii) + "," + std::to_string(jj) + " has no connection";
                return false;
            }
            jc = (k - 1) / nrc1 + 1;
            ic = k - nrc1 * (jc - 1);
            xf = trn001.x_scn_mx - ppp(ic, jc).x;
            yf = ppp(ic, jc).y;
        }
        // The altitude the leg left from: the arrival plus its loss. It may
        // not beat the altitude recorded at the cell it left from.
        const double z_from = cell.z + loss(xf, yf, xc, cell.y);
        const double z_source = k == 0 ? zs : ppp(ic, jc).z;
        const double clearance = least_clearance(xf, yf, z_from, xc, cell.y);
        if (z_from > z_source + 0.05 || clearance < kSafety - tolerance) {
            why = "leg to " + std::to_string(ii) + "," + std::to_string(jj) + " from code " + std::to_string(k) +
                  ": clearance " + std::to_string(clearance) + ", leaves at " + std::to_string(z_from) + " from " +
                  std::to_string(z_source);
            return false;
        }
        if (k == 0) {
            return true;
        }
        ii = ic;
        jj = jc;
    }
    why = "the path loops";
    return false;
}

}  // namespace terrain_test

#include "terrain/grid_access.h"

#include <algorithm>
#include <cmath>
#include <string>

#include "foundation/tell.h"
#include "foundation/terrain_extents.h"
#include "terrain/ground_view.h"
#include "terrain/reach_records.h"
#include "platform/console.h"

namespace {

using terrain_detail::truncate_cell;

bool within(long long k, int n) { return k >= 1 && k <= n; }

}  // namespace

int rechxy(float xx, float yy, int& ii, int& jj) {
    long long ci = 0;
    long long cj = 0;
    if (truncate_cell(xx * dxy_c_inv, ci) && truncate_cell(yy * dxy_c_inv, cj)) {
        const long long i = ci - trn001.i_00 + 2;
        const long long j = cj - trn001.j_00 + 2;
        if (within(i, trn001.ni_00) && within(j, trn001.nj_00)) {
            ii = static_cast<int>(i);
            jj = static_cast<int>(j);
            return 1;
        }
    }
    ii = kOffGridCell;
    jj = kOffGridCell;
    return 0;
}

int rechxy_i(float xx, float yy, int& ii, int& jj, float& tx, float& ty) {
    if (terrain_detail::stencil_cell(xx, yy, trn001.i_00, trn001.j_00, trn001.ni_00, trn001.nj_00, ii, jj, tx, ty)) {
        return 1;
    }
    ii = kOffGridCell;
    jj = kOffGridCell;
    return 0;
}

float z_ground(float /*xx*/, float /*yy*/, int ii, int jj, const CellTable<float>& zp) { return zp(ii, jj); }

float z_ground_i(int ii, int jj, float tx, float ty, const CellTable<float>& zp) {
    const float z00 = zp(ii, jj);
    const float z10 = zp(ii + 1, jj);
    const float z01 = zp(ii, jj + 1);
    const float z11 = zp(ii + 1, jj + 1);
    return terrain_detail::bilinear(z00, z10, z01, z11, tx, ty);
}

bool ground_height(float xx, float yy, const CellTable<float>& zp, float& zg) {
    int ii = 0;
    int jj = 0;
    float tx = 0.0f;
    float ty = 0.0f;
    if (rechxy_i(xx, yy, ii, jj, tx, ty) == 0) {
        return false;
    }
    zg = z_ground_i(ii, jj, tx, ty, zp);
    return true;
}

float z_ground_p(float xx, float yy, const CellTable<float>& zp) {
    float zg = kOffGridHeight;
    ground_height(xx, yy, zp, zg);
    return zg;
}

float z_ground_m(int ii, int jj, const CellTable<float>& zp) {
    return std::max({zp(ii, jj), zp(ii + 1, jj), zp(ii + 1, jj + 1), zp(ii, jj + 1)});
}

float get_alt(float xx, float yy, int& ii, int& jj) {
    // Large sentinels for a flat request: below -1000000 on entry.
    constexpr int kFlatRequest = -1000000;
    const bool flat = ii < kFlatRequest || jj < kFlatRequest;
    const float xg = trn001.x_scn_mx - xx;
    if (rechxy(xg, yy, ii, jj) == 0) {
        ii = kOffGridAltCell;
        jj = kOffGridAltCell;
        return kOffGridAlt;
    }
    return flat ? altitude.zp(ii, jj) : z_ground_p(xg, yy, altitude.zp);
}

void grad(int ii, int jj, float tx, float ty, const CellTable<float>& zp, float& gx, float& gy, float& gn) {
    const float rew = grid_step(trn001.rew);
    const float rns = grid_step(trn001.rns);
    const float z00 = zp(ii, jj);
    const float z10 = zp(ii + 1, jj);
    const float z01 = zp(ii, jj + 1);
    const float z11 = zp(ii + 1, jj + 1);
    const float dzdx_s = (z10 - z00) / rew;
    const float dzdx_n = (z11 - z01) / rew;
    const float dzdx = dzdx_s + (dzdx_n - dzdx_s) * ty;
    const float dzdy_w = (z01 - z00) / rns;
    const float dzdy_e = (z11 - z10) / rns;
    const float dzdy = dzdy_w + (dzdy_e - dzdy_w) * tx;
    gn = std::sqrt(dzdx * dzdx + dzdy * dzdy);
    if (gn > 0.0f) {
        gx = dzdx / gn;
        gy = dzdy / gn;
    } else {
        gx = 0.0f;
        gy = 0.0f;
    }
}

float wind_factor(float dxu, float dyu) { return pelrn00.qwind ? fmod_f(dxu, dyu) : 1.0f; }

float fmod_f(float dxu, float dyu) {
    const float vx = loca00.vtrans * dxu - loca00.wnd_x;
    const float vy = loca00.vtrans * dyu - loca00.wnd_y;
    const float v = std::sqrt(vx * vx + vy * vy);
    // vtrans / v > 1000000 exactly when v < vtrans / 1000000: no division
    // that could overflow.
    if (!(v > 0.0f) || v * kNoHeadway < loca00.vtrans) {
        return kNoHeadway;
    }
    return loca00.vtrans / v;
}

bool decode_reach_cell(int k, int nrcdim1, int nrcdim2, int& ic, int& jc) {
    if (nrcdim1 < 1 || k == 0) {
        return false;
    }
    const long long j = (static_cast<long long>(k) - 1) / nrcdim1 + 1;
    const long long i = k - static_cast<long long>(nrcdim1) * (j - 1);
    if (!within(i, nrcdim1) || !within(j, nrcdim2)) {
        return false;
    }
    ic = static_cast<int>(i);
    jc = static_cast<int>(j);
    return true;
}

void get_xyz(int lc_00, float x00, float y00, float z00, int nrcdim1, int nrcdim2,
             const CellTable<GlidePoint>& ppp_rch, float& xx_00, float& yy_00, float& zz_00) {
    if (lc_00 == 0) {
        xx_00 = x00;
        yy_00 = y00;
        zz_00 = z00;
        return;
    }
    int ic = 0;
    int jc = 0;
    if (!decode_reach_cell(lc_00, nrcdim1, nrcdim2, ic, jc)) {
        const std::string line = " get_xyz " + std::to_string(nrcdim1) + " " + std::to_string(nrcdim2) + " " +
                                 std::to_string(lc_00);
        console_line(line);
        fatal_error("Reach-grid connection code " + std::to_string(lc_00) + " names no cell of a " +
                     std::to_string(nrcdim1) + " x " + std::to_string(nrcdim2) + " grid",
                 kExitConversionFailed);
    }
    const GlidePoint& p = ppp_rch(ic, jc);
    xx_00 = p.x;
    yy_00 = p.y;
    zz_00 = p.z;
}

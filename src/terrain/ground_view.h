#pragma once

// The arithmetic of the bilinear ground height, shared by the grid routines
// (rechxy_i, z_ground_i, z_ground_p of grid_access.h) and by GroundView, the
// form the reachability passes sample millions of times a computation: one
// definition, so that both give the same height bit for bit.

#include <cmath>
#include <span>

#include "foundation/terrain_extents.h"
#include "terrain/terrain_grid.h"

namespace terrain_detail {

// Cell indices beyond this are off every grid; below it every index sum of
// the routines stays within int.
inline constexpr float kLargestCellIndex = 1.0e9f;

// int(e), truncating toward zero; false for a value too large for a cell
// index or not finite (the comparison is quiet, so a NaN raises no trap).
inline bool truncate_cell(float e, long long& k) {
    if (!std::isless(std::fabs(e), kLargestCellIndex)) {
        return false;
    }
    k = static_cast<long long>(e);
    return true;
}

// The stencil of rechxy_i: e = (xx + 45) / 90 (by dxy_c_inv), ii = int(e) -
// i_00 + 1, tx = e - int(e), the same along y. True when 1 <= ii < ni and
// 1 <= jj < nj; ii, jj are then set. The fractions are set whenever the
// position gives a cell index (0 otherwise).
inline bool stencil_cell(float xx, float yy, int i_00, int j_00, int ni, int nj, int& ii, int& jj, float& tx,
                         float& ty) {
    const float ex = (xx + dxy_c_s2) * dxy_c_inv;
    const float ey = (yy + dxy_c_s2) * dxy_c_inv;
    long long ci = 0;
    long long cj = 0;
    const bool x_ok = truncate_cell(ex, ci);
    const bool y_ok = truncate_cell(ey, cj);
    tx = x_ok ? ex - static_cast<float>(ci) : 0.0f;
    ty = y_ok ? ey - static_cast<float>(cj) : 0.0f;
    if (!x_ok || !y_ok) {
        return false;
    }
    const long long i = ci - i_00 + 1;
    const long long j = cj - j_00 + 1;
    if (i < 1 || i >= ni || j < 1 || j >= nj) {
        return false;
    }
    ii = static_cast<int>(i);
    jj = static_cast<int>(j);
    return true;
}

// The bilinear height between the four cells' heights at the fractions.
inline float bilinear(float z00, float z10, float z01, float z11, float tx, float ty) {
    const float zs = z00 + tx * (z10 - z00);
    const float zn = z01 + tx * (z11 - z01);
    return zs + (zn - zs) * ty;
}

}  // namespace terrain_detail

// z_ground_p over a height table, without the per-cell index checks: the
// stencil is checked once against the grid of trn001 and against the table,
// so a table smaller than the grid answers off the grid there instead of
// ending the run. Taken for one computation: it keeps trn001's grid members
// and the table's cells as they were when it was made.
class GroundView {
public:
    explicit GroundView(const CellTable<float>& zp)
        : cells_(zp.cells().data()),
          nj_(zp.nj()),
          i_00_(trn001.i_00),
          j_00_(trn001.j_00),
          ni_(zp.ni() < trn001.ni_00 ? zp.ni() : trn001.ni_00),
          nj_grid_(zp.nj() < trn001.nj_00 ? zp.nj() : trn001.nj_00) {}

    // The bilinear height at the grid-frame position (xx, yy); -999999 where
    // the 2 x 2 stencil does not fit.
    float at(float xx, float yy) const {
        int ii = 0;
        int jj = 0;
        float tx = 0.0f;
        float ty = 0.0f;
        if (!terrain_detail::stencil_cell(xx, yy, i_00_, j_00_, ni_, nj_grid_, ii, jj, tx, ty)) {
            return kOffGridHeight;
        }
        const float* west = cells_ + static_cast<std::ptrdiff_t>(ii - 1) * nj_ + (jj - 1);
        const float* east = west + nj_;
        return terrain_detail::bilinear(west[0], east[0], west[1], east[1], tx, ty);
    }

    // Whether every position within `margin` metres of (xx, yy) has its
    // stencil on the grid: then at_inside may be used there.
    bool inside(float xx, float yy, float margin) const {
        int ii = 0;
        int jj = 0;
        float tx = 0.0f;
        float ty = 0.0f;
        return terrain_detail::stencil_cell(xx - margin, yy - margin, i_00_, j_00_, ni_, nj_grid_, ii, jj, tx, ty) &&
               terrain_detail::stencil_cell(xx + margin, yy + margin, i_00_, j_00_, ni_, nj_grid_, ii, jj, tx, ty) &&
               xx - margin >= 0.0f && yy - margin >= 0.0f;
    }

    // at() for a position known to have its stencil on the grid (inside):
    // the same arithmetic without the checks.
    float at_inside(float xx, float yy) const {
        const float ex = (xx + dxy_c_s2) * dxy_c_inv;
        const float ey = (yy + dxy_c_s2) * dxy_c_inv;
        const int ci = static_cast<int>(ex);
        const int cj = static_cast<int>(ey);
        const float tx = ex - static_cast<float>(ci);
        const float ty = ey - static_cast<float>(cj);
        const float* west = cells_ + static_cast<std::ptrdiff_t>(ci - i_00_) * nj_ + (cj - j_00_);
        const float* east = west + nj_;
        return terrain_detail::bilinear(west[0], east[0], west[1], east[1], tx, ty);
    }

private:
    const float* cells_;
    int nj_;
    int i_00_;
    int j_00_;
    int ni_;
    int nj_grid_;
};

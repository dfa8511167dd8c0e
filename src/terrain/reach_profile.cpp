#include "terrain/reach_profile.h"

#include <algorithm>
#include <cmath>

#include "airspace/airspace_trace.h"
#include "foundation/fortran_format.h"
#include "foundation/french_csv.h"
#include "foundation/geometry.h"
#include "foundation/message_records.h"
#include "foundation/reach_settings.h"
#include "foundation/terrain_extents.h"
#include "terrain/glide_line.h"
#include "terrain/grid_access.h"
#include "terrain/reach_clock.h"
#include "terrain/reach_records.h"

namespace {

// Empty extent, as the box starts.
constexpr float kNoExtent = 1.0e10f;

// Reach cell (ii, jj) of a grid of nrcdim1 x nrcdim2 cells held by both tables.
bool reach_cell(int ii, int jj, int nrcdim1, int nrcdim2, const CellTable<GlidePoint>& ppp_rch,
                const CellTable<int>& n_rch) {
    return ii >= 1 && ii <= nrcdim1 && jj >= 1 && jj <= nrcdim2 && ppp_rch.holds(ii, jj) && n_rch.holds(ii, jj);
}

// The first reached corner of the coarse cell of step b holding (ii, jj).
void reached_corner(int& ii, int& jj, int nrcdim1, int nrcdim2, const CellTable<GlidePoint>& ppp_rch,
                    const CellTable<int>& n_rch) {
    const int b = std::max(pelrn00.ngri_cur, 1);
    const int ii1 = b * ((ii - 1) / b) + 1;
    const int ii2 = ii1 > nrcdim1 - b ? ii1 : ii1 + b;
    const int jj1 = b * ((jj - 1) / b) + 1;
    const int jj2 = jj1 > nrcdim2 - b ? jj1 : jj1 + b;
    for (const auto& [ci, cj] : {std::pair{ii1, jj1}, {ii2, jj1}, {ii2, jj2}, {ii1, jj2}}) {
        if (reach_cell(ci, cj, nrcdim1, nrcdim2, ppp_rch, n_rch) && n_rch(ci, cj) >= 1) {
            ii = ci;
            jj = cj;
            return;
        }
    }
}

// Drops the points of the profile pts (from 0) that a clear straight glide
// from two points back makes unnecessary, recomputing the altitudes after
// each point dropped.
void simplify(std::vector<GlidePoint>& pts) {
    std::size_t k = 2;
    while (k < pts.size()) {
        GlidePoint from = pts[k - 2];
        float zg = 0.0f;
        float dhg = 0.0f;
        if (!ligne_droite(false, true, from.x, from.y, from.z, pts[k].x, pts[k].y, altitude.zp, zg, dhg)) {
            ++k;
            continue;
        }
        pts.erase(pts.begin() + static_cast<std::ptrdiff_t>(k - 1));
        for (std::size_t m = k - 1; m < pts.size(); ++m) {
            pts[m].z = pts[m - 1].z - glide_loss(pts[m - 1].x, pts[m - 1].y, pts[m].x, pts[m].y);
        }
    }
}

}  // namespace

void get_reach_prof(float xx0, float yy0, float zz0, float xx9, float yy9, int nrcdim1, int nrcdim2,
                    const CellTable<GlidePoint>& ppp_rch, const CellTable<int>& n_rch, int& nman,
                    std::vector<GlidePoint>& ppman) {
    const float x_scn_mx = trn001.x_scn_mx;
    const float x0 = x_scn_mx - xx0;
    const float x9 = x_scn_mx - xx9;
    int i0 = 0;
    int j0 = 0;
    if (rechxy(x0, yy0, i0, j0) == 0) {
        nman = 0;
        return;
    }
    nman = -1;
    int i9 = 0;
    int j9 = 0;
    if (rechxy(x9, yy9, i9, j9) == 0) {
        return;
    }
    int ii = static_cast<int>(std::clamp<long long>(static_cast<long long>(i9) - rch001.irch_1 + 1, -1, nrcdim1 + 1LL));
    int jj = static_cast<int>(std::clamp<long long>(static_cast<long long>(j9) - rch001.jrch_1 + 1, -1, nrcdim2 + 1LL));
    if (!reach_cell(ii, jj, nrcdim1, nrcdim2, ppp_rch, n_rch)) {
        return;
    }
    if (n_rch(ii, jj) < 1) {
        reached_corner(ii, jj, nrcdim1, nrcdim2, ppp_rch, n_rch);
    }
    if (ppp_rch(ii, jj).z < 0.0f || !reach_terrain_cell(ii, jj, i9, j9)) {
        return;
    }
    const CellTable<int>& l_connect = reachable_mod.l_connect;
    std::vector<GlidePoint> pts;
    const GlidePoint& end_cell = ppp_rch(ii, jj);
    const float h = end_cell.z + altitude.zp(i9, j9);
    pts.push_back({x9, yy9, h});
    pts.push_back({x_scn_mx - end_cell.x, end_cell.y, h});
    int k = l_connect.holds(ii, jj) ? l_connect(ii, jj) : 0;
    // A code K = ii + (jj - 1) nrcdim1 names a cell of the last column too:
    // there K mod nrcdim1 is 0, and reading the column as the remainder
    // (with the row K div nrcdim1 + 1) would end the chain at such a cell,
    // cutting the profile short of the start, or name a cell of the next
    // row. decode_reach_cell takes the row from K - 1, so the walk goes on
    // through the last column and ends only at the start (a code below 1) or
    // at a code that names no cell of the arrays.
    while (k >= 1) {
        int ic = 0;
        int jc = 0;
        int ti = 0;
        int tj = 0;
        if (!decode_reach_cell(k, nrcdim1, nrcdim2, ic, jc) || !ppp_rch.holds(ic, jc) || !reach_terrain_cell(ic, jc, ti, tj)) {
            break;
        }
        if (static_cast<int>(pts.size()) + 1 >= kMostProfilePoints) {
            // No room left for this cell and the start: a chain this long (or
            // a chain that loops) gives no profile.
            return;
        }
        const GlidePoint& p = ppp_rch(ic, jc);
        pts.push_back({x_scn_mx - p.x, p.y, p.z + altitude.zp(ti, tj)});
        k = l_connect.holds(ic, jc) ? l_connect(ic, jc) : 0;
    }
    pts.push_back({x0, yy0, zz0});
    std::reverse(pts.begin(), pts.end());
    simplify(pts);
    ppman.assign(pts.size() + 1, GlidePoint{});
    for (std::size_t m = 0; m < pts.size(); ++m) {
        ppman[m + 1] = {x_scn_mx - pts[m].x, pts[m].y, pts[m].z};
    }
    nman = static_cast<int>(pts.size());
}

void to_agl(int nrcdim1, int nrcdim2, CellTable<GlidePoint>& ppp_rch, int ngri, ReachExtent& pmima,
            std::string& cline) {
    const int step = std::max(ngri, 1);
    float xmin = kNoExtent;
    float xmax = -kNoExtent;
    float ymin = kNoExtent;
    float ymax = -kNoExtent;
    float dist_max = 0.0f;
    for (int jj = 1; jj <= nrcdim2; jj += step) {
        for (int ii = 1; ii <= nrcdim1; ii += step) {
            int i = 0;
            int j = 0;
            if (ii < rch001.irch_min || ii > rch001.irch_max || jj < rch001.jrch_min || jj > rch001.jrch_max ||
                !ppp_rch.holds(ii, jj) || !reach_terrain_cell(ii, jj, i, j)) {
                continue;
            }
            GlidePoint& p = ppp_rch(ii, jj);
            if (!(p.z > 0.0f)) {
                continue;
            }
            p.z -= altitude.zp(i, j);
            xmin = std::min(xmin, p.x);
            xmax = std::max(xmax, p.x);
            ymin = std::min(ymin, p.y);
            ymax = std::max(ymax, p.y);
            if (p.z > loca00.sfty_g) {
                dist_max = std::max(dist_max, point_distance(posi00.x_rch, posi00.y_rch, p.x, p.y));
            }
        }
    }
    if (xmax >= xmin) {
        pmima[1][1] = xmin;
        pmima[1][2] = xmax;
    }
    if (ymax >= ymin) {
        pmima[2][1] = ymin;
        pmima[2][2] = ymax;
    }
    pmima[1][3] = dist_max;

    // The seconds fall into one column per grid step.
    std::string_view format;
    switch (ngri) {
        case 1: format = "(F8.1,2(',',F8.1),',',I3,',',1PE10.3)"; break;
        case 2: format = "(F8.1,2(',',F8.1),',',I3,',,',1PE10.3)"; break;
        case 4: format = "(F8.1,2(',',F8.1),',',I3,',,,',1PE10.3)"; break;
        case 8: format = "(F8.1,2(',',F8.1),',',I3,',,,,',1PE10.3)"; break;
        default: break;
    }
    cline.clear();
    if (format.empty()) {
        return;
    }
    cline = fortran_write(format, {posi00.t_rch, posi00.z_rch, dist_max, ngri * static_cast<int>(dxy_c),
                                   reach_seconds(posi00.nav_tim, reach_clock_now())});
    if (cmndta001.qfr) {
        subs_dot_comma(cline);
    }
    if (airspace_trace_enabled()) {
        airspace_trace(cline);
    }
}

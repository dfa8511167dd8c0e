// The start of a new reachability computation: the start point (moved off a
// slope when the glider flies fast), the window round it (shifted forward
// along the recorded track), the candidate cells and the candidate box. The
// columns are marked in parallel; each cell is marked on its own.

#include <algorithm>
#include <climits>
#include <cmath>
#include <span>

#include "foundation/fortran_format.h"
#include "foundation/geometry.h"
#include "foundation/number_text.h"
#include "foundation/reach_settings.h"
#include "foundation/terrain_extents.h"
#include "terrain/airspace_proximity.h"
#include "terrain/glide_line.h"
#include "terrain/grid_access.h"
#include "terrain/reach_clock.h"
#include "terrain/reach_pass_steps.h"
#include "terrain/reach_records.h"

namespace {

// The window looks back along the track for a point at least this long ago
// (seconds), over at most this many points.
constexpr float kShiftLookBack = 60.0f;
constexpr int kShiftPoints = 61;
// Tracks moved less than this far (metres) shift nothing; at this speed (m/s)
// and above the shift is a quarter of the grid.
constexpr float kShiftLeastDistance = 500.0f;
constexpr float kShiftFullSpeed = 80.0f;

// Track points 1 .. n that pelloran_mod holds.
int track_points() {
    const int stored = std::max(static_cast<int>(pelloran_mod.ppsec.size()) - 1, 0);
    return std::clamp(loca02.ntot, 0, stored);
}

const TrackPoint& point(int n) { return pelloran_mod.ppsec[static_cast<std::size_t>(n)]; }

// The track point at or just before t0, from 1 (0 without a track). A track
// whose times do not advance gives its first point.
int locate_on_track(float t0) {
    const int ntot = track_points();
    if (ntot < 1) {
        return 0;
    }
    int nt01 = 1;
    if (ntot >= 2) {
        const float ddtt = (point(ntot)[0] - point(1)[0]) / static_cast<float>(ntot - 1);
        if (ddtt > 0.0f) {
            const float guess = std::clamp((t0 - point(1)[0]) / ddtt, 1.0f, static_cast<float>(ntot));
            nt01 = std::clamp(nearest_int(guess), 1, ntot);
        }
    }
    for (;;) {
        if (nt01 < ntot && t0 > point(nt01 + 1)[0]) {
            ++nt01;
        } else if (nt01 >= 2 && t0 < point(nt01)[0]) {
            --nt01;
        } else {
            return nt01;
        }
    }
}

// The ground speed between track points nt01 - 1 and nt01; 0 when there is
// no earlier point or no time between them.
float track_speed(int nt01) {
    if (nt01 < 2) {
        return 0.0f;
    }
    const TrackPoint& a = point(nt01 - 1);
    const TrackPoint& b = point(nt01);
    const float dt = b[0] - a[0];
    return dt > 0.0f ? point_distance(a[1], a[2], b[1], b[2]) / dt : 0.0f;
}

// The forward shift of the window: xdcnt, ydcnt and the start's reach cell
// nd_i + 1, nd_j + 1. The track is in the landscape frame; the shift along x
// is worked out in the grid frame and returned in the landscape frame.
void window_shift(int nrcdim1, int nrcdim2, int nt01, float t0, float& xdcnt, float& ydcnt, int& nd_i, int& nd_j) {
    xdcnt = 0.0f;
    ydcnt = 0.0f;
    nd_i = (nrcdim1 - 1) / 2;
    nd_j = (nrcdim2 - 1) / 2;
    if (!pelrn00.qdecentr || track_points() < 3 || nt01 < 1) {
        return;
    }
    int nt1 = nt01;
    for (int k = nt01 - 1; k >= nt01 - kShiftPoints; --k) {
        if (k < 1) {
            nt1 = 1;
            break;
        }
        if (t0 - point(k)[0] > kShiftLookBack) {
            nt1 = k;
            break;
        }
    }
    const float dx = reach_pass.x00 - (trn001.x_scn_mx - point(nt1)[1]);
    const float dy = reach_pass.y00 - point(nt1)[2];
    const float dddd = std::sqrt(dx * dx + dy * dy);
    const float dt = t0 - point(nt1)[0];
    if (!(dddd > kShiftLeastDistance) || !(dt > 0.0f)) {
        return;
    }
    const float f = std::min(dddd / dt / kShiftFullSpeed, 1.0f);
    ydcnt = f * dy / dddd;
    const int nndx = nearest_int(f * (dx / dddd) * static_cast<float>(nrcdim1 - 1) * 0.25f);
    xdcnt = -f * dx / dddd;
    const int nndy = nearest_int(static_cast<float>(nrcdim2 - 1) * 0.25f * ydcnt);
    const int step = std::max(pelrn00.max_gri, 1);
    nd_i = (nrcdim1 - 1) / 2 - step * (nndx / step);
    nd_j = (nrcdim2 - 1) / 2 - step * (nndy / step);
}

// The candidates of a part of the reach grid: their box and count.
struct Marks {
    int imin = INT_MAX;
    int imax = INT_MIN;
    int jmin = INT_MAX;
    int jmax = INT_MIN;
    int count = 0;
};

// Sets the cells of column ii: their centres, no arrival, no connection,
// and the state: candidates are the cells a glide over flat ground at their
// own height reaches sfty_g above them, the others are outside.
void mark_column(int ii, int nrcdim2, CellTable<GlidePoint>& ppp_rch, CellTable<int>& n_rch, Marks& m) {
    const Trn001& t = trn001;
    const ReachPass& rp = reach_pass;
    const float xg = dxy_c * static_cast<float>(ii + rch001.irch_1 + t.i_00 - 2) - dxy_c_s2;
    const std::span<int> connections = reachable_mod.l_connect.column(ii);
    std::fill(connections.begin(), connections.end(), kNoConnection);
    const std::span<int> states = n_rch.column(ii);
    std::fill(states.begin(), states.end(), kReachOutside);
    for (int jj = 1; jj <= nrcdim2; ++jj) {
        GlidePoint& p = ppp_rch(ii, jj);
        p.x = t.x_scn_mx - xg;
        p.y = dxy_c * static_cast<float>(jj + rch001.jrch_1 + t.j_00 - 2) - dxy_c_s2;
        p.z = kNoArrival;
        int i = 0;
        int j = 0;
        if (!reach_terrain_cell(ii, jj, i, j)) {
            continue;
        }
        const float d = point_distance(rp.x00, rp.y00, xg, p.y);
        if (!(d > 0.0f)) {
            continue;
        }
        const float fff = wind_factor((xg - rp.x00) / d, (p.y - rp.y00) / d);
        if (rp.z00 - fff * d * loca00.fcalc_inv > altitude.zp(i, j) + loca00.sfty_g) {
            n_rch(ii, jj) = kReachCandidate;
            m.imin = std::min(m.imin, ii);
            m.imax = std::max(m.imax, ii);
            m.jmin = std::min(m.jmin, jj);
            m.jmax = std::max(m.jmax, jj);
            ++m.count;
        }
    }
}

// Every column, shared by the threads: each cell is its own, and the box is
// a minimum and a maximum, the same in any order.
Marks mark_candidates(int nrcdim1, int nrcdim2, CellTable<GlidePoint>& ppp_rch, CellTable<int>& n_rch) {
    int imin = INT_MAX;
    int imax = INT_MIN;
    int jmin = INT_MAX;
    int jmax = INT_MIN;
    int count = 0;
#pragma omp parallel for schedule(dynamic, 16) num_threads(reach_threads()) \
    reduction(min : imin, jmin) reduction(max : imax, jmax) reduction(+ : count)
    for (int ii = 1; ii <= nrcdim1; ++ii) {
        Marks m;
        mark_column(ii, nrcdim2, ppp_rch, n_rch, m);
        imin = std::min(imin, m.imin);
        imax = std::max(imax, m.imax);
        jmin = std::min(jmin, m.jmin);
        jmax = std::max(jmax, m.jmax);
        count += m.count;
    }
    return {imin, imax, jmin, jmax, count};
}

}  // namespace

void new_reach_computation(int nrcdim1, int nrcdim2, CellTable<GlidePoint>& ppp_rch, CellTable<int>& n_rch, int ngri,
                           float x0, float y0, float z0, float t0, float& xdcnt, float& ydcnt, float s_tim) {
    ReachPass& rp = reach_pass;
    Rch001& w = rch001;
    // Every cell is set by the marking.
    ppp_rch.assign_for_overwrite(nrcdim1, nrcdim2);
    n_rch.assign_for_overwrite(nrcdim1, nrcdim2);
    rp.nex_tot = 0;
    rp.x00 = trn001.x_scn_mx - x0;
    rp.y00 = y0;
    rp.z00 = z0;
    posi00.x_rch = x0;
    posi00.y_rch = y0;
    posi00.z_rch = z0;
    posi00.t_rch = t0;

    const int nt01 = locate_on_track(t0);
    if (track_speed(nt01) > loca00.vfmax) {
        float dhg = 0.0f;
        int nslope = 0;
        slope(rp.x00, rp.y00, rp.z00, loca00.sfty_g, altitude.zp, dhg, nslope);
    }
    int i_cur = 0;
    int j_cur = 0;
    rechxy(rp.x00, rp.y00, i_cur, j_cur);
    int nd_i = 0;
    int nd_j = 0;
    window_shift(nrcdim1, nrcdim2, nt01, t0, xdcnt, ydcnt, nd_i, nd_j);

    w.irch_1 = i_cur - nd_i;
    w.jrch_1 = j_cur - nd_j;
    w.s_tim_0 = s_tim;
    rp.nr1 = 0;
    rp.nr_para.fill(0);
    // The box starts empty: nrcdim .. 1.
    const Marks m = mark_candidates(nrcdim1, nrcdim2, ppp_rch, n_rch);
    w.irch_min = std::min(nrcdim1, m.imin);
    w.irch_max = std::max(1, m.imax);
    w.jrch_min = std::min(nrcdim2, m.jmin);
    w.jrch_max = std::max(1, m.jmax);
    const int marked = m.count;
    rp.t_mark = reach_seconds(s_tim, reach_clock_now());
    reach_trace(fortran_write("(' P0',I10,1X,F8.3)", {marked, rp.t_mark}));

    adjust_limits(nrcdim1, nrcdim2, trn001.ni_00, trn001.nj_00, w.irch_1, w.jrch_1, ngri, w.irch_min, w.irch_max,
                  w.jrch_min, w.jrch_max);
    // Reach cell k stands on terrain cell k + offset - 1, which spans
    // 90 (k + offset + origin - 3) .. 90 (k + offset + origin - 2): the
    // window runs from the outer edge of the box's first cell to the outer
    // edge of its last.
    const auto low_edge = [](int k, int offset, int origin) {
        return dxy_c * static_cast<float>(k + offset + origin - 3);
    };
    w.xrch_min = low_edge(w.irch_min, w.irch_1, trn001.i_00);
    w.xrch_max = low_edge(w.irch_max, w.irch_1, trn001.i_00) + dxy_c;
    w.yrch_min = low_edge(w.jrch_min, w.jrch_1, trn001.j_00);
    w.yrch_max = low_edge(w.jrch_max, w.jrch_1, trn001.j_00) + dxy_c;
    if (pelrn00.qnav) {
        nav_airspace(rp.x00, rp.y00, rp.z00);
    }
}

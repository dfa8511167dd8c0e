// get_reach_p_nav and refine_reach.

#include "terrain/reach_driver.h"

#include <omp.h>

#include <algorithm>
#include <string>

#include "foundation/fortran_format.h"
#include "foundation/geometry.h"
#include "foundation/gui_hooks.h"
#include "foundation/reach_settings.h"
#include "foundation/tell.h"
#include "foundation/terrain_extents.h"
#include "terrain/grid_access.h"
#include "terrain/reach_clock.h"
#include "terrain/reach_pass_steps.h"
#include "terrain/reach_passes.h"
#include "terrain/reach_records.h"

ReachNav reach_nav;

void reset_reach_nav() { reach_nav = ReachNav{}; }

namespace {

// A computation faster than this halves the next one's step, one slower
// doubles it; refinement goes on while the computation is younger than the
// budget (seconds).
constexpr float kFastComputation = 0.3f;
constexpr float kSlowComputation = 0.9f;
constexpr float kRefineBudget = 0.9f;

bool steps_allowed() {
    const int lo = pelrn00.min_gri;
    const int hi = pelrn00.max_gri;
    if (valid_reach_step(lo) && valid_reach_step(hi) && lo <= hi) {
        return true;
    }
    const std::string steps = std::to_string(lo) + " .. " + std::to_string(hi);
    tell_and_count(
        kError, in_user_language("Reach grid steps " + steps + " refused: each is 1, 2, 4 or 8 cells, the finest first",
                                 "Pas de grille d'atteignabilit\xE9 " + steps +
                                     " refus\xE9s : chacun vaut 1, 2, 4 ou 8 cellules, le plus fin d'abord"));
    return false;
}

// The step to start with, from the time the last computation took.
int choose_step() {
    ReachNav& nav = reach_nav;
    nav.start_gri = std::clamp(nav.start_gri, pelrn00.min_gri, pelrn00.max_gri);
    if (!nav.qtimed) {
        nav.start_gri = pelrn00.max_gri;
    } else if (nav.rchtim < kFastComputation && nav.start_gri > pelrn00.min_gri) {
        nav.start_gri /= 2;
    } else if (nav.rchtim > kSlowComputation && nav.start_gri < pelrn00.max_gri) {
        nav.start_gri *= 2;
    }
    return nav.start_gri;
}

void trace_stage(const char* label, int ngri, float began, float nav_tim) {
    const float now = reach_clock_now();
    reach_trace(
        fortran_write("(1X,A,I2,2(1X,F8.3))", {label, ngri, reach_seconds(began, now), reach_seconds(nav_tim, now)}));
}

// The result into the caller's arrays, whole columns to each thread.
void copy_result(int nrcdim1, int nrcdim2, CellTable<GlidePoint>& ppp_rch_c, CellTable<int>& n_rch_c) {
    const CellTable<GlidePoint>& ppp = reach_nav.ppp_rch;
    const CellTable<int>& n = reach_nav.n_rch;
    ppp_rch_c.assign_for_overwrite(nrcdim1, nrcdim2);
    n_rch_c.assign_for_overwrite(nrcdim1, nrcdim2);
#pragma omp parallel for schedule(static) num_threads(reach_threads())
    for (int ii = 1; ii <= nrcdim1; ++ii) {
        std::copy(ppp.column(ii).begin(), ppp.column(ii).end(), ppp_rch_c.column(ii).begin());
        std::copy(n.column(ii).begin(), n.column(ii).end(), n_rch_c.column(ii).begin());
    }
}

// A corner of a coarse cell being refined: its connection, its arrival
// altitude, and the source point behind its connection.
struct Corner {
    int lc = 0;
    float z = 0.0f;
    GlidePoint source;
};

// The corner (ii, jj); false when its connection names no source.
bool corner_at(int ii, int jj, int nrcdim1, int nrcdim2, const CellTable<GlidePoint>& ppp_rch, const GlidePoint& start,
               Corner& c) {
    c.lc = reachable_mod.l_connect(ii, jj);
    c.z = ppp_rch(ii, jj).z;
    int ic = 0;
    int jc = 0;
    if (c.lc < 0 || (c.lc > 0 && !decode_reach_cell(c.lc, nrcdim1, nrcdim2, ic, jc))) {
        return false;
    }
    get_xyz(c.lc, start.x, start.y, start.z, nrcdim1, nrcdim2, ppp_rch, c.source.x, c.source.y, c.source.z);
    return true;
}

// The altitude a glide from the corner's source reaches over the centre of
// `cell` (landscape frame), the wind factor taken in the grid frame.
float glide_value(const Corner& c, const GlidePoint& cell) {
    const float d = point_distance(c.source.x, c.source.y, cell.x, cell.y);
    const float fff = d > 0.0f ? wind_factor(-(cell.x - c.source.x) / d, (cell.y - c.source.y) / d) : 1.0f;
    return c.source.z - fff * d * loca00.fcalc_inv;
}

// Fills fine cell (ii, jj) from its corners, the coarse cell it is refined
// from first, unless the value does not clear the cell's terrain by sfty_g:
// a peak between two reached cells is not reached by a value taken from
// them, and the passes that follow find the cell's true value. A cell off
// the terrain is not filled either.
// Corners sharing one connection give it and the mean of their altitudes.
// Otherwise the best glide from their sources: of two, the second on a tie;
// of four (taken 00, 20, 22, 02), a later one only when strictly better.
bool fill_cell(int ii, int jj, std::initializer_list<const Corner*> corners, CellTable<GlidePoint>& ppp_rch,
               CellTable<int>& n_rch) {
    int i = 0;
    int j = 0;
    if (!reach_terrain_cell(ii, jj, i, j)) {
        return false;
    }
    GlidePoint& cell = ppp_rch(ii, jj);
    const Corner* first = *corners.begin();
    const bool shared =
        std::all_of(corners.begin(), corners.end(), [&](const Corner* c) { return c->lc == first->lc; });
    int lc = first->lc;
    float z = 0.0f;
    if (shared) {
        float sum = 0.0f;
        for (const Corner* c : corners) {
            sum += c->z;
        }
        z = sum / static_cast<float>(corners.size());
    } else if (corners.size() == 2) {
        const Corner* other = *(corners.begin() + 1);
        const float z_first = glide_value(*first, cell);
        const float z_other = glide_value(*other, cell);
        z = z_first > z_other ? z_first : z_other;
        lc = z_first > z_other ? first->lc : other->lc;
    } else {
        z = glide_value(*first, cell);
        for (auto it = corners.begin() + 1; it != corners.end(); ++it) {
            const float zc = glide_value(**it, cell);
            if (zc > z) {
                z = zc;
                lc = (*it)->lc;
            }
        }
    }
    if (!(z > altitude.zp(i, j) + loca00.sfty_g)) {
        return false;
    }
    cell.z = z;
    n_rch(ii, jj) = kReachFilled;
    reachable_mod.l_connect(ii, jj) = lc;
    return true;
}

}  // namespace

void refine_reach(int nrcdim1, int nrcdim2, CellTable<GlidePoint>& ppp_rch, CellTable<int>& n_rch, int& nex, int ngri,
                  float x0, float y0, float z0) {
    const float began = reach_clock_now();
    ReachNav& nav = reach_nav;
    nav.ngri_0 = 2 * ngri;
    const int g0 = nav.ngri_0;
    pelrn00.ngri_cur = ngri;
    const GlidePoint start{x0, y0, z0};
    const auto reached = [&](int ii, int jj) { return n_rch(ii, jj) >= kReachStraight; };
    int ninter = 0;
    for (int jj = 1; jj <= nrcdim2; jj += g0) {
        for (int ii = 1; ii <= nrcdim1; ii += g0) {
            int i = 0;
            int j = 0;
            Corner c00;
            if (!reach_terrain_cell(ii, jj, i, j) || !reached(ii, jj) ||
                !corner_at(ii, jj, nrcdim1, nrcdim2, ppp_rch, start, c00)) {
                continue;
            }
            const int iip2 = ii + g0;
            const int jjp2 = jj + g0;
            Corner c20;
            Corner c02;
            Corner c22;
            const bool east =
                iip2 <= nrcdim1 && reached(iip2, jj) && corner_at(iip2, jj, nrcdim1, nrcdim2, ppp_rch, start, c20);
            const bool north =
                jjp2 <= nrcdim2 && reached(ii, jjp2) && corner_at(ii, jjp2, nrcdim1, nrcdim2, ppp_rch, start, c02);
            if (east) {
                ninter += fill_cell(ii + ngri, jj, {&c00, &c20}, ppp_rch, n_rch) ? 1 : 0;
                if (north && reached(iip2, jjp2) && corner_at(iip2, jjp2, nrcdim1, nrcdim2, ppp_rch, start, c22)) {
                    ninter += fill_cell(ii + ngri, jj + ngri, {&c00, &c20, &c22, &c02}, ppp_rch, n_rch) ? 1 : 0;
                }
            }
            if (north) {
                ninter += fill_cell(ii, jj + ngri, {&c00, &c02}, ppp_rch, n_rch) ? 1 : 0;
            }
        }
    }
    nex += ninter;
    const float took = reach_seconds(began, reach_clock_now());
    reach_trace(fortran_write("('G:',I1,'->G:',I1,I7,I7,1X,1PE8.2,'s (',1PE8.2,'s/pt) tot:',1PE8.2,'s')",
                              {g0, ngri, ninter, nex, took, ninter > 0 ? took / static_cast<float>(ninter) : 0.0f,
                               reach_seconds(rch001.s_tim_0, reach_clock_now())}));
}

bool get_reach_p_nav(int nrcdim1, int nrcdim2, CellTable<GlidePoint>& ppp_rch_c, CellTable<int>& n_rch_c, int& nex,
                     int& ngri, float x0, float y0, float z0, float t0, int nt0, float& xdcnt, float& ydcnt) {
    if (!steps_allowed()) {
        return false;
    }
    ReachNav& nav = reach_nav;
    reach_trace(std::string(65, '-'));
    const float nav_tim = reach_clock_now();
    posi00.nav_tim = nav_tim;
    const int step = choose_step();
    pelrn00.qrefining = false;
    upd_rchgri(step);
    int n = kNewComputation;
    float began = reach_clock_now();
    if (!get_reach_p(nrcdim1, nrcdim2, nav.ppp_rch, nav.n_rch, n, step, x0, y0, z0, t0, nt0, xdcnt, ydcnt)) {
        return false;
    }
    trace_stage("P1  ", step, began, nav_tim);
    began = reach_clock_now();
    get_reach_p(nrcdim1, nrcdim2, nav.ppp_rch, nav.n_rch, n, step, x0, y0, z0, t0, nt0, xdcnt, ydcnt);
    float last_pass = reach_clock_now();
    trace_stage("P2  ", step, began, nav_tim);
    int g = step;
    if (pelrn00.qrefgri) {
        pelrn00.qrefining = true;
        while (g > pelrn00.min_gri && reach_seconds(nav_tim, reach_clock_now()) < kRefineBudget) {
            g /= 2;
            began = reach_clock_now();
            refine_reach(nrcdim1, nrcdim2, nav.ppp_rch, nav.n_rch, n, g, x0, y0, z0);
            trace_stage("R   ", g, began, nav_tim);
            n = -1;
            began = reach_clock_now();
            get_reach_p(nrcdim1, nrcdim2, nav.ppp_rch, nav.n_rch, n, g, x0, y0, z0, t0, nt0, xdcnt, ydcnt);
            trace_stage("P1  ", g, began, nav_tim);
            began = reach_clock_now();
            get_reach_p(nrcdim1, nrcdim2, nav.ppp_rch, nav.n_rch, n, g, x0, y0, z0, t0, nt0, xdcnt, ydcnt);
            last_pass = reach_clock_now();
            trace_stage("P2  ", g, began, nav_tim);
        }
        pelrn00.qrefining = false;
    }
    began = reach_clock_now();
    copy_result(nrcdim1, nrcdim2, ppp_rch_c, n_rch_c);
    trace_stage("CO  ", g, began, nav_tim);
    nav.rchtim = reach_seconds(nav_tim, last_pass);
    nav.qtimed = true;
    ngri = g;
    nex = n;
    return true;
}

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
    if (lo >= 1 && lo <= hi) {
        return true;
    }
    const std::string steps = std::to_string(lo) + " .. " + std::to_string(hi);
    tell_and_count(
        kError, in_user_language("Reach grid steps " + steps + " refused: each is at least 1 cell, the finest first",
                                 "Pas de grille d'atteignabilit\xE9 " + steps +
                                     " refus\xE9s : chacun vaut au moins 1 cellule, le plus fin d'abord"));
    return false;
}

// The step halved, never below the finest; doubled, never above the coarsest.
int halved_step(int step) { return std::max(step / 2, pelrn00.min_gri); }
int doubled_step(int step) { return step > pelrn00.max_gri / 2 ? pelrn00.max_gri : 2 * step; }

// The step to start with, from the time the last computation took.
int choose_step() {
    ReachNav& nav = reach_nav;
    nav.start_gri = std::clamp(nav.start_gri, pelrn00.min_gri, pelrn00.max_gri);
    if (!nav.qtimed) {
        nav.start_gri = pelrn00.max_gri;
    } else if (nav.rchtim < kFastComputation && nav.start_gri > pelrn00.min_gri) {
        nav.start_gri = halved_step(nav.start_gri);
    } else if (nav.rchtim > kSlowComputation && nav.start_gri < pelrn00.max_gri) {
        nav.start_gri = doubled_step(nav.start_gri);
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

// A corner of a coarse cell with its weight at a fine cell: the product of
// the fine cell's nearness to it along each axis (1 - its distance in
// coarse steps).
struct Weighted {
    const Corner* corner;
    float weight;
};

// Fills fine cell (ii, jj) from its corners, the coarse cell it is refined
// from first, unless the value does not clear the cell's terrain by sfty_g:
// a peak between two reached cells is not reached by a value taken from
// them, and the passes that follow find the cell's true value. A cell off
// the terrain is not filled either.
// Corners sharing one connection give it and their altitudes weighted by
// the cell's place between them: their mean at the cell halfway, the only
// one when the step was halved. Otherwise the best glide from their
// sources: of two, the second on a tie; of four (taken 00, 20, 22, 02), a
// later one only when strictly better.
bool fill_cell(int ii, int jj, std::initializer_list<Weighted> corners, CellTable<GlidePoint>& ppp_rch,
               CellTable<int>& n_rch) {
    int i = 0;
    int j = 0;
    if (!reach_terrain_cell(ii, jj, i, j)) {
        return false;
    }
    GlidePoint& cell = ppp_rch(ii, jj);
    const Corner* first = corners.begin()->corner;
    const bool shared =
        std::all_of(corners.begin(), corners.end(), [&](const Weighted& c) { return c.corner->lc == first->lc; });
    int lc = first->lc;
    float z = 0.0f;
    if (shared) {
        for (const Weighted& c : corners) {
            z += c.weight * c.corner->z;
        }
    } else if (corners.size() == 2) {
        const Corner* other = (corners.begin() + 1)->corner;
        const float z_first = glide_value(*first, cell);
        const float z_other = glide_value(*other, cell);
        z = z_first > z_other ? z_first : z_other;
        lc = z_first > z_other ? first->lc : other->lc;
    } else {
        z = glide_value(*first, cell);
        for (auto it = corners.begin() + 1; it != corners.end(); ++it) {
            const float zc = glide_value(*it->corner, cell);
            if (zc > z) {
                z = zc;
                lc = it->corner->lc;
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

// The cells of step ngri (1, 1 + ngri, ...) along one axis strictly between
// a coarse cell k and the next one, k + g0: from `first` while below `end`.
// When the coarse step is a multiple of ngri (twice it when the step was
// halved) they are the cells between, k being one of them; otherwise the
// two lattices meet only here and there, and every cell of step ngri still
// lies between two coarse cells.
struct FineCells {
    int first;
    int end;
    bool on_coarse;  // k itself is a cell of step ngri
};

FineCells fine_cells(int k, int g0, int ngri) {
    return {(k - 1) / ngri * ngri + 1 + ngri, k + g0, (k - 1) % ngri == 0};
}

// The nearness of fine index f to coarse index k (1 at k, 0 at k + g0).
float nearness(int f, int k, int g0) { return 1.0f - static_cast<float>(f - k) / static_cast<float>(g0); }

}  // namespace

void refine_reach(int nrcdim1, int nrcdim2, CellTable<GlidePoint>& ppp_rch, CellTable<int>& n_rch, int& nex, int ngri,
                  float x0, float y0, float z0, int ngri_0) {
    const float began = reach_clock_now();
    ReachNav& nav = reach_nav;
    nav.ngri_0 = ngri_0 > 0 ? ngri_0 : 2 * ngri;
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
            const FineCells across = fine_cells(ii, g0, ngri);
            const FineCells up = fine_cells(jj, g0, ngri);
            Corner c20;
            Corner c02;
            Corner c22;
            const bool east =
                iip2 <= nrcdim1 && reached(iip2, jj) && corner_at(iip2, jj, nrcdim1, nrcdim2, ppp_rch, start, c20);
            const bool north =
                jjp2 <= nrcdim2 && reached(ii, jjp2) && corner_at(ii, jjp2, nrcdim1, nrcdim2, ppp_rch, start, c02);
            if (east) {
                if (up.on_coarse) {
                    for (int fi = across.first; fi < across.end; fi += ngri) {
                        const float wi = nearness(fi, ii, g0);
                        ninter += fill_cell(fi, jj, {{&c00, wi}, {&c20, 1.0f - wi}}, ppp_rch, n_rch) ? 1 : 0;
                    }
                }
                if (north && reached(iip2, jjp2) && corner_at(iip2, jjp2, nrcdim1, nrcdim2, ppp_rch, start, c22)) {
                    for (int fj = up.first; fj < up.end; fj += ngri) {
                        const float wj = nearness(fj, jj, g0);
                        for (int fi = across.first; fi < across.end; fi += ngri) {
                            const float wi = nearness(fi, ii, g0);
                            ninter += fill_cell(fi, fj,
                                                {{&c00, wi * wj},
                                                 {&c20, (1.0f - wi) * wj},
                                                 {&c22, (1.0f - wi) * (1.0f - wj)},
                                                 {&c02, wi * (1.0f - wj)}},
                                                ppp_rch, n_rch)
                                          ? 1
                                          : 0;
                        }
                    }
                }
            }
            if (north && across.on_coarse) {
                for (int fj = up.first; fj < up.end; fj += ngri) {
                    const float wj = nearness(fj, jj, g0);
                    ninter += fill_cell(ii, fj, {{&c00, wj}, {&c02, 1.0f - wj}}, ppp_rch, n_rch) ? 1 : 0;
                }
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
            const int coarse = g;
            g = halved_step(g);
            began = reach_clock_now();
            refine_reach(nrcdim1, nrcdim2, nav.ppp_rch, nav.n_rch, n, g, x0, y0, z0, coarse);
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

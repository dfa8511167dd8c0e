// The first pass of a reachability computation: a straight glide from the
// start to every candidate cell, the columns of the window dealt to the
// threads one at a time as they become free (on real relief lines differ
// much in work, so equal blocks would leave threads idle; a column's cells
// lie together in the tables). Each cell is written by the one
// thread that traces it and its result depends only on the start and the
// terrain, so any dealing gives the same cells bit for bit.

#include <omp.h>

#include <algorithm>
#include <chrono>
#include <cmath>

#include "airspace/airspace_records.h"
#include "airspace/load_mode.h"
#include "foundation/fortran_format.h"
#include "foundation/geometry.h"
#include "foundation/message_records.h"
#include "foundation/reach_settings.h"
#include "foundation/terrain_extents.h"
#include "terrain/airspace_proximity.h"
#include "terrain/grid_access.h"
#include "terrain/reach_clock.h"
#include "terrain/reach_pass_steps.h"
#include "terrain/reach_records.h"

namespace {

// Step limits of the straight glide, metres.
constexpr float kShortestStep = 90.0f;
constexpr float kLowStep = 180.0f;
constexpr float kLongestStep = 540.0f;
// A glide has arrived when less than this remains, metres.
constexpr float kArrived = 0.9f;

// The step after one of length dd, at a height h over the ground that was
// h_prev a step earlier: 90 m below 2 sfty_g; otherwise by the distance
// X = (2 sfty_g - h) / ((h - h_prev) / (dd + 0.1)) until the height falls to
// 2 sfty_g at the last rate, at most 180 m below 3 sfty_g and 540 m above; a
// step grows by at most 90 m. A rate of 0, or an X beyond 540 m either way,
// gives the same step as an X above every limit: X is worked out only when
// it may lie within 540 m, which keeps the divisions off the common road.
float next_step(float dd, float h, float h_prev, float s) {
    float limit = kShortestStep;
    if (h >= 2.0f * s) {
        const float dh = h - h_prev;
        const float gap = 2.0f * s - h;
        const bool low = h < 3.0f * s;
        limit = low ? kLowStep : kLongestStep;
        if (dh != 0.0f && std::fabs(gap) * (dd + 0.1f) <= kLongestStep * std::fabs(dh)) {
            const float rate = dh / (dd + 0.1f);
            if (rate != 0.0f) {
                const float x = gap / rate;
                if (x >= 0.0f) {
                    limit = low ? (x > kLowStep ? kLowStep : std::max(x, kShortestStep))
                                : std::min(std::max(x, kShortestStep), kLongestStep);
                }
            }
        }
    }
    return std::min(dd + kShortestStep, limit);
}

// Whether the point (x, y) at altitude z is clear of the short-listed
// airspace, when glides are checked against it.
bool airspace_clear(float x, float y, float z, int kt) {
    if (!as0003.qcheckas_trj) {
        return true;
    }
    int k_typ = kNoZoneFound;
    return check_as_gr(x, y, z, notinderog(x, y), as0003.qchk_posas, k_typ, kt);
}

double thread_seconds() {
    return std::chrono::duration<double>(std::chrono::steady_clock::now().time_since_epoch()).count();
}

}  // namespace

int clamp_thread_count(int requested, int available) {
    return std::clamp(requested, 1, std::clamp(available, 1, mxthrds));
}

int reach_threads() { return clamp_thread_count(pelrn00.num_threads, omp_get_max_threads()); }

void init_mp() {
    const int available = omp_get_max_threads();
    pelrn00.num_threads = clamp_thread_count(pelrn00.num_threads, available);
    reach_trace(fortran_write("(' THREADS',2(1X,I4))", {pelrn00.num_threads, available}));
    reach_pass.qinit_mp = true;
}

namespace {

// Positions this close to the grid's edge take the checked ground sampler.
constexpr float kEdgeMargin = 2.0f;

// One straight glide of rech_ld, advanced a step at a time.
struct StraightGlide {
    enum Status { going, arrived, stopped };

    int ii = 0;
    int jj = 0;
    float px = 0.0f;
    float py = 0.0f;
    float zc = 0.0f;
    float zg = 0.0f;
    float h_prev = 0.0f;
    float r = 0.0f;
    float dd = kShortestStep;
    float dxu = 0.0f;
    float dyu = 0.0f;
    float loss = 0.0f;
    bool first = true;
    bool inside = false;  // every point has its ground stencil on the grid

    // Sets the glide from the start to reach cell (ii, jj); false for a cell
    // within 90 m of the start, which is left as it is.
    bool begin(float x00, float y00, float z00, int i, int j, const CellTable<GlidePoint>& ppp_rch,
               const GroundView& ground) {
        const GlidePoint& cell = ppp_rch(i, j);
        const float xc = trn001.x_scn_mx - cell.x;
        const float yc = cell.y;
        const float d = point_distance(x00, y00, xc, yc);
        if (d <= kShortestStep) {
            return false;
        }
        ii = i;
        jj = j;
        dxu = (xc - x00) / d;
        dyu = (yc - y00) / d;
        loss = wind_factor(dxu, dyu) * loca00.fcalc_inv;
        px = x00;
        py = y00;
        zc = z00;
        r = d;
        dd = kShortestStep;
        first = true;
        // The grid is a rectangle: both ends inside put the whole line inside.
        inside = ground.inside(x00, y00, kEdgeMargin) && ground.inside(xc, yc, kEdgeMargin);
        zg = inside ? ground.at_inside(px, py) : ground.at(px, py);
        h_prev = zc - zg;
        return true;
    }

    Status advance(const GroundView& ground, float s, bool check_airspace, int kt) {
        if (!(zc > zg + s && zg > kOffGridLimit) || (check_airspace && !airspace_clear(px, py, zc, kt))) {
            return stopped;
        }
        if (std::fabs(r) < kArrived) {
            return arrived;
        }
        if (!first) {
            const float h = zc - zg;
            dd = next_step(dd, h, h_prev, s);
            h_prev = h;
        }
        first = false;
        dd = std::min(dd, r);
        px += dd * dxu;
        py += dd * dyu;
        zc -= dd * loss;
        zg = inside ? ground.at_inside(px, py) : ground.at(px, py);
        r -= dd;
        return going;
    }
};

void record_arrival(const StraightGlide& g, CellTable<GlidePoint>& ppp_rch, CellTable<int>& n_rch, int& nr1) {
    ppp_rch(g.ii, g.jj).z = g.zc;
    n_rch(g.ii, g.jj) = kReachStraight;
    reachable_mod.l_connect(g.ii, g.jj) = 0;
    ++nr1;
}

}  // namespace

void rech_ld(float x00, float y00, float z00, int ii, int jj, const GroundView& ground, CellTable<GlidePoint>& ppp_rch,
             CellTable<int>& n_rch, int& nr1, int kt) {
    StraightGlide g;
    if (!g.begin(x00, y00, z00, ii, jj, ppp_rch, ground)) {
        return;
    }
    StraightGlide::Status status = StraightGlide::going;
    while (status == StraightGlide::going) {
        status = g.advance(ground, loca00.sfty_g, as0003.qcheckas_trj, kt);
    }
    if (status == StraightGlide::arrived) {
        record_arrival(g, ppp_rch, n_rch, nr1);
    }
}

namespace {

// The first pass's work on column ii: every candidate of rows jcal_min ..
// jcal_max in steps of ngri (a column's cells lie together in the tables).
// traced: the candidates.
void trace_column(int ii, int jcal_min, int jcal_max, int ngri, const GroundView& ground,
                  CellTable<GlidePoint>& ppp_rch, CellTable<int>& n_rch, int& traced, int& reached, int kt) {
    const ReachPass& rp = reach_pass;
    for (int jj = jcal_min; jj <= jcal_max; jj += ngri) {
        if (n_rch(ii, jj) == kReachCandidate) {
            ++traced;
            rech_ld(rp.x00, rp.y00, rp.z00, ii, jj, ground, ppp_rch, n_rch, reached, kt);
        }
    }
}

}  // namespace

void reach_first_pass(int nrcdim1, int nrcdim2, CellTable<GlidePoint>& ppp_rch, CellTable<int>& n_rch, int& nex,
                      int ngri) {
    ReachPass& rp = reach_pass;
    const Rch001& w = rch001;
    const float start = reach_clock_now();
    if (pelrn00.qrefining) {
        int i_cur = 0;
        int j_cur = 0;
        rechxy(rp.x00, rp.y00, i_cur, j_cur);
        const int ii_cur = i_cur + 1 - w.irch_1;
        const int jj_cur = j_cur + 1 - w.jrch_1;
        // A step up to the finest looks round the start a sixth of the grid
        // each way, one up to twice the finest a third, a coarser step the
        // whole box.
        const long long min_gri = std::max(pelrn00.min_gri, 1);
        if (ngri <= 2 * min_gri) {
            const int hi = ngri <= min_gri ? nrcdim1 / 6 : nrcdim1 / 3;
            const int hj = ngri <= min_gri ? nrcdim2 / 6 : nrcdim2 / 3;
            rp.ical_min = ii_cur - hi;
            rp.ical_max = ii_cur + hi;
            rp.jcal_min = jj_cur - hj;
            rp.jcal_max = jj_cur + hj;
        } else {
            rp.ical_min = w.irch_min;
            rp.ical_max = w.irch_max;
            rp.jcal_min = w.jrch_min;
            rp.jcal_max = w.jrch_max;
        }
    } else {
        rp.ical_min = w.irch_min;
        rp.ical_max = w.irch_max;
        rp.jcal_min = w.jrch_min;
        rp.jcal_max = w.jrch_max;
    }
    adjust_limits(nrcdim1, nrcdim2, trn001.ni_00, trn001.nj_00, w.irch_1, w.jrch_1, ngri, rp.ical_min, rp.ical_max,
                  rp.jcal_min, rp.jcal_max);
    rp.npa = 0;
    rp.nr_para.fill(0);
    rp.nt_para.fill(0);
    rp.lines_para.fill(0);
    rp.tm_para.fill(0.0);
    rp.first_para.fill(0);
    rp.last_para.fill(0);
    rch002.x_best.fill(0.0f);
    rch002.nb_best.fill(1);
    rp.nr1 = 0;

    const int columns = rp.ical_max >= rp.ical_min ? (rp.ical_max - rp.ical_min) / ngri + 1 : 0;
    const int threads = reach_threads();
    const GroundView ground(altitude.zp);
    const int ical_min = rp.ical_min;
    const int jcal_min = rp.jcal_min;
    const int jcal_max = rp.jcal_max;
    int used = 1;
#pragma omp parallel num_threads(threads)
    {
        const int k = omp_get_thread_num() + 1;
        const double began = thread_seconds();
        int traced = 0;
        int reached = 0;
        int taken = 0;
        int first = 0;
        int last = 0;
#pragma omp for schedule(dynamic, 1) nowait
        for (int c = 0; c < columns; ++c) {
            const int ii = ical_min + c * ngri;
            first = taken == 0 ? ii : first;
            last = ii;
            ++taken;
            trace_column(ii, jcal_min, jcal_max, ngri, ground, ppp_rch, n_rch, traced, reached, k);
        }
        const std::size_t slot = static_cast<std::size_t>(k);
        rp.nr_para[slot] = reached;
        rp.nt_para[slot] = traced;
        rp.lines_para[slot] = taken;
        rp.first_para[slot] = first;
        rp.last_para[slot] = last;
        rp.tm_para[slot] = thread_seconds() - began;
        if (k == 1) {
            used = omp_get_num_threads();
        }
    }
    rp.threads_used = used;
    for (int k = 1; k <= mxthrds; ++k) {
        rp.nr1 += rp.nr_para[static_cast<std::size_t>(k)];
    }
    rp.nex_tot += rp.nr1;
    nex = rp.nr1;
    rp.t_first = reach_seconds(start, reach_clock_now());
    if (peldbg00.qdbg_l_0) {
        for (int k = 1; k <= used; ++k) {
            const auto slot = static_cast<std::size_t>(k);
            reach_trace(fortran_write("(' THR',I3,3(1X,I6),2(1X,I9),1X,F8.3)",
                                      {k, rp.lines_para[slot], rp.first_para[slot], rp.last_para[slot],
                                       rp.nt_para[slot], rp.nr_para[slot], rp.tm_para[slot]}));
        }
    }
    reach_trace(fortran_write("(' END P1',3(1X,I9),1X,F8.3)", {rp.npa, rp.nr1, nex, rp.t_first}));
}

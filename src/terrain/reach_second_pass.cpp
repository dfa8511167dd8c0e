// The second pass of a reachability computation: four sweeps that reach
// cells from the cells already reached round them, then the confirmation of
// what the sweeps reached, with the fault report of cells that would lie
// below the safety height. Each sweep builds on what the cells before it in
// the sweep reached; the threads share a sweep as a wavefront that keeps
// that order (see wavefront), so the result is that of one thread.

#include <omp.h>

#include <algorithm>
#include <array>
#include <atomic>
#include <climits>
#include <cmath>
#include <optional>
#include <string>
#include <thread>
#include <vector>

#include "airspace/airspace_records.h"
#include "airspace/load_mode.h"
#include "foundation/fixed_text.h"
#include "foundation/fortran_format.h"
#include "foundation/log.h"
#include "foundation/message_records.h"
#include "foundation/reach_settings.h"
#include "foundation/tell.h"
#include "foundation/terrain_extents.h"
#include "foundation/time_text.h"
#include "platform/console.h"
#include "platform/files.h"
#include "terrain/airspace_proximity.h"
#include "terrain/grid_access.h"
#include "terrain/reach_clock.h"
#include "terrain/reach_pass_steps.h"
#include "terrain/reach_records.h"

namespace {

constexpr float kStep = 90.0f;
constexpr float kArrived = 0.9f;
// Width of the start time's text in the fault report.
constexpr std::size_t kHmsWidth = 8;

// The fault report of one second pass: opened at the first faulty cell,
// closed when the pass ends. Written in the current folder; a report that
// cannot be opened is told once and the pass goes on.
class FaultReport {
public:
    FaultReport(float x0, float y0, float z0, float t0) : x0_(x0), y0_(y0), z0_(z0), t0_(t0) {}

    void add(int ii, int jj, int i, int j, const GlidePoint& cell, float above, int lc, int nrcdim1, int nrcdim2,
             const CellTable<GlidePoint>& ppp_rch) {
        if (!open()) {
            return;
        }
        std::vector<FortranValue> values = {ii, jj, i, j, cell.x, cell.y, above, lc};
        int ic = 0;
        int jc = 0;
        if (lc == 0) {
            values.emplace_back(x0_);
            values.emplace_back(y0_);
        } else if (decode_reach_cell(lc, nrcdim1, nrcdim2, ic, jc)) {
            values.emplace_back(ppp_rch(ic, jc).x);
            values.emplace_back(ppp_rch(ic, jc).y);
        }
        file_->write_line(fortran_write("(4(1X,I6),3(1X,F12.2),1X,I10,2(1X,F12.2))", values));
    }

    ~FaultReport() {
        if (file_ && file_->close() != 0) {
            console_line(" " + name_ + " : write failed");
        }
    }

    FaultReport(const FaultReport&) = delete;
    FaultReport& operator=(const FaultReport&) = delete;

private:
    bool open() {
        if (tried_) {
            return file_.has_value();
        }
        tried_ = true;
        const LogDateTime now = log_date_time();
        name_ = fortran_write("('TarvexBug_',I4.4,5('_',I2.2),A)",
                              {now.year, now.month, now.day, now.hour, now.minute, now.second, ".txt"});
        console_line(" " + name_);
        file_.emplace(name_);
        if (!file_->is_open()) {
            file_.reset();
            tell_and_count(kWarning,
                           in_user_language("The reachability fault report " + name_ + " cannot be written",
                                            "Le rapport d'anomalie d'atteignabilit\xE9 " + name_ +
                                                " ne peut pas \xEAtre \xE9" "crit"));
            return false;
        }
        std::string hms;
        to_hms(t0_, hms, kHmsWidth);
        file_->write_line(trim_right(loca_c.infile));
        file_->write_line(fortran_write("(4(1X,F12.2),1X,A)", {x0_, y0_, z0_, t0_, hms}));
        return true;
    }

    float x0_;
    float y0_;
    float z0_;
    float t0_;
    bool tried_ = false;
    std::string name_;
    std::optional<FileWriter> file_;
};

// The neighbours of a centre in the order rech_vois looks at them, for one
// grid step and one reach grid: ring by ring, each ring from (-np, -np)
// along +a, along +b, along -a and along -b back to (-np, -np + 1); with the
// step to each in the reach arrays, its glide's direction, loss per metre,
// length and whole loss. And the candidate box, held within the arrays.
struct NeighbourScan {
    struct Neighbour {
        int du;  // a ngri, b ngri
        int dv;
        std::ptrdiff_t offset;  // in the arrays' cells
        float dx;
        float dy;
        float loss;  // per metre
        float dd;
        float dz;
    };
    static constexpr std::size_t kNeighbours = 4 * kStencilRings * (kStencilRings + 1);
    std::array<Neighbour, kNeighbours> ring{};
    int ngri = 1;
    int imin = 1;
    int imax = 0;
    int jmin = 1;
    int jmax = 0;

    NeighbourScan(const ReachStencil& st, int step, int ni, int nj) : ngri(step) {
        std::size_t k = 0;
        for (int np = 1; np <= kStencilRings; ++np) {
            int a = -np;
            int b = -np;
            for (int n = 0; n < 8 * np; ++n) {
                const auto ia = static_cast<std::size_t>(a + kStencilRings);
                const auto ib = static_cast<std::size_t>(b + kStencilRings);
                Neighbour& nb = ring[k++];
                nb.du = a * ngri;
                nb.dv = b * ngri;
                nb.offset = static_cast<std::ptrdiff_t>(a) * ngri * nj + b * ngri;
                nb.dx = st.dx9[ia][ib];
                nb.dy = st.dy9[ia][ib];
                nb.loss = st.ff9[ia][ib] * loca00.fcalc_inv;
                nb.dd = st.dd9[ia][ib];
                nb.dz = st.dz9[ia][ib];
                if (n < 2 * np) {
                    ++a;
                } else if (n < 4 * np) {
                    ++b;
                } else if (n < 6 * np) {
                    --a;
                } else {
                    --b;
                }
            }
        }
        const Rch001& w = rch001;
        imin = std::max(w.irch_min, 1);
        imax = std::min(w.irch_max, ni);
        jmin = std::max(w.jrch_min, 1);
        jmax = std::min(w.jrch_max, nj);
    }

    // Neighbours within `rings` rings.
    static std::size_t count(int rings) { return static_cast<std::size_t>(4 * rings * (rings + 1)); }
};

// The glide from a reached cell (grid-frame centre px, py at altitude zc) to
// the centre: true when it clears the ground (and the airspace) all the way;
// zc is then the arrival altitude. Steps of 90 m; the last one covers what
// remains and loses the height of that.
bool glide_from(float px, float py, float& zc, const NeighbourScan::Neighbour& nb, const GroundView& ground) {
    float zg = ground.at(px, py);
    float r = nb.dd;
    const float s = loca00.sfty_g;
    for (;;) {
        if (!(zc > zg + s && zg > kOffGridLimit)) {
            return false;
        }
        if (as0003.qcheckas_trj) {
            int k_typ = kNoZoneFound;
            if (!check_as_gr(px, py, zc, notinderog(px, py), as0003.qchk_posas, k_typ, 1)) {
                return false;
            }
        }
        if (std::fabs(r) < kArrived) {
            return true;
        }
        const float step = std::min(kStep, r);
        px += step * nb.dx;
        py += step * nb.dy;
        zc -= step * nb.loss;
        zg = ground.at(px, py);
        r -= step;
    }
}

// The sweep in which a cell of each block of 8 x 8 computed cells last
// improved: a centre whose neighbours (4 computed cells each way, so at most
// 2 x 2 blocks) lie in blocks that did not change in the sweep before nor in
// this one has nothing new to look at. Atomic, since a block holds cells of
// rows that different threads do; what a centre reads of its own neighbours
// was written before it in the sweep order the wavefront keeps.
class BlockStamps {
public:
    BlockStamps(int nrcdim1, int nrcdim2, int ngri)
        : ngri_(ngri),
          bi_(block((nrcdim1 - 1) / ngri) + 1),
          bj_(block((nrcdim2 - 1) / ngri) + 1),
          stamps_(static_cast<std::size_t>(bi_) * static_cast<std::size_t>(bj_)) {
        for (auto& st : stamps_) {
            st.store(0, std::memory_order_relaxed);
        }
    }

    // Stored only when it changes, so that the threads seldom write a block.
    void mark(int ii, int jj, int sweep) {
        std::atomic<int>& st = at(block((ii - 1) / ngri_), block((jj - 1) / ngri_));
        if (st.load(std::memory_order_relaxed) < sweep) {
            st.store(sweep, std::memory_order_relaxed);
        }
    }

    // Whether any neighbour of centre (ii, jj) may have changed since sweep.
    bool changed_near(int ii, int jj, int since) const {
        const int li = (ii - 1) / ngri_;
        const int lj = (jj - 1) / ngri_;
        const int b0 = block(std::max(li - kStencilRings, 0));
        const int b1 = std::min(block(li + kStencilRings), bi_ - 1);
        const int c0 = block(std::max(lj - kStencilRings, 0));
        const int c1 = std::min(block(lj + kStencilRings), bj_ - 1);
        for (int b = b0; b <= b1; ++b) {
            for (int c = c0; c <= c1; ++c) {
                if (at(b, c).load(std::memory_order_relaxed) >= since) {
                    return true;
                }
            }
        }
        return false;
    }

private:
    static int block(int lattice) { return lattice / 8; }
    std::atomic<int>& at(int b, int c) { return stamps_[static_cast<std::size_t>(b) * bj_ + c]; }
    const std::atomic<int>& at(int b, int c) const { return stamps_[static_cast<std::size_t>(b) * bj_ + c]; }

    int ngri_;
    int bi_;
    int bj_;
    std::vector<std::atomic<int>> stamps_;
};

// rech_vois for centre (ii, jj) on terrain cell (i, j). In sweep 2 and after
// (stamps given), only the neighbours that changed in the sweep before or in
// this one are looked at: a neighbour unchanged since the centre's visit in
// the sweep before gave no better arrival then, and the centre's best has
// only risen since. A centre that improves is stamped with the sweep.
void rech_vois_on(int ii, int jj, int i, int j, int nvmax, int nrcdim1, CellTable<GlidePoint>& ppp_rch,
                  CellTable<int>& n_rch, const NeighbourScan& scan, const GroundView& ground, CellTable<int>* stamps,
                  BlockStamps* blocks, int sweep) {
    const float zp_c = altitude.zp(i, j);
    const float sfty_g = loca00.sfty_g;
    const float x_scn_mx = trn001.x_scn_mx;
    GlidePoint* const ppp = ppp_rch.cells().data();
    const int* const state = n_rch.cells().data();
    const int* const stamp = stamps != nullptr ? stamps->cells().data() : nullptr;
    const std::ptrdiff_t here = static_cast<std::ptrdiff_t>(ii - 1) * n_rch.nj() + (jj - 1);
    GlidePoint& centre = ppp_rch(ii, jj);
    const std::size_t count = NeighbourScan::count(std::clamp(nvmax, 0, kStencilRings));
    const int reach = std::clamp(nvmax, 0, kStencilRings) * scan.ngri;
    const bool inside =
        ii - reach >= scan.imin && ii + reach <= scan.imax && jj - reach >= scan.jmin && jj + reach <= scan.jmax;
    const int since = stamp != nullptr && sweep >= 2 ? sweep - 1 : INT_MIN;
    bool improved = false;
    for (std::size_t k = 0; k < count; ++k) {
        const NeighbourScan::Neighbour& nb = scan.ring[k];
        if (!inside) {
            const int u = ii + nb.du;
            const int v = jj + nb.dv;
            if (u < scan.imin || u > scan.imax || v < scan.jmin || v > scan.jmax) {
                continue;
            }
        }
        const std::ptrdiff_t at = here + nb.offset;
        if ((stamp != nullptr && stamp[at] < since) || state[at] <= 0) {
            continue;
        }
        const GlidePoint& from = ppp[at];
        float zc = from.z;
        if (zc - nb.dz > centre.z && zc - nb.dz - zp_c > sfty_g &&
            glide_from(x_scn_mx - from.x, from.y, zc, nb, ground) && zc > centre.z) {
            centre.z = zc;
            n_rch(ii, jj) = kReachPending;
            reachable_mod.l_connect(ii, jj) = ii + nb.du + (jj + nb.dv - 1) * nrcdim1;
            improved = true;
        }
    }
    if (improved && stamps != nullptr) {
        (*stamps)(ii, jj) = sweep;
    }
    if (improved && blocks != nullptr) {
        blocks->mark(ii, jj, sweep);
    }
}

// The cells of the window in the order of one sweep: rows up or down,
// columns up or down, in steps of ngri.
struct SweepOrder {
    int i_first;
    int i_step;
    int columns;
    int j_first;
    int j_step;
    int rows;
};

SweepOrder sweep_order(int sweep, int i_lo, int i_hi, int j_lo, int j_hi, int ngri) {
    const bool rows_up = sweep == 1 || sweep == 4;
    const bool columns_up = sweep <= 2;
    const int columns = i_hi >= i_lo ? (i_hi - i_lo) / ngri + 1 : 0;
    const int rows = j_hi >= j_lo ? (j_hi - j_lo) / ngri + 1 : 0;
    SweepOrder o{};
    o.columns = columns;
    o.i_first = columns_up ? i_lo : i_lo + (columns - 1) * ngri;
    o.i_step = columns_up ? ngri : -ngri;
    o.rows = rows;
    o.j_first = rows_up ? j_lo : j_lo + (rows - 1) * ngri;
    o.j_step = rows_up ? ngri : -ngri;
    return o;
}

// Rows of a band of the wavefront, and the columns a row's cell must trail
// the one of the row before it (the neighbours reach 4 columns).
constexpr int kBandRows = 16;
constexpr int kTrail = kStencilRings + 1;

// One sweep shared by the threads. A cell's neighbours reach 4 rows and 4
// columns; in one thread's order (rows in turn, columns in turn) those of
// the rows before and of its row's cells before are done, the others not
// begun. The rows are taken in bands of 16 consecutive rows, a band to a
// thread, and a band is done by diagonals: at step t, row k of the band does
// its cell t - 5k, rows in turn. A cell then trails the cell 5 columns on in
// the row before, so the row before has done every neighbour of it and the
// row after has begun none. A band's first row waits for the band before to
// have done its last row 5 columns beyond. Every cell thus sees its
// neighbours as in one thread's order, and the result is that of one thread;
// the threads share data only at the edges of the bands.
template <typename Cell>
void wavefront(const SweepOrder& o, int threads, const Cell& cell) {
    if (o.rows < 1 || o.columns < 1) {
        return;
    }
    const int bands = (o.rows + kBandRows - 1) / kBandRows;
    // Per band, the columns its last row has done.
    std::vector<std::atomic<int>> done(static_cast<std::size_t>(bands));
    for (auto& d : done) {
        d.store(0, std::memory_order_relaxed);
    }
    std::atomic<int> next_band{0};
#pragma omp parallel num_threads(threads)
    {
        for (int b = next_band.fetch_add(1, std::memory_order_relaxed); b < bands;
             b = next_band.fetch_add(1, std::memory_order_relaxed)) {
            const int first_row = b * kBandRows;
            const int rows = std::min(kBandRows, o.rows - first_row);
            std::atomic<int>* before = b > 0 ? &done[static_cast<std::size_t>(b - 1)] : nullptr;
            std::atomic<int>& mine = done[static_cast<std::size_t>(b)];
            int seen = before != nullptr ? before->load(std::memory_order_acquire) : o.columns;
            const int steps = o.columns + kTrail * (rows - 1);
            for (int t = 0; t < steps; ++t) {
                const int need = std::min(t + kTrail, o.columns);
                while (t < o.columns && seen < need) {
                    std::this_thread::yield();
                    seen = before->load(std::memory_order_acquire);
                }
                for (int k = 0; k < rows; ++k) {
                    const int c = t - kTrail * k;
                    if (c < 0) {
                        break;
                    }
                    if (c < o.columns) {
                        cell(o.i_first + c * o.i_step, o.j_first + (first_row + k) * o.j_step);
                    }
                }
                const int last = t - kTrail * (rows - 1) + 1;
                if (last > 0) {
                    mine.store(std::min(last, o.columns), std::memory_order_release);
                }
            }
            mine.store(o.columns, std::memory_order_release);
        }
    }
}

}  // namespace

void fill_stencil(int ngri, ReachStencil& st) {
    st = ReachStencil{};
    for (int a = -kStencilRings; a <= kStencilRings; ++a) {
        for (int b = -kStencilRings; b <= kStencilRings; ++b) {
            if (a == 0 && b == 0) {
                continue;
            }
            const auto ia = static_cast<std::size_t>(a + kStencilRings);
            const auto ib = static_cast<std::size_t>(b + kStencilRings);
            const float len = std::sqrt(static_cast<float>(a * a + b * b));
            st.dd9[ia][ib] = kStep * static_cast<float>(ngri) * len;
            st.dx9[ia][ib] = -static_cast<float>(a) / len;
            st.dy9[ia][ib] = -static_cast<float>(b) / len;
            st.ff9[ia][ib] = wind_factor(st.dx9[ia][ib], st.dy9[ia][ib]);
            st.dz9[ia][ib] = st.ff9[ia][ib] * st.dd9[ia][ib] * loca00.fcalc_inv;
        }
    }
}

void rech_vois(int ii, int jj, int i, int j, int ngri, int nvmax, int nrcdim1, int /*nrcdim2*/,
               CellTable<GlidePoint>& ppp_rch, CellTable<int>& n_rch, const ReachStencil& stencil) {
    const NeighbourScan scan(stencil, ngri, n_rch.ni(), n_rch.nj());
    rech_vois_on(ii, jj, i, j, nvmax, nrcdim1, ppp_rch, n_rch, scan, GroundView(altitude.zp), nullptr, nullptr, 1);
}

void reach_second_pass(int nrcdim1, int nrcdim2, CellTable<GlidePoint>& ppp_rch, CellTable<int>& n_rch, int& nex,
                       int ngri, float x0, float y0, float z0, float t0) {
    ReachPass& rp = reach_pass;
    const int nr1_0 = rp.nr1;
    ++rp.npa;
    rch002.x_best.fill(0.0f);
    rch002.nb_best.fill(0);
    rch002.ncoin = 0;
    fill_stencil(ngri, rp.stencil);
    const GroundView ground(altitude.zp);
    // The window of the last first pass, held within this grid (a second
    // pass may come without one).
    const int i_lo = std::max(rp.ical_min, 1);
    const int i_hi = std::min(rp.ical_max, nrcdim1);
    const int j_lo = std::max(rp.jcal_min, 1);
    const int j_hi = std::min(rp.jcal_max, nrcdim2);
    CellTable<int>& stamps = rp.stamps;
    stamps.assign_for_overwrite(nrcdim1, nrcdim2);
    stamps.fill(0);
    BlockStamps blocks(nrcdim1, nrcdim2, ngri);
    const int threads = reach_threads();
    const NeighbourScan scan(rp.stencil, ngri, nrcdim1, nrcdim2);
    float total = 0.0f;
    for (int sweep = 1; sweep <= 4; ++sweep) {
        const float began = reach_clock_now();
        wavefront(sweep_order(sweep, i_lo, i_hi, j_lo, j_hi, ngri), threads, [&](int ii, int jj) {
            const int state = n_rch(ii, jj);
            int i = 0;
            int j = 0;
            if ((state == kReachCandidate || state == kReachPending) &&
                (sweep == 1 || blocks.changed_near(ii, jj, sweep - 1)) && reach_terrain_cell(ii, jj, i, j)) {
                rech_vois_on(ii, jj, i, j, kStencilRings, nrcdim1, ppp_rch, n_rch, scan, ground, &stamps, &blocks,
                             sweep);
            }
        });
        const float took = reach_seconds(began, reach_clock_now());
        total += took;
        reach_trace(fortran_write("(' P2.',I1,1X,I2,1X,F8.3)", {sweep, ngri, took}));
    }
    rp.t_sweeps = total;
    reach_trace(fortran_write("(' P2  ',I2,1X,F8.3)", {ngri, total}));

    const float began = reach_clock_now();
    {
        // Column by column, as the cells lie; the faults, which are rare, are
        // reported row by row.
        std::vector<std::pair<int, int>> faults;
        for (int ii = 1; ii <= nrcdim1; ii += ngri) {
            if (ii < i_lo || ii > i_hi) {
                continue;
            }
            for (int jj = (j_lo - 1 + ngri - 1) / ngri * ngri + 1; jj <= j_hi; jj += ngri) {
                int i = 0;
                int j = 0;
                if (n_rch(ii, jj) != kReachPending || !reach_terrain_cell(ii, jj, i, j)) {
                    continue;
                }
                GlidePoint& cell = ppp_rch(ii, jj);
                if (cell.z > kNoArrival && cell.z < altitude.zp(i, j) + loca00.sfty_g) {
                    faults.emplace_back(jj, ii);
                } else {
                    n_rch(ii, jj) = kReachConfirmed;
                    ++rp.nr1;
                }
            }
        }
        std::sort(faults.begin(), faults.end());
        FaultReport report(x0, y0, z0, t0);
        for (const auto& [jj, ii] : faults) {
            int i = 0;
            int j = 0;
            reach_terrain_cell(ii, jj, i, j);
            GlidePoint& cell = ppp_rch(ii, jj);
            report.add(ii, jj, i, j, cell, cell.z - altitude.zp(i, j), reachable_mod.l_connect(ii, jj), nrcdim1,
                       nrcdim2, ppp_rch);
            cell.z = kNoArrival;
            n_rch(ii, jj) = kReachCandidate;
        }
    }
    rp.t_confirm = reach_seconds(began, reach_clock_now());
    reach_trace(fortran_write("(' CONF',1X,F8.3)", {rp.t_confirm}));
    nex = rp.nr1 - nr1_0;
    rp.nex_tot += nex;
    reach_trace(fortran_write("(' END PN',3(1X,I9),1X,I1)", {rp.npa, rp.nr1, nex, 4}));
}

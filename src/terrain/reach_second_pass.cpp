// The second pass of a reachability computation: four sweeps that reach
// cells from the cells already reached round them, then the confirmation of
// what the sweeps reached, with the fault report of cells that would lie
// below the safety height. One thread: each sweep builds on what the cells
// before it in the sweep reached.

#include <algorithm>
#include <cmath>
#include <optional>
#include <string>

#include "airspace/airspace_records.h"
#include "airspace/load_mode.h"
#include "foundation/fixed_text.h"
#include "foundation/fortran_format.h"
#include "foundation/log.h"
#include "foundation/message_records.h"
#include "foundation/reach_settings.h"
#include "foundation/terrain_extents.h"
#include "foundation/time_text.h"
#include "platform/console.h"
#include "platform/files.h"
#include "terrain/airspace_proximity.h"
#include "terrain/grid_access.h"
#include "terrain/reach_clock.h"
#include "terrain/reach_pass_steps.h"
#include "terrain/reach_records.h"
#include "terrain/terrain_messages.h"

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
            terrain_message(2, "The reachability fault report " + name_ + " cannot be written",
                            "Le rapport d'anomalie d'atteignabilit\xE9 " + name_ + " ne peut pas \xEAtre \xE9" "crit");
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

// Whether reach cell (u, v) lies in the candidate box.
bool in_box(int u, int v) {
    const Rch001& w = rch001;
    return u >= w.irch_min && u <= w.irch_max && v >= w.jrch_min && v <= w.jrch_max;
}

// The glide from the reached cell (u, v) to the centre at offset (a, b)
// rings: true when it clears the ground (and the airspace) all the way; zc
// is then the arrival altitude.
bool glide_from(int u, int v, int a, int b, const CellTable<GlidePoint>& ppp_rch, const GroundView& ground,
                const ReachStencil& st, float& zc) {
    const std::size_t ia = static_cast<std::size_t>(a + kStencilRings);
    const std::size_t ib = static_cast<std::size_t>(b + kStencilRings);
    const float dx = st.dx9[ia][ib];
    const float dy = st.dy9[ia][ib];
    const float loss = st.ff9[ia][ib] * loca00.fcalc_inv;
    const GlidePoint& from = ppp_rch(u, v);
    float px = trn001.x_scn_mx - from.x;
    float py = from.y;
    zc = from.z;
    float zg = ground.at(px, py);
    float r = st.dd9[ia][ib];
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
        // The last step covers what remains, and loses the height of that.
        const float step = std::min(kStep, r);
        px += step * dx;
        py += step * dy;
        zc -= step * loss;
        zg = ground.at(px, py);
        r -= step;
    }
}

void rech_vois_on(int ii, int jj, int i, int j, int ngri, int nvmax, int nrcdim1, CellTable<GlidePoint>& ppp_rch,
                  CellTable<int>& n_rch, const ReachStencil& st, const GroundView& ground) {
    const float zp_c = altitude.zp(i, j);
    const float sfty_g = loca00.sfty_g;
    GlidePoint& centre = ppp_rch(ii, jj);
    const int rings = std::clamp(nvmax, 0, kStencilRings);
    for (int np = 1; np <= rings; ++np) {
        // The ring from (-np, -np) along +a, along +b, along -a and along -b
        // back to (-np, -np + 1).
        int a = -np;
        int b = -np;
        for (int n = 0; n < 8 * np; ++n) {
            const int u = ii + a * ngri;
            const int v = jj + b * ngri;
            if (in_box(u, v) && n_rch.holds(u, v) && n_rch(u, v) > 0) {
                const float zc = ppp_rch(u, v).z;
                const float dz = st.dz9[static_cast<std::size_t>(a + kStencilRings)]
                                       [static_cast<std::size_t>(b + kStencilRings)];
                float arrival = 0.0f;
                if (zc - dz > centre.z && zc - dz - zp_c > sfty_g &&
                    glide_from(u, v, a, b, ppp_rch, ground, st, arrival) && arrival > centre.z) {
                    centre.z = arrival;
                    n_rch(ii, jj) = kReachPending;
                    reachable_mod.l_connect(ii, jj) = u + (v - 1) * nrcdim1;
                }
            }
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
    rech_vois_on(ii, jj, i, j, ngri, nvmax, nrcdim1, ppp_rch, n_rch, stencil, GroundView(altitude.zp));
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
    const int i_lo = rp.ical_min;
    const int i_hi = rp.ical_max;
    const int j_lo = rp.jcal_min;
    const int j_hi = rp.jcal_max;
    const auto sweep_cell = [&](int ii, int jj) {
        const int state = n_rch(ii, jj);
        int i = 0;
        int j = 0;
        if ((state == kReachCandidate || state == kReachPending) && reach_terrain_cell(ii, jj, i, j)) {
            rech_vois_on(ii, jj, i, j, ngri, kStencilRings, nrcdim1, ppp_rch, n_rch, rp.stencil, ground);
        }
    };
    float total = 0.0f;
    for (int sweep = 1; sweep <= 4; ++sweep) {
        const float began = reach_clock_now();
        const bool rows_up = sweep == 1 || sweep == 4;
        const bool columns_up = sweep <= 2;
        const int j_top = j_hi >= j_lo ? j_lo + (j_hi - j_lo) / ngri * ngri : j_lo - ngri;
        const int i_top = i_hi >= i_lo ? i_lo + (i_hi - i_lo) / ngri * ngri : i_lo - ngri;
        for (int r = 0; j_lo + r * ngri <= j_hi; ++r) {
            const int jj = rows_up ? j_lo + r * ngri : j_top - r * ngri;
            for (int c = 0; i_lo + c * ngri <= i_hi; ++c) {
                sweep_cell(columns_up ? i_lo + c * ngri : i_top - c * ngri, jj);
            }
        }
        const float took = reach_seconds(began, reach_clock_now());
        total += took;
        reach_trace(fortran_write("(' P2.',I1,1X,I2,1X,F8.3)", {sweep, ngri, took}));
    }
    rp.t_sweeps = total;
    reach_trace(fortran_write("(' P2  ',I2,1X,F8.3)", {ngri, total}));

    const float began = reach_clock_now();
    {
        FaultReport report(x0, y0, z0, t0);
        for (int jj = 1; jj <= nrcdim2; jj += ngri) {
            for (int ii = 1; ii <= nrcdim1; ii += ngri) {
                int i = 0;
                int j = 0;
                if (ii < i_lo || ii > i_hi || jj < j_lo || jj > j_hi || n_rch(ii, jj) != kReachPending ||
                    !reach_terrain_cell(ii, jj, i, j)) {
                    continue;
                }
                GlidePoint& cell = ppp_rch(ii, jj);
                const float ground_floor = altitude.zp(i, j) + loca00.sfty_g;
                if (cell.z > kNoArrival && cell.z < ground_floor) {
                    report.add(ii, jj, i, j, cell, cell.z - altitude.zp(i, j), reachable_mod.l_connect(ii, jj),
                               nrcdim1, nrcdim2, ppp_rch);
                    cell.z = kNoArrival;
                    n_rch(ii, jj) = kReachCandidate;
                } else {
                    n_rch(ii, jj) = kReachConfirmed;
                    ++rp.nr1;
                }
            }
        }
    }
    rp.t_confirm = reach_seconds(began, reach_clock_now());
    reach_trace(fortran_write("(' CONF',1X,F8.3)", {rp.t_confirm}));
    nex = rp.nr1 - nr1_0;
    rp.nex_tot += nex;
    reach_trace(fortran_write("(' END PN',3(1X,I9),1X,I1)", {rp.npa, rp.nr1, nex, 4}));
}

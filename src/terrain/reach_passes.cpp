// get_reach_p: one pass of a reachability computation, and adjust_limits.

#include "terrain/reach_passes.h"

#include <algorithm>
#include <climits>
#include <string>

#include "airspace/airspace_trace.h"
#include "foundation/fortran_format.h"
#include "foundation/message_records.h"
#include "foundation/reach_settings.h"
#include "foundation/tell.h"
#include "foundation/terrain_extents.h"
#include "terrain/reach_clock.h"
#include "terrain/reach_pass_steps.h"
#include "terrain/reach_records.h"

ReachPass reach_pass;

void reset_reach_pass() { reach_pass = ReachPass{}; }

namespace {

// A refused pass, told in the run's language.
void refuse(const std::string& english, const std::string& french) {
    tell_and_count(kError, in_user_language(english, french));
}

// Largest side of a reach grid: a cell index plus the four steps the second
// pass looks ahead stays an int for any step the grid allows.
constexpr int kLargestReachSide = INT_MAX / (kStencilRings + 1);

// Whether the reach grid and the heights allow a pass; a message when not.
bool pass_allowed(int nrcdim1, int nrcdim2, int ngri) {
    // Connection codes ii + (jj - 1) nrcdim1 are 32-bit.
    if (nrcdim1 < 1 || nrcdim2 < 1 || nrcdim1 > kLargestReachSide || nrcdim2 > kLargestReachSide ||
        static_cast<long long>(nrcdim1) * nrcdim2 > INT_MAX) {
        const std::string n = std::to_string(nrcdim1) + " x " + std::to_string(nrcdim2);
        refuse("Reach grid of " + n + " cells refused", "Grille d'atteignabilit\xE9 de " + n + " cellules refus\xE9" "e");
        return false;
    }
    // Any step from 1 cell; beyond the grid's larger side no second cell of
    // a row or a column would be computed.
    const int widest = std::max(nrcdim1, nrcdim2);
    if (ngri < 1 || ngri > widest) {
        const std::string n = std::to_string(ngri);
        const std::string most = std::to_string(widest);
        refuse("Reach grid step " + n + " refused: the step is 1 to " + most + " cells",
               "Pas de grille d'atteignabilit\xE9 " + n + " refus\xE9 : le pas est de 1 \xE0 " + most + " cellules");
        return false;
    }
    if (altitude.zp.ni() != trn001.ni_00 || altitude.zp.nj() != trn001.nj_00 || altitude.zp.empty()) {
        refuse("Reachability: the terrain heights do not match the terrain grid",
               "Atteignabilit\xE9 : les altitudes du terrain ne correspondent pas \xE0 sa grille");
        return false;
    }
    return true;
}

bool holds_grid(const CellTable<GlidePoint>& ppp_rch, const CellTable<int>& n_rch, int nrcdim1, int nrcdim2) {
    return ppp_rch.ni() == nrcdim1 && ppp_rch.nj() == nrcdim2 && n_rch.ni() == nrcdim1 && n_rch.nj() == nrcdim2;
}

// Moves a bound to the index with index mod ngri = 1: up for a minimum, down
// for a maximum.
int align_up(int k, int ngri) { return (k - 1 + ngri - 1) / ngri * ngri + 1; }
int align_down(int k, int ngri) { return (k - 1) / ngri * ngri + 1; }

// Clips one range of reach-grid bounds (see adjust_limits).
void adjust_range(int nrcdim, int nterrain, int offset, int ngri, int& kmin, int& kmax) {
    const auto on_terrain = [&](int k) {
        const long long t = std::clamp<long long>(static_cast<long long>(offset) + k - 1, 1, std::max(nterrain, 1));
        return static_cast<int>(t + 1 - offset);
    };
    kmin = on_terrain(kmin);
    kmax = on_terrain(kmax);
    if (kmin > kmax) {
        kmin = 1;
        kmax = nrcdim;
    } else {
        kmax = std::min(kmax, nrcdim);
    }
    kmin = std::clamp(kmin, 1, std::max(nrcdim, 1));
    kmax = std::max(kmax, 1);
    if (ngri > 1) {
        kmin = align_up(kmin, ngri);
        kmax = align_down(kmax, ngri);
    }
}

}  // namespace

void adjust_limits(int nrcdim1, int nrcdim2, int ni_00, int nj_00, int irch_1, int jrch_1, int ngri, int& irch_min,
                   int& irch_max, int& jrch_min, int& jrch_max) {
    adjust_range(nrcdim1, ni_00, irch_1, ngri, irch_min, irch_max);
    adjust_range(nrcdim2, nj_00, jrch_1, ngri, jrch_min, jrch_max);
}

void reach_trace(const std::string& line) {
    if (airspace_trace_enabled()) {
        airspace_trace(line);
    }
}

bool get_reach_p(int nrcdim1, int nrcdim2, CellTable<GlidePoint>& ppp_rch, CellTable<int>& n_rch, int& nex, int ngri,
                 float x0, float y0, float z0, float t0, int /*nt0*/, float& xdcnt, float& ydcnt) {
    if (!pass_allowed(nrcdim1, nrcdim2, ngri)) {
        return false;
    }
    const bool fresh = nex == kNewComputation;
    if (!fresh && !holds_grid(ppp_rch, n_rch, nrcdim1, nrcdim2)) {
        refuse("Reachability pass refused: the reach arrays are not of the reach grid's size",
               "Passe d'atteignabilit\xE9 refus\xE9" "e : les tableaux ne sont pas de la taille de la grille");
        return false;
    }
    if (!reach_pass.qinit_mp) {
        init_mp();
    }
    const float s_tim = reach_clock_now();
    pelrn00.ngri_cur = ngri;
    CellTable<int>& l_connect = reachable_mod.l_connect;
    if (l_connect.ni() != nrcdim1 || l_connect.nj() != nrcdim2) {
        // Sized for this grid: a grid larger than the last one must not run
        // off the table.
        l_connect.assign(nrcdim1, nrcdim2, kNoConnection);
    }
    if (fresh) {
        new_reach_computation(nrcdim1, nrcdim2, ppp_rch, n_rch, ngri, x0, y0, z0, t0, xdcnt, ydcnt, s_tim);
    }
    if (nex < 0) {
        reach_first_pass(nrcdim1, nrcdim2, ppp_rch, n_rch, nex, ngri);
    } else {
        reach_second_pass(nrcdim1, nrcdim2, ppp_rch, n_rch, nex, ngri, x0, y0, z0, t0);
    }
    if (peldbg00.qdbg_l_0) {
        const float now = reach_clock_now();
        const float pass = reach_seconds(s_tim, now);
        if (reach_pass.npa == 0) {
            reach_trace("");
        }
        reach_trace(
            fortran_write("('G:',I1,'  P:',I1,I7,I7,1X,1PE8.2,'s (',1PE8.2,'s/pt) tot:',1PE8.2,'s')",
                          {ngri, reach_pass.npa, nex, reach_pass.nex_tot, pass,
                           nex >= 1 ? pass / static_cast<float>(nex) : 0.0f, reach_seconds(rch001.s_tim_0, now)}));
    }
    return true;
}

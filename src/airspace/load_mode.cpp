#include "airspace/load_mode.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <string>

#include "airspace/airspace_grid.h"
#include "airspace/airspace_mod.h"
#include "airspace/airspace_trace.h"
#include "airspace/airspace_window.h"
#include "airspace/module_tables.h"
#include "airspace/openair_text.h"
#include "foundation/airspace_names.h"
#include "foundation/fortran_format.h"
#include "foundation/message_records.h"
#include "foundation/number_text.h"
#include "foundation/option_records.h"
#include "foundation/stopwatch.h"
#include "foundation/tell.h"
#include "taskfiles/task_model.h"

namespace {

// Distance from the frame's origin beyond which a penalty zone's corner is a
// fault of the plan, metres (100,000 km).
constexpr float kFarthestCorner = 1.0e8f;
// Points of a penalty zone: four corners and the closing point.
constexpr int kPenaltyZonePoints = kPenaltyZoneCorners + 1;
// Distance below which check_dup removes a point, metres.
constexpr float kDuplicateDistance = 50.0f;

// Default pens of the classes 0..19: style, width, red, green, blue. No
// file gives them (the format's SP lines replace them zone by zone) and the
// tables only fix their shape, 5 numbers a class: the values are this
// program's own choice, solid lines coloured by what a class means to a
// glider pilot: red for the zones not to be entered (A, B, P, R), blue for
// the controlled classes C and D, green for E, F and the derogation classes G
// and GSEC, orange for Q (danger), magenta for GP and CTR, grey for UNC and
// the unused slots. GP is 3 wide because the reader draws GP 3 wide whatever
// its SP line says; the controlled and forbidden classes (A, B, C, D, P, R,
// CTR) are 2 wide, the others 1.
constexpr AirspacePens kDefaultPens = {{
    {0, 2, 255, 0, 0},      // A
    {0, 2, 255, 0, 0},      // B
    {0, 2, 0, 0, 255},      // C
    {0, 2, 0, 0, 255},      // D
    {0, 1, 0, 128, 0},      // E
    {0, 1, 0, 128, 0},      // F
    {0, 1, 0, 160, 0},      // G
    {0, 2, 255, 0, 0},      // P
    {0, 1, 255, 128, 0},    // Q
    {0, 2, 255, 0, 0},      // R
    {0, 1, 0, 160, 0},      // GSEC
    {0, 3, 255, 0, 255},    // GP
    {0, 2, 255, 0, 255},    // CTR
    {0, 1, 128, 128, 128},  // UNC
    {0, 1, 128, 128, 128},
    {0, 1, 128, 128, 128},
    {0, 1, 128, 128, 128},
    {0, 1, 128, 128, 128},
    {0, 1, 128, 128, 128},
    {0, 1, 128, 128, 128},
}};

// The limits of zone n, made room for when a caller's table is larger than
// the room the load made.
AirspaceLimits& limits_of(int n) {
    const auto k = static_cast<std::size_t>(n);
    if (k >= as0001.as_lim.size()) {
        as0001.as_lim.resize(k + 1);
    }
    return as0001.as_lim[k];
}

// The box of points first..last, from 1e10 / -1e10.
void box_of(std::span<const PlanePoint> points, AirspaceLimits& lim) {
    lim[kLimXmin] = 1.0e10f;
    lim[kLimXmax] = -1.0e10f;
    lim[kLimYmin] = 1.0e10f;
    lim[kLimYmax] = -1.0e10f;
    for (const PlanePoint& p : points) {
        lim[kLimXmin] = std::min(lim[kLimXmin], p.x);
        lim[kLimXmax] = std::max(lim[kLimXmax], p.x);
        lim[kLimYmin] = std::min(lim[kLimYmin], p.y);
        lim[kLimYmax] = std::max(lim[kLimYmax], p.y);
    }
}

void trace_box(std::string_view name, const AirspaceLimits& lim) {
    if (airspace_trace_enabled()) {
        airspace_trace(name);
        airspace_trace(fortran_write("(6(1X,F12.1))", {lim[1], lim[2], lim[3], lim[4], lim[5], lim[6]}));
    }
}

int longest_name(int zones) {
    int longest = 0;
    std::string name;
    for (int n = 0; n < zones; ++n) {
        int length = 0;
        get_as_name(n, name, length);
        longest = std::max(longest, length);
    }
    return longest;
}

bool corner_in_range(float x, float y) { return std::fabs(x) <= kFarthestCorner && std::fabs(y) <= kFarthestCorner; }

std::string penalty_zone_name(int i) {
    const double factor = tarvex01.fmulalt;
    const std::string floor = i2b(nearest_int(rd_fpl_1.pza[1][static_cast<std::size_t>(i)] * factor));
    const std::string ceiling = i2b(nearest_int(rd_fpl_1.pza[2][static_cast<std::size_t>(i)] * factor));
    const std::string penalty = i2b(nearest_int(rd_fpl_1.pza[3][static_cast<std::size_t>(i)]));
    return "PZ #" + i2b(i) + " : [" + floor + "-" + ceiling + tarvex_c.cunitalt + "] : " + penalty + "p";
}

}  // namespace

void copy_as1(std::span<const AirspaceZone> zon, std::span<const PlanePoint> pp, int nzon, std::string_view asn,
              std::string_view asl, std::string_view ash) {
    const int n = nzon - 1;
    if (n < 0 || n >= static_cast<int>(zon.size())) {
        return;
    }
    const AirspaceZone& zone = zon[static_cast<std::size_t>(n)];
    AirspaceLimits& lim = limits_of(n);
    const int first = std::max(zone.first, 0);
    const int last = std::min(zone.last, static_cast<int>(pp.size()) - 1);
    box_of(first <= last ? pp.subspan(static_cast<std::size_t>(first), static_cast<std::size_t>(last - first + 1))
                         : std::span<const PlanePoint>{},
           lim);
    lim[kLimXmin] = std::max(lim[kLimXmin], as0002.as_xmin);
    lim[kLimXmax] = std::min(lim[kLimXmax], as0002.as_xmax);
    lim[kLimYmin] = std::max(lim[kLimYmin], as0002.as_ymin);
    lim[kLimYmax] = std::min(lim[kLimYmax], as0002.as_ymax);
    lim[kLimFloor] = decode_alt_as(asl);
    lim[kLimCeiling] = decode_alt_as(ash);
    trace_box(asn, lim);
}

int convert_pz(int& nbzon, std::span<AirspaceZone> zon, std::span<PlanePoint> pp, int& npt, int& lmax1) {
    const int zones = std::clamp(rd_fpl_0.nb_pz, 0, kPenaltyZoneSlots);
    for (int i = 0; i < zones; ++i) {
        const auto pz = static_cast<std::size_t>(i);
        const int n = nbzon;
        if (n < 0 || n >= static_cast<int>(zon.size()) || npt < 0 ||
            static_cast<std::size_t>(npt) + kPenaltyZonePoints > pp.size()) {
            const std::string from = i2b(i);
            tell_and_count(kWarning,
                           in_user_language("Airspace tables full: penalty zones from PZ #" + from +
                                                " on are not loaded",
                                            "Tables d'espaces a\xE9riens pleines : les zones de p\xE9nalit\xE9 \xE0 "
                                            "partir de PZ #" + from + " ne sont pas charg\xE9" "es"));
            break;
        }
        bool in_range = true;
        for (int k = 0; k < kPenaltyZoneCorners; ++k) {
            const auto c = static_cast<std::size_t>(k);
            in_range = in_range && corner_in_range(rd_fpl_1.pzp[1][c][pz], rd_fpl_1.pzp[2][c][pz]);
        }
        if (!in_range) {
            const std::string number = i2b(i);
            tell_and_count(kWarning,
                           in_user_language("Penalty zone PZ #" + number + " not loaded: a corner lies out of range",
                                            "Zone de p\xE9nalit\xE9 PZ #" + number +
                                                " non charg\xE9" "e : un coin est hors limites"));
            continue;
        }
        const auto first = static_cast<std::size_t>(npt);
        for (int k = 0; k < kPenaltyZoneCorners; ++k) {
            const auto c = static_cast<std::size_t>(k);
            pp[first + c] = PlanePoint{rd_fpl_1.pzp[1][c][pz], rd_fpl_1.pzp[2][c][pz]};
        }
        pp[first + kPenaltyZoneCorners] = pp[first];
        zon[static_cast<std::size_t>(n)] = AirspaceZone{get_typ("P"), npt, npt + kPenaltyZoneCorners};
        AirspaceLimits& lim = limits_of(n);
        box_of(pp.subspan(first, kPenaltyZoneCorners), lim);
        lim[kLimFloor] = rd_fpl_1.pza[1][pz];
        lim[kLimCeiling] = rd_fpl_1.pza[2][pz];
        if (!in_map(n + 1, zon, pp, false)) {
            continue;
        }
        const std::string name = penalty_zone_name(i);
        add_as_name(n, name);
        trace_box(name, lim);
        lmax1 = std::max(lmax1, static_cast<int>(name.size()));
        npt += kPenaltyZonePoints;
        ++nbzon;
    }
    if (airspace_trace_enabled()) {
        airspace_trace(fortran_write("('Penalty Zones :',1X,I6)", {nbzon}));
    }
    return nbzon >= 1 ? 1 : 0;
}

bool notinderog(float xx, float yy) {
    const AirspaceMod& mod = airspace_mod;
    const int zones = std::min({as0001.nb_zon, static_cast<int>(mod.as_nb.size()),
                                static_cast<int>(as0001.as_lim.size())});
    for (int n = 0; n < zones; ++n) {
        const auto k = static_cast<std::size_t>(n);
        const int typ = mod.as_nb[k].typ;
        if (typ != kClassG && typ != kClassGsec) {
            continue;
        }
        const AirspaceLimits& lim = as0001.as_lim[k];
        if (xx >= lim[kLimXmin] && xx <= lim[kLimXmax] && yy >= lim[kLimYmin] && yy <= lim[kLimYmax]) {
            return false;
        }
    }
    return true;
}

namespace {

void trace_points(std::span<const PlanePoint> pp, int from, int to) {
    if (!airspace_trace_enabled()) {
        return;
    }
    for (int k = from; k < to; ++k) {
        const PlanePoint& p = pp[static_cast<std::size_t>(k)];
        airspace_trace(fortran_write("(I8,2(1X,F12.1))", {k, p.x, p.y}));
    }
}

}  // namespace

void check_dup(int nz, std::span<const AirspaceZone> zon, std::span<PlanePoint> pp, int& npt) {
    if (nz < 0 || nz >= static_cast<int>(zon.size())) {
        return;
    }
    const int first = zon[static_cast<std::size_t>(nz)].first;
    npt = std::min(npt, static_cast<int>(pp.size()));
    if (first < 0 || first >= npt) {
        return;
    }
    trace_points(pp, first, npt);
    int k = first + 1;
    while (k < npt) {
        const PlanePoint& p = pp[static_cast<std::size_t>(k)];
        const PlanePoint& before = pp[static_cast<std::size_t>(k) - 1];
        if (std::max(std::fabs(p.x - before.x), std::fabs(p.y - before.y)) < kDuplicateDistance) {
            std::copy(pp.begin() + k + 1, pp.begin() + npt, pp.begin() + k);
            --npt;
        } else {
            ++k;
        }
    }
    trace_points(pp, first, npt);
}

void set_class_sel(int i, bool j) {
    if (i < 0 || i >= kAirspaceClasses) {
        return;
    }
    as0001.qseltyp[static_cast<std::size_t>(i)] = j;
    if (peldbg00.qdbg_l_0 && airspace_trace_enabled()) {
        airspace_trace(fortran_write("('set_class_sel',1X,I3,1X,A,1X,L1)",
                                     {i, as000c.typ0[static_cast<std::size_t>(i)], j}));
    }
}

void set_as_act(int i, bool j) {
    if (i < 0 || i >= static_cast<int>(airspace_mod.as_act.size())) {
        return;
    }
    airspace_mod.as_act[static_cast<std::size_t>(i)] = j;
    if (peldbg00.qdbg_l_0 && airspace_trace_enabled()) {
        airspace_trace(fortran_write("('set_as_act',1X,I6,1X,L1)", {i, j}));
    }
}

void init_airspace_col(AirspacePens& sp, AirspaceBrushes& sb) {
    sp = kDefaultPens;
    for (AirspaceBrush& brush : sb) {
        brush.fill(-1);
    }
}

void release_airspace_model() {
    reset_airspace_mod();
    as0001.as_lim.clear();
    as0001.nb_zon = 0;
}

bool begin_airspace_load(int nav, int capacity) {
    if (airspace_trace_enabled()) {
        airspace_trace(fortran_write("('qglob',1X,L1)", {nav < 0}));
    }
    if (nav >= 1 && !raster_budget_valid()) {
        return false;
    }
    as0001.as_lim.assign(static_cast<std::size_t>(std::max(capacity, 0)), AirspaceLimits{});
    return true;
}

void keep_loaded_zone(std::span<const AirspaceZone> zon, std::span<const PlanePoint> pp, int nzon,
                      std::string_view asn, std::string_view asl, std::string_view ash) {
    copy_as1(zon, pp, nzon, asn, asl, ash);
    add_as_name(nzon - 1, asn);
}

int end_airspace_load(int nav, int& nbzon, std::span<AirspaceZone> zon, std::span<PlanePoint> pp, int nzon, int npt,
                      int ordinal, float start) {
    if (airspace_trace_enabled()) {
        airspace_trace(fortran_write("('NAVAIRSPACE :',2(1X,I6))", {nav, rd_fpl_0.nb_pz}));
    }
    int zones = std::clamp(nzon, 0, static_cast<int>(zon.size()));
    // The points of the zones held: a zone whose reading stopped at a limit
    // left points of its own behind them.
    int points = zones >= 1 ? std::clamp(zon[static_cast<std::size_t>(zones - 1)].last + 1, 0, npt) : 0;
    int lmax1 = longest_name(zones);
    if (nav != 0 && rd_fpl_0.nb_pz > 0) {
        convert_pz(zones, zon, pp, points, lmax1);
    }
    if (airspace_trace_enabled()) {
        airspace_trace(fortran_write("('NZON,LMAX,NPT',3(1X,I6))", {zones, lmax1, points}));
        airspace_trace(fortran_write("('AIRSPACE :',2(1X,I6),1X,F10.3)", {ordinal, zones, elapsed_time() - start}));
    }
    if (zones < 1) {
        nbzon = 0;
        return 0;
    }
    if (airspace_trace_enabled()) {
        airspace_trace("copy_to_local");
    }
    copy_to_local(nbzon, zon, pp, points, zones, lmax1);
    if (nav >= 1 && !as0003.qraster_by_caller && airspace_grid(nbzon) != 1) {
        release_airspace_model();
        nbzon = 0;
        return 0;
    }
    return nbzon >= 1 ? 1 : 0;
}

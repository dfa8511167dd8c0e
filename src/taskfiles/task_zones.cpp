#include "taskfiles/task_zones.h"

#include "foundation/geometry.h"
#include "taskfiles/sector_bisector.h"
#include "taskfiles/task_model.h"

#include <cmath>
#include <cstddef>

namespace {

bool in_tables(int n) { return n >= 0 && n < kTurnpointSlots; }

constexpr double kFullTurn = 360.0;
constexpr double kQuarterTurn = 90.0;

}  // namespace

ZoneKind classic_zone_kind(int angle) {
    switch (angle) {
        case kCylinderAngle: return ZoneKind::cylinder;
        case kLineAngle: return ZoneKind::line;
        default: return ZoneKind::sector;
    }
}

ZoneKind zone_kind(int n) {
    if (!in_tables(n)) {
        return classic_zone_kind(kDefaultZoneAngle);
    }
    const auto i = static_cast<std::size_t>(n);
    return rd_fpl_1.tpsec[i] == kWindowSectorType ? ZoneKind::window : classic_zone_kind(rd_fpl_1.tpang[i]);
}

double window_bottom(int n) {
    if (!in_tables(n)) {
        return 0.0;
    }
    const auto i = static_cast<std::size_t>(n);
    return double{rd_fpl_1.tpalt[i]} - 0.5 * rd_fpl_1.tphei[i];
}

double window_top(int n) {
    if (!in_tables(n)) {
        return 0.0;
    }
    const auto i = static_cast<std::size_t>(n);
    return double{rd_fpl_1.tpalt[i]} + 0.5 * rd_fpl_1.tphei[i];
}

double start_maximum_altitude() {
    constexpr int start = 1;
    return zone_kind(start) == ZoneKind::window ? window_top(start) : double{rd_fpl_1.tphei[start]};
}

double finish_minimum_altitude(int f) {
    if (!in_tables(f)) {
        return 0.0;
    }
    if (zone_kind(f) == ZoneKind::window) {
        return window_bottom(f);
    }
    const auto i = static_cast<std::size_t>(f);
    const float finishminalt = rd_fpl_4.finishminalt;
    return finishminalt > 0.0f && rd_fpl_1.tpwid[i] < kNoFinishMinimum ? finishminalt : rd_fpl_1.tpwid[i];
}

float normalised_angle(float degrees) { return modang(degrees, 0.0f); }

int normalised_whole_angle(double degrees) {
    if (!std::isfinite(degrees)) {
        return 0;
    }
    double whole = std::trunc(degrees);
    if (whole < 0.0 || whole > kFullTurn) {
        whole = std::fmod(whole, kFullTurn);
        if (whole < 0.0) {
            whole += kFullTurn;
        }
    }
    return static_cast<int>(whole);
}

ZoneRadials window_radials(int n) {
    if (!in_tables(n)) {
        return {};
    }
    const double azimuth = rd_fpl_1.tpazi[static_cast<std::size_t>(n)];
    return {static_cast<float>(normalised_whole_angle(azimuth + kQuarterTurn)),
            static_cast<float>(normalised_whole_angle(azimuth - kQuarterTurn))};
}

ZoneRadials sector_radials(int n) {
    if (!in_tables(n)) {
        return {};
    }
    const float fixed = rd_fpl_1.tpfixdir[static_cast<std::size_t>(n)];
    const float alb = fixed != kNoFixedDirection ? fixed : sector_bisector(n);
    const float half = 0.5f * static_cast<float>(rd_fpl_1.tpang[static_cast<std::size_t>(n)]);
    return {normalised_angle(alb - half), normalised_angle(alb + half)};
}

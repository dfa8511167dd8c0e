#include "taskfiles/task_checks.h"

#include "foundation/fortran_format.h"
#include "foundation/number_text.h"
#include "foundation/option_records.h"
#include "foundation/task_rule_limits.h"
#include "foundation/tell.h"
#include "foundation/utm_frame.h"
#include "taskfiles/landscape_records.h"
#include "taskfiles/task_model.h"

#include <algorithm>
#include <array>
#include <cstddef>

namespace {

// A value of task point (or penalty zone) n, in the unit of the file that
// gave it.
using PointValue = double (*)(std::size_t n);

struct TaskPointValue {
    std::string_view key;
    PointValue value;
    float lowest;
    float highest;
    std::string_view unit;
};

// A turnpoint's values as the plan gives them; the azimuth, kept in whole
// degrees, back in the plan's radians.
constexpr std::array<TaskPointValue, 7> kTurnpointValues = {{
    {"TPPosZ", [](std::size_t n) -> double { return rd_fpl_1.tpz[n]; }, kLowestTaskAltitude, kHighestGroundAltitude,
     "m"},
    {"TPRadius", [](std::size_t n) -> double { return rd_fpl_1.tprad[n]; }, 0.0f, kHighestZoneRadius, "m"},
    {"TPAngle", [](std::size_t n) -> double { return rd_fpl_1.tpang[n]; }, 0.0f, kHighestZoneAngle, "\xB0"},
    {"TPAltitude", [](std::size_t n) -> double { return rd_fpl_1.tpalt[n]; }, kLowestTaskAltitude,
     kHighestWindowAltitude, "m"},
    {"TPWidth", [](std::size_t n) -> double { return rd_fpl_1.tpwid[n]; }, 0.0f, kHighestZoneWidth, "m"},
    {"TPHeight", [](std::size_t n) -> double { return rd_fpl_1.tphei[n]; }, 0.0f, kHighestZoneHeight, "m"},
    {"TPAzimuth", [](std::size_t n) -> double { return rd_fpl_1.tpazi[n] * kRadiansPerDegree; }, -kLargestAzimuth,
     kLargestAzimuth, ""},
}};

// A SeeYou task point's zone values, as its "ObsZone" line gives them.
constexpr std::array<TaskPointValue, 5> kSeeYouZoneValues = {{
    {"R1", [](std::size_t n) -> double { return rd_cup_1.cuprad[1][n]; }, 0.0f, kHighestZoneRadius, "m"},
    {"R2", [](std::size_t n) -> double { return rd_cup_1.cuprad[2][n]; }, 0.0f, kHighestZoneRadius, "m"},
    {"A1", [](std::size_t n) -> double { return rd_cup_1.cupang[1][n]; }, 0.0f, kHighestHalfAngle, "\xB0"},
    {"A2", [](std::size_t n) -> double { return rd_cup_1.cupang[2][n]; }, 0.0f, kHighestHalfAngle, "\xB0"},
    {"MaxAlt", [](std::size_t n) -> double { return rd_cup_1.cupmxa[n]; }, 0.0f, kHighestZoneHeight, "m"},
}};

bool within(double value, float lowest, float highest) { return value >= lowest && value <= highest; }

// A penalty zone's values, as the plan gives them.
constexpr std::array<TaskPointValue, 3> kPenaltyZoneValues = {{
    {"PZBase", [](std::size_t z) -> double { return rd_fpl_1.pza[1][z]; }, kLowestPenaltyZoneHeight,
     kHighestPenaltyZoneHeight, "m"},
    {"PZTop", [](std::size_t z) -> double { return rd_fpl_1.pza[2][z]; }, kLowestPenaltyZoneHeight,
     kHighestPenaltyZoneHeight, "m"},
    {"PZPenaltyTimeFactor", [](std::size_t z) -> double { return rd_fpl_1.pza[3][z]; }, kLowestPenaltyFactor,
     kHighestPenaltyFactor, ""},
}};

// The first value of points first..end-1 outside its range, keyed by
// `key_of` (the table's key and the point's number).
template <std::size_t N, class KeyOf>
std::optional<PlanValueOutOfRange> first_outside(const std::array<TaskPointValue, N>& table, int first, int end,
                                                 KeyOf key_of) {
    for (int n = first; n < end; ++n) {
        for (const TaskPointValue& value : table) {
            if (!within(value.value(static_cast<std::size_t>(n)), value.lowest, value.highest)) {
                return PlanValueOutOfRange{key_of(value.key, n), value.lowest, value.highest, value.unit};
            }
        }
    }
    return std::nullopt;
}

std::string numbered_key(std::string_view key, int n) { return std::string(key) + i2b(n); }

// The points of a SeeYou task converted: 0..nb_cup-1 (the last point read,
// the landing, never is).
int seeyou_points_converted() { return std::clamp(rd_cup_0.nb_cup, 0, kCupTaskSlots - 1); }

int penalty_zones() { return std::clamp(rd_fpl_0.nb_pz, 0, kPenaltyZoneSlots); }

std::string named_point(std::string_view english, std::string_view french, int n, const std::string& name) {
    return in_user_language(std::string(english), std::string(french)) + " " + i2b(n) + " (" + name + ")";
}

// The frame position as a real latitude and longitude.
bool frame_position_on_earth(float x, float y) {
    float lat = 0.0f;
    float lon = 0.0f;
    return xytolatlon(x, y, lat, lon) == 1 && position_on_earth(lat, lon);
}

std::string plan_point_off_the_earth() {
    const RdFpl1& t = rd_fpl_1;
    const int points = std::clamp(rd_fpl_0.nb_wp, 0, kTurnpointSlots);
    for (int n = 0; n < points; ++n) {
        const auto i = static_cast<std::size_t>(n);
        if (!frame_position_on_earth(t.tpx[i], t.tpy[i])) {
            return named_point("turnpoint", "point de virage", n, rd_fpl_2.tpnam[i]);
        }
    }
    for (int zone = 0; zone < penalty_zones(); ++zone) {
        const auto z = static_cast<std::size_t>(zone);
        for (int corner = 0; corner < kPenaltyZoneCorners; ++corner) {
            const auto c = static_cast<std::size_t>(corner);
            if (!frame_position_on_earth(t.pzp[1][c][z], t.pzp[2][c][z])) {
                std::string number;
                append_fmt_i(number, zone, 2, 2);
                return in_user_language("penalty zone PZ#" + number + ", corner " + i2b(corner),
                                        "zone de p\xE9nalit\xE9 PZ#" + number + ", coin " + i2b(corner));
            }
        }
    }
    return {};
}

std::string seeyou_point(int n) {
    return named_point("task point", "point du circuit", n, rd_cup_2.cupnam[static_cast<std::size_t>(n)]);
}

std::string seeyou_point_off_the_earth() {
    const RdCup1& c = rd_cup_1;
    for (int n = 0; n < seeyou_points_converted(); ++n) {
        const auto i = static_cast<std::size_t>(n);
        if (!position_on_earth(c.cuplat[i], c.cuplon[i])) {
            return seeyou_point(n);
        }
    }
    return {};
}

}  // namespace

bool plan_has_task() { return rd_fpl_0.nb_wp >= kFewestPlanPoints; }

std::optional<PlanValueOutOfRange> plan_value_out_of_range() {
    if (auto out = first_outside(kTurnpointValues, 0, std::clamp(rd_fpl_0.nb_wp, 0, kTurnpointSlots), numbered_key)) {
        return out;
    }
    if (auto out = first_outside(kPenaltyZoneValues, 0, penalty_zones(), numbered_key)) {
        return out;
    }
    // The plan's own task rules (a Condor 2 plan's are the command line's,
    // held to the same ranges there).
    const RdFpl6& rules = rd_fpl_6;
    if (rules.qaat && !(rules.t_aat >= 0.0f && rules.t_aat <= kMaxAatTime)) {
        return PlanValueOutOfRange{"AATTime", 0.0f, kMaxAatTime, "min"};
    }
    if (rules.start_max_speed < 0 || rules.start_max_speed > static_cast<int>(kMaxStartSpeed)) {
        return PlanValueOutOfRange{"MaxStartGroundSpeed", 0.0f, kMaxStartSpeed, "km\\/h"};
    }
    return std::nullopt;
}

std::optional<PlanValueOutOfRange> seeyou_value_out_of_range() {
    const int converted = seeyou_points_converted();
    // The zones of the points after the takeoff; zone k is the line "ObsZone=k-1".
    const auto zone_key = [](std::string_view key, int n) { return "ObsZone=" + i2b(n - 1) + " " + std::string(key); };
    if (auto out = first_outside(kSeeYouZoneValues, 1, converted, zone_key)) {
        return out;
    }
    for (int n = 0; n < converted; ++n) {
        const auto i = static_cast<std::size_t>(n);
        if (!within(rd_cup_1.cupalt[i], kLowestTaskAltitude, kHighestGroundAltitude)) {
            return PlanValueOutOfRange{seeyou_point(n) + in_user_language(" elevation", " altitude"),
                                       kLowestTaskAltitude, kHighestGroundAltitude, "m"};
        }
    }
    return std::nullopt;
}

std::string point_off_the_earth() {
    return tarvex01.qcup_in ? seeyou_point_off_the_earth() : plan_point_off_the_earth();
}

std::string seeyou_point_without_position(bool with_takeoff) {
    // The takeoff of the matching's road holds the waypoint it ends with:
    // its own, or the airport that took its place.
    if (with_takeoff && rd_fpl_1.tpid[0] == 0) {
        return seeyou_point(0);
    }
    for (int n = 1; n < seeyou_points_converted(); ++n) {
        if (rd_cup_1.cupwp[static_cast<std::size_t>(n)] == 0) {
            return seeyou_point(n);
        }
    }
    return {};
}

int seeyou_task_turnpoints() { return std::max(rd_cup_0.nb_cup_listed - 2, 0); }

std::string seeyou_zone_fault() {
    const RdCup2& texts = rd_cup_2;
    if (!texts.cupbadkey.empty()) {
        return texts.cupbadkey + "=" + texts.cupbadval + in_user_language(" cannot be read", " illisible");
    }
    for (int n = 1; n < seeyou_points_converted(); ++n) {
        const auto i = static_cast<std::size_t>(n);
        if (!rd_cup_1.cupzone[i]) {
            return seeyou_point(n) + in_user_language(" : no ObsZone line", " : aucune ligne ObsZone");
        }
        if (nearest_int(rd_cup_1.cuprad[1][i]) < 1) {
            return "ObsZone=" + i2b(n - 1) + " R1" +
                   in_user_language(" : a zone of radius 0", " : une zone de rayon 0");
        }
    }
    return {};
}

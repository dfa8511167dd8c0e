#include "taskfiles/task_checks.h"

#include "foundation/fixed_text.h"
#include "foundation/fortran_format.h"
#include "foundation/number_text.h"
#include "foundation/option_records.h"
#include "foundation/task_rule_limits.h"
#include "foundation/tell.h"
#include "foundation/units.h"
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

// The task points whose value a writer takes: every point (a position, an
// elevation), the points after the takeoff (the takeoff has no zone), or
// those of them whose zone is not classic (a window's centre altitude and
// azimuth; the SeeYou writer writes a window's fields for every sector type
// but the classic one).
enum class TakenAt { every_point, zones, windows };

struct TaskPointValue {
    std::string_view key;
    PointValue value;  // none: a value with no range of its own
    float lowest;
    float highest;
    std::string_view unit;
    TakenAt taken_at = TakenAt::every_point;
    bool whole = false;  // read as a whole number
};

bool taken(TakenAt at, int n) {
    switch (at) {
        case TakenAt::every_point: return true;
        case TakenAt::zones: return n >= 1;
        case TakenAt::windows: return n >= 1 && rd_fpl_1.tpsec[static_cast<std::size_t>(n)] != kClassicSectorType;
    }
    return true;
}

// A turnpoint's values as the plan gives them and as the writers take them.
// The azimuth has no range: the reader brings it into a turn.
constexpr std::array<TaskPointValue, 10> kTurnpointValues = {{
    {"TPPosX", nullptr, 0.0f, 0.0f, ""},
    {"TPPosY", nullptr, 0.0f, 0.0f, ""},
    {"TPPosZ", [](std::size_t n) -> double { return rd_fpl_1.tpz[n]; }, kLowestTaskAltitude, kHighestGroundAltitude,
     "m"},
    {"TPSectorType", nullptr, 0.0f, 0.0f, "", TakenAt::zones, true},
    {"TPRadius", [](std::size_t n) -> double { return rd_fpl_1.tprad[n]; }, 0.0f, kHighestZoneRadius, "m",
     TakenAt::zones},
    {"TPAngle", [](std::size_t n) -> double { return rd_fpl_1.tpang[n]; }, 0.0f, kHighestZoneAngle, "\xB0",
     TakenAt::zones},
    {"TPAltitude", [](std::size_t n) -> double { return rd_fpl_1.tpalt[n]; }, kLowestTaskAltitude,
     kHighestWindowAltitude, "m", TakenAt::windows},
    {"TPWidth", [](std::size_t n) -> double { return rd_fpl_1.tpwid[n]; }, 0.0f, kHighestZoneWidth, "m",
     TakenAt::zones},
    {"TPHeight", [](std::size_t n) -> double { return rd_fpl_1.tphei[n]; }, 0.0f, kHighestZoneHeight, "m",
     TakenAt::zones},
    {"TPAzimuth", nullptr, 0.0f, 0.0f, "", TakenAt::windows},
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
            if (value.value == nullptr || !taken(value.taken_at, n)) {
                continue;
            }
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

int plan_points() { return std::clamp(rd_fpl_0.nb_wp, 0, kTurnpointSlots); }

// The value of `key` when it did not read as a number, told with its key:
// "TPPosX2=abc : not a number"; empty when it read or was not given.
std::string not_a_number(const std::string& key, bool whole) {
    const auto found = rd_fpl_keys.not_numbers.find(key);
    if (found == rd_fpl_keys.not_numbers.end()) {
        return {};
    }
    const std::string given = key + "=" + trim_right(found->second) + " : ";
    return given + (whole ? in_user_language("not a whole number", "n'est pas un nombre entier")
                          : in_user_language("not a number", "n'est pas un nombre"));
}

// The first corner of penalty zone z not given, or given without a number.
std::string penalty_zone_corner_not_given(int z) {
    for (int corner = 0; corner < kPenaltyZoneCorners; ++corner) {
        for (const char* axis : {"X", "Y"}) {
            const std::string key = "PZPos" + i2b(corner) + axis + i2b(z);
            if (!rd_fpl_keys.corners_given.contains(key)) {
                const std::string count = "(PZCount=" + i2b(rd_fpl_0.nb_pz) + ")";
                return key + in_user_language(" missing ", " absent ") + count;
            }
            if (std::string told = not_a_number(key, false); !told.empty()) {
                return told;
            }
        }
    }
    return {};
}

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
    for (int n = 0; n < plan_points(); ++n) {
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

std::string plan_value_not_given() {
    for (int n = 0; n < plan_points(); ++n) {
        for (const TaskPointValue& value : kTurnpointValues) {
            if (!taken(value.taken_at, n)) {
                continue;
            }
            if (std::string told = not_a_number(numbered_key(value.key, n), value.whole); !told.empty()) {
                return told;
            }
        }
    }
    if (std::string told = not_a_number("PZCount", true); !told.empty()) {
        return told;
    }
    for (int z = 0; z < penalty_zones(); ++z) {
        if (std::string told = penalty_zone_corner_not_given(z); !told.empty()) {
            return told;
        }
        for (const TaskPointValue& value : kPenaltyZoneValues) {
            if (std::string told = not_a_number(numbered_key(value.key, z), false); !told.empty()) {
                return told;
            }
        }
    }
    // A Condor 3 plan gives its own task rules (a Condor 2 plan's are the
    // command line's); the AAT time counts for an AAT alone.
    if (rd_fpl_0.nvcnd == 3) {
        if (std::string told = rd_fpl_6.qaat ? not_a_number("AATTime", false) : ""; !told.empty()) {
            return told;
        }
        return not_a_number("MaxStartGroundSpeed", true);
    }
    return {};
}

std::optional<PlanValueOutOfRange> plan_value_out_of_range() {
    if (auto out = first_outside(kTurnpointValues, 0, plan_points(), numbered_key)) {
        return out;
    }
    if (auto out = first_outside(kPenaltyZoneValues, 0, penalty_zones(), numbered_key)) {
        return out;
    }
    // The plan's own task rules (a Condor 2 plan's are the command line's,
    // held to the same ranges there).
    const RdFpl6& rules = rd_fpl_6;
    if (rules.qaat && !(rules.t_aat >= 0.0f && rules.t_aat <= kMaxAatTime)) {
        // Told in the plan's unit: a Condor 3 plan gives hours.
        if (rd_fpl_0.nvcnd == 3) {
            return PlanValueOutOfRange{"AATTime", 0.0f, kMaxAatTime / kHourInMinutes, "h"};
        }
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

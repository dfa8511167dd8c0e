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

struct PenaltyZoneValue {
    std::string_view key;
    std::size_t row;  // of rd_fpl_1.pza
    float lowest;
    float highest;
    std::string_view unit;
};

constexpr std::array<PenaltyZoneValue, 3> kPenaltyZoneValues = {{
    {"PZBase", 1, kLowestPenaltyZoneHeight, kHighestPenaltyZoneHeight, "m"},
    {"PZTop", 2, kLowestPenaltyZoneHeight, kHighestPenaltyZoneHeight, "m"},
    {"PZPenaltyTimeFactor", 3, kLowestPenaltyFactor, kHighestPenaltyFactor, ""},
}};

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

std::string seeyou_point_off_the_earth() {
    const RdCup1& c = rd_cup_1;
    const int last = std::min(rd_cup_0.nb_cup, kCupTaskSlots - 1);
    for (int n = 0; n <= last; ++n) {
        const auto i = static_cast<std::size_t>(n);
        if (!position_on_earth(c.cuplat[i], c.cuplon[i])) {
            return named_point("task point", "point du circuit", n, rd_cup_2.cupnam[i]);
        }
    }
    return {};
}

}  // namespace

bool plan_has_task() { return rd_fpl_0.nb_wp >= kFewestPlanPoints; }

std::optional<PlanValueOutOfRange> plan_value_out_of_range() {
    for (int zone = 0; zone < penalty_zones(); ++zone) {
        const auto z = static_cast<std::size_t>(zone);
        for (const PenaltyZoneValue& value : kPenaltyZoneValues) {
            const float read = rd_fpl_1.pza[value.row][z];
            if (!(read >= value.lowest && read <= value.highest)) {
                return PlanValueOutOfRange{std::string(value.key) + i2b(zone), value.lowest, value.highest,
                                           value.unit};
            }
        }
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

std::string point_off_the_earth() {
    return tarvex01.qcup_in ? seeyou_point_off_the_earth() : plan_point_off_the_earth();
}

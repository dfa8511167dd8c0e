#pragma once

// Checks of a task just read, made before anything is computed from it or
// written: a flight plan holds a task, its values lie within the ranges they
// can mean, and every position of the task is a real place on the earth.
// The driver refuses the input that fails one (exit code 1); the conversion
// form refuses the plan the same way through input_fault.

#include <optional>
#include <string>
#include <string_view>

// A flight plan's task holds the takeoff (point 0) and at least one point
// after it: with fewer ("Count=0" or "Count=1") no writer has a point to write.
inline constexpr int kFewestPlanPoints = 2;
bool plan_has_task();

// The ranges of the penalty-zone values, as the airspace file writes them:
// base and top in metres (written in feet, "I5"), the penalty in points per
// minute ("I4").
inline constexpr float kLowestPenaltyZoneHeight = -3000.0f;
inline constexpr float kHighestPenaltyZoneHeight = 30000.0f;
inline constexpr float kLowestPenaltyFactor = 0.0f;
inline constexpr float kHighestPenaltyFactor = 9999.0f;

// A value of the plan outside the range it can mean: the key that gave it
// ("PZTop0"), the range and its unit.
struct PlanValueOutOfRange {
    std::string key;
    float lowest = 0.0f;
    float highest = 0.0f;
    std::string_view unit;
};

// The first value of the flight plan read outside its range (its penalty
// zones 0..nb_pz-1, then its AAT time when it is an AAT and its maximum start
// speed, held to the ranges of task_rule_limits.h); none when every value
// lies within.
std::optional<PlanValueOutOfRange> plan_value_out_of_range();

// The first point of the task read without a real position
// (position_on_earth of utm_frame.h), named in the run's language:
// "turnpoint 2 (Moustiers)" or "penalty zone PZ#00, corner 3" for a flight
// plan, whose frame positions go through xytolatlon (the frame must be set);
// "task point 2 (Moustiers)" for a SeeYou task (tarvex01.qcup_in), whose
// latitudes and longitudes are read as given. Empty when every point is real.
std::string point_off_the_earth();

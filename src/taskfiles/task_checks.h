#pragma once

// Checks of a task just read, made before anything is computed from it or
// written: a flight plan or a SeeYou task holds a task, its values lie within
// the ranges they can mean, every position of the task is a real place on
// the earth and, once the task is tied to the landscape, every SeeYou task
// point written has one. The driver refuses the input that fails one (exit
// code 1); the conversion form refuses the input the same way through
// input_fault.

#include <optional>
#include <string>
#include <string_view>

// A task holds the takeoff (point 0) and at least one point after it: with
// fewer (a plan's "Count=0" or "Count=1", a SeeYou task of a takeoff and a
// landing alone) no writer has a point to write.
inline constexpr int kFewestPlanPoints = 2;
bool plan_has_task();

// The ranges of the penalty-zone values, as the airspace file writes them:
// base and top in metres (written in feet, "I5"), the penalty in points per
// minute ("I4").
inline constexpr float kLowestPenaltyZoneHeight = -3000.0f;
inline constexpr float kHighestPenaltyZoneHeight = 30000.0f;
inline constexpr float kLowestPenaltyFactor = 0.0f;
inline constexpr float kHighestPenaltyFactor = 9999.0f;

// The ranges of a task point's values (a flight plan's turnpoint, a SeeYou
// task's point and zone). No real task comes near them; within them
// every writer has room for what it makes of the values:
// - the altitude limits of the XCSoar and LK8000 names and comments
//   (altitude_limits.h) write metres in 5 characters (-9999 to 99999) and
//   hundreds of metres in 3 (-99 to 999): a window's bottom, its centre less
//   half its height, stays above -500 - 18000 / 2 = -9500 m, its top below
//   30000 + 9000 m, a classic zone's minimum (TPWidth) and maximum
//   (TPHeight) within 0 to 30000 m;
// - LK8000 writes radii with "F10.2" and heights in thousandths of a metre
//   in 10 characters (I10), XCSoar its numbers in I10: room for 9999 km;
// - the task summary's feet, SeeYou's lengths and the Condor plan written
//   from a SeeYou task ("F16.6") have room to spare.
// The lowest land, by the Dead Sea, lies at -430 m, the highest at 8849 m.
inline constexpr float kLowestTaskAltitude = -500.0f;     // m: TPPosZ, TPAltitude, a waypoint's elevation
inline constexpr float kHighestGroundAltitude = 10000.0f; // m: TPPosZ, a waypoint's elevation
inline constexpr float kHighestWindowAltitude = 30000.0f; // m: TPAltitude, a window's centre
inline constexpr float kHighestZoneWidth = 30000.0f;      // m: TPWidth, a window's width or a classic minimum
inline constexpr float kHighestZoneHeight = 18000.0f;     // m: TPHeight, a window's height or a classic
                                                          // maximum (Condor writes 10000 for none); MaxAlt
inline constexpr float kHighestZoneRadius = 1000000.0f;   // m: TPRadius, R1, R2
inline constexpr float kHighestZoneAngle = 360.0f;        // degrees: TPAngle, the whole angle
inline constexpr float kHighestHalfAngle = 180.0f;        // degrees: A1, A2, half the angle
// A TPAngle past a full turn, and any TPAzimuth (radians; some plans hold
// degrees there), are read modulo a turn (fpl_reader.h): no range of theirs
// is refused but a negative angle.

// A value of the task outside the range it can mean: the key that gave it
// ("PZTop0", "TPRadius2", "ObsZone=1 R1"), the range and its unit.
struct PlanValueOutOfRange {
    std::string key;
    float lowest = 0.0f;
    float highest = 0.0f;
    std::string_view unit;
};

// The first value of the flight plan that a writer takes and the plan gives
// as no number, told in the run's language with its key and value
// ("TPPosX2=abc : not a number", "not a whole number" for a whole one), or
// the first corner of a penalty zone the plan counts and does not give
// ("PZPos0X2 missing (PZCount=3)"). Looked at, in this order: the positions
// and elevations of the turnpoints 0..nb_wp-1, the zone values of the points
// after the takeoff (sector type, radius, angle, width, height; a window's
// centre altitude and azimuth), the penalty zones' count ("PZCount") and the
// corners and values of the zones 0..nb_pz-1, then a Condor 3 plan's AAT time (an AAT) and maximum start
// speed. A key the plan does not hold (an older Condor's) leaves its start
// value and is not refused, but a corner. Empty when every one is read.
std::string plan_value_not_given();

// The first value of the flight plan read outside its range (those of
// plan_value_not_given that have one, in its order: the elevation of the
// turnpoints 0..nb_wp-1, the zone values of the points after the takeoff,
// the values of its penalty zones 0..nb_pz-1, then its AAT time when it is an
// AAT, told in hours for a Condor 3 plan, and its maximum start speed, held
// to the ranges of task_rule_limits.h); none when every value lies within.
std::optional<PlanValueOutOfRange> plan_value_out_of_range();

// The first value of the SeeYou task read outside its range: the zones
// (R1, R2, A1, A2, MaxAlt) of the points from the start to the finish
// (1..nb_cup-1, named by their "ObsZone" line, "ObsZone=1 R1"), then the
// elevations of the points' waypoints (0..nb_cup-1, named as the point:
// "task point 2 (Moustiers) elevation"); the landing is never converted.
// None when every value lies within.
std::optional<PlanValueOutOfRange> seeyou_value_out_of_range();

// The points a SeeYou task's line lists from the start to the finish: all
// of them but the takeoff and the landing, those past the task records too.
// More than a task holds (kMaxTaskPoints - 1) refuse the task.
int seeyou_task_turnpoints();

// Why the observation zones of a SeeYou task cannot be converted, named in
// the run's language; empty when they can. A zone value that does not read
// ("ObsZone=1 R1=3kmx cannot be read", its line and key as the reader kept
// them), a point from the start to the finish that no "ObsZone" line gives a
// zone ("task point 2 (Moustiers) : no ObsZone line"), or one whose R1 is 0
// (or missing): no target would write the zone the task means.
std::string seeyou_zone_fault();

// The first point of the task read without a real position
// (position_on_earth of utm_frame.h), named in the run's language:
// "turnpoint 2 (Moustiers)" or "penalty zone PZ#00, corner 3" for a flight
// plan, whose frame positions go through xytolatlon (the frame must be set);
// "task point 2 (Moustiers)" for a SeeYou task (tarvex01.qcup_in), whose
// latitudes and longitudes are read as given (the points converted, the
// landing aside). Empty when every point is real.
std::string point_off_the_earth();

// The first point of a SeeYou task that the conversion would write without a
// position of its own, named as point_off_the_earth names it: a point "???",
// or one not found among the file's waypoints (no waypoint, cupwp 0), from
// the start to the finish; with `with_takeoff` the takeoff too, when the
// landscape matching (set_wp_data) gave it neither a waypoint of the file nor
// an airport (tpid 0). Empty when every point has its position.
std::string seeyou_point_without_position(bool with_takeoff);

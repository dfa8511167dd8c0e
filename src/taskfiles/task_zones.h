#pragma once

// The observation zones and the height rules of the task points, worked out
// once from the task model (task_model.h) for every writer and the task
// summary: a point's zone kind, the heights of a window, the start maximum
// and the finish minimum altitudes. Each format then writes the kind its own
// way. Where the formats differ on a threshold, the constants below say so.

// Sector types of a turnpoint (tpsec). Condor writes only these two.
inline constexpr int kClassicSectorType = 0;  // a cylinder, a line or a sector
inline constexpr int kWindowSectorType = 1;   // a window: a gate of width tpwid and height tphei

// Angles of a classic zone (tpang, the full angle in degrees).
inline constexpr int kCylinderAngle = 360;
inline constexpr int kLineAngle = 180;  // a line at the start or finish, a gate at a turnpoint
inline constexpr int kQuadrantAngle = 90;

// A turnpoint zone of this radius (m) gets the FAI sector in the SeeYou
// (classic zones) and JSON output when qfaisector asks for it.
inline constexpr int kFaiCylinderRadius = 500;

// A classic zone's maximum altitude (tphei) at or above this stands for none
// (m): the SeeYou writer writes no MaxAlt, the XCSoar and LK8000 comments and
// the summary show no upper limit. A SeeYou task point without MaxAlt is read
// with it.
inline constexpr float kNoMaximumAltitude = 10000.0f;

// A classic finish whose minimum altitude (tpwid) is below this has none of
// its own and takes the plan's finish minimum altitude (m).
inline constexpr float kNoFinishMinimum = 0.01f;

// The start maximum altitude that stands for none differs between the task
// formats:
// - XCSoar: a classic start's maximum of kXcsoarNoStartLimit m or more, once
//   rounded (9998 is the largest that counts), is written as none ("0"); a
//   window start's top always counts.
// - LK8000: a start maximum above kLk8000HighestStartLimit m (9000 still
//   counts), window or classic, is written as none ("0").
inline constexpr int kXcsoarNoStartLimit = 9999;
inline constexpr int kLk8000HighestStartLimit = 9000;

// The direction of a sector that has none fixed (tpfixdir): it lies on the
// bisector of the turn.
inline constexpr float kNoFixedDirection = -1.0f;

// The kind of a point's observation zone, as the task defines it.
enum class ZoneKind {
    window,    // sector type kWindowSectorType
    cylinder,  // classic, kCylinderAngle
    line,      // classic, kLineAngle: a line at the start or the finish, a gate elsewhere
    sector,    // classic, any other angle (kQuadrantAngle among them)
};

// The kind of a classic zone of `angle` degrees.
ZoneKind classic_zone_kind(int angle);

// The kind of task point n's zone (0..30): a window for sector type
// kWindowSectorType, else the classic kind of its angle. An index outside the
// tables gives the classic kind of the start value (a sector).
ZoneKind zone_kind(int n);

// The radials (compass bearings in degrees) bounding a zone, each brought
// into 0..360 by whole turns: some plans hold a window's azimuth in degrees
// where Condor writes radians, and the reader's conversion then gives
// thousands of degrees, which no flight program takes.
struct ZoneRadials {
    float start = 0.0f;
    float end = 0.0f;
};

// An angle in degrees brought into 0..360 by whole turns; an angle already
// there stays as it is (360 included).
float normalised_angle(float degrees);
// A whole number of degrees: the angle cut towards 0 to whole degrees, then
// brought into 0..360 the same way.
int normalised_whole_angle(double degrees);

// A window's half disc, as wide as the window and facing its azimuth tpazi:
// from the azimuth plus a quarter turn to the azimuth less a quarter turn, in
// whole degrees.
ZoneRadials window_radials(int n);

// A sector of task point n (its angle tpang) around its fixed direction
// (tpfixdir, a SeeYou task's sector of fixed direction), else around the
// outer bisector of the turn (sector_bisector.h): from that direction less
// half the angle to it plus half the angle.
ZoneRadials sector_radials(int n);

// A window's bottom and top (m): its centre altitude tpalt minus and plus
// half its height tphei, worked out in double. 0 outside the tables.
double window_bottom(int n);
double window_top(int n);

// The start's maximum altitude (point 1, m above sea level): a window's top,
// a classic zone's maximum tphei. No start margin added.
double start_maximum_altitude();

// The finish's minimum altitude (point f, m above sea level): a window's
// bottom; a classic zone's minimum tpwid, or the plan's finish minimum
// altitude (rd_fpl_4.finishminalt) when that is above 0 and the zone has none
// of its own (tpwid below kNoFinishMinimum). 0 outside the tables.
double finish_minimum_altitude(int f);

#pragma once

#include <array>
#include <cstddef>
#include <string>
#include <vector>

#include "foundation/short_text_table.h"
#include "platform/system_memory.h"
#include "taskfiles/task_model.h"

// The landscape's own waypoints and airports, and a task read from a SeeYou
// file.
//
// - Landscape waypoints (the landscape's .cup file, or a SeeYou task file
//   given as input): `tarvewp2` (numbers) and `tarvewp3` (texts), entries
//   1..15,000; the count is tarvex01.nb_wp_file.
// - Landscape airports (the landscape's .apt file): `tarveap2` (numbers) and
//   `tarveap3` (names), entries 1..1,000; the count is tarvex01.nb_apt.
// - The task section of a SeeYou file: `rd_cup_0` (count), `rd_cup_1`
//   (positions and observation zones) and `rd_cup_2` (texts), points 0..31:
//   the takeoff, the 30 points a task holds from the start to the finish,
//   and the landing.
//
// The lists are parallel 1-based tables (element 0 unused), so that their
// members go straight to the name lookups rech and rech_2
// (foundation/waypoint_lookup.h). The tables start empty, so that a run that
// reads no landscape (help, a wrong command line) builds none of their 0.6 MB;
// the readers (read_cup, read_apt) and the resets give them their whole
// capacity, which they then keep. Texts hold the trimmed value of their fixed
// field (the capacities below), in text tables of 4 bytes an entry plus the
// characters stored (ShortTextTable).

inline constexpr int kMaxLandscapeWaypoints = 15000;
inline constexpr int kMaxLandscapeAirports = 1000;
inline constexpr int kCupTaskSlots = kTurnpointSlots + 1;  // SeeYou task points 0..31

inline constexpr std::size_t kWpNameCapacity = 24;    // wp_nam
inline constexpr std::size_t kWpCodeCapacity = 12;    // wp_cod
inline constexpr std::size_t kWpCountryCapacity = 12; // wp_cty
inline constexpr std::size_t kWpDescCapacity = 64;    // wp_dsc
inline constexpr std::size_t kAptNameCapacity = 35;   // apt_nam
inline constexpr std::size_t kCupNameCapacity = 64;   // cupnam
inline constexpr std::size_t kCupDescCapacity = 256;  // cupdesc

// Runway length, runway direction or frequency that a waypoint line lacks.
inline constexpr float kNoWaypointValue = -999.0f;

// SeeYou waypoint styles the program gives a meaning to.
inline constexpr int kStyleGrassAirfield = 2;
inline constexpr int kStyleSolidAirfield = 5;

// A table of numbers of the landscape: sized once to its whole capacity and
// filled as the landscape is read, so its pages are brought in at once.
template <class T>
using LandscapeNumbers = std::vector<T, PrefaultedAllocator<T>>;

// Landscape waypoints: numbers, entries 1..15,000.
struct Tarvewp2 {
    LandscapeNumbers<float> wp_lat;   // degrees, north positive
    LandscapeNumbers<float> wp_lon;   // degrees, east positive
    LandscapeNumbers<int> wp_elev;    // whole metres
    LandscapeNumbers<int> wp_typ;     // SeeYou style
    LandscapeNumbers<float> wp_rwl;   // runway length, m; -999 none
    LandscapeNumbers<float> wp_rwd;   // runway direction, degrees; -999 none
    LandscapeNumbers<float> wp_frq;   // frequency, MHz; -999 none
};

// Landscape waypoints: texts, entries 1..15,000.
struct Tarvewp3 {
    ShortTextTable wp_nam{kWpNameCapacity};  // name
    ShortTextTable wp_cod{kWpCodeCapacity};  // code
    ShortTextTable wp_cty{kWpCountryCapacity};  // country
    ShortTextTable wp_dsc{kWpDescCapacity};  // description
};

// Landscape airports: numbers, entries 1..1,000.
struct Tarveap2 {
    LandscapeNumbers<float> apt_lat;  // degrees
    LandscapeNumbers<float> apt_lon;  // degrees
    LandscapeNumbers<int> apt_elev;   // whole metres
    LandscapeNumbers<float> apt_rwd;  // runway direction, whole degrees
    LandscapeNumbers<float> apt_rwl;  // runway length, m
    LandscapeNumbers<float> apt_frq;  // frequency, MHz
    LandscapeNumbers<int> apt_sty;    // 5 paved, else 2
};

// Landscape airports: names, entries 1..1,000.
struct Tarveap3 {
    ShortTextTable apt_nam{kAptNameCapacity};  // name
};

using CupReals = std::array<float, kCupTaskSlots>;

// SeeYou task: index of the last point read (the number of points minus one),
// the number of points its task line lists (those past the slots too), and
// the rules of its "Options" line (kNoTaskRule when not given).
struct RdCup0 {
    int nb_cup = 0;
    int nb_cup_listed = 0;
    int cupnostart = kNoTaskRule;   // "NoStart": the start opens, seconds after midnight
    int cuptasktime = kNoTaskRule;  // "TaskTime": the designated time of the task, seconds
    int cupwpdis = kNoTaskRule;     // "WpDis": distances to the waypoints (1) or to the fixes (0)
};

// SeeYou task: positions and observation zones of points 0..31.
struct RdCup1 {
    CupReals cuplat{};                    // degrees
    CupReals cuplon{};                    // degrees
    CupReals cupalt{};                    // elevation of the point's waypoint, m
    std::array<CupReals, 3> cuprad{};     // [1 R1 | 2 R2][point], m
    std::array<CupReals, 3> cupang{};     // [1 A1 | 2 A2][point], degrees as written
    CupReals cupmxa{};                    // MaxAlt of the zone, m
    std::array<int, kCupTaskSlots> cupsty{};    // style of the point's waypoint
    std::array<bool, kCupTaskSlots> cupline{};  // the zone is a line
    std::array<int, kCupTaskSlots> cupwp{};     // the point's waypoint in the file (1..), 0 none
    std::array<bool, kCupTaskSlots> cupzone{};  // an "ObsZone" line gives the point's zone
    // The zone's fixed direction, "A12" of a zone of "Style=0" (degrees,
    // 0..360), or kNoFixedDirection (task_zones.h).
    CupReals cupa12 = task_model_detail::filled<float, kCupTaskSlots>(kNoFixedDirection);
};

// SeeYou task: texts.
struct RdCup2 {
    std::array<std::string, kCupTaskSlots> cupnam;  // point names as written in the task line, 64
    std::string cupdesc;                            // the task line's first field, quotes kept, 256
    // The first zone value that does not read: its "ObsZone" line and key
    // ("ObsZone=1 R1", "ObsZone" for the line's own number) and the value.
    std::string cupbadkey;
    std::string cupbadval;
};

extern Tarvewp2 tarvewp2;
extern Tarvewp3 tarvewp3;
extern Tarveap2 tarveap2;
extern Tarveap3 tarveap3;
extern RdCup0 rd_cup_0;
extern RdCup1 rd_cup_1;
extern RdCup2 rd_cup_2;

// Give waypoint tables (entries 0..15,000), resp. airport tables (0..1,000),
// their whole capacity; entries they hold already are kept, larger tables
// stay as they are.
void size_waypoint_tables(Tarvewp2& numbers, Tarvewp3& texts);
void size_airport_tables(Tarveap2& numbers, Tarveap3& names);

// Each restores its record to zeros and blanks (the tables at their whole
// capacity); reset_landscape_records() restores all seven.
void reset_tarvewp2();
void reset_tarvewp3();
void reset_tarveap2();
void reset_tarveap3();
void reset_rd_cup_0();
void reset_rd_cup_1();
void reset_rd_cup_2();
void reset_landscape_records();

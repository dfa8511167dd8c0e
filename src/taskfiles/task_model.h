#pragma once

#include "taskfiles/task_zones.h"

#include <array>
#include <cstddef>
#include <map>
#include <set>
#include <string>
#include <tuple>

// The task model: the global records that hold the one glider task of a run —
// turnpoints with their observation zones, penalty zones, the airspaces the
// task disables, weather zones, task options and the glider. The flight-plan
// reader fills it; the matching against the landscape completes it; the
// writers, the driver, the airspace code and the forms read it.
//
// Positions are metres in the landscape's local frame (x grows to the west, y
// to the north); altitudes and lengths are metres. Tables keep their index
// ranges: turnpoints 0..30 (0 the takeoff, 1 the start, nb_wp - 1 the finish),
// penalty zones 0..10 with corners 0..3, weather zones and their polygon points
// 0..16, disabled-airspace flags 0..8192; a range that starts at 1 has an
// unused element 0. Multi-index tables are indexed in the order
// [coordinate][point][zone], coordinate 1 being x and 2 y.
//
// Texts hold the trimmed value of a fixed-capacity field (capacities below).

inline constexpr int kTurnpointSlots = 31;         // turnpoints 0..30
inline constexpr int kPenaltyZoneSlots = 11;       // penalty zones 0..10
inline constexpr int kPenaltyZoneCorners = 4;      // corners 0..3
inline constexpr int kWeatherZoneSlots = 17;       // weather zones 0..16
inline constexpr int kWeatherPolygonPoints = 17;   // polygon points 0..16
inline constexpr int kAirspaceFlagSlots = 8193;    // airspaces 0..8192
inline constexpr int kDescriptionLines = 16;       // description lines 1..16

inline constexpr std::size_t kTpNameCapacity = 32;          // tpnam, wznam
inline constexpr std::size_t kDescriptionCapacity = 256;    // fpldesc
inline constexpr std::size_t kLandscapeCapacity = 64;       // landscape
inline constexpr std::size_t kPlanNameCapacity = 256;       // fpl_000
inline constexpr std::size_t kGliderTextCapacity = 32;      // glider, glclass, glskin

// Start values of a turnpoint's observation zone before a plan sets them.
inline constexpr int kDefaultZoneType = kWindowSectorType;
inline constexpr int kDefaultZoneRadius = 3000;  // m
inline constexpr int kDefaultZoneAngle = 90;     // degrees
inline constexpr float kStandardPressure = 101325.0f;  // Pa

namespace task_model_detail {
template <class T, std::size_t N>
constexpr std::array<T, N> filled(T value) {
    std::array<T, N> table{};
    table.fill(value);
    return table;
}
}  // namespace task_model_detail

using TpReals = std::array<float, kTurnpointSlots>;
using TpInts = std::array<int, kTurnpointSlots>;
using WzReals = std::array<float, kWeatherZoneSlots>;
using WzInts = std::array<int, kWeatherZoneSlots>;

// Task counters.
struct RdFpl0 {
    int nvcnd = 0;          // Condor major version of the plan (3000 gives 3); 0 before any plan
    int nb_wp = 0;          // task points including the takeoff point 0, at most 31
    int nb_pz = 0;          // penalty zones 0..nb_pz-1, at most 11
    int npzmax = 0;         // largest penalty-zone index read
    int nwpmax = 0;         // largest turnpoint index read
    int nb_as_zones = 0;    // airspaces in the landscape's airspace file
    int nb_fpldesc = 0;     // description lines (not counted by the reader)
    int last_dis_as = -1;   // largest disabled airspace; -1 no list read, 0 an empty list

    // Second name of nvcnd.
    int& fpl_vers() { return nvcnd; }
    int fpl_vers() const { return nvcnd; }
};

// Turnpoint and zone arrays.
struct RdFpl1 {
    // Weather-zone polygons: [1 x | 2 y][point 0..16][zone 0..16].
    std::array<std::array<WzReals, kWeatherPolygonPoints>, 3> wzp{};
    // Penalty-zone corners: [1 x | 2 y][corner 0..3][zone 0..10].
    std::array<std::array<std::array<float, kPenaltyZoneSlots>, kPenaltyZoneCorners>, 3> pzp{};
    // Per penalty zone: [1 base m | 2 top m | 3 penalty time factor][zone 0..10].
    std::array<std::array<float, kPenaltyZoneSlots>, 4> pza{};
    TpReals tpx{};         // position, m
    TpReals tpy{};
    TpReals tpz{};         // altitude, m
    TpReals tplat{};       // latitude, degrees (from the landscape matching)
    TpReals tplon{};       // longitude, degrees
    TpReals tpazi{};       // window azimuth, whole degrees
    TpReals tphei{};       // window height; classic sector: maximum altitude
    TpReals tpalt{};       // altitude of the window centre, whole metres
    TpReals tpwid{};       // window width; classic sector: minimum altitude
    TpInts tpsecdir{};     // sector direction code as the plan gives it
    TpReals tpdist{};      // length of the leg ending at the point (slot 0 unused)
    TpInts tpair{};        // airport flag as the plan gives it
    TpInts tpsec = task_model_detail::filled<int, kTurnpointSlots>(kDefaultZoneType);    // 0 classic, 1 window
    TpInts tprad = task_model_detail::filled<int, kTurnpointSlots>(kDefaultZoneRadius);  // m
    TpInts tpang = task_model_detail::filled<int, kTurnpointSlots>(kDefaultZoneAngle);   // 360 cylinder, 180 line
    TpInts tpid{};         // landscape waypoint matched: -k airport k, +k turnpoint k, 0 none
    // A sector's fixed direction (compass bearing, degrees), kNoFixedDirection
    // when it lies on the bisector of the turn: only a SeeYou task fixes one.
    TpReals tpfixdir = task_model_detail::filled<float, kTurnpointSlots>(kNoFixedDirection);
};

// Texts.
struct RdFpl2 {
    std::array<std::string, kTurnpointSlots> tpnam;       // turnpoint names, "<" ">" escaped
    std::array<std::string, kWeatherZoneSlots> wznam;     // weather-zone names
    std::array<std::string, kDescriptionLines + 1> fpldesc;  // description lines 1..16
    std::string landscape;                                // landscape name
    std::string fpl_000;                                  // name of the plan file read
};

struct RdFpl4 {
    int jdate = 0;                        // Julian day number of the task date
    float finishminalt = 0.0f;            // finish minimum altitude, m (set by the driver)
    float pressure = kStandardPressure;   // air pressure, Pa
    float dist_tot = 0.0f;                // task distance from the start to the finish, m
    int cloudbase = 0;                    // read by nothing; a fresh reading keeps it
};

// Airspaces of the landscape's airspace file that the task disables.
struct RdFpl5 {
    std::array<bool, kAirspaceFlagSlots> qas_disa{};
};

// A rule of a SeeYou task that the task does not give.
inline constexpr int kNoTaskRule = -1;

// Task options.
struct RdFpl6 {
    int taskdate = 0;          // day count, day 2 being 1 January 1900
    float starttime = 0.0f;
    float starttimewindow = 0.0f;
    float racestartdelay = 0.0f;
    float t_aat = 0.0f;        // AAT time, minutes
    int iconsvisiblerange = 0;
    int thermalhelpersrange = 0;
    int turnpointhelpersrange = 0;
    bool qaat = false;         // the task is an AAT
    bool allowbugwipers = false;
    bool allowpda = false;
    bool allowrealtimescoring = false;
    bool allowexternalview = false;
    bool allowpadlockview = false;
    bool allowsmoke = false;
    bool allowplanerecovery = false;
    bool allowheightrecovery = false;
    bool allowmidaircollisionrecovery = false;
    int cloudpen = 0;
    int penaltyplanerecovery = 0;
    int penaltyheightrecovery = 0;
    int penaltywrongwindowenterance = 0;
    int penaltywindowcollision = 0;
    int penaltyairspaceenterance = 0;
    int penaltypenaltyzoneenterance = 0;
    int penaltythermalhelpers = 0;
    int start_max_speed = 0;   // maximum start ground speed, km/h
    int penaltystartspeed = 0;
    int penaltyhighstart = 0;
    int penaltylowfinish = 0;
    int randseed = 0;
    int starttype = 0;
    int startheight = 0;
    int breakprob = 0;
    float ropelength = 0.0f;
    int maxteams = 0;
    int acroflight = 0;
    int maxwingloading = 0;
    int team = 0;              // unused
    // The rules a SeeYou task gives in its "Options" line, which a Condor
    // plan has not; kNoTaskRule when not given.
    int nostart = kNoTaskRule;   // the start opens, seconds after midnight
    int tasktime = kNoTaskRule;  // the designated time of the task, seconds
    int wpdis = kNoTaskRule;     // distances to the waypoints (1) or to the fixes (0)

    // Second names.
    float& aattime() { return t_aat; }
    float aattime() const { return t_aat; }
    bool& qpda() { return allowpda; }
    bool qpda() const { return allowpda; }
    bool& qmidair() { return allowmidaircollisionrecovery; }
    bool qmidair() const { return allowmidaircollisionrecovery; }
    int& penaltycloudflying() { return cloudpen; }
    int penaltycloudflying() const { return cloudpen; }
    int& maxstartgroundspeed() { return start_max_speed; }
    int maxstartgroundspeed() const { return start_max_speed; }
};

// Real weather values per zone 0..16.
struct RdFplWz1 {
    WzReals movedir{};
    WzReals movespeed{};
    WzReals borderwidth{};
    WzReals winddir{};
    WzReals windspeed{};
    WzReals windupperspeed{};
    WzReals thermalstemp{};             // kelvin
    WzReals thermalsdew{};
    WzReals thermalsinversionheight{};  // whole metres
};

// Further weather values per zone 0..16, and the weather's two scalars.
struct RdFplWz2 {
    WzInts pointcount{};                // polygon points of the zone
    WzInts winddirvariation{};
    WzInts windspeedvariation{};
    WzInts windturbulence{};
    WzInts thermalstempvariation{};
    WzInts thermalsstrength{};
    WzInts thermalsstrengthvariation{};
    WzReals thermalsoverdevelopment{};
    WzInts thermalswidth{};
    WzInts thermalswidthvariation{};
    WzInts thermalsactivity{};
    WzInts thermalsactivityvariation{};
    WzInts thermalsturbulence{};
    WzInts thermalsflatsactivity{};
    WzInts thermalsstreeting{};
    WzInts thermalsbugs{};
    WzInts wavesstability{};
    WzInts wavesmoisture{};
    WzInts highcloudscoverage{};
    bool randomizeweatheroneachflight = false;
    int wzcount = 0;                    // number of weather zones
};

// The plane of the plan: names.
struct Ggg001 {
    std::string glider;    // glider name
    std::string glclass;   // glider class
    std::string glskin;    // skin

    // Second name of glider.
    std::string& glnam() { return glider; }
    const std::string& glnam() const { return glider; }
};

struct Ggg002 {
    float cgbias = 0.0f;       // centre-of-gravity bias
    int glseat = 1;            // seat
    bool qbugwipers = false;   // bug wipers
};

// Masses.
struct Gggmas {
    float wmass = 0.0f;   // water ballast
    float fmass = 0.0f;   // fixed mass
    float rmass = 0.0f;
    float mmass = 0.0f;
    float cmass = 0.0f;
    float balmax = 0.0f;
};

// A glider polar; nothing fills it. Tables indexed from 1.
struct Gggpol {
    std::array<float, 4> vap{};
    std::array<float, 4> vzp{};
    std::array<float, 4> vap00{};
    std::array<float, 4> vzp00{};
    std::array<float, 3> pol_a{};
    std::array<float, 3> pol_b{};
    std::array<float, 3> pol_c{};
    float pol_d = 0.0f;
    float pol_v = 0.0f;
    float calage = 0.0f;
    float pol_a00 = 0.0f;
    float pol_b00 = 0.0f;
    float pol_c00 = 0.0f;
    float pol_d00 = 0.0f;
    float pol_v00 = 0.0f;
    float vmin_00 = 0.0f;
    float vvzm_00 = 0.0f;
    float v_vzmin = 0.0f;
    float h_wnd = 0.0f;
    float fmulatm = 0.0f;
    float vmin = 0.0f;
    float vvzm = 0.0f;
    float vfmax_00 = 0.0f;   // not cleared by init_glider
    float fmax_00 = 0.0f;    // not cleared by init_glider
    float gforce = 0.0f;     // not cleared by init_glider
};

// What the plan's lines gave for the values the writers take as numbers,
// by the key as the plan names it with its index: the value of each key that
// did not read as a number ("TPPosX2" holding "abc"; a later line of the
// key that reads takes it back), and the penalty-zone corners the plan gives
// ("PZPos0X2"). A fresh reading starts it empty; the checks of task_checks.h
// refuse a plan by it.
struct RdFplKeys {
    std::map<std::string, std::string> not_numbers;
    std::set<std::string> corners_given;
};

extern RdFpl0 rd_fpl_0;
extern RdFpl1 rd_fpl_1;
extern RdFpl2 rd_fpl_2;
extern RdFpl4 rd_fpl_4;
extern RdFpl5 rd_fpl_5;
extern RdFpl6 rd_fpl_6;
extern RdFplWz1 rd_fpl_wz1;
extern RdFplWz2 rd_fpl_wz2;
extern Ggg001 ggg001;
extern Ggg002 ggg002;
extern Gggmas gggmas;
extern Gggpol gggpol;
extern RdFplKeys rd_fpl_keys;

// A copy of every record of the task model, and the records themselves as
// one tuple of references: `TaskModelCopy copy = task_model_records();`
// keeps the model, `task_model_records() = copy;` puts it back.
using TaskModelCopy = std::tuple<RdFpl0, RdFpl1, RdFpl2, RdFpl4, RdFpl5, RdFpl6, RdFplWz1, RdFplWz2, Ggg001, Ggg002,
                                 Gggmas, Gggpol, RdFplKeys>;
inline auto task_model_records() {
    return std::tie(rd_fpl_0, rd_fpl_1, rd_fpl_2, rd_fpl_4, rd_fpl_5, rd_fpl_6, rd_fpl_wz1, rd_fpl_wz2, ggg001, ggg002,
                    gggmas, gggpol, rd_fpl_keys);
}

// Clears what a fresh reading of a plan starts from: counters, turnpoint and
// zone tables (zone type, radius and angle to 0, no fixed direction), texts, weather, options
// (except taskdate and starttime), disabled airspaces; pressure 101325 Pa.
// nvcnd, tpdist, tpsecdir, jdate, finishminalt, dist_tot, fpl_000,
// randomizeweatheroneachflight and wzcount keep their values.
void init_read_fpl();

// Sets the glider records to their start values (seat 1, everything else 0 or
// blank); vfmax_00, fmax_00 and gforce of the polar keep their values.
void init_glider();

// Sets nb_wp to 0 and every turnpoint to a window of radius 3000 m and angle
// 90 (no fixed direction) at (0, 0, 0) with a blank name; tpid, tpdist keep
// their values.
void init_wp();

// Leg lengths tpdist(1) .. tpdist(nb_wp - 1) and the task distance dist_tot
// (the legs from the start to the finish; the takeoff-to-start leg is stored
// but not counted). A finish cylinder shortens the last leg by its radius.
// Writes one trace line per leg and a "Tot dist" line to standard output.
void compute_dist();

// True when the plan read has an airspace output: penalty zones, or a
// Condor 3 plan whose landscape's airspace is copied.
bool task_has_airspace();

// True when the task names its glider (a plan's [Plane] "Name"). Without one
// there is no polar to choose: the profile's polar and LK8000's aircraft file
// are left as they are.
bool task_names_glider();

// Escapes a name for the XML writers: every "<" becomes "&lt;", then every ">"
// "&gt;", and the text is cut to the field's capacity after each replacement.
// "&" itself is not escaped.
void cleanup_name(std::string& str, std::size_t capacity);

// Each restores the start values of its record, as a plan reading into a fresh
// model leaves them (members without a clearing value at 0 or blank);
// reset_task_model() restores every record.
void reset_rd_fpl_0();
void reset_rd_fpl_1();
void reset_rd_fpl_2();
void reset_rd_fpl_4();
void reset_rd_fpl_5();
void reset_rd_fpl_6();
void reset_rd_fpl_wz1();
void reset_rd_fpl_wz2();
void reset_ggg001();
void reset_ggg002();
void reset_gggmas();
void reset_gggpol();
void reset_rd_fpl_keys();
void reset_task_model();

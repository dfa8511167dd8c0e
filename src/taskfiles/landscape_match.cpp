#include "taskfiles/landscape_match.h"

#include "foundation/fixed_text.h"
#include "foundation/fortran_format.h"
#include "foundation/number_text.h"
#include "foundation/option_records.h"
#include "foundation/output_targets.h"
#include "foundation/tell.h"
#include "foundation/utm_frame.h"
#include "foundation/waypoint_lookup.h"
#include "platform/console.h"
#include "taskfiles/landscape_records.h"
#include "taskfiles/task_model.h"
#include "taskfiles/task_zones.h"

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <string>

namespace {

constexpr std::size_t kMessageLength = 512;
constexpr int kNoAltitudeTest = -999;
constexpr float kDuplicateDistance = 1.0f;  // m
constexpr float kTakeoffRadius = 3000.0f;   // m
constexpr float kTakeoffHalfAngle = 45.0f;  // degrees
constexpr float kDefaultWindowCentre = 1500.0f;
constexpr float kNoAirportDistance = 360.0f;
constexpr std::string_view kNoPosition = "???";

std::string number(float value) { return f2b(value, "(F16.6)"); }

void warn(const std::string& text) { tell_and_log(kWarning, fit_field(text, kMessageLength)); }

void warn_multiple(const std::string& name, std::string_view file) {
    const std::string trimmed = trim_right(name);
    warn(in_user_language("Waypoint : " + trimmed + " multiply defined in " + std::string(file) +
                              " file\n(Same name and altitude), last one used",
                          "Point de virage : " + trimmed +
                              " : d\xE9" "finition multiple dans le fichier " +
                              std::string(file) +
                              "\n(M\xEAme nom et m\xEAme altitude), le dernier enregistrement a \xE9t\xE9 retenu"));
}

void warn_missing(const std::string& names) {
    const std::string landscape = trim_right(rd_fpl_2.landscape);
    warn(in_user_language("The following waypoint(s) do(es) not exist in the " + landscape + " database (.cup)" +
                              "/However, the converted task will still work correctly./" + names,
                          "Le(s) points de virage suivant(s) n'existe(nt) pas dans la base de donn\xE9" "es "
                          "(.cup) de la sc\xE8" "ne " + landscape +
                              "/Cependant, le circuit converti fonctionnera toujours correctement./" + names));
}

int task_points(int count) { return std::clamp(count, 0, kTurnpointSlots); }

// The identity of landscape airport n: -n when the chosen target tells
// airports from turnpoints (LK8000, SeeYou), else n.
int airport_identity(int n) { return chosen_target().airports_signed ? -n : n; }

// A doubled name with its number; a name that leaves no room for the number
// is cut before it, so that the number always tells the points apart.
std::string numbered_duplicate(const std::string& name, int number) {
    const std::string suffix = i2b(number);
    return fit_field(trim_right(name), kTpNameCapacity - suffix.size()) + suffix;
}

// The identity of landscape airport n as the takeoff of a SeeYou task: the
// waypoint of the task's own file of its name and place when the file has
// one (the waypoint records hold the file), so that the takeoff and a point
// of the task at that airfield are one waypoint; else the airport.
int takeoff_identity(int n) {
    const auto k = static_cast<std::size_t>(n);
    const int match = rech_2(fit_field(tarveap3.apt_nam[k], kWpNameCapacity), tarveap2.apt_lat[k],
                             tarveap2.apt_lon[k], kNoAltitudeTest, tarvex01.nb_wp_file, tarvewp3.wp_nam,
                             tarvewp2.wp_lat, tarvewp2.wp_lon, tarvewp2.wp_elev);
    return match != 0 ? std::abs(match) : airport_identity(n);
}

// Renames the turnpoints that share a name but lie apart: "Name1", "Name2", ...
void rename_duplicates(int nb_wp) {
    RdFpl1& t = rd_fpl_1;
    auto& names = rd_fpl_2.tpnam;
    for (int i = 1; i < nb_wp; ++i) {
        const auto a = static_cast<std::size_t>(i);
        const std::string name = names[a];
        int count = 0;
        for (int j = i + 1; j < nb_wp; ++j) {
            const auto b = static_cast<std::size_t>(j);
            const bool apart = std::fabs(double{t.tpx[a]} - t.tpx[b]) > kDuplicateDistance &&
                               std::fabs(double{t.tpy[a]} - t.tpy[b]) > kDuplicateDistance;
            if (!blank_equal(names[b], name) || !apart) {
                continue;
            }
            ++count;
            names[b] = numbered_duplicate(names[b], count + 1);
            console_line("Duplicate TP names : " + i2b(i) + " " + name + " -> rename " + i2b(j) + " " + names[b]);
        }
        if (count >= 1) {
            names[a] = numbered_duplicate(name, 1);
        }
    }
}

// The landscape waypoint point i matches: -k / +k airport / turnpoint k with
// the LK8000 and SeeYou targets, k otherwise; 0 none. Adds the point to the
// missing list when it is found nowhere.
int identify(std::size_t i, std::string& missing) {
    const std::string& name = rd_fpl_2.tpnam[i];
    const float lat = rd_fpl_1.tplat[i];
    const float lon = rd_fpl_1.tplon[i];
    int match = rech_2(name, lat, lon, kNoAltitudeTest, tarvex01.nb_apt, tarveap3.apt_nam, tarveap2.apt_lat,
                       tarveap2.apt_lon, tarveap2.apt_elev);
    console_line("APT " + i2b(tarvex01.nb_apt) + " " + name + " " + i2b(match));
    if (match < 0) {
        warn_multiple(name, ".apt");
        match = -match;
    }
    if (match > 0) {
        return airport_identity(match);
    }
    // The landscape's turnpoint names hold 24 characters: the point's name is
    // compared under the same cut.
    match = rech_2(fit_field(name, kWpNameCapacity), lat, lon, nearest_int(rd_fpl_1.tpz[i]), tarvex01.nb_wp_file,
                   tarvewp3.wp_nam, tarvewp2.wp_lat, tarvewp2.wp_lon, tarvewp2.wp_elev);
    console_line("WP " + name + " " + i2b(match));
    if (match < 0) {
        warn_multiple(name, ".cup");
        match = -match;
    }
    if (match == 0) {
        missing += (missing.empty() ? "" : " ") + trim_right(name) + ",";
    }
    return match;
}

}  // namespace

void get_wp_data(bool qverb, int /*idt*/) {
    RdFpl1& t = rd_fpl_1;
    const int nb_wp = task_points(rd_fpl_0.nb_wp);
    if (qverb) {
        console_line("get_wp_data " + i2b(rd_fpl_0.nb_wp));
    }
    rename_duplicates(nb_wp);
    std::string missing;
    for (int n = 0; n < nb_wp; ++n) {
        const auto i = static_cast<std::size_t>(n);
        const std::string& name = rd_fpl_2.tpnam[i];
        console_line(i2b(n) + " " + name + " " + number(t.tpx[i]) + " " + number(t.tpy[i]));
        xytolatlon(t.tpx[i], t.tpy[i], t.tplat[i], t.tplon[i]);
        console_line(i2b(n) + " " + name + " " + number(t.tplat[i]) + " " + number(t.tplon[i]));
        const int id = tarvex01.qchkwp ? identify(i, missing) : 0;
        console_line("Match " + i2b(id));
        t.tpid[i] = id;
        if (qverb) {
            std::string field = name;
            field.resize(std::max(field.size(), kTpNameCapacity), ' ');  // the whole 32-character field
            console_line(fortran_write("(1X,A,1X,2(1X,F12.6),I6,I6)",
                                       {field, t.tplat[i], t.tplon[i], nearest_int(t.tpz[i]), t.tpid[i]}));
        }
    }
    if (!missing.empty() && tarvex01.qverb_0) {
        missing.back() = ' ';  // the list's final comma
        missing = trim_right(missing);
        console_line(i2b(static_cast<int>(missing.size())) + " " + missing);
        warn_missing(missing);
    }
    console_line("end get_wp_data");
}

void set_wp_data(bool qverb) {
    RdCup1& c = rd_cup_1;
    RdCup2& names = rd_cup_2;
    RdFpl1& t = rd_fpl_1;
    if (qverb) {
        console_line("set_wp_data");
    }
    // Airport names hold 35 characters: the takeoff's name is compared under the same cut.
    const int airport = rech_2(fit_field(names.cupnam[0], kAptNameCapacity), c.cuplat[0], c.cuplon[0],
                               kNoAltitudeTest, tarvex01.nb_apt, tarveap3.apt_nam, tarveap2.apt_lat,
                               tarveap2.apt_lon, tarveap2.apt_elev);
    console_line("APT " + names.cupnam[0] + " " + i2b(airport));
    int takeoff_airport = 0;
    if (airport == 0 || names.cupnam[0] == kNoPosition) {
        const int count = std::clamp(tarvex01.nb_apt, 0, kMaxLandscapeAirports);
        float best = kNoAirportDistance;
        int nearest = 0;
        for (int n = 1; n <= count; ++n) {
            const auto k = static_cast<std::size_t>(n);
            const float distance = static_cast<float>(std::max(std::fabs(double{c.cuplat[1]} - tarveap2.apt_lat[k]),
                                                               std::fabs(double{c.cuplon[1]} - tarveap2.apt_lon[k])));
            if (distance < best) {
                best = distance;
                nearest = n;
            }
        }
        if (nearest > 0) {
            const auto k = static_cast<std::size_t>(nearest);
            names.cupnam[0] = tarveap3.apt_nam[k];
            c.cuplat[0] = tarveap2.apt_lat[k];
            c.cuplon[0] = tarveap2.apt_lon[k];
            c.cupalt[0] = static_cast<float>(tarveap2.apt_elev[k]);
            takeoff_airport = nearest;
            console_line("MIN DIST " + i2b(nearest) + " " + number(best) + " " + names.cupnam[0]);
        }
    }
    c.cupsty[0] = kStyleSolidAirfield;
    c.cuprad[1][0] = kTakeoffRadius;
    c.cupang[1][0] = kTakeoffHalfAngle;
    c.cuprad[2][0] = 0.0f;
    c.cupang[2][0] = 0.0f;

    const int nb_cup = std::clamp(rd_cup_0.nb_cup, 0, kCupTaskSlots - 1);
    for (int n = 0; n < nb_cup; ++n) {
        const auto i = static_cast<std::size_t>(n);
        t.tpalt[i] = kDefaultWindowCentre;
        t.tpwid[i] = 0.0f;
        t.tpazi[i] = 0.0f;
        rd_fpl_2.tpnam[i] = fit_field(names.cupnam[i], kTpNameCapacity);
        // The point stays where the SeeYou task puts it.
        t.tplat[i] = c.cuplat[i];
        t.tplon[i] = c.cuplon[i];
        latlontoxy(c.cuplat[i], c.cuplon[i], t.tpx[i], t.tpy[i]);
        t.tpz[i] = c.cupalt[i];
        // Its waypoint of the SeeYou file, whose data the waypoint records
        // hold (the file was read into them), or the landscape airport that
        // became the takeoff.
        t.tpid[i] = n == 0 && takeoff_airport > 0 ? takeoff_identity(takeoff_airport) : c.cupwp[i];
        const float r1 = c.cuprad[1][i];
        const float r2 = c.cuprad[2][i];
        const float a1 = c.cupang[1][i];
        const float a2 = c.cupang[2][i];
        if (c.cupline[i]) {
            t.tprad[i] = nearest_int(r1);
            t.tpang[i] = kLineAngle;
        } else if (r2 > 1.0f && r2 < r1) {
            t.tprad[i] = nearest_int(r2);
            t.tpang[i] = nearest_int(2.0 * a2);  // A1 and A2 are half-angles
        } else {
            t.tprad[i] = nearest_int(r1);
            t.tpang[i] = nearest_int(2.0 * a1);
        }
        // A sector of fixed direction keeps it; a cylinder or a line has none.
        t.tpfixdir[i] = n > 0 && classic_zone_kind(t.tpang[i]) == ZoneKind::sector ? c.cupa12[i] : kNoFixedDirection;
        t.tpsec[i] = kClassicSectorType;
        t.tpair[i] = c.cupsty[i] == kStyleGrassAirfield || c.cupsty[i] == kStyleSolidAirfield ? 1 : 0;
        t.tphei[i] = c.cupmxa[i] > 0.0f ? c.cupmxa[i] : kNoMaximumAltitude;
        if (qverb) {
            console_line("A " + number(a1) + " " + number(a2) + " " + i2b(t.tpang[i]) + " R " + number(r1) + " " +
                         number(r2) + " " + i2b(t.tprad[i]));
        }
    }
    rd_fpl_0.nb_wp = std::max(nb_cup, 0);
    rd_fpl_6.nostart = rd_cup_0.cupnostart;
    rd_fpl_6.tasktime = rd_cup_0.cuptasktime;
    rd_fpl_6.wpdis = rd_cup_0.cupwpdis;
    if (qverb) {
        console_line("set_wp_data " + i2b(rd_fpl_0.nb_wp));
    }
}

void copy_wp_data() {
    const RdCup1& c = rd_cup_1;
    RdFpl1& t = rd_fpl_1;
    rd_fpl_0.nb_wp = std::max(rd_cup_0.nb_cup, 0);
    const int nb_cup = std::clamp(rd_cup_0.nb_cup, 0, kCupTaskSlots - 1);
    for (int n = 1; n < nb_cup; ++n) {
        const auto i = static_cast<std::size_t>(n);
        t.tplat[i] = c.cuplat[i];
        t.tplon[i] = c.cuplon[i];
        if (c.cupang[2][i] != 0.0f) {
            tarvex01.qfaisector = true;
            t.tprad[i] = nearest_int(c.cuprad[2][i]);
            t.tpang[i] = nearest_int(2.0 * c.cupang[2][i]);
        } else {
            t.tprad[i] = nearest_int(c.cuprad[1][i]);
            t.tpang[i] = nearest_int(2.0 * c.cupang[1][i]);
        }
        console_line(number(t.tplat[i]) + " " + number(t.tplon[i]) + " " + i2b(t.tprad[i]) + " " + i2b(t.tpang[i]));
    }
}

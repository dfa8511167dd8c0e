#include "taskfiles/fpl_reader.h"

#include "foundation/condor_install.h"
#include "foundation/fixed_text.h"
#include "foundation/fortran_format.h"
#include "foundation/julian_day.h"
#include "foundation/key_value.h"
#include "foundation/number_text.h"
#include "foundation/option_records.h"
#include "foundation/read_one_number.h"
#include "foundation/tell.h"
#include "platform/console.h"
#include "platform/files.h"
#include "taskfiles/task_model.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <cstdint>
#include <cstring>
#include <limits>
#include <string>
#include <utility>
#include <variant>

namespace {

constexpr std::size_t kLineBuffer = 132;    // characters of a plan line read
constexpr std::size_t kKeyLength = 80;      // characters of a key and of a value
constexpr std::size_t kAirspaceItemLength = 8;
constexpr std::string_view kDisabledAirspacesKey = "DisabledAirspaces";
constexpr int kAirspacesBeforeReading = 8192;
constexpr std::size_t kAirspaceBlock = 64 * 1024;  // bytes of the airspace file read at a time
constexpr int kNoLetterStatus = 222;        // a point key without "X" or "Y"
constexpr int kEndOfFile = -1;
constexpr double kPi = 3.1415927f;          // pi as a 32-bit real
constexpr std::string_view kEmbeddedPrefix = "LCONFPL";
constexpr std::string_view kEmbeddedEnd = "LCONFlightInfo";

// Reads a number of the member's kind from the text into the member; false
// (member unchanged) when the text holds none.
bool read_value(std::string_view text, int& member) { return read_one_int(text, member); }
bool read_value(std::string_view text, float& member) { return read_one_real(text, member); }

// A member of a table given by its address.
using NumberTarget = std::variant<int*, float*>;

bool read_target(std::string_view text, NumberTarget target) {
    return std::visit([text](auto* member) { return read_value(text, *member); }, target);
}

// An index read from a key: 0..last, else a console trace and no value.
bool index_in_range(int index, int last, std::string_view what) {
    if (index >= 0 && index <= last) {
        return true;
    }
    console_line("read_fpl : " + std::string(what) + " " + i2b(index) + " out of range 0.." + i2b(last) +
                 ", line ignored");
    return false;
}

// Notes whether the value of a key that a writer may take as a number read
// as one (rd_fpl_keys): `key` as the plan names it, with its index.
void note_number(const std::string& key, const std::string& value, bool read) {
    if (read) {
        rd_fpl_keys.not_numbers.erase(key);
    } else {
        rd_fpl_keys.not_numbers[key] = value;
    }
}

// Sets the turnpoint member from the value; false when the value does not
// read as the number the member takes (a name takes any text).
using TurnpointSetter = bool (*)(std::size_t n, const std::string& value);

bool set_rounded(int& member, const std::string& value) {
    float read = 0.0f;
    if (!read_value(value, read)) {
        return false;
    }
    member = nearest_int(read);
    return true;
}

bool set_rounded(float& member, const std::string& value) {
    float read = 0.0f;
    if (!read_value(value, read)) {
        return false;
    }
    member = static_cast<float>(nearest_int(read));
    return true;
}

constexpr double kFullTurn = 360.0;

// A zone's angle in whole degrees past a full turn, read modulo a turn:
// 450 is 90, 720 a full turn (a cylinder).
double zone_angle_in_a_turn(double whole_degrees) {
    return whole_degrees > kFullTurn ? std::fmod(whole_degrees - 1.0, kFullTurn) + 1.0 : whole_degrees;
}

// A direction in whole degrees past a full turn either way, read modulo a
// turn with its sign: 2578 is 58, -450 is -90.
double direction_in_a_turn(double whole_degrees) {
    return std::fabs(whole_degrees) > kFullTurn ? std::fmod(whole_degrees, kFullTurn) : whole_degrees;
}

// Turnpoint keys, in the order they are tested; each a prefix of the key.
const std::array<std::pair<std::string_view, TurnpointSetter>, 13> kTurnpointKeys = {{
    {"TPName",
     [](std::size_t n, const std::string& value) {
         std::string name = fit_field(value, kKeyLength);
         cleanup_name(name, kKeyLength);
         rd_fpl_2.tpnam[n] = fit_field(name, kTpNameCapacity);
         return true;
     }},
    {"TPPosX", [](std::size_t n, const std::string& value) { return read_value(value, rd_fpl_1.tpx[n]); }},
    {"TPPosY", [](std::size_t n, const std::string& value) { return read_value(value, rd_fpl_1.tpy[n]); }},
    {"TPPosZ", [](std::size_t n, const std::string& value) { return read_value(value, rd_fpl_1.tpz[n]); }},
    {"TPAirport", [](std::size_t n, const std::string& value) { return read_value(value, rd_fpl_1.tpair[n]); }},
    {"TPSectorType", [](std::size_t n, const std::string& value) { return read_value(value, rd_fpl_1.tpsec[n]); }},
    {"TPSectorDirection",
     [](std::size_t n, const std::string& value) { return read_value(value, rd_fpl_1.tpsecdir[n]); }},
    {"TPRadius", [](std::size_t n, const std::string& value) { return set_rounded(rd_fpl_1.tprad[n], value); }},
    {"TPAngle",
     [](std::size_t n, const std::string& value) {
         float degrees = 0.0f;
         if (!read_value(value, degrees)) {
             return false;
         }
         rd_fpl_1.tpang[n] = nearest_int(zone_angle_in_a_turn(std::round(double{degrees})));
         return true;
     }},
    {"TPAltitude", [](std::size_t n, const std::string& value) { return set_rounded(rd_fpl_1.tpalt[n], value); }},
    {"TPWidth", [](std::size_t n, const std::string& value) { return set_rounded(rd_fpl_1.tpwid[n], value); }},
    {"TPHeight", [](std::size_t n, const std::string& value) { return read_value(value, rd_fpl_1.tphei[n]); }},
    {"TPAzimuth",
     [](std::size_t n, const std::string& value) {
         float radians = 0.0f;
         if (!read_value(value, radians)) {
             return false;
         }
         rd_fpl_1.tpazi[n] = static_cast<float>(direction_in_a_turn(std::round(radians * 180.0 / kPi)));
         return true;
     }},
}};

using ZoneTarget = NumberTarget (*)(std::size_t w);

// Weather values of a zone, in the order they are tested; the member of the
// same name in lower case.
const std::array<std::pair<std::string_view, ZoneTarget>, 27> kZoneValueKeys = {{
    {"MoveDir", [](std::size_t w) -> NumberTarget { return &rd_fpl_wz1.movedir[w]; }},
    {"MoveSpeed", [](std::size_t w) -> NumberTarget { return &rd_fpl_wz1.movespeed[w]; }},
    {"BorderWidth", [](std::size_t w) -> NumberTarget { return &rd_fpl_wz1.borderwidth[w]; }},
    {"WindDir", [](std::size_t w) -> NumberTarget { return &rd_fpl_wz1.winddir[w]; }},
    {"WindSpeed", [](std::size_t w) -> NumberTarget { return &rd_fpl_wz1.windspeed[w]; }},
    {"WindUpperSpeed", [](std::size_t w) -> NumberTarget { return &rd_fpl_wz1.windupperspeed[w]; }},
    {"WindDirVariation", [](std::size_t w) -> NumberTarget { return &rd_fpl_wz2.winddirvariation[w]; }},
    {"WindSpeedVariation", [](std::size_t w) -> NumberTarget { return &rd_fpl_wz2.windspeedvariation[w]; }},
    {"WindTurbulence", [](std::size_t w) -> NumberTarget { return &rd_fpl_wz2.windturbulence[w]; }},
    {"ThermalsTemp", [](std::size_t w) -> NumberTarget { return &rd_fpl_wz1.thermalstemp[w]; }},
    {"ThermalsTempVariation", [](std::size_t w) -> NumberTarget { return &rd_fpl_wz2.thermalstempvariation[w]; }},
    {"ThermalsDew", [](std::size_t w) -> NumberTarget { return &rd_fpl_wz1.thermalsdew[w]; }},
    {"ThermalsStrength", [](std::size_t w) -> NumberTarget { return &rd_fpl_wz2.thermalsstrength[w]; }},
    {"ThermalsStrengthVariation", [](std::size_t w) -> NumberTarget { return &rd_fpl_wz2.thermalsstrengthvariation[w]; }},
    {"ThermalsInversionheight", [](std::size_t w) -> NumberTarget { return &rd_fpl_wz1.thermalsinversionheight[w]; }},
    {"ThermalsOverdevelopment", [](std::size_t w) -> NumberTarget { return &rd_fpl_wz2.thermalsoverdevelopment[w]; }},
    {"ThermalsWidth", [](std::size_t w) -> NumberTarget { return &rd_fpl_wz2.thermalswidth[w]; }},
    {"ThermalsWidthVariation", [](std::size_t w) -> NumberTarget { return &rd_fpl_wz2.thermalswidthvariation[w]; }},
    {"ThermalsActivity", [](std::size_t w) -> NumberTarget { return &rd_fpl_wz2.thermalsactivity[w]; }},
    {"ThermalsActivityVariation", [](std::size_t w) -> NumberTarget { return &rd_fpl_wz2.thermalsactivityvariation[w]; }},
    {"ThermalsTurbulence", [](std::size_t w) -> NumberTarget { return &rd_fpl_wz2.thermalsturbulence[w]; }},
    {"ThermalsFlatsActivity", [](std::size_t w) -> NumberTarget { return &rd_fpl_wz2.thermalsflatsactivity[w]; }},
    {"ThermalsStreeting", [](std::size_t w) -> NumberTarget { return &rd_fpl_wz2.thermalsstreeting[w]; }},
    {"ThermalsBugs", [](std::size_t w) -> NumberTarget { return &rd_fpl_wz2.thermalsbugs[w]; }},
    {"WavesStability", [](std::size_t w) -> NumberTarget { return &rd_fpl_wz2.wavesstability[w]; }},
    {"WavesMoisture", [](std::size_t w) -> NumberTarget { return &rd_fpl_wz2.wavesmoisture[w]; }},
    {"HighCloudsCoverage", [](std::size_t w) -> NumberTarget { return &rd_fpl_wz2.highcloudscoverage[w]; }},
}};

// Task options read as numbers or logicals, the member of the same name in
// lower case; "TaskDate" and "Text" are handled on their own.
using OptionTarget = std::variant<int*, float*, bool*>;
const std::array<std::pair<std::string_view, OptionTarget>, 37> kOptionKeys = {{
    {"StartTime", &rd_fpl_6.starttime},
    {"StartTimeWindow", &rd_fpl_6.starttimewindow},
    {"RaceStartDelay", &rd_fpl_6.racestartdelay},
    {"AATTime", &rd_fpl_6.t_aat},
    {"IconsVisibleRange", &rd_fpl_6.iconsvisiblerange},
    {"ThermalHelpersRange", &rd_fpl_6.thermalhelpersrange},
    {"TurnpointHelpersRange", &rd_fpl_6.turnpointhelpersrange},
    {"AAT", &rd_fpl_6.qaat},
    {"AllowBugwipers", &rd_fpl_6.allowbugwipers},
    {"AllowPDA", &rd_fpl_6.allowpda},
    {"AllowRealtimeScoring", &rd_fpl_6.allowrealtimescoring},
    {"AllowExternalView", &rd_fpl_6.allowexternalview},
    {"AllowPadlockView", &rd_fpl_6.allowpadlockview},
    {"AllowSmoke", &rd_fpl_6.allowsmoke},
    {"AllowPlaneRecovery", &rd_fpl_6.allowplanerecovery},
    {"AllowHeightRecovery", &rd_fpl_6.allowheightrecovery},
    {"AllowMidairCollisionRecovery", &rd_fpl_6.allowmidaircollisionrecovery},
    {"PenaltyCloudFlying", &rd_fpl_6.cloudpen},
    {"PenaltyPlaneRecovery", &rd_fpl_6.penaltyplanerecovery},
    {"PenaltyHeightRecovery", &rd_fpl_6.penaltyheightrecovery},
    {"PenaltyWrongWindowEnterance", &rd_fpl_6.penaltywrongwindowenterance},
    {"PenaltyWindowCollision", &rd_fpl_6.penaltywindowcollision},
    {"PenaltyAirspaceEnterance", &rd_fpl_6.penaltyairspaceenterance},
    {"PenaltyPenaltyZoneEnterance", &rd_fpl_6.penaltypenaltyzoneenterance},
    {"PenaltyThermalHelpers", &rd_fpl_6.penaltythermalhelpers},
    {"MaxStartGroundSpeed", &rd_fpl_6.start_max_speed},
    {"PenaltyStartSpeed", &rd_fpl_6.penaltystartspeed},
    {"PenaltyHighStart", &rd_fpl_6.penaltyhighstart},
    {"PenaltyLowFinish", &rd_fpl_6.penaltylowfinish},
    {"RandSeed", &rd_fpl_6.randseed},
    {"StartType", &rd_fpl_6.starttype},
    {"StartHeight", &rd_fpl_6.startheight},
    {"BreakProb", &rd_fpl_6.breakprob},
    {"RopeLength", &rd_fpl_6.ropelength},
    {"MaxWingLoading", &rd_fpl_6.maxwingloading},
    {"MaxTeams", &rd_fpl_6.maxteams},
    {"AcroFlight", &rd_fpl_6.acroflight},
}};

// A point key ("PZPos", "Polygon"): the text after the prefix holds the point
// number, the letter X or Y, the zone number, "=" and the value.
struct PointKey {
    int axis = 0;  // 1 x, 2 y; 0 no letter
    bool point_read = false;
    int point = 0;
    bool zone_read = false;
    int zone = 0;
    bool value_read = false;
    float value = 0.0f;
    std::string value_text;  // the text after "="
};

PointKey parse_point_key(std::string_view after_prefix) {
    const std::string text = fit_field(after_prefix, kKeyLength);
    PointKey key;
    std::size_t letter = text.find('X');
    key.axis = 1;
    if (letter == std::string::npos) {
        letter = text.find('Y');
        key.axis = 2;
    }
    if (letter == std::string::npos) {
        key.axis = 0;
        return key;
    }
    const std::size_t equal = text.find('=', letter);
    const std::size_t zone_end = equal == std::string::npos ? text.size() : equal;
    key.point_read = read_value(std::string_view(text).substr(0, letter), key.point);
    key.zone_read = read_value(std::string_view(text).substr(letter + 1, zone_end - letter - 1), key.zone);
    if (equal != std::string::npos) {
        key.value_text = text.substr(equal + 1);
        key.value_read = read_value(key.value_text, key.value);
    }
    return key;
}

class PlanReader {
public:
    PlanReader(TextFileReader& stream, bool qverb) : stream_(stream), qverb_(qverb) {
        saved_speed_ = rd_fpl_6.start_max_speed;
        saved_t_aat_ = rd_fpl_6.t_aat;
        saved_qaat_ = rd_fpl_6.qaat;
    }

    // Reads the plan to its end; returns the status of the last read.
    int run(int& nl) {
        nl = 0;
        std::string raw;
        while (read_line(raw)) {
            if (is_blank(raw)) {
                continue;
            }
            std::string working;
            if (raw.starts_with(kEmbeddedPrefix)) {
                working = raw.substr(kEmbeddedPrefix.size());
            } else if (raw.starts_with(kEmbeddedEnd)) {
                return 0;
            } else {
                working = trim_right(raw);
            }
            ++nl;
            std::string key;
            std::string value;
            extract_key_val(working, key, value);
            key = trim_right(fit_field(key, kKeyLength));
            value = fit_field(value, kKeyLength);
            console_line(i2b(nl) + " [" + key + "] [" + value + "]");
            process(raw, working, key, value);
            if (description_ended_ || count_too_high_) {
                return ios_;
            }
            rd_fpl_0.nwpmax = std::max(rd_fpl_0.nwpmax, tp_);
            rd_fpl_0.npzmax = std::max(rd_fpl_0.npzmax, pz_);
        }
        return ios_;
    }

private:
    bool read_line(std::string& line) {
        if (!stream_.read_line(line)) {
            ios_ = stream_.failed() ? stream_.read_status() : kEndOfFile;
            return false;
        }
        ios_ = 0;
        // The disabled-airspace list is read whole: a plan saved against a
        // larger airspace than the landscape has now would otherwise lose
        // the items past the buffer and read a cut number as another zone.
        if (line.size() > buffer_ && !left_adjust(line).starts_with(kDisabledAirspacesKey)) {
            line.resize(buffer_);
        }
        return true;
    }

    void process(const std::string& raw, const std::string& working, const std::string& key,
                 const std::string& value) {
        if (section(working, key) || version_keys(key, value) || turnpoint_keys(working, key) ||
            penalty_keys(raw, working, key, value)) {
            return;
        }
        if (weather_ && weather_keys(working, key, value)) {
            return;
        }
        if (plane_ && plane_keys(key, value)) {
            return;
        }
        option_keys(key, value);
    }

    void set_flags(bool task, bool weather, bool plane) {
        task_ = task;
        weather_ = weather;
        plane_ = plane;
    }

    bool section(const std::string& working, const std::string& key) {
        const std::string line = trim_right(working);
        if (line == "[Plane]") {
            set_flags(false, false, true);
        } else if (line == "[Version]") {
            set_flags(false, false, false);
        } else if (line == "[Task]") {
            set_flags(true, false, false);
        } else if (line == "[Weather]") {
            set_flags(false, true, false);
            if (rd_fpl_0.nvcnd == 2) {
                wz_ = 0;
            }
            console_line("qweather " + std::string(weather_ ? "T" : "F") + " " + i2b(wz_));
        } else if (key.starts_with("[WeatherZone")) {
            const std::string header = left_adjust(working);
            const std::size_t close = header.find(']');
            const std::size_t end = close == std::string::npos ? header.size() : close;
            int zone = 0;
            const bool read = end > 12 && read_value(std::string_view(header).substr(12, end - 12), zone);
            if (read && index_in_range(zone, kWeatherZoneSlots - 1, "weather zone")) {
                wz_ = zone;
            }
            set_flags(false, true, false);
            console_line(header + " " + i2b(wz_) + " " + (read ? "0" : "1"));
        } else {
            return false;
        }
        return true;
    }

    bool version_keys(const std::string& key, const std::string& value) {
        if (key == "Condor version") {
            if (read_value(value, rd_fpl_0.nvcnd)) {
                rd_fpl_0.nvcnd /= 1000;
            }
            if (qverb_) {
                console_line(fortran_write("(1X,A,I1)", {"Condor_version=", rd_fpl_0.nvcnd}));
            }
            if (rd_fpl_0.nvcnd == 2) {
                rd_fpl_6.start_max_speed = saved_speed_;
                rd_fpl_6.t_aat = saved_t_aat_;
                rd_fpl_6.qaat = saved_qaat_;
                console_line("C2 FLIGHTPLAN - Reset AAT & MaxStartGroundSpeed");
            }
            return true;
        }
        if (key == "Landscape") {
            rd_fpl_2.landscape = fit_field(trim_right(value), kLandscapeCapacity);
            if (rd_fpl_0.nvcnd == 3) {
                get_condor_inst_dir(-3, inst00.instpath3, true);
                const std::string name = trim_right(value);
                // The whole path: a cut one would name another file (the
                // conversion refuses one too long for a path field).
                const std::string path = trim_right(inst00.instpath3) + "\\Landscapes\\" + name + "\\" + name + ".air";
                console_line(path);
                rd_fpl_0.nb_as_zones = get_airspace_size(path);
                console_line("Airspace zones : " + i2b(rd_fpl_0.nb_as_zones));
            }
            return true;
        }
        if (key == "Count" && task_) {
            read_value(value, rd_fpl_0.nb_wp);
            if (qverb_) {
                console_line(fortran_write("(1X,A,I2)", {"Number of legs=", static_cast<long long>(rd_fpl_0.nb_wp) - 2}));
            }
            if (rd_fpl_0.nb_wp > kMaxTaskPoints) {
                // The plan cannot be converted: it is read no further, its
                // count kept for the message of whoever refuses it.
                console_line("read_fpl : Count " + i2b(rd_fpl_0.nb_wp) + " above " + i2b(kMaxTaskPoints) +
                             ", reading stopped");
                count_too_high_ = true;
                return true;
            }
            if (rd_fpl_0.nb_wp < 0) {
                console_line("read_fpl : Count " + i2b(rd_fpl_0.nb_wp) + " below 0, taken as 0");
                rd_fpl_0.nb_wp = 0;
            }
            return true;
        }
        return false;
    }

    // The index before "=" of the text after a prefix, and the value after it.
    static bool split_index(const std::string& working, std::string_view prefix, int& index, std::string& value) {
        const std::string rest = left_adjust(working).substr(prefix.size());
        std::string index_text;
        extract_key_val(rest, index_text, value);
        value = fit_field(value, kKeyLength);
        return read_value(index_text, index);
    }

    bool turnpoint_keys(const std::string& working, const std::string& key) {
        for (const auto& [prefix, setter] : kTurnpointKeys) {
            if (!key.starts_with(prefix)) {
                continue;
            }
            int n = tp_;
            std::string value;
            if (split_index(working, prefix, n, value)) {
                if (!index_in_range(n, kTurnpointSlots - 1, "turnpoint")) {
                    return true;
                }
                tp_ = n;
            }
            note_number(std::string(prefix) + i2b(tp_), value, setter(static_cast<std::size_t>(tp_), value));
            return true;
        }
        return false;
    }

    // A penalty-zone index read from a key becomes the current zone when it
    // lies in the table; false when it does not.
    bool take_zone(bool read, int zone) {
        if (!read) {
            return true;
        }
        if (!index_in_range(zone, kPenaltyZoneSlots - 1, "penalty zone")) {
            return false;
        }
        pz_ = zone;
        return true;
    }

    bool penalty_keys(const std::string& raw, const std::string& working, const std::string& key,
                      const std::string& value) {
        if (key == "PZCount") {
            note_number(key, value, read_value(value, rd_fpl_0.nb_pz));
            if (rd_fpl_0.nb_pz < 0 || rd_fpl_0.nb_pz > kPenaltyZoneSlots) {
                const int held = std::clamp(rd_fpl_0.nb_pz, 0, kPenaltyZoneSlots);
                console_line("read_fpl : PZCount " + i2b(rd_fpl_0.nb_pz) + " held to " + i2b(held));
                rd_fpl_0.nb_pz = held;
            }
            if (rd_fpl_0.nvcnd == 3) {
                // Room for a list naming every airspace of the landscape.
                const long long needed = 5LL * std::max(rd_fpl_0.nb_as_zones, 0) + 17;
                buffer_ = static_cast<std::size_t>(std::max<long long>(needed, kLineBuffer));
                console_line("allocate " + i2b(static_cast<int>(needed)) + " " + i2b(static_cast<int>(buffer_)));
            }
            return true;
        }
        if (key.starts_with("PZPos")) {
            const PointKey point = parse_point_key(left_adjust(working).substr(5));
            if (point.axis == 0) {
                ios_ = kNoLetterStatus;
                return true;
            }
            if (!take_zone(point.zone_read, point.zone) || !point.point_read ||
                !index_in_range(point.point, kPenaltyZoneCorners - 1, "penalty zone corner")) {
                return true;
            }
            const std::string corner = "PZPos" + i2b(point.point) + (point.axis == 1 ? "X" : "Y") + i2b(pz_);
            rd_fpl_keys.corners_given.insert(corner);
            note_number(corner, point.value_text, point.value_read);
            if (point.value_read) {
                rd_fpl_1.pzp[static_cast<std::size_t>(point.axis)][static_cast<std::size_t>(point.point)]
                            [static_cast<std::size_t>(pz_)] = point.value;
            }
            return true;
        }
        static const std::array<std::pair<std::string_view, std::size_t>, 3> kZoneValues = {{
            {"PZBase", 1}, {"PZTop", 2}, {"PZPenaltyTimeFactor", 3}}};
        for (const auto& [prefix, row] : kZoneValues) {
            if (!key.starts_with(prefix)) {
                continue;
            }
            int zone = 0;
            std::string zone_value;
            const bool read = split_index(working, prefix, zone, zone_value);
            if (take_zone(read, zone)) {
                note_number(std::string(prefix) + i2b(pz_), zone_value,
                            read_value(zone_value, rd_fpl_1.pza[row][static_cast<std::size_t>(pz_)]));
            }
            return true;
        }
        if (key == kDisabledAirspacesKey) {
            disabled_airspaces(raw);
            buffer_ = kLineBuffer;
            return true;
        }
        return false;
    }

    static void disabled_airspaces(const std::string& raw) {
        const std::size_t equal = raw.find('=');
        std::string_view list = equal == std::string::npos ? std::string_view() : std::string_view(raw).substr(equal + 1);
        rd_fpl_0.last_dis_as = 0;
        // A list may name every airspace of the landscape: the items stay
        // views, and their trace lines are built in one text.
        std::string trace;
        while (true) {
            const std::string_view item = fitted_view(next_list_item(list, ','), kAirspaceItemLength);
            if (item.empty()) {
                break;
            }
            trace.assign("Disabled airspace : ");
            trace.append(item);
            console_line(trace);
            int n = 0;
            if (!read_value(item, n) || !index_in_range(n, kAirspaceFlagSlots - 1, "airspace")) {
                continue;
            }
            rd_fpl_5.qas_disa[static_cast<std::size_t>(n)] = true;
            rd_fpl_0.last_dis_as = std::max(rd_fpl_0.last_dis_as, n);
        }
    }

    bool weather_keys(const std::string& working, const std::string& key, const std::string& value) {
        const auto w = static_cast<std::size_t>(wz_);
        if (key == "RandomizeWeatherOnEachFlight") {
            rd_fpl_wz2.randomizeweatheroneachflight = is_true(value);
        } else if (key == "WZCount") {
            read_value(value, rd_fpl_wz2.wzcount);
        } else if (key == "Name") {
            rd_fpl_2.wznam[w] = fit_field(trim_right(value), kTpNameCapacity);
            console_line("WZ name " + i2b(wz_) + " " + rd_fpl_2.wznam[w]);
        } else if (key == "PointCount") {
            read_value(value, rd_fpl_wz2.pointcount[w]);
        } else if (key.starts_with("Polygon")) {
            polygon(working);
        } else if (key == "ThermalsTemp") {
            if (read_value(value, rd_fpl_wz1.thermalstemp[w])) {
                rd_fpl_wz1.thermalstemp[w] += 273.15f;  // degrees Celsius to kelvin
            }
            console_line("ThermalsTemp " + i2b(wz_) + " " + f2b(rd_fpl_wz1.thermalstemp[w], "(F16.6)"));
        } else if (key == "ThermalsInversionheight") {
            set_rounded(rd_fpl_wz1.thermalsinversionheight[w], value);
        } else if (key == "Pressure") {
            float hpa = 0.0f;
            if (read_value(value, hpa)) {
                rd_fpl_4.pressure = static_cast<float>(std::clamp(hpa * 100.0, -3.0e38, 3.0e38));
            }
        } else {
            for (const auto& [name, target] : kZoneValueKeys) {
                if (key == name) {
                    read_target(value, target(w));
                    return true;
                }
            }
            return false;
        }
        return true;
    }

    void polygon(const std::string& working) {
        const PointKey point = parse_point_key(left_adjust(working).substr(7));
        if (point.axis == 0) {
            ios_ = kNoLetterStatus;
            return;
        }
        if (point.zone_read) {
            if (!index_in_range(point.zone, kWeatherZoneSlots - 1, "weather zone")) {
                return;
            }
            wz_ = point.zone;
        }
        if (!point.point_read || !index_in_range(point.point, kWeatherPolygonPoints - 1, "polygon point")) {
            return;
        }
        if (point.value_read) {
            rd_fpl_1.wzp[static_cast<std::size_t>(point.axis)][static_cast<std::size_t>(point.point)]
                        [static_cast<std::size_t>(wz_)] = point.value;
        }
    }

    static bool plane_keys(const std::string& key, const std::string& value) {
        if (key == "Class") {
            ggg001.glclass = fit_field(trim_right(value), kGliderTextCapacity);
        } else if (key == "Name") {
            ggg001.glider = fit_field(trim_right(value), kGliderTextCapacity);
        } else if (key == "Skin") {
            ggg001.glskin = fit_field(trim_right(value), kGliderTextCapacity);
        } else if (key == "Water") {
            if (!is_blank(value)) {
                read_value(value, gggmas.wmass);
            }
        } else if (key == "FixedMass") {
            if (!is_blank(value)) {
                read_value(value, gggmas.fmass);
            }
        } else if (key == "CGBias") {
            read_value(value, ggg002.cgbias);
        } else if (key == "Seat") {
            read_value(value, ggg002.glseat);
        } else if (key == "Bugwipers") {
            ggg002.qbugwipers = is_true(value);
        } else {
            return false;
        }
        return true;
    }

    // False when a number option's value does not read as its number.
    static bool set_option(const OptionTarget& target, const std::string& value) {
        if (const auto* flag = std::get_if<bool*>(&target)) {
            **flag = is_true(value);
            return true;
        }
        if (const auto* integer = std::get_if<int*>(&target)) {
            return read_value(value, **integer);
        }
        return read_value(value, *std::get<float*>(target));
    }

    void option_keys(const std::string& key, const std::string& value) {
        if (key == "TaskDate") {
            if (read_value(value, rd_fpl_6.taskdate)) {
                // Day 2 is 1 January 1900.
                const long long day = static_cast<long long>(jd(1900, 1, 1)) + rd_fpl_6.taskdate - 2;
                rd_fpl_4.jdate = static_cast<int>(
                    std::clamp<long long>(day, std::numeric_limits<int>::min(), std::numeric_limits<int>::max()));
            }
            console_line("DATE " + i2b(rd_fpl_6.taskdate) + " " + i2b(rd_fpl_4.jdate));
            return;
        }
        for (const auto& [name, target] : kOptionKeys) {
            if (key == name) {
                note_number(key, value, set_option(target, value));
                return;
            }
        }
        if (key == "Text") {
            description(value);
        }
    }

    // The description: its first line from the "Text" value, the next ones
    // from the plan lines up to the first empty one, which ends the reading.
    void description(const std::string& value) {
        rd_fpl_2.fpldesc[1] = fit_field(value, kKeyLength);
        int line_number = 1;
        std::string line;
        while (true) {
            const bool read = read_line(line);
            console_line("IOS=" + i2b(ios_));
            if (!read || is_blank(line)) {
                break;
            }
            ++line_number;
            if (line_number > kDescriptionLines) {
                console_line("read_fpl : description line " + i2b(line_number) + " beyond " + i2b(kDescriptionLines) +
                             ", not kept");
                continue;
            }
            rd_fpl_2.fpldesc[static_cast<std::size_t>(line_number)] = fit_field(trim_right(line), kDescriptionCapacity);
        }
        description_ended_ = true;
    }

    TextFileReader& stream_;
    bool qverb_;
    bool task_ = false;
    bool weather_ = false;
    bool plane_ = false;
    int tp_ = 0;
    int pz_ = 0;
    int wz_ = 0;
    std::size_t buffer_ = kLineBuffer;
    int ios_ = 0;
    bool description_ended_ = false;
    bool count_too_high_ = false;
    int saved_speed_ = 0;
    float saved_t_aat_ = 0.0f;
    bool saved_qaat_ = false;
};

}  // namespace

void read_fpl(TextFileReader stream, bool fresh, bool qverb, bool /*qfr*/, int& nl, int& ios) {
    rd_fpl_0.nb_as_zones = kAirspacesBeforeReading;
    PlanReader reader(stream, qverb);
    if (fresh) {
        init_read_fpl();
        init_glider();
        init_wp();
        reset_rd_fpl_keys();
    }
    rd_fpl_2.fpl_000 = fit_field(stream.windows_path(), kPlanNameCapacity);
    console_line("fpl_vers " + i2b(rd_fpl_0.nvcnd));
    ios = reader.run(nl);
    if (fresh) {
        if (rd_fpl_0.nvcnd == 2) {
            rd_fpl_wz2.wzcount = 1;
            rd_fpl_2.wznam[0] = "Base";
            rd_fpl_wz2.pointcount[0] = 0;
        }
        compute_dist();
    }
    console_line("IOS=" + i2b(ios));
}

int get_airspace_size(std::string_view aspfile) {
    ByteFileReader file(aspfile);
    if (!file.is_open()) {
        tell(kError, trim_right(aspfile) + in_user_language("/Airspace file : error opening",
                                                            "/Fichier d'espace a\xE9rien : ouverture impossible"));
        return 0;
    }
    // The lines are not taken apart: the bytes are read block by block, and
    // an "AC" counted where a line begins (at the start of the file and after
    // each LF), the search going from LF to LF.
    enum class Place { line_start, after_a, in_line };
    Place place = Place::line_start;
    int count = 0;
    std::string block;
    bool full = true;
    while (full) {
        full = file.read(block, kAirspaceBlock);
        const char* p = block.data();
        const char* const end = p + block.size();
        while (p != end) {
            if (place == Place::in_line) {
                const auto* const lf = static_cast<const char*>(std::memchr(p, '\n', static_cast<std::size_t>(end - p)));
                if (lf == nullptr) {
                    break;
                }
                p = lf + 1;
                place = Place::line_start;
            } else if (place == Place::line_start && *p == 'A') {
                ++p;
                place = Place::after_a;
            } else {
                count += place == Place::after_a && *p == 'C' ? 1 : 0;
                place = Place::in_line;  // this character is looked at again for a LF
            }
        }
    }
    return count;
}

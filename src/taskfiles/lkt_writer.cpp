#include "taskfiles/lkt_writer.h"

#include "foundation/fixed_text.h"
#include "foundation/fortran_format.h"
#include "foundation/number_text.h"
#include "foundation/option_records.h"
#include "foundation/units.h"
#include "platform/console.h"
#include "platform/encoding.h"
#include "platform/files.h"
#include "taskfiles/altitude_limits.h"
#include "taskfiles/landscape_records.h"
#include "taskfiles/task_model.h"
#include "taskfiles/task_zones.h"
#include "taskfiles/xml_numbers.h"
#include "taskfiles/xml_writer.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <string>
#include <utility>
#include <vector>

namespace {

// Text fields of one waypoint.
constexpr std::size_t kNameField = 40;
constexpr std::size_t kCommentField = 60;

// Two points of the same name closer than this in x and in y are one waypoint.
constexpr float kSamePlace = 1.0f;

const std::string kIndent1(8, ' ');
const std::string kIndent2(16, ' ');
const std::string kIndent3(24, ' ');

// The last task point written: nb_wp - 1.
int last_point() { return std::clamp(rd_fpl_0.nb_wp, 0, kTurnpointSlots) - 1; }

// Points i and j are one waypoint: the same name (32 characters) and place.
// With qlk_tp_num no two are: each point's name holds its place in the task.
bool same_waypoint(int i, int j) {
    const RdFpl1& t = rd_fpl_1;
    return !tarvex01.qlk_tp_num &&
           blank_equal(fit_field(rd_fpl_2.tpnam[i], kTpNameCapacity), fit_field(rd_fpl_2.tpnam[j], kTpNameCapacity)) &&
           std::fabs(double{t.tpx[i]} - t.tpx[j]) < kSamePlace && std::fabs(double{t.tpy[i]} - t.tpy[j]) < kSamePlace;
}

// For each task point 1..last, the first point of its waypoint: itself, or
// the earlier point (the first of its own waypoint) it repeats.
using WaypointFirsts = std::array<int, kTurnpointSlots>;

WaypointFirsts waypoint_firsts(int last) {
    WaypointFirsts first{};
    for (int j = 1; j <= last; ++j) {
        first[j] = j;
        for (int i = 1; i < j; ++i) {
            if (first[i] == i && same_waypoint(i, j)) {
                first[j] = i;
                break;
            }
        }
    }
    return first;
}

// Heights in whole metres become thousandths in the rules.
std::string thousandths(long long metres) { return xml_int(metres * 1000); }

// The finish minimum height above the finish point, whole metres.
int finish_height(int f) {
    const RdFpl1& t = rd_fpl_1;
    if (f < 1) {
        return 0;
    }
    const double h = finish_minimum_altitude(f);
    const int nfi = nearest_int(h - t.tpz[f]);
    console_line("FinishMinAlt,tpwid(nb_wp-1),ffmi,nfi  " + f2b(rd_fpl_4.finishminalt, "(F16.6)") + " " +
                 f2b(t.tpwid[f], "(F16.6)") + " " + f2b(static_cast<float>(std::clamp(h, -1e30, 1e30)), "(F16.6)") +
                 " " + i2b(nfi));
    return nfi;
}

// The start maximum height, whole metres (no margin).
int start_height(int last) { return last < 1 ? 0 : nearest_int(start_maximum_altitude()); }

std::string options_line() {
    const RdFpl6& options = rd_fpl_6;
    std::string ligne;
    xml_start(ligne, "options");
    if (options.qaat) {
        xml_add_key_val(ligne, "auto-advance", tarvex01.qman_arm_start_aat ? "Manual" : "ArmTPs");
        xml_add_key_val(ligne, "length", f2b(options.t_aat, "(F12.2)"));
    } else {
        xml_add_key_val(ligne, "auto-advance", tarvex01.qman_arm_start_rt ? "ArmStart" : "Auto");
    }
    xml_end(ligne, "");
    return ligne;
}

std::string finish_line(int last) {
    const int nfi = finish_height(last);
    std::string ligne;
    xml_start(ligne, "finish");
    xml_add_key_val(ligne, "fai-height", "false");
    xml_add_key_val(ligne, "min-height", nfi < 1 ? "0" : thousandths(nfi));
    xml_add_key_val(ligne, "height-ref", "AGL");
    xml_end(ligne, "/");
    return ligne;
}

std::string start_line(int last) {
    const int height = start_height(last);
    const int speed = rd_fpl_6.start_max_speed;
    // In thousandths of a metre per second.
    const std::string max_speed = xml_int(nearest_int(speed * 1000.0 / kMetrePerSecondInKmh));
    console_line("start_max_speed " + i2b(speed) + " " + max_speed);
    std::string ligne;
    xml_start(ligne, "start");
    xml_add_key_val(ligne, "max-height", height > kLk8000HighestStartLimit ? "0" : thousandths(height));
    xml_add_key_val(ligne, "max-height-margin", thousandths(tarvex01.start_margin));
    xml_add_key_val(ligne, "max-speed", max_speed);
    xml_add_key_val(ligne, "max-speed-margin", "0");
    xml_add_key_val(ligne, "height-ref", "ASL");
    xml_end(ligne, "/");
    return ligne;
}

std::string task_point_line(int n, int last) {
    const RdFpl1& t = rd_fpl_1;
    std::string name;
    set_lk_tp_name(n, name);
    std::string ligne;
    xml_start(ligne, "point");
    xml_add_key_val(ligne, "idx", xml_int(n - 1));
    xml_add_key_val(ligne, "name", name);
    const ZoneKind kind = zone_kind(n);
    if (kind == ZoneKind::window) {
        xml_add_key_val(ligne, "type", "line");
    } else if (kind == ZoneKind::cylinder) {
        xml_add_key_val(ligne, "type", "circle");
    } else if (kind == ZoneKind::line && (n == 1 || n == last)) {
        xml_add_key_val(ligne, "type", "line");
    } else {
        // A sector, or a gate at a turnpoint, on the outer bisector of the turn.
        const ZoneRadials radials = sector_radials(n);
        xml_add_key_val(ligne, "type", "sector");
        xml_add_key_val(ligne, "start-radial", xml_real(radials.start, 13, 6));
        xml_add_key_val(ligne, "end-radial", xml_real(radials.end, 13, 6));
    }
    // A window is a line as wide as the window: its radius is half the width.
    const double radius = kind == ZoneKind::window ? 0.5 * t.tpwid[n] : t.tprad[n];
    xml_add_key_val(ligne, "radius", xml_real(radius, 10, 2));
    xml_add_key_val(ligne, "lock", "false");
    xml_add_key_val(ligne, "offset-radius", "0.0");
    xml_add_key_val(ligne, "offset-radial", "0.0");
    xml_end(ligne, "/");
    return ligne;
}

// Frequency, runway length and runway direction of a landscape waypoint or
// airport, each only when the landscape gives it.
void add_radio_and_runway(std::string& ligne, float frequency, float runway_length, float runway_direction) {
    if (frequency > 0.0f) {
        xml_add_key_val(ligne, "freq", xml_real(frequency, 10, 3));
    }
    if (runway_length > 0.0f) {
        xml_add_key_val(ligne, "runwayLen", xml_int(nearest_int(runway_length)));
    }
    if (runway_direction >= 0.0f) {
        xml_add_key_val(ligne, "runwayDir", left_adjust(fmt_i(nearest_int(runway_direction), 3, 3)));
    }
}

std::string waypoint_line(int n) {
    const RdFpl1& t = rd_fpl_1;
    const int id = t.tpid[n];
    const bool is_waypoint = id >= 1 && id <= kMaxLandscapeWaypoints;
    const bool is_airport = id <= -1 && id >= -kMaxLandscapeAirports;

    std::string unused_name;
    std::string comment;
    altitude_limits(n, unused_name, kNameField, comment, kCommentField);
    if (is_waypoint && !is_blank(tarvewp3.wp_dsc[id])) {
        const std::string description(tarvewp3.wp_dsc[id]);
        comment = fit_field(is_blank(comment) ? description : trim_right(comment) + " ; " + description, kCommentField);
    }

    std::string name;
    set_lk_tp_name(n, name);
    std::string ligne;
    xml_start(ligne, "point");
    xml_add_key_val(ligne, "name", name);
    xml_add_key_val(ligne, "latitude", xml_real(t.tplat[n], 13, 6));
    xml_add_key_val(ligne, "longitude", xml_real(t.tplon[n], 13, 6));
    xml_add_key_val(ligne, "altitude", xml_int(nearest_int(t.tpz[n])));
    if (!is_blank(comment)) {
        xml_add_key_val(ligne, "comment", comment);
    }
    int style = 1;
    if (is_waypoint) {
        style = tarvewp2.wp_typ[id];
        xml_add_key_val(ligne, "flags", xml_int(lk_waypoint_flags(style)));
        if (!is_blank(tarvewp3.wp_cod[id])) {
            xml_add_key_val(ligne, "code", tarvewp3.wp_cod[id]);
        }
        xml_add_key_val(ligne, "format", "2");
        add_radio_and_runway(ligne, tarvewp2.wp_frq[id], tarvewp2.wp_rwl[id], tarvewp2.wp_rwd[id]);
    } else if (is_airport) {
        const int a = -id;
        style = tarveap2.apt_sty[a];
        xml_add_key_val(ligne, "flags", xml_int(lk_waypoint_flags(style)));
        xml_add_key_val(ligne, "format", "2");
        add_radio_and_runway(ligne, tarveap2.apt_frq[a], tarveap2.apt_rwl[a], tarveap2.apt_rwd[a]);
    } else {
        xml_add_key_val(ligne, "flags", xml_int(lk_waypoint_flags(style)));
        xml_add_key_val(ligne, "format", "2");
    }
    xml_add_key_val(ligne, "style", xml_int(style));
    xml_end(ligne, "/");
    return ligne;
}

bool in_task(int n) { return n >= 0 && n < kTurnpointSlots; }

// The name of task point n before its cut: tpnam(n), or with qlk_tp_num its
// place in the task before it.
std::string numbered_name(int n) {
    const std::string name = in_task(n) ? trim_right(rd_fpl_2.tpnam[n]) : std::string();
    if (!tarvex01.qlk_tp_num) {
        return name;
    }
    if (n == 1) {
        return "S:" + name;
    }
    if (n == rd_fpl_0.nb_wp - 1) {
        return "F:" + name;
    }
    return i2b(n - 1) + ":" + name;
}

// `base` cut so that it and `tail` after it take at most kLkNameBytes bytes
// of UTF-8, then `tail`.
std::string fitted_with_tail(std::string_view base, std::string_view tail) {
    const std::size_t tail_bytes = cp1252_to_utf8(tail).size();
    if (tail_bytes >= kLkNameBytes) {
        return trim_right(cp1252_fitting_utf8(std::string(base) + std::string(tail), kLkNameBytes));
    }
    return trim_right(cp1252_fitting_utf8(base, kLkNameBytes - tail_bytes)) + std::string(tail);
}

// Task point n's name cut for LK8000. A name ending in a number (the number
// the renaming of doubled names gives, "Name1", "Name2") loses characters
// before the number, so that the number stays.
std::string lk_cut_name(int n) {
    const std::string name = trim_right(numbered_name(n));
    if (cp1252_to_utf8(name).size() <= kLkNameBytes) {
        return name;
    }
    const std::size_t digits = name.size() - (name.find_last_not_of("0123456789") + 1);
    if (digits == 0 || digits == name.size()) {
        return trim_right(cp1252_fitting_utf8(name, kLkNameBytes));
    }
    const std::size_t base = name.size() - digits;
    return fitted_with_tail(std::string_view(name).substr(0, base), std::string_view(name).substr(base));
}

}  // namespace

int lk_waypoint_flags(int style) {
    switch (style) {
        case 2:
        case 4:
        case 5:
            return kLkAirfieldFlags;
        case 3:
            return kLkOutlandingFlags;
        default:
            return kLkTurnpointFlags;
    }
}

void set_lk_tp_name(int n, std::string& bbb) {
    const int last = last_point();
    if (n < 1 || n > last) {
        bbb = lk_cut_name(n);
        return;
    }
    // The names of the whole task, so that no two waypoints share one. A
    // waypoint keeps its cut name unless an earlier waypoint has it; such a
    // waypoint's name ends in its place in the task instead, or in the next
    // number that gives a name no other waypoint has, earlier or later.
    const WaypointFirsts first = waypoint_firsts(last);
    std::array<std::string, kTurnpointSlots> names;
    std::vector<std::string> taken;
    const auto is_taken = [&taken](const std::string& name) {
        return std::find(taken.begin(), taken.end(), name) != taken.end();
    };
    for (int j = 1; j <= last; ++j) {
        std::string name = lk_cut_name(j);
        if (first[j] == j && !is_taken(name)) {
            taken.push_back(name);
            names[j] = std::move(name);
        }
    }
    for (int j = 1; j <= last; ++j) {
        if (first[j] != j || !names[j].empty()) {
            continue;
        }
        const std::string base = numbered_name(j);
        std::string name;
        for (int number = j; name.empty() || is_taken(name); ++number) {
            name = fitted_with_tail(base, i2b(number));
        }
        taken.push_back(name);
        names[j] = std::move(name);
    }
    bbb = names[first[n]];
}

void write_lkt(std::string_view outfi_0, int& iost) {
    const RdFpl6& options = rd_fpl_6;
    console_line(std::string("WRITE_LKT : AAT ") + (options.qaat ? "T " : "F ") + f2b(options.t_aat, "(F16.6)"));

    const int last = last_point();
    const WaypointFirsts first = waypoint_firsts(last);
    for (int n = 1; n <= last; ++n) {
        console_line(trim_right(rd_fpl_2.tpnam[n]) + (first[n] != n ? " T" : " F"));
    }

    FileWriter file(outfi_0);
    if (!file.is_open()) {
        iost = file.open_status();
        return;
    }
    const auto write = [&file](std::string_view indent, std::string_view line) {
        file.write_line(cp1252_to_utf8(std::string(indent) + std::string(line)));
    };

    write("", "<?xml version=\"1.0\" encoding=\"utf-8\"?>");
    std::string ligne;
    xml_start(ligne, "lk-task");
    xml_add_key_val(ligne, "type", options.qaat ? "AAT" : "Race");
    xml_end(ligne, "");
    write("", ligne);
    // The same rules inside the options, where LK8000 up to 7.6.6 reads them,
    // and as a child of the root, where later versions read them.
    const std::string finish = finish_line(last);
    const std::string start = start_line(last);
    const auto write_rules = [&write, &finish, &start](std::string_view outer, std::string_view inner) {
        write(outer, "<rules>");
        write(inner, finish);
        write(inner, start);
        write(outer, "</rules>");
    };
    write(kIndent1, options_line());
    write_rules(kIndent2, kIndent3);
    write(kIndent1, "</options>");
    write_rules(kIndent1, kIndent2);

    write(kIndent1, "<taskpoints>");
    for (int n = 1; n <= last; ++n) {
        write(kIndent2, task_point_line(n, last));
    }
    write(kIndent1, "</taskpoints>");

    write(kIndent1, "<waypoints>");
    for (int n = 1; n <= last; ++n) {
        if (first[n] == n) {
            write(kIndent2, waypoint_line(n));
        }
    }
    write(kIndent1, "</waypoints>");
    write("", "</lk-task>");
    write("", "<!-- created by Tarvex V" + trim_right(tarvex_c.cvers) + " -->");
    write("", "");
    iost = file.close();
}

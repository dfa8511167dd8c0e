#include "taskfiles/cup_writer.h"

#include "foundation/fixed_text.h"
#include "foundation/fortran_format.h"
#include "foundation/number_text.h"
#include "foundation/option_records.h"
#include "foundation/seeyou_coordinates.h"
#include "foundation/time_text.h"
#include "platform/console.h"
#include "platform/files.h"
#include "taskfiles/landscape_records.h"
#include "taskfiles/task_model.h"
#include "taskfiles/task_zones.h"

#include <algorithm>
#include <array>
#include <climits>
#include <cmath>
#include <string>
#include <vector>

namespace {

// Header lines by layout (tarvex01.nform_cup: 0 old, 1 with "rwwidth").
constexpr std::array<std::string_view, 2> hdr1 = {
    "name,code,country,lat,lon,elev,style,rwdir,rwlen,freq,desc,userdata,pics",
    "name,code,country,lat,lon,elev,style,rwdir,rwlen,rwwidth,freq,desc,userdata,pics",
};
constexpr std::array<std::string_view, 2> hdr2 = {"----Related Tasks----", "-----Related Tasks-----"};

// The last leg is short at most this fraction of the task.
constexpr double kShortLastLeg = 0.1;

// The layout index: 0 for the old layout, 1 for the one with "rwwidth" (every
// value but 0, so that a stray setting cannot index past the tables).
int layout() { return tarvex01.nform_cup == 0 ? 0 : 1; }

std::string whole(double x) { return i2b(nearest_int(x)); }

// A rounded altitude plus the start margin, held within the range of int.
std::string with_margin(double altitude) {
    const long long sum = static_cast<long long>(nearest_int(altitude)) + tarvex01.start_margin;
    return i2b(static_cast<int>(std::clamp<long long>(sum, INT_MIN, INT_MAX)));
}

std::string runway_direction(float rwd) { return rwd >= 0.0f ? fmt_i(nearest_int(rwd), 3, 3) : std::string(); }
std::string runway_length(float rwl) { return rwl > 0.0f ? whole(rwl) : std::string(); }
std::string frequency(float frq) { return frq > 0.0f ? left_adjust(fmt_f(frq, 10, 3)) : std::string(); }

// A name or a description as a SeeYou reader takes it whole: an inner double
// quote, which would end a quoted column early, written as a single quote.
std::string column_text(std::string_view text) {
    std::string column = trim_right(text);
    std::replace(column.begin(), column.end(), '"', '\'');
    return column;
}

// A name column, always quoted.
std::string name_column(std::string_view name) { return "\"" + column_text(name) + "\""; }

// A code, a country or a description as a column: quoted when it holds a
// comma, which would otherwise split it.
std::string text_column(std::string_view description) {
    const std::string text = column_text(description);
    return text.find(',') == std::string::npos ? text : "\"" + text + "\"";
}

// The landscape link of point i, or 0 when it names no entry of the tables.
int landscape_link(int i) {
    const int k = rd_fpl_1.tpid[i];
    if (k > kMaxLandscapeWaypoints || k < -kMaxLandscapeAirports) {
        return 0;
    }
    return k;
}

std::string join_columns(const std::vector<std::string>& columns) {
    std::string line;
    for (std::size_t c = 0; c < columns.size(); ++c) {
        if (c > 0) {
            line += ',';
        }
        line += columns[c];
    }
    return line;
}

std::string waypoint_line(int i) {
    std::string lat;
    std::string lon;
    lat_cu(rd_fpl_1.tplat[i], lat);
    lon_cu(rd_fpl_1.tplon[i], lon);
    std::vector<std::string> columns = {
        name_column(rd_fpl_2.tpnam[i]), "", "", trim_right(lat), trim_right(lon),
        whole(rd_fpl_1.tpz[i]) + "m",
    };
    const bool rwwidth = layout() == 1;
    const int k = landscape_link(i);
    if (k == 0) {
        columns.push_back("1");
        columns.resize(rwwidth ? 14 : 13);
        return join_columns(columns);
    }
    if (k > 0) {
        columns[1] = text_column(tarvewp3.wp_cod[k]);
        columns[2] = text_column(tarvewp3.wp_cty[k]);
        columns.push_back(i2b(tarvewp2.wp_typ[k]));
        columns.push_back(runway_direction(tarvewp2.wp_rwd[k]));
        columns.push_back(runway_length(tarvewp2.wp_rwl[k]));
        if (rwwidth) {
            columns.emplace_back();
        }
        columns.push_back(frequency(tarvewp2.wp_frq[k]));
        columns.push_back(text_column(tarvewp3.wp_dsc[k]));
    } else {
        const int a = -k;
        columns.push_back(i2b(tarveap2.apt_sty[a]));
        columns.push_back(runway_direction(tarveap2.apt_rwd[a]));
        columns.push_back(runway_length(tarveap2.apt_rwl[a]));
        if (rwwidth) {
            columns.emplace_back();
        }
        columns.push_back(frequency(tarveap2.apt_frq[a]));
        columns.emplace_back();
    }
    columns.emplace_back();  // userdata
    columns.emplace_back();  // pics
    return join_columns(columns);
}

// True when the last leg is at most a tenth of the task from the start to the
// finish; a one-leg task, or a task of no length, never has a short last leg.
bool last_leg_is_short(int finish) {
    if (finish < 3) {
        return false;
    }
    double total = 0.0;
    double last = 0.0;
    for (int i = 2; i <= finish; ++i) {
        last = std::hypot(static_cast<double>(rd_fpl_1.tpx[i]) - rd_fpl_1.tpx[i - 1],
                          static_cast<double>(rd_fpl_1.tpy[i]) - rd_fpl_1.tpy[i - 1]);
        total += last;
    }
    return total > 0.0 && last / total <= kShortLastLeg;
}

std::string zone_line(int i, int finish, bool short_last_leg) {
    const auto& tp = rd_fpl_1;
    // A sector of fixed direction keeps it (Style 0 and its direction A12).
    const bool fixed = tp.tpfixdir[i] != kNoFixedDirection;
    std::string line =
        "ObsZone=" + i2b(i - 1) + ",Style=" + (fixed ? "0" : i == 1 ? "2" : i == finish ? "3" : "1");
    const double half_angle = tp.tpang[i] / 2.0;
    const ZoneKind kind = zone_kind(i);
    // SeeYou writes a window's fields for every sector type but the classic
    // one, also for a type Condor does not write; only a true window gets its
    // line mark.
    if (tp.tpsec[i] != kClassicSectorType) {
        console_line("write_cup window " + i2b(i) + " " + f2b(tp.tpwid[i], "(F16.6)") + " " +
                     f2b(tp.tphei[i], "(F16.6)"));
        line += ",R1=" + whole(tp.tpwid[i] / 2.0) + "m,A1=" + whole(half_angle);
        line += ",MaxAlt=" + with_margin(window_top(i));
        line += ",MinAlt=" + whole(window_bottom(i));
    } else {
        const bool fai = tarvex01.qfaisector && !rd_fpl_6.qaat && tp.tprad[i] == kFaiCylinderRadius && !short_last_leg;
        if (fai) {
            line += ",R1=20000m,A1=45,R2=" + i2b(tp.tprad[i]) + "m,A2=" + whole(half_angle);
        } else {
            line += ",R1=" + i2b(tp.tprad[i]) + "m,A1=" + whole(half_angle);
        }
        if (fixed) {
            line += ",A12=" + f2b(tp.tpfixdir[i], "(F16.6)");
        }
        if (tarvex01.qmaxalt_cup && tp.tphei[i] < kNoMaximumAltitude) {
            line += ",MaxAlt=" + with_margin(tp.tphei[i]);
        }
    }
    if (i == 1 || (i == finish && kind == ZoneKind::line) || kind == ZoneKind::window) {
        line += ",Line=1";
    }
    return line;
}

// The options line: the rules the task gives as SeeYou writes them (a task
// read from a SeeYou file; a Condor plan gives none), then the altitude
// tolerance.
std::string options_line() {
    const RdFpl6& rules = rd_fpl_6;
    std::string line = "Options";
    if (rules.nostart != kNoTaskRule) {
        line += ",NoStart=" + clock_text(rules.nostart);
    }
    if (rules.tasktime != kNoTaskRule) {
        line += ",TaskTime=" + clock_text(rules.tasktime);
    }
    if (rules.wpdis != kNoTaskRule) {
        line += std::string(",WpDis=") + (rules.wpdis != 0 ? "True" : "False");
    }
    return line + ",NearAlt=100m";
}

}  // namespace

void write_cup(std::string_view outfi_0, int& iost) {
    FileWriter out(outfi_0);
    if (!out.is_open()) {
        iost = out.open_status();
        return;
    }
    console_line(std::string("WRITE_CUP : AAT ") + (rd_fpl_6.qaat ? "T" : "F") + " " +
                 f2b(rd_fpl_6.t_aat, "(F16.6)"));
    const int count = std::clamp(rd_fpl_0.nb_wp, 0, kTurnpointSlots);
    const int finish = count - 1;

    out.write_line(hdr1[layout()]);

    // Points already written: a point with the same link and name is written once.
    std::vector<int> written;
    for (int i = 0; i < count; ++i) {
        const auto same = [i](int j) {
            return rd_fpl_1.tpid[j] == rd_fpl_1.tpid[i] && blank_equal(rd_fpl_2.tpnam[j], rd_fpl_2.tpnam[i]);
        };
        if (std::any_of(written.begin(), written.end(), same)) {
            console_line(rd_fpl_2.tpnam[i] + " Already written");
            continue;
        }
        written.push_back(i);
        const std::string line = waypoint_line(i);
        console_line(i2b(i) + " " + i2b(rd_fpl_1.tpid[i]) + " " + line);
        out.write_line(line);
    }

    out.write_line(hdr2[layout()]);
    std::string task = "\"Circuit\"";
    for (int i = 0; i < count; ++i) {
        task += "," + name_column(rd_fpl_2.tpnam[i]);
    }
    task += ",\"???\"";
    out.write_line(task);
    out.write_line(options_line());

    console_line("write_cup start_margin " + i2b(tarvex01.start_margin));
    const bool short_last_leg = last_leg_is_short(finish);
    for (int i = 1; i <= finish; ++i) {
        out.write_line(zone_line(i, finish, short_last_leg));
    }
    iost = out.close();
}

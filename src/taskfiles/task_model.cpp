#include "taskfiles/task_model.h"

#include "foundation/fixed_text.h"
#include "foundation/geometry.h"
#include "foundation/number_text.h"
#include "platform/console.h"

#include <algorithm>
#include <limits>
#include <string_view>

RdFpl0 rd_fpl_0;
RdFpl1 rd_fpl_1;
RdFpl2 rd_fpl_2;
RdFpl4 rd_fpl_4;
RdFpl5 rd_fpl_5;
RdFpl6 rd_fpl_6;
RdFplWz1 rd_fpl_wz1;
RdFplWz2 rd_fpl_wz2;
Ggg001 ggg001;
Ggg002 ggg002;
Gggmas gggmas;
Gggpol gggpol;
RdFplKeys rd_fpl_keys;

namespace {

template <class Table>
void clear_table(Table& table) {
    table = Table{};
}

// Clears every member of the weather records except their two scalars.
void clear_weather() {
    rd_fpl_wz1 = RdFplWz1{};
    const bool randomize = rd_fpl_wz2.randomizeweatheroneachflight;
    const int wzcount = rd_fpl_wz2.wzcount;
    rd_fpl_wz2 = RdFplWz2{};
    rd_fpl_wz2.randomizeweatheroneachflight = randomize;
    rd_fpl_wz2.wzcount = wzcount;
}

// Clears every task option except the date and start time.
void clear_options() {
    const int taskdate = rd_fpl_6.taskdate;
    const float starttime = rd_fpl_6.starttime;
    const int team = rd_fpl_6.team;
    rd_fpl_6 = RdFpl6{};
    rd_fpl_6.taskdate = taskdate;
    rd_fpl_6.starttime = starttime;
    rd_fpl_6.team = team;
}

// Replaces every occurrence of one character by a text, from the left, cutting
// the field to its capacity after each replacement.
void escape_character(std::string& str, char from, std::string_view to, std::size_t capacity) {
    std::size_t position = str.find(from);
    while (position != std::string::npos) {
        str.replace(position, 1, to);
        if (str.size() > capacity) {
            str.resize(capacity);  // what is pushed beyond the field is lost
        }
        position = str.find(from, position + to.size());
    }
}

// Lengths are summed in double and held within the float range, so that no
// plan, however far apart its points, overflows a leg or the total.
float to_float(double value) {
    constexpr double kMax = std::numeric_limits<float>::max();
    return static_cast<float>(std::clamp(value, -kMax, kMax));
}

std::string trace_length(float value) { return f2b(value, "(F12.2)"); }

}  // namespace

void init_read_fpl() {
    rd_fpl_0.nb_wp = 0;
    rd_fpl_0.nb_pz = 0;
    rd_fpl_0.npzmax = 0;
    rd_fpl_0.nwpmax = 0;
    rd_fpl_0.nb_as_zones = 0;
    rd_fpl_0.nb_fpldesc = 0;
    rd_fpl_0.last_dis_as = -1;

    RdFpl1& t = rd_fpl_1;
    for (TpReals* table : {&t.tpx, &t.tpy, &t.tpz, &t.tplat, &t.tplon, &t.tpazi, &t.tphei, &t.tpalt, &t.tpwid}) {
        table->fill(0.0f);
    }
    for (TpInts* table : {&t.tpair, &t.tpsec, &t.tprad, &t.tpang, &t.tpid}) {
        table->fill(0);
    }
    t.tpfixdir.fill(kNoFixedDirection);
    clear_table(t.pzp);
    clear_table(t.pza);
    clear_table(t.wzp);

    rd_fpl_2.tpnam.fill(std::string());
    rd_fpl_2.wznam.fill(std::string());
    rd_fpl_2.fpldesc.fill(std::string());
    rd_fpl_2.landscape.clear();

    clear_weather();
    rd_fpl_4.pressure = kStandardPressure;
    clear_options();
    rd_fpl_5.qas_disa.fill(false);
}

void init_glider() {
    ggg001 = Ggg001{};
    ggg002 = Ggg002{};
    gggmas = Gggmas{};
    const float vfmax_00 = gggpol.vfmax_00;
    const float fmax_00 = gggpol.fmax_00;
    const float gforce = gggpol.gforce;
    gggpol = Gggpol{};
    gggpol.vfmax_00 = vfmax_00;
    gggpol.fmax_00 = fmax_00;
    gggpol.gforce = gforce;
}

void init_wp() {
    rd_fpl_0.nb_wp = 0;
    RdFpl1& t = rd_fpl_1;
    t.tpair.fill(0);
    t.tpsec.fill(kDefaultZoneType);
    t.tpsecdir.fill(0);
    t.tprad.fill(kDefaultZoneRadius);
    t.tpang.fill(kDefaultZoneAngle);
    t.tpfixdir.fill(kNoFixedDirection);
    for (TpReals* table : {&t.tpx, &t.tpy, &t.tpz, &t.tplat, &t.tplon, &t.tpazi, &t.tphei, &t.tpalt, &t.tpwid}) {
        table->fill(0.0f);
    }
    rd_fpl_2.tpnam.fill(std::string());
}

bool task_has_airspace() { return rd_fpl_0.nb_pz >= 1 || rd_fpl_0.nvcnd == 3; }

bool task_names_glider() { return !is_blank(ggg001.glider); }

void compute_dist() {
    RdFpl1& t = rd_fpl_1;
    // A count beyond the tables is held to them; a count below 2 gives no leg.
    const int nb_wp = std::clamp(rd_fpl_0.nb_wp, 0, kTurnpointSlots);
    double total = 0.0;
    for (int n = 1; n < nb_wp; ++n) {
        double d = point_distance(t.tpx[n - 1], t.tpy[n - 1], t.tpx[n], t.tpy[n]);
        if (n == nb_wp - 1 && t.tpang[n] == kCylinderAngle) {
            d -= t.tprad[n];  // a finish cylinder ends the task at its edge
        }
        t.tpdist[n] = to_float(d);
        if (n > 1) {
            total += t.tpdist[n];
        }
        console_line("Leg " + i2b(n) + " : " + trace_length(t.tpdist[n]));
    }
    rd_fpl_4.dist_tot = to_float(total);
    console_line("Tot dist : " + trace_length(rd_fpl_4.dist_tot));
}

void cleanup_name(std::string& str, std::size_t capacity) {
    str = fit_field(str, capacity);
    escape_character(str, '<', "&lt;", capacity);
    escape_character(str, '>', "&gt;", capacity);
    str = trim_right(str);  // a cut may end the field on blanks
}

void reset_rd_fpl_0() { rd_fpl_0 = RdFpl0{}; }
void reset_rd_fpl_1() { rd_fpl_1 = RdFpl1{}; }
void reset_rd_fpl_2() { rd_fpl_2 = RdFpl2{}; }
void reset_rd_fpl_4() { rd_fpl_4 = RdFpl4{}; }
void reset_rd_fpl_5() { rd_fpl_5 = RdFpl5{}; }
void reset_rd_fpl_6() { rd_fpl_6 = RdFpl6{}; }
void reset_rd_fpl_wz1() { rd_fpl_wz1 = RdFplWz1{}; }
void reset_rd_fpl_wz2() { rd_fpl_wz2 = RdFplWz2{}; }
void reset_ggg001() { ggg001 = Ggg001{}; }
void reset_ggg002() { ggg002 = Ggg002{}; }
void reset_gggmas() { gggmas = Gggmas{}; }
void reset_gggpol() { gggpol = Gggpol{}; }
void reset_rd_fpl_keys() { rd_fpl_keys = RdFplKeys{}; }

void reset_task_model() {
    reset_rd_fpl_0();
    reset_rd_fpl_1();
    reset_rd_fpl_2();
    reset_rd_fpl_4();
    reset_rd_fpl_5();
    reset_rd_fpl_6();
    reset_rd_fpl_wz1();
    reset_rd_fpl_wz2();
    reset_ggg001();
    reset_ggg002();
    reset_gggmas();
    reset_gggpol();
    reset_rd_fpl_keys();
}

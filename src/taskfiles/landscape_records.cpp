#include "taskfiles/landscape_records.h"

#include <algorithm>

Tarvewp2 tarvewp2;
Tarvewp3 tarvewp3;
Tarveap2 tarveap2;
Tarveap3 tarveap3;
RdCup0 rd_cup_0;
RdCup1 rd_cup_1;
RdCup2 rd_cup_2;

namespace {

// The tables keep their size; only their contents go back to zero or blank,
// so no record-sized temporary is ever built.
template <class T>
void clear(std::vector<T>& table) {
    std::fill(table.begin(), table.end(), T{});
}

}  // namespace

void reset_tarvewp2() {
    Tarvewp2& r = tarvewp2;
    clear(r.wp_lat);
    clear(r.wp_lon);
    clear(r.wp_elev);
    clear(r.wp_typ);
    clear(r.wp_rwl);
    clear(r.wp_rwd);
    clear(r.wp_frq);
}

void reset_tarvewp3() {
    clear(tarvewp3.wp_nam);
    clear(tarvewp3.wp_cod);
    clear(tarvewp3.wp_dsc);
}

void reset_tarveap2() {
    Tarveap2& r = tarveap2;
    clear(r.apt_lat);
    clear(r.apt_lon);
    clear(r.apt_elev);
    clear(r.apt_rwd);
    clear(r.apt_rwl);
    clear(r.apt_frq);
    clear(r.apt_sty);
}

void reset_tarveap3() { clear(tarveap3.apt_nam); }

void reset_rd_cup_0() { rd_cup_0 = RdCup0{}; }
void reset_rd_cup_1() { rd_cup_1 = RdCup1{}; }
void reset_rd_cup_2() { rd_cup_2 = RdCup2{}; }

void reset_landscape_records() {
    reset_tarvewp2();
    reset_tarvewp3();
    reset_tarveap2();
    reset_tarveap3();
    reset_rd_cup_0();
    reset_rd_cup_1();
    reset_rd_cup_2();
}

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

constexpr std::size_t kWaypointEntries = kMaxLandscapeWaypoints + 1;
constexpr std::size_t kAirportEntries = kMaxLandscapeAirports + 1;

// A table at its whole capacity, its contents back to zero or blank; no
// record-sized temporary is ever built.
template <class T>
void clear(LandscapeNumbers<T>& table, std::size_t entries) {
    std::fill(table.begin(), table.end(), T{});
    table.resize(entries);
}

void clear(ShortTextTable& table, std::size_t entries) {
    table.clear();
    table.resize(entries);
}

template <class Table>
void size(Table& table, std::size_t entries) {
    if (table.size() < entries) {
        table.resize(entries);
    }
}

}  // namespace

void size_waypoint_tables(Tarvewp2& numbers, Tarvewp3& texts) {
    for (LandscapeNumbers<float>* table : {&numbers.wp_lat, &numbers.wp_lon, &numbers.wp_rwl, &numbers.wp_rwd,
                                      &numbers.wp_frq}) {
        size(*table, kWaypointEntries);
    }
    size(numbers.wp_elev, kWaypointEntries);
    size(numbers.wp_typ, kWaypointEntries);
    for (ShortTextTable* table : {&texts.wp_nam, &texts.wp_cod, &texts.wp_cty, &texts.wp_dsc}) {
        size(*table, kWaypointEntries);
    }
}

void size_airport_tables(Tarveap2& numbers, Tarveap3& names) {
    for (LandscapeNumbers<float>* table : {&numbers.apt_lat, &numbers.apt_lon, &numbers.apt_rwd, &numbers.apt_rwl,
                                      &numbers.apt_frq}) {
        size(*table, kAirportEntries);
    }
    size(numbers.apt_elev, kAirportEntries);
    size(numbers.apt_sty, kAirportEntries);
    size(names.apt_nam, kAirportEntries);
}

void reset_tarvewp2() {
    Tarvewp2& r = tarvewp2;
    clear(r.wp_lat, kWaypointEntries);
    clear(r.wp_lon, kWaypointEntries);
    clear(r.wp_elev, kWaypointEntries);
    clear(r.wp_typ, kWaypointEntries);
    clear(r.wp_rwl, kWaypointEntries);
    clear(r.wp_rwd, kWaypointEntries);
    clear(r.wp_frq, kWaypointEntries);
}

void reset_tarvewp3() {
    clear(tarvewp3.wp_nam, kWaypointEntries);
    clear(tarvewp3.wp_cod, kWaypointEntries);
    clear(tarvewp3.wp_cty, kWaypointEntries);
    clear(tarvewp3.wp_dsc, kWaypointEntries);
}

void reset_tarveap2() {
    Tarveap2& r = tarveap2;
    clear(r.apt_lat, kAirportEntries);
    clear(r.apt_lon, kAirportEntries);
    clear(r.apt_elev, kAirportEntries);
    clear(r.apt_rwd, kAirportEntries);
    clear(r.apt_rwl, kAirportEntries);
    clear(r.apt_frq, kAirportEntries);
    clear(r.apt_sty, kAirportEntries);
}

void reset_tarveap3() { clear(tarveap3.apt_nam, kAirportEntries); }

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

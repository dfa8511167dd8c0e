#pragma once

// Tying the task to the landscape, one routine per road of a conversion.
//
// - get_wp_data (a Condor flight plan): gives every turnpoint its latitude and
//   longitude from its landscape position, renames turnpoints that share a
//   name but not a position (both x and y more than 1 m apart: "Name1",
//   "Name2", ...; a name of the field's whole 32 characters is cut before
//   its number), and with the waypoint check (tarvex01.qchkwp) identifies each
//   among the landscape's airports (by name and position within 0.001 degree)
//   and then its turnpoints (the same, and elevation within 10 m of the
//   point's altitude): tpid -n / +n for airport / turnpoint n when the chosen
//   target tells airports apart (airports_signed: LK8000, SeeYou), n
//   otherwise, 0 none. Several matches warn and take the
//   last; with qverb_0 the turnpoints found nowhere are listed in a warning.
// - set_wp_data (a SeeYou task written for LK8000, SeeYou or as a Condor
//   plan): the SeeYou task points 0..nb_cup-1 (all but the landing) become
//   the task's turnpoints at the SeeYou task's latitudes and longitudes
//   (classic zones, window centre 1500 m, upper limit MaxAlt or 10000 m, a
//   sector of "Style=0" at its direction "A12"),
//   each tied to its waypoint of the SeeYou file (tpid); when the takeoff is
//   "???" or no airport, the airport nearest to the start takes its place
//   (tpid as get_wp_data gives an airport). nb_wp = nb_cup, the number of
//   points converted. The rules of the task's "Options" line go to the task
//   options (nostart, tasktime, wpdis).
// - copy_wp_data (a SeeYou task exported as JSON): copies the positions and
//   zones of points 1..nb_cup-1; nb_wp = nb_cup.
//
// Warnings are shown (severity 2, French with cmndta001.qfr, on the console
// with cmndta001.qline) and logged; the run goes on.

// idt is not used.
void get_wp_data(bool qverb, int idt);

void set_wp_data(bool qverb);

void copy_wp_data();

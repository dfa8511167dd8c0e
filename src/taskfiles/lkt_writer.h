#pragma once

// The LK8000 task file (.lkt): an XML document declaring UTF-8, with the task
// rules, the task points and the waypoints they use (with the landscape's own
// data for the matched ones). Its texts are written in UTF-8.

#include <cstddef>
#include <string>
#include <string_view>

// LK8000 cuts a waypoint name to this many bytes of UTF-8 and then no longer
// finds the task point of a longer name, refusing the whole task: the names
// of the .lkt are cut there.
inline constexpr std::size_t kLkNameBytes = 29;

// The LK8000 flags of a waypoint (its bits: 1 airport, 2 turnpoint, 4
// landable), as LK8000's own SeeYou reader gives them: the flags must match
// those of the pilot's own waypoint, or the point appears twice.
inline constexpr int kLkAirfieldFlags = 5;    // SeeYou styles 2, 4 and 5
inline constexpr int kLkOutlandingFlags = 4;  // SeeYou style 3
inline constexpr int kLkTurnpointFlags = 2;   // every other style, and no style

// The LK8000 flags of a SeeYou waypoint style.
int lk_waypoint_flags(int style);

// The name under which task point n (1 .. nb_wp - 1) is written: tpnam(n), or
// with tarvex01.qlk_tp_num its place in the task before it: "S:" for point 1,
// "F:" for the last point, else n - 1 and ":". Cut so that its UTF-8 form
// takes at most kLkNameBytes bytes (never inside a character), without
// trailing blanks: a name ending in a number ("Name1", "Name2" of doubled
// names renamed) is cut before the number, which stays. A point that repeats
// an earlier one (the same name within 1 m in x and y; never with
// qlk_tp_num, whose names differ) is the same waypoint and takes its name;
// no two other points share one. A name that an earlier waypoint has
// already ends in n instead, or in the next number that gives a name no
// other waypoint of the task has.
void set_lk_tp_name(int n, std::string& bbb);

// Writes the task of the task model to outfi_0, created or emptied first.
// iost: 0 when the file was written; otherwise the status of the open that
// failed (nothing written) or of the first write that failed. Shows no
// message; trace lines on the console.
void write_lkt(std::string_view outfi_0, int& iost);

#pragma once

// The LK8000 task file (.lkt): an XML document declaring UTF-8, with the task
// rules, the task points and the waypoints they use (with the landscape's own
// data for the matched ones). Its texts are written in UTF-8.

#include <cstddef>
#include <string>
#include <string_view>

// Capacity of the name set_lk_tp_name gives.
inline constexpr std::size_t kLkTpNameCapacity = 64;

// Waypoint styles the flag table covers (0..50), and the flags of a style
// outside it.
inline constexpr int kLkMaxStyle = 50;
inline constexpr int kLkDefaultFlags = 1;

// The LK8000 flags of a SeeYou waypoint style: 5 for styles 2, 4 and 5 (the
// airfields), 4 for style 3 (an outlanding), 1 for every other style.
int lk_waypoint_flags(int style);

// The name under which task point n (1 .. nb_wp - 1) is written: tpnam(n), or
// with tarvex01.qlk_tp_num its place in the task before it: "S:" for point 1,
// "F:" for the last point, else n - 1 and ":". Cut at 64 characters.
void set_lk_tp_name(int n, std::string& bbb);

// Writes the task of the task model to outfi_0, created or emptied first.
// iost: 0 when the file was written; otherwise the status of the open that
// failed (nothing written) or of the first write that failed. Shows no
// message; trace lines on the console.
void write_lkt(std::string_view outfi_0, int& iost);

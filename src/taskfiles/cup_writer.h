#pragma once

#include <string_view>

// The SeeYou task writer: one .cup file holding a waypoint line for each task
// point (takeoff, start, turnpoints, finish; a point listed twice under the
// same name and landscape link is written once), then the related-task section
// with the task line, the options line (the rules a SeeYou task gave,
// "NoStart", "TaskTime", "WpDis", then "NearAlt=100m") and one
// observation-zone line per point from the start to the finish.
//
// Positions, altitudes and zones come from the task model (a sector of fixed
// direction, tpfixdir, as "Style=0" with its "A12"); code, country, style,
// runway, frequency and description from the waypoint (tpid > 0: a landscape
// turnpoint, or the waypoint of a SeeYou task's own file) or airport
// (tpid < 0) the point was matched to. tarvex01.nform_cup chooses the
// layout: 0 without, anything else with the "rwwidth" column. Text is cp1252,
// lines end with CR LF.

// Writes the task to `outfi_0`, creating or replacing it. iost: 0 written,
// else the status of the failed open (nothing written) or of a failed write.
void write_cup(std::string_view outfi_0, int& iost);

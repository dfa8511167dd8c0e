#pragma once

// The files pilots and other programs wrote (shared/real-files beside the
// source tree), the frames of their landscapes, and strict readers of the
// SeeYou and OpenAir texts the conversions read and write.

#include "support/terrain_bytes.h"

#include <filesystem>
#include <map>
#include <optional>
#include <string>
#include <vector>

namespace tarvex_test {

// The folder of the real files: "../shared/real-files" from the source tree.
std::filesystem::path real_files_folder();

// A landscape's frame: its terrain header (90 m cells, origin at the
// south-east corner, a southern northing with its false northing) and the
// known airfield the frame puts at its place: frame point (x, y) at (lat, lon).
struct RealFrame {
    std::string landscape;
    TrnHeader header;
    double x = 0.0;
    double y = 0.0;
    double lat = 0.0;
    double lon = 0.0;
    bool has_airfield = true;
};
// The frame of a landscape of the real plans, or of "Germany", the frame
// made for the SeeYou tasks; nothing for another name.
std::optional<RealFrame> real_frame(const std::string& landscape);

// The "Key=Value" lines of an ini text (a Condor plan) by key, the first of
// each key; LF, CR LF and CR alone end lines. A line that is no section, no
// blank and holds no "=" is named in `error`.
std::map<std::string, std::string> ini_values(const std::string& bytes, std::string& error);

// The lines of a text split at LF, CR LF or CR alone.
std::vector<std::string> any_lines(const std::string& text);

// A SeeYou file read strictly: the header's columns, every waypoint line
// with as many fields, coordinates "DDMM.mmmN" and "DDDMM.mmmE", after
// "-----Related Tasks-----" task lines whose names are waypoints, "???" or
// blank, "Options" and "ObsZone=N,Key=Value..." lines.
struct CupWaypoint {
    std::string name;
    double lat = 0.0;
    double lon = 0.0;
};
struct CupFile {
    std::vector<CupWaypoint> waypoints;
    std::vector<std::string> task;  // the first task's names, takeoff to landing
    int zones = 0;                  // its ObsZone lines
    const CupWaypoint* waypoint(const std::string& name) const;
};
bool parse_cup(const std::string& bytes, CupFile& cup, std::string& error);

// An OpenAir text read strictly: every line a comment, a blank or a record
// (AC, AN, AL, AH, AY, AF, AG, AT, SP, SB, V, DP, DA, DB, DC, DY and the
// activation times AA, AP, AW, AX, TW) with its
// coordinates readable after any "*" comment; every zone drawn is named.
// `names` gets the first AN of each AC block (blank for a block that only
// sets a style).
bool parse_openair(const std::string& bytes, std::vector<std::string>& names, std::string& error);

}  // namespace tarvex_test

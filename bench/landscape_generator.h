#pragma once

#include <string>

// A deterministic generator of a maximal Condor 3 landscape and a plan over
// it, for the benchmarks of a whole conversion: the terrain header (.trn),
// the airports (.apt, Condor's 72-byte records), the turnpoints (.cup, the
// airports first), the airspace (.air, from generate_openair) and a Condor 3
// flight plan (.fpl) whose points are among the landscape's waypoints.
//
// The frame is a square of 3600 x 3600 cells of 90 m in UTM zone 32 north,
// its east edge at easting 430000 and its south edge at northing 4880000:
// about 44.1 to 47.0 N and 4.0 to 8.1 E, covering the generated airspace.

struct LandscapeSample {
    std::string terrain_header;  // .trn (36 bytes)
    std::string airports;        // .apt
    std::string turnpoints;      // .cup, CR LF lines
    std::string airspace;        // .air, CR LF lines
    std::string plan;            // .fpl, CR LF lines
    int airport_count = 0;
    int turnpoint_count = 0;     // waypoint lines of the .cup, the airports included
    int airspace_count = 0;
    int disabled_count = 0;      // airspaces the plan disables
};

// A Condor terrain header: `cells` x `cells` cells of `step` metres, the east
// edge at UTM easting `east`, the south edge at northing `south`, zone `zone`
// north.
std::string terrain_header(int cells, float step, float east, float south, int zone);

// The terrain header of the generated landscape.
std::string maximal_terrain_header();

// The landscape `name` with `airports` airports, `turnpoints` waypoints in
// all, `zones` airspaces of about `points_per_zone` points, and a plan of
// `plan_points` points (the first and the last at the first airport) with two
// penalty zones that disables every second airspace; `plan_tail` (the
// plan's sections after [Task], CR LF lines) ends the plan. The frame of
// maximal_terrain_header() must be set (utm_init) before: the plan's
// positions are computed in it.
LandscapeSample generate_landscape(const std::string& name, int airports, int turnpoints, int zones,
                                   int points_per_zone, int plan_points, const std::string& plan_tail);

// The maximal landscape: 1,000 airports, 15,000 waypoints, 4,990 airspaces of
// about 49,400 points, a plan of 10 points.
LandscapeSample generate_maximal_landscape(const std::string& name, const std::string& plan_tail);

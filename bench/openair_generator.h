#pragma once

#include <string>

// A deterministic generator of OpenAir airspace text in the style of Condor's
// landscape files: a comment block per zone, DMS coordinates with blanks,
// polygons, circles, arcs of both kinds (DA and DB, both directions) and
// airways, spread over 44..47 N, 5..8 E.
struct OpenAirSample {
    std::string text;
    int zones = 0;
    int lines = 0;
};

// `zones` zones whose geometry lines average about `points_per_zone` points.
OpenAirSample generate_openair(int zones, int points_per_zone);

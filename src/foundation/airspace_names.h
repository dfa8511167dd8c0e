#pragma once

// Display names of the airspaces, by airspace number 0 to 1999, for the
// airspace reader's load mode and its raster build, which the terrain code
// will use. The conversion (filter mode) neither stores nor reads a name.
// Names live for the run.

#include <string>
#include <string_view>

inline constexpr int kAirspaceNameSlots = 2000;

// Stores a copy of `nam` (up to a NUL, if it holds one) as the name of zone nn,
// replacing an earlier name. A number outside 0..1999 stores nothing and writes
// a console line.
void add_as_name(int nn, std::string_view nam);

// The name of zone nn into `nam` and its length into `ll`. A slot never
// stored, or a number outside 0..1999, gives an empty name and 0.
void get_as_name(int nn, std::string& nam, int& ll);

// Empties every slot.
void reset_as_nam();

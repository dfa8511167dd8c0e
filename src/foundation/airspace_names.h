#pragma once

// Display names of the airspaces, by airspace number from 0, for the
// airspace reader's load mode and its raster build, which the terrain code
// uses. The conversion (filter mode) neither stores nor reads a name. Names
// live for the run; the table grows with the numbers stored.

#include <string>
#include <string_view>

// Largest number of names the table holds (numbers 0 .. kAirspaceNameSlots - 1).
inline constexpr int kAirspaceNameSlots = 1000000;

// Stores a copy of `nam` (up to a NUL, if it holds one) as the name of zone nn,
// replacing an earlier name. A number outside 0 .. kAirspaceNameSlots - 1
// stores nothing and writes a console line.
void add_as_name(int nn, std::string_view nam);

// The name of zone nn into `nam` and its length into `ll`. A slot never
// stored, or a number outside the table, gives an empty name and 0.
void get_as_name(int nn, std::string& nam, int& ll);

// Empties the table.
void reset_as_nam();

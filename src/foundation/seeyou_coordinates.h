#pragma once

// Latitudes and longitudes in degrees and decimal minutes with a hemisphere
// letter: the SeeYou waypoint form (4530.250N, 00612.500E) and Condor's form
// with dots (45.30.250N, 006.12.500E). Degrees are 32-bit reals, north and
// east positive.

#include <string>
#include <string_view>

// Value of a text that is not a coordinate of the form asked for.
inline constexpr float kNotACoordinate = -10000.0f;

// A SeeYou latitude DDMM.mmmH: "." at the 5th character, three to five
// decimals of minutes, then "N" or "S" (the later of the first "N" and the
// first "S" is taken as the letter). kNotACoordinate otherwise.
float decode_lat_cu(std::string_view str);

// A SeeYou longitude DDDMM.mmmH: "." at the 6th character, "E" or "W".
float decode_lon_cu(std::string_view str);

// The SeeYou form of a latitude (9 characters, 4530.250N; zero is "N") and of
// a longitude (10 characters, 00612.500E; zero is "E"). Thousandths of a
// minute are rounded, halves away from zero, and carried into the minutes and
// degrees.
void lat_cu(float lat, std::string& str);
void lon_cu(float lon, std::string& str);

// The same in Condor's form: 45.30.250N and 006.12.500E.
void lat_cndr(float lat, std::string& str);
void lon_cndr(float lon, std::string& str);

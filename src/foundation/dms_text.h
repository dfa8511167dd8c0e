#pragma once

// Latitudes and longitudes as degrees, minutes and seconds: the OpenAir form
// of airspace text (45:30:15 N, 006:05:00 E) and the degree-sign form
// (45°30'15"N), written and read. Degrees are 32-bit reals, north and east
// positive; the degree sign is the cp1252 byte 0xB0.

#include <string>
#include <string_view>

// The hemisphere letters, indexed 1 N, 2 S, 3 E, 4 W.
inline constexpr std::string_view kHemisphereLetters = "NSEW";

// Value of decode_lat_lon for a text whose degrees cannot be read.
inline constexpr float kNoDegrees = -999.0f;

// The OpenAir form of a latitude (nlon 1: DD:MM:SS H, "N" above zero, else
// "S") or of a longitude (any other nlon: DDD:MM:SS H, "E" above zero, else
// "W"). Seconds are rounded, halves away from zero, and carried.
void dms_oa(float lon, int nlon, std::string& clon);

// The degree-sign form: DD°MM'SS"H (nlon 1) or DDD°MM'SS"H.
void dms(float lon, int nlon, std::string& clon);

// The degree-sign form with hundredths of a second: DD°MM'SS.hh"H; a fraction
// of a second above 0.994 carries into the seconds. Writes the parts on the
// console first.
void dms_d(float lon, int nlon, std::string& clon);

// Reads a degree-sign text (at most its first 20 characters): the first of
// each of the letters N, S, E, W is blanked, and the last of them found in
// that order sets the sign (N, E positive; S, W negative; none positive);
// degrees stand before the degree sign (the whole text without one), minutes
// before the apostrophe, seconds before the double quote or the end. Missing
// minutes or seconds count 0. kNoDegrees when the degrees cannot be read.
float decode_lat_lon(std::string_view in_str);

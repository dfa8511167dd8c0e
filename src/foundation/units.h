#pragma once

// Values with a unit suffix ("1500ft", "5.2nm", "80kt") read into the
// program's units: metres for lengths, altitudes and distances, km/h for
// speeds. Unit texts are matched at their first occurrence anywhere in the
// text, case-sensitively in a SeeYou length and in any letter case in an
// altitude or a speed (the command line's: "1500FT", "80KT"); the number
// before the unit is read list-directed (list_read.h).
//
// Every routine returns a status, 0 when the number was read and converted:
// otherwise the nonzero list_read status (kReadEnd for a blank number,
// kReadBadItem for one that is not a number), 1 for a unit without a number
// in front of it (the value is then -9999), or kReadOutOfRange when the value
// in the program's unit is beyond the range of float. On a nonzero status
// other than 1 the value is left as it was.

#include <cstddef>
#include <string_view>

// Conversion factors to the program's units. Every unit constant of the
// program is here.
inline constexpr float kFootInMetres = 0.3048f;
inline constexpr float kNauticalMileInMetres = 1852.0f;
inline constexpr float kStatuteMileInMetres = 1609.344f;
inline constexpr float kKilometreInMetres = 1000.0f;
inline constexpr float kKnotInKmh = 1.852f;
// One metre per second in km/h (the task files give speeds in m/s).
inline constexpr double kMetrePerSecondInKmh = 3.6;
inline constexpr float kHourInMinutes = 60.0f;
inline constexpr int kMinuteInSeconds = 60;

// The imperial display factors, metres to feet and km/h to knots, as the
// program has always rounded them.
inline constexpr float kMetreInFeet = 3.28084f;
inline constexpr float kKmhInKnots = 0.5399568f;

// A speed in km/h in metres per second, in single precision.
inline float kmh_to_metres_per_second(float kmh) { return kmh / static_cast<float>(kMetrePerSecondInKmh); }

// Characters of its text that convert_length looks at.
inline constexpr std::size_t kLengthTextLength = 80;

// Value given to xx for a unit without a number.
inline constexpr float kNoNumberValue = -9999.0f;

// A SeeYou length: "m", "ft", "nm", "ml" (statute mile) or a bare number of
// metres. The unit is cut off from its position on ("nm" before "ml" before
// "m" before "ft"), the rest read; the factor follows "ft", else "nm", else
// "ml". Writes its work to the console.
int convert_length(std::string_view bb, float& xxx);

// A radius of a SeeYou observation zone ("R1", "R2"): kilometres ("km") or
// any SeeYou length (convert_length).
int convert_zone_length(std::string_view bb, float& xxx);

// An altitude: "m", "ft", or a bare number in metres (nunitalt <= 0) or feet
// (nunitalt > 0).
int decode_alt(std::string_view val, int nunitalt, float& xx);

// A distance: "km", "nm", "m" (only without "km" and "nm"), or a bare number
// in metres (nunitdis <= 0) or nautical miles (nunitdis > 0).
int decode_dist(std::string_view val, int nunitdis, float& xx);

// A speed in km/h: "kph", "kmh", "km/h", "kt", or a bare number in km/h
// (nunitv <= 0) or knots (nunitv > 0). Writes the text, the status and the
// value to the console.
int decode_speed(std::string_view val, int nunitv, float& xx);

// rv = rv * fact, rounded to the nearest whole number (halves away from zero)
// when |rv| was below 10000 before; a product beyond the range of float is
// held at the largest float of its sign.
void convert_and_round(float& rv, float fact);

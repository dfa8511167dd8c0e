#pragma once

// The landscape's local metric frame: Universal Transverse Mercator on the
// WGS84 ellipsoid (6-degree zones, scale factor 0.9996), shifted so that
// x = origin easting - UTM easting (x grows to the west) and
// y = UTM northing + false northing - origin northing. local_frame.h sets the
// frame up from a terrain header; the conversions below work once it is set.

#include <cstdint>
#include <string>

// The frame (one instance).
struct Utm000 {
    double xmax = 0.0;    // frame width, metres
    double ymax = 0.0;    // frame height, metres
    double orig_e = 0.0;  // UTM easting of the x = 0 line (the east edge)
    double orig_n = 0.0;  // UTM northing, false northing included, of the y = 0 line (the south edge)
    double n0 = 0.0;      // false northing: 10,000,000 m in the southern hemisphere, else 0
    double rlon0 = 0.0;   // central meridian of the zone, degrees: 6 x zone - 183
    double raddeg = 0.0;  // degrees per radian
    double degrad = 0.0;  // radians per degree
    float ori = 0.0f;     // the ".trn" header's third value; 90 after fitting a grid; read by nothing
    int nzon = 0;         // UTM zone
    char zlat = ' ';      // hemisphere letter, "N" or "S"
};
extern Utm000 utm000;
void reset_utm000();

// The frame's state.
struct Utm001 {
    bool initialized = false;  // a frame is set
    bool debug = false;        // extra console traces (utm_debug)
    std::string frame_file;    // the terrain header that set the frame
};
extern Utm001 utm001;
void reset_utm001();

inline constexpr double kDegreesPerRadian = 57.29577951308232;
inline constexpr double kRadiansPerDegree = 0.017453292519943295;
inline constexpr double kSouthFalseNorthing = 10000000.0;

// Latitude and longitude in degrees to frame metres. Result 1; 0 when no
// frame is set ("UTM NOT INITIALIZED" on the console and in the log) or when
// the position lies so far from the zone that it has no frame position a
// 32-bit real can hold; the outputs are then unchanged.
int latlontoxy(float rlat, float rlon, float& rx, float& ry);

// Frame metres to latitude and longitude in degrees; the same result.
int xytolatlon(float rx, float ry, float& rlat, float& rlon);

// Latitudes and longitudes a position on the earth has, degrees.
inline constexpr float kLargestLatitude = 90.0f;
inline constexpr float kLargestLongitude = 180.0f;

// True for a real position: a latitude within +-90 degrees and a longitude
// within +-180. A writer is never given any other.
bool position_on_earth(float rlat, float rlon);

// utm_debug and utm_get_ori are offered to the terrain code; the conversion
// calls neither.

// Switches the extra console traces on (flag != 0) or off, with a log line.
void utm_debug(int flag);

// The frame's origin (as 32-bit reals), hemisphere letter and zone.
void utm_get_ori(float& xo, float& yo, char& zla, std::int8_t& zlo);

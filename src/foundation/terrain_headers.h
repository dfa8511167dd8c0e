#pragma once

// Headers of the terrain files a landscape frame is set up from: Condor's
// binary terrain header (".trn"), a binary latitude/longitude grid header
// (".dem") and an ESRI ASCII grid header (".asc"). The binary headers are
// little-endian and read byte by byte.

#include <string>
#include <string_view>

// Status of a header whose file ends before the header does.
inline constexpr int kHeaderEnd = -1;
// Status of a header that holds values no terrain can have (not finite
// numbers, sizes beyond a float, no grid cells, latitudes beyond 90 degrees or
// longitudes beyond 360): such values would make the frame's arithmetic
// overflow or never end.
inline constexpr int kHeaderBadValue = 9998;
// The zones of UTM; a ".trn" header naming another zone, or a hemisphere other
// than "N" or "S", is refused with kHeaderBadValue. Its origin is taken as it
// is: a landscape hundreds of kilometres wide has eastings beyond 1,000,000 m
// far from its zone's central meridian; an absurd origin (1e38) gives a frame
// without a real latitude and longitude at its corners, which utm_init
// refuses (local_frame.h).
inline constexpr int kFirstUtmZone = 1;
inline constexpr int kLastUtmZone = 60;
// Status of an ".asc" header without exactly five of its keywords.
inline constexpr int kHeaderIncomplete = 9999;

// Sizes of the binary headers, in bytes.
inline constexpr int kTrnHeaderSize = 36;
inline constexpr int kDemHeaderSize = 48;

// Grids with more rows or columns than this are not taken: the frame fitting
// walks along their edges point by point.
inline constexpr int kMaxGridCount = 10000000;

// The fields of a ".trn" header, in file order, from the first 36 bytes of
// `bytes` (the caller checks that they are there): the number of columns and
// rows, the third value, the column and row steps (metres), the UTM easting of
// the east edge and northing of the south edge, the UTM zone and the
// hemisphere letter.
struct TrnHeaderFields {
    int columns = 0;
    int rows = 0;
    float third = 0.0f;
    float column_step = 0.0f;
    float row_step = 0.0f;
    float easting = 0.0f;
    float northing = 0.0f;
    int zone = 0;
    char hemisphere = ' ';
};
TrnHeaderFields trn_header_fields(const std::string& bytes);

// The ".trn" header: xmax, ymax the frame's width and height in metres
// (|columns x column step|, |rows x row step|), orig_e, orig_n the UTM easting
// of its east edge and northing of its south edge, orien the header's third
// value, nlon the UTM zone, zlat the hemisphere letter. Result 0, the status of
// a failed open, or kHeaderEnd / kHeaderBadValue; the outputs are set only on 0.
int read_trn_hdr(std::string_view fich, float& xmax, float& ymax, float& orig_e, float& orig_n, float& orien,
                 int& nlon, char& zlat);

// The ".dem" header: latitude and longitude limits in degrees, the number of
// columns and rows, and the UTM zone and hemisphere of the grid's centre
// (see grid_zone). Result as read_trn_hdr.
int read_dem_hdr(std::string_view fich, double& latmin, double& latmax, double& lonmin, double& lonmax,
                 int& ncols, int& nrows, int& nzon, char& zlat);

// The ".asc" header: at most its first 6 lines (each cut at 80 characters);
// lines beginning with the keywords "ncols", "nrows", "xllcorner" (minimum
// longitude), "yllcorner" (minimum latitude) and "cellsize" (step in degrees),
// in any case, give the number after them. The maxima are cellsize x count +
// minimum. Result 0 when exactly five keywords gave their number,
// kHeaderIncomplete otherwise, or the status of a failed open or read, or
// kHeaderBadValue.
int read_ascdem_hdr(std::string_view fich, double& latmin, double& latmax, double& lonmin, double& lonmax,
                    int& ncols, int& nrows, int& nzon, char& zlat);

// Zone and hemisphere of a latitude/longitude grid: "N" when the middle
// latitude is above zero, else "S"; the zone is the nearest whole number
// (halves away from zero) to ((lonmin + lonmax) / 2 + 177) / 6, plus 1.
void grid_zone(double latmin, double latmax, double lonmin, double lonmax, int& nzon, char& zlat);

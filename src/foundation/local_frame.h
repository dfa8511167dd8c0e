#pragma once

// Setting up the landscape's local metric frame (utm_frame.h) from a terrain
// header: a Condor ".trn" header gives it directly; a ".dem" or ".asc"
// latitude/longitude grid gets the largest frame, in whole 90 m steps, that
// lies inside the grid's limits.

#include "foundation/path_length.h"

#include <cstddef>
#include <string_view>

// Capacity of the terrain file name the frame remembers.
inline constexpr std::size_t kTerrainPathLength = kPathLength;

// Sets the frame from the terrain header `fich`, chosen by the first of
// ".trn"/".TRN", ".dem"/".DEM", ".asc"/".ASC" found anywhere in the path; rxm,
// rym get the frame's width and height in metres. A second call with the same
// file reads nothing and gives the stored size. Result 1 when the frame is
// set; 0 for an unknown file type, a header that cannot be read or fitted, or
// a ".trn" frame without a real latitude and longitude at one of its corners
// (logged; the frame is then marked not set and rxm, rym are unchanged).
int utm_init(std::string_view fich, float& rxm, float& rym);

// The three below are offered to the forms and the terrain code; the
// conversion calls only utm_init.

// utm_init for a NUL-terminated file name.
int utm_init_c(const char* fich, float& rxm, float& rym);

// Sets the frame from a ".trn" file and gives the smallest and largest
// latitude and longitude of its corners and of points along its four edges.
// Result as read_trn_hdr (terrain_headers.h).
int get_trn_lim(std::string_view trnfil, float& rlatmin1, float& rlatmax1, float& rlonmin1, float& rlonmax1);

// The latitude and longitude limits of a terrain file by its suffix: ".trn"
// through get_trn_lim, ".asc" and ".dem" from their headers. Result as the
// header readers; 1 for any other suffix.
int get_latlon_lim(std::string_view trnfil, float& rlatmin1, float& rlatmax1, float& rlonmin1, float& rlonmax1);

// Forgets the frame and the file that set it (utm000, utm001).
void reset_local_frame();

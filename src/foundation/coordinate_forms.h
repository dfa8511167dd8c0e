#pragma once

// Coordinate texts of unknown form, and positions without coordinates placed
// by their frame position. Offered to the forms and the terrain code: the
// conversion calls none of these.

#include <span>
#include <string>
#include <string_view>

// Decodes one coordinate text of any form into xlat: the degree-sign form
// when it holds the degree sign, else the SeeYou form when it holds one of the
// two letters of c_ori ("NS" a latitude, "WE" a longitude), else plain decimal
// degrees. Result 1, or 0 when the text gives no value or a latitude beyond
// 90 or a longitude beyond 360 degrees in magnitude.
int what_format(std::string_view lat, float& xlat, std::string_view c_ori);

// Decodes a latitude text and a longitude text; type = 1 when both were
// recognised, else 0.
void decode_coord(std::string_view lat, std::string_view lon, float& xlat, float& xlon, int& type);

// Points in the tables (indexes 0 .. 20) whose number wpnum is below 1 have no
// coordinates: among points 1 .. nb_wp - 1 numbered 1 or more, the one farthest
// in x, y from point 0 is found, and the others get their longitude from x and
// their latitude from y by linear interpolation between point 0 and it. When
// there is no such point, or it shares point 0's x or y so that no scale can
// be had, the run ends with "Conversion impossible".
void cnv_coord(int nb_wp, std::span<const int> wpnum, std::span<const float> tpx, std::span<const float> tpy,
               std::span<float> tplat, std::span<float> tplon);

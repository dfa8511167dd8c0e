#pragma once

// Name lookups in the waypoint and airport lists of a landscape. The lists
// are numbered from 1 (element 0 unused); results are those numbers. Names
// are compared as blank-padded fields: trailing blanks ignored, case kept.
// A count beyond the arrays given is held to their size.

#include "foundation/short_text_table.h"

#include <span>
#include <string_view>

// The entry 1..count named `name`: 0 when none; its number when one; among
// several, the one whose elevation equals `altitude` when exactly one does,
// otherwise minus the number of the last of them with that elevation (0 when
// none has it).
int rech(std::string_view name, int altitude, int count, const ShortTextTable& names, std::span<const int> elev);

// The entry 1..count named `name` within 0.001 degree in latitude and in
// longitude and, when altitude >= -500, less than 10 m away in elevation:
// 0 when none, its number when one, minus the number of the last one when
// several.
int rech_2(std::string_view name, float latitude, float longitude, int altitude, int count,
           const ShortTextTable& nam, std::span<const float> lat, std::span<const float> lon,
           std::span<const int> elev);

#pragma once

#include <string>
#include <string_view>

// Texts of the OpenAir airspace format: class names, names, coordinates and
// altitudes, and the display name of a zone.

// Capacities of the reader's texts.
inline constexpr std::size_t kAirspaceNameCapacity = 256;   // AN text, built name
inline constexpr std::size_t kAirspaceShortNameCapacity = 64;
inline constexpr std::size_t kAirspaceAttributeCapacity = 40;  // AY, AL, AH texts
inline constexpr std::size_t kShortNameLength = 16;          // AN characters kept in the short name

// Class index of a class text (case-sensitive, trailing blanks ignored):
// "UNCLASSIFIED" 13, "W" 10, otherwise the first class of the table with that
// name (a blank text gives 14), anything else 13.
int get_typ(std::string_view str);

// Replaces the Latin letters with grave and acute accents of names (bytes 232
// and 233) by "e" and byte 224 by "a"; returns the trimmed length.
int clean_text(std::string& str);

// Reads an OpenAir coordinate "DD:MM:SS.s N DDD:MM:SS.s E" (blanks allowed
// between the parts, letters in either case) into degrees, north and east
// positive. Dots standing for colons ("45.30.15.5N") are repaired, with a
// warning; the last dot after the last colon of a part stays a decimal point.
// Result 0; -1 when the text holds no N or S, a field is missing or
// unreadable, or the latitude exceeds 90 or the longitude 180 degrees in
// magnitude: the error is then reported and the outputs are unchanged.
int extract_coord(std::string_view str, float& rlat, float& rlon);

// An altitude text in metres, negative above ground: "SFC", "GND" 0;
// "UNLIMITED" (or any text starting "UNL") 20000; "FLnnn" flight levels;
// otherwise a number with an optional unit marker ("M" metres, "FT", "F",
// "ALT" or none: feet) before an optional reference ("AGL" or "GND" above
// ground, "AMSL" or "MSL" above sea level). Words and markers match in any
// letter case. An unreadable number gives -999999 (negated above ground) and
// a log line.
float decode_alt_as(std::string_view str);

// Sentinel of decode_alt_as for a text it cannot read.
inline constexpr float kUnreadableAltitude = -999999.0f;

// Builds the display name of a zone: `assn` = the first 16 characters of the
// trimmed AN text; `asn` = AN " (" class ["-" AY] ") : " AL " - " AH, where a
// class UNC shows its AY text alone (or nothing). Cut at 256 characters.
// With as0003.qcnvalt the floor and ceiling are shown converted instead of
// the AL and AH texts (converted_altitude): `asn` ends ") : " floor " - "
// ceiling, and `assn`, blank-padded to 16 characters, gets ":" floor "-"
// ceiling (cut at 64); a floor whose text starts "GND" is shown "GND ".
void build_name(std::string& asn, std::string& assn, std::string_view ast, std::string_view asl,
                std::string_view ash, int ityp);

// An altitude text as a name shows it converted: decode_alt_as of it, its
// magnitude in the display unit (tarvex01.fmulalt) rounded to the nearest
// whole number, the unit (tarvex_c.cunitalt) and " AGL" above ground: "457m
// AGL", "6500ft".
std::string converted_altitude(std::string_view text);

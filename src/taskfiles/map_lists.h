#pragma once

#include <string_view>

// The map lists: which map (and, for LK8000, which terrain) the user chose for
// each Condor landscape. Two text files in the current folder:
// - "Tarvex_maps.txt" (XCSoar), entry lines "landscape=map";
// - "Tarvex_LK8000_maps.txt" (LK8000), entry lines "landscape=map,terrain".
// Lines beginning with "#" are comments. The landscape is the key of a line
// (split at its first "=", else ":"), compared with rd_fpl_2.landscape exactly:
// case counts, trailing blanks do not.

inline constexpr std::string_view kXcsoarMapList = "Tarvex_maps.txt";
inline constexpr std::string_view kLk8000MapList = "Tarvex_LK8000_maps.txt";

// Looks the landscape up in the XCSoar list. True when an entry exists;
// tarvex_c.mapname then holds its value, else it is blank. A missing or
// unreadable list gives false.
bool find_xcsoar_map();

// Looks the landscape up in the LK8000 list. mapname is blanked first; on a
// match it takes the first comma item of the value and terrainname the second
// (blank when the value has no comma). Without a match terrainname keeps its
// value.
bool find_lk8000_map();

// Records the landscape's map `mmm` (and terrain `ttt`, LK8000 only) in the
// list of the target the switches ask for now (target_asked_for): the XCSoar
// list for XCSoar, the LK8000 list for LK8000, nothing for another target or
// none. A new list starts with its header; an existing one is read whole, its
// bytes as read written to its name followed by ".bak", and it is rewritten,
// as a whole write, without the landscape's former entry, the new entry last.
// Failures are shown, logged and noted as files not written
// (unwritten_files.h); the list then keeps its old bytes, and a list that
// could not be read whole or backed up is not rewritten.
void write_map_list(std::string_view mmm, std::string_view ttt);

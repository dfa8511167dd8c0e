#pragma once

#include <string>
#include <string_view>
#include <vector>

// The XCSoar and LK8000 profiles (.prf): key=value lines. The writers set the
// few keys that make the flight software load this task's airspace, turnpoints,
// map (and terrain) and, for XCSoar, polar and start speed, and keep every
// other line as it is. Only keys the profile already has are set; none is
// added. XCSoar 7.44 and later keep the airspace and waypoint files in the
// list keys "AirspaceFileList" and "WPFileList" (entries joined by "|"),
// earlier versions and LK8000 in "AirspaceFile" and "WPFile": an XCSoar
// profile gets the first entry of each list it holds set to the value of the
// single key, its other entries (the pilot's additional files) kept as they
// are; a profile holding both forms gets both.
//
// Road of one update: the landscape's map comes from the map list (or, when it
// has none or tarvex01.qmapalways is set, from an open-file dialog, the choice
// being recorded in the list); the profile is read whole (the software's
// default profile when it does not exist yet), its bytes as read written to
// its name followed by ".bak", and it is rewritten from memory as a whole
// write (the file keeps its old bytes when anything fails). A profile whose
// backup cannot be written is not rewritten. A set line is the key, "=" and
// the value between double quotes, the value in UTF-8 (both programs read
// their profiles as UTF-8); other lines are written back with their bytes as
// read, trailing blanks removed. Failures are shown and logged, in French when
// cmndta001.qfr is set; a profile not written is noted (unwritten_files.h),
// the reason it was not (no default profile, a read error) as its cause.

// Status of an update without a profile to start from (neither the profile
// nor the default profile could be read).
inline constexpr int kProfileNotRead = 999;

// XCSoar 7.45 keeps its profiles, "default.prf" among them, in the folder
// "profiles" of its data folder, earlier versions at the data folder's root.
// Both are looked for as XCSoar 7.45 looks for them: in the profiles folder
// first, then at the root (each name matched as the file layer matches it,
// without regard to case).

inline constexpr std::string_view kXcsoarDefaultProfile = "default.prf";

// Where XCSoar 7.45 looks for the profile `name` of the data folder `root`,
// in its order: the profiles folder, then the root.
std::vector<std::string> xcsoar_profile_places(std::string_view root, std::string_view name);

// The default profile of the XCSoar data folder `root`: where it is found;
// at the root when it is in neither place.
std::string xcsoar_default_profile(std::string_view root);

// The XCSoar profile `name` of the data folder `root`: where it is found, so
// that it is rewritten (and backed up) there; a profile in neither place is
// made beside the default profile (at the root when there is none).
std::string xcsoar_profile_file(std::string_view root, std::string_view name);

// The LK8000 default profile of the configuration folder `dest`.
std::string lk8000_default_profile(std::string_view dest);

// Updates the XCSoar profile `prffile`; the default profile is
// "default.prf" of tarvex_c.xcsoar_root, looked for in both places (a
// missing one names both). `oafile` is the airspace file of the task (its file
// name is used). `selpol` receives the polar set in the PlanePath line, from
// after its first "\" (for example "Polars\LS8-FXB.xcp"); it is left as it is
// when the profile has no PlanePath line or the task names no glider (whose
// PlanePath line then stays as it was). iosp: 0 written, kProfileNotRead, or
// the status of the failing backup, open, write, flush or rename.
void write_prf(std::string_view prffile, std::string_view oafile, std::string& selpol, int& iosp);

// Updates the LK8000 profile `prffile`; the default profile is
// "DEFAULT_PROFILE.prf" in `dest`. `map_dir` is where the map and terrain
// dialogs start. iosp as for write_prf.
void write_prf_lk8000(std::string_view prffile, std::string_view dest, std::string_view oafile,
                      std::string_view map_dir, int& iosp);

#pragma once

#include <array>
#include <string>
#include <vector>

#include "foundation/geometry.h"

// The shared airspace records: the class table and file names, the zone limits
// of the in-memory model, the working window, the switches, and the
// reachability-rectangle table of the window test. The airspace reader, the
// selection and the penalty-zone writer read and fill them; the driver sets
// the file names and the switches it uses.
//
// Positions are metres of the landscape's local frame (x grows to the west, y
// to the north). Tables keep their index ranges: classes 0..19, zones from 0,
// rows of as_lim 1..13 (element 0 unused), rectangles 1..50 on each axis.

// Number of airspace classes (indices 0..19).
inline constexpr int kAirspaceClasses = 20;
// Capacity of a class name of typ0.
inline constexpr std::size_t kClassNameCapacity = 5;

// Class indices the code refers to by name.
inline constexpr int kClassG = 6;
inline constexpr int kClassP = 7;
inline constexpr int kClassGsec = 10;
inline constexpr int kClassGp = 11;
inline constexpr int kClassUnc = 13;

// Room the conversion gives the reader: zones and points.
inline constexpr int kConversionMaxZones = 5000;
inline constexpr int kConversionMaxPoints = 50000;

// Rows 1..13 of the zone limits of one zone.
inline constexpr int kLimitRows = 13;
inline constexpr int kLimXmin = 1;
inline constexpr int kLimXmax = 2;
inline constexpr int kLimYmin = 3;
inline constexpr int kLimYmax = 4;
inline constexpr int kLimFloor = 5;         // metres, negative = above ground
inline constexpr int kLimCeiling = 6;       // metres, negative = above ground
inline constexpr int kLimDx = 7;            // raster cell width
inline constexpr int kLimDxInv = 8;         // its reciprocal (0 for a zone of no width)
inline constexpr int kLimDy = 9;            // raster cell height
inline constexpr int kLimDyInv = 10;        // its reciprocal (0 for a zone of no height)
inline constexpr int kLimCentreX = 11;
inline constexpr int kLimCentreY = 12;
inline constexpr int kLimHalfDiagonal = 13;
// The limits of one zone, [row 1..13], element 0 unused.
using AirspaceLimits = std::array<float, kLimitRows + 1>;

// Raster memory budget, MiB: the default, and the range accepted.
inline constexpr int kDefaultRasterMegabytes = 64;
inline constexpr int kLeastRasterMegabytes = 1;
inline constexpr int kMostRasterMegabytes = 4096;

// Reachability rectangles 1..50 on each axis.
inline constexpr int kRectSlots = 50;

// One zone of the caller's zone table: its class index and the indices of its
// first and last points in the point table.
struct AirspaceZone {
    int typ = 0;
    int first = 0;
    int last = 0;
};

// Pen of a class: style, width, red, green, blue (an SP line).
using AirspacePen = std::array<int, 5>;
// Brush of a class: red, green, blue (an SB line).
using AirspaceBrush = std::array<int, 3>;
using AirspacePens = std::array<AirspacePen, kAirspaceClasses>;
using AirspaceBrushes = std::array<AirspaceBrush, kAirspaceClasses>;

// The status of a filtered copy that was not made (filtered_copy_status).
inline constexpr int kFilteredCopyNotWritten = -1;

// Class table and file names.
struct As000c {
    std::array<std::string, kAirspaceClasses> typ0 = {
        "A", "B", "C", "D", "E", "F", "G", "P", "Q", "R", "GSEC", "GP", "CTR", "UNC", "", "", "", "", "", ""};
    std::string aspfile;      // the airspace text to read (256 characters)
    std::string new_aspfile;  // the filtered copy (256)
    std::string asp_d_file;   // the zone list of the filtered copy (256)
    // What the last read_airspace did with new_aspfile (filtered_copy_status).
    int new_aspfile_status = kFilteredCopyNotWritten;
};

// Zone limits of the in-memory model.
struct As0001 {
    // [zone][row 1..13]: x min, x max, y min, y max (the box clipped to the
    // working window), floor, ceiling, cell width, its reciprocal, cell
    // height, its reciprocal, centre x, centre y, half diagonal. A load makes
    // room for as many zones as its zone table holds (maxzon).
    std::vector<AirspaceLimits> as_lim;
    std::array<bool, kAirspaceClasses> qseltyp{};  // class selected
    int nb_zon = 0;                                // zones held in memory
    int as_gridsize = 0;
};

// Working window and proximity thresholds.
struct As0002 {
    float as_xmin = 0.0f;
    float as_xmax = 0.0f;
    float as_ymin = 0.0f;
    float as_ymax = 0.0f;
    float as_ver_near = 0.0f;
    float as_hor_near = 0.0f;
    float as_near_fact = 0.0f;
};

// Switches.
struct As0003 {
    bool qcheckas = false;
    bool qcheckas_trj = false;
    bool qwriteas = false;          // filter mode: write the filtered copy
    bool qshowas_act = false;
    bool qshowas = false;
    bool qexpas = false;            // write a list file of the kept names
    bool qshow_unreach_as = false;
    bool qdupas = false;            // leave the flight-plan lines out of the notice header
    bool qdupdone = false;
    bool qchk_posas = false;
    int as_maxmeg = kDefaultRasterMegabytes;  // raster memory budget, MiB (1..4096)
    bool qdeldup = true;            // delete dropped zones from the copy instead of commenting them
    bool qcnvalt = false;           // names show converted altitudes
    bool qcoarsedist = false;       // point-thinning tolerance grows away from the window
    bool qcropas = true;            // keep only zones touching the working window
    bool qlistas = false;           // the enabled zones come from a list file
    // A load with nav >= 1 leaves the raster to its caller, who builds it
    // once the model is in its own frame (the terrain code's grid frame).
    bool qraster_by_caller = false;
};

// Reachability rectangles of the map-overlap check.
struct Trn002 {
    float altmax = 0.0f;
    float dx_rect = 0.0f;   // rectangle size along x, m
    float dy_rect = 0.0f;   // along y
    // Origin of the rectangles: the reach extents' xmin_r, ymin_r (trn001)
    // when they were built, which the terrain grid's cells move afterwards.
    float xorg_rect = 0.0f;
    float yorg_rect = 0.0f;
    // [i 1..50][j 1..50], element 0 of each axis unused.
    std::array<std::array<bool, kRectSlots + 1>, kRectSlots + 1> qrect{};
    int nx_rect = 0;        // rectangles in use along x
    int ny_rect = 0;        // along y
    bool qshow_unreach = false;
};

extern As000c as000c;
extern As0001 as0001;
extern As0002 as0002;
extern As0003 as0003;
extern Trn002 trn002;

void reset_as000c();
void reset_as0001();
void reset_as0002();
void reset_as0003();
void reset_trn002();
// Every airspace record.
void reset_airspace_records();

#pragma once

#include <string>

#include "airspace/zone_raster.h"

namespace airspace_test {

// Checks of the in-memory model's raster (airspace_mod, as0001.as_lim)
// against geometry computed here, independently of the program's tests.

// What a check of every zone of the model found.
struct OracleReport {
    long long samples = 0;        // points tested
    long long decided = 0;        // of them, cells whose corners all lie clear of the ring
    long long mismatches = 0;     // cells whose code disagrees with the corners
    long long border_cells = 0;
    long long segments_off = 0;   // border cells whose segment does not reach the cell
    std::string first_mismatch;   // zone, cell and codes of the first mismatch
};

// For `per_zone` random points in each zone's box: the cell that holds the
// point, whose code must be that of its four corners tested by even-odd ray
// casting in double precision (corners closer than a millimetre to the ring
// are undecided and skipped). Every border cell's segment must reach the
// cell (within a millimetre).
OracleReport check_raster(int per_zone, unsigned seed);

// True when the raster built from the model with `fill` is the one the
// model holds now, cell for cell (codes and segments, the sizes too).
bool raster_equals_rebuilt(NodeFill fill);

}  // namespace airspace_test

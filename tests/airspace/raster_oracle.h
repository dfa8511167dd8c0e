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
    long long border_cells = 0;   // cells of codes 1..5
    long long segments_off = 0;   // cells of codes 1..4 whose segment does not reach the cell, or not alone
    long long outline_missed = 0; // cells of codes 0 and -1 that the ring reaches
    long long ring_far = 0;       // cells of code 5 that the ring does not come near
    std::string first_mismatch;   // zone, cell and codes of the first fault
};

// For `per_zone` random points in each zone's box, the cell that holds the
// point: a cell that the ring reaches (within a millimetre) has code 1..5,
// one that it does not reach code 0 or -1; codes 0, -1 and 1..4 must be
// those of its four corners tested by even-odd ray casting in double
// precision (corners closer than a millimetre to the ring are undecided and
// skipped); a cell of codes 1..4 is reached by its segment alone, and holds
// no ring point; a cell of code 5 lies within a 32nd of a cell and a metre
// of the ring.
OracleReport check_raster(int per_zone, unsigned seed);

// True when the raster built from the model with `fill` is the one the
// model holds now, cell for cell (codes and segments, the sizes too).
bool raster_equals_rebuilt(NodeFill fill);

}  // namespace airspace_test

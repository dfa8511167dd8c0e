#pragma once

// Loading a landscape's terrain heights from its Condor terrain file (".trn"):
// the 36-byte header (foundation/terrain_headers.h) followed by columns x rows
// unsigned 16-bit little-endian heights in metres, stored column by column
// from the east column, each column from south to north, with 90 m steps.

#include <cstdint>
#include <string_view>

// Statuses of read_trn_heights besides 0 (loaded), the open or read status of
// the file (an errno value) and the header statuses kHeaderEnd and
// kHeaderBadValue (also given for a header of no columns or no rows).
inline constexpr int kTrnNotNinety = 9001;     // a grid step is not 90 m
inline constexpr int kTrnShortBody = 9002;     // the heights end before the grid does
inline constexpr int kTrnSizeMismatch = 9003;  // bytes follow the heights

// How far a grid step may lie from 90 m, metres.
inline constexpr float kTrnStepTolerance = 1.0e-3f;

// Bytes of a terrain file of columns x rows heights.
std::uint64_t trn_file_size(std::uint64_t columns, std::uint64_t rows);

// Reads the heights of the terrain file `fich` into altitude.zp and sets the
// grid of record trn001: ni_00 = columns, nj_00 = rows, i_00 = j_00 = 1 (the
// whole grid; ni_scn, nj_scn the same),
// rew, rns = the magnitudes of the column and row steps, dxy = 90, and
// x_scn_mx, y_scn_mx = the frame's width and height as the header gives them.
// Column c of the file (from 0, the east column) is grid column
// columns - c (the grid frame runs from the west edge), its k-th height row
// k + 1. A file that cannot be read, a header that describes no grid, steps
// that are not 90 m (within 1e-3 m in magnitude), or a file size other than
// the header's 36 bytes plus 2 bytes a height is refused with an error message
// and a status other than 0, the grid and trn001 keeping what they held; the
// file is never read past its end. The heights are read into the grid's own
// memory when it already has the file's size; should the file shrink or fail
// while being read, the grid is emptied (ni_00 = nj_00 = 0, ni_scn = nj_scn =
// 0), with its message.
void read_trn_heights(std::string_view fich, int& status);

#pragma once

#include "airspace/zone_raster.h"

// The coverage raster of every zone of the in-memory model (zones 0 ..
// nbzon - 1 of airspace_mod, limits as0001.as_lim rows 1-4), built after
// copy_to_local.
//
// Cells start 30 m wide; when the cells of all zones would take more than the
// budget as0003.as_maxmeg MiB at 4 bytes a cell (so 262,144 cells a MiB), the
// cell size grows by the factor needed plus 0.1 % until they fit. Every zone
// keeps at least 2 x 2 cells. A zone's cells are its box's width and height
// divided by the cell size, rounded to the nearest whole number; dx and dy
// are the box's sides divided by them. A zone of no width or no height keeps
// its two cells on that axis, of size 0, with a reciprocal of 0.
//
// The cell size is logged ("Airspace grid size: " and the metres); above
// 100 m it is a warning that tells how much memory 100 m cells would take
// (with peldbg00.qdis_wrn set, the log only).
//
// Fills airspace_mod.as_gr_dim, as_gr (cells 1 .. cells of all zones, then 128
// spare cells, which stay outside), as_inreachrect (false) and rows 7-13 of
// as_lim (cell width, its reciprocal, cell height, its reciprocal, centre x,
// centre y, half diagonal). The raster really takes 5 bytes a cell (a 1-byte
// code and a 4-byte segment index), at most 1.25 x the budget.
//
// Result 1 built; 0 when the budget is not valid (raster_budget_valid) or
// too small for 2 x 2 cells a zone: reported, nothing built. A table that
// cannot be created is reported and the run stops (exit code 1).
int airspace_grid(int nbzon, NodeFill fill = NodeFill::scanline);

// True when as0003.as_maxmeg lies within 1 .. 4096 MiB; otherwise reports it
// (an error) and returns false.
bool raster_budget_valid();

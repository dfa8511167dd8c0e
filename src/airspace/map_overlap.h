#pragma once

// Checks whether a flight, and the area reachable from it in a glide, fit
// inside the terrain map, and sets up the extents the terrain code works on.
//
// The flight is the recorded track (loca02.ntot points of
// pelloran_mod.ppsec: x, y, height used as glide reach with the glide ratio
// loca00.fcalc) or, in navigation mode (pelrn00.qnav), the task's turnpoint
// box. When it runs over an edge of the frame (trn001.x_scn_mx, y_scn_mx) the
// user is asked, in a yes/no box titled "Tarvex" that names loca_c.infile and
// the edges (E, W, S, N), whether topographic data should be downloaded.
// Otherwise it sets:
// - trn001: the track extents xmin .. ymax and heights zmin, zmax, zmoy; the
//   reach extents xmin_r .. ymax_r (navigation: the box widened by the
//   largest of half its width, half its height and 45 m x pelrn00.nrcdim0,
//   held within 25 .. 100 km; a track: every point widened by its glide
//   reach; map generation, pelrn02.qgenmap or qgentrn: the whole frame),
//   cut back to the frame with an information message when they run over it;
// - the working window as0002 (navigation: the box widened by the largest of
//   those and 25 km, at most pelrn00.maxtaskmargin km; a track: the reach
//   extents, or the whole frame with as0003.qshow_unreach_as);
// - the reachability rectangles trn002 (about 30 along the longer side; all
//   flagged in navigation mode, else those within a glide of a track point),
//   with the origin they are built on (the reach extents' minimum before
//   the grid's cells move them);
// - the terrain grid cells i_00, j_00, ni_00, nj_00 over the reach extents
//   (grid steps rew, rns; ni_scn x nj_scn cells), numbered as the terrain
//   code numbers them: columns from the frame's west edge (the grid frame
//   xg = x_scn_mx - x), rows from its south edge; the counts made multiples
//   of 64 that hold the cells asked for: raised to the next multiple, the
//   range shifted back to end at the grid's last cell when it runs over;
//   only a grid narrower than the raised count lowers it to the multiple
//   below, from the first cell asked for (a grid narrower than 64 cells gets
//   a count of 0). The start stays a cell of the grid. The reach extents
//   follow the cells. The terrain code takes the heights of that window
//   with window_trn_heights (terrain/trn_heights.h).
//
// Result: 1 when the check ran to its end; after the question -1 when the
// user answered yes, 0 otherwise. 0 also, after an error message, when there
// is nothing to check: no track point (outside navigation mode and map
// generation), no turnpoint (navigation), or no terrain grid (steps or cell
// counts not set). Messages go to the console with cmndta001.qline or
// pelrn02.qbatch.
int map_overlap();

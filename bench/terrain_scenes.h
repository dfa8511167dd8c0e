#pragma once

// Deterministic terrain scenes of the reachability benchmarks and tests:
// alpine relief (sharp ridges 2 to 4 km apart, valleys near 600 m, crests up
// to about 3000 m) and rolling relief (hills of 0 to 750 m). Heights are
// whole metres, as in a Condor terrain file, and the same on every run.

#include <cstdint>

#include "terrain/terrain_grid.h"

namespace terrain_scenes {

enum class Relief { alpine, rolling };

// The height of cell (i, j) (from 1) of a scene.
float scene_height(Relief relief, int i, int j);

// altitude.zp = the scene on ni x nj cells of 90 m, trn001's grid members
// set to match (origin cell 1, 1) and the frame as wide and high as the grid.
void set_scene(Relief relief, int ni, int nj);

// A 64-bit FNV-1a hash of a computation's result: every cell's state, centre
// and arrival altitude (their bits), and its connection code.
std::uint64_t reach_hash(const CellTable<GlidePoint>& ppp_rch, const CellTable<int>& n_rch,
                         const CellTable<int>& l_connect);

}  // namespace terrain_scenes

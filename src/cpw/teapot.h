#pragma once

// The teapot: Newell's 32 bicubic Bezier patches, built from the profiles
// of its parts (rim, body, lid and bottom are surfaces of revolution made of
// four quarter patches; handle and spout are tubes made of a patch and its
// mirror image). Coordinates as in the original data: z up, the bottom at
// z = 0, the spout towards +x.

#include <array>

inline constexpr int cpw_teapot_patchcount = 32;

// Control points [v][u][x, y, z].
using CpwTeapotPatch = std::array<std::array<std::array<float, 3>, 4>, 4>;

const std::array<CpwTeapotPatch, cpw_teapot_patchcount>& cpw_teapot_patches();

// Draws the teapot with GL evaluators, `grid` steps each way per patch, as
// lines or filled, its top up (+y), the middle of its height at the origin,
// scaled by size / 2 (size 1: about 3.3 units from spout to handle).
void cpw_teapot_draw(float size, int grid, bool solid);

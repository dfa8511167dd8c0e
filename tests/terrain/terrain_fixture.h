#pragma once

#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

#include "foundation/run_stop.h"
#include "support/temp_dir.h"
#include "terrain/terrain_grid.h"

namespace terrain_test {

// A clean run for the terrain code: its records, trn001 and the message
// records at their start values, traces off, the current folder a fresh
// temporary one, message boxes recorded in `boxes_`; a stop of the run
// throws RunStopped.
class TerrainTest : public ::testing::Test {
protected:
    TerrainTest();
    ~TerrainTest() override;

    // altitude.zp = height(i, j) on a grid of ni x nj cells of 90 m with
    // origin cell (1, 1), the grid members of trn001 set to match and the
    // frame as wide and high as the grid.
    static void set_grid(int ni, int nj, const std::function<float(int, int)>& height);

    tarvex_test::TempDir dir_{"terrain"};
    tarvex_test::ScopedCwd cwd_{dir_.path()};
    std::vector<std::string> boxes_;
};

// Grid-frame coordinate of the centre of cell k (origin cell 1).
inline float centre(int k) { return 90.0f * static_cast<float>(k - 1) + 45.0f; }

// Seeded integer heights 0..range-1 (a small linear congruential mix of the
// cell and the seed), the same on every machine.
float noise_height(int i, int j, unsigned seed, unsigned range = 1000);

// An OpenAir "DP" line (with its line end) of the point (x, y) of the
// landscape frame.
std::string openair_dp(float x, float y);

}  // namespace terrain_test

#pragma once

// Reachability computations for the tests: the glide settings (safety height
// 150 m, glide ratio 35, air speed 25 m/s), passes and driver state reset, a
// fixed reach clock, and an independent check of the results.

#include <cstdint>
#include <string>
#include <vector>

#include "terrain/reach_passes.h"
#include "terrain_fixture.h"

namespace terrain_test {

inline constexpr float kSafety = 150.0f;
inline constexpr float kGlideRatio = 35.0f;

class ReachTest : public TerrainTest {
protected:
    ReachTest();
    ~ReachTest() override;

    // A new computation and its first pass, then the second pass, from the
    // grid-frame start (xg, yg) at altitude z0 and time t0 on a reach grid
    // of n x n cells. nex1 and nex2: what each pass reached.
    void run_passes(int n, int ngri, float xg, float yg, float z0, float t0 = 0.0f);

    // Reach cell (ii, jj)'s centre in the grid frame.
    float cell_x(int ii) const;
    float cell_y(int jj) const;

    int n_ = 0;
    CellTable<GlidePoint> ppp_;
    CellTable<int> state_;
    int nex1_ = 0;
    int nex2_ = 0;
    float xdcnt_ = 0.0f;
    float ydcnt_ = 0.0f;
};

// The independent check, in double precision with its own bilinear ground and
// wind factor (wind as the glide settings give it).
struct GlideCheck {
    float xs = 0.0f;  // the start, grid frame
    float ys = 0.0f;
    float zs = 0.0f;
    double tolerance = 0.0;  // metres the ground may come above the safety height

    // The ground under the grid-frame point, by the terrain heights.
    static double ground(double x, double y);
    // Height lost flying from (x1, y1) to (x2, y2).
    static double loss(double x1, double y1, double x2, double y2);
    // The least height over the ground, sampled every 10 m, of the straight
    // glide from (x1, y1) at altitude z1 to (x2, y2), losing height as it goes.
    static double least_clearance(double x1, double y1, double z1, double x2, double y2);
    // The largest rise of the terrain from one cell to a neighbouring one.
    static double steepest_slope();

    // Whether the path recorded for reach cell (ii, jj) by l_connect back to
    // the start clears the ground by the safety height (less the tolerance)
    // on every leg; `why` says where it does not. A cell filled between
    // computed cells (its value comes from its corners, not from a glide)
    // ends the path.
    bool path_clears(int ii, int jj, const CellTable<GlidePoint>& ppp, const CellTable<int>& state,
                     std::string& why) const;
};

}  // namespace terrain_test

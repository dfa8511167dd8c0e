// Runs reachability computations on a fixed alpine scene with the number of
// threads given as its argument and prints what they computed:
//   threads <threads used> passes <hash> driver <hash> step3 <hash>
//   driver6 <hash> step <final step>
// the hashes over the reach grid and its connections: after a new
// computation and both passes at step 1; after a complete driver
// computation refined from step 8 to step 1 (its clock stands still); after
// both passes at step 3, a step that is not a power of two; after a driver
// computation refined from step 6 through 3 to 1. The terrain tests run it
// once per thread count, each in a process of its own.

#include <cstdio>
#include <cstdlib>

#include "airspace/airspace_trace.h"
#include "foundation/reach_settings.h"
#include "foundation/terrain_extents.h"
#include "support/fp_traps.h"
#include "terrain/reach_clock.h"
#include "terrain/reach_driver.h"
#include "terrain/reach_passes.h"
#include "terrain/reach_records.h"
#include "terrain_scenes.h"

int main(int argc, char** argv) {
    if (argc != 2) {
        std::fprintf(stderr, "usage: tarvex_reach_hash THREADS\n");
        return 2;
    }
    tarvex_test::enable_fp_traps();
    set_airspace_trace(false);
    set_reach_clock([] { return 0.0f; });
    constexpr int kCells = 320;
    constexpr int kReach = 241;
    terrain_scenes::set_scene(terrain_scenes::Relief::alpine, kCells, kCells);
    loca00.sfty_g = 150.0f;
    loca00.fcalc_inv = 1.0f / 35.0f;
    loca00.vtrans = 25.0f;
    loca00.wnd_x = 3.0f;
    loca00.wnd_y = 4.0f;
    pelrn00.qwind = true;
    pelrn00.num_threads = std::atoi(argv[1]);
    pelrn00.min_gri = 1;
    pelrn00.max_gri = 8;
    pelrn00.qrefgri = true;
    const float x = 90.0f * kCells / 2.0f;
    const float z = 2700.0f;
    CellTable<GlidePoint> ppp;
    CellTable<int> state;
    float xdcnt = 0.0f;
    float ydcnt = 0.0f;
    // A new computation and both passes at one step.
    const auto passes_at = [&](int step) {
        int nex = kNewComputation;
        return get_reach_p(kReach, kReach, ppp, state, nex, step, trn001.x_scn_mx - x, x, z, 0.0f, 0, xdcnt, ydcnt) &&
               get_reach_p(kReach, kReach, ppp, state, nex, step, trn001.x_scn_mx - x, x, z, 0.0f, 0, xdcnt, ydcnt);
    };
    // A driver computation from a first step of `coarsest`.
    int ngri = 0;
    const auto driver_from = [&](int coarsest) {
        reset_reach_nav();
        pelrn00.max_gri = coarsest;
        int nex = 0;
        return get_reach_p_nav(kReach, kReach, ppp, state, nex, ngri, trn001.x_scn_mx - x, x, z, 0.0f, 0, xdcnt,
                               ydcnt);
    };
    const auto hash = [&] {
        return static_cast<unsigned long long>(terrain_scenes::reach_hash(ppp, state, reachable_mod.l_connect));
    };
    if (!passes_at(1)) {
        return 1;
    }
    const int used = reach_pass.threads_used;
    const auto passes = hash();
    if (!driver_from(8)) {
        return 1;
    }
    const auto driver = hash();
    if (!passes_at(3)) {
        return 1;
    }
    const auto step3 = hash();
    if (!driver_from(6)) {
        return 1;
    }
    const auto driver6 = hash();
    std::printf("threads %d passes %016llx driver %016llx step3 %016llx driver6 %016llx step %d\n", used, passes,
                driver, step3, driver6, ngri);
    return 0;
}

// Runs one reachability computation on a fixed alpine scene with the number
// of threads given as its argument and prints what it computed:
//   threads <threads used> passes <hash> driver <hash>
// the first hash over the reach grid and its connections after a new
// computation and both passes at step 1, the second after a complete driver
// computation refined from step 8 to step 1 (its clock stands still). The
// terrain tests run it once per thread count, each in a process of its own.

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
    int nex = kNewComputation;
    if (!get_reach_p(kReach, kReach, ppp, state, nex, 1, trn001.x_scn_mx - x, x, z, 0.0f, 0, xdcnt, ydcnt) ||
        !get_reach_p(kReach, kReach, ppp, state, nex, 1, trn001.x_scn_mx - x, x, z, 0.0f, 0, xdcnt, ydcnt)) {
        return 1;
    }
    const int used = reach_pass.threads_used;
    const auto passes = terrain_scenes::reach_hash(ppp, state, reachable_mod.l_connect);
    int ngri = 0;
    if (!get_reach_p_nav(kReach, kReach, ppp, state, nex, ngri, trn001.x_scn_mx - x, x, z, 0.0f, 0, xdcnt, ydcnt)) {
        return 1;
    }
    const auto driver = terrain_scenes::reach_hash(ppp, state, reachable_mod.l_connect);
    std::printf("threads %d passes %016llx driver %016llx step %d\n", used, static_cast<unsigned long long>(passes),
                static_cast<unsigned long long>(driver), ngri);
    return 0;
}

#include "terrain/reach_records.h"
#include "terrain/terrain_grid.h"

#include <string>

#include "foundation/tell.h"

Altitude altitude;
Rch001 rch001;
Rch002 rch002;
Rch003 rch003;
Posi00 posi00;
ReachableMod reachable_mod;

void reset_altitude() { altitude = Altitude{}; }
void reset_rch001() { rch001 = Rch001{}; }
void reset_rch002() { rch002 = Rch002{}; }
void reset_rch003() { rch003 = Rch003{}; }
void reset_posi00() { posi00 = Posi00{}; }
void reset_reachable_mod() { reachable_mod = ReachableMod{}; }

void reset_terrain_records() {
    reset_altitude();
    reset_rch001();
    reset_rch002();
    reset_rch003();
    reset_posi00();
    reset_reachable_mod();
    reset_reach_settings();
}

float grid_step(float member) { return member > 0.0f ? member : dxy_c; }

void cell_index_fault(int i, int j, int ni, int nj) {
    fatal_error("Terrain table index (" + std::to_string(i) + ", " + std::to_string(j) + ") outside its " +
                 std::to_string(ni) + " x " + std::to_string(nj) + " cells",
             kExitConversionFailed);
}

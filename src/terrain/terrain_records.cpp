#include "terrain/reach_records.h"
#include "terrain/terrain_grid.h"

#include <string>

#include "foundation/tell.h"
#include "foundation/terrain_extents.h"

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

bool reach_terrain_cell(int ii, int jj, int& i, int& j) {
    const long long ti = static_cast<long long>(ii) + rch001.irch_1 - 1;
    const long long tj = static_cast<long long>(jj) + rch001.jrch_1 - 1;
    if (ti < 1 || ti > trn001.ni_00 || ti > altitude.zp.ni() || tj < 1 || tj > trn001.nj_00 ||
        tj > altitude.zp.nj()) {
        return false;
    }
    i = static_cast<int>(ti);
    j = static_cast<int>(tj);
    return true;
}

float grid_step(float member) { return member > 0.0f ? member : dxy_c; }

void cell_index_fault(int i, int j, int ni, int nj) {
    fatal_error("Terrain table index (" + std::to_string(i) + ", " + std::to_string(j) + ") outside its " +
                 std::to_string(ni) + " x " + std::to_string(nj) + " cells",
             kExitConversionFailed);
}

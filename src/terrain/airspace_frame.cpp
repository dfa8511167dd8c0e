// The terrain code's take of the in-memory airspace: loaded by the reader's
// load mode in the landscape frame, converted once into the grid frame.

#include <algorithm>
#include <utility>

#include "airspace/airspace_grid.h"
#include "airspace/airspace_reader.h"
#include "airspace/load_mode.h"
#include "foundation/terrain_extents.h"
#include "terrain/airspace_proximity.h"
#include "terrain/airspace_zones.h"
#include "terrain/terrain_grid.h"

int as_grid_frame() {
    AirspaceMod& mod = airspace_mod;
    const int zones = model_zones();
    if (zones < 1) {
        return 0;
    }
    const float x_scn_mx = trn001.x_scn_mx;
    for (PlanePoint& p : mod.as_pp) {
        p.x = x_scn_mx - p.x;
    }
    for (int nz = 0; nz < zones; ++nz) {
        AirspaceLimits& lim = as0001.as_lim[static_cast<std::size_t>(nz)];
        const float xmin = x_scn_mx - lim[kLimXmax];
        const float xmax = x_scn_mx - lim[kLimXmin];
        lim[kLimXmin] = xmin;
        lim[kLimXmax] = xmax;
    }
    mod.as_possible.assign(static_cast<std::size_t>(mxthrds) + 1, std::vector<bool>(static_cast<std::size_t>(zones), false));
    if (!mod.as_gr_dim.empty()) {
        return airspace_grid(zones);
    }
    return 1;
}

namespace {

// Holds the load's raster back for the time of one read.
class RasterByCaller {
public:
    RasterByCaller() : before_(as0003.qraster_by_caller) { as0003.qraster_by_caller = true; }
    ~RasterByCaller() { as0003.qraster_by_caller = before_; }
    RasterByCaller(const RasterByCaller&) = delete;
    RasterByCaller& operator=(const RasterByCaller&) = delete;

private:
    bool before_;
};

}  // namespace

int read_airspace_grid(int nav, AirspacePens& sp, AirspaceBrushes& sb, int& nbzon, std::span<AirspaceZone> zon,
                       std::span<PlanePoint> pp, int maxzon, int maxpts) {
    as0003.qwriteas = false;
    int result = 0;
    {
        // The raster is built once, in the grid frame: a raster of the
        // landscape frame would be thrown away, its memory warning told twice.
        const RasterByCaller held;
        result = read_airspace(nav, sp, sb, nbzon, zon, pp, maxzon, maxpts);
    }
    if (result != 1) {
        return result;
    }
    if (as_grid_frame() != 1) {
        return 0;
    }
    if (nav >= 1 && airspace_grid(model_zones()) != 1) {
        release_airspace_model();
        nbzon = 0;
        return 0;
    }
    return 1;
}

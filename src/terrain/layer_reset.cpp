#include "terrain/layer_reset.h"

#include "airspace/layer_reset.h"
#include "terrain/reach_driver.h"
#include "terrain/reach_passes.h"
#include "terrain/reach_records.h"

void reset_terrain_layer() {
    reset_airspace_layer();
    reset_terrain_records();
    reset_reach_pass();
    reset_reach_nav();
}

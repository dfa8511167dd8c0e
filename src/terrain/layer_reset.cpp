#include "terrain/layer_reset.h"

#include "airspace/layer_reset.h"
#include "terrain/reach_records.h"

void reset_terrain_layer() {
    reset_airspace_layer();
    reset_terrain_records();
}

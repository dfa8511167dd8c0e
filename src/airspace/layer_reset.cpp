#include "airspace/layer_reset.h"

#include "airspace/airspace_mod.h"
#include "airspace/airspace_records.h"
#include "taskfiles/layer_reset.h"

void reset_airspace_layer() {
    reset_taskfiles_layer();
    reset_airspace_records();
    reset_airspace_mod();
}

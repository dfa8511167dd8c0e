#include "taskfiles/layer_reset.h"

#include "foundation/layer_reset.h"
#include "taskfiles/landscape_records.h"
#include "taskfiles/task_model.h"

void reset_taskfiles_layer() {
    reset_foundation_layer();
    reset_task_model();
    reset_landscape_records();
}

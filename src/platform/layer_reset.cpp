#include "platform/layer_reset.h"

#include "platform/dialogs.h"
#include "platform/file_faults.h"

void reset_platform_layer() {
    reset_tinyfd();
    disarm_file_fault();
}

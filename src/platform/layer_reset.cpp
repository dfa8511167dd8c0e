#include "platform/layer_reset.h"

#include "platform/dialogs.h"
#include "platform/file_faults.h"
#include "platform/wine_hive.h"

void reset_platform_layer() {
    reset_tinyfd();
    disarm_file_fault();
    forget_kept_hives();
}

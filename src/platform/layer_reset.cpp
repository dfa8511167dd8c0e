#include "platform/layer_reset.h"

#include "platform/dialogs.h"
#include "platform/wine_hive.h"

void reset_platform_layer() {
    reset_tinyfd();
    forget_kept_hives();
}

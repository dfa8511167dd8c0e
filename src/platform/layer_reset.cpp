#include "platform/layer_reset.h"

#include "platform/dialogs.h"

void reset_platform_layer() { reset_tinyfd(); }

#include "forms/kit/layer_reset.h"

#include "forms/kit/engine_hotkeys.h"
#include "forms/kit/engine_tables.h"
#include "forms/kit/form_model.h"
#include "foundation/layer_reset.h"

void reset_forms_kit_layer() {
    reset_foundation_layer();
    reset_form_model();
    reset_engine();
    reset_key_modifiers();
}

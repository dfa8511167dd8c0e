#include "forms/program/layer_reset.h"

#include "driver/layer_reset.h"
#include "forms/kit/layer_reset.h"
#include "forms/program/field_maps.h"
#include "forms/program/field_rules.h"
#include "forms/program/form_plan.h"
#include "forms/program/held_form.h"
#include "forms/program/proposed_names.h"

void reset_forms_layer() {
    reset_all_records();
    reset_forms_kit_layer();
    reset_stpfrm();
    reset_tvxfrm_m();
    reset_stpfrm_m();
    reset_form_plan();
    reset_condor3_lock();
    reset_seeyou_input_hold();
    reset_proposed_names();
    reset_held_form();
}

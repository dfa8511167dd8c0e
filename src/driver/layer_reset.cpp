#include "driver/layer_reset.h"

#include "airspace/layer_reset.h"
#include "driver/command_line.h"
#include "driver/forms_gui.h"

void reset_all_records() {
    reset_airspace_layer();
    reset_tvxfrm();
    set_command_line({});
}

// The one check of a task's positions before the landscape matching and the
// writers: a point that is not a real place on the earth ends the run.
#include "driver/conversion.h"

#include "foundation/fixed_text.h"
#include "foundation/option_records.h"
#include "foundation/run_stop.h"
#include "foundation/tell.h"
#include "taskfiles/task_checks.h"

#include <string>

void check_task_positions() {
    const std::string point = point_off_the_earth();
    if (point.empty()) {
        return;
    }
    fatal_error("*** " + trim_right(tarvex_c.infile) + " : " + point +
                    in_user_language(" : not a position on the earth (latitude within \xB1" "90, longitude within "
                                     "\xB1" "180) ***",
                                     " : pas une position sur la Terre (latitude entre \xB1" "90, longitude entre "
                                     "\xB1" "180) ***"),
                kExitConversionFailed);
}

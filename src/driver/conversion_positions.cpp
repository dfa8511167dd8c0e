// The checks of a task's positions before the writers: a point that is not a
// real place on the earth, or a SeeYou task's point that has no position,
// ends the run.
#include "driver/conversion.h"

#include "foundation/fixed_text.h"
#include "foundation/option_records.h"
#include "foundation/output_targets.h"
#include "foundation/run_stop.h"
#include "foundation/tell.h"
#include "taskfiles/task_checks.h"

#include <string>

void check_task_positions() {
    const std::string point = point_off_the_earth();
    if (point.empty()) {
        return;
    }
    fatal_error("*** " + slashes_kept(trim_right(tarvex_c.infile)) + " : " + point +
                    in_user_language(" : not a position on the earth (latitude within \xB1" "90, longitude within "
                                     "\xB1" "180) ***",
                                     " : pas une position sur la Terre (latitude entre \xB1" "90, longitude entre "
                                     "\xB1" "180) ***"),
                kExitConversionFailed);
}

void check_task_points_placed() {
    if (!tarvex01.qcup_in) {
        return;
    }
    // A SeeYou task exported as read writes no takeoff.
    const std::string point = seeyou_point_without_position(!chosen_target().seeyou_task_as_read);
    if (point.empty()) {
        return;
    }
    fatal_error("*** " + slashes_kept(trim_right(tarvex_c.infile)) + " : " + point +
                    in_user_language(" : no waypoint of the file gives its position ***",
                                     " : aucun point du fichier ne donne sa position ***"),
                kExitConversionFailed);
}

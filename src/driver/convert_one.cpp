#include "driver/convert_one.h"

#include "driver/conversion.h"
#include "driver/fpl_preread.h"
#include "driver/input_choice.h"
#include "driver/input_kind.h"
#include "driver/installation_lock.h"
#include "driver/task_summary_text.h"
#include "foundation/option_records.h"
#include "foundation/run_stop.h"
#include "foundation/unwritten_files.h"

int convert_one(RunState& run) {
    Conversion conversion;
    keep_form_task_rules(conversion);
    choose_target();
    name_output();
    mark_output_tree_and_aat();
    if (tarvex01.qwait) {
        wait_for_input(run.t_start);
        // Condor's own flight plan replaces the named input.
        tarvex01.qcup_in = input_kind(tarvex_c.infile) == InputKind::seeyou_task;
    }
    // From the plan's reading to the end, one conversion at a time.
    const InstallationHold hold = hold_installation_lock();
    read_input();
    check_plan_version(run);
    apply_form_task_rules(conversion);
    settle_aat_and_map();
    define_units();
    set_output_names(conversion);
    set_up_landscape(conversion);
    check_task_positions();
    match_landscape(conversion, run);
    check_task_points_placed();
    check_finish_altitude();
    refuse_outputs_read(conversion, run);
    find_airspace_list();
    // The files of the conversion are flushed to the disk together, once
    // written (platform/write_batch.h).
    const WriteBatch batch;
    if (!write_target_task(conversion)) {
        // A JSON export ends with its file.
        settle_written_files(conversion);
        return any_file_unwritten() ? kExitConversionFailed : kExitSuccess;
    }
    write_task_airspace(conversion);
    update_profile(conversion);
    check_aat_areas();
    if (tarvex01.qtskwrn || run.summary_name_length > 0) {
        conversion.summary = task_summary_text();
        conversion.summary_built = true;
    }
    compose_result(conversion);
    run_post_run_script(conversion);
    return finish_conversion(conversion, run);
}

#include "forms/program/form_plan.h"

#include "driver/fpl_preread.h"
#include "driver/input_kind.h"
#include "foundation/message_records.h"
#include "foundation/option_records.h"
#include "foundation/fixed_text.h"
#include "foundation/path_length.h"
#include "taskfiles/cup_reader.h"
#include "taskfiles/landscape_records.h"
#include "taskfiles/task_checks.h"
#include "taskfiles/task_model.h"

#include <string>
#include <tuple>

namespace {

struct FormPlan {
    TaskModelCopy run_model;  // the task model before the form read a plan
    std::string input;        // the input taken last, trimmed
    bool unreadable = false;  // the input taken last cannot be converted
    std::string refusal;      // why, when the conversion would say more than that
};

FormPlan form_plan;

// The rules of the Condor 3 lock in one copy of rd_fpl_6: the AAT flag, the
// AAT time and the maximum start speed.
auto lock_rules(RdFpl6& rules) { return std::tie(rules.qaat, rules.t_aat, rules.start_max_speed); }

}  // namespace

void keep_run_task_model() { form_plan.run_model = task_model_records(); }

void take_input_without_plan(std::string_view input) {
    form_plan.input = trim_right(input);
    form_plan.refusal.clear();
    // A path too long for a path field is never read cut.
    form_plan.unreadable = !path_fits(form_plan.input);
    task_model_records() = form_plan.run_model;
}

TakenInput take_input(std::string_view input) {
    take_input_without_plan(input);
    if (form_plan.unreadable) {
        return TakenInput::unreadable;
    }
    const std::string& name = form_plan.input;
    const InputKind kind = input_kind(name);
    if (kind == InputKind::none || name.back() == '\\') {
        return TakenInput::no_plan;
    }
    if (kind == InputKind::unknown) {
        form_plan.unreadable = true;
        return TakenInput::unreadable;
    }
    const bool seeyou = kind == InputKind::seeyou_task;
    int status = 0;
    if (seeyou) {
        read_cup(name, kMaxLandscapeWaypoints, tarvewp2, tarvewp3, tarvex01.nb_wp_file, false, cmndta001.qline, true,
                 status);
    } else {
        status = read_fpl_1(name);
    }
    const InputFault fault = input_fault(seeyou, status);
    if (fault == InputFault::none) {
        return seeyou ? TakenInput::seeyou_task : TakenInput::plan;
    }
    // A task is refused for its count, its zones or a value that is no number
    // as the conversion refuses it.
    if (fault == InputFault::too_many_turnpoints) {
        form_plan.refusal = too_many_turnpoints_text(seeyou);
    } else if (fault == InputFault::bad_zone) {
        form_plan.refusal = seeyou_zone_fault();
    } else if (fault == InputFault::value_not_given) {
        form_plan.refusal = plan_value_not_given();
    }
    task_model_records() = form_plan.run_model;
    form_plan.unreadable = true;
    return TakenInput::unreadable;
}

bool input_taken(std::string_view input) { return trim_right(input) == form_plan.input; }

bool input_unreadable(std::string_view input) { return form_plan.unreadable && input_taken(input); }

const std::string& unreadable_input_reason() { return form_plan.refusal; }

void restore_run_task_rules() { lock_rules(rd_fpl_6) = lock_rules(std::get<RdFpl6>(form_plan.run_model)); }

const RdFpl6& run_task_rules() { return std::get<RdFpl6>(form_plan.run_model); }

void with_run_task_rules(void (*write)()) {
    if (!plan_gives_task_rules()) {
        write();
        return;
    }
    RdFpl6 plan = rd_fpl_6;
    restore_run_task_rules();
    write();
    lock_rules(rd_fpl_6) = lock_rules(plan);
}

void keep_run_task_rules() {
    if (!plan_gives_task_rules()) {
        lock_rules(std::get<RdFpl6>(form_plan.run_model)) = lock_rules(rd_fpl_6);
    }
    std::get<RdFpl4>(form_plan.run_model).finishminalt = rd_fpl_4.finishminalt;
}

void reset_form_plan() { form_plan = FormPlan{}; }

#include "forms/program/form_plan.h"

#include "driver/fpl_preread.h"
#include "foundation/fixed_text.h"
#include "taskfiles/task_model.h"

#include <string>
#include <tuple>

namespace {

struct FormPlan {
    TaskModelCopy run_model;  // the task model before the form read a plan
    std::string input;        // the input taken last, trimmed
};

FormPlan form_plan;

// The rules of the Condor 3 lock in one copy of rd_fpl_6: the AAT flag, the
// AAT time and the maximum start speed.
auto lock_rules(RdFpl6& rules) { return std::tie(rules.qaat, rules.t_aat, rules.start_max_speed); }

}  // namespace

void keep_run_task_model() { form_plan.run_model = task_model_records(); }

void take_input_without_plan(std::string_view input) {
    form_plan.input = trim_right(input);
    task_model_records() = form_plan.run_model;
}

bool take_input_plan(std::string_view input) {
    take_input_without_plan(input);
    if (read_fpl_1(form_plan.input) > 0) {
        task_model_records() = form_plan.run_model;
        return false;
    }
    return true;
}

bool input_taken(std::string_view input) { return trim_right(input) == form_plan.input; }

void restore_run_task_rules() { lock_rules(rd_fpl_6) = lock_rules(std::get<RdFpl6>(form_plan.run_model)); }

const RdFpl6& run_task_rules() { return std::get<RdFpl6>(form_plan.run_model); }

void with_run_task_rules(void (*write)()) {
    if (rd_fpl_0.nvcnd != 3) {
        write();
        return;
    }
    RdFpl6 plan = rd_fpl_6;
    restore_run_task_rules();
    write();
    lock_rules(rd_fpl_6) = lock_rules(plan);
}

void keep_run_task_rules() {
    if (rd_fpl_0.nvcnd != 3) {
        lock_rules(std::get<RdFpl6>(form_plan.run_model)) = lock_rules(rd_fpl_6);
    }
    std::get<RdFpl4>(form_plan.run_model).finishminalt = rd_fpl_4.finishminalt;
}

void reset_form_plan() { form_plan = FormPlan{}; }

#include "forms/program/form_plan.h"

#include "driver/fpl_preread.h"
#include "foundation/fixed_text.h"
#include "taskfiles/task_model.h"

#include <string>

namespace {

// Every record of the task model.
struct TaskModel {
    RdFpl0 fpl_0;
    RdFpl1 fpl_1;
    RdFpl2 fpl_2;
    RdFpl4 fpl_4;
    RdFpl5 fpl_5;
    RdFpl6 fpl_6;
    RdFplWz1 fpl_wz1;
    RdFplWz2 fpl_wz2;
    Ggg001 glider_1;
    Ggg002 glider_2;
    Gggmas glider_mass;
    Gggpol glider_polar;
};

TaskModel current_model() {
    return {rd_fpl_0, rd_fpl_1, rd_fpl_2, rd_fpl_4, rd_fpl_5, rd_fpl_6,
            rd_fpl_wz1, rd_fpl_wz2, ggg001, ggg002, gggmas, gggpol};
}

void put_model(const TaskModel& model) {
    rd_fpl_0 = model.fpl_0;
    rd_fpl_1 = model.fpl_1;
    rd_fpl_2 = model.fpl_2;
    rd_fpl_4 = model.fpl_4;
    rd_fpl_5 = model.fpl_5;
    rd_fpl_6 = model.fpl_6;
    rd_fpl_wz1 = model.fpl_wz1;
    rd_fpl_wz2 = model.fpl_wz2;
    ggg001 = model.glider_1;
    ggg002 = model.glider_2;
    gggmas = model.glider_mass;
    gggpol = model.glider_polar;
}

struct FormPlan {
    TaskModel run_model;  // the task model before the form read a plan
    std::string input;    // the input taken last, trimmed
};

FormPlan form_plan;

}  // namespace

void keep_run_task_model() { form_plan.run_model = current_model(); }

void take_input_without_plan(std::string_view input) {
    form_plan.input = trim_right(input);
    put_model(form_plan.run_model);
}

bool take_input_plan(std::string_view input) {
    take_input_without_plan(input);
    if (read_fpl_1(form_plan.input) > 0) {
        put_model(form_plan.run_model);
        return false;
    }
    return true;
}

bool input_taken(std::string_view input) { return trim_right(input) == form_plan.input; }

void restore_run_task_rules() {
    rd_fpl_6.qaat = form_plan.run_model.fpl_6.qaat;
    rd_fpl_6.t_aat = form_plan.run_model.fpl_6.t_aat;
    rd_fpl_6.start_max_speed = form_plan.run_model.fpl_6.start_max_speed;
}

void reset_form_plan() { form_plan = FormPlan{}; }

#include "forms/program/held_form.h"

#include "forms/kit/form_accessors.h"
#include "forms/kit/form_model.h"
#include "forms/program/field_maps.h"
#include "forms/program/field_rules.h"
#include "forms/program/form_boxes.h"
#include "forms/program/form_plan.h"
#include "forms/program/proposed_names.h"
#include "forms/program/unit_boxes.h"
#include "foundation/fixed_text.h"
#include "platform/files.h"

#include <optional>
#include <string>
#include <vector>

namespace {

struct HeldBox {
    BoxValue value;         // as the box showed it
    bool refused = false;   // the form refuses it
    bool imperial = false;  // a number shown in feet or knots
    bool chosen = false;    // a name the pilot chose
};

// The boxes of the held conversion form, in the order of conversion_fields().
struct HeldForm {
    std::optional<std::vector<HeldBox>> boxes;
};

HeldForm held_form;

// The boxes update_files fills: their names are proposed again, unless the pilot chose them.
bool proposed_box(const FormField& field) {
    return field.box == &tvxfrm.nb__mapname || field.box == &tvxfrm.nb__terrainname ||
           field.box == &tvxfrm.nb__outfile || field.box == &tvxfrm.nb__prfnam || field.box == &tvxfrm.nb__airnam;
}

// The boxes of the task rules that the settings file and the conversion keep.
bool rule_box(const FormField& field) {
    return field.box == &tvxfrm.nb__qaat || field.box == &tvxfrm.nb__t_aat || field.box == &tvxfrm.nb__start_margin ||
           field.box == &tvxfrm.nb__finishminalt || field.box == &tvxfrm.nb__start_max_speed;
}

bool number_box(int type) { return type == kTypeInt || type == kTypeFlt; }

// Takes `input` again as the form's input, unless it is the one taken last.
void take_input_again(const std::string& input) {
    if (input_taken(input)) {
        return;
    }
    if (file_exists(input) || folder_exists(input)) {
        take_input(input);
    } else {
        take_input_without_plan(input);
    }
}

}  // namespace

void hold_conversion_form() {
    std::vector<HeldBox> boxes;
    for (const FormField& field : conversion_fields()) {
        const int n = *field.box;
        HeldBox box;
        live_value(n, box.value);
        // A number typed is read as the OK button would read it.
        if (number_box(box.value.type)) {
            frm_validate_value(n);
            live_value(n, box.value);
        }
        box.refused = frm_value_refused(n);
        box.imperial = shown_in_imperial(n, field.unit);
        box.chosen = name_chosen(n);
        boxes.push_back(box);
    }
    held_form.boxes = std::move(boxes);
}

bool conversion_form_held() { return held_form.boxes.has_value(); }

void take_held_task_rules() {
    if (!held_form.boxes) {
        return;
    }
    const auto fields = conversion_fields();
    for (std::size_t i = 0; i < fields.size(); ++i) {
        const HeldBox& box = (*held_form.boxes)[i];
        if (!rule_box(fields[i]) || box.refused) {
            continue;
        }
        BoxValue value = box.value;
        if (box.imperial) {
            value.iv = to_metric_units(box_number(value), fields[i].unit);
            value.rv = static_cast<float>(value.iv);
        }
        store_field_value(fields[i], value);
    }
    keep_run_task_rules();
}

void give_back_conversion_form() {
    if (!held_form.boxes) {
        return;
    }
    const std::vector<HeldBox> boxes = std::move(*held_form.boxes);
    held_form.boxes.reset();
    const auto fields = conversion_fields();
    for (std::size_t i = 0; i < fields.size(); ++i) {
        if (fields[i].box == &tvxfrm.nb__infile) {
            take_input_again(trim_right(boxes[i].value.cv));
        }
    }
    for (std::size_t i = 0; i < fields.size(); ++i) {
        const FormField& field = fields[i];
        const HeldBox& box = boxes[i];
        const int n = *field.box;
        if (proposed_box(field) && !box.chosen) {
            continue;
        }
        BoxValue value = box.value;
        if (!box.refused) {
            in_display_unit_now(n, field.unit, box.imperial, value);
        }
        frm_set_value(n, value.iv, value.rv, value.cv, true);
        if (box.chosen) {
            keep_chosen_name(n);
        }
        if (field.box == &tvxfrm.nb__start_max_speed) {
            held_task_rule_boxes_in_display_units(box.imperial);
        }
    }
    // Names proposed anew, none for an input that cannot be converted.
    const std::string input = live_text(tvxfrm.nb__infile);
    if (input_usable(input) || input_unreadable(input)) {
        update_files();
    } else {
        set_activity();
    }
    // A refused value is refused again, in the units shown now.
    for (std::size_t i = 0; i < fields.size(); ++i) {
        if (boxes[i].refused) {
            frm_validate_value(*fields[i].box);
        }
    }
}

void reset_held_form() { held_form = HeldForm{}; }

#include "forms/program/unit_boxes.h"

#include "forms/kit/form_accessors.h"
#include "forms/program/form_boxes.h"
#include "foundation/number_text.h"
#include "foundation/option_records.h"
#include "foundation/units.h"

#include <algorithm>
#include <cmath>

namespace {

// The integer boxes' range (the form kit's bounds of an integer box).
constexpr double kLargestWhole = 1.0e9;

double factor(FieldUnit unit) { return unit == FieldUnit::speed ? kKnotInKmh : kFootInMetres; }

int whole(double value) {
    if (!std::isfinite(value)) {
        return 0;
    }
    return static_cast<int>(std::lround(std::clamp(value, -kLargestWhole, kLargestWhole)));
}

}  // namespace

std::string label_with_unit(std::string_view label, FieldUnit unit, bool imperial) {
    const std::size_t k = label.rfind('(');
    if (k == std::string_view::npos || unit == FieldUnit::none) {
        return std::string(label);
    }
    const char* text = unit == FieldUnit::speed ? (imperial ? "(kt)" : "(km/h)") : (imperial ? "(ft)" : "(m)");
    return std::string(label.substr(0, k)) + text;
}

bool shown_in_imperial(int n, FieldUnit unit) {
    int iv = 0;
    float rv = 0.0f;
    std::string label;
    return unit != FieldUnit::none && tarvex01.nunitalt == 1 &&
           frm_get_prop(kClassInputBox, n, kPropLabel, iv, rv, label) && label.find('(') != std::string::npos;
}

double largest_shown(int n, FieldUnit unit, double metric) {
    return shown_in_imperial(n, unit) ? std::floor(metric / factor(unit)) : metric;
}

int to_imperial_units(double metric, FieldUnit unit) { return whole(metric / factor(unit)); }

int to_metric_units(double imperial, FieldUnit unit) { return whole(imperial * factor(unit)); }

void in_display_unit_now(int n, FieldUnit unit, bool was_imperial, BoxValue& value) {
    const bool imperial = shown_in_imperial(n, unit);
    if (unit == FieldUnit::none || imperial == was_imperial) {
        return;
    }
    const double metric = was_imperial ? to_metric_units(box_number(value), unit) : box_number(value);
    const int shown = imperial ? to_imperial_units(metric, unit) : whole(metric);
    value.iv = shown;
    value.rv = static_cast<float>(shown);
    value.cv = i2b(shown);
}

void show_display_units(std::span<const FormField> fields) {
    const bool imperial = tarvex01.nunitalt == 1;
    for (const FormField& field : fields) {
        if (field.unit == FieldUnit::none) {
            continue;
        }
        const int n = *field.box;
        int iv = 0;
        float rv = 0.0f;
        std::string label;
        if (!frm_get_prop(kClassInputBox, n, kPropLabel, iv, rv, label) || label.find('(') == std::string::npos) {
            continue;
        }
        frm_set_prop(kClassInputBox, n, kPropLabel, 0, 0.0f, label_with_unit(label, field.unit, imperial), true);
        BoxValue value;
        if (!live_value(n, value)) {
            continue;
        }
        if (imperial) {
            set_box_whole(n, to_imperial_units(box_number(value), field.unit));
        }
    }
}

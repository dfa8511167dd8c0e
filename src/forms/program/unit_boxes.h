#pragma once

// The conversion form's unit boxes (the finish minimum altitude, the start
// margin and the maximum start speed): settings in metres and km/h, shown in
// feet and knots when the display units are imperial (tarvex01.nunitalt 1).

#include "forms/program/field_maps.h"
#include "forms/program/form_boxes.h"

#include <span>
#include <string>
#include <string_view>

// The label with its last bracketed part, "(" to the end, replaced by the
// unit: "(m)" or "(ft)" for a height, "(km/h)" or "(kt)" for a speed. A label
// without "(" is returned as it is.
std::string label_with_unit(std::string_view label, FieldUnit unit, bool imperial);

// A value in metres or km/h as a whole number of feet or knots, and back;
// rounded to the nearest whole number, halves away from zero, held within
// +-1e9 (the integer boxes' range).
int to_imperial_units(double metric, FieldUnit unit);
int to_metric_units(double imperial, FieldUnit unit);

// True when unit box n shows its value in feet or knots: imperial display
// units and a label with a bracketed unit (a label without "(" keeps the
// metric value).
bool shown_in_imperial(int n, FieldUnit unit);

// The largest whole number unit box n may show for a value of at most
// `metric` metres or km/h: in feet or knots when the box shows them (rounded
// down, so that no value shown exceeds it), else `metric` itself.
double largest_shown(int n, FieldUnit unit, double metric);

// A value unit box n showed in feet or knots (`was_imperial`) or in metres
// or km/h, as the box shows it now: converted to the whole number of the
// box's display unit when that changed (a setup form between), else as it is.
void in_display_unit_now(int n, FieldUnit unit, bool was_imperial, BoxValue& value);

// Each unit box of `fields` whose label holds a "(" gets the unit of the
// display units in its label and, with imperial units, its live value
// converted (set as integer, real and text). Boxes without "(" keep their
// label and value.
void show_display_units(std::span<const FormField> fields);

#pragma once

// The conversion form as the pilot left it for the setup form ("Setup..."):
// what each of its boxes showed is held while the setup form runs, then
// given back to the conversion form shown again, so that a visit to the
// setup form loses nothing the pilot set but what the setup form changes.

// Holds the boxes of the conversion form that just ended with its setup
// button: each box's value as shown (a number typed is first read as the OK
// button reads it, a value the form refuses kept as typed), whether the
// form refuses it, whether its number was shown in feet or knots, and
// whether it holds a name the pilot chose.
void hold_conversion_form();

// True while a conversion form is held.
bool conversion_form_held();

// The rule boxes the held conversion form showed (the AAT flag, AAT time,
// start margin, finish minimum altitude and maximum start speed, in metres
// and km/h) into the options, as the conversion form's own save copies
// them, a refused value aside, and made the run's (keep_run_task_rules):
// the setup form's save writes what the conversion form shows. Nothing
// without a held form.
void take_held_task_rules();

// Gives the held boxes back to the conversion form just shown anew (after
// fill_fields and the display units) and forgets them: its input taken again
// when another was taken meanwhile, the targets, the AAT box and the other
// ticks, the numbers in the display units the boxes show now, refused values
// as typed and still refused, the names the pilot chose; the other names are
// proposed again for what the setup form changed (a task folder, the
// default files).
void give_back_conversion_form();

void reset_held_form();

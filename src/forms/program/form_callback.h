#pragma once

// The program's callback of its two forms (installed with set_frm_callback):
// ncla 1, box num (1-based) changed, val its value as the engine passes it;
// ncla 6, button num pressed, val its type (validated buttons only after every
// box passed its checks). tarvex01.qsetup tells the setup form from the
// conversion form.
// - Buttons 1 (OK), 102 and 104 copy the boxes into the options (while the
//   Condor 3 lock holds, its three boxes leave the run's rules in the
//   options); 102 and 104 also write the settings file (create_ini, with the
//   settings file's own AAT switch). The rules copied are those a later
//   input starts from. A save keeps the lasting profile and airspace
//   settings unless the pilot named them (the profile box, the airspace
//   chosen in the dialog). Other buttons do nothing here.
// - Boxes: a new input is taken (form_plan.h), its rules shown in the AAT,
//   AAT time and start speed boxes and the dependent names proposed; one
//   that cannot be converted is refused in its box at once; a click
//   that leaves the input as it was does nothing; a target box
//   ticked chooses its target (the JSON switch too goes off); the map and
//   terrain boxes record the landscape's map in the map list; the setup
//   form's "FplFil" makes the flight-plans box a file or a folder box.
// - Whatever the event, a Condor 3 plan keeps the conversion form's AAT, AAT
//   time and start speed boxes locked to the plan's values.
// The conversion itself never runs here.
void frm_callback(int ncla, int num, int val);

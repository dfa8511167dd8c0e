#pragma once

// Showing a form read into the form model (form_reader.h) and filled by the
// application (form_accessors.h): the model handed to the form engine
// (engine.h), the window opened and run.

// Hands the model to the engine and opens the form's window: the window id
// (also kept in frm999.window_id), or 0 when the form has no input box (no
// window is made, an earlier form's window is closed and window_id becomes
// 0) or the engine opens none. Sets frm999.qfr from the user's interface
// language.
int frm_create_form();

// Runs the form's window until a button or the close box ends it: the
// closing button's type, -999 for the close box; 0 without a window.
int frm_do_form();

// Hands the model over to the engine: titles, separators, boxes, drop-down
// lists (the "Landscape" list from the active Condor installation), radio
// groups and buttons, in that order. Without a Condor installation the
// "Landscape" list ends the handing over with an error message.
void load_form();

// With a window: hands the model over again and lays the window out anew
// (frm_new_form_gr); the window id. Without a window: 0.
int frm_new_form();

#pragma once

// What the main program uses of the forms: the setup form, the conversion form
// and the conversion form's field numbers.

// The conversion form's field numbers for the settings; 0 means the form has
// no such field. The start-up sets all of them to 0; tarvex_gui fills them
// once it has read its form.
struct Tvxfrm {
    int nb__qaat = 0;
    int nb__qxcs = 0;
    int nb__qlk8000 = 0;
    int nb__qcup = 0;
    int nb__qaltcup = 0;
    int nb__t_aat = 0;
    int nb__start_margin = 0;
    int nb__finishminalt = 0;
    int nb__start_max_speed = 0;
    int nb__infile = 0;
    int nb__mapname = 0;
    int nb__terrainname = 0;
    int nb__altcupfile = 0;
    int nb__outfile = 0;
    int nb__prfnam = 0;
    int nb__airnam = 0;
};
extern Tvxfrm tvxfrm;
void reset_tvxfrm();

// Runs the setup form, filled from the options, and writes its values back.
// Result: 1 or more when the user confirmed, 0 or less when the user cancelled
// or closed the window.
int tarvex_setup();

// Runs the conversion form, filled from the options and infile, and writes its
// values back. Returns only when the user asked for a conversion; a cancel or
// a closed window ends the run (exit code 0).
void tarvex_gui();

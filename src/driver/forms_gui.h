#pragma once

// What the main program uses of the forms: the setup form, the conversion form
// and the conversion form's field numbers. The forms stand above the driver
// (src/forms/program/): the executable hands them to the driver through
// set_forms_gui, so that the driver library and its tests need no display.

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

// The two forms as the main program calls them:
// - setup: runs the setup form, filled from the options, which its callback
//   writes back; 1 or more when the user confirmed, 0 or less when the user
//   cancelled or closed the window (tarvex_setup);
// - conversion: runs the conversion form, filled from the options and
//   infile; returns only when the user asked for a conversion, a cancel or a
//   closed window ends the run with exit code 0 (tarvex_gui).
struct FormsGui {
    int (*setup)() = nullptr;
    void (*conversion)() = nullptr;
};

// Installs the forms (the executable installs the program's forms, tests
// their doubles); {} takes them away again. A seam, not a record: the resets
// leave it alone.
void set_forms_gui(const FormsGui& forms);

// Run the installed forms. Without forms (a driver linked without them) there
// is no form window to open: the run ends as when the window cannot be opened
// (forms_window_unavailable).
int run_setup_form();
void run_conversion_form();

// The end of a run whose form window cannot be opened (no display, no
// OpenGL): "The form window cannot be opened; run Tarvex with -nogui" (or its
// French twin) told as an error, logged, exit code 3.
[[noreturn]] void forms_window_unavailable();

#pragma once

// What the main program uses of the forms: the setup form, the conversion form
// and the conversion form's field numbers. The forms stand above the driver
// (src/forms/program/): the executable hands them to the driver through
// set_forms_gui, so that the driver library and its tests need no display.
// The executable's forms live in a loadable module beside it (with the
// toolkit and its X11, OpenGL and FreeType libraries), loaded only when a form
// is first needed: a run without forms (-help, -nogui) loads none of them.

#include <string>
#include <string_view>

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
// OpenGL, no forms module): "The form window cannot be opened; run Tarvex
// with -nogui" (or its French twin) told as an error, logged, exit code 3;
// a `reason` that is not empty follows on a line of its own.
[[noreturn]] void forms_window_unavailable(std::string_view reason = {});

// The forms module: its file beside the executable (the build and
// `cmake --install` put it there), and its entry, a C function that fills
// the forms it holds.
inline constexpr const char* kFormsModuleFile = "tarvex_forms.so";
inline constexpr const char* kFormsModuleEntry = "tarvex_forms_gui";
using FormsModuleEntry = void (*)(FormsGui* forms);

// Loads the forms module `file` (a host path) and returns its forms; a module
// that cannot be loaded, or lacks its entry, ends the run as
// forms_window_unavailable does, with the loader's reason. The module stays
// loaded to the end of the process. The module resolves what it uses of the
// driver and of the layers below it from the executable, so that both share
// one copy of every record.
FormsGui load_forms_module(const std::string& file);

// Installs forms that load the module kFormsModuleFile beside the running
// program at their first call, then run its forms (the executable).
void set_forms_module();

#pragma once

// The setup form: the program's lasting settings, read from
// "Tarvex_Setup_form.frm" (French: "Tarvex_Setup_form_FR.frm") in the
// program's folder.

// Shows the setup form filled from the options and runs it. Its OK copies the
// boxes into the options (its save buttons write the settings file as well);
// after OK the target root folders are derived again. Whatever the ending,
// qauto, qwait, ndeftsk, the language and the display units follow the
// settings. Returns the type of the button that ended the form (1 OK, a
// negative type for Cancel), -999 for the close box. A form file that cannot
// be read, lacking a box, or a window that cannot be opened ends the run with
// its message (exit code 3).
int tarvex_setup();

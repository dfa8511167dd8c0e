#pragma once

// The conversion form: the program's form for one conversion, read from
// "Tarvex_form.frm" (French: "Tarvex_form_FR.frm") in the program's folder.

// Shows the conversion form filled from the options and the input plan (an
// output, profile or airspace name the options give stands, a blank one is
// proposed from the input), and runs it: its setup button runs the setup
// form and shows the conversion form again (read anew, in the language the
// setup form may have changed); Cancel or the close box end the run (exit
// code 0); OK returns with the options as the form left them, prfnam reduced
// to its file name and qauto, qwait from nauto. A form file that cannot be read, of another version (its version /
// 100 is not the program's), lacking a box, or a window that cannot be opened
// ends the run with its message (exit code 3).
void tarvex_gui();

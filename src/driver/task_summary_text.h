#pragma once

#include <string>

// The task summary: a few lines telling the rules of the task (AAT time, how
// the start opens, start speed and altitude limits, finish and turnpoint
// altitude limits, cloud-flying penalty, race start delay), shown to the
// pilot and written to the summary files. A SeeYou task input (qcup_in) has
// neither Condor's start window nor its race start delay: its summary tells
// the start opening ("Start open = hh:mm:ss") and the task time ("Task time
// = N min") its "Options" line gives instead.

// Builds the summary from the task model and the display units of the options
// (fmulalt, cunitalt, fmulspd, cunitspd), English or French as cmndta001.qfr
// says. Every line ends with a line feed; the text is cut at 1,024
// characters. A limit of 10,000 m or more means no limit and is not listed.
std::string task_summary_text();

// The text for the summary files: the first " kt" of `text` becomes
// " knots", cut at 1,024 characters.
std::string summary_file_text(const std::string& text);

// The notepad file of the chosen target that gets the summary too, LK8000's
// "<lk8000_root>\_Configuration\NOTEPAD.txt"; blank for another target.
std::string notepad_file();

// Writes and shows a built summary: to the summary file tskwrnfile when one
// was named in the settings (`file_named`), to LK8000's
// "<lk8000_root>\_Configuration\NOTEPAD.txt" for the LK8000 target (tskwrnfile
// then names it), and with qtskwrn as a warning (unless qsilent) that is
// logged in every case.
void output_task_summary(const std::string& text, bool file_named);

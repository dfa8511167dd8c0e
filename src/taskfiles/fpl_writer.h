#pragma once

#include <string>
#include <string_view>

// The Condor flight plan writer. A plan is not built from nothing: a template
// flight plan is copied line by line, and its task section (from the line
// after "[Task]" up to "[Weather]") is replaced by the task of the task model,
// so that weather, plane and game options come from the template.
//
// The template is "Template_V3.fpl" for Condor 3 and "Template.fpl" for
// Condor 2, in the current folder (the program ships both), or, with
// tarvex01.qtemplate, one the user picks among the flight plans of the active
// Condor (in console mode, where no dialog is shown, the shipped one).

inline constexpr std::string_view kCondor2Template = "Template.fpl";
inline constexpr std::string_view kCondor3Template = "Template_V3.fpl";

// Status of a template that cannot take a task: it has no "[Task]" line.
inline constexpr int kTemplateWithoutTask = 998;
// Status of a cancelled template choice.
inline constexpr int kTemplateNotChosen = 997;
// Status of a template that is not there (no file of its name).
inline constexpr int kTemplateMissing = 996;
// Status of a template that is there but cannot be read.
inline constexpr int kTemplateUnreadable = 995;

// Writes the plan `outfi_0`, creating or replacing it. The rd_fpl_0.nb_wp
// points 0 to nb_wp - 1 are written ("Count=" nb_wp).
// iost: 0 written; one of the four template statuses above when the template
// cannot be used, and then nothing is written; else the status of the failed
// output open or write.
void write_fpl(std::string_view outfi_0, int& iost);

// The template the last write_fpl took or looked for, as it named it (a bare
// name is in the current folder), kept in tarvex_c.tmpltfile; empty when no
// template was chosen.
const std::string& fpl_template_file();

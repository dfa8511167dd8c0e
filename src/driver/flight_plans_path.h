#pragma once

#include <string>

// The configured flight-plans path (defpath) made whole.
//
// "AUTO" stands for the FlightPlans folder of the active Condor user root.
// With the Condor folders found automatically (qauto_c2_inst and
// qauto_c2_root), a path without any "\" (a bare name, or blank) lies in that
// FlightPlans folder (a whole path too long for a path field ends the run with
// exit code 3). Any other path stands as it is, and so does every path
// while no Condor user root is known ("AUTO" is then blank). Applying the rule
// to its own result changes nothing.
std::string completed_defpath();

// The folder in which a bare input name is looked for: completed_defpath(), or
// its folder part when it names one flight-plan file (".fpl" in any letter case).
std::string flight_plans_folder();

// Completes defpath in place (the start-up's last step before the input
// choice) and writes it to the console after "Flightplans_path=".
void complete_defpath();

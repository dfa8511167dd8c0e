#pragma once

#include <string>

// Driver routines that the main program and the forms share: the pre-read of
// a flight plan, the AAT guess, the display units and the target programs'
// root folders.

// Reads the flight plan `cv` into a fresh task model (read_fpl), then applies
// the plan's Condor version: for a Condor 2 plan the command line's "-aat"
// forces the AAT on, and its AAT time and start speed fill in what the plan
// lacks (an AAT time below 0.01, a start speed of 0 or less); for a Condor 3
// plan the AAT time, given in hours, becomes whole minutes.
// Result: the reader's status (-1 when the file was read to its end, 0 when an
// end mark stopped it, above 0 a read error); a file that cannot be opened is
// told to the user (error, logged) and gives its positive open status with the
// task model untouched. nl receives the count of lines read.
int read_fpl_1(const std::string& cv, int& nl);
int read_fpl_1(const std::string& cv);

// True when an inner turnpoint or the finish (points 2 .. nb_wp - 1) is a
// classic zone (tpsec 0) of radius 5000 m or more.
bool detect_aat();

// Sets the display units from nunit: 3 imperial, 1 as Condor's pilot settings
// say ("Setup.ini" of pilot_path; metric when it cannot be read), anything
// else metric. Sets nunitalt, fmulalt, fmulspd, cunitalt and cunitspd.
void define_units();

// The root folders of the target programs from their task folders: each is the
// task folder cut before its first "\Task" (XCSoar, SeeYou) or "\_Tasks"
// (LK8000), the whole folder when the marker is absent.
void get_root_names();

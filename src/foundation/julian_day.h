#pragma once

// Julian day numbers of Gregorian dates and back (Fliegel and Van Flandern),
// for the task date of a flight plan.

// The Julian day number of a date: jd(2000, 1, 1) is 2451545.
int jd(int year, int month, int day);

// The date of a Julian day number. Nothing in the program calls it yet.
void gdate(int jd, int& year, int& month, int& day);

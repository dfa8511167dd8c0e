#pragma once

// The ranges of the task rules, one set for every road that gives them: the
// command line ("-fma:", "-mxspd:", "-aat:"), the settings file, the
// conversion form's boxes and a flight plan's own rules. A task converted
// never holds more, so that every writer has room for the number.

// The largest finish minimum altitude (m).
inline constexpr float kMaxFinishAltitude = 10000.0f;
// The largest maximum start speed (km/h).
inline constexpr float kMaxStartSpeed = 300.0f;
// The longest AAT time (min, a day).
inline constexpr float kMaxAatTime = 1440.0f;
// The largest start height margin (m).
inline constexpr float kMaxStartMargin = 10000.0f;

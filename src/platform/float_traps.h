#pragma once

#include <cfenv>

// The program runs with floating-point traps on (invalid operation, division
// by zero, overflow). A few computations must run without them: a series that
// may overflow for a far-off position and is checked afterwards, a library
// conversion that raises overflow for out-of-range text, calls into an OpenGL
// driver that computes with infinities as a matter of course. While an object
// of this class lives the traps are off and the exception flags clear; when it
// goes, the environment of before comes back, traps and flags included, so
// nothing raised meanwhile fires or leaks into the caller's code.
class FloatTrapsHeld {
public:
    FloatTrapsHeld() { std::feholdexcept(&saved_); }
    ~FloatTrapsHeld() { std::fesetenv(&saved_); }
    FloatTrapsHeld(const FloatTrapsHeld&) = delete;
    FloatTrapsHeld& operator=(const FloatTrapsHeld&) = delete;

private:
    std::fenv_t saved_{};
};

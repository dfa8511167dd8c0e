#pragma once

#include <cfenv>

// The program runs with floating-point traps on, but OpenGL drivers compute
// with infinities and NaNs as a matter of course (Mesa's llvmpipe traps as
// soon as a context is created), and the worker threads a driver starts
// inherit the trap settings of the thread that starts them. Every call into
// GLX or GL is therefore made while a guard lives: it turns the traps off and,
// when it goes, restores the traps and the exception flags of before, so the
// driver's own exceptions neither stop the program nor leak into its code.
class CpwGlFloatGuard {
public:
    CpwGlFloatGuard();
    ~CpwGlFloatGuard();
    CpwGlFloatGuard(const CpwGlFloatGuard&) = delete;
    CpwGlFloatGuard& operator=(const CpwGlFloatGuard&) = delete;

private:
    int traps_;
    std::fexcept_t flags_{};
};

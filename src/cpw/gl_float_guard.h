#pragma once

#include "platform/float_traps.h"

// OpenGL drivers compute with infinities and NaNs as a matter of course
// (Mesa's llvmpipe traps as soon as a context is created), and the worker
// threads a driver starts inherit the trap settings of the thread that starts
// them. Every call into GLX or GL is therefore made while a guard lives.
using CpwGlFloatGuard = FloatTrapsHeld;

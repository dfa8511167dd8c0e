#include "cpw/gl_float_guard.h"

CpwGlFloatGuard::CpwGlFloatGuard() : traps_(fegetexcept()) {
    std::fegetexceptflag(&flags_, FE_ALL_EXCEPT);
    fedisableexcept(FE_ALL_EXCEPT);
}

CpwGlFloatGuard::~CpwGlFloatGuard() {
    // The flags of before are put back before the traps, so an exception the
    // driver raised cannot fire once its trap is on again.
    std::fesetexceptflag(&flags_, FE_ALL_EXCEPT);
    feenableexcept(traps_);
}

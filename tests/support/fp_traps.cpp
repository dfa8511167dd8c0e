#include "support/fp_traps.h"

#include <cfenv>

namespace tarvex_test {

namespace {
constexpr int kTraps = FE_INVALID | FE_DIVBYZERO | FE_OVERFLOW;
}

void enable_fp_traps() {
    std::feclearexcept(FE_ALL_EXCEPT);
    feenableexcept(kTraps);
}

FpTrapsOff::FpTrapsOff() : saved_(fegetexcept()) { fedisableexcept(FE_ALL_EXCEPT); }

FpTrapsOff::~FpTrapsOff() {
    std::feclearexcept(FE_ALL_EXCEPT);
    feenableexcept(saved_);
}

}  // namespace tarvex_test

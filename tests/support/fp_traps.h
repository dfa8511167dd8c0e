#pragma once

namespace tarvex_test {

// Turns on the floating-point traps the program itself runs with
// (invalid operation, division by zero, overflow).
void enable_fp_traps();

// Keeps the traps off for the lifetime of the object, for the rare test that
// must compute something the program never computes (NaN references, say).
class FpTrapsOff {
public:
    FpTrapsOff();
    ~FpTrapsOff();
    FpTrapsOff(const FpTrapsOff&) = delete;
    FpTrapsOff& operator=(const FpTrapsOff&) = delete;

private:
    int saved_;
};

}  // namespace tarvex_test

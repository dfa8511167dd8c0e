// Process entry of Tarvex.
#include "driver/tarvex.h"

#include <cfenv>
#include <cstdio>
#include <string>
#include <vector>

int main(int argc, char** argv) {
    // The program runs with traps on for invalid operations, division by zero
    // and overflow, so that a numeric fault stops it instead of writing garbage.
    feenableexcept(FE_INVALID | FE_DIVBYZERO | FE_OVERFLOW);
    const std::vector<std::string> args(argv, argv + argc);
    const int exit_code = tarvex(args);
    std::fflush(stdout);
    return exit_code;
}

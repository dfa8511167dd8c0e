// Process entry of Tarvex.
#include <cfenv>
#include <cstdio>

int main() {
    // The program runs with traps on for invalid operations, division by zero
    // and overflow, so that a numeric fault stops it instead of writing garbage.
    feenableexcept(FE_INVALID | FE_DIVBYZERO | FE_OVERFLOW);
    std::fputs("Tarvex: the conversion is not built yet.\n", stderr);
    return 1;
}

#pragma once

// Whether the program's start-up and command line are built. Until they
// are, the program is a stub that converts nothing, and the end-to-end
// tests that run it skip themselves with this reason.

namespace tarvex_test {

inline constexpr bool kStartUpBuilt = false;
inline constexpr const char* kStartUpMissing =
    "the program's start-up and command line are not built yet; this test runs once they are";

}  // namespace tarvex_test

#pragma once

// What of the program is built yet. Until a part is, the end-to-end tests
// that need it skip themselves with the matching reason.

namespace tarvex_test {

// Start-up, command line, settings file and input choice.
inline constexpr bool kStartUpBuilt = true;
inline constexpr const char* kStartUpMissing =
    "the program's start-up and command line are not built yet; this test runs once they are";

// One conversion for every target.
inline constexpr bool kConversionBuilt = true;
inline constexpr const char* kConversionMissing =
    "the conversion is not built yet; this test runs once it is";

}  // namespace tarvex_test

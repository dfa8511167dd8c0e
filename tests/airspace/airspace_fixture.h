#pragma once

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "airspace/airspace_records.h"
#include "support/temp_dir.h"

namespace airspace_test {

// A clean run for the airspace code: records at their start values, traces
// off, messages on the console, the current folder a fresh temporary one, and
// the landscape frame set up.
class AirspaceTest : public ::testing::Test {
protected:
    AirspaceTest();
    ~AirspaceTest() override;

    // Writes a file (LF line ends as given) into the temporary folder and
    // returns its Windows-form name relative to it.
    std::string write_file(const std::string& name, const std::string& bytes) const;
    // The bytes of a file of the temporary folder.
    std::string read_file(const std::string& name) const;
    // The lines of a file of the temporary folder, each without its CR LF.
    std::vector<std::string> read_lines(const std::string& name) const;

    // Frame position of a latitude and longitude.
    static PlanePoint frame_point(float lat, float lon);

    tarvex_test::TempDir dir_{"airspace"};
    tarvex_test::ScopedCwd cwd_{dir_.path()};
};

}  // namespace airspace_test

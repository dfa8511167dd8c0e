#pragma once

#include <string>
#include <vector>

#include "airspace/airspace_records.h"
#include "airspace_fixture.h"

namespace airspace_test {

// A DP line at whole degrees and minutes of latitude and longitude (north, east).
std::string dp(int lat_deg, int lat_min, int lon_deg, int lon_min);

// A square zone of `size` minutes from the given corner, with its AC, AN, AL
// and AH lines and a closing point.
std::string square_zone(const std::string& cls, const std::string& name, int lat_deg, int lat_min, int lon_deg,
                        int lon_min, int size = 5);

// Runs the reader in filter mode on an airspace text, as the conversion does.
class ReaderTest : public AirspaceTest {
protected:
    ReaderTest();

    // Writes `text` as "land.air" and reads it; the result of read_airspace.
    int run(const std::string& text, int maxzon = kConversionMaxZones, int maxpts = kConversionMaxPoints);
    // The filtered copy without its notice header.
    std::vector<std::string> copy_body() const;

    int nbzon_ = 0;
    AirspacePens sp_{};
    AirspaceBrushes sb_{};
    std::vector<AirspaceZone> zon_;
    std::vector<PlanePoint> pp_;
};

}  // namespace airspace_test

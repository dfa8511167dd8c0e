#pragma once

#include <string>
#include <vector>

#include "airspace/airspace_records.h"
#include "airspace_fixture.h"

namespace airspace_test {

// Runs the reader in load mode (qwriteas off) over the window 44..47 N,
// 5..8 E, as the terrain code would.
class LoadTest : public AirspaceTest {
protected:
    LoadTest();

    // Writes `text` as "land.air" and loads it; the result of read_airspace.
    int load(const std::string& text, int nav = 1, int maxzon = kConversionMaxZones,
             int maxpts = kConversionMaxPoints);

    // The demo landscape's frame (its terrain file in the current folder),
    // the window its whole map. A fatal failure when the frame is not read.
    void use_demo_landscape();

    int nbzon_ = 0;
    AirspacePens sp_{};
    AirspaceBrushes sb_{};
    std::vector<AirspaceZone> zon_;
    std::vector<PlanePoint> pp_;
};

// The demo landscape's airspace text.
std::string demo_airspace();

}  // namespace airspace_test

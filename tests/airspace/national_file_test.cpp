// A national airspace file of the size found in the wild (the Canadian one
// holds 1,499 zones and about 150,000 points, three times the conversion's
// point table), cropped to a task: every zone near the task is kept.

#include <gtest/gtest.h>

#include <algorithm>
#include <set>
#include <string>
#include <vector>

#include "airspace/airspace_window.h"
#include "foundation/message_records.h"
#include "openair_generator.h"
#include "reader_harness.h"

namespace {

using airspace_test::ReaderTest;

constexpr int kZones = 1499;
constexpr int kPointsPerZone = 115;
constexpr int kZonesPerPart = 100;

class NationalFileTest : public ReaderTest {
protected:
    // The working window: the box from (lat1, lon1) to (lat2, lon2).
    static void set_window(float lat1, float lon1, float lat2, float lon2) {
        const PlanePoint a = frame_point(lat1, lon2);
        const PlanePoint b = frame_point(lat2, lon1);
        init_airspace_map_1(a.x, b.x, a.y, b.y);
    }

    // The names (AN lines) of the zones in the filtered copy.
    std::set<std::string> kept_names() const {
        std::set<std::string> names;
        for (const std::string& line : copy_body()) {
            if (line.rfind("AN ", 0) == 0) {
                names.insert(line.substr(3));
            }
        }
        return names;
    }
};

// The text in parts of kZonesPerPart zones, cut before a zone's comment block.
std::vector<std::string> parts_of(const std::string& text) {
    std::vector<std::size_t> starts;
    for (std::size_t at = text.find("*\r\n* ZONE "); at != std::string::npos; at = text.find("*\r\n* ZONE ", at + 1)) {
        starts.push_back(at);
    }
    std::vector<std::string> parts;
    for (std::size_t z = 0; z < starts.size(); z += kZonesPerPart) {
        const std::size_t from = z == 0 ? 0 : starts[z];
        const std::size_t to = z + kZonesPerPart < starts.size() ? starts[z + kZonesPerPart] : text.size();
        parts.push_back(text.substr(from, to - from));
    }
    return parts;
}

TEST_F(NationalFileTest, EveryZoneNearTheTaskIsKept) {
    const OpenAirSample sample = generate_openair(kZones, kPointsPerZone);

    // Held in memory all at once, the file takes about 150,000 points.
    set_window(44.0f, 5.0f, 47.0f, 8.0f);
    as0003.qwriteas = false;
    run(sample.text, kConversionMaxZones, 4 * kConversionMaxPoints);
    ASSERT_GT(nbzon_, kZones - 10);
    const int points = zon_[static_cast<std::size_t>(nbzon_ - 1)].last + 1;
    EXPECT_GT(points, 140000);
    EXPECT_LT(points, 160000);

    // Filtered within the conversion's limits, as the conversion reads it,
    // cropped to the box of a task in the north of the file's area.
    set_window(45.8f, 6.2f, 46.4f, 7.0f);
    as0003.qwriteas = true;
    cmndta001.nbwarn = 0;
    run(sample.text);
    EXPECT_EQ(cmndta001.nbwarn, 0);  // no "Airspace file too large"
    const std::set<std::string> kept = kept_names();

    // The zones kept when each part of the file is read alone.
    std::set<std::string> expected;
    const std::vector<std::string> parts = parts_of(sample.text);
    ASSERT_EQ(parts.size(), 15u);
    for (const std::string& part : parts) {
        run(part);
        const std::set<std::string> names = kept_names();
        expected.insert(names.begin(), names.end());
    }
    EXPECT_EQ(kept, expected);
    // Zones near the task from the whole file, the last parts included.
    EXPECT_GT(expected.size(), 30u);
    EXPECT_LT(expected.size(), static_cast<std::size_t>(kZones) / 2);
    EXPECT_TRUE(std::any_of(expected.begin(), expected.end(),
                            [](const std::string& name) { return std::stoi(name.substr(5)) > 1400; }));
}

}  // namespace

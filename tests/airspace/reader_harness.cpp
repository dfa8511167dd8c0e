#include "reader_harness.h"

#include "airspace/airspace_reader.h"
#include "airspace/airspace_window.h"
#include "foundation/fortran_format.h"

namespace airspace_test {

namespace {
constexpr std::size_t kHeaderLines = 13;
}

std::string dp(int lat_deg, int lat_min, int lon_deg, int lon_min) {
    return fortran_write("('DP ',I2.2,':',I2.2,':00 N ',I3.3,':',I2.2,':00 E')", {lat_deg, lat_min, lon_deg, lon_min});
}

std::string square_zone(const std::string& cls, const std::string& name, int lat_deg, int lat_min, int lon_deg,
                        int lon_min, int size) {
    std::string text = "AC " + cls + "\nAN " + name + "\nAL SFC\nAH FL65\n";
    text += dp(lat_deg, lat_min, lon_deg, lon_min) + "\n";
    text += dp(lat_deg, lat_min + size, lon_deg, lon_min) + "\n";
    text += dp(lat_deg, lat_min + size, lon_deg, lon_min + size) + "\n";
    text += dp(lat_deg, lat_min, lon_deg, lon_min + size) + "\n";
    text += dp(lat_deg, lat_min, lon_deg, lon_min) + "\n";
    return text;
}

ReaderTest::ReaderTest() {
    as000c.aspfile = "land.air";
    as000c.new_aspfile = "out.txt";
    as000c.asp_d_file = "task-AS_LIST.txt";
    as0003.qwriteas = true;
    as0003.qcropas = true;
    as0003.qdeldup = true;
    // The window: 44..47 N, 5..8 E.
    const PlanePoint a = frame_point(44.0f, 8.0f);
    const PlanePoint b = frame_point(47.0f, 5.0f);
    init_airspace_map_1(a.x, b.x, a.y, b.y);
}

int ReaderTest::run(const std::string& text, int maxzon, int maxpts) {
    write_file("land.air", text);
    zon_.assign(static_cast<std::size_t>(maxzon), AirspaceZone{});
    pp_.assign(static_cast<std::size_t>(maxpts), PlanePoint{});
    return read_airspace(0, sp_, sb_, nbzon_, zon_, pp_, maxzon, maxpts);
}

std::vector<std::string> ReaderTest::copy_body() const {
    std::vector<std::string> lines = read_lines("out.txt");
    if (lines.size() < kHeaderLines) {
        ADD_FAILURE() << "no notice header";
        return {};
    }
    return std::vector<std::string>(lines.begin() + kHeaderLines, lines.end());
}

}  // namespace airspace_test

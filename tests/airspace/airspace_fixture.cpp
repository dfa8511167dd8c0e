#include "airspace_fixture.h"

#include "airspace/airspace_trace.h"
#include "airspace/layer_reset.h"
#include "foundation/local_frame.h"
#include "foundation/log.h"
#include "foundation/message_records.h"
#include "foundation/messages.h"
#include "foundation/utm_frame.h"
#include "support/terrain_bytes.h"
#include "taskfiles/task_model.h"

namespace airspace_test {

AirspaceTest::AirspaceTest() {
    reset_airspace_layer();
    cmndta001.qline = true;
    set_airspace_trace(false);
    // A landscape frame in UTM zone 32 north, its south-east corner near 44.2 N 7.7 E.
    reset_log();
    dir_.write("frame.trn", tarvex_test::trn_bytes(tarvex_test::TrnHeader{}));
    float width = 0.0f;
    float height = 0.0f;
    EXPECT_EQ(utm_init("frame.trn", width, height), 1);
}

AirspaceTest::~AirspaceTest() {
    set_airspace_trace(true);
    reset_airspace_layer();
}

std::string AirspaceTest::write_file(const std::string& name, const std::string& bytes) const {
    dir_.write(name, bytes);
    return name;
}

std::string AirspaceTest::read_file(const std::string& name) const { return tarvex_test::TempDir::read(dir_.path() / name); }

std::vector<std::string> AirspaceTest::read_lines(const std::string& name) const {
    const std::string bytes = read_file(name);
    std::vector<std::string> lines;
    std::size_t start = 0;
    while (start < bytes.size()) {
        const std::size_t end = bytes.find("\r\n", start);
        if (end == std::string::npos) {
            lines.push_back(bytes.substr(start));
            break;
        }
        lines.push_back(bytes.substr(start, end - start));
        start = end + 2;
    }
    return lines;
}

PlanePoint AirspaceTest::frame_point(float lat, float lon) {
    PlanePoint p;
    latlontoxy(lat, lon, p.x, p.y);
    return p;
}

}  // namespace airspace_test

#include "airspace_fixture.h"

#include "airspace/airspace_trace.h"
#include "foundation/message_records.h"
#include "foundation/utm_frame.h"
#include "foundation/local_frame.h"
#include "foundation/log.h"
#include "foundation/messages.h"
#include "foundation/unwritten_files.h"
#include "platform/file_faults.h"
#include "support/terrain_bytes.h"
#include "taskfiles/task_model.h"

namespace airspace_test {

AirspaceTest::AirspaceTest() {
    reset_airspace_records();
    reset_task_model();
    reset_unwritten_files();
    disarm_file_fault();
    cmndta001 = Cmndta001{};
    cmndta001.qline = true;
    set_airspace_trace(false);
    // A landscape frame in UTM zone 32 north, its south-east corner near 44.2 N 7.7 E.
    reset_log();
    reset_local_frame();
    dir_.write("frame.trn", tarvex_test::trn_bytes(tarvex_test::TrnHeader{}));
    float width = 0.0f;
    float height = 0.0f;
    EXPECT_EQ(utm_init("frame.trn", width, height), 1);
}

AirspaceTest::~AirspaceTest() {
    reset_local_frame();
    set_airspace_trace(true);
    reset_unwritten_files();
    disarm_file_fault();
    cmndta001 = Cmndta001{};
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

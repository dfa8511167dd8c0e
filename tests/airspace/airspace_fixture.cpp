#include "airspace_fixture.h"

#include "airspace/airspace_trace.h"
#include "airspace/interim_foundation.h"
#include "taskfiles/task_model.h"

namespace airspace_test {

AirspaceTest::AirspaceTest() {
    reset_airspace_records();
    reset_task_model();
    cmndta001 = Cmndta001{};
    cmndta001.qline = true;
    set_airspace_trace(false);
}

AirspaceTest::~AirspaceTest() {
    set_airspace_trace(true);
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

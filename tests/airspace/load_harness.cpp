#include "load_harness.h"

#include "airspace/airspace_reader.h"
#include "airspace/airspace_window.h"
#include "foundation/local_frame.h"
#include "foundation/terrain_extents.h"
#include "support/temp_dir.h"

#include <gtest/gtest.h>

#include <filesystem>

namespace airspace_test {

LoadTest::LoadTest() {
    as000c.aspfile = "land.air";
    as0003.qwriteas = false;
    const PlanePoint a = frame_point(44.0f, 8.0f);
    const PlanePoint b = frame_point(47.0f, 5.0f);
    init_airspace_map_1(a.x, b.x, a.y, b.y);
}

int LoadTest::load(const std::string& text, int nav, int maxzon, int maxpts) {
    write_file("land.air", text);
    zon_.assign(static_cast<std::size_t>(maxzon), AirspaceZone{});
    pp_.assign(static_cast<std::size_t>(maxpts), PlanePoint{});
    nbzon_ = 0;
    return read_airspace(nav, sp_, sb_, nbzon_, zon_, pp_, maxzon, maxpts);
}

void LoadTest::use_demo_landscape() {
    reset_local_frame();
    write_file("DemoProvence.trn", tarvex_test::TempDir::read(std::filesystem::path(TARVEX_SOURCE_DIR) /
                                                               "demo/landscape/DemoProvence.trn"));
    float width = 0.0f;
    float height = 0.0f;
    ASSERT_EQ(utm_init("DemoProvence.trn", width, height), 1);
    trn001.x_scn_mx = trn001.xmax = width;
    trn001.y_scn_mx = trn001.ymax = height;
    init_airspace_map();
}

std::string demo_airspace() {
    return tarvex_test::TempDir::read(std::filesystem::path(TARVEX_SOURCE_DIR) / "demo/landscape/DemoProvence.air");
}

}  // namespace airspace_test

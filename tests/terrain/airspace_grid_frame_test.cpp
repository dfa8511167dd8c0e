// The in-memory airspace as the terrain code takes it: loaded by the
// airspace reader's load mode from an OpenAir text in the landscape frame,
// converted once into the grid frame.

#include <string>
#include <vector>

#include "airspace/airspace_mod.h"
#include "airspace/airspace_reader.h"
#include "airspace/airspace_records.h"
#include "airspace/airspace_window.h"
#include "airspace/load_mode.h"
#include "airspace/plane_geometry.h"
#include "foundation/airspace_names.h"
#include "foundation/local_frame.h"
#include "foundation/terrain_extents.h"
#include "foundation/utm_frame.h"
#include "support/terrain_bytes.h"
#include "terrain/airspace_proximity.h"
#include "terrain/reach_records.h"
#include "terrain_fixture.h"

namespace terrain_test {
namespace {

class AirspaceGridFrame : public TerrainTest {
protected:
    AirspaceGridFrame() {
        reset_airspace_mod();
        reset_as_nam();
        reset_local_frame();
        // The frame of a Condor terrain header (1000 x 1000 cells of 90 m),
        // and flat ground under all of it.
        dir_.write("land.trn", tarvex_test::trn_bytes(tarvex_test::TrnHeader{}));
        float width = 0.0f;
        float height = 0.0f;
        EXPECT_EQ(utm_init("land.trn", width, height), 1);
        set_grid(1000, 1000, [](int, int) { return 0.0f; });
        trn001.x_scn_mx = width;
        trn001.xmax = width;
        trn001.ymax = height;
        init_airspace_map();
        as0001.qseltyp.fill(true);
        as000c.aspfile = "land.air";
    }
    ~AirspaceGridFrame() override {
        reset_airspace_mod();
        reset_as_nam();
        reset_local_frame();
    }

    // A square zone of the landscape frame, from (x0, y0) westward and northward.
    static std::string zone(const std::string& cls, const std::string& name, float x0, float y0, float size) {
        return "AC " + cls + "\nAN " + name + "\nAL SFC\nAH FL65\n" + openair_dp(x0, y0) + openair_dp(x0 + size, y0) +
               openair_dp(x0 + size, y0 + size) + openair_dp(x0, y0 + size) + openair_dp(x0, y0);
    }
    int load(int nav, bool convert) {
        dir_.write("land.air", zone("D", "Delta", 20000.0f, 20000.0f, 10000.0f) +
                                   zone("G", "Golf", 50000.0f, 20000.0f, 10000.0f));
        zon_.assign(100, AirspaceZone{});
        pp_.assign(1000, PlanePoint{});
        int nbzon = 0;
        if (convert) {
            return read_airspace_grid(nav, sp_, sb_, nbzon, zon_, pp_, 100, 1000);
        }
        as0003.qwriteas = false;
        return read_airspace(nav, sp_, sb_, nbzon, zon_, pp_, 100, 1000);
    }
    static bool clear(float xg, float y, float z) {
        int k_typ = 0;
        return check_as_wn(xg, y, z, false, false, k_typ);
    }

    AirspacePens sp_{};
    AirspaceBrushes sb_{};
    std::vector<AirspaceZone> zon_;
    std::vector<PlanePoint> pp_;
};

TEST_F(AirspaceGridFrame, AZoneFoundAtALatitudeAndLongitudeIsFoundThereByTheTerrainCode) {
    // A point inside the D zone, by its latitude and longitude.
    float lat = 0.0f;
    float lon = 0.0f;
    xytolatlon(26000.0f, 23000.0f, lat, lon);
    float x = 0.0f;
    float y = 0.0f;
    ASSERT_EQ(latlontoxy(lat, lon, x, y), 1);

    // The airspace code finds it in the landscape frame.
    ASSERT_EQ(load(1, false), 1);
    ASSERT_EQ(as0001.nb_zon, 2);
    const std::span<const PlanePoint> ring(airspace_mod.as_pp.data() + airspace_mod.as_nb[0].first,
                                           static_cast<std::size_t>(airspace_mod.as_nb[0].count));
    EXPECT_NE(wn_poly(PlanePoint{x, y}, ring, static_cast<int>(ring.size())), 0);

    // Converted into the grid frame, the terrain code finds it at
    // xg = x_scn_mx - x, both by winding number and by the rebuilt raster.
    ASSERT_EQ(as_grid_frame(), 1);
    const float xg = trn001.x_scn_mx - x;
    EXPECT_FALSE(clear(xg, y, 1000.0f));
    EXPECT_TRUE(clear(xg, y, 2500.0f));
    EXPECT_TRUE(clear(x, y, 1000.0f));  // where the unconverted model would have it
    rch001.xrch_min = 0.0f;
    rch001.xrch_max = trn001.x_scn_mx;
    rch001.yrch_min = 0.0f;
    rch001.yrch_max = trn001.y_scn_mx;
    nav_airspace(xg, y, 3000.0f);
    ASSERT_EQ(rch003.as_nb_shortlist, 2);
    int k_typ = 0;
    EXPECT_FALSE(check_as_gr(xg, y, 1000.0f, false, false, k_typ, 1));
    EXPECT_TRUE(check_as_gr(xg + 8000.0f, y, 1000.0f, false, false, k_typ, 1));
    EXPECT_EQ(airspace_mod.as_possible.size(), 33u);

    // The derogation boxes are mirrored with the zones.
    float xgolf = 0.0f;
    float ygolf = 0.0f;
    xytolatlon(55000.0f, 25000.0f, lat, lon);
    latlontoxy(lat, lon, xgolf, ygolf);
    EXPECT_FALSE(notinderog(trn001.x_scn_mx - xgolf, ygolf));
    EXPECT_TRUE(notinderog(xgolf, ygolf));
}

TEST_F(AirspaceGridFrame, TheTerrainCodesLoadWithoutRaster) {
    ASSERT_EQ(load(-1, true), 1);
    EXPECT_FALSE(as0003.qwriteas);
    EXPECT_TRUE(airspace_mod.as_gr_dim.empty());
    // Mirrored boxes keep their minimum below their maximum.
    EXPECT_NEAR(as0001.as_lim[0][kLimXmin], trn001.x_scn_mx - 30000.0f, 50.0f);
    EXPECT_NEAR(as0001.as_lim[0][kLimXmax], trn001.x_scn_mx - 20000.0f, 50.0f);
    EXPECT_FALSE(clear(trn001.x_scn_mx - 21000.0f, 29000.0f, 1000.0f));
    reset_airspace_mod();
    as0001.nb_zon = 0;
    EXPECT_EQ(as_grid_frame(), 0);
}

TEST_F(AirspaceGridFrame, TheRasterIsBuiltOnceInTheGridFrame) {
    // A budget of 1 MiB for a zone 60 km wide: cells over 100 m, and the
    // warning that says so, once.
    as0003.as_maxmeg = 1;
    dir_.write("land.air", zone("D", "Wide", 10000.0f, 10000.0f, 60000.0f));
    zon_.assign(100, AirspaceZone{});
    pp_.assign(1000, PlanePoint{});
    int nbzon = 0;
    ASSERT_EQ(read_airspace_grid(1, sp_, sb_, nbzon, zon_, pp_, 100, 1000), 1);
    EXPECT_EQ(nbzon, 1);
    EXPECT_FALSE(as0003.qraster_by_caller);
    ASSERT_EQ(boxes_.size(), 1u);
    EXPECT_NE(boxes_[0].find("Airspace grid size"), std::string::npos);
    ASSERT_EQ(airspace_mod.as_gr_dim.size(), 1u);
    // Found by the raster where the grid frame has it.
    float lat = 0.0f;
    float lon = 0.0f;
    xytolatlon(40000.0f, 40000.0f, lat, lon);
    float x = 0.0f;
    float y = 0.0f;
    ASSERT_EQ(latlontoxy(lat, lon, x, y), 1);
    const float xg = trn001.x_scn_mx - x;
    rch001.xrch_min = 0.0f;
    rch001.xrch_max = trn001.x_scn_mx;
    rch001.yrch_min = 0.0f;
    rch001.yrch_max = trn001.y_scn_mx;
    nav_airspace(xg, y, 3000.0f);
    int k_typ = 0;
    EXPECT_FALSE(check_as_gr(xg, y, 1000.0f, false, false, k_typ, 1));
    EXPECT_TRUE(check_as_gr(x, 5000.0f, 1000.0f, false, false, k_typ, 1));
}

}  // namespace
}  // namespace terrain_test

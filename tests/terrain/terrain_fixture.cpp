#include "terrain_fixture.h"

#include "airspace/airspace_trace.h"
#include "foundation/dms_text.h"
#include "foundation/log.h"
#include "foundation/messages.h"
#include "foundation/terrain_extents.h"
#include "foundation/utm_frame.h"
#include "terrain/layer_reset.h"

namespace terrain_test {

TerrainTest::TerrainTest() {
    reset_terrain_layer();
    reset_log();
    set_airspace_trace(false);
    set_message_box([this](const std::string&, const std::string& text, int&) { boxes_.push_back(text); });
}

TerrainTest::~TerrainTest() {
    set_message_box(nullptr);
    set_airspace_trace(true);
    reset_terrain_layer();
}

void TerrainTest::set_grid(int ni, int nj, const std::function<float(int, int)>& height) {
    altitude.zp.assign(ni, nj, 0.0f);
    for (int i = 1; i <= ni; ++i) {
        for (int j = 1; j <= nj; ++j) {
            altitude.zp(i, j) = height(i, j);
        }
    }
    trn001.ni_00 = ni;
    trn001.nj_00 = nj;
    trn001.i_00 = 1;
    trn001.j_00 = 1;
    trn001.rew = dxy_c;
    trn001.rns = dxy_c;
    trn001.dxy = dxy_c;
    trn001.x_scn_mx = dxy_c * static_cast<float>(ni);
    trn001.y_scn_mx = dxy_c * static_cast<float>(nj);
}

float noise_height(int i, int j, unsigned seed, unsigned range) {
    unsigned h = seed * 2654435761u ^ static_cast<unsigned>(i) * 40503u ^ static_cast<unsigned>(j) * 2246822519u;
    h ^= h >> 13;
    h *= 1274126177u;
    h ^= h >> 16;
    return static_cast<float>(h % range);
}

std::string openair_dp(float x, float y) {
    float lat = 0.0f;
    float lon = 0.0f;
    xytolatlon(x, y, lat, lon);
    std::string clat;
    std::string clon;
    dms_oa(lat, 1, clat);
    dms_oa(lon, 2, clon);
    return "DP " + clat + " " + clon + "\n";
}

}  // namespace terrain_test

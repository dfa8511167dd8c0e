#include "terrain_scenes.h"

#include <cmath>
#include <cstring>

#include "foundation/terrain_extents.h"

namespace terrain_scenes {

namespace {

// 1 at the crests, falling off steeply on both sides.
double ridge(double t) { return 1.0 - std::fabs(std::sin(t)); }

double alpine(double x, double y) {
    const double main = ridge(x / 3.1 + 0.7 * std::sin(y / 9.7)) * (0.65 + 0.35 * std::sin(y / 17.0 + x / 23.0));
    const double cross = ridge((x + y) / 2.3 + 0.5 * std::cos(x / 11.0));
    const double texture = std::sin(x * 1.7) * std::cos(y * 1.3);
    return 600.0 + 1700.0 * main * main + 700.0 * cross * cross * cross + 60.0 * texture;
}

double rolling(double x, double y) {
    return 330.0 + 220.0 * std::sin(x / 7.3) * std::cos(y / 5.9) + 130.0 * std::sin((x - y) / 3.1) +
           50.0 * std::sin(x / 1.3 + y / 1.7);
}

void add(std::uint64_t& h, const void* data, std::size_t n) {
    const auto* bytes = static_cast<const unsigned char*>(data);
    for (std::size_t k = 0; k < n; ++k) {
        h ^= bytes[k];
        h *= 1099511628211ull;
    }
}

}  // namespace

float scene_height(Relief relief, int i, int j) {
    // Kilometres of the cell's centre.
    const double x = (90.0 * (i - 1) + 45.0) / 1000.0;
    const double y = (90.0 * (j - 1) + 45.0) / 1000.0;
    return static_cast<float>(std::round(relief == Relief::alpine ? alpine(x, y) : rolling(x, y)));
}

void set_scene(Relief relief, int ni, int nj) {
    altitude.zp.assign(ni, nj, 0.0f);
    for (int i = 1; i <= ni; ++i) {
        for (int j = 1; j <= nj; ++j) {
            altitude.zp(i, j) = scene_height(relief, i, j);
        }
    }
    altitude.zp_mx5 = CellTable<float>{};
    trn001.ni_00 = trn001.ni_scn = ni;
    trn001.nj_00 = trn001.nj_scn = nj;
    trn001.i_00 = 1;
    trn001.j_00 = 1;
    trn001.rew = trn001.rns = trn001.dxy = dxy_c;
    trn001.x_scn_mx = dxy_c * static_cast<float>(ni);
    trn001.y_scn_mx = dxy_c * static_cast<float>(nj);
}

std::uint64_t reach_hash(const CellTable<GlidePoint>& ppp_rch, const CellTable<int>& n_rch,
                         const CellTable<int>& l_connect) {
    std::uint64_t h = 14695981039346656037ull;
    for (const GlidePoint& p : ppp_rch.cells()) {
        add(h, &p, sizeof p);
    }
    for (const int s : n_rch.cells()) {
        add(h, &s, sizeof s);
    }
    for (const int c : l_connect.cells()) {
        add(h, &c, sizeof c);
    }
    return h;
}

}  // namespace terrain_scenes

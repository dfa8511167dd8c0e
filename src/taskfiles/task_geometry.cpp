#include "taskfiles/task_geometry.h"

#include "foundation/geometry.h"
#include "foundation/number_text.h"
#include "foundation/tell.h"
#include "foundation/terrain_extents.h"
#include "platform/console.h"
#include "taskfiles/task_zones.h"

#include <algorithm>
#include <cmath>
#include <cstddef>
#include <limits>
#include <string>

namespace {

constexpr double kPi = 3.1415927f;  // pi as a 32-bit real
constexpr double kDegreesPerRadian = 180.0 / kPi;

double direction(double dx, double dy) { return std::atan2(dy, dx) * kDegreesPerRadian; }

double length(double dx, double dy) { return std::sqrt(dx * dx + dy * dy); }

float to_float(double value) {
    constexpr double kMax = std::numeric_limits<float>::max();
    return static_cast<float>(std::clamp(value, -kMax, kMax));
}

// The number of elements every one of the arrays has.
template <class... Spans>
int common_size(const Spans&... arrays) {
    const std::size_t smallest = std::min({arrays.size()...});
    return static_cast<int>(std::min<std::size_t>(smallest, std::numeric_limits<int>::max()));
}

std::string number(double value) { return f2b(to_float(value), "(F16.6)"); }

}  // namespace

void task_minmax(int nb_wp, std::span<const float> tpx, std::span<const float> tpy, std::span<const int> tprad,
                 float& xmi, float& xma, float& ymi, float& yma) {
    const int count = std::clamp(nb_wp, 0, common_size(tpx, tpy, tprad));
    for (int n = 0; n < count; ++n) {
        const auto k = static_cast<std::size_t>(n);
        const double radius = tprad[k];
        xmi = std::min(xmi, to_float(tpx[k] - radius));
        ymi = std::min(ymi, to_float(tpy[k] - radius));
        xma = std::max(xma, to_float(tpx[k] + radius));
        yma = std::max(yma, to_float(tpy[k] + radius));
    }
    const auto box = [&] { return number(xmi) + " " + number(xma) + " " + number(ymi) + " " + number(yma); };
    console_line("xmi, xma, ymi, yma - before " + box());
    // The box stays within the terrain frame less a margin.
    constexpr float kMargin = 2880.0f;
    const auto hold = [kMargin](float& value, float size) {
        value = std::max(kMargin, std::min(value, to_float(double{size} - kMargin)));
    };
    hold(xmi, trn001.x_scn_mx);
    hold(xma, trn001.x_scn_mx);
    hold(ymi, trn001.y_scn_mx);
    hold(yma, trn001.y_scn_mx);
    console_line("xmi, xma, ymi, yma - after   " + box());
}

bool in_sta_fin(float xx, float yy, float zz, float tpx1, float tpy1, float tpx2, float tpy2, int tprad, int tpang,
                float tpwid, float tphei) {
    const double dx = double{xx} - tpx1;
    const double dy = double{yy} - tpy1;
    if (length(dx, dy) > tprad || zz < tpwid || zz > tphei) {
        return false;
    }
    if (tpang == kCylinderAngle) {
        return true;
    }
    if (tpang == kLineAngle) {
        return dx * (double{tpx2} - tpx1) + dy * (double{tpy2} - tpy1) <= 0.0;
    }
    console_line("in_sta_fin : TPANG " + i2b(tpang));
    end_run("TPANG", kExitConversionFailed);
}

bool in_sector(float xx, float yy, float zz, int ns1, int nwp, std::span<const float> tpx,
               std::span<const float> tpy, std::span<const int> tprad, std::span<const int> tpang,
               std::span<const float> tpwid, std::span<const float> tphei, float fimialt) {
    const int size = common_size(tpx, tpy, tprad, tpang, tpwid, tphei);
    const int n = ns1;
    if (n < 1 || n >= size) {
        return false;
    }
    const auto at = [](auto array, int i) { return array[static_cast<std::size_t>(i)]; };
    const bool finish = n == nwp - 1;
    const float lower = finish ? std::max(at(tpwid, n), fimialt) : at(tpwid, n);
    const double dx = double{xx} - at(tpx, n);
    const double dy = double{yy} - at(tpy, n);
    if (length(dx, dy) > at(tprad, n) || zz < lower || zz > at(tphei, n)) {
        return false;
    }
    if (at(tpang, n) == kCylinderAngle) {
        return true;
    }
    // The direction from point i to point j.
    const auto leg = [&](int i, int j) {
        return direction(double{at(tpx, j)} - at(tpx, i), double{at(tpy, j)} - at(tpy, i));
    };
    double a0 = 0.0;
    if (n == 1) {
        if (size < 3) {
            return false;
        }
        a0 = leg(2, 1);  // the start sector opens away from the first leg
    } else if (finish) {
        a0 = leg(n - 1, n);  // the finish sector opens beyond the last leg
    } else {
        if (n + 1 >= size) {
            return false;
        }
        const double ain = leg(n - 1, n);
        const double aout = leg(n, n + 1);
        const double d = aout - ain;
        a0 = d > 0.0 ? ain - (180.0 - d) / 2.0 : ain + (180.0 + d) / 2.0;  // outside of the turn
    }
    double a1 = a0 - at(tpang, n) / 2.0;
    double a2 = a0 + at(tpang, n) / 2.0;
    if (a1 < 0.0 || a2 < 0.0) {
        a1 += 360.0;
        a2 += 360.0;
    }
    const double b = modang(to_float(direction(dx, dy)), 0.0f);
    const double lo = std::min(a1, a2);
    const double hi = std::max(a1, a2);
    return (lo <= b && b <= hi) || (lo <= b + 360.0 && b + 360.0 <= hi);
}

int in_window(float xx, float yy, float zz, int ns1, int /*nwp*/, std::span<const float> tpx,
              std::span<const float> tpy, std::span<const float> tpalt, std::span<const float> tpwid,
              std::span<const float> tphei, std::span<const float> tp_dx, std::span<const float> tp_dy) {
    const int n = ns1;
    if (n < 0 || n >= common_size(tpx, tpy, tpalt, tpwid, tphei, tp_dx, tp_dy)) {
        return 0;
    }
    const auto k = static_cast<std::size_t>(n);
    const double dx = double{tpx[k]} - xx;
    const double dy = double{tpy[k]} - yy;
    const double h = length(dx, dy);
    const double half_width = tpwid[k] / 2.0;
    const double z1 = double{tpalt[k]} - tphei[k] / 2.0;
    const double z2 = double{tpalt[k]} + tphei[k] / 2.0;
    console_line("in_window " + i2b(n) + " " + number(h) + " " + number(half_width) + " " + number(z1) + " " +
                 number(zz) + " " + number(z2));
    if (!(half_width > h && z1 <= zz && zz <= z2)) {
        return 0;
    }
    const double ps = dx * tp_dx[k] + dy * tp_dy[k];
    const int side = ps > 0.0 ? 1 : 2;
    console_line("in_window " + i2b(n) + " " + number(h) + " " + number(ps) + " " + i2b(side));
    return side;
}

void opt_branch(int np, int nb_wp, std::span<const float> tpx, std::span<const float> tpy,
                std::span<const int> tpang, std::span<const int> tprad, float& dxtgt, float& dytgt) {
    dxtgt = 0.0f;
    dytgt = 0.0f;
    const int size = common_size(tpx, tpy, tpang, tprad);
    if (np < 1 || np >= size || tpang[static_cast<std::size_t>(np)] != kCylinderAngle) {
        return;
    }
    const auto vector = [&](int i, int j, double& vx, double& vy) {
        vx = double{tpx[static_cast<std::size_t>(j)]} - tpx[static_cast<std::size_t>(i)];
        vy = double{tpy[static_cast<std::size_t>(j)]} - tpy[static_cast<std::size_t>(i)];
    };
    double dx = 0.0;
    double dy = 0.0;
    if (np == 1) {
        if (size < 3) {
            return;
        }
        vector(1, 2, dx, dy);
    } else if (np < nb_wp - 1) {
        if (np + 1 >= size) {
            return;
        }
        double ux = 0.0;
        double uy = 0.0;
        vector(np, np + 1, ux, uy);
        const double lu = length(ux, uy);
        if (lu > 0.0) {
            ux /= lu;
            uy /= lu;
        }
        double vx = 0.0;
        double vy = 0.0;
        vector(np - 1, np, vx, vy);
        const double lv = length(vx, vy);
        dx = lv > 0.0 ? ux - vx / lv : ux;
        dy = lv > 0.0 ? uy - vy / lv : uy;
    } else if (np == nb_wp - 1) {
        vector(np, np - 1, dx, dy);
    } else {
        return;  // beyond the finish
    }
    const double l = length(dx, dy);
    if (l > 0.0) {
        const double radius = tprad[static_cast<std::size_t>(np)];
        dxtgt = to_float(dx / l * radius);
        dytgt = to_float(dy / l * radius);
    }
}

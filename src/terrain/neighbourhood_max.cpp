// alt_voisinage: the highest terrain round every cell, over the 11 x 11 cells
// centred on it. The maximum over a square is the maximum along x of the
// maxima along y, so the work is two passes of 11 comparisons a cell instead
// of 121, each pass running along whole columns.

#include <algorithm>
#include <span>

#include "terrain/grid_access.h"

namespace {

// Half-width of the neighbourhood, cells.
constexpr int kReach = 5;

// out[k] = max(0, in[k - 5 .. k + 5] within the column).
void column_max(std::span<const float> in, std::span<float> out) {
    const int n = static_cast<int>(in.size());
    std::fill(out.begin(), out.end(), 0.0f);
    for (int d = -kReach; d <= kReach; ++d) {
        const int lo = std::max(0, -d);
        const int hi = std::min(n, n - d);
        for (int k = lo; k < hi; ++k) {
            out[k] = std::max(out[k], in[k + d]);
        }
    }
}

}  // namespace

void alt_voisinage() {
    const CellTable<float>& zp = altitude.zp;
    const int ni = zp.ni();
    const int nj = zp.nj();
    CellTable<float> along_y(ni, nj, 0.0f);
    for (int i = 1; i <= ni; ++i) {
        column_max(zp.column(i), along_y.column(i));
    }
    CellTable<float>& mx5 = altitude.zp_mx5;
    mx5.assign(ni, nj, 0.0f);
    for (int i = 1; i <= ni; ++i) {
        const std::span<float> out = mx5.column(i);
        for (int u = std::max(1, i - kReach); u <= std::min(ni, i + kReach); ++u) {
            const std::span<const float> in = along_y.column(u);
            for (int k = 0; k < nj; ++k) {
                out[k] = std::max(out[k], in[k]);
            }
        }
    }
}

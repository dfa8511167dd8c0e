#include "airspace/airspace_grid.h"

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <new>
#include <string>

#include "airspace/airspace_mod.h"
#include "airspace/airspace_records.h"
#include "airspace/airspace_trace.h"
#include "airspace/plane_geometry.h"
#include "foundation/airspace_names.h"
#include "foundation/fortran_format.h"
#include "foundation/gui_hooks.h"
#include "foundation/log.h"
#include "foundation/message_records.h"
#include "foundation/number_text.h"
#include "foundation/stopwatch.h"
#include "foundation/tell.h"

namespace {

// Cell size the sizing starts from, metres.
constexpr float kStartCellSize = 30.0f;
// Cell size above which the budget is worth raising, metres.
constexpr float kAdviceCellSize = 100.0f;
// Cells a MiB of budget holds at 4 bytes a cell.
constexpr long long kCellsPerMegabyte = 262144;
constexpr double kBytesPerMegabyte = 1048576.0;
// Least cells a zone gets along each axis.
constexpr int kLeastCells = 2;

// Cells along one side of a zone's box for a cell size.
int cells_along(float extent, float dgri) { return std::max(kLeastCells, nearest_int(std::max(extent, 0.0f) / dgri)); }

float width_of(const AirspaceLimits& lim) { return std::max(lim[kLimXmax] - lim[kLimXmin], 0.0f); }
float height_of(const AirspaceLimits& lim) { return std::max(lim[kLimYmax] - lim[kLimYmin], 0.0f); }

struct Sizing {
    long long cells = 0;    // of all zones
    int smallest = 0;       // smallest of a zone's two sides, over the zones
    int largest = 0;        // largest of them
};

Sizing size_zones(int zones, float dgri) {
    Sizing sizing;
    sizing.smallest = 1000000;
    for (int nz = 0; nz < zones; ++nz) {
        const AirspaceLimits& lim = as0001.as_lim[static_cast<std::size_t>(nz)];
        const int nnxx = cells_along(width_of(lim), dgri);
        const int nnyy = cells_along(height_of(lim), dgri);
        sizing.cells += static_cast<long long>(nnxx) * nnyy;
        sizing.smallest = std::min(sizing.smallest, std::min(nnxx, nnyy));
        sizing.largest = std::max(sizing.largest, std::max(nnxx, nnyy));
    }
    return sizing;
}

void trace_sizing(float dgri, const Sizing& sizing) {
    if (airspace_trace_enabled()) {
        const long long bytes = 4 * sizing.cells;
        airspace_trace(fortran_write("(F10.1,2(1X,I8),3(1X,I12))",
                                     {dgri, sizing.smallest, sizing.largest, sizing.cells, bytes,
                                      bytes / static_cast<long long>(kBytesPerMegabyte)}));
    }
}

void report_cell_size(float dgri, long long cells) {
    std::string english = "Airspace grid size: " + f2b(dgri, "(F10.1)");
    std::string french = "Taille de grille des espaces a\xE9riens : " + f2b(dgri, "(F10.1)");
    if (dgri <= kAdviceCellSize) {
        log_message_f(in_user_language(english, french));
        return;
    }
    // MiB that 100 m cells would take.
    const double needed_bytes = 4.0 * static_cast<double>(cells) * 0.0001 * static_cast<double>(dgri) * dgri;
    const std::string needed = i2b(nearest_int(std::floor(needed_bytes / kBytesPerMegabyte)) + 1);
    english += "/Increase airspace memory size to " + needed + " MB or above if possible";
    french += "/Augmenter si possible la m\xE9moire des espaces a\xE9riens \xE0 " + needed + " Mo ou plus";
    if (airspace_trace_enabled()) {
        airspace_trace(i2b(static_cast<int>(english.size())) + " " + english);
    }
    const std::string text = in_user_language(english, french);
    if (peldbg00.qdis_wrn) {
        log_message_f(text);
    } else {
        tell_and_count(kWarning, text);
    }
}

[[noreturn]] void allocation_failed(const std::string& table) {
    tell_and_count(kError,
                   in_user_language("Allocate " + table + " failed", "Allocation de " + table + " impossible"));
    end_run("", kExitConversionFailed);
}

// The zone's ring in the model's points; empty when its indices do not lie
// in the table.
std::span<const PlanePoint> ring_of(const AirspaceRing& ring) {
    const std::span<const PlanePoint> points(airspace_mod.as_pp);
    if (ring.first < 0 || ring.count < 0 ||
        static_cast<std::size_t>(ring.first) + static_cast<std::size_t>(ring.count) > points.size()) {
        return {};
    }
    return points.subspan(static_cast<std::size_t>(ring.first), static_cast<std::size_t>(ring.count));
}

void trace_zone(int nz, const AirspaceLimits& lim) {
    if (!airspace_trace_enabled()) {
        return;
    }
    std::string name;
    int length = 0;
    get_as_name(nz, name, length);
    airspace_trace("");
    airspace_trace(fortran_write("(I6,1X,A)", {nz, name}));
    airspace_trace(fortran_write("(6(1X,F12.1))", {lim[1], lim[2], lim[3], lim[4], lim[5], lim[6]}));
    airspace_trace(fortran_write("(3(1X,F12.1))", {lim[kLimCentreX], lim[kLimCentreY], lim[kLimHalfDiagonal]}));
    airspace_trace(fortran_write("(4(1X,1PE14.7))", {lim[kLimDx], lim[kLimDxInv], lim[kLimDy], lim[kLimDyInv]}));
    airspace_trace("");
}

}  // namespace

bool raster_budget_valid() {
    const int megabytes = as0003.as_maxmeg;
    if (megabytes >= kLeastRasterMegabytes && megabytes <= kMostRasterMegabytes) {
        return true;
    }
    const std::string given = i2b(megabytes);
    tell_and_count(kError, in_user_language("Airspace memory size must be 1 to 4096 MB, not " + given + " MB",
                                            "La m\xE9moire des espaces a\xE9riens doit \xEAtre de 1 \xE0 4096 Mo, "
                                            "pas " + given + " Mo"));
    return false;
}

int airspace_grid(int nbzon, NodeFill fill) {
    const float start = elapsed_time();
    prg_bar(-6);
    if (!raster_budget_valid()) {
        return 0;
    }
    AirspaceMod& mod = airspace_mod;
    const int zones = std::clamp(nbzon, 0, static_cast<int>(mod.as_nb.size()));
    const long long budget = static_cast<long long>(as0003.as_maxmeg) * kCellsPerMegabyte;
    if (static_cast<long long>(kLeastCells) * kLeastCells * zones > budget) {
        const std::string count = i2b(zones);
        const std::string least = i2b(static_cast<int>(
            (static_cast<long long>(kLeastCells) * kLeastCells * zones + kCellsPerMegabyte - 1) / kCellsPerMegabyte));
        tell_and_count(kError,
                       in_user_language("Airspace memory size too small for " + count + " airspaces: at least " +
                                            least + " MB",
                                        "M\xE9moire des espaces a\xE9riens trop petite pour " + count +
                                            " espaces : au moins " + least + " Mo"));
        return 0;
    }
    if (as0001.as_lim.size() < static_cast<std::size_t>(zones)) {
        as0001.as_lim.resize(static_cast<std::size_t>(zones));
    }
    try {
        mod.as_gr_dim.assign(static_cast<std::size_t>(zones), AirspaceGridDim{});
    } catch (const std::bad_alloc&) {
        allocation_failed("AS_GR_DIM");
    }
    try {
        mod.as_inreachrect.assign(static_cast<std::size_t>(zones), false);
    } catch (const std::bad_alloc&) {
        allocation_failed("AS_InReachRect");
    }

    float dgri = kStartCellSize;
    Sizing sizing = size_zones(zones, dgri);
    trace_sizing(dgri, sizing);
    const long long sized_cells = sizing.cells;
    while (sizing.cells > budget) {
        const auto factor = static_cast<float>(
            1.001 * std::sqrt(4.0 * static_cast<double>(sizing.cells) / (as0003.as_maxmeg * kBytesPerMegabyte)));
        dgri *= factor;
        if (airspace_trace_enabled()) {
            airspace_trace(fortran_write("(2(1X,F12.4))", {factor, dgri}));
        }
        sizing = size_zones(zones, dgri);
        trace_sizing(dgri, sizing);
    }
    report_cell_size(dgri, sizing.cells);

    const auto cells = static_cast<std::size_t>(sizing.cells) + kSpareCells + 1;
    try {
        mod.as_gr.code.assign(cells, kCellOutside);
        mod.as_gr.seg.assign(cells, kNoSegment);
    } catch (const std::bad_alloc&) {
        mod.as_gr = AirspaceRaster{};
        allocation_failed("AS_GR");
    }
    if (airspace_trace_enabled()) {
        airspace_trace(fortran_write("('ALLOCATE(AS_GR)',1X,I12,1X,I2)", {2 * sizing.cells + 256, 0}));
    }

    int offset = 0;
    int last_tenth = 0;
    for (int nz = 0; nz < zones; ++nz) {
        const int percent = nearest_int((nz + 1) * 100.0 / zones);
        if (percent / 10 > last_tenth) {
            prg_bar(percent);
            last_tenth = percent / 10;
        }
        AirspaceLimits& lim = as0001.as_lim[static_cast<std::size_t>(nz)];
        const float width = width_of(lim);
        const float height = height_of(lim);
        ZoneGrid grid;
        grid.xmin = lim[kLimXmin];
        grid.ymin = lim[kLimYmin];
        grid.nnxx = cells_along(width, dgri);
        grid.nnyy = cells_along(height, dgri);
        grid.dx = equal_part(width, grid.nnxx);
        grid.dy = equal_part(height, grid.nnyy);
        mod.as_gr_dim[static_cast<std::size_t>(nz)] = AirspaceGridDim{offset, grid.nnxx, grid.nnyy};
        lim[kLimDx] = grid.dx;
        lim[kLimDxInv] = grid.dx > 0.0f ? 1.0f / grid.dx : 0.0f;
        lim[kLimDy] = grid.dy;
        lim[kLimDyInv] = grid.dy > 0.0f ? 1.0f / grid.dy : 0.0f;
        lim[kLimCentreX] = (lim[kLimXmin] + lim[kLimXmax]) / 2.0f;
        lim[kLimCentreY] = (lim[kLimYmin] + lim[kLimYmax]) / 2.0f;
        lim[kLimHalfDiagonal] = std::sqrt(width * width + height * height) / 2.0f;
        trace_zone(nz, lim);

        const AirspaceRing& ring = mod.as_nb[static_cast<std::size_t>(nz)];
        const auto zone_cells = static_cast<std::size_t>(grid.nnxx) * static_cast<std::size_t>(grid.nnyy);
        const auto from = static_cast<std::size_t>(offset) + 1;
        const ZoneRasterCounts counts =
            raster_zone(nz, ring_of(ring), ring.first, grid, fill, std::span(mod.as_gr.code).subspan(from, zone_cells),
                        std::span(mod.as_gr.seg).subspan(from, zone_cells));
        offset += static_cast<int>(zone_cells);
        if (airspace_trace_enabled()) {
            airspace_trace(fortran_write("(F8.4,1X,I8)", {static_cast<double>(counts.border_cells) /
                                                              static_cast<double>(zone_cells),
                                                          ring.count}));
        }
    }
    if (airspace_trace_enabled()) {
        airspace_trace(fortran_write("(2(1X,I12))", {sized_cells, sizing.cells}));
        airspace_trace(fortran_write("('airspace_grid',1X,F10.3)", {elapsed_time() - start}));
    }
    return 1;
}

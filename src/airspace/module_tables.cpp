#include "airspace/module_tables.h"

#include <algorithm>
#include <new>
#include <string>

#include "airspace/airspace_mod.h"
#include "airspace/airspace_trace.h"
#include "foundation/airspace_names.h"
#include "foundation/fixed_text.h"
#include "foundation/fortran_format.h"
#include "foundation/log.h"
#include "foundation/message_records.h"
#include "foundation/number_text.h"
#include "foundation/stopwatch.h"
#include "foundation/tell.h"
#include "foundation/terrain_extents.h"

namespace {

// Creates one table of n elements of `value`; a table that cannot be had is
// logged under its name.
template <class Table, class Value>
void create(Table& table, std::size_t n, const Value& value, const char* name, bool& failed) {
    try {
        table.assign(n, value);
    } catch (const std::bad_alloc&) {
        table.clear();
        log_message_f(std::string("Allocate ") + name + " failed");
        failed = true;
    }
}

}  // namespace

void copy_to_local(int& nbzon, std::span<const AirspaceZone> zon, std::span<PlanePoint> pp, int npt, int nzon,
                   int lmax1) {
    const float start = elapsed_time();
    const int zones = std::clamp(nzon, 0, static_cast<int>(zon.size()));
    const int points = std::clamp(npt, 0, static_cast<int>(pp.size()));
    if (airspace_trace_enabled()) {
        airspace_trace(fortran_write("('copy_to_local',2(1X,I6))", {nbzon, zones}));
    }
    nbzon = zones;
    as0001.nb_zon = zones;

    AirspaceMod& mod = airspace_mod;
    const auto nz = static_cast<std::size_t>(zones);
    bool failed = false;
    create(mod.as_pp, static_cast<std::size_t>(points), PlanePoint{}, "AS_PP", failed);
    create(mod.as_nb, nz, AirspaceRing{}, "AS_NB", failed);
    create(mod.as_dt, nz, 0.0f, "AS_DT", failed);
    create(mod.as_act, nz, false, "AS_Act", failed);
    create(mod.as_near, nz, false, "AS_Near", failed);
    create(mod.as_in, nz, false, "AS_In", failed);
    create(mod.as_is_derog, nz, false, "AS_Is_Derog", failed);
    create(mod.as_nm, nz, std::string{}, "AS_NM", failed);
    if (failed) {
        tell_and_count(kError, in_user_language("Memory allocation error - see logfile",
                                                "Erreur d'allocation m\xE9moire - voir le journal"));
        end_run("", kExitConversionFailed);
    }

    const float width = trn001.x_scn_mx;
    for (int p = 0; p < points; ++p) {
        PlanePoint& point = pp[static_cast<std::size_t>(p)];
        mod.as_pp[static_cast<std::size_t>(p)] = point;
        point.x = width - point.x;
    }

    long long cells = 0;
    const auto cut = static_cast<std::size_t>(std::max(lmax1, 0));
    for (int n = 0; n < zones; ++n) {
        const auto k = static_cast<std::size_t>(n);
        const AirspaceZone& z = zon[k];
        if (peldbg00.qdbg_l_0 && airspace_trace_enabled()) {
            airspace_trace(fortran_write("(4(1X,I8))", {n, z.typ, z.first, z.last}));
        }
        mod.as_nb[k] = AirspaceRing{z.typ, z.first, z.last - z.first + 1};
        std::string name;
        int length = 0;
        get_as_name(n, name, length);
        mod.as_nm[k] = fit_field(name, cut);
        mod.as_dt[k] = 0.0f;
        mod.as_act[k] = true;
        mod.as_is_derog[k] = z.typ == kClassG || z.typ == kClassGsec;
        if (airspace_trace_enabled() && k < as0001.as_lim.size()) {
            const AirspaceLimits& lim = as0001.as_lim[k];
            // A rough count of 100 m cells.
            const int nx = nearest_int(0.01 * (static_cast<double>(lim[kLimXmax]) - lim[kLimXmin]));
            const int ny = nearest_int(0.01 * (static_cast<double>(lim[kLimYmax]) - lim[kLimYmin]));
            cells += static_cast<long long>(nx) * ny;
            airspace_trace("");
            airspace_trace(mod.as_nm[k]);
            airspace_trace(fortran_write("(6(1X,F12.1))", {lim[1], lim[2], lim[3], lim[4], lim[5], lim[6]}));
            airspace_trace(fortran_write("(2(1X,I8))", {nx, ny}));
        }
    }
    if (airspace_trace_enabled()) {
        airspace_trace("");
        airspace_trace(fortran_write("(2(1X,I12))", {cells, cells / 262144}));
        airspace_trace("");
        airspace_trace(fortran_write("('copy_to_local',1X,F10.3)", {elapsed_time() - start}));
    }
}

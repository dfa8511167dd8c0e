#include "taskfiles/altitude_limits.h"

#include "foundation/fixed_text.h"
#include "foundation/fortran_format.h"
#include "foundation/number_text.h"
#include "taskfiles/task_model.h"
#include "taskfiles/task_zones.h"

namespace {

// Limits are worked out in double so that no height read from a plan can
// overflow them.

// v in whole metres, written in 5 characters and left-adjusted.
std::string full(double v) { return left_adjust(fmt_i(nearest_int(v), 5)); }

// v in whole hundreds of metres, written in 3 characters and left-adjusted.
std::string hundreds(double v) { return left_adjust(fmt_i(nearest_int(v * 0.01), 3)); }

void set_texts(double low, double high, const char* comment_head, std::string& p_nam, std::size_t nam_capacity,
               std::string& p_comm, std::size_t comm_capacity) {
    p_comm = fit_field(comment_head + full(low) + "-" + full(high), comm_capacity);
    p_nam = fit_field(trim_right(p_nam) + " [" + hundreds(low) + "-" + hundreds(high) + "]", nam_capacity);
}

}  // namespace

void altitude_limits(int n, std::string& p_nam, std::size_t nam_capacity, std::string& p_comm,
                     std::size_t comm_capacity) {
    p_comm.clear();
    if (n < 0 || n >= kTurnpointSlots) {
        return;
    }
    const RdFpl1& t = rd_fpl_1;
    const auto k = static_cast<std::size_t>(n);
    if (zone_kind(n) == ZoneKind::window) {
        set_texts(window_bottom(n), window_top(n), "Condor window : alt. limits=", p_nam, nam_capacity, p_comm,
                  comm_capacity);
        return;
    }
    const bool has_upper = t.tphei[k] != 0.0f && t.tphei[k] < kNoMaximumAltitude;
    if (has_upper || t.tpwid[k] > 0.0f) {
        set_texts(t.tpwid[k], t.tphei[k], "Alt. limits=", p_nam, nam_capacity, p_comm, comm_capacity);
    }
}

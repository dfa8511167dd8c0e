#include "airspace/map_overlap.h"

#include <algorithm>
#include <string>

#include "airspace/airspace_records.h"
#include "airspace/airspace_trace.h"
#include "airspace/airspace_window.h"
#include "airspace/plane_geometry.h"
#include "foundation/fixed_text.h"
#include "foundation/fortran_format.h"
#include "foundation/message_records.h"
#include "foundation/messages.h"
#include "foundation/number_text.h"
#include "foundation/reach_settings.h"
#include "foundation/tell.h"
#include "foundation/terrain_extents.h"
#include "platform/dialogs.h"
#include "taskfiles/task_geometry.h"
#include "taskfiles/task_model.h"

namespace {

// Reach margin of the navigation mode, metres: its least and largest value,
// and half a reach cell of 90 m.
constexpr float kLeastReachMargin = 25000.0f;
constexpr float kLargestReachMargin = 100000.0f;
constexpr float kHalfReachCell = 45.0f;
// Rectangles along the longer side of the reach extents.
constexpr float kRectanglesAlong = 30.0f;
// Terrain grid counts are multiples of this.
constexpr int kGridMultiple = 64;

struct Edges {
    bool east = false;
    bool west = false;
    bool south = false;
    bool north = false;
    bool any() const { return east || west || south || north; }
};

Edges crop_edges(float x1, float x2, float y1, float y2) {
    Edges edges;
    crop(x1, x2, y1, y2, trn001.x_scn_mx, trn001.y_scn_mx, edges.east, edges.west, edges.south, edges.north);
    return edges;
}

// " E," " W," " S," " N," for the edges run over, the last comma a blank.
std::string edge_letters(const Edges& edges) {
    std::string text;
    for (const auto& [flag, letter] : {std::pair{edges.east, " E,"}, std::pair{edges.west, " W,"},
                                       std::pair{edges.south, " S,"}, std::pair{edges.north, " N,"}}) {
        if (flag) {
            text += letter;
        }
    }
    if (!text.empty() && text.back() == ',') {
        text.back() = ' ';
    }
    return text;
}

bool console_messages() { return cmndta001.qline || pelrn02.qbatch; }

void overlap_message(int severity, const std::string& english, const std::string& french) {
    error_message_pxr(severity, loca_c.msg_tit, in_user_language(english, french), console_messages());
}

// The download question; -1 for yes, 0 for no.
int ask_download(const Edges& edges) {
    const std::string name = trim_right(loca_c.infile);
    const std::string letters = edge_letters(edges);
    const std::string text = in_user_language(
        name + "\nThe track extends beyond the map:" + letters +
            "\nNo processing possible\n\nDo you want to download topographic data for this task ?",
        name + "\nLe circuit s'\xE9tend au del\xE0 de la carte :" + letters +
            "\nTraitement impossible\n\nVoulez-vous t\xE9l\xE9" "charger la topographie pour ce circuit ?");
    return tinyfd_messageBox("Tarvex", text, "yesno", "question", 1) == 1 ? -1 : 0;
}

int track_points() {
    const int stored = std::max(static_cast<int>(pelloran_mod.ppsec.size()) - 1, 0);
    return std::clamp(loca02.ntot, 0, stored);
}

const TrackPoint& track_point(int n) { return pelloran_mod.ppsec[static_cast<std::size_t>(n)]; }

void trace_extents(const char* title, float x1, float x2, float y1, float y2) {
    if (airspace_trace_enabled()) {
        airspace_trace(fortran_write("(A,4(1X,F12.1))", {title, x1, x2, y1, y2}));
    }
}

void set_window(float x1, float x2, float y1, float y2) {
    as0002.as_xmin = x1;
    as0002.as_xmax = x2;
    as0002.as_ymin = y1;
    as0002.as_ymax = y2;
}

void fill_rectangles() {
    Trn002& r = trn002;
    for (auto& column : r.qrect) {
        column.fill(false);
    }
    const float xs = trn001.xmax_r - trn001.xmin_r;
    const float ys = trn001.ymax_r - trn001.ymin_r;
    const float size = std::max(xs, ys) / kRectanglesAlong;
    r.nx_rect = size > 0.0f ? std::clamp(nearest_int(xs / size), 2, kRectSlots) : 2;
    r.ny_rect = size > 0.0f ? std::clamp(nearest_int(ys / size), 2, kRectSlots) : 2;
    r.dx_rect = equal_part(xs, r.nx_rect);
    r.dy_rect = equal_part(ys, r.ny_rect);
    r.xorg_rect = trn001.xmin_r;
    r.yorg_rect = trn001.ymin_r;
    if (pelrn00.qnav) {
        for (int i = 1; i <= kRectSlots; ++i) {
            for (int j = 1; j <= kRectSlots; ++j) {
                r.qrect[static_cast<std::size_t>(i)][static_cast<std::size_t>(j)] = true;
            }
        }
    } else {
        for (int n = 1; n <= track_points(); ++n) {
            const TrackPoint& p = track_point(n);
            const float reach = p[3] * loca00.fcalc;
            const int i1 = rect_index(p[1] - reach, r.xorg_rect, r.dx_rect, r.nx_rect);
            const int i2 = rect_index(p[1] + reach, r.xorg_rect, r.dx_rect, r.nx_rect);
            const int j1 = rect_index(p[2] - reach, r.yorg_rect, r.dy_rect, r.ny_rect);
            const int j2 = rect_index(p[2] + reach, r.yorg_rect, r.dy_rect, r.ny_rect);
            for (int i = i1; i <= i2; ++i) {
                for (int j = j1; j <= j2; ++j) {
                    r.qrect[static_cast<std::size_t>(i)][static_cast<std::size_t>(j)] = true;
                }
            }
        }
    }
    if (airspace_trace_enabled()) {
        airspace_trace(fortran_write("('NR=XY',2(1X,I4),2(1X,F12.1))", {r.nx_rect, r.ny_rect, r.dx_rect, r.dy_rect}));
        if (peldbg00.qdbg_l_0) {
            for (int j = kRectSlots; j >= 1; --j) {
                std::vector<FortranValue> row;
                for (int i = 1; i <= kRectSlots; ++i) {
                    row.emplace_back(r.qrect[static_cast<std::size_t>(i)][static_cast<std::size_t>(j)]);
                }
                airspace_trace(fortran_write("(50(1X,L1))", row));
            }
        }
    }
}

// Makes the count of cells from `first` a multiple of 64 within a grid of
// `size` cells (numbered from 1), holding the cells first .. first + count - 1
// that were asked for: the count is raised to the next multiple when the grid
// holds that many from `first` on, or from an earlier start that ends at the
// grid's last cell; only a grid narrower than the raised count lowers it, to
// the multiple below, from `first` on (a grid of fewer than 64 cells gets
// none).
void fit_multiple(int& first, int& count, int size) {
    const int raised = std::max((count + kGridMultiple - 1) / kGridMultiple, 0) * kGridMultiple;
    if (raised <= size) {
        count = raised;
        first = std::min(first, size - count + 1);
        return;
    }
    count = std::max(count / kGridMultiple, 0) * kGridMultiple;
}

// The reach extents (landscape frame) on the edges of the cells: columns
// i_00 .. ilast are counted from the west edge, where x is x_scn_mx.
void reach_from_cells(int ilast, int jlast) {
    trn001.xmin_r = trn001.x_scn_mx - static_cast<float>(ilast) * trn001.rew;
    trn001.xmax_r = trn001.x_scn_mx - static_cast<float>(trn001.i_00 - 1) * trn001.rew;
    trn001.ymin_r = static_cast<float>(trn001.j_00 - 1) * trn001.rns;
    trn001.ymax_r = static_cast<float>(jlast) * trn001.rns;
}

void trace_cells(const char* axis, float lo, float hi, int first, int count) {
    if (airspace_trace_enabled()) {
        airspace_trace(fortran_write("(A,2(1X,F12.1),3(1X,I8))", {axis, lo, hi, first, first + count - 1, count}));
    }
}

// The terrain grid's cells over the reach extents, numbered as the terrain
// code numbers them: columns from the west edge, in the grid frame
// xg = x_scn_mx - x (terrain/terrain_grid.h), rows from the south edge.
void fit_terrain_grid() {
    Trn001& t = trn001;
    const float xg_min = t.x_scn_mx - t.xmax_r;
    const float xg_max = t.x_scn_mx - t.xmin_r;
    t.i_00 = std::max(1, trunc_to_int(xg_min / t.rew) + 1);
    t.j_00 = std::max(1, trunc_to_int(t.ymin_r / t.rns) + 1);
    const int ilast = std::min(t.ni_scn, trunc_to_int(xg_max / t.rew) + 1);
    const int jlast = std::min(t.nj_scn, trunc_to_int(t.ymax_r / t.rns) + 1);
    t.ni_00 = ilast - t.i_00 + 1;
    t.nj_00 = jlast - t.j_00 + 1;
    trace_cells("I", t.xmin_r, t.xmax_r, t.i_00, t.ni_00);
    trace_cells("J", t.ymin_r, t.ymax_r, t.j_00, t.nj_00);
    reach_from_cells(ilast, jlast);
    trace_cells("X", t.xmin_r, t.xmax_r, t.i_00, t.ni_00);
    trace_cells("Y", t.ymin_r, t.ymax_r, t.j_00, t.nj_00);
    fit_multiple(t.i_00, t.ni_00, t.ni_scn);
    fit_multiple(t.j_00, t.nj_00, t.nj_scn);
    reach_from_cells(t.i_00 + t.ni_00 - 1, t.j_00 + t.nj_00 - 1);
    trace_cells("X", t.xmin_r, t.xmax_r, t.i_00, t.ni_00);
    trace_cells("Y", t.ymin_r, t.ymax_r, t.j_00, t.nj_00);
}

// What there is to check; false after an error message when nothing.
bool inputs_present(bool generating) {
    if (!(trn001.rew > 0.0f) || !(trn001.rns > 0.0f) || trn001.ni_scn < 1 || trn001.nj_scn < 1) {
        overlap_message(1, "Map overlap check: the terrain grid is not set",
             "Contr\xF4le de la carte : la grille du terrain n'est pas d\xE9" "finie");
        return false;
    }
    if (generating) {
        return true;
    }
    if (pelrn00.qnav && rd_fpl_0.nb_wp < 1) {
        overlap_message(1, "Map overlap check: the task has no turnpoint",
             "Contr\xF4le de la carte : le circuit n'a aucun point de virage");
        return false;
    }
    if (!pelrn00.qnav && track_points() < 1) {
        overlap_message(1, "Map overlap check: the track has no point",
                        "Contr\xF4le de la carte : la trace n'a aucun point");
        return false;
    }
    return true;
}

// Track extents, heights and glides of the recorded track.
void track_extents() {
    Trn001& t = trn001;
    double sum = 0.0;
    const int points = track_points();
    for (int n = 1; n <= points; ++n) {
        const TrackPoint& p = track_point(n);
        t.xmin = std::min(t.xmin, p[1]);
        t.xmax = std::max(t.xmax, p[1]);
        t.ymin = std::min(t.ymin, p[2]);
        t.ymax = std::max(t.ymax, p[2]);
        t.zmin = std::min(t.zmin, p[3]);
        t.zmax = std::max(t.zmax, p[3]);
        sum += p[3];
    }
    t.zmoy = points > 0 ? static_cast<float>(sum / points) : 0.0f;
}

// The reach extents and the window round the task's box.
void navigation_extents() {
    Trn001& t = trn001;
    const float half_width = (t.xmax - t.xmin) / 2.0f;
    const float half_height = (t.ymax - t.ymin) / 2.0f;
    const float reach_cells = kHalfReachCell * static_cast<float>(pelrn00.nrcdim0);
    const float largest = std::max({half_width, half_height, reach_cells});
    const float margin = std::clamp(largest, kLeastReachMargin, kLargestReachMargin);
    t.xmin_r = t.xmin - margin;
    t.xmax_r = t.xmax + margin;
    t.ymin_r = t.ymin - margin;
    t.ymax_r = t.ymax + margin;
    const float window = std::min(std::max(largest, kLeastReachMargin),
                                  static_cast<float>(pelrn00.maxtaskmargin) * 1000.0f);
    set_window(t.xmin - window, t.xmax + window, t.ymin - window, t.ymax + window);
}

// The reach extents of the track: every point widened by its glide reach.
void track_reach_extents() {
    Trn001& t = trn001;
    t.xmin_r = 1.0e10f;
    t.ymin_r = 1.0e10f;
    t.xmax_r = 0.0f;
    t.ymax_r = 0.0f;
    for (int n = 1; n <= track_points(); ++n) {
        const TrackPoint& p = track_point(n);
        const float reach = p[3] * loca00.fcalc;
        t.xmin_r = std::min(t.xmin_r, p[1] - reach);
        t.xmax_r = std::max(t.xmax_r, p[1] + reach);
        t.ymin_r = std::min(t.ymin_r, p[2] - reach);
        t.ymax_r = std::max(t.ymax_r, p[2] + reach);
    }
    if (as0003.qshow_unreach_as) {
        set_window(0.0f, t.x_scn_mx, 0.0f, t.y_scn_mx);
    } else {
        set_window(t.xmin_r, t.xmax_r, t.ymin_r, t.ymax_r);
    }
}

void cut_back_to_frame() {
    Trn001& t = trn001;
    t.xmin_r = std::max(t.xmin_r, 0.0f);
    t.xmax_r = std::min(t.xmax_r, t.x_scn_mx);
    t.ymin_r = std::max(t.ymin_r, 0.0f);
    t.ymax_r = std::min(t.ymax_r, t.y_scn_mx);
    set_window(std::max(as0002.as_xmin, 0.0f), std::min(as0002.as_xmax, t.x_scn_mx), std::max(as0002.as_ymin, 0.0f),
               std::min(as0002.as_ymax, t.y_scn_mx));
}

}  // namespace

int map_overlap() {
    Trn001& t = trn001;
    const bool generating = pelrn02.qgenmap || pelrn02.qgentrn;
    if (!inputs_present(generating)) {
        return 0;
    }
    if (!generating) {
        t.xmin = t.ymin = t.zmin = 1.0e10f;
        t.xmax = t.ymax = t.zmax = t.zmoy = 0.0f;
        if (pelrn00.qnav) {
            task_minmax(rd_fpl_0.nb_wp, rd_fpl_1.tpx, rd_fpl_1.tpy, rd_fpl_1.tprad, t.xmin, t.xmax, t.ymin, t.ymax);
        } else {
            track_extents();
        }
        trace_extents("Xmin, Xmax, Ymin, Ymax", t.xmin, t.xmax, t.ymin, t.ymax);
        if (airspace_trace_enabled()) {
            airspace_trace(fortran_write("('Zmax, Zmoy, Dmax, Dmoy',4(1X,F12.1))",
                                         {t.zmax, t.zmoy, t.zmax * loca00.fcalc, t.zmoy * loca00.fcalc}));
        }
        const Edges track = crop_edges(t.xmin, t.xmax, t.ymin, t.ymax);
        if (track.any()) {
            return ask_download(track);
        }
        if (pelrn00.qnav) {
            navigation_extents();
        } else {
            track_reach_extents();
        }
        trace_extents("MinMax   MinMax_R MinMax_AS", t.xmin, t.xmax, t.ymin, t.ymax);
        trace_extents("MinMax_R MinMax_AS", t.xmin_r, t.xmax_r, t.ymin_r, t.ymax_r);
        trace_extents("MinMax_AS", as0002.as_xmin, as0002.as_xmax, as0002.as_ymin, as0002.as_ymax);
        const Edges reach = crop_edges(t.xmin_r, t.xmax_r, t.ymin_r, t.ymax_r);
        if (reach.any()) {
            const std::string letters = edge_letters(reach);
            overlap_message(0, "Possible clearance tracks go beyond the map:" + letters + "/Some LAs could be ignored",
                 "Les d\xE9gagements possibles vont au del\xE0 de la carte :" + letters +
                     "/Certaines ZA pourraient ne pas \xEAtre prises en compte ");
            cut_back_to_frame();
        }
    } else {
        t.xmin_r = 0.0f;
        t.xmax_r = t.x_scn_mx;
        t.ymin_r = 0.0f;
        t.ymax_r = t.y_scn_mx;
        t.zmin = 1.0e10f;
        t.zmax = 0.0f;
        for (int n = 1; n <= track_points(); ++n) {
            t.zmin = std::min(t.zmin, track_point(n)[3]);
            t.zmax = std::max(t.zmax, track_point(n)[3]);
        }
    }
    fill_rectangles();
    fit_terrain_grid();
    return 1;
}

#include "forms/kit/engine_tables.h"

#include "forms/kit/engine_keys.h"

#include "cpw/cpw.h"

#include <algorithm>
#include <cmath>
#include <numbers>

EngineTables engine_tables;
EngineMetrics engine_metrics;
EngineState engine_state;
EngineWindow engine_window;

EngineTables::EngineTables() {
    inpt_OK.fill(1);
    inpt_act.fill(1);
    inpt_dep.fill(-1);
    inpt_ddl.fill(-1);
    rdio_set.fill(-1);
    ddl_inpt.fill(-1);
}

void reset_engine_tables() {
    engine_tables = EngineTables{};
}

void reset_engine_metrics() {
    engine_metrics = EngineMetrics{};
}

void reset_engine_state() {
    engine_state = EngineState{};
}

void reset_engine_window() {
    engine_window = EngineWindow{};
}

void reset_engine() {
    reset_engine_tables();
    reset_engine_metrics();
    reset_engine_state();
    reset_engine_window();
}

void engine_redraw() {
    if (engine_window.this_cpw != nullptr && engine_metrics.windowInfo.id != 0) {
        cpwPostWindowRedisplay(engine_window.this_cpw, engine_metrics.windowInfo.id);
    }
}

void engine_callback(int kind, int number, int value) {
    if (engine_window.callback != nullptr) {
        engine_window.callback(kind, number, value);
    }
}

void engine_recheck_refused() {
    EngineTables& t = engine_tables;
    const EngineChecks& c = engine_window.checks;
    for (int i = 0; i < t.nb_inpt; ++i) {
        const auto k = static_cast<std::size_t>(i);
        if (t.inpt_OK[k] != 0) {
            continue;
        }
        int ival = t.inpt_ival[k];
        float rval = t.inpt_rval[k];
        std::string cval = t.inpt_cval[k];
        std::string msg;
        int passed = c.check_values == nullptr ? 1 : c.check_values(i, t.inpt_act[k], ival, rval, cval, msg);
        if (passed != 0 && c.check_minmax != nullptr) {
            passed = c.check_minmax(i, ival, rval, cval, msg);
        }
        t.inpt_OK[k] = passed != 0 ? 1 : 0;
        if (passed == 0) {
            t.inpt_msg[k] = msg;
        }
    }
}

void set_frm_callback(FrmCallback callback) {
    engine_window.callback = callback;
}

void set_engine_checks(const EngineChecks& checks) {
    engine_window.checks = checks;
}

const EngineChecks& engine_checks() {
    return engine_window.checks;
}

int engine_list_count(int list) {
    if (list < 0 || list >= engine_max_lists) {
        return 0;
    }
    return engine_tables.ddl_nbli[static_cast<std::size_t>(list)];
}

std::string engine_list_entry(int list, int entry) {
    if (entry < 0 || entry >= engine_list_count(list)) {
        return {};
    }
    if (list == engine_tables.LndDDL) {
        return engine_tables.lnd_nam[static_cast<std::size_t>(entry)];
    }
    return engine_tables.ddl_txt[static_cast<std::size_t>(list)][static_cast<std::size_t>(entry)];
}

namespace {

std::string cut(std::string_view text, std::size_t capacity) {
    return std::string(text.substr(0, capacity));
}

// A count held within its table.
int held(int count, int table) {
    return std::clamp(count, 0, table);
}

bool in_table(int index, int table) {
    return index >= 0 && index < table;
}

// The shown text of a KEY box's code.
std::string key_text(int code) {
    std::string name;
    return get_key_name(code, name) > 0 ? name : std::string("??????");
}

}  // namespace

void set_opt(const FrmOptions& options) {
    reset_engine_tables();
    engine_metrics.ActWin = options.active;
    engine_metrics.font_size = options.font_size;
    engine_metrics.DEBUG = options.debug;
}

bool add_inpt(int count, int index, const FrmInptDef& box) {
    EngineTables& t = engine_tables;
    t.nb_inpt = held(count, engine_max_boxes);
    if (!in_table(index, engine_max_boxes)) {
        return false;
    }
    const auto i = static_cast<std::size_t>(index);
    t.inpt_txt[i] = cut(box.label, engine_label_chars);
    t.inpt_cval[i] = cut(box.value, engine_value_chars);
    t.inpt_msg[i].clear();
    t.inpt_ext[i] = cut(box.pattern, engine_pattern_chars);
    t.inpt_pos[i] = {box.position[0], box.position[1], 0, 0};
    t.inpt_ptx[i] = {box.position[2], box.position[3]};
    t.inpt_ovr[i] = {0, 0, 0, 0};
    t.inpt_ival[i] = box.ival;
    t.inpt_rval[i] = box.rval;
    t.inpt_siz[i] = box.size;
    t.inpt_typ[i] = box.type;
    t.inpt_arr[i] = box.arrows;
    t.inpt_act[i] = box.active;
    t.inpt_dep[i] = box.dependency;
    t.inpt_ddl[i] = in_table(box.list, engine_max_lists) ? box.list : -1;
    t.inpt_OK[i] = 1;
    t.inpt_inc[i] = 0;
    t.inpt_ofs[i] = 0;
    if (box.type == frm_type_key && box.ival != 0) {
        t.inpt_cval[i] = key_text(box.ival);
    }
    return true;
}

bool add_subt(int count, int index, std::string_view text, const std::array<int, 2>& position) {
    engine_tables.nb_subt = held(count, engine_max_titles);
    if (!in_table(index, engine_max_titles)) {
        return false;
    }
    engine_tables.subt_txt[static_cast<std::size_t>(index)] = cut(text, engine_label_chars);
    engine_tables.subt_pos[static_cast<std::size_t>(index)] = position;
    return true;
}

bool add_sepa(int count, std::span<const std::array<int, 4>> positions) {
    const int n = std::min(held(count, engine_max_separators), static_cast<int>(positions.size()));
    engine_tables.nb_sepa = n;
    for (std::size_t i = 0; i < static_cast<std::size_t>(n); ++i) {
        engine_tables.sepa_pos[i] = positions[i];
    }
    return n == count;
}

bool add_ddl(int list, int count, int entry, std::string_view text) {
    if (!in_table(list, engine_max_lists)) {
        return false;
    }
    const auto l = static_cast<std::size_t>(list);
    engine_tables.ddl_nbli[l] = held(count, engine_max_entries);
    if (!in_table(entry, engine_max_entries)) {
        return false;
    }
    engine_tables.ddl_txt[l][static_cast<std::size_t>(entry)] = cut(text, engine_entry_chars);
    return true;
}

bool add_lnd(int list, int count, int entry, std::string_view text) {
    if (!in_table(list, engine_max_lists)) {
        return false;
    }
    engine_tables.LndDDL = list;
    engine_tables.ddl_nbli[static_cast<std::size_t>(list)] = held(count, engine_max_landscapes);
    if (!in_table(entry, engine_max_landscapes)) {
        return false;
    }
    engine_tables.lnd_nam[static_cast<std::size_t>(entry)] = std::string(text);
    return true;
}

bool add_rdio(int count, const std::array<int, engine_max_groups>& member_counts,
              const std::array<std::array<int, engine_max_members>, engine_max_groups>& members) {
    EngineTables& t = engine_tables;
    t.rdio_set.fill(-1);
    t.nb_rdio = held(count, engine_max_groups);
    bool all = t.nb_rdio == count;
    int largest = 0;
    for (std::size_t g = 0; g < static_cast<std::size_t>(t.nb_rdio); ++g) {
        const int n = held(member_counts[g], engine_max_members);
        all = all && n == member_counts[g];
        int kept = 0;
        for (std::size_t j = 0; j < static_cast<std::size_t>(n); ++j) {
            const int box = members[g][j] - 1;
            if (!in_table(box, engine_max_boxes)) {
                continue;  // a name that matched no box
            }
            t.tick_rdio[g][static_cast<std::size_t>(kept++)] = box;
            t.rdio_set[static_cast<std::size_t>(box)] = static_cast<int>(g);
            largest = std::max(largest, t.inpt_siz[static_cast<std::size_t>(box)]);
        }
        t.tick_rdio_count[g] = kept;
    }
    // The circle of the radio buttons: enough points for the largest one.
    const double points = std::floor(largest * std::numbers::pi / 1.5) + 1.0;
    t.NCRad = static_cast<int>(std::clamp(points, 1.0, static_cast<double>(engine_circle_points)));
    for (std::size_t k = 0; k < static_cast<std::size_t>(t.NCRad); ++k) {
        const double a = static_cast<double>(k) * 2.0 * std::numbers::pi / t.NCRad + std::numbers::pi / 4.0;
        t.pprad[k] = {static_cast<float>(std::cos(a)), static_cast<float>(std::sin(a))};
    }
    return all;
}

bool add_butt(int count, int index, std::string_view text, const std::array<int, 2>& position, int width, int type) {
    engine_tables.nb_butt = held(count, engine_max_buttons);
    if (!in_table(index, engine_max_buttons)) {
        return false;
    }
    const auto b = static_cast<std::size_t>(index);
    engine_tables.butt_txt[b] = cut(text, engine_value_chars);
    engine_tables.butt_pos[b] = {position[0], position[1], 0, 0};
    engine_tables.butt_siz[b] = width;
    engine_tables.butt_typ[b] = type;
    engine_tables.butt_down[b] = 0;
    return true;
}

void set_inpt_props(int index, std::string_view label, int active, int type, std::string_view pattern, int refresh) {
    if (!engine_box_ok(index)) {
        return;
    }
    const auto i = static_cast<std::size_t>(index);
    engine_tables.inpt_txt[i] = cut(label, engine_label_chars);
    engine_tables.inpt_ext[i] = cut(pattern, engine_pattern_chars);
    engine_tables.inpt_act[i] = active;
    engine_tables.inpt_typ[i] = type;
    if (refresh != 0) {
        engine_redraw();
    }
}

void set_inpt_val(int index, int ival, float rval, std::string_view text) {
    if (!engine_box_ok(index)) {
        return;
    }
    EngineTables& t = engine_tables;
    const auto i = static_cast<std::size_t>(index);
    t.inpt_rval[i] = rval;
    if (t.inpt_typ[i] == frm_type_ddl) {
        const int n = engine_list_count(t.inpt_ddl[i]);
        t.inpt_ival[i] = n > 0 ? std::clamp(ival, 0, n - 1) : 0;
        t.inpt_cval[i] = engine_list_entry(t.inpt_ddl[i], t.inpt_ival[i]);
    } else if (t.inpt_typ[i] == frm_type_key && ival != 0) {
        t.inpt_ival[i] = ival;
        t.inpt_cval[i] = key_text(ival);
    } else {
        t.inpt_ival[i] = ival;
        t.inpt_cval[i] = cut(text, engine_value_chars);
    }
    check_depend();
    engine_recheck_refused();
    engine_redraw();
}

void set_subt(int index, std::string_view text, int refresh) {
    if (index < 0 || index >= engine_tables.nb_subt) {
        return;
    }
    engine_tables.subt_txt[static_cast<std::size_t>(index)] = cut(text, engine_label_chars);
    if (refresh != 0) {
        engine_redraw();
    }
}

int get_box_val(int index, int& ival, float& rval, std::string& text) {
    if (!in_table(index, engine_max_boxes)) {
        return 0;
    }
    const auto i = static_cast<std::size_t>(index);
    ival = engine_tables.inpt_ival[i] + (engine_tables.inpt_typ[i] == frm_type_ddl ? 1 : 0);
    rval = engine_tables.inpt_rval[i];
    text = engine_tables.inpt_cval[i];
    return 1;
}

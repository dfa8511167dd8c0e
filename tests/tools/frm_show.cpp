// tarvex_frm_show: shows a form-definition file in a window of its own and
// prints what the form kit makes of it: the layout of every box, button,
// title and separator, every callback of the form while it runs, and the
// exit status of the run.
//
//   tarvex_frm_show FILE.frm [--layout]
//
// FILE is a host path or a Windows path. With --layout the form is laid out
// and printed, not run. Exit code: 0 when the form ran (or was laid out), 1
// when it could not be read or shown, 2 on a usage error.

#include "forms/kit/engine.h"
#include "forms/kit/engine_tables.h"
#include "forms/kit/form_accessors.h"
#include "forms/kit/form_create.h"
#include "forms/kit/form_reader.h"

#include "platform/path_map.h"

#include <iostream>
#include <string>

namespace {

constexpr const char* kUsage = "usage: tarvex_frm_show FILE.frm [--layout]";

std::string rect(const Rect& r) {
    return "(" + std::to_string(r[0]) + "," + std::to_string(r[1]) + ")-(" + std::to_string(r[2]) + "," +
           std::to_string(r[3]) + ")";
}

void print_layout() {
    const EngineTables& t = engine_tables;
    const EngineMetrics& m = engine_metrics;
    std::cout << "window " << m.windowInfo.width << " x " << m.windowInfo.height << ", font size " << m.font_size
              << ", character " << m.DxI << " x " << m.DyI << ", margin " << m.Yoffset << '\n';
    for (int i = 0; i < t.nb_inpt; ++i) {
        const auto k = static_cast<std::size_t>(i);
        std::string name;
        frm_get_name(i + 1, name);
        std::cout << "box " << i + 1 << " " << name << " type " << t.inpt_typ[k] << " at " << rect(t.inpt_pos[k])
                  << " label \"" << t.inpt_txt[k] << "\" at (" << t.inpt_ptx[k][0] << "," << t.inpt_ptx[k][1] << ")"
                  << (t.inpt_act[k] != 0 ? "" : " greyed") << (t.inpt_ddl[k] >= 0 ? " list " + std::to_string(t.inpt_ddl[k] + 1) : "")
                  << " value \"" << t.inpt_cval[k] << "\"\n";
    }
    for (int b = 0; b < t.nb_butt; ++b) {
        const auto k = static_cast<std::size_t>(b);
        std::cout << "button " << b + 1 << " \"" << t.butt_txt[k] << "\" type " << t.butt_typ[k] << " at "
                  << rect(t.butt_pos[k]) << '\n';
    }
    for (int s = 0; s < t.nb_subt; ++s) {
        const auto k = static_cast<std::size_t>(s);
        std::cout << "title " << s + 1 << " \"" << t.subt_txt[k] << "\" at (" << t.subt_pos[k][0] << ","
                  << t.subt_pos[k][1] << ")\n";
    }
    for (int s = 0; s < t.nb_sepa; ++s) {
        std::cout << "separator " << s + 1 << " " << rect(t.sepa_pos[static_cast<std::size_t>(s)]) << '\n';
    }
}

void print_callback(int kind, int number, int value) {
    std::cout << "callback " << kind << " " << number << " " << value;
    if (kind == 1) {
        int iv = 0, it = 0;
        float rv = 0.0f;
        std::string cv, name;
        frm_get_name(number, name);
        frm_get_cur_value(number, iv, rv, cv, it);
        std::cout << " " << name << " \"" << cv << "\"";
    }
    std::cout << std::endl;
}

}  // namespace

int main(int argc, char** argv) {
    const bool layout_only = argc == 3 && std::string(argv[2]) == "--layout";
    if (argc < 2 || argc > 3 || (argc == 3 && !layout_only)) {
        std::cerr << kUsage << '\n';
        return 2;
    }
    const std::string file = windows_path_from_argument(argv[1]);
    const int status = frm_read_form(file);
    if (status != 0) {
        std::cout << "the form could not be read: status " << status << " (see frm_forms.log)" << std::endl;
        return 1;
    }
    set_frm_callback(print_callback);
    if (frm_create_form() == 0) {
        std::cout << "the form could not be shown" << std::endl;
        return 1;
    }
    print_layout();
    int result = 0;
    if (!layout_only) {
        result = frm_do_form();
        std::cout << "exit status " << result << std::endl;
    }
    frm_close_graphics();
    return 0;
}

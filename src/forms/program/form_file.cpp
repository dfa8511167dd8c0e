#include "forms/program/form_file.h"

#include "driver/forms_gui.h"
#include "forms/kit/engine.h"
#include "forms/kit/form_accessors.h"
#include "forms/kit/form_create.h"
#include "forms/kit/form_model.h"
#include "forms/kit/form_reader.h"
#include "forms/kit/value_checks.h"
#include "forms/program/field_rules.h"
#include "forms/program/form_callback.h"
#include "foundation/fixed_text.h"
#include "foundation/message_records.h"
#include "foundation/number_text.h"
#include "foundation/option_records.h"
#include "foundation/program_folder.h"
#include "foundation/run_stop.h"
#include "foundation/tell.h"
#include "platform/console.h"

void trace_auto_load(std::string_view where) {
    console_line(" " + std::string(where) + " nauto qauto qwait " + i2b(tarvex01.nauto) + " " +
                 (tarvex01.qauto ? "T" : "F") + " " + (tarvex01.qwait ? "T" : "F"));
}

std::string form_file_path(std::string_view name) {
    std::string folder;
    get_inst_path(folder);
    return trim_right(folder) + std::string(name);
}

void read_form_file(const std::string& path) {
    frm999.qfr = cmndta001.qfr;
    frm_init_form();
    if (frm_read_form(path) != 0) {
        fatal_error(trim_right(path) + " ERROR OPENING", kExitConfiguration);
    }
}

void add_version_to_titles() {
    const std::string version = " - V" + trim_right(tarvex_c.cvers);
    std::string title;
    if (frm_get_txt_count() >= 1 && frm_get_txt_name(1, title)) {
        frm_set_prop(kClassTitle, 1, kPropLabel, 0, 0.0f, trim_right(title) + version, true);
    }
    frmc00.wintit = fit_field(trim_right(frmc00.wintit) + version, kWinTitLength);
}

void open_form_window() {
    set_frm_callback(frm_callback);
    set_check_values_app(tarvex_forms::check_values_app);
    if (frm_create_form() != 0) {
        return;
    }
    if (frm_get_count() < 1) {
        fatal_error("ERROR CREATING FORM", kExitConfiguration);
    }
    forms_window_unavailable();
}

#include "forms/kit/form_create.h"

#include "forms/kit/engine.h"
#include "forms/kit/form_model.h"
#include "forms/kit/landscape_list.h"
#include "forms/kit/value_checks.h"
#include "foundation/fixed_text.h"
#include "foundation/number_text.h"
#include "platform/console.h"
#include "platform/environment.h"

#include <span>

namespace {

// Texts handed to the engine: labels, titles, captions and entries in
// buffers of 256 bytes. A box's value goes whole (its kValueLength): a path
// the application filled in is shown, checked and taken back as it is.
constexpr std::size_t kHandedTextLength = 255;

void trace(const std::string& line) {
    if (frm999.qdebug) {
        console_line(line);
    }
}

std::string handed(std::string_view text) { return fit_field(text, kHandedTextLength); }

void load_titles() {
    for (int i = 1; i <= frm000.nb_titl; ++i) {
        trace("title " + i2b(i) + " " + i2b(frmi01.titl_pos[i][0]) + " " + i2b(frmi01.titl_pos[i][1]) + " " +
              frmc01.titl_txt[i]);
        add_subt(frm000.nb_titl, i - 1, handed(frmc01.titl_txt[i]), frmi01.titl_pos[i]);
    }
}

void load_separators() {
    trace("separators " + i2b(frm000.nb_sepa));
    add_sepa(frm000.nb_sepa, std::span(frmi01.sepa_pos).subspan(1));
}

void load_boxes() {
    console_line("Input-boxes : " + i2b(frm000.nb_inpt));
    for (int i = 1; i <= frm000.nb_inpt; ++i) {
        const std::string label = handed(frmc01.inpt_txt[i]);
        const std::string& value = frmi02.inpt_cval[i];
        const std::string pattern = handed(frmi02.inpt_ext[i]);
        const bool list_box = frmi01.inpt_typ[i] == kTypeDdl;
        FrmInptDef box;
        box.label = label;
        box.value = value;
        box.position = frmi01.inpt_pos[i];
        box.ival = list_box ? ddl_entry_clamped(frmi01.inpt_ddl[i], frmi03.inpt_ival[i]) - 1 : frmi03.inpt_ival[i];
        box.rval = frmi03.inpt_rval[i];
        box.size = frmi01.inpt_siz[i];
        box.type = frmi01.inpt_typ[i];
        box.arrows = frmi01.inpt_arr[i];
        box.active = frmi01.inpt_act[i];
        box.dependency = frmi01.inpt_dep[i];
        box.list = frmi01.inpt_ddl[i] - 1;
        box.pattern = pattern;
        trace("box " + i2b(i) + " " + frmi02.inpt_nam[i] + " type " + i2b(box.type) + " at " +
              i2b(box.position[0]) + "," + i2b(box.position[1]));
        add_inpt(frm000.nb_inpt, i - 1, box);
    }
}

// False when the "Landscape" list found no Condor installation: the
// handing over ends there.
bool load_lists() {
    for (int i = 1; i <= frm000.nb_inpt; ++i) {
        const int k = frmi01.inpt_ddl[i];
        if (frmi01.inpt_typ[i] != kTypeDdl || k < 1 || k > kMaxDdl) {
            continue;
        }
        if (frmc01.inpt_txt[i] == kLandscapeListLabel) {
            if (!load_landscape_list(k)) {
                return false;
            }
            continue;
        }
        const int count = frmi01.ddl_nbli[k];
        for (int j = 1; j <= count && j <= kMaxDdlEntries; ++j) {
            trace("list " + i2b(k) + " entry " + i2b(j) + " " + frmc01.ddl_txt[k][j]);
            add_ddl(k - 1, count, j - 1, handed(frmc01.ddl_txt[k][j]));
        }
    }
    return true;
}

void load_radio_groups() {
    std::array<int, engine_max_groups> counts{};
    std::array<std::array<int, engine_max_members>, engine_max_groups> members{};
    for (int g = 1; g <= kMaxRdio; ++g) {
        counts[g - 1] = frmt01.tick_rdio_count[g];
        for (int j = 1; j <= kMaxRdioMembers; ++j) {
            members[g - 1][j - 1] = frmt01.tick_rdio[g][j];
        }
    }
    trace("radio groups " + i2b(frm000.nb_rdio));
    add_rdio(frm000.nb_rdio, counts, members);
}

void load_buttons() {
    for (int i = 1; i <= frm000.nb_butt; ++i) {
        trace("button " + i2b(i) + " " + frmc01.butt_txt[i] + " type " + i2b(frmi01.butt_typ[i]));
        add_butt(frm000.nb_butt, i - 1, handed(frmc01.butt_txt[i]), frmi01.butt_pos[i], frmi01.butt_siz[i],
                 frmi01.butt_typ[i]);
    }
}

// A new registration in the engine: the form's options, the model's checks.
void open_registration() {
    set_engine_checks({check_values, check_minmax, incrm_val});
    set_opt({frm999.iact, frm000.f_size, frm999.qdebug ? 1 : 0});
}

}  // namespace

void load_form() {
    load_titles();
    load_separators();
    load_boxes();
    if (!load_lists()) {
        return;
    }
    load_radio_groups();
    load_buttons();
}

int frm_create_form() {
    frm999.qfr = IsLanguageFrench() != 0;
    if (frm000.nb_inpt == 0) {
        // No window for a form without boxes; an earlier form's window goes
        // too, so that frm_do_form cannot run it in this form's place.
        frm_close_graphics();
        frm999.window_id = 0;
        return 0;
    }
    trace("font " + frmc00.f_name + " size " + i2b(frm000.f_size));
    open_registration();
    load_form();
    frm999.window_id = frm_start_graphics(frmc00.f_name, frmc00.wintit);
    trace("frm_create_form : window_id " + i2b(frm999.window_id));
    return frm999.window_id;
}

int frm_do_form() {
    trace("frm_do_form : window_id " + i2b(frm999.window_id));
    return frm999.window_id != 0 ? frm_do_graphics() : 0;
}

int frm_new_form() {
    if (frm999.window_id == 0) {
        return 0;
    }
    open_registration();
    load_form();
    return frm_new_form_gr();
}

#include "forms/kit/form_accessors.h"

#include "forms/kit/engine.h"
#include "forms/kit/form_model.h"
#include "forms/kit/form_value_text.h"
#include "foundation/fixed_text.h"
#include "foundation/fortran_format.h"
#include "foundation/number_text.h"
#include "platform/console.h"

#include <cmath>

namespace {

bool is_box(int n) { return n >= 1 && n <= frm000.nb_inpt; }
bool is_title(int n) { return n >= 1 && n <= frm000.nb_titl; }

void trace(const std::string& line) {
    if (frm999.qdebug) {
        console_line(line);
    }
}

// The text a real box shows for rv when the application gives none.
std::string real_value_text(float rv) {
    const float magnitude = std::fabs(rv);
    const bool exponent = magnitude > 1.0e6F || (magnitude > 1.0e-10F && magnitude < 0.001F);
    return f2b(rv, exponent ? "(1PE16.6)" : "(F16.6)");
}

// Tells the engine the label, pattern, active flag and type of box n.
void refresh_box(int n, bool qrefresh) {
    set_inpt_props(n - 1, frmc01.inpt_txt[n], frmi01.inpt_act[n], frmi01.inpt_typ[n], frmi02.inpt_ext[n],
                   qrefresh ? 1 : 0);
}

bool set_box_prop(int n, int npro, int iv, float rv, std::string_view cv, bool qrefresh) {
    switch (npro) {
    case kPropActive:
        frmi01.inpt_act[n] = iv;
        break;
    case kPropType:
        frmi01.inpt_typ[n] = iv;
        break;
    case kPropMin:
        frmi03.inpt_min[n] = rv;
        return true;
    case kPropMax:
        frmi03.inpt_max[n] = rv;
        return true;
    case kPropLabel:
        frmc01.inpt_txt[n] = fit_field(cv, kLabelLength);
        break;
    case kPropPattern:
        frmi02.inpt_ext[n] = fit_field(cv, kExtLength);
        break;
    case kPropName:
        frmi02.inpt_nam[n] = fit_field(cv, kNameLength);
        break;
    default:
        trace("INP - PROP " + i2b(n) + " " + i2b(npro));
        return false;
    }
    refresh_box(n, qrefresh);
    return true;
}

bool get_box_prop(int n, int npro, int& iv, float& rv, std::string& cv) {
    switch (npro) {
    case kPropActive:
        iv = frmi01.inpt_act[n];
        return true;
    case kPropType:
        iv = frmi01.inpt_typ[n];
        return true;
    case kPropMin:
        rv = frmi03.inpt_min[n];
        return true;
    case kPropMax:
        rv = frmi03.inpt_max[n];
        return true;
    case kPropLabel:
        cv = frmc01.inpt_txt[n];
        return true;
    case kPropPattern:
        cv = frmi02.inpt_ext[n];
        return true;
    case kPropName:
        cv = frmi02.inpt_nam[n];
        return true;
    case kPropVar:
        cv = frmi02.inpt_var[n];
        return true;
    default:
        trace("INP - PROP " + i2b(n) + " " + i2b(npro));
        return false;
    }
}

}  // namespace

int frm_get_count() { return frm000.nb_inpt; }

int frm_get_txt_count() { return frm000.nb_titl; }

int frm_get_version() { return frm000.nvers; }

bool frm_set_count(int nn) {
    if (nn < 0 || nn > kMaxInpt) {
        return false;
    }
    frm000.nb_inpt = nn;
    return true;
}

int frm_get_number(std::string_view name) {
    for (int n = 1; n <= frm000.nb_inpt; ++n) {
        if (blank_equal(frmi02.inpt_nam[n], name)) {
            return n;
        }
    }
    return 0;
}

bool frm_get_name(int n, std::string& nam) {
    if (n < 1 || n > kMaxInpt) {
        return false;
    }
    nam = frmi02.inpt_nam[n];
    return true;
}

bool frm_get_txt_name(int n, std::string& nam) {
    if (n < 1 || n > kMaxTitl) {
        return false;
    }
    nam = frmc01.titl_txt[n];
    return true;
}

bool frm_get_value(int n, int& iv, float& rv, std::string& cv, int& it) {
    if (!is_box(n)) {
        return false;
    }
    iv = frmi03.inpt_ival[n];
    rv = frmi03.inpt_rval[n];
    cv = frmi02.inpt_cval[n];
    it = frmi01.inpt_typ[n];
    return true;
}

bool frm_chosen_in_dialog(int n) { return get_path_chosen(n - 1); }

bool frm_get_cur_value(int n, int& iv, float& rv, std::string& cv, int& it) {
    if (!is_box(n)) {
        return false;
    }
    std::string text;
    if (get_box_val(n - 1, iv, rv, text) == 0) {
        return false;
    }
    cv = fit_field(text, kValueLength);
    it = frmi01.inpt_typ[n];
    trace("frm_get_cur_value " + i2b(n) + " " + i2b(iv) + " " + f2b(rv, "(1PE16.6)") + " " + cv);
    return true;
}

bool frm_validate_value(int n) { return is_box(n) && validate_box(n - 1) != 0; }

bool frm_value_refused(int n) { return is_box(n) && box_refused(n - 1) != 0; }

bool frm_set_value(int n, int iv, float rv, std::string_view cv, bool qupd) {
    if (!is_box(n)) {
        return false;
    }
    trace("frm_set_value " + i2b(n) + " " + i2b(iv) + " " + std::string(cv));
    frmi03.inpt_rval[n] = rv;
    frmi03.inpt_ival[n] = iv;
    std::string text(cv);
    int engine_value = iv;
    switch (frmi01.inpt_typ[n]) {
    case kTypeDdl: {
        if (iv < 1) {
            trace("frm_set_value : DDL value <= 0");
        }
        const int list = frmi01.inpt_ddl[n];
        const int entry = ddl_entry_clamped(list, iv);
        frmi03.inpt_ival[n] = entry;
        text = list >= 1 && list <= kMaxDdl && entry <= kMaxDdlEntries ? frmc01.ddl_txt[list][entry] : "";
        engine_value = entry - 1;
        break;
    }
    case kTypeInt:
        if (is_blank(cv)) {
            text = i2b(iv);
        }
        break;
    case kTypeFlt:
        if (is_blank(cv)) {
            text = real_value_text(rv);
        }
        break;
    case kTypeCol:
        if (is_blank(cv)) {
            text = fortran_write("('#',Z6.6)", {iv});
        }
        break;
    case kTypeKey:
        text.clear();
        break;
    default:
        break;
    }
    frmi02.inpt_cval[n] = fit_field(text, kValueLength);
    if (qupd) {
        set_inpt_val(n - 1, engine_value, rv, frmi02.inpt_cval[n]);
    }
    trace("frm_set_value " + i2b(n) + " : " + frmi02.inpt_cval[n]);
    return true;
}

bool frm_set_prop(int ncla, int n, int npro, int iv, float rv, std::string_view cv, bool qrefresh) {
    if (ncla == kClassInputBox && is_box(n)) {
        return set_box_prop(n, npro, iv, rv, cv, qrefresh);
    }
    if (ncla == kClassTitle && is_title(n) && npro == kPropLabel) {
        frmc01.titl_txt[n] = fit_field(cv, kLabelLength);
        set_subt(n - 1, frmc01.titl_txt[n], qrefresh ? 1 : 0);
        return true;
    }
    trace("INP - PROP " + i2b(n) + " " + i2b(npro));
    return false;
}

bool frm_get_prop(int ncla, int n, int npro, int& iv, float& rv, std::string& cv) {
    if (ncla == kClassInputBox) {
        if (!is_box(n)) {
            trace("INP - PROP " + i2b(n) + " " + i2b(npro));
            return false;
        }
        return get_box_prop(n, npro, iv, rv, cv);
    }
    if (ncla == kClassTitle) {
        if (!is_title(n)) {
            return false;
        }
        if (npro == kPropLabel) {
            cv = frmc01.titl_txt[n];
        }
    }
    return true;
}

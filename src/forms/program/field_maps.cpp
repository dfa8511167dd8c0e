#include "forms/program/field_maps.h"

#include "forms/kit/form_accessors.h"
#include "forms/program/form_boxes.h"
#include "forms/program/unit_boxes.h"
#include "foundation/condor_install.h"
#include "foundation/fixed_text.h"
#include "foundation/geometry.h"
#include "foundation/number_text.h"
#include "foundation/option_records.h"
#include "foundation/output_targets.h"
#include "foundation/run_stop.h"
#include "foundation/tell.h"
#include "platform/console.h"
#include "taskfiles/task_model.h"

#include <array>

Stpfrm stpfrm;
TvxfrmM tvxfrm_m;
StpfrmM stpfrm_m;

void reset_stpfrm() { stpfrm = Stpfrm{}; }
void reset_tvxfrm_m() { tvxfrm_m = TvxfrmM{}; }
void reset_stpfrm_m() { stpfrm_m = StpfrmM{}; }

namespace {

using enum FieldUnit;

constexpr std::array<FormField, 16> kConversionFields = {{
    {"AAT", &tvxfrm.nb__qaat, &tvxfrm_m.qm__qaat, &rd_fpl_6.qaat},
    {"XCS", &tvxfrm.nb__qxcs, &tvxfrm_m.qm__qxcs, &tarvex01.qxcs, kTargetTsk},
    {"LK8", &tvxfrm.nb__qlk8000, &tvxfrm_m.qm__qlk8000, &tarvex01.qlk8000, kTargetLkt},
    {"CU", &tvxfrm.nb__qcup, &tvxfrm_m.qm__qcup, &tarvex01.qcup, kTargetCup},
    {"AltCup", &tvxfrm.nb__qaltcup, &tvxfrm_m.qm__qaltcup, &tarvex01.qaltcup},
    {"AAT Time", &tvxfrm.nb__t_aat, &tvxfrm_m.qm__t_aat, &rd_fpl_6.t_aat},
    {"StrtMgn", &tvxfrm.nb__start_margin, &tvxfrm_m.qm__start_margin, &tarvex01.start_margin, 0, height},
    {"FinishMinAlt", &tvxfrm.nb__finishminalt, &tvxfrm_m.qm__finishminalt, &rd_fpl_4.finishminalt, 0, height},
    {"start_max_speed", &tvxfrm.nb__start_max_speed, &tvxfrm_m.qm__start_max_speed, &rd_fpl_6.start_max_speed, 0,
     speed},
    {"Infile", &tvxfrm.nb__infile, &tvxfrm_m.qm__infile, &tarvex_c.infile},
    {"MapName", &tvxfrm.nb__mapname, &tvxfrm_m.qm__mapname, &tarvex_c.mapname},
    {"TerrainName", &tvxfrm.nb__terrainname, &tvxfrm_m.qm__terrainname, &tarvex_c.terrainname},
    {"AltCupFile", &tvxfrm.nb__altcupfile, &tvxfrm_m.qm__altcupfile, &tarvex_c.altcupfile},
    {"Dest", &tvxfrm.nb__outfile, &tvxfrm_m.qm__outfile, &tarvex_c.outfile},
    {"Profile file", &tvxfrm.nb__prfnam, &tvxfrm_m.qm__prfnam, &tarvex_c.prfnam},
    {"airnam", &tvxfrm.nb__airnam, &tvxfrm_m.qm__airnam, &tarvex_c.airnam},
}};

constexpr std::array<FormField, 18> kSetupFields = {{
    {"Xcsoar_tasks", &stpfrm.nb__xcsoar_tasks, &stpfrm_m.qm__xcsoar_tasks, &tarvex_c.xcsoar_tasks},
    {"LK8000_tasks", &stpfrm.nb__lk8000_tasks, &stpfrm_m.qm__lk8000_tasks, &tarvex_c.lk8000_tasks},
    {"SeeYou_tasks", &stpfrm.nb__seeyou_tasks, &stpfrm_m.qm__seeyou_tasks, &tarvex_c.seeyou_tasks},
    {"defpath", &stpfrm.nb__defpath, &stpfrm_m.qm__defpath, &tarvex_c.defpath},
    {"scrnam", &stpfrm.nb__scrnam, &stpfrm_m.qm__scrnam, &tarvex_c1.scrnam},
    {"WrPrf", &stpfrm.nb__qwrprf, &stpfrm_m.qm__qwrprf, &tarvex01.qwrprf},
    {"WrDef", &stpfrm.nb__qdeftsk, &stpfrm_m.qm__qdeftsk, &tarvex01.qdeftsk},
    {"WrDefLK8000", &stpfrm.nb__qdeftsklk8000, &stpfrm_m.qm__qdeftsklk8000, &tarvex01.qdeftsklk8000},
    {"FplFil", &stpfrm.nb__qdeffplfil, &stpfrm_m.qm__qdeffplfil, &tarvex01.qdeffplfil},
    {"AATDet", &stpfrm.nb__qaat_detect, &stpfrm_m.qm__qaat_detect, &tarvex01.qaat_detect},
    {"MapFld", &stpfrm.nb__qmapfold, &stpfrm_m.qm__qmapfold, &tarvex01.qmapfold},
    {"PolFld", &stpfrm.nb__qpolfold, &stpfrm_m.qm__qpolfold, &tarvex01.qpolfold},
    {"qverb_0", &stpfrm.nb__qverb_0, &stpfrm_m.qm__qverb_0, &tarvex01.qverb_0},
    {"qsilent", &stpfrm.nb__qsilent, &stpfrm_m.qm__qsilent, &tarvex01.qsilent},
    {"qtskwrn", &stpfrm.nb__qtskwrn, &stpfrm_m.qm__qtskwrn, &tarvex01.qtskwrn},
    {"nauto", &stpfrm.nb__nauto, &stpfrm_m.qm__nauto, &tarvex01.nauto},
    {"Units", &stpfrm.nb__nunit, &stpfrm_m.qm__nunit, &tarvex01.nunit},
    {"Lang", &stpfrm.nb__nlang, &stpfrm_m.qm__nlang, &tarvex01.nlang},
}};

[[noreturn]] void not_loaded(const FormField& field) {
    const std::string text = std::string(field.name) + ": COULD NOT BE LOADED";
    console_line(text);
    end_run(text, kExitConfiguration);
}

void trace_change(const FormField& field, const std::string& value) {
    *field.changed = true;
    console_line(" " + std::string(field.name) + " changed: " + value);
}

// Puts the setting of `field` into its box.
bool fill_one(const FormField& field) {
    const int n = *field.box;
    if (field.target != 0) {
        return frm_set_value(n, target_asked_for() == field.target ? 1 : 0, 0.0f, " ", true);
    }
    if (bool* const* tick = std::get_if<bool*>(&field.setting)) {
        return frm_set_value(n, **tick ? 1 : 0, 0.0f, " ", true);
    }
    if (int* const* number = std::get_if<int*>(&field.setting)) {
        return frm_set_value(n, **number, 0.0f, "", true);
    }
    if (float* const* real = std::get_if<float*>(&field.setting)) {
        return frm_set_value(n, 0, **real, "", true);
    }
    return frm_set_value(n, 0, 0.0f, *std::get<std::string*>(field.setting), true);
}

// The value of a unit box shown in feet or knots, back in metres or km/h.
bool metric_value(const FormField& field, BoxValue& value) {
    if (!shown_in_imperial(*field.box, field.unit) || !live_value(*field.box, value)) {
        return false;
    }
    const int metric = to_metric_units(box_number(value), field.unit);
    value.iv = metric;
    value.rv = static_cast<float>(metric);
    return true;
}

void copy_one(const FormField& field) {
    BoxValue value;
    if (!metric_value(field, value) && !frm_get_value(*field.box, value.iv, value.rv, value.cv, value.type)) {
        not_loaded(field);
    }
    store_field_value(field, value);
}

}  // namespace

void store_field_value(const FormField& field, const BoxValue& value) {
    if (bool* const* tick = std::get_if<bool*>(&field.setting)) {
        const bool now = value.iv != 0;
        if (now != **tick) {
            trace_change(field, now ? "1" : "0");
        }
        **tick = now;
    } else if (int* const* number = std::get_if<int*>(&field.setting)) {
        if (value.iv != **number) {
            trace_change(field, i2b(value.iv));
        }
        **number = value.iv;
    } else if (float* const* real = std::get_if<float*>(&field.setting)) {
        if (!f_eq(value.rv, **real)) {
            trace_change(field, f2b(value.rv, "(F16.6)"));
        }
        **real = value.rv;
    } else {
        std::string& text = *std::get<std::string*>(field.setting);
        const std::string now = path_field(value.cv);
        if (now != text) {
            trace_change(field, now);
        }
        text = now;
    }
}

std::span<const FormField> conversion_fields() { return kConversionFields; }

std::span<const FormField> setup_fields() { return kSetupFields; }

void bind_fields(std::span<const FormField> fields) {
    for (const FormField& field : fields) {
        *field.box = 0;
    }
    const int count = frm_get_count();
    if (count < 1) {
        return;
    }
    bool unmatched = false;
    for (int i = 1; i <= count; ++i) {
        std::string name;
        frm_get_name(i, name);
        bool matched = false;
        for (const FormField& field : fields) {
            if (!is_blank(name) && blank_equal(name, field.name)) {
                *field.box = i;
                matched = true;
            }
        }
        unmatched = unmatched || !matched;
    }
    if (unmatched) {
        console_line("*** form file corrupted ***");
    }
    for (const FormField& field : fields) {
        if (*field.box == 0) {
            fatal_error(std::string(field.name) + " NOT DEFINED", kExitConfiguration);
        }
    }
}

void fill_fields(std::span<const FormField> fields) {
    for (const FormField& field : fields) {
        if (!fill_one(field)) {
            not_loaded(field);
        }
    }
}

void copy_fields(std::span<const FormField> fields) {
    for (const FormField& field : fields) {
        copy_one(field);
    }
}

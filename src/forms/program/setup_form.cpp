#include "forms/program/setup_form.h"

#include "driver/fpl_preread.h"
#include "driver/user_language.h"
#include "forms/kit/form_accessors.h"
#include "forms/kit/form_create.h"
#include "forms/program/field_maps.h"
#include "forms/program/field_rules.h"
#include "forms/program/form_file.h"
#include "foundation/condor_install.h"
#include "foundation/fixed_text.h"
#include "foundation/form_files.h"
#include "foundation/message_records.h"
#include "foundation/number_text.h"
#include "foundation/option_records.h"
#include "foundation/path_length.h"
#include "foundation/program_folder.h"
#include "platform/console.h"
#include "platform/glue_dialogs.h"

#include <algorithm>
#include <string>

namespace {

// A post-run script given by its bare name lies in the program's folder.
void script_in_program_folder() {
    std::string& script = tarvex_c1.scrnam;
    if (is_blank(script) || script.find('\\') != std::string::npos) {
        return;
    }
    std::string folder;
    get_inst_path(folder);
    script = path_field(trim_right(folder) + trim_right(script));
}

// Folders marked as not set are shown empty.
void clear_folders_not_set() {
    for (std::string* folder : {&inst00.pilot_path, &tarvex_c.xcsoar_tasks, &tarvex_c.lk8000_tasks,
                                &tarvex_c.seeyou_tasks}) {
        if (folder->starts_with(kFolderNotSet)) {
            folder->clear();
        }
    }
}

// The Condor installation folder, found again when it is automatic; asked
// for when it cannot be found (automatic no more from then on).
void find_condor_installation() {
    const int version = inst00.condor_version;
    if (!tarvex01.qauto_c2_inst || (version != 2 && version != 3)) {
        return;
    }
    if (get_condor_inst_dir(version, inst00.cndrinstpath, true) != 0) {
        return;
    }
    tarvex01.qauto_c2_inst = false;
    std::string folder;
    int length = 0;
    if (GetFolder("Path to the Condor installation folder", "", length, folder) == 0) {
        folder.resize(std::min(folder.size(), static_cast<std::size_t>(std::max(length, 0))));
        if (chosen_path_fits(folder)) {
            inst00.cndrinstpath = folder;
        }
    }
}

}  // namespace

int tarvex_setup() {
    tarvex01.qsetup = true;
    trace_auto_load("tarvex_setup");
    const std::string file = form_file_path(cmndta001.qfr ? kFrenchSetupFormFile : kSetupFormFile);
    script_in_program_folder();
    read_form_file(file);
    bind_fields(setup_fields());
    add_version_to_titles();
    console_line(" tarvex_setup : boxes " + i2b(frm_get_count()) + " nauto " + i2b(tarvex01.nauto) + " nunit " +
                 i2b(tarvex01.nunit));
    clear_folders_not_set();
    find_condor_installation();
    tarvex01.nauto = tarvex01.qwait ? 3 : (tarvex01.qauto ? 2 : 1);
    fill_fields(setup_fields());
    open_form_window();
    set_flight_plans_box_kind(tarvex01.qdeffplfil);

    const int result = frm_do_form();
    console_line(" tarvex_setup : form result " + i2b(result));
    if (result == 1) {
        get_root_names();
    }
    tarvex01.qauto = tarvex01.nauto == 2;
    tarvex01.qwait = tarvex01.nauto == 3;
    tarvex01.ndeftsk = tarvex01.qdeftsklk8000 ? 2 : (tarvex01.qdeftsk ? 1 : 0);
    trace_auto_load("tarvex_setup end");
    apply_language_setting();
    define_units();
    tarvex01.qsetup = false;
    return result;
}

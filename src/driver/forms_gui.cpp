#include "driver/forms_gui.h"

#include "foundation/run_stop.h"
#include "foundation/tell.h"

namespace {

FormsGui installed_forms;

}  // namespace

Tvxfrm tvxfrm;

void reset_tvxfrm() { tvxfrm = Tvxfrm{}; }

void set_forms_gui(const FormsGui& forms) { installed_forms = forms; }

int run_setup_form() {
    if (installed_forms.setup == nullptr) {
        forms_window_unavailable();
    }
    return installed_forms.setup();
}

void run_conversion_form() {
    if (installed_forms.conversion == nullptr) {
        forms_window_unavailable();
    }
    installed_forms.conversion();
}

void forms_window_unavailable() {
    fatal_error(in_user_language("The form window cannot be opened; run Tarvex with -nogui",
                                 "La fen\xEAtre du formulaire ne peut pas \xEAtre ouverte ; lancez Tarvex avec -nogui"),
                kExitConfiguration);
}

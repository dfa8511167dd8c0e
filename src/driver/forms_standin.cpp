// Stand-in for the form-based GUI until the forms are built: the program links
// and runs from the command line, and a run that needs a form ends with a
// clear message. The forms replace this file.
#include "driver/forms_gui.h"
#include "foundation/run_stop.h"
#include "foundation/tell.h"

namespace {

[[noreturn]] void forms_not_built() {
    fatal_error(in_user_language("The form-based GUI is not available in this build; run Tarvex with -nogui",
                                 "L'interface graphique n'est pas disponible dans cette version ; lancez Tarvex "
                                 "avec -nogui"),
                kExitConfiguration);
}

}  // namespace

Tvxfrm tvxfrm;

void reset_tvxfrm() { tvxfrm = Tvxfrm{}; }

int tarvex_setup() { forms_not_built(); }

void tarvex_gui() { forms_not_built(); }

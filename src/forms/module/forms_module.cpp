// Entry of the forms module (tarvex_forms.so): the program's conversion form
// and setup form, handed to the executable that loaded the module.
#include "driver/forms_gui.h"
#include "forms/program/conversion_form.h"
#include "forms/program/setup_form.h"

extern "C" [[gnu::visibility("default")]] void tarvex_forms_gui(FormsGui* forms) {
    *forms = {tarvex_setup, tarvex_gui};
}

// The name the executable looks the entry up by.
static_assert(std::string_view(kFormsModuleEntry) == "tarvex_forms_gui");

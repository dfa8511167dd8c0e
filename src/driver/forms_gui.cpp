#include "driver/forms_gui.h"

#include "foundation/run_stop.h"
#include "foundation/tell.h"
#include "platform/environment.h"

#include <dlfcn.h>

#include <filesystem>

namespace {

FormsGui installed_forms;

std::string loader_error() {
    const char* error = dlerror();
    return error != nullptr ? error : "unknown loader error";
}

// The forms of the module beside the running program, loaded at the first
// call (a load that failed has ended the run).
const FormsGui& module_forms() {
    static const FormsGui forms = [] {
        const std::string exe = exe_host_path();
        if (exe.empty()) {
            forms_window_unavailable("/proc/self/exe cannot be read");
        }
        return load_forms_module((std::filesystem::path(exe).parent_path() / kFormsModuleFile).string());
    }();
    return forms;
}

int module_setup() { return module_forms().setup(); }
void module_conversion() { module_forms().conversion(); }

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

void forms_window_unavailable(std::string_view reason) {
    std::string text = in_user_language("The form window cannot be opened; run Tarvex with -nogui",
                                        "La fen\xEAtre du formulaire ne peut pas \xEAtre ouverte ; lancez Tarvex avec -nogui");
    if (!reason.empty()) {
        text += "/" + slashes_kept(reason);
    }
    fatal_error(text, kExitConfiguration);
}

FormsGui load_forms_module(const std::string& file) {
    // Every symbol bound now: one the executable lacks is told here, not at its first call.
    void* const module = dlopen(file.c_str(), RTLD_NOW | RTLD_LOCAL);
    if (module == nullptr) {
        forms_window_unavailable(loader_error());
    }
    const auto entry = reinterpret_cast<FormsModuleEntry>(dlsym(module, kFormsModuleEntry));
    if (entry == nullptr) {
        forms_window_unavailable(loader_error());
    }
    FormsGui forms;
    entry(&forms);
    if (forms.setup == nullptr || forms.conversion == nullptr) {
        forms_window_unavailable(file + ": the module holds no forms");
    }
    return forms;
}

void set_forms_module() { set_forms_gui({module_setup, module_conversion}); }

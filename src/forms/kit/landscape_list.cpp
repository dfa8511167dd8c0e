#include "forms/kit/landscape_list.h"

#include "forms/kit/engine.h"
#include "forms/kit/form_model.h"
#include "foundation/condor_install.h"
#include "foundation/tell.h"
#include "platform/files.h"

namespace {

// Landscape names are at most this long.
constexpr std::size_t kLandscapeNameLength = 64;

}  // namespace

std::vector<std::string> landscapes_with_terrain(std::string_view install_folder, std::size_t limit) {
    std::string folder(install_folder);
    if (!folder.empty() && folder.back() == '\\') {
        folder.pop_back();
    }
    folder += "\\Landscapes\\";
    std::vector<std::string> names;
    std::vector<std::string> landscapes;
    list_folder(folder, names);
    for (const std::string& name : names) {
        if (landscapes.size() == limit) {
            break;
        }
        if (name.size() <= kLandscapeNameLength && file_exists(folder + name + "\\" + name + ".trn")) {
            landscapes.push_back(name);
        }
    }
    return landscapes;
}

bool load_landscape_list(int k) {
    if (check_condor_install("") == 0) {
        tell_and_log(kError, in_language(frm999.qfr, "*** No Condor installation found (2 or 3) ***",
                                         "*** Aucune installation de Condor (2 ou 3) trouv\xE9"
                                         "e ***"));
        return false;
    }
    get_active_condor_version();
    const std::vector<std::string> landscapes = landscapes_with_terrain(inst00.cndrinstpath, engine_max_landscapes);
    const int count = static_cast<int>(landscapes.size());
    frmi01.ddl_nbli[k] = count;
    for (int j = 0; j < count; ++j) {
        add_lnd(k - 1, count, j, landscapes[static_cast<std::size_t>(j)]);
    }
    return true;
}

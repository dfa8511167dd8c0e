#include "foundation/path_length.h"

#include "foundation/number_text.h"
#include "foundation/tell.h"

namespace {

std::string told_refusal(std::string_view path) { return "*** " + path_too_long_text(slashes_kept(path)) + " ***"; }

}  // namespace

bool path_fits(std::string_view path) { return path.size() <= kPathLength; }

std::string path_too_long_text(std::string_view what) {
    const std::string limit = i2b(static_cast<int>(kPathLength));
    if (what.empty()) {
        return in_user_language("Path too long (at most " + limit + " characters)",
                                "Chemin trop long (" + limit + " caract\xE8res au plus)");
    }
    return std::string(what) + in_user_language(" : path too long (at most " + limit + " characters)",
                                                " : chemin trop long (" + limit + " caract\xE8res au plus)");
}

std::string fitting_path(std::string_view path, int exit_code) {
    if (!path_fits(path)) {
        fatal_error(told_refusal(path), exit_code);
    }
    return std::string(path);
}

bool chosen_path_fits(std::string_view path) {
    if (path_fits(path)) {
        return true;
    }
    tell_and_log(kError, told_refusal(path));
    return false;
}

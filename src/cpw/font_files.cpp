#include "cpw/font_files.h"

#include "platform/path_map.h"

#include <fontconfig/fontconfig.h>

#include <algorithm>
#include <array>
#include <cstdlib>
#include <filesystem>
#include <memory>
#include <system_error>

namespace {

constexpr std::string_view default_font_folder = "/usr/share/fonts/truetype/";

char lower(char c) {
    return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c;
}

bool same_without_case(std::string_view a, std::string_view b) {
    return a.size() == b.size() &&
           std::equal(a.begin(), a.end(), b.begin(), [](char x, char y) { return lower(x) == lower(y); });
}

// Arial, Courier New and Times New Roman with their bold, italic and bold
// italic files; Liberation has their metrics, and so have the Chrome OS faces.
const std::array<CpwFontAlias, 12>& alias_table() {
    static const std::array<CpwFontAlias, 12> table = {{
        {"arial.ttf", {"Liberation Sans", "Arimo"}, false, false},
        {"arialbd.ttf", {"Liberation Sans", "Arimo"}, true, false},
        {"ariali.ttf", {"Liberation Sans", "Arimo"}, false, true},
        {"arialbi.ttf", {"Liberation Sans", "Arimo"}, true, true},
        {"cour.ttf", {"Liberation Mono", "Cousine"}, false, false},
        {"courbd.ttf", {"Liberation Mono", "Cousine"}, true, false},
        {"couri.ttf", {"Liberation Mono", "Cousine"}, false, true},
        {"courbi.ttf", {"Liberation Mono", "Cousine"}, true, true},
        {"times.ttf", {"Liberation Serif", "Tinos"}, false, false},
        {"timesbd.ttf", {"Liberation Serif", "Tinos"}, true, false},
        {"timesi.ttf", {"Liberation Serif", "Tinos"}, false, true},
        {"timesbi.ttf", {"Liberation Serif", "Tinos"}, true, true},
    }};
    return table;
}

bool is_file(const std::string& path) {
    std::error_code ec;
    return std::filesystem::is_regular_file(path, ec);
}

struct PatternFree {
    void operator()(FcPattern* p) const { FcPatternDestroy(p); }
};
using Pattern = std::unique_ptr<FcPattern, PatternFree>;

// The installed file of one family in the style; fontconfig matches the
// nearest face, so the family and style of the match are checked.
std::optional<std::string> family_file(std::string_view family, bool bold, bool italic) {
    Pattern request(FcPatternCreate());
    if (!request) {
        return std::nullopt;
    }
    const std::string name(family);
    const int weight = bold ? FC_WEIGHT_BOLD : FC_WEIGHT_REGULAR;
    const int slant = italic ? FC_SLANT_ITALIC : FC_SLANT_ROMAN;
    FcPatternAddString(request.get(), FC_FAMILY, reinterpret_cast<const FcChar8*>(name.c_str()));
    FcPatternAddInteger(request.get(), FC_WEIGHT, weight);
    FcPatternAddInteger(request.get(), FC_SLANT, slant);
    FcPatternAddBool(request.get(), FC_SCALABLE, FcTrue);
    FcConfigSubstitute(nullptr, request.get(), FcMatchPattern);
    FcDefaultSubstitute(request.get());
    FcResult result = FcResultNoMatch;
    Pattern match(FcFontMatch(nullptr, request.get(), &result));
    if (!match || result != FcResultMatch) {
        return std::nullopt;
    }
    FcChar8* found_family = nullptr;
    FcChar8* file = nullptr;
    int found_weight = 0;
    int found_slant = 0;
    if (FcPatternGetString(match.get(), FC_FAMILY, 0, &found_family) != FcResultMatch ||
        FcPatternGetString(match.get(), FC_FILE, 0, &file) != FcResultMatch ||
        FcPatternGetInteger(match.get(), FC_WEIGHT, 0, &found_weight) != FcResultMatch ||
        FcPatternGetInteger(match.get(), FC_SLANT, 0, &found_slant) != FcResultMatch) {
        return std::nullopt;
    }
    if (!same_without_case(reinterpret_cast<const char*>(found_family), family) || found_weight != weight ||
        found_slant != slant) {
        return std::nullopt;
    }
    std::string path(reinterpret_cast<const char*>(file));
    if (!is_file(path)) {
        return std::nullopt;
    }
    return path;
}

}  // namespace

std::string cpw_font_folder() {
    const char* env = std::getenv("CPW_FONT_DIR");
    std::string folder = env != nullptr && env[0] != '\0' ? std::string(env) : std::string(default_font_folder);
    if (folder.back() != '/') {
        folder += '/';
    }
    return folder;
}

std::optional<std::string> cpw_font_hostpath(std::string_view path) {
    if (!path.empty() && path.front() == '/') {
        std::string host(path);
        std::replace(host.begin(), host.end(), '\\', '/');
        return host;
    }
    return map_to_host(path);
}

const CpwFontAlias* cpw_font_alias(std::string_view file_name) {
    for (const CpwFontAlias& alias : alias_table()) {
        if (same_without_case(alias.file, file_name)) {
            return &alias;
        }
    }
    return nullptr;
}

std::optional<std::string> cpw_font_alias_file(const CpwFontAlias& alias) {
    static const bool ready = FcInit() == FcTrue;
    if (!ready) {
        return std::nullopt;
    }
    for (const std::string_view family : alias.families) {
        if (auto file = family_file(family, alias.bold, alias.italic)) {
            return file;
        }
    }
    return std::nullopt;
}

std::optional<std::string> cpw_font_resolve(const std::string& folder, const std::string& name) {
    if (name.empty()) {
        return std::nullopt;
    }
    const std::string exact = folder + name;
    if (is_file(exact)) {
        return exact;
    }
    if (name.find('/') == std::string::npos) {
        std::error_code ec;
        for (std::filesystem::directory_iterator it(folder, ec), end; !ec && it != end; it.increment(ec)) {
            const std::string entry = it->path().filename().string();
            if (same_without_case(entry, name) && is_file(it->path().string())) {
                return it->path().string();
            }
        }
    }
    if (const CpwFontAlias* alias = cpw_font_alias(name)) {
        return cpw_font_alias_file(*alias);
    }
    return std::nullopt;
}

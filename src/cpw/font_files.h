#pragma once

// Where the font module finds its font files. The programs's forms name
// Windows font files ("arial.ttf", "cour.ttf"); on this system they are looked
// up in a font folder of the host, and the Windows core fonts that are missing
// there are replaced by metric-compatible faces found through fontconfig, so
// that texts keep the widths the forms were laid out for.

#include <optional>
#include <string>
#include <string_view>
#include <vector>

// The system font folder: $CPW_FONT_DIR when it is set and not empty, else
// "/usr/share/fonts/truetype/"; always with a final "/".
std::string cpw_font_folder();

// A font path as the host sees it: a path that begins with "/" is a host path
// already (a "\" in it counts as "/"); any other is a Windows path, mapped
// through the Wine prefix. No value when the mapping fails.
std::optional<std::string> cpw_font_hostpath(std::string_view path);

// A Windows core font file that fontconfig may replace: its lower-case file
// name, the families that have its metrics (first choice first) and the style.
struct CpwFontAlias {
    std::string_view file;
    std::vector<std::string_view> families;
    bool bold;
    bool italic;
};

// The alias of a file name (case ignored); null for any other name.
const CpwFontAlias* cpw_font_alias(std::string_view file_name);

// The file fontconfig finds for an alias: the first of its families that is
// installed, in its style; no value when none of them is.
std::optional<std::string> cpw_font_alias_file(const CpwFontAlias& alias);

// The file of a font name in a font folder (host path with a final "/"): the
// name itself when such a file exists, else a file of the folder whose name is
// the same without regard to case, else, for a Windows core font, its alias
// through fontconfig. No value when nothing is found.
std::optional<std::string> cpw_font_resolve(const std::string& folder, const std::string& name);

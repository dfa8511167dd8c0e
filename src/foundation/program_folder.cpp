#include "foundation/program_folder.h"

#include "foundation/fixed_text.h"
#include "foundation/path_length.h"
#include "foundation/paths_files.h"
#include "foundation/run_stop.h"
#include "platform/console.h"
#include "platform/environment.h"
#include "platform/files.h"

#include <cctype>
#include <string_view>

namespace {

constexpr int kExePathLength = 512;
constexpr std::string_view kInstMarker = "%INST%\\";

std::string& folder_override() {
    static std::string folder;
    return folder;
}

}  // namespace

void set_program_folder(std::string_view folder) { folder_override() = std::string(folder); }

void get_inst_path(std::string& instpath) {
    if (!folder_override().empty()) {
        instpath = folder_override();
        return;
    }
    std::string exe;
    if (GetExePath(exe, kExePathLength) == 0) {
        instpath.clear();
        return;
    }
    std::string name;
    extract_path_name(exe, instpath, name);
    if (instpath.size() >= 2 && instpath[1] == ':') {
        instpath[0] = static_cast<char>(std::toupper(static_cast<unsigned char>(instpath[0])));
    }
}

void locate_file(std::string& fff, bool qcur) {
    std::string folder;
    get_inst_path(folder);
    const std::string name = trim_right(fff);
    console_line(" locate_file " + name + " " + folder);
    if (name.starts_with(kInstMarker)) {
        fff = fitting_path(join_path(folder, name.substr(kInstMarker.size())), kExitConfiguration);
    } else if (name.find('\\') != std::string::npos) {
        fff = name;
    } else if (!(qcur && file_exists(name))) {
        fff = fitting_path(join_path(folder, name), kExitConfiguration);
    } else {
        fff = name;
    }
}

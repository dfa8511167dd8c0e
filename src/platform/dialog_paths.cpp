#include "platform/dialog_paths.h"

#include "platform/encoding.h"
#include "platform/path_map.h"

std::string dialog_path_to_host(std::string_view program_path) {
    return map_to_host(program_path).value_or(std::string());
}

std::string dialog_path_from_host(std::string_view host_path) { return map_from_host(host_path); }

std::optional<std::string> dialog_typed_path_to_host(std::string_view typed) {
    return map_to_host(windows_path_from_argument(cp1252_to_utf8(typed)));
}

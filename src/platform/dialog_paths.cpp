#include "platform/dialog_paths.h"

#include "platform/encoding.h"

// For now both directions change the text encoding only: the answer is the
// path as the host gives it. Mapping between Windows-form paths and host
// paths belongs here.

std::string dialog_path_to_host(std::string_view program_path) { return cp1252_to_utf8(program_path); }

std::string dialog_path_from_host(std::string_view host_path) { return utf8_to_cp1252(host_path); }

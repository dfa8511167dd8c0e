#include "driver/input_kind.h"

#include "foundation/fixed_text.h"
#include "foundation/paths_files.h"
#include "platform/case_fold.h"

#include <string>

InputKind input_kind(std::string_view path) {
    if (is_blank(path)) {
        return InputKind::none;
    }
    const std::string name = extract_name(path);
    if (find_ignoring_case_cp1252(name, input_extension(InputKind::flight_plan)) != std::string::npos) {
        return InputKind::flight_plan;
    }
    if (find_ignoring_case_cp1252(name, input_extension(InputKind::seeyou_task)) != std::string::npos) {
        return InputKind::seeyou_task;
    }
    return InputKind::unknown;
}

std::string_view input_extension(InputKind kind) {
    switch (kind) {
        case InputKind::flight_plan: return ".fpl";
        case InputKind::seeyou_task: return ".cup";
        default: return {};
    }
}

#include "platform/file_faults.h"

#include "platform/case_fold.h"

#include <optional>

namespace {

struct ArmedFault {
    FileFault fault;
    int seen = 0;
};

std::optional<ArmedFault>& armed() {
    static std::optional<ArmedFault> fault;
    return fault;
}

// The file name of a path of either form.
std::string_view file_name_of(std::string_view path) {
    const std::size_t cut = path.find_last_of("\\/");
    return cut == std::string_view::npos ? path : path.substr(cut + 1);
}

}  // namespace

void arm_file_fault(const FileFault& fault) { armed() = ArmedFault{fault, 0}; }

void disarm_file_fault() { armed().reset(); }

namespace platform_detail {

int file_fault(FileStep step, std::string_view path) {
    std::optional<ArmedFault>& fault = armed();
    if (!fault || fault->fault.step != step) {
        return 0;
    }
    if (!fault->fault.file_name.empty() && !equal_ignoring_case_cp1252(file_name_of(path), fault->fault.file_name)) {
        return 0;
    }
    if (++fault->seen < fault->fault.nth) {
        return 0;
    }
    const int error = fault->fault.error;
    fault.reset();
    return error;
}

}  // namespace platform_detail

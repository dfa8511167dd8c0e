#include "foundation/fixed_text.h"

std::string trim_right(std::string_view text) {
    return std::string(text.substr(0, trimmed_length(text)));
}

bool is_blank(std::string_view text) { return trimmed_length(text) == 0; }

std::string left_adjust(std::string_view text) {
    const std::size_t first = text.find_first_not_of(' ');
    if (first == std::string_view::npos) {
        return {};
    }
    return trim_right(text.substr(first));
}

std::string fit_field(std::string_view text, std::size_t capacity) {
    return std::string(fitted_view(text, capacity));
}

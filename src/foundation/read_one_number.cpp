#include "foundation/read_one_number.h"

#include "foundation/list_read.h"

#include <array>

namespace {

// A null item or a slash leaves the target as it was: only a number really
// read counts.
template <class T>
bool read_one(std::string_view text, T& value) {
    T read{};
    const std::array<ListTarget, 1> target{ListTarget(&read)};
    std::size_t stored = 0;
    if (list_read_items(text, target, &stored) != kReadOk || stored != 1) {
        return false;
    }
    value = read;
    return true;
}

}  // namespace

bool read_one_real(std::string_view text, float& value) {
    return read_exact_decimal(text, value) || read_one(text, value);
}

bool read_one_int(std::string_view text, int& value) {
    return read_plain_integer(text, value) || read_one(text, value);
}

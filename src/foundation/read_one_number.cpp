#include "foundation/read_one_number.h"

#include "foundation/list_read.h"

namespace {

// A null item or a slash leaves the target as it was: reading into two
// targets preset to different values tells that from a number really read.
template <class T>
bool read_one(std::string_view text, T& value) {
    T first{1};
    T second{2};
    if (list_read(text, first) != kReadOk || list_read(text, second) != kReadOk || first != second) {
        return false;
    }
    value = first;
    return true;
}

}  // namespace

bool read_one_real(std::string_view text, float& value) { return read_one(text, value); }

bool read_one_int(std::string_view text, int& value) { return read_one(text, value); }

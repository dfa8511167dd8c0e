#include "foundation/airspace_names.h"

#include "foundation/number_text.h"
#include "platform/console.h"

#include <array>

namespace {

std::array<std::string, kAirspaceNameSlots> as_nam;

bool valid_slot(int nn) { return nn >= 0 && nn < kAirspaceNameSlots; }

}  // namespace

void add_as_name(int nn, std::string_view nam) {
    if (!valid_slot(nn)) {
        console_line(" add_as_name: zone number out of range " + i2b(nn));
        return;
    }
    as_nam[static_cast<std::size_t>(nn)] = std::string(nam.substr(0, nam.find('\0')));
}

void get_as_name(int nn, std::string& nam, int& ll) {
    nam = valid_slot(nn) ? as_nam[static_cast<std::size_t>(nn)] : std::string{};
    ll = static_cast<int>(nam.size());
}

void reset_as_nam() { as_nam.fill(std::string{}); }

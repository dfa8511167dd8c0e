#include "foundation/airspace_names.h"

#include "foundation/number_text.h"
#include "platform/console.h"

#include <vector>

namespace {

std::vector<std::string> as_nam;

}  // namespace

void add_as_name(int nn, std::string_view nam) {
    if (nn < 0 || nn >= kAirspaceNameSlots) {
        console_line(" add_as_name: zone number out of range " + i2b(nn));
        return;
    }
    const auto slot = static_cast<std::size_t>(nn);
    if (slot >= as_nam.size()) {
        as_nam.resize(slot + 1);
    }
    as_nam[slot] = std::string(nam.substr(0, nam.find('\0')));
}

void get_as_name(int nn, std::string& nam, int& ll) {
    const bool stored = nn >= 0 && static_cast<std::size_t>(nn) < as_nam.size();
    nam = stored ? as_nam[static_cast<std::size_t>(nn)] : std::string{};
    ll = static_cast<int>(nam.size());
}

void reset_as_nam() { as_nam.clear(); }

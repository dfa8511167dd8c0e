#include "support/terrain_bytes.h"

#include <bit>

namespace tarvex_test {

std::string le_bytes(std::uint32_t value) {
    std::string out;
    for (int i = 0; i < 4; ++i) {
        out += static_cast<char>((value >> (8 * i)) & 0xFFu);
    }
    return out;
}

std::string le_bytes(float value) { return le_bytes(std::bit_cast<std::uint32_t>(value)); }

std::string le_bytes(double value) {
    const auto bits = std::bit_cast<std::uint64_t>(value);
    return le_bytes(static_cast<std::uint32_t>(bits & 0xFFFFFFFFu)) + le_bytes(static_cast<std::uint32_t>(bits >> 32));
}

std::string trn_bytes(const TrnHeader& h, std::size_t extra) {
    std::string out;
    out += le_bytes(static_cast<std::uint32_t>(h.columns));
    out += le_bytes(static_cast<std::uint32_t>(h.rows));
    out += le_bytes(h.third);
    out += le_bytes(h.column_step);
    out += le_bytes(h.row_step);
    out += le_bytes(h.easting);
    out += le_bytes(h.northing);
    out += static_cast<char>(h.zone);
    out += std::string(3, '\0');
    out += h.hemisphere;
    out += std::string(3, '\0');
    out += std::string(extra, '\0');
    return out;
}

std::string dem_bytes(const DemHeader& h) {
    return le_bytes(h.lonmin) + le_bytes(h.lonmax) + le_bytes(h.latmax) + le_bytes(h.latmin) + le_bytes(h.step) +
           le_bytes(static_cast<std::uint32_t>(h.rows)) + le_bytes(static_cast<std::uint32_t>(h.columns));
}

}  // namespace tarvex_test

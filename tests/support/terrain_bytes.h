#pragma once

// Terrain header files as bytes, for tests that need a landscape's frame.

#include <cstdint>
#include <string>

namespace tarvex_test {

// A Condor ".trn" header (36 bytes, little-endian), followed by `extra` zero
// bytes standing for the height grid.
struct TrnHeader {
    std::int32_t columns = 1000;
    std::int32_t rows = 1000;
    float third = 90.0f;
    float column_step = 90.0f;
    float row_step = 90.0f;
    float easting = 600000.0f;
    float northing = 4900000.0f;
    std::int8_t zone = 32;
    char hemisphere = 'N';
};
std::string trn_bytes(const TrnHeader& header, std::size_t extra = 0);

// A ".dem" header (48 bytes, little-endian).
struct DemHeader {
    double lonmin = 6.0;
    double lonmax = 7.0;
    double latmax = 46.0;
    double latmin = 45.0;
    double step = 1.0 / 1200.0;
    std::int32_t rows = 1200;
    std::int32_t columns = 1200;
};
std::string dem_bytes(const DemHeader& header);

// Little-endian bytes of single values.
std::string le_bytes(std::uint32_t value);
std::string le_bytes(float value);
std::string le_bytes(double value);

}  // namespace tarvex_test

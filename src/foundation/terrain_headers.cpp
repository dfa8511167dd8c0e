#include "foundation/terrain_headers.h"

#include "foundation/fixed_text.h"
#include "foundation/float_bits.h"
#include "foundation/little_endian.h"
#include "foundation/fortran_format.h"
#include "foundation/list_read.h"
#include "platform/console.h"
#include "platform/files.h"

#include <array>
#include <cctype>
#include <cmath>
#include <string>

namespace {

constexpr double kLatitudeLimit = 90.0;
constexpr double kLongitudeLimit = 360.0;
constexpr std::size_t kAscLineLength = 80;
constexpr int kAscHeaderLines = 6;
constexpr int kAscKeywordCount = 5;


// Reads the first `size` bytes of a file: 0, the open status, or kHeaderEnd.
int read_header_bytes(std::string_view fich, std::size_t size, std::string& bytes) {
    ByteFileReader reader(trim_right(fich));
    if (!reader.is_open()) {
        return reader.open_status();
    }
    if (!reader.read(bytes, size)) {
        return reader.failed() ? reader.read_status() : kHeaderEnd;
    }
    return 0;
}

// Frame sizes beyond this (a million times the Earth's circumference) are no
// terrain; below it every float product of the header stays finite.
constexpr double kLargestExtent = 1.0e12;

// A cell larger than the globe is no grid.
constexpr double kLargestCell = 360.0;

bool plausible_grid(double latmin, double latmax, double lonmin, double lonmax, int ncols, int nrows) {
    for (const double lat : {latmin, latmax}) {
        if (!finite_bits(lat) || std::fabs(lat) > kLatitudeLimit) {
            return false;
        }
    }
    for (const double lon : {lonmin, lonmax}) {
        if (!finite_bits(lon) || std::fabs(lon) > kLongitudeLimit) {
            return false;
        }
    }
    return ncols > 0 && nrows > 0 && ncols <= kMaxGridCount && nrows <= kMaxGridCount;
}

// The lower-case form of a header line.
std::string lower(std::string_view text) {
    std::string out(text);
    for (char& c : out) {
        c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    }
    return out;
}

}  // namespace

void grid_zone(double latmin, double latmax, double lonmin, double lonmax, int& nzon, char& zlat) {
    zlat = (latmin + latmax) / 2.0 > 0.0 ? 'N' : 'S';
    const double unrounded = ((lonmin + lonmax) / 2.0 + 177.0) / 6.0;
    nzon = static_cast<int>(std::round(unrounded)) + 1;
    console_line(" NZON " + std::to_string(nzon) + fortran_write("(3F14.6)", {lonmin, lonmax, unrounded}));
}

TrnHeaderFields trn_header_fields(const std::string& bytes) {
    TrnHeaderFields h;
    h.columns = i32_at(bytes, 0);
    h.rows = i32_at(bytes, 4);
    h.third = f32_at(bytes, 8);
    h.column_step = f32_at(bytes, 12);
    h.row_step = f32_at(bytes, 16);
    h.easting = f32_at(bytes, 20);
    h.northing = f32_at(bytes, 24);
    h.zone = i8_at(bytes, 28);
    h.hemisphere = bytes[32];
    return h;
}

int read_trn_hdr(std::string_view fich, float& xmax, float& ymax, float& orig_e, float& orig_n, float& orien,
                 int& nlon, char& zlat) {
    std::string bytes;
    const int status = read_header_bytes(fich, kTrnHeaderSize, bytes);
    if (status != 0) {
        return status;
    }
    const TrnHeaderFields h = trn_header_fields(bytes);
    if (!finite_bits(h.column_step) || !finite_bits(h.row_step) || !finite_bits(h.easting) ||
        !finite_bits(h.northing)) {
        return kHeaderBadValue;
    }
    const double width = std::fabs(static_cast<double>(h.columns) * static_cast<double>(h.column_step));
    const double height = std::fabs(static_cast<double>(h.rows) * static_cast<double>(h.row_step));
    if (width > kLargestExtent || height > kLargestExtent) {
        return kHeaderBadValue;
    }
    // A zone or a hemisphere that UTM does not have gives no frame at all.
    if (h.zone < kFirstUtmZone || h.zone > kLastUtmZone || (h.hemisphere != 'N' && h.hemisphere != 'S')) {
        return kHeaderBadValue;
    }
    xmax = std::fabs(static_cast<float>(h.columns) * h.column_step);
    ymax = std::fabs(static_cast<float>(h.rows) * h.row_step);
    orig_e = h.easting;
    orig_n = h.northing;
    orien = h.third;
    nlon = h.zone;
    zlat = h.hemisphere;
    return 0;
}

int read_dem_hdr(std::string_view fich, double& latmin, double& latmax, double& lonmin, double& lonmax,
                 int& ncols, int& nrows, int& nzon, char& zlat) {
    std::string bytes;
    const int status = read_header_bytes(fich, kDemHeaderSize, bytes);
    if (status != 0) {
        return status;
    }
    const double lon_min = f64_at(bytes, 0);
    const double lon_max = f64_at(bytes, 8);
    const double lat_max = f64_at(bytes, 16);
    const double lat_min = f64_at(bytes, 24);
    const double step = f64_at(bytes, 32);
    const int rows = i32_at(bytes, 40);
    const int columns = i32_at(bytes, 44);
    if (!plausible_grid(lat_min, lat_max, lon_min, lon_max, columns, rows) || !finite_bits(step)) {
        return kHeaderBadValue;
    }
    if (std::fabs(step) < 1.0e30) {
        console_line(" read_dem_hdr step (arc-seconds) " + fortran_write("(F12.4)", {step * 3600.0}));
    }
    latmin = lat_min;
    latmax = lat_max;
    lonmin = lon_min;
    lonmax = lon_max;
    ncols = columns;
    nrows = rows;
    grid_zone(latmin, latmax, lonmin, lonmax, nzon, zlat);
    return 0;
}

int read_ascdem_hdr(std::string_view fich, double& latmin, double& latmax, double& lonmin, double& lonmax,
                    int& ncols, int& nrows, int& nzon, char& zlat) {
    console_line(" read_ascdem_hdr");
    TextFileReader reader(trim_right(fich));
    if (!reader.is_open()) {
        console_line(" IOS " + std::to_string(reader.open_status()));
        return reader.open_status();
    }
    int columns = 0;
    int rows = 0;
    double xll = 0.0;
    double yll = 0.0;
    double cellsize = 0.0;
    int keywords = 0;
    std::string line;
    for (int i = 0; i < kAscHeaderLines && reader.read_line(line); ++i) {
        line = fit_field(line, kAscLineLength);
        console_line(line);
        const std::string key = lower(line);
        const auto value_after = [&line](std::string_view keyword) {
            return std::string_view(line).substr(keyword.size());
        };
        int read = kReadBadItem;
        if (key.starts_with("ncols")) {
            read = list_read(value_after("ncols"), columns);
        } else if (key.starts_with("nrows")) {
            read = list_read(value_after("nrows"), rows);
        } else if (key.starts_with("xllcorner")) {
            read = list_read(value_after("xllcorner"), xll);
        } else if (key.starts_with("yllcorner")) {
            read = list_read(value_after("yllcorner"), yll);
        } else if (key.starts_with("cellsize")) {
            read = list_read(value_after("cellsize"), cellsize);
        }
        if (read == kReadOk) {
            ++keywords;
        }
    }
    int status = reader.failed() ? reader.read_status() : 0;
    if (status == 0 && keywords != kAscKeywordCount) {
        status = kHeaderIncomplete;
    }
    if (status == 0) {
        const bool sizes_ok = std::fabs(cellsize) <= kLargestCell && columns > 0 && rows > 0 &&
                              columns <= kMaxGridCount && rows <= kMaxGridCount;
        const double lon_max = sizes_ok ? cellsize * columns + xll : 0.0;
        const double lat_max = sizes_ok ? cellsize * rows + yll : 0.0;
        if (!sizes_ok || !plausible_grid(yll, lat_max, xll, lon_max, columns, rows)) {
            status = kHeaderBadValue;
        } else {
            console_line(" read_ascdem_hdr step (arc-seconds) " + fortran_write("(F12.4)", {cellsize * 3600.0}));
            latmin = yll;
            latmax = lat_max;
            lonmin = xll;
            lonmax = lon_max;
            ncols = columns;
            nrows = rows;
            grid_zone(latmin, latmax, lonmin, lonmax, nzon, zlat);
        }
    }
    console_line(" IOS " + std::to_string(status));
    return status;
}

#include "foundation/seeyou_coordinates.h"

#include "foundation/fortran_format.h"
#include "foundation/number_text.h"
#include "foundation/read_one_number.h"

#include <cmath>

namespace {

// The character at the 1-based position, blank beyond the text.
char char_at(std::string_view text, std::size_t position) {
    return position >= 1 && position <= text.size() ? text[position - 1] : ' ';
}

// 1-based position of the first `letter`, 0 when absent.
std::size_t first_position(std::string_view text, char letter) {
    const std::size_t at = text.find(letter);
    return at == std::string_view::npos ? 0 : at + 1;
}

// Reads degrees from characters 1..degree_digits, the hemisphere letter at the
// later of the first `negative` and first `positive` letters, and the minutes
// between them.
float decode_cu(std::string_view str, std::size_t degree_digits, char negative, char positive) {
    const std::size_t dot = degree_digits + 3;
    if (char_at(str, dot) != '.') {
        return kNotACoordinate;
    }
    float degrees = 0.0f;
    if (!read_one_real(str.substr(0, degree_digits), degrees)) {
        return kNotACoordinate;
    }
    const std::size_t k = std::max(first_position(str, negative), first_position(str, positive));
    if (k < dot + 4 || k > dot + 6) {
        return kNotACoordinate;
    }
    float minutes = 0.0f;
    if (!read_one_real(str.substr(degree_digits, k - 1 - degree_digits), minutes)) {
        return kNotACoordinate;
    }
    const float value = degrees + minutes / 60.0f;
    return char_at(str, k) == negative ? -value : value;
}

// A value far beyond any coordinate, which still shows as asterisks in the
// degree field: larger ones are held at it so that no product overflows.
constexpr float kLargestDegrees = 1.0e6f;


struct DegreesMinutes {
    int degrees = 0;
    int minutes = 0;
    int thousandths = 0;
};

DegreesMinutes split_minutes(float value) {
    float v = std::fabs(value);
    if (std::isnan(v) || v > kLargestDegrees) {
        v = kLargestDegrees;
    }
    DegreesMinutes out;
    out.degrees = trunc_to_int(v);
    const float minutes = (v - static_cast<float>(out.degrees)) * 60.0f;
    out.minutes = trunc_to_int(minutes);
    out.thousandths = nearest_int((minutes - static_cast<float>(out.minutes)) * 1000.0f);
    if (out.thousandths >= 1000) {
        out.thousandths -= 1000;
        ++out.minutes;
    }
    if (out.minutes >= 60) {
        out.minutes -= 60;
        ++out.degrees;
    }
    return out;
}

void write_form(float value, char negative, char positive, std::string_view format, std::string& str) {
    const char letter = !std::isnan(value) && value < 0.0f ? negative : positive;
    const DegreesMinutes dm = split_minutes(value);
    str = fortran_write(format, {dm.degrees, dm.minutes, dm.thousandths, std::string(1, letter)});
}

}  // namespace

float decode_lat_cu(std::string_view str) { return decode_cu(str, 2, 'S', 'N'); }

float decode_lon_cu(std::string_view str) { return decode_cu(str, 3, 'W', 'E'); }

void lat_cu(float lat, std::string& str) { write_form(lat, 'S', 'N', "(I2.2,I2.2,'.',I3.3,A)", str); }

void lon_cu(float lon, std::string& str) { write_form(lon, 'W', 'E', "(I3.3,I2.2,'.',I3.3,A)", str); }

void lat_cndr(float lat, std::string& str) { write_form(lat, 'S', 'N', "(I2.2,'.',I2.2,'.',I3.3,A)", str); }

void lon_cndr(float lon, std::string& str) { write_form(lon, 'W', 'E', "(I3.3,'.',I2.2,'.',I3.3,A)", str); }

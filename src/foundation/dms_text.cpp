#include "foundation/dms_text.h"

#include "foundation/fixed_text.h"
#include "foundation/fortran_format.h"
#include "foundation/number_text.h"
#include "foundation/read_one_number.h"
#include "platform/console.h"

#include <cmath>

namespace {

constexpr char kDegreeSign = '\xB0';
constexpr std::size_t kDegreeTextLength = 20;

// A value far beyond any coordinate that still shows as asterisks in the
// degree field: larger ones are held at it so that no product overflows.
constexpr float kLargestDegrees = 1.0e6f;


float magnitude(float value) {
    const float v = std::fabs(value);
    return std::isnan(v) || v > kLargestDegrees ? kLargestDegrees : v;
}

bool is_latitude(int nlon) { return nlon == 1; }

// "N"/"S" for a latitude, "E"/"W" for a longitude: the first of the pair
// above zero.
char letter(float value, int nlon) {
    const bool above = !std::isnan(value) && value > 0.0f;
    const std::size_t pair = is_latitude(nlon) ? 0 : 2;
    return kHemisphereLetters[pair + (above ? 0 : 1)];
}

struct Dms {
    int degrees = 0;
    int minutes = 0;
    int seconds = 0;
    int hundredths = 0;
};

// Carries 100 hundredths into the seconds, 60 seconds into the minutes and
// 60 minutes into the degrees.
void carry(Dms& d) {
    while (d.hundredths >= 100) {
        d.hundredths -= 100;
        ++d.seconds;
    }
    while (d.seconds >= 60) {
        d.seconds -= 60;
        ++d.minutes;
    }
    while (d.minutes >= 60) {
        d.minutes -= 60;
        ++d.degrees;
    }
}

// Whole degrees and minutes and rounded seconds.
Dms split_rounded_seconds(float value) {
    const float v = magnitude(value);
    Dms d;
    d.degrees = trunc_to_int(v);
    const float minutes = (v - static_cast<float>(d.degrees)) * 60.0f;
    d.minutes = trunc_to_int(minutes);
    d.seconds = nearest_int((minutes - static_cast<float>(d.minutes)) * 60.0f);
    carry(d);
    return d;
}

void write_dms(float value, int nlon, std::string_view latitude_format, std::string_view longitude_format,
               std::string& clon) {
    const Dms d = split_rounded_seconds(value);
    const std::string_view format = is_latitude(nlon) ? latitude_format : longitude_format;
    clon = fortran_write(format, {d.degrees, d.minutes, d.seconds, std::string(1, letter(value, nlon))});
}

// The text between two 0-based positions (end excluded), empty when reversed.
std::string_view between(std::string_view text, std::size_t begin, std::size_t end) {
    if (begin >= text.size() || end <= begin) {
        return {};
    }
    return text.substr(begin, std::min(end, text.size()) - begin);
}

}  // namespace

void dms_oa(float lon, int nlon, std::string& clon) {
    write_dms(lon, nlon, "(I2.2,':',I2.2,':',I2.2,' ',A)", "(I3.3,':',I2.2,':',I2.2,' ',A)", clon);
}

void dms(float lon, int nlon, std::string& clon) {
    write_dms(lon, nlon, "(I2.2,'\xB0',I2.2,'''',I2.2,'\"',A)", "(I3.3,'\xB0',I2.2,'''',I2.2,'\"',A)", clon);
}

void dms_d(float lon, int nlon, std::string& clon) {
    const float v = magnitude(lon);
    Dms d;
    d.degrees = trunc_to_int(v);
    const float minutes = (v - static_cast<float>(d.degrees)) * 60.0f;
    d.minutes = trunc_to_int(minutes);
    const float seconds = (minutes - static_cast<float>(d.minutes)) * 60.0f;
    d.seconds = trunc_to_int(seconds);
    const float fraction = seconds - static_cast<float>(d.seconds);
    d.hundredths = fraction > 0.994f ? 100 : nearest_int(fraction * 100.0f);
    console_line(" dms_d " + std::to_string(d.degrees) + " " + std::to_string(d.minutes) + " " +
                 std::to_string(d.seconds) + " " + std::to_string(d.hundredths));
    carry(d);
    const std::string_view format = is_latitude(nlon) ? "(I2.2,'\xB0',I2.2,'''',I2.2,'.',I2.2,'\"',A)"
                                                      : "(I3.3,'\xB0',I2.2,'''',I2.2,'.',I2.2,'\"',A)";
    clon = fortran_write(format, {d.degrees, d.minutes, d.seconds, d.hundredths, std::string(1, letter(lon, nlon))});
}

float decode_lat_lon(std::string_view in_str) {
    std::string text = fit_field(in_str, kDegreeTextLength);
    float sign = 1.0f;
    for (const char hemisphere : kHemisphereLetters) {
        const std::size_t at = text.find(hemisphere);
        if (at != std::string::npos) {
            text[at] = ' ';
            sign = hemisphere == 'N' || hemisphere == 'E' ? 1.0f : -1.0f;
        }
    }
    const std::size_t degree_at = text.find(kDegreeSign);
    const std::size_t minute_at = degree_at == std::string::npos ? std::string::npos : text.find('\'', degree_at);
    const std::size_t second_from = minute_at != std::string::npos ? minute_at + 1 : std::string::npos;
    const std::size_t second_to = second_from == std::string::npos ? std::string::npos : text.find('"', second_from);

    float degrees = 0.0f;
    float minutes = 0.0f;
    float seconds = 0.0f;
    if (!read_one_real(between(text, 0, degree_at == std::string::npos ? text.size() : degree_at), degrees)) {
        console_line(" decode_lat_lon " + text + " : no degrees");
        return kNoDegrees;
    }
    if (degree_at != std::string::npos) {
        read_one_real(between(text, degree_at + 1, minute_at == std::string::npos ? text.size() : minute_at), minutes);
    }
    if (second_from != std::string::npos) {
        read_one_real(between(text, second_from, second_to == std::string::npos ? text.size() : second_to), seconds);
    }
    console_line(" decode_lat_lon " + text + " : " + fortran_write("(3F12.4)", {degrees, minutes, seconds}));
    if (std::fabs(degrees) > kLargestDegrees || std::fabs(minutes) > kLargestDegrees ||
        std::fabs(seconds) > kLargestDegrees) {
        return kNoDegrees;  // no coordinate, and a sum that could overflow
    }
    return sign * (degrees + minutes / 60.0f + seconds / 3600.0f);
}

#include "airspace/openair_text.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <cstdint>

#include "airspace/airspace_records.h"
#include "airspace/airspace_trace.h"
#include "foundation/fixed_text.h"
#include "foundation/list_read.h"
#include "foundation/log.h"
#include "foundation/message_records.h"
#include "foundation/number_text.h"
#include "foundation/option_records.h"
#include "foundation/tell.h"
#include "foundation/text_edit.h"
#include "foundation/units.h"

int get_typ(std::string_view str) {
    const std::string_view text = str.substr(0, trimmed_length(str));
    if (text == "UNCLASSIFIED") {
        return kClassUnc;
    }
    if (text == "W") {
        return kClassGsec;
    }
    for (int i = 0; i < kAirspaceClasses; ++i) {
        const std::string& name = as000c.typ0[i];
        // Most names are one letter: the first letter decides before the text is compared.
        if (name.size() == text.size() && (text.empty() || name[0] == text[0]) && text == name) {
            return i;
        }
    }
    return kClassUnc;
}

int clean_text(std::string& str) {
    const std::size_t length = trimmed_length(str);
    for (std::size_t i = 0; i < length; ++i) {
        const auto byte = static_cast<unsigned char>(str[i]);
        if (byte < 224) {
            continue;
        }
        if (byte == 232 || byte == 233) {
            str[i] = 'e';
        } else if (byte == 224) {
            str[i] = 'a';
        }
    }
    return static_cast<int>(length);
}

namespace {

constexpr std::size_t kCoordTextLength = 40;

// The later of two first occurrences (npos when a letter is absent); npos
// when neither letter occurs.
std::size_t later_of(std::size_t pa, std::size_t pb) {
    if (pa == std::string_view::npos) {
        return pb;
    }
    if (pb == std::string_view::npos) {
        return pa;
    }
    return std::max(pa, pb);
}

// Dots standing for colons become colons, from the left, until the first dot
// left is the last one and stands after the last colon. Returns the count.
int repair_dots(std::string& part) {
    int count = 0;
    for (;;) {
        const std::size_t first = part.find('.');
        if (first == std::string::npos) {
            return count;
        }
        const std::size_t last_colon = part.rfind(':');
        if (first == part.rfind('.') && (last_colon == std::string::npos || first > last_colon)) {
            return count;
        }
        part[first] = ':';
        ++count;
    }
}

// Reads one field as a real; false when it is missing or not a number.
bool read_field(std::string_view field, float& value) {
    return list_read(field, value) == kReadOk && std::isfinite(value);
}

// The same for a field of a degrees-minutes-seconds text, most often plain
// digits: those are read as the integer they make, whose float is the value
// list_read gives them (both round to the nearest float).
bool read_dms_field(std::string_view field, float& value) {
    int whole = 0;
    if (!field.empty() && field.front() >= '0' && field.front() <= '9' && read_plain_integer(field, whole)) {
        value = static_cast<float>(whole);
        return true;
    }
    return read_field(field, value);
}

// Degrees of the fields of a part, negated for the negative letter. The sum
// is checked in double before it is made in float, so that absurd fields
// cannot overflow (such a sum is left unsigned, beyond any range).
constexpr double kLargestDmsSum = 1000.0;

// The sum of the fields of a part, in float, as a part is read.
float dms_sum(float degrees, float minutes, float seconds) { return degrees + minutes / 60.0f + seconds / 3600.0f; }

double dms_degrees(float degrees, float minutes, float seconds, bool negative) {
    const double wide = static_cast<double>(degrees) + minutes / 60.0 + seconds / 3600.0;
    if (std::fabs(wide) > kLargestDmsSum) {
        return wide;
    }
    const float sum = dms_sum(degrees, minutes, seconds);
    return negative ? -sum : sum;
}

// Degrees of one part "DD:MM:SS H" with the positive and negative letters;
// false when a separator is missing or a field cannot be read.
bool dms_value(std::string_view part, char positive, char negative, double& value) {
    // One pass finds the first two colons and the first of each letter.
    constexpr std::size_t npos = std::string_view::npos;
    std::size_t c1 = npos;
    std::size_t c2 = npos;
    std::size_t first_positive = npos;
    std::size_t first_negative = npos;
    for (std::size_t i = 0; i < part.size(); ++i) {
        const char c = part[i];
        if (c == ':') {
            if (c1 == npos) {
                c1 = i;
            } else if (c2 == npos) {
                c2 = i;
            }
        } else if (c == positive) {
            first_positive = std::min(first_positive, i);
        } else if (c == negative) {
            first_negative = std::min(first_negative, i);
        }
    }
    const std::size_t letter = later_of(first_positive, first_negative);
    if (letter == npos || c1 == npos || c1 > letter || c2 == npos || c2 > letter) {
        return false;
    }
    float degrees = 0.0f;
    float minutes = 0.0f;
    float seconds = 0.0f;
    if (!read_dms_field(part.substr(0, c1), degrees) || !read_dms_field(part.substr(c1 + 1, c2 - c1 - 1), minutes) ||
        !read_dms_field(part.substr(c2 + 1, letter - c2 - 1), seconds)) {
        return false;
    }
    value = dms_degrees(degrees, minutes, seconds, part[letter] == negative);
    return true;
}

// A run of one to nine digits at `i` read as the integer it makes (its float
// is the value read_dms_field gives it); `i` moves past it. False when there
// is no such run.
bool plain_digits(std::string_view text, std::size_t& i, float& value) {
    constexpr std::size_t kMostDigits = 9;
    const std::size_t start = i;
    int whole = 0;
    while (i < text.size() && text[i] >= '0' && text[i] <= '9') {
        if (i - start == kMostDigits) {
            return false;
        }
        whole = whole * 10 + (text[i] - '0');
        ++i;
    }
    value = static_cast<float>(whole);
    return i > start;
}

// One part "DD:MM:SS[.s] H" of the usual form at `i`, up to its letter (one
// of the two given, either case, after blanks); `i` moves past the letter.
// False for any other shape.
bool plain_part(std::string_view text, std::size_t& i, char positive, char negative, double& value) {
    float degrees = 0.0f;
    float minutes = 0.0f;
    float seconds = 0.0f;
    if (!plain_digits(text, i, degrees) || i >= text.size() || text[i] != ':' ||
        !plain_digits(text, ++i, minutes) || i >= text.size() || text[i] != ':') {
        return false;
    }
    const std::size_t seconds_start = ++i;
    if (!plain_digits(text, i, seconds)) {
        return false;
    }
    if (i < text.size() && text[i] == '.') {
        // Decimal seconds: read as the general reading reads them.
        ++i;
        while (i < text.size() && text[i] >= '0' && text[i] <= '9') {
            ++i;
        }
        if (!read_field(text.substr(seconds_start, i - seconds_start), seconds)) {
            return false;
        }
    }
    while (i < text.size() && text[i] == ' ') {
        ++i;
    }
    if (i >= text.size()) {
        return false;
    }
    const char upper = upper_letter(text[i]);
    if (upper != positive && upper != negative) {
        return false;
    }
    ++i;
    value = dms_degrees(degrees, minutes, seconds, upper == negative);
    return true;
}

// The value of a digit; above 9 for any other character.
unsigned digit_value(char c) { return static_cast<unsigned>(static_cast<unsigned char>(c)) - unsigned{'0'}; }

// The eight characters at `p` as the bytes of a number, the first the
// lowest (one load where the machine is little-endian).
std::uint64_t eight_bytes(const char* p) {
    const auto byte = [p](int k) { return std::uint64_t{static_cast<unsigned char>(p[k])} << (8 * k); };
    return byte(0) | byte(1) | byte(2) | byte(3) | byte(4) | byte(5) | byte(6) | byte(7);
}

// What column_fields gives for characters of another form.
constexpr std::uint64_t kNotFields = ~std::uint64_t{0};

// The fields of "DD:MM:SS" at `p`, all eight characters looked at together:
// DD, MM and SS in bytes 0, 3 and 6 of the result; kNotFields unless six
// digits and two colons stand there.
std::uint64_t column_fields(const char* p) {
    constexpr std::uint64_t kEachByte = 0x0101010101010101;
    constexpr std::uint64_t kDigitBytes = 0xFFFF00FFFF00FFFF;
    constexpr std::uint64_t kColons = 0x00003A00003A0000;
    const std::uint64_t text = eight_bytes(p);
    // A digit's byte becomes its value, 0 to 9; any other byte becomes
    // another value, whose high bit is set or which 0x76 lifts past 0x7F
    // (without a carry into the next byte).
    const std::uint64_t values = text ^ (kEachByte * '0');
    const std::uint64_t not_digits = ((values & (kEachByte * 0x7F)) + kEachByte * 0x76) | values;
    if ((not_digits & kDigitBytes & (kEachByte * 0x80)) != 0 || (text & ~kDigitBytes) != kColons) {
        return kNotFields;
    }
    // Each byte ten times its digit plus the next one (no byte reaches 256:
    // digits and colons are at most 10).
    return values * 10 + (values >> 8);
}

// One part "DD:MM:SS H" (`DegreeDigits`, 2 or 3, digits of degrees) at
// fixed columns from `p`, the letter either case; the values plain_part
// gives it.
template <int DegreeDigits>
bool column_part(const char* p, char positive, char negative, double& value) {
    const char* const last = p + DegreeDigits - 2;  // "DD:MM:SS" from the last two digits of degrees
    const std::uint64_t fields = column_fields(last);
    if (fields == kNotFields || last[8] != ' ') {
        return false;
    }
    unsigned degrees = static_cast<unsigned>(fields & 0xFF);
    if constexpr (DegreeDigits == 3) {
        const unsigned hundreds = digit_value(p[0]);
        if (hundreds > 9) {
            return false;
        }
        degrees += hundreds * 100;
    }
    const char letter = last[9];
    const char upper = upper_letter(letter);
    if (upper != positive && upper != negative) {
        return false;
    }
    // Fields of at most 999, 99 and 99 make no sum that could overflow: the
    // guard of dms_degrees is not needed (a sum beyond it is beyond any
    // longitude, and the part is rejected either way).
    const float sum = dms_sum(static_cast<float>(degrees), static_cast<float>((fields >> 24) & 0xFF),
                              static_cast<float>((fields >> 48) & 0xFF));
    value = upper == negative ? -sum : sum;
    return true;
}

// The layout nearly every file writes, "DD:MM:SS N DDD:MM:SS E" with single
// blanks, read at its columns: the same values as plain_part, without its
// scanning. False for any other text.
bool column_coord(std::string_view text, double& lat, double& lon) {
    constexpr std::size_t kColumnLength = 22;
    constexpr std::size_t kLongitudeColumn = 11;
    return text.size() == kColumnLength && text[kLongitudeColumn - 1] == ' ' &&
           column_part<2>(text.data(), 'N', 'S', lat) && column_part<3>(text.data() + kLongitudeColumn, 'E', 'W', lon);
}

// The usual form "DD:MM:SS[.s] N DDD:MM:SS[.s] E" in one pass, with the
// values the general reading gives it; false for any other text (other
// shapes, dots to repair, values out of range), which the general reading
// then takes, with its messages.
bool plain_coord(std::string_view str, float& rlat, float& rlon) {
    std::size_t start = 0;
    while (start < str.size() && str[start] == ' ') {
        ++start;
    }
    const std::string_view given = str.substr(start);
    const std::string_view text = given.substr(0, trimmed_length(given));
    if (text.empty()) {
        return false;
    }
    // The general reading cuts the text at its capacity.
    if (text.size() > kCoordTextLength) {
        return false;
    }
    double lat = 0.0;
    double lon = 0.0;
    if (!column_coord(text, lat, lon)) {
        std::size_t i = 0;
        if (!plain_part(text, i, 'N', 'S', lat)) {
            return false;
        }
        while (i < text.size() && text[i] == ' ') {
            ++i;
        }
        if (!plain_part(text, i, 'E', 'W', lon) || i != text.size()) {
            return false;
        }
    }
    if (std::fabs(lat) > 90.0 || std::fabs(lon) > 180.0) {
        return false;
    }
    rlat = static_cast<float>(lat);
    rlon = static_cast<float>(lon);
    return true;
}

void report_coordinate_error(std::string_view str) {
    const std::string given = fit_field(str, kAirspaceNameCapacity);
    tell_and_count(kError, in_user_language("Incorrect coordinates format: " + given,
                                            "Format de coordon\xE9" "es incorrect : " + given));
}

// The general reading of extract_coord, for any text.
int general_coord(std::string_view str, float& rlat, float& rlon) {
    // The text left-adjusted, cut at its capacity, without trailing blanks and
    // in upper case (majusc), in a buffer of its own; the copy notes the first
    // "N", the first "S" and whether a dot is there.
    std::array<char, kCoordTextLength> buffer{};
    const std::size_t start = str.find_first_not_of(' ');
    const std::string_view given = start == std::string_view::npos ? std::string_view() : str.substr(start);
    const std::string_view cut = given.substr(0, std::min(given.size(), kCoordTextLength));
    const std::size_t length = trimmed_length(cut);
    std::size_t first_n = std::string_view::npos;
    std::size_t first_s = std::string_view::npos;
    bool dotted = false;
    for (std::size_t i = 0; i < length; ++i) {
        const char c = cut[i];
        const char upper = upper_letter(c);
        buffer[i] = upper;
        if (upper == 'N') {
            first_n = std::min(first_n, i);
        } else if (upper == 'S') {
            first_s = std::min(first_s, i);
        } else if (upper == '.') {
            dotted = true;
        }
    }
    const std::string_view text(buffer.data(), length);
    const std::size_t k = later_of(first_n, first_s);
    if (k == std::string::npos) {
        report_coordinate_error(str);
        return -1;
    }
    double lat = 0.0;
    double lon = 0.0;
    const std::string_view lat_view = text.substr(0, k + 1);
    std::string_view lon_view = text.substr(k + 1);
    lon_view.remove_prefix(std::min(lon_view.size(), lon_view.find_first_not_of(' ')));
    // Parts with a dot are repaired in copies; the others are read where they stand.
    std::string_view lat_text = lat_view;
    std::string_view lon_text = lon_view;
    std::string lat_part;
    std::string lon_part;
    if (dotted) {
        lat_part.assign(lat_view);
        lon_part.assign(lon_view);
        const int repairs = repair_dots(lat_part) + repair_dots(lon_part);
        if (repairs > 0) {
            const std::string given = trim_right(str);
            const std::string repaired = trim_right(lat_part + " " + lon_part);
            if (airspace_trace_enabled()) {
                airspace_trace("Coordinates repaired: " + i2b(repairs));
            }
            if (!peldbg00.qdis_wrn) {
                tell_and_count(kWarning, in_user_language("Incorrect coordinates format:/" + given + "/" + repaired +
                                                              " (corrected)",
                                                          "Format de coordon\xE9" "es incorrect :/" + given + "/" +
                                                              repaired + " (apr\xE8s correction)"));
            }
        }
        lat_text = lat_part;
        lon_text = lon_part;
    }
    if (!dms_value(lat_text, 'N', 'S', lat) || !dms_value(lon_text, 'E', 'W', lon) || std::fabs(lat) > 90.0 ||
        std::fabs(lon) > 180.0) {
        report_coordinate_error(str);
        return -1;
    }
    rlat = static_cast<float>(lat);
    rlon = static_cast<float>(lon);
    return 0;
}

}  // namespace

int extract_coord(std::string_view str, float& rlat, float& rlon) {
    return plain_coord(str, rlat, rlon) ? 0 : general_coord(str, rlat, rlon);
}

namespace {

constexpr std::size_t kAltitudeTextLength = 32;
// Largest altitude number taken as such; beyond it the text is unreadable.
constexpr float kLargestAltitudeNumber = 1.0e7f;

std::size_t first_of(std::string_view text, std::string_view what, std::string_view fallback) {
    const std::size_t p = text.find(what);
    return p != std::string_view::npos ? p : text.find(fallback);
}

}  // namespace

float decode_alt_as(std::string_view str) {
    const std::string text = fit_field(left_adjust(str), kAltitudeTextLength);
    // OpenAir files write their words and units in either case ("1500ft
    // AGL", "fl65", "Gnd"): they are looked for in an upper-case copy.
    std::string upper = text;
    majusc(upper);
    const std::string_view t = upper;
    if (t.starts_with("SFC") || t.starts_with("GND")) {
        return 0.0f;
    }
    // "UNL" and "UNLIM" stand for "UNLIMITED" as often as it is written out.
    if (t.starts_with("UNL")) {
        return 20000.0f;
    }
    float value = 0.0f;
    if (t.starts_with("FL")) {
        if (read_field(t.substr(2), value) && std::fabs(value) <= kLargestAltitudeNumber) {
            return value * 30.48f;
        }
        return kUnreadableAltitude;
    }
    const std::size_t agl = first_of(t, "AGL", "GND");
    const std::size_t amsl = first_of(t, "AMSL", "MSL");
    std::size_t end = t.size();
    if (agl != std::string_view::npos || amsl != std::string_view::npos) {
        end = (agl == std::string_view::npos) ? amsl : (amsl == std::string_view::npos) ? agl : std::max(agl, amsl);
    }
    const std::string_view number_text = t.substr(0, end);
    const std::size_t metres = number_text.find('M');
    std::size_t marker = std::string_view::npos;
    for (const std::size_t p : {metres, number_text.find("ALT"), number_text.find("FT"), number_text.find('F')}) {
        if (p != std::string_view::npos && (marker == std::string_view::npos || p > marker)) {
            marker = p;
        }
    }
    const std::string_view number = number_text.substr(0, marker);
    const float sign = agl != std::string_view::npos ? -1.0f : 1.0f;
    if (!read_field(number, value) || std::fabs(value) > kLargestAltitudeNumber) {
        log_message_f("decode_alt_AS : " + text + " " + i2b(static_cast<int>(marker == std::string_view::npos ? 0 : marker + 1)) +
                      " " + i2b(static_cast<int>(agl == std::string_view::npos ? 0 : agl + 1)) + " " +
                      i2b(static_cast<int>(amsl == std::string_view::npos ? 0 : amsl + 1)));
        return sign * kUnreadableAltitude;
    }
    const float metres_value = metres != std::string_view::npos ? value : value * kFootInMetres;
    return sign * metres_value;
}

namespace {

// A floor given as the ground, in any letter case.
bool starts_with_gnd(std::string_view text) {
    return text.size() >= 3 && upper_letter(text[0]) == 'G' && upper_letter(text[1]) == 'N' &&
           upper_letter(text[2]) == 'D';
}

}  // namespace

void build_name(std::string& asn, std::string& assn, std::string_view ast, std::string_view asl,
                std::string_view ash, int ityp) {
    // Built in a text kept from call to call: every zone of a file is named.
    const auto trimmed = [](std::string_view text) { return text.substr(0, trimmed_length(text)); };
    const auto left_adjusted = [&trimmed](std::string_view text) {
        const std::size_t first = text.find_first_not_of(' ');
        return first == std::string_view::npos ? std::string_view() : trimmed(text.substr(first));
    };
    const std::string_view an = trimmed(asn);
    assn = fit_field(an, kShortNameLength);
    thread_local std::string name;
    name.assign(an);
    name.append(" (");
    const std::string_view ay = trimmed(ast);
    if (ityp != kClassUnc) {
        if (ityp >= 0 && ityp < kAirspaceClasses) {
            name.append(trimmed(as000c.typ0[ityp]));
        }
        if (!ay.empty()) {
            name.push_back('-');
            name.append(ay);
        }
    } else if (!ay.empty()) {
        name.append(ay);
    }
    name.append(") : ");
    if (as0003.qcnvalt) {
        const std::string_view floor_text = left_adjusted(asl);
        const std::string floor = starts_with_gnd(floor_text) ? std::string("GND ") : converted_altitude(floor_text);
        const std::string ceiling = converted_altitude(ash);
        name.append(floor);
        name.append(" - ");
        name.append(ceiling);
        std::string short_name = fit_field(an, kShortNameLength);
        short_name.resize(kShortNameLength, ' ');
        short_name.append(":" + floor + "-" + ceiling);
        assn = fit_field(short_name, kAirspaceShortNameCapacity);
        if (airspace_trace_enabled()) {
            std::string line(trimmed(name));
            for (const std::string_view part : {left_adjusted(asl), left_adjusted(ash), std::string_view(floor),
                                                std::string_view(ceiling)}) {
                line.append(" | ");
                line.append(part);
            }
            airspace_trace(line);
        }
    } else {
        name.append(left_adjusted(asl));
        name.append(" - ");
        name.append(left_adjusted(ash));
    }
    asn.assign(trimmed(std::string_view(name).substr(0, std::min(name.size(), kAirspaceNameCapacity))));
}

std::string converted_altitude(std::string_view text) {
    const float metres = decode_alt_as(text);
    std::string shown = i2b(nearest_int(std::fabs(static_cast<double>(metres) * tarvex01.fmulalt)));
    shown += tarvex_c.cunitalt;
    if (metres < 0.0f) {
        shown += " AGL";
    }
    return shown;
}

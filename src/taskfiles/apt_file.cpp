#include "taskfiles/apt_file.h"

#include "foundation/little_endian.h"
#include "foundation/fixed_text.h"
#include "foundation/float_bits.h"
#include "foundation/log.h"
#include "foundation/number_text.h"
#include "platform/console.h"
#include "platform/files.h"

#include <algorithm>
#include <bit>
#include <cmath>
#include <limits>

namespace {

constexpr int kMaxNameLength = 35;
constexpr std::size_t kNameOffset = 1;
constexpr std::size_t kLatOffset = 36;
constexpr std::size_t kLonOffset = 40;
constexpr std::size_t kElevOffset = 44;
constexpr std::size_t kDirOffset = 48;
constexpr std::size_t kLengthOffset = 52;
constexpr std::size_t kWidthOffset = 56;
constexpr std::size_t kSurfaceOffset = 60;
constexpr std::size_t kFrequencyOffset = 64;
constexpr std::size_t kFlagsOffset = 68;

// A direction of this value or more holds 100000 + 100 x degrees.
constexpr int kEncodedDirectionFrom = 366;
constexpr int kDirectionBase = 100000;

constexpr float kLatitudeLimit = 90.01f;
constexpr float kLongitudeLimit = 180.01f;
constexpr std::size_t kLogTextLength = 256;
constexpr std::size_t kCoordinateTextLength = 35;

// One record as the file holds it.
struct StoredRecord {
    int ln = 0;
    std::string name_field;  // the 35 name bytes
    float lat = 0.0f;
    float lon = 0.0f;
    float elev = 0.0f;
    int dir = 0;
    int length = 0;
    int width = 0;
    int surface = 0;
    float frequency = 0.0f;
    std::int8_t flags[4] = {0, 0, 0, 0};

    // The name's first ln characters (ln held to 0..35).
    std::string name() const { return name_field.substr(0, static_cast<std::size_t>(std::clamp(ln, 0, kMaxNameLength))); }
};


StoredRecord decode(const std::string& bytes) {
    StoredRecord r;
    r.ln = i8_at(bytes, 0);
    r.name_field = bytes.substr(kNameOffset, kMaxNameLength);
    r.lat = f32_at(bytes, kLatOffset);
    r.lon = f32_at(bytes, kLonOffset);
    r.elev = f32_at(bytes, kElevOffset);
    r.dir = i32_at(bytes, kDirOffset);
    r.length = i32_at(bytes, kLengthOffset);
    r.width = i32_at(bytes, kWidthOffset);
    r.surface = i32_at(bytes, kSurfaceOffset);
    r.frequency = f32_at(bytes, kFrequencyOffset);
    for (std::size_t i = 0; i < 4; ++i) {
        r.flags[i] = i8_at(bytes, kFlagsOffset + i);
    }
    return r;
}

// The stored direction in degrees: plain below 366, else decoded.
double direction_degrees(int dir) {
    if (dir < kEncodedDirectionFrom) {
        return dir;
    }
    return (static_cast<double>(dir) - kDirectionBase) * 0.01;
}

// A text for the console or the log that stops at a NUL byte of the name.
std::string printable_name(const std::string& name) { return name.substr(0, name.find('\0')); }

// Reals come from the file as bit patterns, signalling NaNs included: they
// are told apart by their bits (finite_bits), so that no arithmetic ever
// touches a value that is not a finite number.
std::string number(float value) {
    if (finite_bits(value)) {
        return f2b(value, "(F16.6)");
    }
    const std::uint32_t bits = std::bit_cast<std::uint32_t>(value);
    if ((bits & 0x007FFFFFu) != 0) {
        return "NaN";
    }
    return (bits & 0x80000000u) != 0 ? "-Infinity" : "Infinity";
}

void echo(const StoredRecord& r) {
    console_line(printable_name(r.name()) + " " + number(r.lat) + " " + number(r.lon) + " " + number(r.elev));
}

void log_skipped(const StoredRecord& r, std::string_view what, std::string_view value) {
    const std::string text = printable_name(r.name()) + ": invalid " + std::string(what) + ": " +
                             fit_field(value, kCoordinateTextLength) + " - SKIPPED";
    log_message_text(fit_field(text, kLogTextLength));
}

// Why read_apt does not store a record, logged; false when it may be stored.
bool rejected(const StoredRecord& r) {
    // A value that is not a number fails its test as a value out of range does.
    if (!finite_bits(r.lat) || std::fabs(r.lat) > kLatitudeLimit) {
        log_skipped(r, "latitude", number(r.lat));
        return true;
    }
    if (!finite_bits(r.lon) || std::fabs(r.lon) > kLongitudeLimit) {
        log_skipped(r, "longitude", number(r.lon));
        return true;
    }
    if (r.ln < 0 || r.ln > kMaxNameLength) {
        log_skipped(r, "name length", i2b(r.ln));
        return true;
    }
    if (!finite_bits(r.elev)) {
        log_skipped(r, "elevation", number(r.elev));
        return true;
    }
    if (!finite_bits(r.frequency)) {
        log_skipped(r, "frequency", number(r.frequency));
        return true;
    }
    return false;
}

// The number of entries 1.. that a table of `size` elements and the caller's
// capacity both allow.
int usable_capacity(int maxapt, std::size_t size) {
    const std::size_t slots = size > 0 ? size - 1 : 0;
    return static_cast<int>(std::min<std::size_t>(static_cast<std::size_t>(std::max(maxapt, 0)), slots));
}

// Reads the next whole record into `bytes`. False at the end of the file, at a
// short last record (both with ios unchanged) or on a read error (ios set).
bool next_record(ByteFileReader& file, std::string& bytes, int& ios) {
    if (file.read(bytes, kAptRecordLength)) {
        return true;
    }
    if (file.failed()) {
        ios = file.read_status();
    }
    return false;
}

}  // namespace

void read_apt(std::string_view fnam, int maxapt, Tarveap2& airports, Tarveap3& names, int& nb_apt, int& ios) {
    nb_apt = 0;
    ios = 0;
    ByteFileReader file(fnam);
    if (!file.is_open()) {
        log_message_text(trim_right(fnam) + " cannot be opened");
        ios = file.open_status();
        return;
    }
    size_airport_tables(airports, names);
    const int capacity = usable_capacity(
        maxapt, std::min({airports.apt_lat.size(), airports.apt_lon.size(), airports.apt_elev.size(),
                          airports.apt_rwd.size(), airports.apt_rwl.size(), airports.apt_frq.size(),
                          airports.apt_sty.size(), names.apt_nam.size()}));
    std::string bytes;
    while (next_record(file, bytes, ios)) {
        const StoredRecord r = decode(bytes);
        echo(r);
        if (rejected(r)) {
            continue;
        }
        if (nb_apt >= capacity) {
            log_message_text("Max number of waypoints reached " + i2b(capacity));
            break;
        }
        const auto k = static_cast<std::size_t>(++nb_apt);
        airports.apt_lat[k] = r.lat;
        airports.apt_lon[k] = r.lon;
        airports.apt_elev[k] = nearest_int(r.elev);
        names.apt_nam.set(k, r.name());
        airports.apt_sty[k] = r.surface == 1 ? kStyleSolidAirfield : kStyleGrassAirfield;
        airports.apt_rwd[k] = static_cast<float>(nearest_int(direction_degrees(r.dir)));
        airports.apt_rwl[k] = static_cast<float>(r.length);
        airports.apt_frq[k] = r.frequency;
    }
}

void read_apt_raw(std::string_view fnam, int maxapt, std::span<AptRawEntry> entries, int& nb_apt, int& ios) {
    nb_apt = 0;
    ios = 0;
    ByteFileReader file(fnam);
    if (!file.is_open()) {
        console_line(trim_right(fnam) + " cannot be opened");
        ios = file.open_status();
        return;
    }
    const int capacity = usable_capacity(maxapt, entries.size());
    std::string bytes;
    while (next_record(file, bytes, ios)) {
        const StoredRecord r = decode(bytes);
        echo(r);
        if (nb_apt >= capacity) {
            console_line("Max number of waypoints reached " + i2b(capacity));
            break;
        }
        AptRawEntry& e = entries[static_cast<std::size_t>(++nb_apt)];
        e.name = trim_right(r.name());
        e.lat = r.lat;
        e.lon = r.lon;
        e.elev = r.elev;
        e.sty = r.surface;
        e.rwd = static_cast<float>(direction_degrees(r.dir));
        e.rwl = r.length;
        e.rww = r.width;
        e.frq = r.frequency;
        e.fl1 = r.flags[0];
        e.fl2 = r.flags[1];
        e.fl3 = r.flags[2];
    }
}

void write_apt(std::string_view fnam, std::span<const AptRawEntry> entries, int nb_apt, int& ios) {
    FileWriter file(fnam);
    if (!file.is_open()) {
        console_line(trim_right(fnam) + " cannot be opened");
        ios = file.open_status();
        return;
    }
    const int count = usable_capacity(nb_apt, entries.size());
    for (int n = 1; n <= count; ++n) {
        const AptRawEntry& e = entries[static_cast<std::size_t>(n)];
        const std::string name = fit_field(e.name, kMaxNameLength);
        std::string bytes(kAptRecordLength, '\0');
        bytes[0] = static_cast<char>(name.size());
        bytes.replace(kNameOffset, name.size(), name);
        put_f32(bytes, kLatOffset, e.lat);
        put_f32(bytes, kLonOffset, e.lon);
        put_f32(bytes, kElevOffset, e.elev);
        const long long dir = kDirectionBase + static_cast<long long>(nearest_int(static_cast<double>(e.rwd) * 100.0));
        put_i32(bytes, kDirOffset,
                static_cast<std::int32_t>(std::clamp<long long>(dir, std::numeric_limits<std::int32_t>::min(),
                                                                 std::numeric_limits<std::int32_t>::max())));
        put_i32(bytes, kLengthOffset, e.rwl);
        put_i32(bytes, kWidthOffset, e.rww);
        put_i32(bytes, kSurfaceOffset, e.sty);
        put_f32(bytes, kFrequencyOffset, e.frq);
        bytes[kFlagsOffset] = static_cast<char>(e.fl1);
        bytes[kFlagsOffset + 1] = static_cast<char>(e.fl2);
        bytes[kFlagsOffset + 2] = static_cast<char>(e.fl3);
        file.write(bytes);
        console_line(i2b(static_cast<int>(name.size())) + " " + name);
    }
    ios = file.close();
}

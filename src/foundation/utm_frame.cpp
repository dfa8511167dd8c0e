#include "foundation/utm_frame.h"

#include "foundation/float_bits.h"
#include "foundation/fortran_format.h"
#include "foundation/log.h"
#include "platform/console.h"
#include "platform/float_traps.h"
#include "platform/system_memory.h"

#include <algorithm>
#include <array>
#include <bit>
#include <cmath>
#include <cstdint>
#include <limits>

Utm000 utm000;
Utm001 utm001;

void reset_utm000() { utm000 = Utm000{}; }
void reset_utm001() { utm001 = Utm001{}; }

namespace {

// WGS84 in kilometres, and the UTM scale factor.
constexpr double kA = 6378.137;
constexpr double kE2 = 0.006694381488639999;
constexpr double kEp2 = 0.006739498261041437;
constexpr double kK0 = 0.9996;

// Beyond this many kilometres a frame position is reported on the console.
constexpr double kFarKm = 1000000.0;

bool fits_float(double value) {
    return std::isfinite(value) && std::fabs(value) <= static_cast<double>(std::numeric_limits<float>::max());
}

// Positions within which no step of the series can overflow or make a NaN:
// latitudes off the poles (the tangent stays below 600) and longitudes
// within a few turns of the central meridian; there the series runs with the
// traps on. Beyond them (no landscape's positions) the traps are held.
constexpr float kTameLatitude = 89.9f;
constexpr double kTameLongitudeOffset = 1000.0;
// The same for frame positions, in kilometres of the zone: northings well
// off the poles, eastings within a few thousand kilometres.
constexpr double kTameNorthingKm = 9000.0;
constexpr double kTameEastingKm = 5000.0;

// Runs the computation with the traps on when it cannot raise, else with the traps held.
template <class Series>
void run_series(bool tame, Series series) {
    if (tame) {
        series();
    } else {
        const FloatTrapsHeld hold;
        series();
    }
}

// The terms of the series that depend on the latitude alone.
struct LatitudeTerms {
    double c = 0.0;  // cosine
    double t = 0.0;  // tangent
    double n = 0.0;  // radius of curvature in the prime vertical
    double m = 0.0;  // meridian arc
};

LatitudeTerms latitude_terms_of(float rlat) {
    LatitudeTerms terms;
    const double phi = rlat * utm000.degrad;
    const double s = std::sin(phi);
    terms.c = std::cos(phi);
    terms.t = std::tan(phi);
    terms.n = kA / std::sqrt(1.0 - kE2 * s * s);
    terms.m = kA * (0.9983242980772261 * phi - 0.0025146076243454745 * std::sin(2.0 * phi) +
                    2.6390477787598745e-6 * std::sin(4.0 * phi) - 3.4180483819265186e-9 * std::sin(6.0 * phi));
    return terms;
}

// The same kept per latitude met, for latitudes within the tame range: the
// points of an airspace file share their latitudes (whole seconds), and the
// sines are the dearest part of reading it. The terms are the same numbers
// as computed afresh; the table only saves computing them again.
//
// The table is small, as every page of it a run touches costs a page fault:
// sets of four latitudes chosen by a hash of the bits, the oldest latitude
// of a full set giving way. A key is the complement of the latitude's bits,
// so that the zeros of an unused slot stand for a NaN, never looked up. All
// terms are for one frame's radians per degree; another empties the table.
class LatitudeTable {
public:
    const LatitudeTerms& terms(float rlat) {
        if (utm000.degrad != degrad_) {
            if (!empty_) {
                sets_.fill(Set{});
            } else {
                // A file's latitudes hash all over the table: its pages come in at once.
                prefault_for_writing(sets_.data(), sizeof sets_);
            }
            degrad_ = utm000.degrad;
        }
        const std::uint32_t key = ~std::bit_cast<std::uint32_t>(rlat);
        Set& set = sets_[(~key * 2654435761u) >> (32 - kSetBits)];
        for (std::size_t way = 0; way < kWays; ++way) {
            if (set.keys[way] == key) {
                return set.terms[way];
            }
        }
        std::copy_backward(set.keys.begin(), set.keys.end() - 1, set.keys.end());
        std::copy_backward(set.terms.begin(), set.terms.end() - 1, set.terms.end());
        set.keys[0] = key;
        set.terms[0] = latitude_terms_of(rlat);
        empty_ = false;
        return set.terms[0];
    }

private:
    static constexpr unsigned kSetBits = 11;
    static constexpr std::size_t kWays = 4;
    struct Set {
        std::array<std::uint32_t, kWays> keys{};
        std::array<LatitudeTerms, kWays> terms{};
    };
    std::array<Set, std::size_t{1} << kSetBits> sets_{};
    double degrad_ = 0.0;
    bool empty_ = true;
};

const LatitudeTerms& kept_latitude_terms(float rlat) {
    static LatitudeTable table;
    return table.terms(rlat);
}

bool frame_missing() {
    if (utm001.initialized) {
        return false;
    }
    console_line("UTM NOT INITIALIZED");
    log_message_f(std::string_view("UTM NOT INITIALIZED"));
    return true;
}

// The powers 2 to 8 of a series' variable, each the product of two lower ones.
struct SeriesPowers {
    double p2, p3, p4, p5, p6, p7, p8;
};

SeriesPowers powers_of(double v) {
    SeriesPowers p{};
    p.p2 = v * v;
    p.p3 = p.p2 * v;
    p.p4 = p.p2 * p.p2;
    p.p5 = p.p4 * v;
    p.p6 = p.p4 * p.p2;
    p.p7 = p.p6 * v;
    p.p8 = p.p4 * p.p4;
    return p;
}

// Frame metres x, y of a position from the terms of its latitude; false
// when they do not fit 32-bit reals.
bool series_xy(const LatitudeTerms& terms, float rlon, double& x, double& y) {
    const double c = terms.c;
    const double t = terms.t;
    const double n = terms.n;
    const double m = terms.m;
    const double tt = t * t;
    const double cc = kEp2 * c * c;
    const double a = c * (static_cast<double>(rlon) - utm000.rlon0) * utm000.degrad;
    const auto [a2, a3, a4, a5, a6, a7, a8] = powers_of(a);
    const double easting =
        kK0 * n *
            (a + (1.0 - tt + cc) * a3 / 6.0 +
             (5.0 - 18.0 * tt + tt * tt + 72.0 * cc - 0.3908908991404033 + 13.0 * cc * cc + 4.0 * cc * cc * cc -
              64.0 * tt * cc * cc - 24.0 * tt * cc * cc * cc) *
                 a5 / 120.0 +
             (61.0 - 479.0 * tt + 179.0 * tt * tt - tt * tt * tt) * a7 / 5040.0) +
        500.0;
    const double northing =
        kK0 * (m + n * t *
                       (a2 / 2.0 + (5.0 - tt + 9.0 * cc + 4.0 * cc * cc) * a4 / 24.0 +
                        (61.0 - 58.0 * tt + tt * tt + 600.0 * cc - 2.224034426143674 + 445.0 * cc * cc +
                         324.0 * cc * cc * cc - 680.0 * tt * cc * cc + 88.0 * cc * cc * cc * cc -
                         600.0 * tt * cc * cc * cc - 192.0 * tt * cc * cc * cc * cc) *
                            a6 / 720.0 +
                        (1385.0 - 3111.0 * tt + 543.0 * tt * tt - tt * tt * tt) * a8 / 40320.0));
    x = utm000.orig_e - 1000.0 * easting;
    y = 1000.0 * northing + utm000.n0 - utm000.orig_n;
    return fits_float(x) && fits_float(y);
}

}  // namespace

int latlontoxy(float rlat, float rlon, float& rx, float& ry) {
    if (frame_missing()) {
        return 0;
    }
    double x = 0.0;
    double y = 0.0;
    const bool tame = finite_bits(rlat) && finite_bits(rlon) && std::fabs(rlat) <= kTameLatitude &&
                      std::fabs(static_cast<double>(rlon) - utm000.rlon0) <= kTameLongitudeOffset;
    // As run_series does, spelt out: no closure to build for every point.
    bool ok = false;
    if (tame) {
        ok = series_xy(kept_latitude_terms(rlat), rlon, x, y);
    } else {
        const FloatTrapsHeld hold;
        ok = series_xy(latitude_terms_of(rlat), rlon, x, y);
    }
    if (!ok) {
        console_line(" latlontoxy: no frame position for " + fortran_write("(2F16.6)", {rlat, rlon}));
        return 0;
    }
    rx = static_cast<float>(x);
    ry = static_cast<float>(y);
    if (utm001.debug) {
        console_line(" latlontoxy " + fortran_write("(2F14.6,2F14.1)", {rlat, rlon, rx, ry}));
    }
    return 1;
}

int xytolatlon(float rx, float ry, float& rlat, float& rlon) {
    if (frame_missing()) {
        return 0;
    }
    double lat = 0.0;
    double lon = 0.0;
    bool ok = false;
    // Kilometres in the zone; computed with the traps on only from finite positions.
    const auto zone_km = [rx, ry](double& x, double& y) {
        y = (static_cast<double>(ry) + utm000.orig_n - utm000.n0) / 1000.0;
        x = (utm000.orig_e - static_cast<double>(rx)) / 1000.0 - 500.0;
    };
    double y = 0.0;
    double x = 0.0;
    const bool finite = finite_bits(rx) && finite_bits(ry);
    if (finite) {
        zone_km(x, y);
    }
    const bool tame = finite && std::fabs(y) <= kTameNorthingKm && std::fabs(x) <= kTameEastingKm;
    run_series(tame, [&] {
        if (!finite) {
            zone_km(x, y);
        }
        if (x > kFarKm || y > kFarKm) {
            console_line(" xytolatlon " + fortran_write("(2(1PE16.7))", {x, y}));
        }
        const double mu = y / kK0 / 6367.4491435653845;
        const double phi1 = mu + 0.002518827150110556 * std::sin(2.0 * mu) +
                            3.7009506980609384e-6 * std::sin(4.0 * mu) + 7.44781878578177e-9 * std::sin(6.0 * mu) +
                            1.703600854355413e-11 * std::sin(8.0 * mu);
        const double s1 = std::sin(phi1);
        const double c1cos = std::cos(phi1);
        const double tan1 = std::tan(phi1);
        const double c1 = kEp2 * c1cos * c1cos;
        const double t1 = tan1 * tan1;
        const double w = std::sqrt(1.0 - kE2 * s1 * s1);
        const double n1 = kA / w;
        const double r1 = 6335.43931773519 / (w * w * w);
        const double d = x / (n1 * kK0);
        const auto [d2, d3, d4, d5, d6, d7, d8] = powers_of(d);
        lat = utm000.raddeg *
              (phi1 - (n1 * tan1 / r1) *
                          (d2 / 2.0 - (5.0 + 3.0 * t1 + 10.0 * c1 - 4.0 * c1 * c1 - 0.015112986871788699) * d4 / 24.0 +
                           (61.0 + 90.0 * t1 + 298.0 * c1 + 45.0 * t1 * t1 - 0.42316363241008353 - 3.0 * c1 * c1 +
                            100.0 * c1 * c1 * c1 + 84.0 * t1 * c1 * c1 * c1 + 88.0 * c1 * c1 * c1 * c1 -
                            192.0 * t1 * c1 * c1 * c1 * c1 + 255.0 * t1 * t1 * c1 * c1 - 90.0 * t1 * t1 * c1 -
                            66.0 * t1 * c1 * c1) *
                               d6 / 720.0 -
                           (1385.0 + 3633.0 * t1 + 4095.0 * t1 * t1 + 1574.0 * t1 * t1 * t1) * d8 / 40320.0));
        lon = utm000.rlon0 +
              utm000.raddeg *
                  (d - (1.0 + 2.0 * t1 + c1) * d3 / 6.0 +
                   (5.0 - 2.0 * c1 + 28.0 * t1 - 3.0 * c1 * c1 + 0.053915986088331494 + 24.0 * t1 * t1 +
                    4.0 * t1 * c1 * c1 - 4.0 * c1 * c1 * c1 + 24.0 * t1 * c1 * c1 * c1) *
                       d5 / 120.0 -
                   (61.0 + 662.0 * t1 + 1320.0 * t1 * t1 + 720.0 * t1 * t1 * t1) * d7 / 5040.0) /
                  c1cos;
        ok = fits_float(lat) && fits_float(lon);
    });
    if (!ok) {
        console_line(" xytolatlon: no latitude and longitude for " + fortran_write("(2(1PE16.7))", {rx, ry}));
        return 0;
    }
    rlat = static_cast<float>(lat);
    rlon = static_cast<float>(lon);
    if (utm001.debug) {
        console_line(" xytolatlon " + fortran_write("(2F14.1,2F14.6)", {rx, ry, rlat, rlon}));
    }
    return 1;
}

bool position_on_earth(float rlat, float rlon) {
    return finite_bits(rlat) && finite_bits(rlon) && std::fabs(rlat) <= kLargestLatitude &&
           std::fabs(rlon) <= kLargestLongitude;
}

void utm_debug(int flag) {
    utm001.debug = flag != 0;
    log_message_f(std::string_view(utm001.debug ? "UTM : Debug ACTIVATED" : "UTM : Debug STOPPED"));
}

void utm_get_ori(float& xo, float& yo, char& zla, std::int8_t& zlo) {
    xo = static_cast<float>(utm000.orig_e);
    yo = static_cast<float>(utm000.orig_n);
    zla = utm000.zlat;
    zlo = static_cast<std::int8_t>(utm000.nzon);
}

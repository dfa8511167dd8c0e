#include "landscape_generator.h"

#include <cstdint>
#include <cstring>

#include "foundation/fortran_format.h"
#include "foundation/seeyou_coordinates.h"
#include "foundation/utm_frame.h"
#include "lcg.h"
#include "openair_generator.h"

namespace {

struct Lines {
    std::string text;
    void line(const std::string& s) {
        text += s;
        text += "\r\n";
    }
};

// One waypoint of the landscape as its files give it.
struct Waypoint {
    std::string name;
    float lat = 0.0f;  // as the .cup text reads back
    float lon = 0.0f;
    int elev = 0;
};

template <class T>
void put(std::string& bytes, std::size_t at, T value) {
    std::memcpy(&bytes[at], &value, sizeof value);
}

// One record of Condor's airport file.
std::string airport_record(const std::string& name, float lat, float lon, float elev, int direction, int length,
                           bool paved, float frequency) {
    std::string bytes(72, '\0');
    const std::size_t n = std::min<std::size_t>(name.size(), 35);
    bytes[0] = static_cast<char>(n);
    name.copy(&bytes[1], n);
    put(bytes, 36, lat);
    put(bytes, 40, lon);
    put(bytes, 44, elev);
    put(bytes, 48, static_cast<std::int32_t>(100000 + 100 * direction));
    put(bytes, 52, static_cast<std::int32_t>(length));
    put(bytes, 56, static_cast<std::int32_t>(30));
    put(bytes, 60, static_cast<std::int32_t>(paved ? 1 : 0));
    put(bytes, 64, frequency);
    return bytes;
}

std::string number(double value, int decimals) { return fmt_f(value, 0, decimals); }

}  // namespace

std::string terrain_header(int cells, float step, float east, float south, int zone) {
    std::string bytes(36, '\0');
    const float third = 90.0f;
    put(bytes, 0, static_cast<std::int32_t>(cells));
    put(bytes, 4, static_cast<std::int32_t>(cells));
    put(bytes, 8, third);
    put(bytes, 12, step);
    put(bytes, 16, step);
    put(bytes, 20, east);
    put(bytes, 24, south);
    bytes[28] = static_cast<char>(zone);
    bytes[32] = 'N';
    return bytes;
}

std::string maximal_terrain_header() { return terrain_header(3600, 90.0f, 430000.0f, 4880000.0f, 32); }

LandscapeSample generate_landscape(const std::string& name, int airports, int turnpoints, int zones,
                                   int points_per_zone, int plan_points, const std::string& plan_tail) {
    LandscapeSample sample;
    sample.terrain_header = maximal_terrain_header();
    Lcg rng(4242u);
    std::vector<Waypoint> waypoints;
    Lines cup;
    cup.line("name,code,country,lat,lon,elev,style,rwdir,rwlen,freq,desc");
    for (int k = 1; k <= turnpoints; ++k) {
        const bool airport = k <= airports;
        const float lat = static_cast<float>(44.2 + 2.6 * rng.unit());
        const float lon = static_cast<float>(5.2 + 2.6 * rng.unit());
        const int elev = 200 + rng.below(2600);
        std::string lat_text;
        std::string lon_text;
        lat_cu(lat, lat_text);
        lon_cu(lon, lon_text);
        const std::string wp_name = (airport ? "Airfield " : "Point ") + fmt_i(k, 5, 5);
        const std::string code = (airport ? "AF" : "P") + fmt_i(k, 5, 5);
        std::string line = "\"" + wp_name + "\",\"" + code + "\",FR," + lat_text + "," + lon_text + "," +
                           fmt_i(elev, 0) + ".0m,";
        if (airport) {
            const bool paved = k % 3 == 0;
            const int direction = rng.below(36) * 10;
            const int length = 600 + 50 * rng.below(30);
            const float frequency = static_cast<float>(122.0 + 0.025 * rng.below(160));
            line += std::string(paved ? "5," : "2,") + fmt_i(direction, 3, 3) + "," + fmt_i(length, 0) + ".0m," +
                    number(frequency, 3) + ",\"Airfield\"";
            sample.airports += airport_record(wp_name, lat, lon, static_cast<float>(elev), direction, length, paved,
                                              frequency);
            ++sample.airport_count;
        } else {
            line += std::string(k % 7 == 0 ? "7" : "1") + ",,,,\"" + (k % 7 == 0 ? "Mountain top" : "Village") + "\"";
        }
        cup.line(line);
        ++sample.turnpoint_count;
        waypoints.push_back(Waypoint{wp_name, decode_lat_cu(lat_text), decode_lon_cu(lon_text), elev});
    }
    sample.turnpoints = std::move(cup.text);

    const OpenAirSample air = generate_openair(zones, points_per_zone);
    sample.airspace = air.text;
    sample.airspace_count = air.zones;

    // The plan: from the first airport round turnpoints spread over the list.
    Lines fpl;
    fpl.line("[Version]");
    fpl.line("Condor version=3000");
    fpl.line("");
    fpl.line("[Task]");
    fpl.line("Landscape=" + name);
    fpl.line("Count=" + fmt_i(plan_points, 0));
    const int between = std::max(plan_points - 2, 1);
    for (int n = 0; n < plan_points; ++n) {
        const bool home = n == 0 || n == plan_points - 1;
        const std::size_t at = home ? 0
                                    : static_cast<std::size_t>(airports) +
                                          static_cast<std::size_t>(n - 1) *
                                              static_cast<std::size_t>(turnpoints - airports) /
                                              static_cast<std::size_t>(between);
        const Waypoint& wp = waypoints.at(at);
        float x = 0.0f;
        float y = 0.0f;
        latlontoxy(wp.lat, wp.lon, x, y);
        const std::string i = fmt_i(n, 0);
        fpl.line("TPName" + i + "=" + wp.name);
        fpl.line("TPPosX" + i + "=" + number(x, 2));
        fpl.line("TPPosY" + i + "=" + number(y, 2));
        fpl.line("TPPosZ" + i + "=" + fmt_i(wp.elev, 0));
        fpl.line("TPAirport" + i + "=" + (home ? "1" : "0"));
        fpl.line("TPSectorType" + i + "=0");
        fpl.line("TPRadius" + i + "=" + (n == 1 ? "5000" : "3000"));
        fpl.line("TPAngle" + i + "=" + (n == 1 ? "180" : "360"));
        fpl.line("TPAltitude" + i + "=1500");
        fpl.line("TPWidth" + i + "=0");
        fpl.line("TPHeight" + i + "=" + (n == 1 ? "2500" : "10000"));
        fpl.line("TPAzimuth" + i + "=0");
    }
    fpl.line("PZCount=2");
    for (int z = 0; z < 2; ++z) {
        const float cx = 60000.0f + 150000.0f * static_cast<float>(z);
        const float cy = 100000.0f + 80000.0f * static_cast<float>(z);
        const float corners[4][2] = {{2500, 2200}, {-2300, 2400}, {-2500, -2200}, {2400, -2400}};
        for (int c = 0; c < 4; ++c) {
            const std::string key = fmt_i(c, 0) + "X" + fmt_i(z, 0);
            fpl.line("PZPos" + key + "=" + number(cx + corners[c][0], 2));
            fpl.line("PZPos" + fmt_i(c, 0) + "Y" + fmt_i(z, 0) + "=" + number(cy + corners[c][1], 2));
        }
        fpl.line("PZBase" + fmt_i(z, 0) + "=" + fmt_i(1000 * z, 0));
        fpl.line("PZTop" + fmt_i(z, 0) + "=" + fmt_i(2000 + 1000 * z, 0));
        fpl.line("PZPenaltyTimeFactor" + fmt_i(z, 0) + "=" + fmt_i(z + 1, 0));
    }
    std::string disabled;
    for (int a = 1; a < zones; a += 2) {
        disabled += (disabled.empty() ? "" : ",") + fmt_i(a, 0);
        ++sample.disabled_count;
    }
    fpl.line("DisabledAirspaces=" + disabled);
    fpl.line("");
    sample.plan = fpl.text + plan_tail;
    return sample;
}

LandscapeSample generate_maximal_landscape(const std::string& name, const std::string& plan_tail) {
    return generate_landscape(name, 1000, 15000, 4990, 9, 10, plan_tail);
}

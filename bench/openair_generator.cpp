#include "openair_generator.h"

#include <cmath>
#include <cstdint>

#include "foundation/fortran_format.h"
#include "lcg.h"

namespace {

std::string dms(double value, bool latitude) {
    const char letter = latitude ? (value >= 0 ? 'N' : 'S') : (value >= 0 ? 'E' : 'W');
    const double v = std::fabs(value);
    int deg = static_cast<int>(v);
    int min = static_cast<int>((v - deg) * 60.0);
    int sec = static_cast<int>(std::lround(((v - deg) * 60.0 - min) * 60.0));
    if (sec >= 60) {
        sec -= 60;
        ++min;
    }
    if (min >= 60) {
        min -= 60;
        ++deg;
    }
    return fortran_write(latitude ? "(I2.2,':',I2.2,':',I2.2,1X,A)" : "(I3.3,':',I2.2,':',I2.2,1X,A)",
                         {deg, min, sec, std::string(1, letter)});
}

std::string position(double lat, double lon) { return dms(lat, true) + " " + dms(lon, false); }

struct Writer {
    std::string text;
    int lines = 0;
    void line(const std::string& s) {
        text += s;
        text += "\r\n";
        ++lines;
    }
};

}  // namespace

OpenAirSample generate_openair(int zones, int points_per_zone) {
    static const char* const classes[] = {"D", "C", "R", "Q", "P", "CTR", "GP", "W", "E", "G"};
    Lcg rng(12345u);
    Writer w;
    w.line("*******************************************************************");
    w.line("* Generated landscape airspace");
    w.line("*******************************************************************");
    const double km_lat = 1.0 / 111.2;
    for (int z = 0; z < zones; ++z) {
        const double lat = 44.1 + 2.8 * rng.unit();
        const double lon = 5.1 + 2.8 * rng.unit();
        const std::string name = "ZONE " + std::to_string(z);
        w.line("*");
        w.line("* " + name);
        w.line("*");
        w.line(std::string("AC ") + classes[rng.below(10)]);
        w.line("AN " + name);
        if (z % 5 == 0) {
            w.line("AY TMA");
        }
        w.line(z % 3 == 0 ? "AL SFC" : "AL " + std::to_string(500 * (1 + rng.below(8))) + "FT AMSL");
        w.line("AH FL" + std::to_string(45 + 10 * rng.below(10)));
        if (z % 7 == 0) {
            w.line("SP 0,1,255,0,0");
            w.line("SB -1,-1,-1");
        }
        const double size_km = 3.0 + 8.0 * rng.unit();
        switch (z % 8) {
            case 4: {  // circle: about 2 pi r / 1 km points
                const double radius_nm = std::max(0.5, points_per_zone * 1.0 / (2.0 * 3.14159 * 1.852));
                w.line("V X=" + position(lat, lon));
                w.line(fortran_write("('DC ',F5.2)", {radius_nm}));
                break;
            }
            case 5: {  // DA arc, clockwise, closed by two points
                w.line("V X=" + position(lat, lon));
                w.line("DP " + position(lat, lon));
                // About points_per_zone points over 100 to 190 degrees.
                const double radius_nm = std::max(0.3, points_per_zone / 2.5 / 1.852);
                w.line(fortran_write("('DA ',F5.2,',',I3,',',I3)", {radius_nm, 20 + rng.below(40), 120 + rng.below(90)}));
                break;
            }
            case 6: {  // DB arc, counter-clockwise
                // The long way round, 270 degrees: about points_per_zone points.
                const double r = std::max(0.5, points_per_zone / 4.7) * km_lat;
                w.line("V D=-");
                w.line("V X=" + position(lat, lon));
                w.line("DP " + position(lat, lon));
                w.line("DB " + position(lat + r, lon) + ", " + position(lat, lon + r * 1.4));
                break;
            }
            case 7: {  // airway
                w.line("V W=" + std::to_string(1 + rng.below(4)));
                w.line("DY " + position(lat, lon));
                w.line("DY " + position(lat + 0.2 * rng.unit() + 0.05, lon + 0.2 * rng.unit()));
                break;
            }
            default: {  // polygon
                const int n = std::max(3, points_per_zone - 1 + rng.below(3) - 1);
                for (int k = 0; k < n; ++k) {
                    const double a = 6.2831853 * k / n;
                    const double rr = size_km * (0.7 + 0.3 * rng.unit()) * km_lat;
                    w.line("DP " + position(lat + rr * std::sin(a), lon + rr * 1.4 * std::cos(a)));
                }
                break;
            }
        }
    }
    w.line("* end of file");
    return OpenAirSample{std::move(w.text), zones, w.lines};
}

#include "e2e/real_files.h"

#include <cmath>
#include <regex>
#include <set>

namespace tarvex_test {

std::filesystem::path real_files_folder() {
    return std::filesystem::path(TARVEX_SOURCE_DIR) / ".." / "shared" / "real-files";
}

std::optional<RealFrame> real_frame(const std::string& landscape) {
    const auto frame = [](const char* name, int zone, char hemisphere, float easting, float northing, int columns,
                          int rows, double x, double y, double lat, double lon) {
        TrnHeader h;
        h.zone = static_cast<std::int8_t>(zone);
        h.hemisphere = hemisphere;
        h.easting = easting;
        h.northing = northing;
        h.columns = columns;
        h.rows = rows;
        return RealFrame{name, h, x, y, lat, lon, x > 0.0};
    };
    // The frame table of the real files' README; "Germany" (zone 32 from 6.1
    // to 12.3 E, 48.7 to 51.6 N) holds the SeeYou tasks.
    const std::vector<RealFrame> frames = {
        frame("AA3", 32, 'N', 1056000, 4786000, 9984, 6656, 0, 0, 0, 0),
        frame("Slovenia3", 33, 'N', 645020, 5022850, 4096, 3328, 208632.5, 111248.1, 46.3575, 14.1731),
        frame("Japan-Shikoku3", 53, 'N', 487640, 3601280, 2816, 2560, 173666.3, 175681.4, 34.117, 132.983),
        frame("LakeKeepitC3", 56, 'S', 302310, 6519140, 1536, 1792, 20960.2, 77067.8, -30.747, 150.716),
        frame("Palmeira", 22, 'S', 409670, 6783010, 2304, 1792, 137336.1, 128823.5, -27.899, -53.313),
        frame("Florida3", 17, 'N', 630100, 2689880, 3328, 6400, 212190.5, 452251.0, 28.403, -81.838),
        frame("Provence-Oisans2", 32, 'N', 403150, 4786320, 2048, 2048, 144740.8, 96078.7, 44.0549, 5.984),
        frame("Germany", 32, 'N', 700000, 5400000, 5000, 3500, 0, 0, 0, 0),
    };
    for (const RealFrame& f : frames) {
        if (f.landscape == landscape) {
            return f;
        }
    }
    return std::nullopt;
}

std::vector<std::string> any_lines(const std::string& text) {
    std::vector<std::string> lines;
    std::string line;
    for (std::size_t i = 0; i < text.size(); ++i) {
        if (text[i] == '\r' || text[i] == '\n') {
            lines.push_back(line);
            line.clear();
            if (text[i] == '\r' && i + 1 < text.size() && text[i + 1] == '\n') {
                ++i;
            }
        } else {
            line += text[i];
        }
    }
    if (!line.empty()) {
        lines.push_back(line);
    }
    return lines;
}

std::map<std::string, std::string> ini_values(const std::string& bytes, std::string& error) {
    std::map<std::string, std::string> values;
    for (const std::string& line : any_lines(bytes)) {
        const std::size_t eq = line.find('=');
        if (eq != std::string::npos) {
            values.emplace(line.substr(0, eq), line.substr(eq + 1));
        } else if (!line.empty() && !(line.front() == '[' && line.back() == ']') && error.empty()) {
            error = "not an ini line: " + line;
        }
    }
    return values;
}

namespace {

// The comma-separated fields of a SeeYou line, quotes removed ("" inside a
// quoted field is one quote); false for an unclosed quote.
bool csv_fields(const std::string& line, std::vector<std::string>& fields) {
    fields.assign(1, "");
    bool quoted = false;
    for (std::size_t i = 0; i < line.size(); ++i) {
        const char c = line[i];
        if (quoted && c == '"' && i + 1 < line.size() && line[i + 1] == '"') {
            fields.back() += '"';
            ++i;
        } else if (c == '"') {
            quoted = !quoted;
        } else if (c == ',' && !quoted) {
            fields.emplace_back();
        } else {
            fields.back() += c;
        }
    }
    return !quoted;
}

// "DDMM.mmmN" (or three digits of degrees) as degrees; nothing when malformed.
std::optional<double> cup_angle(const std::string& text, int degree_digits, const char* hemispheres) {
    static const std::regex forms[] = {std::regex(R"(^(\d{2})(\d{2}\.\d{3})([NS])$)"),
                                       std::regex(R"(^(\d{3})(\d{2}\.\d{3})([EW])$)")};
    std::smatch m;
    if (!std::regex_match(text, m, forms[degree_digits - 2])) {
        return std::nullopt;
    }
    const double minutes = std::stod(m[2].str());
    if (minutes >= 60.0) {
        return std::nullopt;
    }
    const double value = std::stod(m[1].str()) + minutes / 60.0;
    return m[3].str()[0] == hemispheres[0] ? value : -value;
}

}  // namespace

const CupWaypoint* CupFile::waypoint(const std::string& name) const {
    for (const CupWaypoint& w : waypoints) {
        if (w.name == name) {
            return &w;
        }
    }
    return nullptr;
}

bool parse_cup(const std::string& bytes, CupFile& cup, std::string& error) {
    const std::vector<std::string> lines = any_lines(bytes.starts_with("\xEF\xBB\xBF") ? bytes.substr(3) : bytes);
    if (lines.empty() || !lines[0].starts_with("name,code,country,lat,lon,elev,style")) {
        error = "no SeeYou header";
        return false;
    }
    std::vector<std::string> header;
    csv_fields(lines[0], header);
    bool tasks = false;
    std::vector<std::string> f;
    static const std::regex elevation(R"(^-?\d+(\.\d+)?(m|ft)$)");
    static const std::regex zone(R"(^ObsZone=\d+(,\w+=[^,]*)+$)");
    for (std::size_t n = 1; n < lines.size(); ++n) {
        const std::string& line = lines[n];
        const std::string where = " (line " + std::to_string(n + 1) + ": " + line + ")";
        if (line == "-----Related Tasks-----") {
            tasks = true;
        } else if (line.empty() && !tasks) {
            error = "blank waypoint line" + where;
        } else if (!tasks) {
            const auto lat = csv_fields(line, f) && f.size() == header.size() ? cup_angle(f[3], 2, "NS") : std::nullopt;
            const auto lon = lat ? cup_angle(f[4], 3, "EW") : std::nullopt;
            if (!lon || f[0].empty() || !(f[5].empty() || std::regex_match(f[5], elevation)) ||
                f[6].find_first_not_of("0123456789") != std::string::npos) {
                error = "bad waypoint" + where;
            } else {
                cup.waypoints.push_back({f[0], *lat, *lon});
            }
        } else if (line.starts_with("\"")) {
            if (!cup.task.empty()) {
                continue;  // a later task
            }
            if (!csv_fields(line, f) || f.size() < 4) {
                error = "bad task line" + where;
            }
            cup.task.assign(f.begin() + 1, f.end());
            for (const std::string& name : cup.task) {
                if (!name.empty() && name != "???" && cup.waypoint(name) == nullptr) {
                    error = "task point " + name + " is no waypoint" + where;
                }
            }
        } else if (std::regex_match(line, zone)) {
            ++cup.zones;
        } else if (!(line == "Options" || line.starts_with("Options,") || line.starts_with("Point=") ||
                     line.starts_with("STARTS=") || line.empty())) {
            error = "not a task line" + where;
        }
        if (!error.empty()) {
            return false;
        }
    }
    if (cup.task.empty()) {
        error = "no task";
    }
    return error.empty();
}

bool parse_openair(const std::string& bytes, std::vector<std::string>& names, std::string& error) {
    // Degrees, minutes and (decimal) seconds up to 60, as SeeYou writes them.
    const std::string angle = R"((\d{1,3}):([0-5]?\d)(:([0-5]?\d|60)(\.\d+)?|\.\d+)?\s*)";
    const std::string coordinate = angle + "[NS]\\s*" + angle + "[EW]";
    const std::regex point("^" + coordinate + "$");
    const std::regex arc_points("^" + coordinate + "\\s*,\\s*" + coordinate + "$");
    const std::regex number(R"(^\d+(\.\d+)?$)");
    const std::regex arc_angles(R"(^\d+(\.\d+)?\s*,\s*-?\d+(\.\d+)?\s*,\s*-?\d+(\.\d+)?$)");
    const std::regex variable(R"(^(D\s*=\s*[+-]|W\s*=\s*\d+(\.\d+)?|Z\s*=\s*\d+(\.\d+)?)$)");
    // The zone being read: drawn (a point or a circle), named; a block
    // without a drawing only sets a style (SP, SB).
    bool drawn = false;
    bool named = false;
    int line_number = 0;
    const auto zone_ends = [&]() { return !drawn || named; };
    for (const std::string& raw : any_lines(bytes)) {
        ++line_number;
        const std::string line = std::regex_replace(raw, std::regex(R"(^\s+|\s+$)"), "");
        if (line.empty() || line[0] == '*') {
            continue;
        }
        const std::size_t blank = line.find_first_of(" \t");
        // "AP!" and the like: a record marked for the readers that know it.
        std::string record = line.substr(0, blank);
        if (record.ends_with("!")) {
            record.pop_back();
        }
        std::string value = blank == std::string::npos ? "" : line.substr(blank + 1);
        value = std::regex_replace(value.substr(0, value.find('*')), std::regex(R"(^\s+|\s+$)"), "");
        bool ok = record == "AC" || !names.empty();
        if (record == "AC") {
            ok = zone_ends() && !value.empty();
            drawn = false;
            named = false;
            names.emplace_back();
        } else if (record == "AN") {
            if (ok && !named) {
                names.back() = value;
            }
            named = true;
        } else if (record == "DP" || record == "DY") {
            ok = ok && std::regex_match(value, point);
            drawn = true;
        } else if (record == "V") {
            ok = ok && (std::regex_match(value, variable) ||
                        (value.starts_with("X") &&
                         std::regex_match(std::regex_replace(value, std::regex(R"(^X\s*=\s*)"), ""), point)));
        } else if (record == "DC") {
            ok = ok && std::regex_match(value, number);
            drawn = true;
        } else if (record == "DB") {
            ok = ok && std::regex_match(value, arc_points);
        } else if (record == "DA") {
            ok = ok && std::regex_match(value, arc_angles);
        } else {
            // Limits, class, frequency and station, style, and the activation
            // times XCSoar's and SeeYou's files add (AA, AP, AW, AX, TW).
            static const std::set<std::string> others = {"AL", "AH", "AY", "AF", "AG", "AT", "SP",
                                                         "SB", "AA", "AP", "AW", "AX", "TW"};
            ok = ok && others.contains(record);
        }
        if (!ok) {
            error = "line " + std::to_string(line_number) + ": " + raw;
            return false;
        }
    }
    if (!zone_ends()) {
        error = "the last zone is not named";
    }
    return error.empty();
}

}  // namespace tarvex_test

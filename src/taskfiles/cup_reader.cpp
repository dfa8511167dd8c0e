#include "taskfiles/cup_reader.h"

#include "foundation/fixed_text.h"
#include "foundation/key_value.h"
#include "foundation/number_text.h"
#include "foundation/read_one_number.h"
#include "foundation/seeyou_coordinates.h"
#include "foundation/tell.h"
#include "foundation/text_edit.h"
#include "foundation/time_text.h"
#include "foundation/units.h"
#include "platform/console.h"
#include "platform/encoding.h"
#include "platform/files.h"
#include "taskfiles/task_zones.h"

#include <algorithm>
#include <array>
#include <utility>
#include <vector>

namespace {

constexpr std::size_t kLineLength = 1024;         // characters of a line read
constexpr std::size_t kFieldLength = 64;          // characters of a field
constexpr std::size_t kDescriptionLength = 512;   // characters of the description field
constexpr std::size_t kCodeUsed = 20;             // characters of the code used
constexpr std::size_t kTagLength = 32;            // characters of a landability tag
constexpr std::size_t kKeyLength = 80;            // key and value of a zone field
constexpr std::size_t kReadCupMessageLength = 1024;
constexpr std::size_t kTaskMessageLength = 256;
constexpr float kBadCoordinateBelow = -9000.0f;
constexpr int kEndOfFile = -1;
constexpr std::string_view kVersionLine = "\"version=\"";
constexpr std::string_view kNoPosition = "???";
constexpr int kDaySeconds = 24 * 3600;
// The zone style of a sector of fixed direction ("A12").
constexpr int kFixedZoneStyle = 0;

// Shows a message (severity error) unless silent, and logs it.
void report(std::string_view title, const std::string& text, std::size_t length, bool qline, bool qsilent) {
    tell_and_log(kError, fit_field(text, length), {.shown = !qsilent, .qline = qline, .title = title});
}

// Waypoints named in the warning on characters lost, at most.
constexpr std::size_t kLostNamesShown = 10;

// Whether the file is UTF-8 (is_utf8_beyond_ascii): read whole once.
bool file_is_utf8(std::string_view fnam) {
    ByteFileReader file(fnam);
    std::string bytes;
    return file.is_open() && file.read_all(bytes) && is_utf8_beyond_ascii(bytes);
}

// The next comma field of `rest`, cut to `length` characters.
std::string_view next_field_view(std::string_view& rest, std::size_t length = kFieldLength) {
    return fitted_view(next_list_item(rest, ','), length);
}

std::string next_field(std::string_view& rest, std::size_t length = kFieldLength) {
    return std::string(next_field_view(rest, length));
}

// The next "key=value" field of a task's zone or options line, both cut to
// kKeyLength and traced; false when the line has no field left.
bool next_key_value(std::string_view& line, std::string& key, std::string& val) {
    const std::string field = next_field(line, kLineLength);
    if (field.empty()) {
        return false;
    }
    extract_key_val(field, key, val);
    key = trim_right(fit_field(key, kKeyLength));
    val = fit_field(val, kKeyLength);
    console_line(key + ":" + val);
    return true;
}

// The next comma field without its enclosing quotes and trailing blanks.
std::string_view unquoted_field(std::string_view& rest, std::size_t length = kFieldLength) {
    return without_quotes(next_field_view(rest, length));
}

// One waypoint line, its fields decoded; the texts are views into the line.
struct WaypointLine {
    std::string_view name;
    std::string_view code;
    std::string_view country;
    std::string_view description;
    float lat = 0.0f;
    float lon = 0.0f;
    float elev = 0.0f;
    int style = 0;
    float rwd = kNoWaypointValue;
    float rwl = kNoWaypointValue;
    float frq = kNoWaypointValue;
};

class WaypointLineReader {
public:
    WaypointLineReader(std::string_view fnam, bool has_runway_width, bool qline, bool qsilent)
        : fnam_(trim_right(fnam)), has_runway_width_(has_runway_width), qline_(qline), qsilent_(qsilent) {}

    // Decodes a waypoint line; false (after its message) when the line is ignored.
    bool decode(std::string_view line, WaypointLine& wp) const {
        wp.name = unquoted_field(line);
        wp.code = unquoted_field(line).substr(0, kCodeUsed);
        wp.country = unquoted_field(line);
        const std::string_view lat_text = unquoted_field(line);
        wp.lat = decode_lat_cu(lat_text);
        if (wp.lat < kBadCoordinateBelow) {
            return line_ignored(wp, "Latitude", lat_text);
        }
        const std::string_view lon_text = unquoted_field(line);
        wp.lon = decode_lon_cu(lon_text);
        if (wp.lon < kBadCoordinateBelow) {
            return line_ignored(wp, "Longitude", lon_text);
        }
        const std::string_view elev_text = unquoted_field(line);
        if (convert_length(elev_text, wp.elev) != 0) {
            return line_ignored(wp, "Elevation", elev_text);
        }
        const std::string_view style_text = unquoted_field(line);
        if (!read_one_int(style_text, wp.style)) {
            return line_ignored(wp, "Style", style_text);
        }
        const std::string_view rwd_text = unquoted_field(line);
        if (!rwd_text.empty() && !read_one_real(rwd_text, wp.rwd)) {
            value_ignored(wp, "Runway direction", rwd_text);
        }
        const std::string_view rwl_text = unquoted_field(line);
        if (!rwl_text.empty() && convert_length(rwl_text, wp.rwl) != 0) {
            wp.rwl = kNoWaypointValue;
            value_ignored(wp, "Runway length", rwl_text);
        }
        if (has_runway_width_) {
            next_field_view(line);
        }
        const std::string_view frq_text = unquoted_field(line);
        if (!frq_text.empty() && convert_length(frq_text, wp.frq) != 0) {
            wp.frq = kNoWaypointValue;
            value_ignored(wp, "Frequency", frq_text);
        }
        wp.description = unquoted_field(line, kDescriptionLength);
        return true;
    }

    void capacity_reached(int capacity) const {
        report("read_cup", fnam_ + "\nMax number of waypoints reached: " + i2b(capacity), kReadCupMessageLength,
               qline_, qsilent_);
    }

private:
    bool line_ignored(const WaypointLine& wp, std::string_view kind, std::string_view field) const {
        report("read_cup",
               fnam_ + "\n" + std::string(wp.name) + " " + std::string(kind) + " : " + trim_right(field) +
                   "\nLine ignored",
               kReadCupMessageLength, qline_, qsilent_);
        return false;
    }
    void value_ignored(const WaypointLine& wp, std::string_view kind, std::string_view field) const {
        report("read_cup", fnam_ + "\n" + std::string(wp.name) + " " + std::string(kind) + " : " + trim_right(field) +
                               "\nValue ignored",
               kReadCupMessageLength, qline_, qsilent_);
    }

    std::string fnam_;
    bool has_runway_width_;
    bool qline_;
    bool qsilent_;
};

// The waypoints whose line held a character code page 1252 lacks (it became
// "?"), told once the file is read.
class LostCharacters {
public:
    void note(std::string_view name, char32_t lost) {
        if (first_ == 0) {
            first_ = lost;
        }
        names_.emplace_back(trim_right(name));
    }

    void tell(std::string_view fnam, bool qline, bool qsilent) const {
        if (names_.empty()) {
            return;
        }
        std::string names;
        for (std::size_t i = 0; i < std::min(names_.size(), kLostNamesShown); ++i) {
            names += (i == 0 ? "" : ", ") + slashes_kept(names_[i]);
        }
        if (names_.size() > kLostNamesShown) {
            names += " (+" + i2b(static_cast<int>(names_.size() - kLostNamesShown)) + ")";
        }
        const std::string code = code_point_text(first_);
        tell_and_log(kWarning,
                     slashes_kept(trim_right(fnam)) + "\n" +
                         in_user_language("A character code page 1252 lacks (" + code +
                                              ") became \"?\" in: ",
                                          "Un caract\xE8re absent de la page de code 1252 (" +
                                              code + ") est devenu \"?\" dans : ") +
                         names,
                     {.shown = !qsilent, .qline = qline, .title = "read_cup"});
    }

private:
    std::vector<std::string> names_;
    char32_t first_ = 0;
};

bool is_landable_style(int style) { return style >= 2 && style <= 5; }

// The number of entries 1.. the waypoint records and the caller's capacity allow.
int waypoint_capacity(int maxapt, const Tarvewp2& numbers, const Tarvewp3& texts) {
    const std::size_t size =
        std::min({numbers.wp_lat.size(), numbers.wp_lon.size(), numbers.wp_elev.size(), numbers.wp_typ.size(),
                  numbers.wp_rwl.size(), numbers.wp_rwd.size(), numbers.wp_frq.size(), texts.wp_nam.size(),
                  texts.wp_cod.size(), texts.wp_dsc.size()});
    const std::size_t slots = size > 0 ? size - 1 : 0;
    return static_cast<int>(std::min<std::size_t>(static_cast<std::size_t>(std::max(maxapt, 0)), slots));
}

void store(const WaypointLine& wp, int style, int k, Tarvewp2& numbers, Tarvewp3& texts) {
    const auto i = static_cast<std::size_t>(k);
    // Each text table keeps the value of its field (cut at its capacity, trailing blanks dropped).
    texts.wp_nam.set(i, wp.name);
    texts.wp_cod.set(i, wp.code);
    texts.wp_cty.set(i, wp.country);
    texts.wp_dsc.set(i, wp.description);
    numbers.wp_lat[i] = wp.lat;
    numbers.wp_lon[i] = wp.lon;
    numbers.wp_elev[i] = nearest_int(wp.elev);
    numbers.wp_rwd[i] = wp.rwd;
    numbers.wp_rwl[i] = wp.rwl;
    numbers.wp_frq[i] = wp.frq;
    numbers.wp_typ[i] = style;
}

// --- Task section ---------------------------------------------------------

std::string point_trace(int k) {
    const RdCup1& c = rd_cup_1;
    const auto i = static_cast<std::size_t>(k);
    const auto number = [](float value) { return f2b(value, "(F16.6)"); };
    return i2b(k) + " A " + number(c.cupang[1][i]) + " " + number(c.cupang[2][i]) + " R " + number(c.cuprad[1][i]) +
           " " + number(c.cuprad[2][i]) + " H " + number(c.cupmxa[i]);
}

class TaskReader {
public:
    TaskReader(std::string_view fnam, int nb_wp, const Tarvewp2& numbers, const Tarvewp3& texts, bool qline,
               bool qsilent)
        : fnam_(trim_right(fnam)), nb_wp_(nb_wp), numbers_(numbers), texts_(texts), qline_(qline), qsilent_(qsilent) {}

    // The task line: description and points.
    void read_points(std::string_view line) {
        RdCup1& c = rd_cup_1;
        RdCup2& t = rd_cup_2;
        t.cupdesc = next_field(line, kCupDescCapacity);
        console_line("Task : " + t.cupdesc);
        int count = 0;
        while (true) {
            const std::string field = next_field(line);
            console_line("Field " + i2b(static_cast<int>(field.size())) + " : " + field);
            if (field.empty()) {
                break;
            }
            const std::string name(without_quotes(field));
            if (count >= kCupTaskSlots) {
                ++count;  // counted: a task of more points than a task holds is refused
                continue;
            }
            const auto i = static_cast<std::size_t>(count++);
            t.cupnam[i] = fit_field(name, kCupNameCapacity);
            // "???", or an empty name (SeeYou writes the takeoff and the
            // landing it was not given so), names no waypoint.
            if (name == kNoPosition || is_blank(name)) {
                continue;
            }
            // Both names are compared as the waypoint name field holds them.
            const int k = rech_cup(fit_field(name, kWpNameCapacity), nb_wp_, texts_.wp_nam);
            if (k == 0) {
                // The point keeps its place, without a position, so that the
                // points after it keep theirs and their zones: a task cut
                // there would lose its finish. The conversion refuses a
                // point it would write without a position.
                message("Waypoint not found: " + name);
                continue;
            }
            const auto w = static_cast<std::size_t>(k);
            c.cupwp[i] = k;
            c.cuplat[i] = numbers_.wp_lat[w];
            c.cuplon[i] = numbers_.wp_lon[w];
            c.cupalt[i] = static_cast<float>(numbers_.wp_elev[w]);
            c.cupsty[i] = numbers_.wp_typ[w];
        }
        rd_cup_0.nb_cup = std::min(count, kCupTaskSlots) - 1;
        rd_cup_0.nb_cup_listed = count;
    }

    // One observation-zone line.
    void read_zone_line(std::string_view line) {
        RdCup1& c = rd_cup_1;
        int k = 0;
        int style = -1;
        float a12 = kNoFixedDirection;
        std::string key;
        std::string val;
        while (next_key_value(line, key, val)) {
            if (key == "Options") {
                read_options(line);
                return;
            }
            if (key == "ObsZone") {
                int n = 0;
                if (!read_one_int(val, n)) {
                    unreadable(key, val);
                    return;
                }
                k = n < kCupTaskSlots ? n + 1 : kCupTaskSlots + 1;  // beyond the points either way
                last_zone_ = k;
                zone_key_ = "ObsZone=" + trim_right(val) + " ";
                if (k >= 1 && k <= rd_cup_0.nb_cup) {
                    c.cupzone[static_cast<std::size_t>(k)] = true;
                }
                continue;
            }
            if (k < 1 || k > rd_cup_0.nb_cup) {
                message("ObsZone undefined " + key);
                return;
            }
            const auto i = static_cast<std::size_t>(k);
            if (key == "R1" || key == "R2") {
                float radius = 0.0f;
                if (convert_zone_length(val, radius) == 0) {
                    c.cuprad[key == "R1" ? 1 : 2][i] = radius;
                } else {
                    unreadable(zone_key_ + key, val);
                }
            } else if (key == "A1" || key == "A2") {
                if (!read_one_real(val, c.cupang[key == "A1" ? 1 : 2][i])) {
                    unreadable(zone_key_ + key, val);
                }
            } else if (key == "A12") {
                // A direction past a full turn means the same within one.
                if (!read_one_real(val, a12)) {
                    a12 = kNoFixedDirection;
                    unreadable(zone_key_ + key, val);
                } else {
                    a12 = normalised_angle(a12);
                }
            } else if (key == "Style") {
                if (!read_one_int(val, style)) {
                    unreadable(zone_key_ + key, val);
                }
            } else if (key == "Line") {
                c.cupline[i] = is_true(val);
                console_line("Line " + i2b(k) + " " + (c.cupline[i] ? "1" : "0"));
            } else if (key == "MaxAlt") {
                float height = 0.0f;
                if (convert_length(val, height) == 0) {
                    c.cupmxa[i] = height;
                } else {
                    unreadable(zone_key_ + key, val);
                }
                console_line("MaxAlt " + i2b(k) + " " + f2b(c.cupmxa[i], "(F16.6)"));
            }
        }
        // A sector of fixed direction: "Style=0" with its direction "A12".
        if (k >= 1 && k <= rd_cup_0.nb_cup) {
            c.cupa12[static_cast<std::size_t>(k)] = style == kFixedZoneStyle ? a12 : kNoFixedDirection;
        }
    }

    int last_zone() const { return last_zone_; }

private:
    // The rules of the "Options" line that follow its first field: the start
    // opening ("NoStart", a time of day), the designated time of the task
    // ("TaskTime") and how distances are measured ("WpDis"). The line's other
    // options are SeeYou's scoring settings, which no target takes.
    void read_options(std::string_view line) {
        RdCup0& rules = rd_cup_0;
        std::string key;
        std::string val;
        while (next_key_value(line, key, val)) {
            val = trim_right(val);
            if (key == "NoStart") {
                read_time(key, val, kDaySeconds - 1, rules.cupnostart);
            } else if (key == "TaskTime") {
                read_time(key, val, kDaySeconds, rules.cuptasktime);
            } else if (key == "WpDis") {
                read_switch(key, val, rules.cupwpdis);
            }
        }
    }
    // A time "hh:mm:ss" of at most `most` seconds.
    void read_time(const std::string& key, const std::string& val, int most, int& seconds) {
        const int read = hms2sec(val);
        if (read < 0 || read > most) {
            value_ignored(key, val);
            return;
        }
        seconds = read;
    }
    // "True" or "False" (any letter case), or 1 or 0.
    void read_switch(const std::string& key, const std::string& val, int& value) {
        std::string word = val;
        majusc(word);
        if (word == "TRUE" || word == "1") {
            value = 1;
        } else if (word == "FALSE" || word == "0") {
            value = 0;
        } else {
            value_ignored(key, val);
        }
    }

    void message(const std::string& text) {
        report("read_cup_task", fnam_ + "\n" + text, kTaskMessageLength, qline_, qsilent_);
    }
    void value_ignored(const std::string& key, const std::string& val) {
        message(key + " : " + trim_right(val) + "\nValue ignored");
    }
    // The first zone value that does not read, kept for the conversion's refusal.
    static void unreadable(const std::string& key, const std::string& val) {
        RdCup2& t = rd_cup_2;
        if (t.cupbadkey.empty()) {
            t.cupbadkey = trim_right(key);
            t.cupbadval = trim_right(val);
        }
    }

    std::string fnam_;
    int nb_wp_;
    const Tarvewp2& numbers_;
    const Tarvewp3& texts_;
    bool qline_;
    bool qsilent_;
    int last_zone_ = 0;
    std::string zone_key_;  // "ObsZone=1 ": the line's own number, as written
};

void clear_task_positions() {
    RdCup1& c = rd_cup_1;
    c.cuplat.fill(0.0f);
    c.cuplon.fill(0.0f);
    c.cupalt.fill(0.0f);
    // MaxAlt too: a point without one has none, whatever a task read before gave.
    for (CupReals* table : {&c.cuprad[1], &c.cuprad[2], &c.cupang[1], &c.cupang[2], &c.cupmxa}) {
        table->fill(0.0f);
    }
    c.cupline.fill(false);
    c.cupwp.fill(0);
    c.cupzone.fill(false);
    c.cupa12.fill(kNoFixedDirection);
    rd_cup_0.nb_cup_listed = 0;
    rd_cup_2.cupbadkey.clear();
    rd_cup_2.cupbadval.clear();
    rd_cup_0.cupnostart = kNoTaskRule;
    rd_cup_0.cuptasktime = kNoTaskRule;
    rd_cup_0.cupwpdis = kNoTaskRule;
}

}  // namespace

int landability_class(std::string_view description) {
    const std::string text = trim_right(description);
    if (text.empty() || text.back() != '}') {
        return 0;
    }
    const std::size_t open = text.rfind('{');
    if (open == std::string::npos || open + 2 >= text.size()) {
        return 0;  // no "{", or nothing between the braces
    }
    std::string tag = fit_field(std::string_view(text).substr(open + 1, text.size() - open - 2), kTagLength);
    majusc(tag);
    static const std::array<std::pair<std::string_view, int>, 12> kClasses = {{
        {"F", 1}, {"E", 1}, {"LA", 1}, {"ZA", 1}, {"FACILE", 1},
        {"M", 2}, {"NORMAL", 2},
        {"D", 3}, {"DIFFICILE", 3},
        {"TD", 4}, {"VD", 4}, {"TRES_DIFFICILE", 4},
    }};
    for (const auto& [name, value] : kClasses) {
        if (tag == name) {
            return value;
        }
    }
    return 0;
}

int rech_cup(std::string_view bbb, int nb_wp, const ShortTextTable& wp_name) {
    const int last = static_cast<int>(std::min<std::size_t>(static_cast<std::size_t>(std::max(nb_wp, 0)),
                                                            wp_name.empty() ? 0 : wp_name.size() - 1));
    for (int k = 1; k <= last; ++k) {
        if (blank_equal(wp_name[static_cast<std::size_t>(k)], bbb)) {
            return k;
        }
    }
    return 0;
}

bool CupLines::next(std::string_view& line, int& ios) {
    lost_ = 0;
    if (!file_.read_line(line)) {
        ios = file_.failed() ? file_.read_status() : kEndOfFile;
        return false;
    }
    ios = 0;
    if (utf8_) {
        if (first_line_ && line.starts_with(kUtf8Bom)) {
            line.remove_prefix(kUtf8Bom.size());
        }
        converted_ = utf8_to_cp1252(line, lost_);
        line = converted_;
    }
    first_line_ = false;
    line = line.substr(0, kLineLength);
    return true;
}

void read_cup_task(CupLines& lines, std::string_view fnam, int nb_wp, const Tarvewp2& numbers,
                   const Tarvewp3& texts, bool qline, bool qsilent, int& ios) {
    clear_task_positions();
    std::string_view line;
    if (!lines.next(line, ios)) {
        return;
    }
    TaskReader task(fnam, nb_wp, numbers, texts, qline, qsilent);
    // A character lost in the task line is one of the task's name, which no
    // output takes, or of a point's name: that of its waypoint, told already.
    task.read_points(line);
    while (lines.next(line, ios)) {
        if (!line.empty() && (line.front() == '"' || line.front() == ',')) {
            break;  // the next task
        }
        task.read_zone_line(line);
    }
    console_line("Points " + i2b(rd_cup_0.nb_cup + 1) + " last zone " + i2b(task.last_zone()));
    for (int k = 0; k <= rd_cup_0.nb_cup; ++k) {
        console_line(point_trace(k));
    }
}

void read_cup(std::string_view fnam, int maxapt, Tarvewp2& numbers, Tarvewp3& texts, int& nb_wp, bool qlnd,
              bool qline, bool qsilent, int& ios) {
    nb_wp = 0;
    TextFileReader file(fnam);
    if (!file.is_open()) {
        console_line(trim_right(fnam) + " cannot be opened");
        ios = file.open_status();
        return;
    }
    if (!qlnd) {
        // A file read for its task that has none leaves none, not the task
        // of a file read before (the conversion form reads one after another).
        clear_task_positions();
        rd_cup_0.nb_cup = 0;
    }
    CupLines lines(file, file_is_utf8(fnam));
    std::string_view line;
    if (!lines.next(line, ios)) {
        ios = ios == kEndOfFile ? 0 : ios;
        return;
    }
    const WaypointLineReader reader(fnam, line.find("rwwidth") != std::string::npos, qline, qsilent);
    size_waypoint_tables(numbers, texts);
    const int capacity = waypoint_capacity(maxapt, numbers, texts);
    LostCharacters lost;
    while (lines.next(line, ios)) {
        if (line.find(kRelatedTasksMarker) != std::string::npos) {
            if (qlnd) {
                lost.tell(fnam, qline, qsilent);
                return;  // ios 0: the task is not read
            }
            read_cup_task(lines, fnam, nb_wp, numbers, texts, qline, qsilent, ios);
            break;
        }
        if (line.starts_with(kVersionLine) || line.find(',') == std::string::npos) {
            continue;
        }
        WaypointLine wp;
        if (!reader.decode(line, wp)) {
            continue;
        }
        if (lines.lost() != 0) {
            lost.note(wp.name, lines.lost());
        }
        int style = wp.style;
        if (qlnd) {
            if (!is_landable_style(wp.style)) {
                continue;
            }
            style += 1000 * landability_class(wp.description);
        }
        if (nb_wp >= capacity) {
            reader.capacity_reached(capacity);
            break;
        }
        store(wp, style, ++nb_wp, numbers, texts);
    }
    lost.tell(fnam, qline, qsilent);
    if (ios == kEndOfFile) {
        ios = 0;
    }
}

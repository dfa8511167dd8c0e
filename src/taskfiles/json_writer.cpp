#include "taskfiles/json_writer.h"

#include "foundation/fixed_text.h"
#include "foundation/number_text.h"
#include "foundation/option_records.h"
#include "foundation/text_edit.h"
#include "foundation/paths_files.h"
#include "foundation/utm_frame.h"
#include "platform/console.h"
#include "platform/encoding.h"
#include "platform/files.h"
#include "taskfiles/landscape_records.h"
#include "taskfiles/task_model.h"
#include "taskfiles/task_zones.h"

#include <algorithm>
#include <cmath>
#include <string>

namespace {

constexpr int kIndentKeys = 9;
constexpr int kIndentDrawing = 6;
constexpr int kIndentElement = 12;
constexpr int kIndentValue = 15;

// Gate of an intermediate line turnpoint: half its width, and how far its
// middle part is set back.
constexpr double kGateHalfWidth = 60.0;
// Two legs whose unit directions differ by less than this run straight on.
constexpr double kStraightOn = 1e-6;

// The zone of a SeeYou task point each drawing uses first: R2/A2, then R1/A1.
constexpr int kZoneChoice[2] = {2, 1};

struct LatLon {
    float lat = 0.0f;
    float lon = 0.0f;
};

struct Vector {
    double x = 0.0;
    double y = 0.0;
};

double length(const Vector& v) { return std::hypot(v.x, v.y); }

// The vector scaled to length 1; a zero vector stays zero.
Vector unit(const Vector& v) {
    const double l = length(v);
    return l > 0.0 ? Vector{v.x / l, v.y / l} : Vector{};
}

LatLon from_frame(double x, double y) {
    LatLon position;
    xytolatlon(static_cast<float>(x), static_cast<float>(y), position.lat, position.lon);
    return position;
}

class JsonLines {
public:
    explicit JsonLines(FileWriter& file) : file_(file) {}

    void line(int indent, std::string_view text) {
        file_.write_line(cp1252_to_utf8(std::string(static_cast<std::size_t>(indent), ' ') + std::string(text)));
    }

    void key_line(std::string_view key, std::string_view value, std::string_view after) {
        line(kIndentKeys, "\"" + std::string(key) + "\":" + std::string(value) + std::string(after));
    }

    // A drawing's head: its name, colour and the opening of its legs.
    void drawing_head(std::string_view name, std::string_view colour) {
        line(kIndentDrawing, "{");
        key_line("name", "\"" + json_string_text(name) + "\"", ",");
        key_line("color", "\"" + std::string(colour) + "\"", ",");
        key_line("legs", "[", "");
    }

    void point(const LatLon& position, std::string_view closing) {
        line(kIndentElement, "[");
        line(kIndentValue, f2b(position.lat, "(F12.5)") + ",");
        line(kIndentValue, f2b(position.lon, "(F12.5)"));
        line(kIndentElement, closing);
    }

    void marker(std::string_view kind, std::string_view radius, std::string_view closing) {
        line(kIndentElement, ",");
        line(kIndentElement, "[");
        line(kIndentValue, "\"" + std::string(kind) + "\",");
        line(kIndentValue, radius);
        line(kIndentElement, closing);
    }

    void separator() { line(kIndentElement, ","); }

private:
    FileWriter& file_;
};

// Position of task point n.
LatLon task_point(int n) {
    const RdFpl1& t = rd_fpl_1;
    if (tarvex01.qcup_in) {
        return {t.tplat[n], t.tplon[n]};
    }
    return from_frame(t.tpx[n], t.tpy[n]);
}

// Marker of SeeYou task point n from zone `zone` (1 R1/A1, 2 R2/A2); an
// empty second zone (A2 of 0) gives way to the first.
void seeyou_marker(JsonLines& out, int n, int zone, std::string_view closing) {
    const RdCup1& cup = rd_cup_1;
    if (zone == 2 && cup.cupang[2][n] == 0.0f) {
        zone = 1;
    }
    const float full_angle = 2.0f * cup.cupang[zone][n];
    const std::string radius = i2b(nearest_int(cup.cuprad[zone][n]));
    if (full_angle == static_cast<float>(kCylinderAngle)) {
        out.marker("C", radius, closing);
    } else if (full_angle == static_cast<float>(kLineAngle)) {
        out.marker("L", radius, closing);
    } else {
        out.marker("Q", radius, closing);
    }
}

// The gate of intermediate line turnpoint n: a 120 m segment through it,
// across the bisector of the turn, its middle part set back 60 m, with a
// sector marker at each of its two inner corners. False when the legs run
// straight on, so that the turn has no side to set the gate back from.
bool gate(JsonLines& out, int n) {
    const RdFpl1& t = rd_fpl_1;
    const Vector p{t.tpx[n], t.tpy[n]};
    const Vector u_in = unit({p.x - t.tpx[n - 1], p.y - t.tpy[n - 1]});
    const Vector u_out = unit({double{t.tpx[n + 1]} - p.x, double{t.tpy[n + 1]} - p.y});
    const Vector turn{u_out.x - u_in.x, u_out.y - u_in.y};
    if (length(turn) < kStraightOn) {
        return false;
    }
    const Vector u = unit(turn);
    const std::string radius = i2b(t.tprad[n]);
    const Vector a{p.x - kGateHalfWidth * u.y, p.y + kGateHalfWidth * u.x};
    const Vector b{a.x - kGateHalfWidth * u.x, a.y - kGateHalfWidth * u.y};
    const Vector c{b.x + 2.0 * kGateHalfWidth * u.y, b.y - 2.0 * kGateHalfWidth * u.x};
    const Vector d{c.x + kGateHalfWidth * u.x, c.y + kGateHalfWidth * u.y};
    out.separator();
    out.point(from_frame(a.x, a.y), "],");
    out.point(from_frame(b.x, b.y), "]");
    out.marker("Q", radius, "],");
    out.point(from_frame(c.x, c.y), "]");
    out.marker("Q", radius, "],");
    out.point(from_frame(d.x, d.y), "],");
    out.point(from_frame(p.x, p.y), "],");
    return true;
}

// What follows point n of the first drawing of a flight plan. The drawing
// takes every zone by its angle, a window's too.
void plan_first_marker(JsonLines& out, int n, int last, std::string_view closing) {
    const RdFpl1& t = rd_fpl_1;
    const std::string radius = i2b(t.tprad[n]);
    switch (classic_zone_kind(t.tpang[n])) {
        case ZoneKind::line:
            if (n == 1 || n == last) {
                out.marker("L", radius, closing);
            } else if (!gate(out, n)) {
                out.marker("Q", radius, closing);
            }
            break;
        case ZoneKind::cylinder: out.marker("C", radius, closing); break;
        case ZoneKind::window:
        case ZoneKind::sector: out.marker("Q", radius, closing); break;
    }
}

// What follows point n of the second drawing of a flight plan: the FAI
// sector of a turnpoint zone of radius kFaiCylinderRadius.
void plan_second_marker(JsonLines& out, int n, int last, std::string_view closing) {
    if (rd_fpl_1.tprad[n] == kFaiCylinderRadius) {
        out.marker("Q", "2000", closing);
    } else if (n != last) {
        out.separator();
    }
}

void drawing(JsonLines& out, const std::string& name, int which, int last) {
    out.drawing_head(name, "0000FF");
    for (int n = 1; n <= last; ++n) {
        out.point(task_point(n), "]");
        const std::string_view closing = n == last ? "]" : "],";
        if (tarvex01.qcup_in) {
            seeyou_marker(out, n, kZoneChoice[which], closing);
        } else if (which == 0) {
            plan_first_marker(out, n, last, closing);
        } else {
            plan_second_marker(out, n, last, closing);
        }
    }
    out.line(kIndentKeys, "]");
}

void penalty_zone(JsonLines& out, int k) {
    const RdFpl1& t = rd_fpl_1;
    out.line(kIndentDrawing, ",");
    out.drawing_head("Zone#" + i2b(k), "FF0000");
    for (int corner = 0; corner < kPenaltyZoneCorners; ++corner) {
        out.point(from_frame(t.pzp[1][corner][k], t.pzp[2][corner][k]), "],");
    }
    out.point(from_frame(t.pzp[1][0][k], t.pzp[2][0][k]), "]");
    out.line(kIndentKeys, "]");
    out.line(kIndentDrawing, "}");
}

// The output file's name up to ".json" (in any case).
std::string task_name(std::string_view outfi_0) {
    std::string name = extract_name(outfi_0);
    std::string folded = name;
    minusc(folded);
    const std::size_t suffix = folded.rfind(".json");
    if (suffix != std::string::npos) {
        name.erase(suffix);
    }
    return fit_field(name, kJsonTaskNameCapacity);
}

}  // namespace

std::string json_string_text(std::string_view text) {
    static constexpr char kHex[] = "0123456789ABCDEF";
    std::string escaped;
    escaped.reserve(text.size());
    for (const char c : text) {
        const auto byte = static_cast<unsigned char>(c);
        if (c == '"' || c == '\\') {
            escaped += '\\';
            escaped += c;
        } else if (byte < 0x20) {
            escaped += "\\u00";
            escaped += kHex[byte >> 4];
            escaped += kHex[byte & 0x0F];
        } else {
            escaped += c;
        }
    }
    return escaped;
}

void write_json(std::string_view outfi_0, int& iost) {
    console_line("write_json : " + trim_right(outfi_0));
    const std::string name = task_name(outfi_0);

    FileWriter file(outfi_0);
    if (!file.is_open()) {
        iost = file.open_status();
        return;
    }
    JsonLines out(file);
    out.line(0, "{");
    out.line(3, "\"tasks\":[");

    const int last = std::clamp(rd_fpl_0.nb_wp, 0, kTurnpointSlots) - 1;
    const int drawings = tarvex01.qfaisector ? 2 : 1;
    for (int which = 0; which < drawings; ++which) {
        drawing(out, name, which, last);
        out.line(kIndentDrawing, which + 1 < drawings ? "}," : "}");
    }
    const int zones = std::clamp(rd_fpl_0.nb_pz, 0, kPenaltyZoneSlots);
    for (int k = 0; k < zones; ++k) {
        penalty_zone(out, k);
    }
    out.line(3, "]");
    out.line(0, "}");
    iost = file.close();
}

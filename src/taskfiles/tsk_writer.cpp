#include "taskfiles/tsk_writer.h"

#include "foundation/fixed_text.h"
#include "foundation/number_text.h"
#include "foundation/option_records.h"
#include "foundation/units.h"
#include "platform/console.h"
#include "platform/encoding.h"
#include "platform/files.h"
#include "taskfiles/altitude_limits.h"
#include "taskfiles/task_model.h"
#include "taskfiles/task_zones.h"
#include "taskfiles/xml_numbers.h"
#include "taskfiles/xml_writer.h"

#include <algorithm>
#include <string>

namespace {

// Text fields of one point.
constexpr std::size_t kNameField = 40;
constexpr std::size_t kCommentField = 60;

// Indentation of the element lines.
const std::string kPointIndent(7, ' ');
const std::string kWaypointIndent(15, ' ');
const std::string kLocationIndent(23, ' ');

// attribute="value" with one blank before it; the value escaped for XML.
std::string attribute(std::string_view name, std::string_view value) {
    return " " + std::string(name) + "=\"" + xml_attribute_text(value) + "\"";
}

std::string start_height_text() {
    const long long margin = tarvex01.start_margin;
    if (rd_fpl_0.nb_wp < 2) {
        return "0";
    }
    const int top = nearest_int(start_maximum_altitude());
    const bool counts = zone_kind(1) == ZoneKind::window || top < kXcsoarNoStartLimit;
    return counts ? xml_int(top + margin) : "0";
}

std::string finish_height_text(int f) {
    if (f < 1) {
        return "0";
    }
    return xml_int(nearest_int(finish_minimum_altitude(f)));
}

std::string point_type(int n, int last) {
    if (n == 1) {
        return "Start";
    }
    if (n == last) {
        return "Finish";
    }
    return rd_fpl_6.qaat ? "Area" : "Turn";
}

// The observation-zone element of point n.
std::string observation_zone(int n, int last) {
    const RdFpl1& t = rd_fpl_1;
    const std::string head = kWaypointIndent + "<ObservationZone";
    const ZoneKind kind = zone_kind(n);
    if (kind == ZoneKind::window) {
        // A half disc as wide as the window, facing its azimuth.
        const ZoneRadials radials = window_radials(n);
        const int start_radial = nearest_int(radials.start);
        const int end_radial = nearest_int(radials.end);
        return head + attribute("start_radial", xml_int(start_radial)) + attribute("end_radial", xml_int(end_radial)) +
               attribute("radius", xml_int(nearest_int(0.5 * t.tpwid[n]))) + " type=\"Sector\"/>";
    }
    const std::string radius = attribute("radius", xml_int(t.tprad[n]));
    if (kind == ZoneKind::sector && t.tpang[n] == kQuadrantAngle) {
        return head + attribute("angle", xml_int(kQuadrantAngle)) + radius + " type=\"SymmetricQuadrant\"/>";
    }
    if (kind == ZoneKind::cylinder) {
        return head + radius + " type=\"Cylinder\"/>";
    }
    if (kind == ZoneKind::line && (n == 1 || n == last)) {
        return head + attribute("length", xml_int(2LL * t.tprad[n])) + " type=\"Line\"/>";
    }
    // A sector, or a gate at a turnpoint, on the outer bisector of the turn.
    const ZoneRadials radials = sector_radials(n);
    const int start_radial = nearest_int(radials.start);
    const int end_radial = nearest_int(radials.end);
    return head + attribute("start_radial", xml_int(start_radial)) + attribute("end_radial", xml_int(end_radial)) +
           radius + " type=\"Sector\"/>";
}

}  // namespace

void write_tsk(std::string_view outfi_0, int& iost) {
    const RdFpl1& t = rd_fpl_1;
    const RdFpl6& options = rd_fpl_6;
    console_line(std::string("write_tsk ") + (options.qaat ? "T " : "F ") + f2b(options.t_aat, "(F16.6)"));

    FileWriter file(outfi_0);
    if (!file.is_open()) {
        iost = file.open_status();
        return;
    }
    const auto write = [&file](std::string_view line) { file.write_line(cp1252_to_utf8(line)); };

    const int last = std::clamp(rd_fpl_0.nb_wp, 0, kTurnpointSlots) - 1;
    const bool armed = options.qaat ? tarvex01.qman_arm_start_aat : tarvex01.qman_arm_start_rt;
    const std::string start_speed = f2b(kmh_to_metres_per_second(static_cast<float>(options.start_max_speed)), "(F8.3)");
    const std::string aat_time =
        options.qaat ? xml_int(nearest_int(options.t_aat) * static_cast<long long>(kMinuteInSeconds)) : "0";

    write("<Task fai_finish=\"0\" finish_min_height_ref=\"MSL\"" +
          attribute("finish_min_height", finish_height_text(last)) + " start_max_height_ref=\"MSL\"" +
          attribute("start_max_height", start_height_text()) + " " + attribute("start_max_speed", start_speed) +
          attribute("start_requires_arm", armed ? "1" : "0") + attribute("aat_min_time", aat_time) +
          attribute("type", options.qaat ? "AAT" : "RT") + ">");

    for (int n = 1; n <= last; ++n) {
        std::string name = fit_field(rd_fpl_2.tpnam[n], kNameField);
        std::string comment;
        altitude_limits(n, name, kNameField, comment, kCommentField);

        write(kPointIndent + "<Point" + attribute("type", point_type(n, last)) + ">");
        write(kWaypointIndent + "<Waypoint" + attribute("altitude", xml_int(nearest_int(t.tpz[n]))) +
              attribute("comment", comment) + attribute("id", xml_int(t.tpid[n])) + attribute("name", name) + ">");
        write(kLocationIndent + "<Location" + attribute("latitude", xml_real(t.tplat[n], 13, 5)) +
              attribute("longitude", xml_real(t.tplon[n], 13, 5)) + "/>");
        write(kWaypointIndent + "</Waypoint>");
        write(observation_zone(n, last));
        write(kPointIndent + "</Point>");
    }

    write("</Task>");
    write("");
    write("<!-- created by Tarvex V" + trim_right(tarvex_c.cvers) + " -->");
    write("");
    iost = file.close();
}

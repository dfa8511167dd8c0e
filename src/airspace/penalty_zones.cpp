#include "airspace/penalty_zones.h"

#include <algorithm>
#include <cmath>
#include <string>

#include "airspace/filtered_copy.h"
#include "foundation/dms_text.h"
#include "foundation/fixed_text.h"
#include "foundation/fortran_format.h"
#include "foundation/units.h"
#include "foundation/unwritten_files.h"
#include "foundation/utm_frame.h"
#include "platform/files.h"
#include "taskfiles/task_model.h"

namespace {

// Whole numbers written into the zone lines are held within this magnitude;
// anything larger does not fit the fields and shows as asterisks anyway.
constexpr double kLargestWritten = 1.0e9;

// Nearest whole number, halves away from zero, held within the range written.
long long nearest(double value) { return std::llround(std::clamp(value, -kLargestWritten, kLargestWritten)); }

void write_records(FileWriter& out, const std::vector<std::string>& records) {
    for (const std::string& record : records) {
        out.write_line(record);
    }
}

void write_banner(FileWriter& out) {
    const std::string rule = fortran_write("(71(1H*))", {});
    const std::string empty = fortran_write("(3H***,T69,3H***)", {});
    out.write_line(rule);
    out.write_line(empty);
    out.write_line(fortran_write("(3H***,1X,A,T69,3H***)", {"CONDOR PENALTY ZONES"}));
    out.write_line(empty);
    out.write_line(rule);
}

void write_zone(FileWriter& out, int i) {
    const long long penalty = nearest(rd_fpl_1.pza[3][i]);
    write_records(out, fortran_records("(/'*** Penalty Zone #',I2.2,' - Penalty =',I4,' pts/min')", {i, penalty}));
    write_records(out, fortran_records("(/'AC P'/'AN PZ#',I2.2,' - ',I4,' pts/min')", {i, penalty}));
    out.write_line(fortran_write("(A,1X,I5,'F AMSL')", {"AL", nearest(rd_fpl_1.pza[1][i] / kFootInMetres)}));
    out.write_line(fortran_write("(A,1X,I5,'F AMSL')", {"AH", nearest(rd_fpl_1.pza[2][i] / kFootInMetres)}));
    for (int k = 0; k < kPenaltyZoneCorners; ++k) {
        float lat = 0.0f;
        float lon = 0.0f;
        xytolatlon(rd_fpl_1.pzp[1][k][i], rd_fpl_1.pzp[2][k][i], lat, lon);
        std::string clat;
        std::string clon;
        dms_oa(lat, 1, clat);
        dms_oa(lon, 2, clon);
        out.write_line(fortran_write("('DP',2(1X,A))", {fit_field(clat, 10), fit_field(clon, 11)}));
    }
}

}  // namespace

void write_pz_zones(FileWriter& out) {
    write_banner(out);
    const int zones = std::clamp(rd_fpl_0.nb_pz, 0, kPenaltyZoneSlots);
    for (int i = 0; i < zones; ++i) {
        write_zone(out, i);
    }
}

void write_pz(std::string_view oafile, int& iosoa) {
    const std::string path = trim_right(oafile);
    FileWriter out(path);
    if (out.is_open()) {
        write_as_hdr(out);
        write_pz_zones(out);
    }
    iosoa = out.close();
    if (iosoa != 0) {
        report_unwritten_file(path);
    }
}

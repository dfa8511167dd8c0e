#include "taskfiles/acf_writer.h"

#include "foundation/fixed_text.h"
#include "foundation/fortran_format.h"
#include "foundation/key_value.h"
#include "foundation/list_read.h"
#include "foundation/number_text.h"
#include "foundation/tell.h"
#include "foundation/text_edit.h"
#include "foundation/unwritten_files.h"
#include "platform/console.h"
#include "platform/encoding.h"
#include "platform/files.h"
#include "taskfiles/task_model.h"

#include <string>

namespace {

constexpr std::size_t kPlaneLineLength = 128;
constexpr std::size_t kPlaneFieldLength = 64;

// An integer written with "(I10)", left-adjusted.
std::string whole(long long value) { return left_adjust(fmt_i(value, 10)); }

// The value of a plane-file line without its double quotes.
std::string unquoted(const std::string& value) {
    std::string text = value;
    remove_quotes(text);
    return text;
}

void report_missing_plane_file(std::string_view polfil) {
    tell_and_log(kWarning, trim_right(polfil) + in_user_language("/Error opening/No .acf file created",
                                                                 "/Ouverture impossible/Le fichier .acf ne sera pas "
                                                                 "cr\xE9\xE9"));
}

}  // namespace

bool read_plane_file(std::string_view polfil, PlaneFileValues& values) {
    TextFileReader reader(polfil);
    if (!reader.is_open()) {
        return false;
    }
    std::string line;
    while (reader.read_line(line)) {
        std::string key;
        std::string value;
        extract_key_val(fit_field(line, kPlaneLineLength), key, value);
        key = fit_field(key, kPlaneFieldLength);
        value = unquoted(fit_field(value, kPlaneFieldLength));
        if (key == "Handicap") {
            int handicap = 0;
            if (list_read(value, handicap) != kReadOk) {
                break;
            }
            values.handicap = handicap;
        } else if (key == "DumpTime") {
            float seconds = 0.0f;
            if (list_read(value, seconds) != kReadOk) {
                break;
            }
            values.dump_time = nearest_int(seconds);
        } else if (key == "MaxSpeed") {
            float speed = 0.0f;
            if (list_read(value, speed) != kReadOk) {
                break;
            }
            values.max_speed = speed;
        }
    }
    return true;
}

void write_acf(std::string_view outfi_0, std::string_view polfil, std::string_view ggg, int& iosf) {
    PlaneFileValues values;
    if (!read_plane_file(polfil, values)) {
        report_missing_plane_file(polfil);
        iosf = 1;
        return;
    }
    console_line("write_acf " + trim_right(outfi_0));

    FileWriter file(outfi_0);
    if (!file.is_open()) {
        iosf = file.open_status();
        report_unwritten_file(trim_right(outfi_0));
        return;
    }
    const auto write = [&file](std::string_view key, std::string_view value) {
        file.write_line(cp1252_to_utf8(std::string(key) + "=" + std::string(value)));
    };
    const auto quoted = [](std::string_view text) { return "\"" + std::string(text) + "\""; };

    file.write_line("### LK8000 AICRAFT PROFILE - DO NOT EDIT");
    file.write_line("### THIS FILE IS ENCODED IN UTF8");
    write("LKVERSION", "\"7.0\"");
    write("PROFILEVERSION", "2");
    write("AircraftCategory1", "0");
    write("PolarFile1", quoted(trim_right(ggg) + ".plr"));
    if (values.max_speed) {
        write("SafteySpeed1", whole(nearest_int(1000.0 * *values.max_speed)));
    }
    if (values.handicap) {
        write("Handicap1", whole(*values.handicap));
    }
    if (values.dump_time) {
        write("BallastSecsToEmpty1", whole(*values.dump_time));
    }
    write("AircraftType1", quoted(trim_right(ggg001.glider)));
    write("AircraftRego1", "\" \"");
    write("CompetitionClass1", quoted(trim_right(ggg001.glclass)));
    write("CompetitionID1", "\" \"");
    iosf = file.close();
    if (iosf != 0) {
        report_unwritten_file(trim_right(outfi_0));
    }
}

#include "airspace/airspace_reader.h"

#include <algorithm>
#include <cmath>
#include <optional>
#include <string>
#include <string_view>

#include "airspace/airspace_trace.h"
#include "airspace/airspace_window.h"
#include "airspace/filtered_copy.h"
#include "airspace/load_mode.h"
#include "airspace/openair_text.h"
#include "airspace/reader_dump.h"
#include "airspace/zone_geometry.h"
#include "foundation/fixed_text.h"
#include "foundation/fortran_format.h"
#include "foundation/key_value.h"
#include "foundation/list_read.h"
#include "foundation/number_text.h"
#include "foundation/stopwatch.h"
#include "foundation/tell.h"
#include "foundation/units.h"
#include "foundation/unwritten_files.h"
#include "foundation/utm_frame.h"
#include "platform/files.h"
#include "taskfiles/task_model.h"

bool airspace_disabled(int n) {
    if (n < 0 || n >= kAirspaceFlagSlots) {
        return as0003.qlistas;
    }
    return rd_fpl_5.qas_disa[n];
}

namespace {

// Characters of a line that are interpreted; the copy keeps the whole line.
constexpr std::size_t kRecordLength = 256;
// Points a zone of the load mode needs: two make an open line (left open by
// the ring closing), which encloses nothing.
constexpr int kLeastZonePoints = 3;

// Columns from..to (1-based, inclusive) of a record; empty where it is shorter.
std::string_view columns(std::string_view rec, std::size_t from, std::size_t to) {
    if (from > rec.size()) {
        return {};
    }
    return rec.substr(from - 1, to - from + 1);
}

std::string_view columns_from(std::string_view rec, std::size_t from) { return columns(rec, from, kRecordLength); }

// A radius or width in nautical miles that makes sense on the earth; the test
// divides, so that no product can overflow.
bool sane_nautical_miles(float value) {
    return std::fabs(value) <= kLargestAirspaceRadius / kNauticalMileInMetres;
}

// Reads the comma-separated numbers of an SP, SB or DA argument in order; an
// item that cannot be read leaves its value as it was.
template <class T, std::size_t N>
void read_comma_list(std::string_view arg, std::array<T*, N> values) {
    for (T* value : values) {
        list_read(next_list_item(arg, ','), *value);
    }
}

// Statistics of the point counts of the zones.
struct ZoneStatistics {
    int zones = 0;
    int smallest = 0;
    int largest = 0;
    long long total = 0;
    std::string largest_name;
    int longest_an = 0;
    int longest_name = 0;
    int too_few_points = 0;  // zones the load mode dropped for fewer than three points
};

// The output files of a filter-mode read.
struct CopyFiles {
    FileWriter* copy = nullptr;          // new_aspfile: own_copy, or the caller's writer
    std::optional<FileWriter> own_copy;
    std::optional<FileWriter> list;      // asp_d_file
    std::optional<FileWriter> cropped;   // CroppedAirspace.txt
    std::optional<FileWriter> names;     // list of kept names (qexpas)
};

void write_to(std::optional<FileWriter>& file, std::string_view line) {
    if (file && file->is_open()) {
        file->write_line(line);
    }
}

class OpenAirReader {
public:
    OpenAirReader(AirspacePens& sp, AirspaceBrushes& sb, std::span<AirspaceZone> zon, std::span<PlanePoint> pp,
                  int nbzon, bool filter, bool qglob, CopyFiles* files)
        : sp_(sp), sb_(sb), zon_(zon), pp_(pp), nzon_(nbzon), filter_(filter), qglob_(qglob), files_(files) {
        npt_ = nzon_ > 0 ? std::clamp(zon_[nzon_ - 1].last + 1, 0, static_cast<int>(pp_.size())) : 0;
        first_npt_ = npt_;
    }

    // Interprets one line; false once the reading has stopped at a limit.
    bool line(std::string_view text);
    // The end of the file: the open zone is closed and decided, everything
    // buffered is flushed.
    void end_of_file();
    // A read error: nothing more is decided or copied.
    void read_failed() { stopped_ = true; }

    bool stopped() const { return stopped_; }
    int zones_held() const { return nzon_; }
    int npt() const { return npt_; }
    int ordinal() const { return nn9_; }
    const ZoneStatistics& statistics() const { return stats_; }
    // The debug dump's last line; it is closed.
    void finish_dump(std::string_view aspfile) { dump_.finished(aspfile, nn9_ + 1); }

private:
    bool zone_open() const { return open_; }
    FileWriter* copy() const { return files_ != nullptr ? files_->copy : nullptr; }

    void keyword_ac(std::string_view rec);
    // AY, AH or AL: `kind` is the key's second letter.
    void keyword_attribute(char kind, std::string_view rec);
    void keyword_width(std::string_view rec);
    void keyword_centre(std::string_view rec);
    void keyword_point(std::string_view rec, bool airway);
    void keyword_da(std::string_view rec);
    void keyword_db(std::string_view rec);
    void keyword_dc(std::string_view rec);
    void keyword_pen(std::string_view rec);
    void keyword_brush(std::string_view rec);

    // Puts a line into the buffer of the copy, unless the open zone is left
    // out whole and nothing held can reach the copy any more.
    void hold_for_copy(std::string_view text);
    void begin_geometry();
    void end_geometry_line() { reading_points_ = true; }
    bool close_geometry();
    void decide(bool qlast);
    // The open zone's number as I6, made once for the trace and the index
    // line; and its index line. Both in texts kept from zone to zone.
    std::string_view zone_number() {
        if (number_.empty()) {
            append_zone_number(number_, nn9_);
        }
        return number_;
    }
    std::string_view index_line_of_zone() {
        index_.clear();
        append_index_line(index_, zone_number(), asn_);
        return index_;
    }
    void open_zone(std::string_view class_text);
    void stop_at_limit();
    void ignore_number_line(std::string_view rec);
    bool arc_fits(int segments, std::string_view rec);
    bool to_frame(float lat, float lon, float& x, float& y) const;

    AirspacePens& sp_;
    AirspaceBrushes& sb_;
    std::span<AirspaceZone> zon_;
    std::span<PlanePoint> pp_;
    int nzon_;            // zones held in the tables, the open one not counted
    int npt_ = 0;
    int first_npt_ = 0;   // npt when the reading began: the table a zone can have starts there
    int npt_00 = 0;       // npt at the open zone's first geometry line
    int zone_start_ = 0;  // npt when the open zone opened
    int nn9_ = -1;        // ordinal of the open zone among the file's AC lines
    bool open_ = false;
    bool reading_points_ = false;
    // An arc or circle of the open zone cannot be drawn: the zone is dropped.
    bool undrawable_ = false;
    bool q_axe_ = false;
    float ray_ = 0.0f;
    ArcCentre centre_;
    float da_radius_ = 0.0f;
    float da_angle1_ = 0.0f;
    float da_angle2_ = 0.0f;
    int ityp_ = 0;
    std::string asn_;
    std::string assn_;
    std::string ast_;
    std::string asl_;
    std::string ash_;
    std::string number_;  // empty until zone_number() makes it
    std::string index_;
    bool filter_;
    bool qglob_;
    CopyFiles* files_;
    bool stopped_ = false;
    bool first_ac_seen_ = false;
    // The open zone is disabled and the copy leaves such zones out (qdeldup):
    // none of its lines is copied, only the comments that close it can stay
    // with the next zone.
    bool left_out_ = false;
    CopyBuffer buffer_;
    ZoneStatistics stats_;
    ReaderDump dump_;
};

void OpenAirReader::hold_for_copy(std::string_view text) {
    if (left_out_ && !text.empty() && text[0] != '*' && !text.starts_with("AC") && !is_blank(text)) {
        // A line that is neither a comment nor blank ends any run of comments
        // above the next AC line: what is held before it goes nowhere.
        buffer_.clear();
        return;
    }
    buffer_.append(text);
}

bool OpenAirReader::line(std::string_view text) {
    if (stopped_) {
        return false;
    }
    if (filter_) {
        hold_for_copy(text);
    }
    // A comment line says nothing, whatever follows its "*".
    if (text.empty() || text[0] == '*') {
        return true;
    }
    std::string_view rec = text.substr(0, kRecordLength);
    // The first "*" starts the comment of a geometry line; a commented-out
    // "*AC " ends the record of any line.
    const std::size_t star = rec.find('*');
    if (star != std::string_view::npos) {
        rec = rec.substr(0, rec.find("*AC ", star));
    }
    if (rec[0] == ' ' && is_blank(rec)) {
        return true;
    }
    const std::string_view geometry = rec.substr(0, star);
    if (rec.size() >= 4 && rec[0] == 'V' && rec[1] == ' ' && rec[3] == '=') {
        switch (rec[2]) {
            case 'W':
                keyword_width(geometry);
                break;
            case 'X':
                keyword_centre(geometry);
                break;
            case 'D':
                centre_.clockwise = columns_from(geometry, 5).find('-') == std::string_view::npos;
                break;
            default:
                break;
        }
        return !stopped_;
    }
    if (rec.size() < 2) {
        return true;
    }
    switch (rec[0]) {
        case 'A':
            switch (rec[1]) {
                case 'C':
                    keyword_ac(rec);
                    break;
                case 'N':
                    asn_.assign(columns_from(rec, 4));
                    asn_.resize(static_cast<std::size_t>(clean_text(asn_)));
                    break;
                case 'Y':
                case 'H':
                case 'L':
                    keyword_attribute(rec[1], rec);
                    break;
                default:
                    break;
            }
            break;
        case 'D':
            switch (rec[1]) {
                case 'P':
                    keyword_point(geometry, false);
                    break;
                case 'Y':
                    keyword_point(geometry, true);
                    break;
                case 'A':
                    keyword_da(geometry);
                    break;
                case 'B':
                    keyword_db(geometry);
                    break;
                case 'C':
                    keyword_dc(geometry);
                    break;
                default:
                    break;
            }
            break;
        case 'S':
            if (rec[1] == 'P') {
                keyword_pen(rec);
            } else if (rec[1] == 'B') {
                keyword_brush(rec);
            }
            break;
        default:
            break;
    }
    return !stopped_;
}

void OpenAirReader::keyword_ac(std::string_view rec) {
    if (zone_open()) {
        if (!close_geometry()) {
            return;
        }
        // The zone limit keeps one slot in reserve, as the table's owner expects.
        if (nzon_ + 1 >= static_cast<int>(zon_.size()) - 1) {
            stop_at_limit();
            return;
        }
        decide(false);
    } else if (!first_ac_seen_ && filter_) {
        // The file's preamble: copied unchanged, the comment block directly
        // above the AC line staying with the zone.
        clean_crpbuf(buffer_, true, false, as0003.qdeldup, copy());
    }
    first_ac_seen_ = true;
    open_zone(columns(rec, 4, 15));
}

void OpenAirReader::keyword_attribute(char kind, std::string_view rec) {
    if (reading_points_) {
        return;
    }
    const std::string_view field = columns(rec, 4, 43);
    const std::string_view text = field.substr(0, trimmed_length(field));
    if (kind == 'Y') {
        ast_.assign(text);
        if (ityp_ == kClassG || ityp_ == kClassUnc) {
            ityp_ = get_typ(ast_);
            if (zone_open()) {
                zon_[nzon_].typ = ityp_;
            }
        }
    } else if (kind == 'H') {
        ash_.assign(text);
    } else {
        asl_.assign(text);
    }
}

void OpenAirReader::ignore_number_line(std::string_view rec) {
    const std::string given = trim_right(rec);
    tell_and_count(kWarning, in_user_language("Airspace file: number missing or out of range, line ignored:/" + given,
                                              "Fichier d'espace a\xE9rien : nombre absent ou hors limites, "
                                              "ligne ignor\xE9" "e :/" + given));
}

// An arc or circle asking for more points than the point table holds for one
// zone (a centre typed in the wrong hemisphere makes an arc thousands of
// kilometres long) cannot be drawn: its line is told as out of range and its
// zone dropped alone; the reading goes on with the next zone.
bool OpenAirReader::arc_fits(int segments, std::string_view rec) {
    const long long room = static_cast<long long>(pp_.size()) - first_npt_ - (npt_ - zone_start_);
    if (static_cast<long long>(segments) + 1 <= room) {
        return true;
    }
    ignore_number_line(rec);
    undrawable_ = true;
    npt_ = zone_start_;
    return false;
}

void OpenAirReader::keyword_width(std::string_view rec) {
    if (reading_points_) {
        return;
    }
    float width = 0.0f;
    if (list_read(columns_from(rec, 5), width) != kReadOk ||
        !sane_nautical_miles(width)) {
        ignore_number_line(rec);
        return;
    }
    ray_ = width * kNauticalMileInMetres;
    q_axe_ = true;
}

bool OpenAirReader::to_frame(float lat, float lon, float& x, float& y) const {
    return latlontoxy(lat, lon, x, y) == 1;
}

void OpenAirReader::keyword_centre(std::string_view rec) {
    float lat = 0.0f;
    float lon = 0.0f;
    float x = 0.0f;
    float y = 0.0f;
    if (extract_coord(columns_from(rec, 5), lat, lon) == 0 && to_frame(lat, lon, x, y)) {
        centre_.xcen = x;
        centre_.ycen = y;
    }
}

void OpenAirReader::begin_geometry() {
    if (!reading_points_) {
        npt_00 = npt_;
        zon_[nzon_].first = npt_;
    }
}

void OpenAirReader::keyword_point(std::string_view rec, bool airway) {
    if (!zone_open() || undrawable_) {
        return;
    }
    float lat = 0.0f;
    float lon = 0.0f;
    float x = 0.0f;
    float y = 0.0f;
    if (extract_coord(columns_from(rec, 4), lat, lon) != 0 || !to_frame(lat, lon, x, y)) {
        return;
    }
    begin_geometry();
    if (!add_point(x, y, npt_, pp_, npt_ == npt_00)) {
        stop_at_limit();
        return;
    }
    if (airway) {
        q_axe_ = true;
    }
    end_geometry_line();
}

void OpenAirReader::keyword_da(std::string_view rec) {
    if (!zone_open() || undrawable_) {
        return;
    }
    float radius = da_radius_;
    float angle1 = da_angle1_;
    float angle2 = da_angle2_;
    read_comma_list<float, 3>(columns(rec, 4, 83), {&radius, &angle1, &angle2});
    // Bearings beyond ten turns and radii beyond the earth are faults of the file.
    constexpr float kLargestBearing = 3600.0f;
    if (!sane_nautical_miles(radius) ||
        !(std::fabs(angle1) <= kLargestBearing) || !(std::fabs(angle2) <= kLargestBearing)) {
        ignore_number_line(rec);
        return;
    }
    da_radius_ = radius;
    da_angle1_ = angle1;
    da_angle2_ = angle2;
    const float t1 = (angle1 + 90.0f) * kAirspacePi / 180.0f;
    const float t2 = (angle2 + 90.0f) * kAirspacePi / 180.0f;
    if (!arc_fits(arc_segments(centre_, radius * kNauticalMileInMetres, t1, t2), rec)) {
        return;
    }
    begin_geometry();
    if (!add_arc_points(centre_, radius * kNauticalMileInMetres, t1, t2, npt_00, npt_, pp_)) {
        stop_at_limit();
        return;
    }
    end_geometry_line();
}

void OpenAirReader::keyword_db(std::string_view rec) {
    if (!zone_open() || undrawable_) {
        return;
    }
    const std::string_view arg = columns_from(rec, 4);
    const std::size_t comma = arg.find(',');
    const std::string_view first = arg.substr(0, comma);
    const std::string_view second = comma == std::string_view::npos ? std::string_view{} : arg.substr(comma + 1);
    float lat = 0.0f;
    float lon = 0.0f;
    float x1 = 0.0f;
    float y1 = 0.0f;
    float x2 = 0.0f;
    float y2 = 0.0f;
    if (extract_coord(first, lat, lon) != 0 || !to_frame(lat, lon, x1, y1) || extract_coord(second, lat, lon) != 0 ||
        !to_frame(lat, lon, x2, y2)) {
        return;
    }
    const float dx = x1 - centre_.xcen;
    const float dy = y1 - centre_.ycen;
    const float radius = std::sqrt(dx * dx + dy * dy);
    // The radius is checked as a DA or DC radius is.
    if (!(radius <= kLargestAirspaceRadius)) {
        ignore_number_line(rec);
        return;
    }
    const float t1 = std::atan2(dy, dx);
    const float t2 = std::atan2(y2 - centre_.ycen, x2 - centre_.xcen);
    if (!arc_fits(arc_segments(centre_, radius, t1, t2), rec)) {
        return;
    }
    begin_geometry();
    if (!add_arc_points(centre_, radius, t1, t2, npt_00, npt_, pp_)) {
        stop_at_limit();
        return;
    }
    end_geometry_line();
}

void OpenAirReader::keyword_dc(std::string_view rec) {
    if (!zone_open() || undrawable_) {
        return;
    }
    float radius = 0.0f;
    if (list_read(columns_from(rec, 3), radius) != kReadOk ||
        !sane_nautical_miles(radius)) {
        ignore_number_line(rec);
        return;
    }
    if (!arc_fits(circle_segments(radius * kNauticalMileInMetres), rec)) {
        return;
    }
    begin_geometry();
    if (!add_circle_points(centre_, radius * kNauticalMileInMetres, npt_00, npt_, pp_)) {
        stop_at_limit();
        return;
    }
    end_geometry_line();
}

void OpenAirReader::keyword_pen(std::string_view rec) {
    if (ityp_ < 0 || ityp_ >= kAirspaceClasses) {
        return;
    }
    AirspacePen& pen = sp_[ityp_];
    read_comma_list<int, 5>(columns(rec, 4, 83), {&pen[0], &pen[1], &pen[2], &pen[3], &pen[4]});
    if (ityp_ == kClassGp) {
        pen[1] = 3;
    }
}

void OpenAirReader::keyword_brush(std::string_view rec) {
    if (ityp_ < 0 || ityp_ >= kAirspaceClasses) {
        return;
    }
    AirspaceBrush& brush = sb_[ityp_];
    read_comma_list<int, 3>(columns(rec, 4, 83), {&brush[0], &brush[1], &brush[2]});
}

bool OpenAirReader::close_geometry() {
    AirspaceZone& zone = zon_[nzon_];
    if (q_axe_ && reading_points_ && !undrawable_) {
        const int widened = widen_airway(zone.first, ray_, npt_, pp_);
        if (widened < 0) {
            stop_at_limit();
            return false;
        }
        if (widened == 0) {
            tell_and_count(kWarning, in_user_language("Airway not widened (it needs two distinct points): " + asn_,
                                                      "Voie a\xE9rienne non \xE9largie (il faut deux points "
                                                      "distincts) : " + asn_));
        } else {
            ray_ = 0.0f;
        }
    }
    if (reading_points_ && npt_ > zone.first) {
        if (!check_close(nzon_, zon_, pp_, npt_)) {
            stop_at_limit();
            return false;
        }
        zone.last = npt_ - 1;
    } else {
        // No geometry: an empty ring, which touches no window.
        zone.first = npt_;
        zone.last = npt_ - 1;
    }
    const int count = zone.last - zone.first + 1;
    if (stats_.zones == 0 || count < stats_.smallest) {
        stats_.smallest = count;
    }
    if (stats_.zones == 0 || count > stats_.largest) {
        stats_.largest = count;
        stats_.largest_name = asn_;
    }
    ++stats_.zones;
    stats_.total += count;
    stats_.longest_an = std::max(stats_.longest_an, static_cast<int>(asn_.size()));
    if (airspace_trace_enabled()) {
        // "(I6,1X,A,1X,I6)", field by field.
        thread_local std::string trace;
        trace.clear();
        trace.append(zone_number());
        trace.push_back(' ');
        trace.append(asn_);
        trace.push_back(' ');
        append_fmt_i(trace, count, 6);
        airspace_trace(trace);
    }
    return true;
}

void OpenAirReader::decide(bool qlast) {
    FileWriter* const out = copy();
    const bool disabled = airspace_disabled(nn9_);
    if (disabled) {
        dump_.zone_removed(nn9_, "disabled", asn_);
        if (filter_ && as0003.qlistas) {
            write_to(files_->list, index_line_of_zone());
        }
        if (filter_) {
            clean_crpbuf(buffer_, false, qlast, as0003.qdeldup, out);
        }
        npt_ = zone_start_;
        return;
    }
    if (undrawable_) {
        // Neither kept nor copied nor listed.
        dump_.zone_removed(nn9_, "undrawable", asn_);
        if (filter_) {
            clean_crpbuf(buffer_, false, qlast, as0003.qdeldup, out);
        }
        npt_ = zone_start_;
        return;
    }
    build_name(asn_, assn_, ast_, asl_, ash_, ityp_);
    stats_.longest_name = std::max(stats_.longest_name, static_cast<int>(asn_.size()));
    if (!filter_) {
        const AirspaceZone& zone = zon_[nzon_];
        const int points = zone.last - zone.first + 1;
        if (points < kLeastZonePoints) {
            dump_.zone_removed(nn9_, "points", asn_);
            ++stats_.too_few_points;
            npt_ = zone_start_;
            return;
        }
        if (in_map(nzon_ + 1, zon_, pp_, qglob_)) {
            dump_.zone_kept(nn9_, points, asn_);
            keep_loaded_zone(zon_, pp_, nzon_ + 1, asn_, asl_, ash_);
            ++nzon_;
        } else {
            dump_.zone_removed(nn9_, "outside", asn_);
            npt_ = zone_start_;
        }
        return;
    }
    bool keep = true;
    if (as0003.qcropas && !in_map(nzon_ + 1, zon_, pp_, true)) {
        dump_.zone_removed(nn9_, "outside", asn_);
        keep = false;
    } else {
        dump_.zone_kept(nn9_, zon_[nzon_].last - zon_[nzon_].first + 1, asn_);
        const std::string_view index = index_line_of_zone();
        if (!as0003.qlistas) {
            write_to(files_->list, index);
        }
        write_to(files_->cropped, index);
        if (as0003.qexpas) {
            write_to(files_->names, asn_);
        }
    }
    clean_crpbuf(buffer_, keep, qlast, as0003.qdeldup, out);
    // Once copied or left out, the zone's points are not needed: its slot and
    // its points are taken by the next zone, so that the limits of the tables
    // bound one zone, not the file.
    npt_ = zone_start_;
}

void OpenAirReader::open_zone(std::string_view class_text) {
    if (nzon_ >= static_cast<int>(zon_.size())) {
        stop_at_limit();
        return;
    }
    ityp_ = get_typ(class_text);
    zon_[nzon_] = AirspaceZone{ityp_, npt_, npt_ - 1};
    zone_start_ = npt_;
    npt_00 = npt_;
    asn_ = "No name";
    ++nn9_;
    dump_.zone_opened(nn9_, ityp_, class_text.substr(0, trimmed_length(class_text)));
    number_.clear();
    left_out_ = filter_ && as0003.qdeldup && airspace_disabled(nn9_);
    if (left_out_) {
        // The zone's AC line and the comments above it are left out with it.
        buffer_.clear();
    }
    open_ = true;
    reading_points_ = false;
    undrawable_ = false;
    centre_.clockwise = true;
    q_axe_ = false;
}

void OpenAirReader::stop_at_limit() {
    if (stopped_) {
        return;
    }
    stopped_ = true;
    const std::string count = i2b(std::max(nn9_, 0));
    tell_and_count(kWarning,
                   in_user_language("Airspace file too large: only the first " + count + " airspaces were processed",
                                    "Fichier d'espaces a\xE9riens trop grand : seuls les " + count +
                                        " premiers espaces ont \xE9t\xE9 trait\xE9s"));
}

void OpenAirReader::end_of_file() {
    if (stopped_) {
        return;
    }
    if (zone_open()) {
        if (!close_geometry()) {
            return;
        }
        decide(true);
        open_ = false;
    }
    if (filter_ && buffer_.count() > 0) {
        // A file without any zone, or lines left after the last decision:
        // copied unchanged.
        clean_crpbuf(buffer_, true, true, as0003.qdeldup, copy());
    }
}

// Tells that an output file of the read could not be written, and notes it.
void report_failed_output(const std::string& name, bool creating) {
    if (creating) {
        tell_and_count(kError, in_user_language(name + "/Airspace file : error creating",
                                                name + "/Fichier d'espace a\xE9rien : cr\xE9" "ation impossible"));
    } else {
        tell_and_count(kError, in_user_language(name + "/Airspace file : error writing",
                                                name + "/Fichier d'espace a\xE9rien : erreur d'\xE9" "criture"));
    }
    note_unwritten_file(name);
}

void report_failed_list(const std::string& name) {
    tell_and_count(kError, in_user_language(name + "/Airspace list file : error opening",
                                            name + "/Fichier liste : ouverture impossible"));
    note_unwritten_file(name);
}

// Opens the output files of a filter-mode read and writes the notice header
// into the copy: the caller's writer `copy` when it gives one, else
// new_aspfile. False when the copy itself cannot be created (reported).
bool open_copy_files(CopyFiles& files, FileWriter* copy) {
    files.cropped.emplace(kCroppedAirspaceFile, WriteMode::append);
    if (!files.cropped->is_open()) {
        report_failed_list(kCroppedAirspaceFile);
    }
    const std::string list_name = trim_right(as000c.asp_d_file);
    files.list.emplace(list_name);
    if (!files.list->is_open()) {
        report_failed_list(list_name);
    }
    if (copy == nullptr) {
        files.own_copy.emplace(trim_right(as000c.new_aspfile));
        copy = &*files.own_copy;
    }
    files.copy = copy;
    if (!copy->is_open()) {
        report_failed_output(copy->windows_path(), true);
        return false;
    }
    write_as_hdr(*copy);
    if (as0003.qexpas) {
        const std::string input = trim_right(as000c.aspfile);
        const std::size_t txt = input.find(".txt");
        const std::string names_file = input.substr(0, txt) + "_LIST.txt";
        files.names.emplace(names_file);
        if (!files.names->is_open()) {
            tell_and_count(kError, in_user_language(input + "/Airspace list file : error opening",
                                                    input + "/Fichier liste : ouverture impossible"));
            note_unwritten_file(names_file);
        }
    }
    return true;
}

// Closes the output files; a file whose lines did not all reach the disk is
// reported. After a failed read (`complete` false) the copy and the lists are
// given up, so that they keep their old bytes; the index of every kept zone,
// which only grows, keeps what was appended. Returns the status of the copy
// (0 when it was written whole, kFilteredCopyNotWritten when it was never
// opened); the caller's copy is left open, its status so far returned.
int close_copy_files(CopyFiles& files, bool complete) {
    int copy_status = kFilteredCopyNotWritten;
    if (files.copy != nullptr && files.copy->is_open()) {
        copy_status = files.copy->status();
    }
    for (std::optional<FileWriter>* file : {&files.own_copy, &files.list, &files.cropped, &files.names}) {
        if (!*file || !(*file)->is_open()) {
            continue;
        }
        if (!complete && file != &files.cropped) {
            (*file)->discard();
            continue;
        }
        const std::string name = (*file)->windows_path();
        const int status = (*file)->close();
        if (file == &files.own_copy) {
            copy_status = status;
        }
        if (status != 0) {
            report_failed_output(name, false);
        }
    }
    return copy_status;
}

void trace_end(const OpenAirReader& reader) {
    if (!airspace_trace_enabled()) {
        return;
    }
    const ZoneStatistics& stats = reader.statistics();
    const float mean = stats.zones > 0 ? static_cast<float>(stats.total) / static_cast<float>(stats.zones) : 0.0f;
    airspace_trace(fortran_write("('MIN MAX MOY',2(1X,I6),1X,F10.1,1X,A)",
                                 {stats.smallest, stats.largest, mean, fit_field(stats.largest_name, 64)}));
    airspace_trace(fortran_write("('NZON,LMAX,NPT',4(1X,I6))",
                                 {reader.zones_held(), stats.longest_an, stats.longest_name, reader.npt()}));
    if (stats.too_few_points > 0) {
        airspace_trace(fortran_write("('Zones of fewer than 3 points dropped:',1X,I6)", {stats.too_few_points}));
    }
}

}  // namespace

namespace {

int read_airspace_to(FileWriter* copy, int nav, AirspacePens& sp, AirspaceBrushes& sb, int& nbzon,
                     std::span<AirspaceZone> zon, std::span<PlanePoint> pp, int maxzon, int maxpts) {
    const float start = elapsed_time();
    as0003.qchk_posas = false;
    as000c.new_aspfile_status = kFilteredCopyNotWritten;
    release_airspace_model();
    const std::string aspfile = trim_right(as000c.aspfile);
    if (aspfile.empty()) {
        if (nav == 0) {
            tell_and_count(kWarning, in_user_language("Airspace : no file selected",
                                                      "Espace a\xE9rien : pas de fichier s\xE9lectionn\xE9"));
        }
        return 0;
    }
    TextFileReader input(aspfile);
    if (!input.is_open()) {
        tell_and_count(kError, in_user_language(aspfile + "/Airspace file : error opening",
                                                aspfile + "/Fichier d'espace a\xE9rien : ouverture impossible"));
        return 0;
    }
    const std::span<AirspaceZone> zones = zon.first(std::clamp<std::size_t>(std::max(maxzon, 0), 0, zon.size()));
    const std::span<PlanePoint> points = pp.first(std::clamp<std::size_t>(std::max(maxpts, 0), 0, pp.size()));
    const int entry_zones = std::clamp(nbzon, 0, static_cast<int>(zones.size()));
    const bool filter = as0003.qwriteas;

    if (!filter && !begin_airspace_load(nav, static_cast<int>(zones.size()))) {
        nbzon = 0;
        return 0;
    }
    CopyFiles files;
    if (filter && !open_copy_files(files, copy)) {
        close_copy_files(files, false);
        return 0;
    }
    OpenAirReader reader(sp, sb, zones, points, entry_zones, filter, nav < 0, filter ? &files : nullptr);
    std::string_view text;
    while (input.read_line(text)) {
        if (!reader.line(text)) {
            break;
        }
    }
    int read_status = 0;
    if (!reader.stopped()) {
        if (input.failed()) {
            read_status = input.read_status();
            reader.read_failed();
            tell_and_count(kError, in_user_language(aspfile + "/Airspace file : read error",
                                                    aspfile + "/Fichier d'espace a\xE9rien : erreur de lecture"));
        } else {
            reader.end_of_file();
        }
    }
    trace_end(reader);
    reader.finish_dump(aspfile);
    if (filter) {
        const int copy_status = close_copy_files(files, read_status == 0);
        as000c.new_aspfile_status = read_status != 0 ? read_status : copy_status;
    }
    airspace_trace_flush();
    if (filter) {
        return nbzon >= 1 ? 1 : 0;
    }
    return end_airspace_load(nav, nbzon, zones, points, reader.zones_held(), reader.npt(), reader.ordinal(), start);
}

}  // namespace

int read_airspace(int nav, AirspacePens& sp, AirspaceBrushes& sb, int& nbzon, std::span<AirspaceZone> zon,
                  std::span<PlanePoint> pp, int maxzon, int maxpts) {
    return read_airspace_to(nullptr, nav, sp, sb, nbzon, zon, pp, maxzon, maxpts);
}

int read_airspace_into(FileWriter& copy, int nav, AirspacePens& sp, AirspaceBrushes& sb, int& nbzon,
                       std::span<AirspaceZone> zon, std::span<PlanePoint> pp, int maxzon, int maxpts) {
    return read_airspace_to(&copy, nav, sp, sb, nbzon, zon, pp, maxzon, maxpts);
}

int filtered_copy_status() { return as000c.new_aspfile_status; }

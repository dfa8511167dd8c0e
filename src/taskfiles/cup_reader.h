#pragma once

#include <string>
#include <string_view>

#include "taskfiles/landscape_records.h"

class TextFileReader;

// The lines of an open SeeYou file in the program's code page (cp1252). A
// file that is UTF-8 (well-formed and holding a byte above 127, with or
// without a byte-order mark, as SeeYou writes its files now) is converted
// line by line, its byte-order mark dropped; any other file is cp1252 as it
// stands.
class CupLines {
public:
    CupLines(TextFileReader& file, bool utf8) : file_(file), utf8_(utf8) {}

    // The next line, cut to 1024 characters. False at the end of the file
    // (ios -1) or on a read error (ios its status).
    bool next(std::string_view& line, int& ios);
    // The first character of the line last read that code page 1252 lacks
    // (it became "?"); 0 when none.
    char32_t lost() const { return lost_; }

private:
    TextFileReader& file_;
    bool utf8_;
    bool first_line_ = true;
    std::string converted_;
    char32_t lost_ = 0;
};

// SeeYou waypoint files (.cup): the waypoint lines into the landscape waypoint
// records, and the first task of the task section into the SeeYou task
// records rd_cup_0 .. rd_cup_2.
//
// The first line is the header, never a waypoint; when it holds "rwwidth", a
// runway-width column follows the runway length and is skipped. A waypoint
// line is name, code, country, latitude (DDMM.mmmN), longitude (DDDMM.mmmE),
// elevation (m, ft, ...), style, runway direction, runway length, [runway
// width,] frequency, description (the name, code, country and description
// kept in the waypoint texts); a comma inside double quotes does not
// separate. Lines beginning with the quoted word version= and lines without a
// comma are skipped. A line holding "----Related Tasks----" starts the task
// section: no waypoint line is read after it.
//
// Bad lines and values are reported (severity 1, titled "read_cup" or
// "read_cup_task", in a box or on the console with qline; no box with
// qsilent) and always logged; the reading then goes on. The waypoints whose
// line held a character code page 1252 lacks are named in one warning.

// The marker of the task section.
inline constexpr std::string_view kRelatedTasksMarker = "----Related Tasks----";

// Reads `fnam` into entries 1.. of the waypoint records (at most `maxapt`,
// and no more than the records hold: at the capacity the reading ends with a
// message) and, unless qlnd, its first task (a file without one leaves the
// task records without a task: nb_cup 0). With qlnd (landable only) only
// styles 2 to 5 are stored, each as style + 1000 x the landability class of
// its description's "{...}" tag. nb_wp = waypoints stored. ios = 0, the open
// status when the file cannot be opened (nb_wp 0), or the status of a failed
// read.
void read_cup(std::string_view fnam, int maxapt, Tarvewp2& numbers, Tarvewp3& texts, int& nb_wp, bool qlnd,
              bool qline, bool qsilent, int& ios);

// Reads the task that follows the task-section marker from the open file:
// the task line (its first field, quotes kept, into cupdesc; then the point
// names, each found among waypoints 1..nb_wp by its name cut to the waypoint
// name field, whose number it keeps in cupwp) and the observation-zone lines
// after it, up to the next task line, with the task's rules from its
// "Options" line (NoStart, TaskTime, WpDis; a value that does not read is
// reported and ignored). A point not found is reported and, like "???" or an
// empty name, stays in its place without a position (cupwp 0). The points
// past the slots are counted (nb_cup_listed), not kept: such a task is
// refused. Every zone value starts at 0, MaxAlt included; cupzone marks the
// points an "ObsZone" line gives a zone. The zone radii read in "km" too
// (convert_zone_length), "A12" is kept (brought into 0..360) for a zone of
// "Style=0"; the first zone value that does not read ("R1=abc", "A12=inf",
// an "ObsZone" that is no number) is kept in cupbadkey and cupbadval, not
// told: the conversion refuses the task for it. ios = the status of the last
// line read (-1 at the end of the file). read_cup calls it; fnam is the path
// for the messages.
void read_cup_task(CupLines& lines, std::string_view fnam, int nb_wp, const Tarvewp2& numbers,
                   const Tarvewp3& texts, bool qline, bool qsilent, int& ios);

// The number (1-based) of the first of wp_name[1..nb_wp] equal to bbb as a
// blank-padded field (case and leading blanks count); 0 when none is.
int rech_cup(std::string_view bbb, int nb_wp, const ShortTextTable& wp_name);

// The landability class of a waypoint description ending in a "{...}" tag:
// 1 easy (F, E, LA, ZA, FACILE), 2 normal (M, NORMAL), 3 difficult (D,
// DIFFICILE), 4 very difficult (TD, VD, TRES_DIFFICILE), in any case; 0 for
// any other tag or none.
int landability_class(std::string_view description);

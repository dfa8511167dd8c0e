#pragma once

#include <cstddef>
#include <cstdint>
#include <span>
#include <string>
#include <string_view>

#include "taskfiles/landscape_records.h"

// Condor's airport file (.apt): a stream of 72-byte records, no header,
// little-endian, read and written byte by byte:
//
//   offset  0  int8       length of the name in use (0..35)
//           1  35 bytes   name (the writer pads it with NUL bytes)
//          36  float32    latitude, degrees north
//          40  float32    longitude, degrees east
//          44  float32    elevation, m
//          48  int32      runway direction: 366 or more holds
//                         100000 + 100 x degrees, less the whole degrees
//          52  int32      runway length, m
//          56  int32      runway width, m
//          60  int32      surface, 1 paved
//          64  float32    frequency, MHz
//          68  4 x int8   flags fl1, fl2, fl3 and a fourth byte (written 0)

inline constexpr std::size_t kAptRecordLength = 72;

// One record with every field as stored, as read_apt_raw keeps it and
// write_apt writes it. The conversion calls only read_apt; the other two are
// offered to the forms and the terrain code.
struct AptRawEntry {
    std::string name;       // at most 35 characters
    float lat = 0.0f;       // degrees
    float lon = 0.0f;       // degrees
    float elev = 0.0f;      // m
    int sty = 0;            // surface as stored: 1 paved
    float rwd = 0.0f;       // runway direction, degrees (not rounded)
    int rwl = 0;            // runway length, m
    int rww = 0;            // runway width, m
    float frq = 0.0f;       // MHz
    std::int8_t fl1 = 0;
    std::int8_t fl2 = 0;
    std::int8_t fl3 = 0;
};

// Reads the airports of `fnam` into entries 1.. of the airport records, at most
// `maxapt` of them (and never more than the records hold): latitude,
// longitude, elevation to the nearest metre, the name's first `ln`
// characters, style 5 for a paved runway else 2, runway direction in whole
// degrees, runway length, frequency. A record whose latitude is beyond
// +-90.01 or longitude beyond +-180.01 (or not a number) is skipped; so is one
// whose name length is outside 0..35 or whose elevation or frequency is not a
// finite number. Messages go to the log only. A short record at the end of the
// file ends the reading like the end of the file.
// nb_apt = airports stored; ios = 0, the open status when the file cannot be
// opened, or the status of a failed read (the airports read so far stay).
void read_apt(std::string_view fnam, int maxapt, Tarveap2& airports, Tarveap3& names, int& nb_apt, int& ios);

// The same reading keeping every field as stored, into entries[1..]: no
// coordinate check, a name length outside 0..35 held to it. At most `maxapt`
// records (and no more than entries holds). Messages on the console only.
void read_apt_raw(std::string_view fnam, int maxapt, std::span<AptRawEntry> entries, int& nb_apt, int& ios);

// Creates or replaces `fnam` with entries[1..nb_apt] as records (the direction
// stored as 100000 + 100 x rwd to the nearest integer). Writes each record's
// length and name on the console. ios = 0, or the status of the failed create
// or write (nothing is written when the file cannot be created).
void write_apt(std::string_view fnam, std::span<const AptRawEntry> entries, int nb_apt, int& ios);

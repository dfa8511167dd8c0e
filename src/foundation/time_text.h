#pragma once

// Elapsed times as "h:mm:ss" texts and back. The terrain code writes its
// times with to_hms; the conversion reads and writes the times of a SeeYou
// task ("NoStart", "TaskTime") with hms2sec and clock_text.

#include <cstddef>
#include <span>
#include <string>
#include <string_view>

// Field width from which to_hms appends hundredths.
inline constexpr std::size_t kHmsHundredthsWidth = 11;

// Characters of its text that hms2sec looks at.
inline constexpr std::size_t kHmsTextLength = 16;

// Seconds as "(I2,':',I2.2,':',I2.2)" (hours, minutes, seconds, truncated),
// with "'.',I2.2" hundredths appended when they are at least 1 and the field
// holds at least 11 characters; cut at the field's capacity. The leading blank
// of a one-digit hour stays: 3725.5 s gives " 1:02:05.50" (11 characters) or
// " 1:02:05" (8).
void to_hms(float secs, std::string& ccc, std::size_t capacity);

// The 8-character form of to_hms (never with hundredths) followed by a NUL,
// for a caller that wants a NUL-terminated text; `ccc` should hold 9
// characters (a shorter one gets what fits and the NUL). Writes the seconds to
// the console.
void to_hms_c(float secs, std::span<char> ccc);

// Seconds of a text "hours:minutes:seconds" (first 16 characters), each part
// read list-directed from between the colons: hours*3600 + minutes*60 +
// seconds. -999 when a part cannot be read, when the text has fewer than two
// colons, or when the total is beyond the range of int.
int hms2sec(std::string_view cc1);

// Whole seconds (0 or more) as "hh:mm:ss", each part of two digits at least,
// as SeeYou writes its times: 9000 gives "02:30:00".
std::string clock_text(int seconds);

#pragma once

// Writing the task summary (the driver's text of the task's rules) to a file:
// the run's summary file, and for LK8000 the notepad file "NOTEPAD.txt" that
// LK8000 shows to the pilot.

#include <cstddef>
#include <string_view>

// Capacity of the summary text; a longer text is cut there.
inline constexpr std::size_t kSummaryCapacity = 1024;

// Writes msg1 (lines separated by line feeds) to fnam, created or emptied
// first. Every "=" is removed with the blanks after it, and every "\/" becomes
// "/". With qhead the file is LK8000's notepad: it starts with the line
// "[warnings]" and its text is written in UTF-8; otherwise the text stays
// cp1252. The last line loses its trailing blanks. The file is a whole write;
// a failure is shown, logged and noted (unwritten_files.h). One trace line on
// the console.
void write_summary(std::string_view msg1, std::string_view fnam, bool qhead);
